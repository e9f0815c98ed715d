// The display of the DTMF record, and the handlers of the check boxes and lists, which the
// display sets off whenever it changes what a control shows.
#include <algorithm>

#include "editors/dtmf/frm_dtmf.h"
#include "shell/program.h"

namespace j5 {

void frm_dtmf::Show_Dtmf() {
  // Encode groups have no Change handler: showing them stores nothing.
  for (int i = 0; i < kGroups; ++i)
    Text_tx_Encode[i].setText(
        Code_Field_Text(data_.Mem_Image.row(kFirstGroupRow + i).first<kDtmfFieldLen>()));

  for (int i = 0; i < 3; ++i) Show_Code(Code_Boxes[i]);
  Show_Bits(std::array<kit::CheckBox*, 2>{&Check_RX, &Check_Tx}, Image(kDecodeRow, kFlagByte));
  for (int i = 3; i < 6; ++i) Show_Code(Code_Boxes[i]);
  Check_Ctrl_En.setValue(Image(kRemoteRow, kFlagByte) != 0 ? 1 : 0);
  for (int i = 6; i < 9; ++i) Show_Code(Code_Boxes[i]);
  Show_Bits(std::array<kit::CheckBox*, 2>{&Check_Ptt_P, &Check_Ptt_S}, Image(kIdRow, kFlagByte));
  Show_Bits(std::array<kit::CheckBox*, 5>{&Check_M[0], &Check_M[1], &Check_M[2], &Check_M[3],
                                          &Check_M[4]},
            Image(kSettingsRow, 0));
  Show_Bits(std::array<kit::CheckBox*, 5>{&Check_S[0], &Check_S[1], &Check_S[2], &Check_S[3],
                                          &Check_S[4]},
            Image(kSettingsRow, 1));

  // A time byte beyond the list shows its last entry (and the list's handler stores that).
  const int last = Combo_Enc_ys1.listCount() - 1;
  Combo_Enc_ys1.setListIndex(std::clamp<int>(Image(kSettingsRow, 2), 0, last));
  Combo_Enc_ys2.setListIndex(std::clamp<int>(Image(kSettingsRow, 3), 0, last));
  // Only the text: the stored group code stays as it is, also one the list does not offer.
  Combo_Enc_qh.setText(Dtmf_Code_To_Char(Image(kSettingsRow, 4)));
}

void frm_dtmf::Show_Code(Code_Box& c) {
  c.box->setText(Code_Field_Text(data_.Mem_Image.row(static_cast<std::size_t>(c.row))
                                     .subspan(c.first)
                                     .first<kDtmfFieldLen>()));
}

void frm_dtmf::Show_Bits(std::span<kit::CheckBox* const> boxes, int value) {
  // The byte was read before the boxes change: their handlers pass it through intermediate
  // values and leave it as it was.
  for (kit::CheckBox* box : boxes) box->setValue(0);
  for (std::size_t n = 0; n < boxes.size(); ++n)
    if ((value >> n) & 1) boxes[n]->setValue(1);
}

void frm_dtmf::Set_Bit(int row, int byte, int bit, const kit::CheckBox& box) {
  std::int16_t& b = Image(row, byte);
  const int mask = 1 << bit;
  b = static_cast<std::int16_t>(box.value() == 1 ? (b | mask) : (b & (0xFF - mask)));
}

void frm_dtmf::Check_Ctrl_En_Click() {
  const bool on = Check_Ctrl_En.value() == 1;
  Text_MID.setEnabled(on);
  for (int n = 0; n < 5; ++n) Check_M[n].setEnabled(on);
  Text_SID.setEnabled(on);
  for (int n = 0; n < 5; ++n) Check_S[n].setEnabled(on);
  Image(kRemoteRow, kFlagByte) = on ? 1 : 0;
}

void frm_dtmf::Combo_Enc_ys1_Click() {
  Image(kSettingsRow, 2) = static_cast<std::int16_t>(Combo_Enc_ys1.listIndex());
}

void frm_dtmf::Combo_Enc_ys2_Click() {
  Image(kSettingsRow, 3) = static_cast<std::int16_t>(Combo_Enc_ys2.listIndex());
}

void frm_dtmf::Combo_Enc_qh_Click() {
  Image(kSettingsRow, 4) = Dtmf_Char_To_Code(Combo_Enc_qh.text());
}

}  // namespace j5
