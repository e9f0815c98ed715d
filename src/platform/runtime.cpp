#include "platform/runtime.h"

#include <charconv>
#include <cmath>

namespace j5::rt {

namespace {

bool isIgnoredInNumber(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int digitInBase(char c, int base) {
  int d = -1;
  if (isDigit(c)) {
    d = c - '0';
  } else if (c >= 'A' && c <= 'F') {
    d = c - 'A' + 10;
  } else if (c >= 'a' && c <= 'f') {
    d = c - 'a' + 10;
  }
  return d < base ? d : -1;
}

// Walks a text the way Val reads it: blanks, tabs and line feeds never count.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  char peek() {
    while (pos_ < text_.size() && isIgnoredInNumber(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void next() { ++pos_; }
  std::size_t mark() const { return pos_; }
  void reset(std::size_t mark) { pos_ = mark; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

double readPrefixedInteger(Scanner& in, int base) {
  double value = 0;
  for (int d = digitInBase(in.peek(), base); d >= 0; d = digitInBase(in.peek(), base)) {
    value = value * base + d;
    in.next();
  }
  if (!std::isfinite(value)) throw OverflowError("number text too large");
  return value;
}

std::string readDigits(Scanner& in) {
  std::string digits;
  while (isDigit(in.peek())) {
    digits += in.peek();
    in.next();
  }
  return digits;
}

// Decimal exponent of the leading significant digit, used to tell an overflow from an underflow
// when the number does not fit a double.
long long magnitude(const std::string& whole, const std::string& fraction, long long exponent) {
  const auto firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string::npos)
    return static_cast<long long>(whole.size() - firstWhole) + exponent;
  const auto firstFraction = fraction.find_first_not_of('0');
  if (firstFraction == std::string::npos) return 0;
  return exponent - static_cast<long long>(firstFraction);
}

}  // namespace

double Val(std::string_view text) {
  Scanner in(text);
  if (in.peek() == '&') {
    in.next();
    const char kind = in.peek();
    if (kind == 'H' || kind == 'h') {
      in.next();
      return readPrefixedInteger(in, 16);
    }
    if (kind == 'O' || kind == 'o') {
      in.next();
      return readPrefixedInteger(in, 8);
    }
    return 0;
  }

  bool negative = false;
  if (in.peek() == '+' || in.peek() == '-') {
    negative = in.peek() == '-';
    in.next();
  }
  const std::string whole = readDigits(in);
  std::string fraction;
  if (in.peek() == '.') {
    in.next();
    fraction = readDigits(in);
  }
  if (whole.empty() && fraction.empty()) return 0;

  // The exponent belongs to the number only when digits follow the "E" (and its sign).
  std::string exponentDigits;
  bool exponentNegative = false;
  if (in.peek() == 'E' || in.peek() == 'e') {
    const auto beforeE = in.mark();
    in.next();
    if (in.peek() == '+' || in.peek() == '-') {
      exponentNegative = in.peek() == '-';
      in.next();
    }
    exponentDigits = readDigits(in);
    if (exponentDigits.empty()) in.reset(beforeE);
  }

  std::string number = negative ? "-" : "";
  number += whole.empty() ? "0" : whole;
  if (!fraction.empty()) number += "." + fraction;
  if (!exponentDigits.empty()) number += (exponentNegative ? "e-" : "e") + exponentDigits;

  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    long long exponent = 0;
    for (char c : exponentDigits) {
      exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    }
    if (exponentNegative) exponent = -exponent;
    if (magnitude(whole, fraction, exponent) > 0) throw OverflowError("number text too large");
    return 0;
  }
  return value;
}

double Val_Unbounded(std::string_view text) {
  try {
    return Val(text);
  } catch (const OverflowError&) {
    // Only a decimal number can carry a sign; "&H" and "&O" read unsigned.
    Scanner in(text);
    return in.peek() == '-' ? -HUGE_VAL : HUGE_VAL;
  }
}

double Val_Or_Zero(std::string_view text) {
  try {
    return Val(text);
  } catch (const OverflowError&) {
    return 0;
  }
}

std::string Str(double value) {
  if (!std::isfinite(value)) throw OverflowError("number is not finite");
  if (value == 0) return " 0";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return value < 0 ? text : " " + text;
}

double Int(double value) {
  return std::floor(value);
}

std::int16_t CInt(double value) {
  if (!std::isfinite(value)) throw OverflowError("value out of the Integer range");
  const double below = std::floor(value);
  const double rest = value - below;
  double rounded = below;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0)) rounded = below + 1;
  if (rounded < -32768.0 || rounded > 32767.0)
    throw OverflowError("value out of the Integer range");
  return static_cast<std::int16_t>(rounded);
}

std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string formatNumber(int value) {
  return value < 0 ? std::to_string(value) + " " : " " + std::to_string(value) + " ";
}

std::string formatNumberLine(std::span<const std::int16_t> values) {
  std::string line;
  for (const auto v : values) line += formatNumber(v);
  return line + "\r\n";
}

std::string formatNumberRows(std::size_t rows, std::size_t perLine,
                             const std::function<int(std::size_t, std::size_t)>& cell) {
  std::string text;
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < perLine; ++c) text += formatNumber(cell(r, c));
    text += "\r\n";
  }
  return text;
}

}  // namespace j5::rt
