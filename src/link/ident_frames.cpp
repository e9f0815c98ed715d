#include "link/ident_frames.h"

#include "data/bands.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

int Band_Limit_Pair(std::uint8_t hundreds, std::uint8_t tensUnits) {
  return 100 * hundreds + 10 * (tensUnits / 16) + tensUnits % 16;
}

std::string Ident_Band_Text(const std::string& label, double low, double high) {
  return label + rt::Str(low) + "--" + rt::Str(high) + " MHZ";
}

namespace {

int Digits3(const Ident_Frame& f, int at) {
  return 100 * f.bytes[at] + 10 * f.bytes[at + 1] + f.bytes[at + 2];
}

// The characters of bytes first..last, each shown as the character with its code.
std::string Chars(const Ident_Frame& f, int first, int last) {
  std::string s;
  for (int i = first; i <= last; ++i) {
    const std::uint8_t b = f.bytes[static_cast<std::size_t>(i)];
    if (b < 0x80) {
      s += static_cast<char>(b);
    } else {
      s += static_cast<char>(0xC0 | b >> 6);
      s += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return s;
}

// A band as the windows keep it, low limit first whichever way the radio gave it; `above` raises
// the upper limit where a window keeps it one above the radio's.
void Keep_Band(double& low, double& high, double a, double b, double above) {
  const Band_Span band = Band_Between(a, b);
  low = band.low;
  high = band.high + above;
}

}  // namespace

void Store_Ident14(Program& program, const Ident_Frame& f) {
  Shared_Data& d = program.data;
  auto limit = [&f](int at) { return Band_Limit_Pair(f.bytes[at], f.bytes[at + 1]); };
  d.VHF_Low = limit(1);
  d.VHF_High = limit(3);
  d.UHF0_Low = limit(5);
  d.UHF0_High = limit(7);
  d.UHF1_Low = limit(9);
  d.UHF1_High = limit(11);
  program.Set_Panel(7, Ident_Band_Text("VHF:", d.VHF_Low, d.VHF_High));
  program.Set_Panel(8, Ident_Band_Text("UHF0:", d.UHF0_Low, d.UHF0_High));
  program.Set_Panel(9, Ident_Band_Text("UHF1:", d.UHF1_Low, d.UHF1_High));
}

void Store_Ident8(Program& program, const Ident_Frame& f) {
  Shared_Data& d = program.data;
  // The first band's hundreds are implied (100 MHz); the second band's come in a whole byte.
  const double aLow = Band_Limit_Pair(1, f.bytes[1]), aHigh = Band_Limit_Pair(1, f.bytes[2]);
  const double bLow = Band_Limit_Pair(f.bytes[3], f.bytes[4]);
  const double bHigh = Band_Limit_Pair(f.bytes[5], f.bytes[6]);
  program.Set_Panel(7, Ident_Band_Text("VHF:", aLow, aHigh));
  program.Set_Panel(8, Ident_Band_Text("UHF:", bLow, bHigh));
  Keep_Band(d.Band_A_Low, d.Band_A_High, aLow, aHigh, 0);
  Keep_Band(d.Band_B_Low, d.Band_B_High, bLow, bHigh, 0);
  d.VHF_Low = d.Band_A_Low;
  d.VHF_High = d.Band_A_High;
  d.UHF0_Low = d.Band_B_Low;
  d.UHF0_High = d.Band_B_High;
}

void Store_Ident8_Dec(Program& program, const Ident_Frame& f) {
  Shared_Data& d = program.data;
  const double low = Digits3(f, 1), high = Digits3(f, 4);
  program.Set_Panel(8, Ident_Band_Text("", low, high));
  program.Set_Panel(10, Ident_Band_Text("", low, high));
  Keep_Band(d.Band_A_Low, d.Band_A_High, low, high, 1);
  Keep_Band(d.Band_B_Low, d.Band_B_High, low, high, 1);
  d.VHF_Low = d.Band_A_Low;
  d.VHF_High = d.Band_A_High;
}

void Store_Ident50(Program& program, const Ident_Frame& f) {
  Shared_Data& d = program.data;
  const int aLow = Digits3(f, 1), aHigh = Digits3(f, 4);
  const int bLow = Digits3(f, 7), bHigh = Digits3(f, 10);
  auto whole = [](int v) { return std::to_string(v); };
  program.Set_Panel(8, whole(aLow) + "--" + whole(aHigh) + " MHZ");
  program.Set_Panel(10, whole(bLow) + "--" + whole(bHigh) + " MHZ");
  Keep_Band(d.Band_A_Low, d.Band_A_High, aLow, aHigh, 1);
  Keep_Band(d.Band_B_Low, d.Band_B_High, bLow, bHigh, 1);
  d.VHF_Low = d.Band_A_Low;
  d.VHF_High = d.Band_A_High;
  program.Set_Panel(2, Chars(f, 17, 22));
  program.Set_Panel(4, Chars(f, 33, 38) + "--" + Chars(f, 39, 44) + "--" + Chars(f, 45, 48));
  program.Set_Panel(6, Chars(f, 23, 24) + "." + Chars(f, 25, 26) + "." + Chars(f, 27, 27) + "." +
                           Chars(f, 28, 28));
}

}  // namespace j5
