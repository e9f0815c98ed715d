#include "data/five_tone.h"

#include <cmath>

#include "data/tables.h"
#include "platform/runtime.h"

namespace j5 {

int Tone5_Divider(double hz) {
  if (hz <= 0) return 0;
  return static_cast<int>(std::ceil(kToneClockHz / hz)) - 1;
}

void Set_Tone5_Digit(Shared_Data& data, std::size_t s, std::size_t d, double f) {
  std::string name = "   " + Tone_Text(f);
  if (name.size() < 11) name.append(11 - name.size(), ' ');
  data.Tone5_Std_Name(s, d) = name;
  const int whole = static_cast<int>(rt::Int(f));
  data.Tone5_Freq_Lo(s, d) = static_cast<std::int16_t>(whole % 256);
  data.Tone5_Freq_Hi(s, d) = static_cast<std::int16_t>(whole / 256);
  const int divider = Tone5_Divider(f);
  data.Tone5_Div_Lo(s, d) = static_cast<std::int16_t>(divider % 256);
  data.Tone5_Div_Hi(s, d) = static_cast<std::int16_t>(divider / 256);
}

void Init_Tone5_Std(Shared_Data& data) {
  for (std::size_t s = 0; s < static_cast<std::size_t>(kTone5NamedStandards); ++s)
    for (std::size_t d = 0; d < 16; ++d) Set_Tone5_Digit(data, s, d, kTone5Freq[s][d]);
}

int Std_Name2Index(std::string& name) {
  name = rt::Trim(name);
  for (int s = 0; s < kTone5NamedStandards; ++s) {
    if (name == kTone5StdNames[s]) return s;
  }
  return kNoStandard;
}

std::string Std_Index2Name(int index) {
  if (index < 0 || index >= kTone5NamedStandards) return {};
  return std::string(kTone5StdNames[index]);
}

void Load_Page_Buf(const FrameStore& blocks, PageBuffer& page, int& r) {
  const int first = r;
  for (int q = 0; q < 4; ++q) {
    for (int j = 0; j < 4; ++j) {
      for (int i = 0; i < 16; ++i) page(4 * q + j, i) = blocks(first + q, 5 + 16 * j + i);
    }
  }
  r = first + 3;
}

std::string Get_Call_Type(const Shared_Data& data, int n) {
  if (n < 0 || n > 8) return {};
  return data.Lang_Text[10 + n];
}

std::string Fmt_FM_Freq(std::string_view text, int /*mode*/) {
  const int mhz = rt::CInt(rt::Val(text) / 100 * 100);
  return rt::Trim(rt::Str(mhz)) + ".00000";
}

}  // namespace j5
