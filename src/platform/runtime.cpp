#include "platform/runtime.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

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

NumberRead readNumbers(std::string_view text, std::size_t count) {
  NumberRead read;
  read.values.reserve(count);
  std::size_t pos = 0;
  std::size_t line = 1;
  const auto fail = [&](const std::string& why) {
    read.error = why + " (line " + std::to_string(line) + ")";
    return read;
  };
  while (read.values.size() < count) {
    // Separators before the next number: blanks, tabs and line ends, with at most one comma
    // (the first number has none before it).
    bool comma = read.values.empty();
    for (; pos < text.size(); ++pos) {
      const char c = text[pos];
      if (c == '\n') {
        ++line;
      } else if (c == ',') {
        if (comma) return fail("empty field");
        comma = true;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        break;
      }
    }
    if (pos >= text.size()) {
      return fail("only " + std::to_string(read.values.size()) + " of " + std::to_string(count) +
                  " numbers");
    }
    const auto end = text.find_first_of(" \t\r\n,", pos);
    const auto item =
        text.substr(pos, end == std::string_view::npos ? text.size() - pos : end - pos);
    pos += item.size();
    const auto digits = item.substr(item[0] == '-' ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
      return fail("\"" + std::string(item) + "\" is not a whole number");
    }
    int value = 0;
    const auto result = std::from_chars(item.data(), item.data() + item.size(), value);
    if (result.ec != std::errc() || value < -32768 || value > 32767) {
      return fail(std::string(item) + " is out of the 16-bit range");
    }
    read.values.push_back(static_cast<std::int16_t>(value));
  }
  return read;
}

bool readTextFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
  text = content.str();
  return true;
}

NumberRead readNumberFile(const std::string& path, std::size_t count) {
  std::string text;
  NumberRead read;
  if (!readTextFile(path, text, read.error)) return read;
  return readNumbers(text, count);
}

bool writeTextFileReplacing(const std::string& path, std::string_view text, std::string& error) {
  // A fresh name beside the target, so no file of the user's is overwritten
  // on the way and the rename stays on one file system.
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    error = "cannot create " + path;
    return false;
  }
  // mkstemp gives the owner alone access; the file gets what any new file gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  bool written = true;
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      written = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) written = false;
  std::error_code ignored;
  if (!written) {
    std::filesystem::remove(temporary, ignored);
    error = "cannot write " + path;
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ignored);
    error = "cannot replace " + path + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace j5::rt
