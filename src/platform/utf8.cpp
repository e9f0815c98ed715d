#include "platform/utf8.h"

namespace kit::utf8 {

namespace {
bool continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}
}  // namespace

int length(const std::string& s) {
  int n = 0;
  for (unsigned char c : s)
    if (!continuation(c)) ++n;
  return n;
}

std::size_t offset(const std::string& s, int i) {
  std::size_t pos = 0;
  for (int k = 0; k < i && pos < s.size(); ++k) {
    ++pos;
    while (pos < s.size() && continuation(static_cast<unsigned char>(s[pos]))) ++pos;
  }
  return pos;
}

char32_t decode(const std::string& s, std::size_t& pos) {
  const auto c = static_cast<unsigned char>(s[pos++]);
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  char32_t cp = extra == 3 ? (c & 0x07) : extra == 2 ? (c & 0x0F) : extra == 1 ? (c & 0x1F) : c;
  while (extra-- > 0 && pos < s.size() && continuation(static_cast<unsigned char>(s[pos])))
    cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
  return cp;
}

std::string encode(int cp) {
  std::string out;
  const auto u = static_cast<unsigned>(cp);
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
  return out;
}

bool invisible(char32_t c) {
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kInvisible[] = {
      {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},
      {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},
      {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
      {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},
      {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
      {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
  };
  for (const Range& r : kInvisible)
    if (c >= r.first && c <= r.last) return true;
  return false;
}

bool Checker::take(unsigned char c) {
  if (broken_) return false;
  if (need_ > 0) {
    if (c < low_ || c > high_) return broken();
    low_ = 0x80;
    high_ = 0xBF;
    cp_ = (cp_ << 6) | (c & 0x3F);
    --need_;
    return true;
  }
  if (c < 0x80) {
    cp_ = c;
  } else if (c >= 0xC2 && c <= 0xDF) {
    need_ = 1;
    cp_ = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need_ = 2;
    cp_ = c & 0x0F;
    if (c == 0xE0) low_ = 0xA0;   // shorter forms belong to two bytes
    if (c == 0xED) high_ = 0x9F;  // D800..DFFF are surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    need_ = 3;
    cp_ = c & 0x07;
    if (c == 0xF0) low_ = 0x90;   // shorter forms belong to three bytes
    if (c == 0xF4) high_ = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return broken();
  }
  return true;
}

bool valid(std::string_view s) {
  Checker check;
  for (char c : s)
    if (!check.take(static_cast<unsigned char>(c))) return false;
  return check.whole();
}

}  // namespace kit::utf8
