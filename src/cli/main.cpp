#include <cstdio>
#include <string>

#include "raster/freetype_rasterizer.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "fonts") {
    glyphsheet::FreeTypeRasterizer rasterizer;
    for (const auto& face : rasterizer.ListTypefaces()) std::printf("%s\n", face.c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: glyphsheet-cli fonts\n");
  return 2;
}
