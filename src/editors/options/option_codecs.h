#pragma once
// The byte encodings of the optional features window's own records, as codecs
// for its field bindings.

#include <array>
#include <cstdint>
#include <span>

#include "data/fields.h"

namespace j5::opt {

// A codec's cells as an array of N values, and back (the option window copies use them too).
template <std::size_t N>
std::array<int, N> Bytes_Of(std::span<const std::int16_t> bytes) {
  std::array<int, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = bytes[i];
  return out;
}

template <std::size_t N>
void Put(std::span<std::int16_t> bytes, const std::array<int, N>& values) {
  for (std::size_t i = 0; i < N; ++i) bytes[i] = static_cast<std::int16_t>(values[i]);
}

// Freq_Digits: eight bytes of one decimal digit each, 100 MHz first, 10 Hz
// last. Shows the frequency as the window does ("136.02500"); stores a
// frequency text that the window has already checked and snapped.
fields::Codec Freq_Digits_Codec();

// Offset_Digits: six digit bytes in kHz, the 100 MHz byte always 0. Shows
// "05.000"; stores an offset text already put on the 5 kHz grid.
fields::Codec Offset_Digits_Codec();

// Pon_Line: seven Disp_Char bytes of one power-on line, centred with blanks.
fields::Codec Pon_Line_Codec();

}  // namespace j5::opt
