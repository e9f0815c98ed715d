#include "data/codecs.h"

#include <algorithm>
#include <cmath>

#include "data/encodings.h"
#include "data/tables.h"
#include "platform/runtime.h"

namespace j5 {

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
            if (high != 0) return Tone_Code_Text(low, high);
            const int entry = low + kDcsNameOffset;
            if (entry < 0 || entry >= static_cast<int>(toneNames.size())) return "";
            return toneNames[static_cast<std::size_t>(entry)];
          },
          [&toneNames](std::span<std::int16_t> b, std::string_view text) {
            const std::string s = rt::Trim(text);
            std::optional<Tone_Bytes> code;
            if (s == "OFF") {
              code = kToneOff;
            } else if (const double v = rt::Val_Or_Zero(s); v >= 60 && v <= 259.9) {
              code = Tone_Code_Bytes(v);
            } else {
              const int last = std::min<int>(kToneNameLast, static_cast<int>(toneNames.size()) - 1);
              for (int i = kDcsNameOffset + 1; i <= last && !code; ++i)
                if (rt::Trim(toneNames[static_cast<std::size_t>(i)]) == s)
                  code = Tone_Bytes{i - kDcsNameOffset, 0};
            }
            if (!code) return false;
            b[0] = static_cast<std::int16_t>((*code)[0]);
            b[1] = static_cast<std::int16_t>((*code)[1]);
            return true;
          }};
}

std::optional<Tone_Bytes> Tone_Code_Bytes(double hz) {
  const double code = std::nearbyint(hz * 10);  // the default rounding: a half to even
  if (!(code >= 0 && code <= 0xFFFF)) return std::nullopt;
  const int v = static_cast<int>(code);
  return Tone_Bytes{v % 256, v / 256};
}

std::string Tone_Code_Text(int low, int high) {
  return Tone_Text((256 * high + low) / 10.0);
}

Tone_Shown Tone_List_Shown(int low, int high, int dcsOffset, int unknownDcs) {
  if ((low == 0 && high == 0) || low == 255 || high == 255) return {0, {}};
  if (high == 0) return {low >= 1 && low <= kDcsCodeCount ? dcsOffset + low : unknownDcs, {}};
  return {-1, Tone_Code_Text(low, high)};
}

Tone_Bytes Tone_Pick_Code(int index, std::string_view text, int dcsOffset) {
  if (index == 0) return kToneOff;
  if (index > dcsOffset) return {index - dcsOffset, 0};
  return Tone_Code_Bytes(rt::Val_Unbounded(text)).value_or(kToneOff);
}

}  // namespace j5
