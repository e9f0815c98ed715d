#include "editors/options/option_codecs.h"

#include <cmath>

#include "editors/options/option_text.h"
#include "platform/runtime.h"

namespace j5::opt {

fields::Codec Freq_Digits_Codec() {
  return {8,
          [](std::span<const std::int16_t> bytes) { return Freq_Digits_Text(Bytes_Of<8>(bytes)); },
          [](std::span<std::int16_t> bytes, std::string_view text) {
            const double units = std::round(rt::Val_Or_Zero(std::string(text)) * 100000);
            if (units < 0 || units >= 1e8) return false;
            Put(bytes, Freq_To_Digits(static_cast<long long>(units)));
            return true;
          }};
}

fields::Codec Offset_Digits_Codec() {
  return {
      6, [](std::span<const std::int16_t> bytes) { return Offset_Digits_Text(Bytes_Of<6>(bytes)); },
      [](std::span<std::int16_t> bytes, std::string_view text) {
        const double kHz = std::round(rt::Val_Or_Zero(std::string(text)) * 1000);
        if (kHz < 0 || kHz >= 100000) return false;
        Put(bytes, Offset_To_Digits(static_cast<int>(kHz)));
        return true;
      }};
}

fields::Codec Pon_Line_Codec() {
  return {7, [](std::span<const std::int16_t> bytes) { return Pon_Decode(Bytes_Of<7>(bytes)); },
          [](std::span<std::int16_t> bytes, std::string_view text) {
            Put(bytes, Pon_Encode(std::string(text)));
            return true;
          }};
}

}  // namespace j5::opt
