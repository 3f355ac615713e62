// Writes one hand-made font in the four descriptor forms, with and without
// kerning, for the reference parsers to read:
//   bmfont_fixture FOLDER  ->  FOLDER/{text,xml,binary,json}{,-plain}.{fnt,xml,json}
// Every value is one that all four forms can hold.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "files/bmfont_descriptor.h"

int main(int argc, char** argv) {
  using glyphsheet::BmFontFormat;
  if (argc != 2) {
    std::fprintf(stderr, "usage: bmfont_fixture FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);

  glyphsheet::BmFont font;
  font.info = {"F\xC3\xAAte & <Co>", -31, false, true, true, 4, {0, 3, 1, 2}};
  font.common = {37, 29, 1024, 256};
  font.pages = {"f\xC3\xAAte sheet.png"};
  font.chars = {{32, 0, 0, 4, 40, 0, -1, 8},
                {233, 600, 41, 19, 40, -2, -1, 17},
                {8364, 1000, 215, 22, 40, 1, -1, 20}};
  font.kernings = {{32, 8364, 1}, {233, 8364, -3}};

  const struct {
    BmFontFormat format;
    const char* name;
  } forms[] = {{BmFontFormat::kText, "text"},
               {BmFontFormat::kXml, "xml"},
               {BmFontFormat::kBinary, "binary"},
               {BmFontFormat::kJson, "json"}};
  for (const char* suffix : {"", "-plain"}) {
    for (const auto& [format, name] : forms) {
      const std::vector<uint8_t> bytes = glyphsheet::EncodeBmFont(font, format);
      std::ofstream out(folder / (name + std::string(suffix) + BmFontExtension(format)),
                        std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      if (!out.flush()) {
        std::fprintf(stderr, "bmfont_fixture: cannot write %s\n", name);
        return 1;
      }
    }
    font.kernings.clear();
  }
  return 0;
}
