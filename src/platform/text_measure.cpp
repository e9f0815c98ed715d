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
}  // namespace

double textWidthTwips(const std::string& text) {
  double px = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = utf8::decode(text, pos);
    if (cp >= 32 && cp <= 126) {
      px += kAscii[cp - 32];
    } else if (cp >= 0x2E80) {
      px += 12;  // CJK and full-width forms
    } else if (cp >= 0x80) {
      px += 7;
    }
  }
  return px * kTwipsPerPixel;
}

}  // namespace kit
