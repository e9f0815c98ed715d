#include "editors/fm/fm_record.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/five_tone.h"
#include "platform/runtime.h"
#include "platform/utf8.h"

namespace j5::fm {

namespace {

// First name byte for a name of L characters (index L): six fill bytes 8-13, one sits in byte 11.
constexpr std::array<int, 7> kNameStart = {0, 11, 11, 10, 10, 9, 8};

int Digit_At(std::string_view s, std::size_t pos) {
  return pos < s.size() && s[pos] >= '0' && s[pos] <= '9' ? s[pos] - '0' : 0;
}

}  // namespace

std::string Cov_Freq(std::span<const std::int16_t> d) {
  const double v = 100.0 * d[0] + 10.0 * d[1] + d[2] + 0.1 * d[3] + 0.01 * d[4] + 0.001 * d[5] +
                   0.0001 * d[6] + 0.00001 * d[7];
  // Below 1000 MHz the value has five decimals at most, whatever the bytes: it is written with
  // them all and two integer digits at least ("05.00000", "00.00001"), never in the exponent
  // form, so the encoder finds each digit where it puts it. Above, its shortest form padded
  // with zeros to nine characters ("1046.5000").
  if (v < 1000) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*.5f", v >= 100 ? 9 : 8, v);
    return buf;
  }
  std::string t = rt::Trim(rt::Str(v));
  if (t.size() < 9 && t.find('.') == std::string::npos) t += ".";
  if (t.size() < 9) t.append(9 - t.size(), '0');
  return t;
}

std::string Cov_i2b(int x) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%02X", x & 0xFF);
  return std::string(buf) + " ";
}

fields::Codec Fm_Freq_Codec() {
  return {8,
          [](std::span<const std::int16_t> b) -> std::string {
            int sum = 0;
            for (std::int16_t v : b) sum += v;
            return sum == 0 ? std::string() : Cov_Freq(b);
          },
          [](std::span<std::int16_t> b, std::string_view text) {
            // Three integer digits, however few the text has: "5.00000" is 005.00000, not 50.
            std::string f = rt::Trim(text);
            const std::size_t point = std::min(f.find('.'), f.size());
            if (!f.empty() && point < 3) f.insert(0, 3 - point, '0');
            constexpr std::size_t kPos[8] = {0, 1, 2, 4, 5, 6, 7, 8};  // the point is skipped
            for (std::size_t i = 0; i < 8; ++i)
              b[i] = static_cast<std::int16_t>(f.empty() ? 0 : Digit_At(f, kPos[i]));
            return true;
          }};
}

fields::Codec Fm_Name_Codec() {
  return {8,
          [](std::span<const std::int16_t> b) {
            std::string name;
            for (std::int16_t v : b)
              if (v > 32 && v < 128) name += static_cast<char>(v);
            return name;
          },
          [](std::span<std::int16_t> b, std::string_view text) {
            for (auto& v : b) v = 255;
            const std::string s = rt::Trim(text);
            const int len = std::min(kit::utf8::length(s), kNameMax);
            std::size_t pos = 0;
            for (int i = 0; i < len; ++i) {
              const char32_t cp = kit::utf8::decode(s, pos);
              const int code = cp <= 0xFF ? static_cast<int>(cp) : '?';
              b[static_cast<std::size_t>(kNameStart[static_cast<std::size_t>(len)] - 8 + i)] =
                  static_cast<std::int16_t>(code);
            }
            return true;
          }};
}

fields::Codec Fm_Band_Codec() {
  return {3,
          [](std::span<const std::int16_t> b) -> std::string {
            for (std::int16_t v : b)
              if (v < 0 || v > 9) return {};
            return Fmt_FM_Freq(std::to_string(100 * b[0] + 10 * b[1] + b[2]), 0);
          },
          [](std::span<std::int16_t> b, std::string_view text) {
            const double v = rt::Val_Unbounded(rt::Trim(text));
            // A half goes to the even neighbour, as the boxes show it.
            if (!(v > -0.5 && v < 999.5)) return false;
            const int mhz = rt::CInt(v);
            if (mhz < 0 || mhz > 999) return false;
            b[0] = static_cast<std::int16_t>(mhz / 100);
            b[1] = static_cast<std::int16_t>(mhz / 10 % 10);
            b[2] = static_cast<std::int16_t>(mhz % 10);
            return true;
          }};
}

const fields::Column& Freq_Column() {
  static const fields::Column c{1, fields::Coded{{0, 0}, Fm_Freq_Codec()}};
  return c;
}

const fields::Column& Name_Column() {
  static const fields::Column c{2, fields::Coded{{0, 8}, Fm_Name_Codec()}};
  return c;
}

const std::array<fields::Field, 4>& Band_Fields() {
  static const std::array<fields::Field, 4> f{
      fields::Coded{{kBandRow, 0}, Fm_Band_Codec()}, fields::Coded{{kBandRow, 3}, Fm_Band_Codec()},
      fields::Coded{{kBandRow, 6}, Fm_Band_Codec()}, fields::Coded{{kBandRow, 9}, Fm_Band_Codec()}};
  return f;
}

std::string Freq_Cell_Text(double mhz) {
  // A hair above the value, so that 88.9 (88.899999...) keeps its last decimal.
  const auto units = static_cast<long long>(std::floor(mhz * 100000 + 1e-6));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld.%05lld", units / 100000, units % 100000);
  return buf;
}

std::string Name_Cell_Text(std::string_view text) {
  std::string s = rt::Trim(text);
  s.resize(kit::utf8::offset(s, kNameMax));
  for (char& ch : s)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return s;
}

}  // namespace j5::fm
