#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace glyphsheet::testing {

/// The lines of a text without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

/// One char line and its spacing line of a glyph descriptor.
struct DescriptorEntry {
  int id = -1, x = 0, y = 0, width = 0, height = 0;
  int spacingId = -1, a = 0, b = 0, c = 0;
};

/// The char/spacing pairs of a descriptor, read back with its line templates;
/// a line that does not match them fails the test.
inline std::vector<DescriptorEntry> ReadDescriptor(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  std::vector<DescriptorEntry> entries;
  for (size_t i = 2; i + 2 < lines.size(); i += 2) {
    DescriptorEntry e;
    EXPECT_EQ(std::sscanf(lines[i].c_str(),
                          "\t<char id=\"%d\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" />",
                          &e.id, &e.x, &e.y, &e.width, &e.height),
              5)
        << lines[i];
    EXPECT_EQ(std::sscanf(lines[i + 1].c_str(), "\t<spacing id=\"%d\" a=\"%d\" b=\"%d\" c=\"%d\" />",
                          &e.spacingId, &e.a, &e.b, &e.c),
              4)
        << lines[i + 1];
    EXPECT_EQ(e.spacingId, e.id);
    entries.push_back(e);
  }
  return entries;
}

}  // namespace glyphsheet::testing
