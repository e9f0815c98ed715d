#include "data/tables.h"

#include "platform/runtime.h"

namespace j5 {

std::string Tone_Text(double hz) {
  std::string text = rt::Trim(rt::Str(hz));
  if (hz - rt::Int(hz) == 0) text += ".0";
  return text;
}

void Init_Tone_Table(Shared_Data& data) {
  auto& names = data.Tone_Name;
  names[0] = "   OFF      ";
  for (std::size_t i = 0; i < kCtcssTenths.size(); ++i) {
    const int tenths = kCtcssTenths[i];
    const std::string tone = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    // The blanks keep the texts lined up in the lists: three before a two-digit tone, two before
    // a three-digit one; the tail differs between the tones below and above 91.5 Hz.
    if (tenths < 900) {
      names[1 + i] = "   " + tone + "    ";
    } else if (tenths < 1000) {
      names[1 + i] = "  " + tone + "    ";
    } else {
      names[1 + i] = "  " + tone + "   ";
    }
  }
  for (std::size_t i = 0; i < kDcsCodes.size(); ++i) {
    const std::string code(kDcsCodes[i]);
    names[51 + i] = (i < 49 ? "  D" : " D") + code + "N   ";
    names[156 + i] = " D" + code + "I   ";
  }

  auto& list = data.Tone_List;
  list[0] = "OFF";
  for (int i = 600; i <= 2599; ++i) list[i - 599] = Tone_Text(i / 10.0);
  for (int n = 1; n <= 210; ++n) list[kDcsListOffset + n] = rt::Trim(names[kDcsNameOffset + n]);
}

void Init_Model_Band(Shared_Data& data) {
  for (std::size_t m = 0; m < kModelCount; ++m) {
    data.Model_Name[m] = std::string(kModelNames[m]);
    for (std::size_t k = 0; k < kModelLimits; ++k) data.Model_Band(m, k) = kModelBands[m][k];
  }
  data.VHF_Low = data.Model_Band(data.Model_Index, 0);
  data.VHF_High = data.Model_Band(data.Model_Index, 1);
}

void Init_Opt_Id(Shared_Data& data) {
  for (std::size_t k = 0; k <= 45; ++k) data.Opt_Id[k] = kOptId[k];
}

}  // namespace j5
