#include "platform/text_measure.h"

#include "platform/utf8.h"

namespace kit {

namespace {
// Advance widths in pixels of the printable ASCII characters (32..126) in
// an 8-point sans-serif dialog font.
constexpr unsigned char kAscii[95] = {
    3, 3, 4, 7, 6, 9, 7,  2,  4, 4, 6, 7, 3, 4, 3, 4,  // space .. /
    6, 6, 6, 6, 6, 6, 6,  6,  6, 6,                    // 0 .. 9
    3, 3, 7, 7, 7, 5, 10,                              // : .. @
    7, 7, 7, 8, 7, 6, 8,  8,  3, 5, 7, 6, 9, 8, 8,     // A .. O
    7, 8, 7, 7, 7, 8, 7,  11, 7, 7, 7,                 // P .. Z
    4, 4, 4, 7, 6, 4,                                  // [ .. `
    6, 6, 5, 6, 6, 3, 6,  6,  2, 2, 5, 2, 8, 6, 6,     // a .. o
    6, 6, 4, 5, 3, 6, 5,  8,  5, 5, 5,                 // p .. z
    4, 3, 4, 7,                                        // { .. ~
};
constexpr double kTwipsPerPixel = 15;

bool isWide(char32_t cp) {
  return cp >= 0x2E80;  // CJK and full-width forms
}

double charTwips(char32_t cp) {
  double px = 0;
  if (cp >= 32 && cp <= 126) {
    px = kAscii[cp - 32];
  } else if (isWide(cp)) {
    px = 12;
  } else if (cp >= 0x80) {
    px = 7;
  }
  return px * kTwipsPerPixel;
}
}  // namespace

double textWidthTwips(const std::string& text) {
  double width = 0;
  std::size_t pos = 0;
  while (pos < text.size()) width += charTwips(utf8::decode(text, pos));
  return width;
}

double wrappedTextHeightTwips(const std::string& text, double width) {
  int lines = 1;
  double line = 0;    // the words on the current line and the blanks between them
  double blanks = 0;  // blanks read since the line's last word
  double word = 0;    // the word being read
  auto place = [&] {
    if (word == 0) return;
    if (line > 0 && line + blanks + word > width) {
      ++lines;
      line = word;
    } else {
      line += blanks + word;
    }
    blanks = word = 0;
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = utf8::decode(text, pos);
    if (cp == ' ') {
      place();
      blanks += charTwips(cp);
    } else if (isWide(cp)) {
      place();
      word = charTwips(cp);
      place();
    } else {
      word += charTwips(cp);
    }
  }
  place();
  return lines * kTextLineTwips;
}

}  // namespace kit
