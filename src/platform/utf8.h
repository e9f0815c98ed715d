// Character positions in UTF-8 text: the kit counts characters (code
// points), as the windows' texts do, not bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kit::utf8 {

// Number of code points.
int length(const std::string& s);
// Byte offset of code point i (s.size() when i is at or past the end).
std::size_t offset(const std::string& s, int i);
// The code point starting at byte pos, and the byte position after it.
char32_t decode(const std::string& s, std::size_t& pos);
std::string encode(int codePoint);

// Whether a character shows nothing of its own or changes how the text around it reads: the
// control characters (Unicode category Cc), the format characters (Cf: direction marks, embeddings
// and overrides, zero-width spaces and joiners, the byte order mark, ...) and the line and
// paragraph separators. A right-to-left override turns the rest of a line backwards, a zero-width
// space hides inside a number: text shown back to the user holds none of them.
bool invisible(char32_t c);

// Checks bytes as they come, one at a time, for well-formed UTF-8: no stray continuation byte, no
// character cut short, no overlong form, no surrogate, nothing beyond U+10FFFF.
class Checker {
 public:
  // False from the first byte that breaks the form on.
  bool take(unsigned char byte);
  // No character is left open.
  bool whole() const { return need_ == 0; }
  // The character the last byte completed (when whole()).
  char32_t last() const { return cp_; }

 private:
  bool broken() {
    broken_ = true;
    return false;
  }
  bool broken_ = false;
  int need_ = 0;
  unsigned char low_ = 0x80, high_ = 0xBF;  // where the next continuation byte must lie
  char32_t cp_ = 0;
};

// Well-formed UTF-8 from start to end.
bool valid(std::string_view s);

}  // namespace kit::utf8
