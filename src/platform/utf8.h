// Character positions in UTF-8 text: the kit counts characters (code
// points), as the windows' texts do, not bytes.
#pragma once

#include <cstddef>
#include <string>

namespace kit::utf8 {

// Number of code points.
int length(const std::string& s);
// Byte offset of code point i (s.size() when i is at or past the end).
std::size_t offset(const std::string& s, int i);
// The code point starting at byte pos, and the byte position after it.
char32_t decode(const std::string& s, std::size_t& pos);
std::string encode(int codePoint);

}  // namespace kit::utf8
