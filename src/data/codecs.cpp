#include "data/codecs.h"

#include <algorithm>
#include <tuple>

#include "data/encodings.h"
#include "data/tables.h"
#include "platform/runtime.h"

namespace j5 {

namespace {

double Value_Of(std::string_view text) {
  try {
    return rt::Val(text);
  } catch (const rt::OverflowError&) {
    return 0;
  }
}

}  // namespace

fields::Codec Freq_Bcd4_Codec() {
  return {4,
          [](std::span<const std::int16_t> b) -> std::string {
            if (b[0] == kEmptyByte) return "";
            return Cov_Bcd2Freq(b[0], b[1], b[2], b[3]);
          },
          [](std::span<std::int16_t> b, std::string_view text) {
            std::int16_t* cells[4] = {&b[0], &b[1], &b[2], &b[3]};
            std::string copy(text);
            return Set_Freq(std::span<std::int16_t* const, 4>(cells), copy);
          }};
}

fields::Codec Tone_Code_Codec(const std::vector<std::string>& toneNames) {
  return {2,
          [&toneNames](std::span<const std::int16_t> b) -> std::string {
            const int low = b[0], high = b[1];
            if ((low == 0 && high == 0) || (low == 255 && high == 255)) return "OFF";
            if (high != 0) return Tone_Text((high * 256 + low) / 10.0);
            const int entry = low + kDcsNameOffset;
            if (entry < 0 || entry >= static_cast<int>(toneNames.size())) return "";
            return toneNames[static_cast<std::size_t>(entry)];
          },
          [&toneNames](std::span<std::int16_t> b, std::string_view text) {
            const std::string s = rt::Trim(text);
            int low = -1, high = 0;
            if (s == "OFF") {
              low = 0;
            } else if (const double v = Value_Of(s); v >= 60 && v <= 259.9) {
              std::tie(low, high) = Tone_Code_Bytes(v);
            } else {
              const int last = std::min<int>(kToneNameLast, static_cast<int>(toneNames.size()) - 1);
              for (int i = kDcsNameOffset + 1; i <= last && low < 0; ++i)
                if (rt::Trim(toneNames[static_cast<std::size_t>(i)]) == s) low = i - kDcsNameOffset;
            }
            if (low < 0) return false;
            b[0] = static_cast<std::int16_t>(low);
            b[1] = static_cast<std::int16_t>(high);
            return true;
          }};
}

std::pair<int, int> Tone_Code_Bytes(double hz) {
  const int code = rt::CInt(hz * 10);
  const int high = code / 256;
  return {code - 256 * high, high};
}

}  // namespace j5
