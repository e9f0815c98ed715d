#include "link/ident_frames.h"

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
  d.Band_A_Low = Band_Limit_Pair(1, f.bytes[1]);
  d.Band_A_High = Band_Limit_Pair(1, f.bytes[2]);
  d.Band_B_Low = Band_Limit_Pair(f.bytes[3], f.bytes[4]);
  d.Band_B_High = Band_Limit_Pair(f.bytes[5], f.bytes[6]);
  program.Set_Panel(7, Ident_Band_Text("VHF:", d.Band_A_Low, d.Band_A_High));
  program.Set_Panel(8, Ident_Band_Text("UHF:", d.Band_B_Low, d.Band_B_High));
  d.VHF_Low = d.Band_A_Low;
  d.VHF_High = d.Band_A_High;
  d.UHF0_Low = d.Band_B_Low;
  d.UHF0_High = d.Band_B_High;
}

void Store_Ident8_Dec(Program& program, const Ident_Frame& f) {
  Shared_Data& d = program.data;
  d.Band_A_Low = d.Band_B_Low = Digits3(f, 1);
  d.Band_A_High = d.Band_B_High = Digits3(f, 4);
  program.Set_Panel(8, Ident_Band_Text("", d.Band_A_Low, d.Band_A_High));
  program.Set_Panel(10, Ident_Band_Text("", d.Band_B_Low, d.Band_B_High));
  d.Band_A_High += 1;
  d.VHF_Low = d.Band_A_Low;
  d.VHF_High = d.Band_A_High;
  d.Band_B_High += 1;
}

void Store_Ident50(Program& program, const Ident_Frame& f) {
  Shared_Data& d = program.data;
  d.Band_A_Low = Digits3(f, 1);
  d.Band_A_High = Digits3(f, 4);
  d.Band_B_Low = Digits3(f, 7);
  d.Band_B_High = Digits3(f, 10);
  auto whole = [](double v) { return std::to_string(static_cast<long>(v)); };
  program.Set_Panel(8, whole(d.Band_A_Low) + "--" + whole(d.Band_A_High) + " MHZ");
  program.Set_Panel(10, whole(d.Band_B_Low) + "--" + whole(d.Band_B_High) + " MHZ");
  d.VHF_Low = d.Band_A_Low;
  d.Band_A_High += 1;
  d.VHF_High = d.Band_A_High;
  d.Band_B_High += 1;
  program.Set_Panel(2, Chars(f, 17, 22));
  program.Set_Panel(4, Chars(f, 33, 38) + "--" + Chars(f, 39, 44) + "--" + Chars(f, 45, 48));
  program.Set_Panel(6, Chars(f, 23, 24) + "." + Chars(f, 25, 26) + "." + Chars(f, 27, 27) + "." +
                           Chars(f, 28, 28));
}

}  // namespace j5
