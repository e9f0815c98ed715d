// The DTMF record bound to the window's controls, in the order the display sets them. Showing a
// control raises its event as a user's change would, and that event stores what it now shows:
// a code field becomes the codes of its text, a time beyond the list its last entry, a non-zero
// remote-control byte 1. The encode groups and the group call code are only shown.
#include "editors/dtmf/frm_dtmf.h"
#include "shell/program.h"

namespace j5 {

using fields::Bits;
using fields::Coded;

void frm_dtmf::Bind_Record() {
  // Encode groups store their whole row when left (dtmf_fields.cpp), not on each change.
  for (int i = 0; i < kGroups; ++i)
    Record.text(Text_tx_Encode[i], Coded{{Dtmf_Encode_Rows.first + i, 0}, Dtmf_Group_Codec()},
                false);

  auto code = [this](int box) {
    Record.text(*Code_Boxes[box].box, Coded{Code_Boxes[box].at, Dtmf_Field_Codec()});
  };
  for (int box : {0, 1, 2}) code(box);
  Record.checks({Dtmf_Decode_Row, kFlagByte}, {{Check_RX, 0x01}, {Check_Tx, 0x02}});
  for (int box : {3, 4, 5}) code(box);
  Record.check(Check_Ctrl_En, Bits{{Dtmf_Remote_Row, kFlagByte}});
  Check_Ctrl_En.Click = [this] { Check_Ctrl_En_Click(); };
  for (int box : {6, 7, 8}) code(box);
  Record.checks({Dtmf_Id_Row, kFlagByte}, {{Check_Ptt_P, 0x01}, {Check_Ptt_S, 0x02}});
  for (int byte : {0, 1}) {
    kit::ControlArray<kit::CheckBox>& boxes = byte == 0 ? Check_M : Check_S;
    std::vector<fields::BitBox> bits;
    for (int n = 0; n < 5; ++n) bits.push_back({boxes[n], 1 << n});
    Record.checks({Dtmf_Settings_Row, byte}, std::move(bits));
  }
  Record.list(Combo_Enc_ys1, Bits{{Dtmf_Settings_Row, 2}});
  Record.list(Combo_Enc_ys2, Bits{{Dtmf_Settings_Row, 3}});
  // The group code shows as text only, so a code the list does not offer ("D") is kept.
  const fields::Field group{Coded{{Dtmf_Settings_Row, 4}, Dtmf_Char_Codec()}};
  Combo_Enc_qh.Click = Record.custom(
      Combo_Enc_qh, [this, group] { Combo_Enc_qh.setText(group.text(Record.cells())); },
      [this, group] { group.setText(Record.cells(), Combo_Enc_qh.text()); });
}

void frm_dtmf::Show_Dtmf() {
  Record.show();
  // A code box being edited now starts from what it shows.
  for (Code_Box& c : Code_Boxes)
    if (c.box->hasFocus()) Code_Box_GotFocus(c);
}

void frm_dtmf::Check_Ctrl_En_Click() {
  const bool on = Check_Ctrl_En.value() == 1;
  Text_MID.setEnabled(on);
  for (int n = 0; n < 5; ++n) Check_M[n].setEnabled(on);
  Text_SID.setEnabled(on);
  for (int n = 0; n < 5; ++n) Check_S[n].setEnabled(on);
  Record.store(Check_Ctrl_En);
}

}  // namespace j5
