#include "data/encodings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/codecs.h"
#include "platform/runtime.h"

namespace j5 {

using rt::Int;

namespace {

// A digit that floating-point noise pushed outside a nibble is held inside it, so a byte never
// leaves 0..255.
std::uint8_t packNibbles(double high, double low) {
  const auto nibble = [](double d) { return static_cast<int>(std::clamp(d, 0.0, 15.0)); };
  return static_cast<std::uint8_t>(16 * nibble(high) + nibble(low));
}

// A frequency in MHz as text with exactly one decimal point (below 10 MHz the text of the number
// already has one), padded with zeros to width characters.
std::string Freq_Text(double mhz, std::size_t width) {
  std::string text = rt::Trim(rt::Str(mhz));
  if (text.find('E') != std::string::npos) {
    // Below 100 Hz the text of a number takes the exponent form; a frequency never does.
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, mhz, std::chars_format::fixed, 5);
    text.assign(buffer, end.ptr);
  }
  if (text.find('.') == std::string::npos) text += '.';
  if (text.size() < width) text.append(width - text.size(), '0');
  return text;
}

}  // namespace

namespace {

struct Snapped {
  std::string text;  // nine characters, "145.01250"
  BcdFreq bcd;
};

std::optional<Snapped> Snap_Freq(std::string_view text) {
  const double mhz = rt::Val_Unbounded(text);
  if (!std::isfinite(mhz)) return std::nullopt;
  const double f = mhz * 1000;  // kHz
  const double a = Int((f + 0.001) / 2.5);
  const double ra = Int((f - a * 2.5) * 100) / 100;
  const double b = Int((f + 0.001) / 6.25);
  const double rb = Int((f - b * 6.25) * 100) / 100;
  const double e = rb < ra ? b * 6.25 : a * 2.5;
  if (!(e >= 0 && e / 1000 < kFreqLimitMHz)) return std::nullopt;

  const std::string snapped = Freq_Text(e / 1000, 9);
  const auto bcd = Cov_Freq2Bcd(snapped);
  if (!bcd) return std::nullopt;
  return Snapped{snapped, *bcd};
}

}  // namespace

bool Set_Freq(MemImage& image, std::string& text, int row, int column) {
  // Look every cell up before writing, so a bad position changes nothing.
  std::int16_t* cells[4] = {&image(row, column), &image(row, column + 1), &image(row, column + 2),
                            &image(row, column + 3)};
  return Set_Freq(std::span<std::int16_t* const, 4>(cells), text);
}

bool Set_Freq(std::span<std::int16_t* const, 4> cells, std::string& text) {
  const auto s = Snap_Freq(text);
  if (!s) return false;
  for (int i = 0; i < 4; ++i) *cells[i] = s->bcd[3 - i];
  text = s->text;
  return true;
}

std::optional<BcdFreq> Cov_Freq2Bcd(std::string_view text) {
  const double v = rt::Val_Unbounded(text);
  if (!(v >= 0 && v < kFreqLimitMHz)) return std::nullopt;
  const double h100 = Int(v / 100);
  const double h10 = Int((v - 100 * h100) / 10);
  const double units = Int(v - 100 * h100 - 10 * h10);
  // The 1e-9 keeps a fraction such as 0.1, held as 0.0999999..., from losing a unit.
  const double k = (v - Int(v) + 1e-9) * 1000;
  const double d1 = Int(k / 100);
  const double d2 = Int((k - 100 * d1) / 10);
  const double d3 = Int(k - 100 * d1 - 10 * d2);
  const double hz = (k - Int(k) + 1e-9) * 1000;
  const double d4 = Int(hz / 100);
  const double d5 = Int((hz - 100 * d4) / 10);
  return BcdFreq{packNibbles(h100, h10), packNibbles(units, d1), packNibbles(d2, d3),
                 packNibbles(d4, d5)};
}

std::string Cov_Bcd2Freq(int p0, int p1, int p2, int p3) {
  const auto hi = [](int x) { return Int(x / 16.0); };
  const auto lo = [&](int x) { return x - 16 * hi(x); };
  double s = 100 * hi(p3) + 10 * lo(p3) + hi(p2);
  s += 0.1 * lo(p2);
  s += 0.01 * hi(p1);
  s += 0.001 * lo(p1);
  s += 0.0001 * hi(p0);
  s += 0.00001 * lo(p0);
  const std::string text = rt::Trim(rt::Str(s));
  // Nine characters or more: only the empty pattern and nibbles above 9 come out so long.
  if (text.size() >= 9) return text;
  return Freq_Text(s, s >= 100 ? 9 : 8);
}

bool Set_Tone(MemImage& image, std::string_view text, int row, int column) {
  std::int16_t& low = image(row, column);
  std::int16_t& high = image(row, column + 1);
  if (text == "FF") {
    low = kEmptyByte;
    high = kEmptyByte;
    return true;
  }
  const double value = rt::Val_Unbounded(text);
  if (!(value > 0 && value < 255)) return false;
  const Tone_Bytes code = *Tone_Code_Bytes(value);
  low = static_cast<std::int16_t>(code[0]);
  high = static_cast<std::int16_t>(code[1]);
  return true;
}

int Cov_Char2b(std::string_view text) {
  if (text.size() != 1) return 11;
  const char c = text[0];
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '+' || c == '-' || c == ' ') {
    return c;
  }
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  return 11;
}

std::string Cov_b2Char(int code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || code == '+' || code == '-' ||
      code == ' ') {
    return std::string(1, static_cast<char>(code));
  }
  return {};
}

}  // namespace j5
