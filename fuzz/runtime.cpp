// The runtime conventions every window leans on: reading a number from a text (Val), writing one
// (Str), the two roundings and the number-file reader and writer. None may crash on any input;
// what Str writes, Val reads back wherever fifteen digits hold the number; what the number-file
// writer writes, the reader reads back.

#include "platform/runtime.h"
// The number-file reader lives in a header of its own once it reads files as a stream.
#if __has_include("platform/number_file.h")
#include "platform/number_file.h"
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "fuzz_support.h"

namespace rt = j5::rt;
using j5fuzz::Check;

namespace {

std::string Shown(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", x);
  return buf;
}

// Val may refuse a number beyond a double's range, and nothing else.
double Val_Or_Refused(std::string_view text, bool& refused) {
  refused = false;
  try {
    return rt::Val(text);
  } catch (const rt::OverflowError&) {
    refused = true;
    return 0;
  }
}

// The conversion refuses the value as one that does not fit.
template <class F>
bool Refused(F&& convert) {
  try {
    (void)convert();
  } catch (const rt::OverflowError&) {
    return true;
  }
  return false;
}

void Text_Properties(std::string_view text) {
  bool refused = false;
  const double v = Val_Or_Refused(text, refused);
  if (!refused) Check(std::isfinite(v), [&] { return std::string("Val gave " + Shown(v)); });
  // Blanks in front never change the value.
  bool refused2 = false;
  const double v2 = Val_Or_Refused(std::string("  ") + std::string(text), refused2);
  Check(refused == refused2 && (refused || v == v2 || (std::isnan(v) && std::isnan(v2))),
        "leading blanks changed Val");

  const std::string t = rt::Trim(text);
  Check(t.empty() || (t.front() != ' ' && t.back() != ' '), "Trim left a blank");
  Check(std::string_view(text).find(t) != std::string_view::npos, "Trim made a new text");
  Check(rt::Trim(t) == t, "Trim twice differs");
}

void Number_Properties(double x) {
  if (!std::isfinite(x)) {
    Check(Refused([&] { return rt::Str(x); }),
          [&] { return std::string("Str accepted " + Shown(x)); });
    return;
  }
  const std::string s = rt::Str(x);
  Check(!s.empty() && (x < 0 ? s[0] == '-' : s[0] == ' '),
        [&] { return std::string("Str(" + Shown(x) + ") = \"" + s + "\""); });
  // Fifteen significant digits hold the number exactly: Val must give it back.
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.15g", x);
  if (std::strtod(digits, nullptr) == x) {
    bool refused = false;
    const double back = Val_Or_Refused(s, refused);
    Check(!refused && back == x, [&] {
      return std::string("Val(Str(" + Shown(x) + ")) = " + Shown(back) + " from \"" + s + "\"");
    });
  }

  Check(rt::Int(x) == std::floor(x), [&] { return std::string("Int(" + Shown(x) + ")"); });

  const double nearest = std::nearbyint(x);  // the default mode rounds a half to even
  if (nearest >= -32768 && nearest <= 32767) {
    const std::int16_t r = rt::CInt(x);
    Check(r == nearest,
          [&] { return std::string("CInt(" + Shown(x) + ") = " + std::to_string(r)); });
  } else {
    Check(Refused([&] { return rt::CInt(x); }),
          [&] { return std::string("CInt accepted " + Shown(x)); });
  }
}

void Number_File_Properties(std::string_view text, std::size_t count) {
  const rt::NumberRead read = rt::readNumbers(text, count);
  Check(read.ok() ? read.values.size() == count : read.values.size() < count, [&] {
    return std::string("readNumbers gave " + std::to_string(read.values.size()) + " of " +
                       std::to_string(count));
  });
  if (!read.ok()) return;
  // What was read, written in the file layout, reads back the same in any split over lines.
  const std::string line = rt::formatNumberLine(read.values);
  const rt::NumberRead again = rt::readNumbers(line, count);
  Check(again.ok() && again.values == read.values, "number line did not read back");
  const std::size_t perLine = 1 + count % 5;
  const std::string rows = rt::formatNumberRows((count + perLine - 1) / perLine, perLine,
                                                [&](std::size_t r, std::size_t c) {
                                                  const std::size_t i = r * perLine + c;
                                                  return i < count ? read.values[i] : 0;
                                                });
  const rt::NumberRead third = rt::readNumbers(rows, count);
  Check(third.ok() && third.values == read.values, "number rows did not read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  j5fuzz::Fuzz_Input in(data, size);
  const std::uint8_t mode = in.Byte();
  switch (mode % 3) {
    case 0:
      Text_Properties(in.Rest());
      break;
    case 1:
      while (in.left() >= 8) {
        double x;
        std::memcpy(&x, in.Bytes(8).data(), 8);
        Number_Properties(x);
      }
      break;
    case 2: {
      const std::size_t count = in.Byte() % 40;
      Number_File_Properties(in.Rest(), count);
      break;
    }
  }
  return 0;
}
