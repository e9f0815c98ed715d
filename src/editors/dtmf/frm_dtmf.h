#pragma once
// The DTMF editor: the fifteen encode groups, the radio's own ID with its two PTT send options,
// the DTMF on and off times and the group call code of the DTMF record (image rows 176..207).
// The remote-control decode codes, the master and vice control IDs with their permissions and
// the receive and transmit disable states lie in frames nobody shows: the display still sets
// them, and their handlers store what they show, so the record stays as the window shows it.
//
// The window keeps no copy of the record: every handler writes the image at once, and every
// activation shows the image afresh. The window also carries a transfer of the record with the
// radio, behind Read and Write buttons nothing shows. The work is split by concern: frm_dtmf.cpp
// (controls, captions, layout, lists, the buttons and closing), dtmf_display.cpp (the record's
// bindings), dtmf_fields.cpp (the code boxes and encode groups), dtmf_transfer.cpp (the transfer).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/image_rows.h"
#include "editors/dtmf/dtmf_code.h"
#include "editors/fields.h"
#include "link/link_engine.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;
struct Shared_Data;

class frm_dtmf : public kit::Form, private Link_Listener {
  Program& prog_;
  Shared_Data& data_;

 public:
  explicit frm_dtmf(Program& program);

  // Encode group i + 1 is row Dtmf_Encode_Rows.first + i; the decode, remote and ID rows keep
  // their flags in their last byte.
  static constexpr int kGroups = Dtmf_Encode_Rows.Count();
  static constexpr int kFlagByte = 15;

  // Controls in keyboard order: what the user operates first, the hidden parts after.
  kit::Frame Frame_encode{*this, "Frame_encode"};
  kit::Label Label_encode_xh{*this, "Label_encode_xh"};
  kit::Label Label_tx_encode{*this, "Label_tx_encode"};
  kit::ControlArray<kit::Label> Label_xh{*this, "Label_xh", kGroups};
  kit::ControlArray<kit::TextBox> Text_tx_Encode{*this, "Text_tx_Encode", kGroups};
  kit::Label Label_dtmf_ontime{*this, "Label_dtmf_ontime"};
  kit::ComboBox Combo_Enc_ys1{*this, "Combo_Enc_ys1"};
  kit::Label Label_dtmf_offtime{*this, "Label_dtmf_offtime"};
  kit::ComboBox Combo_Enc_ys2{*this, "Combo_Enc_ys2"};
  kit::Label Label_Group_code{*this, "Label_Group_code"};
  kit::ComboBox Combo_Enc_qh{*this, "Combo_Enc_qh"};
  kit::Frame Frame_ANI_Code{*this, "Frame_ANI_Code"};
  kit::TextBox Text_Ani{*this, "Text_Ani"};
  kit::CheckBox Check_Ptt_P{*this, "Check_Ptt_P"};
  kit::CheckBox Check_Ptt_S{*this, "Check_Ptt_S"};
  kit::Frame Frame_State{*this, "Frame_State"};
  kit::CheckBox Check_RX{*this, "Check_RX"};
  kit::CheckBox Check_Tx{*this, "Check_Tx"};
  kit::CommandButton Command_def{*this, "Command_def"};
  kit::CommandButton Command_close{*this, "Command_close"};
  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};

  kit::Frame Frame_Decode{*this, "Frame_Decode"};
  kit::Label Label_xc{*this, "Label_xc"};
  kit::TextBox Text_XC{*this, "Text_XC"};
  kit::Label Label_jt{*this, "Label_jt"};
  kit::TextBox Text_JT{*this, "Text_JT"};
  kit::Label Label_bj{*this, "Label_bj"};
  kit::TextBox Text_BJ{*this, "Text_BJ"};
  kit::Label Label_yy{*this, "Label_yy"};
  kit::TextBox Text_YY{*this, "Text_YY"};
  kit::Label Label_yb{*this, "Label_yb"};
  kit::TextBox Text_YB{*this, "Text_YB"};
  kit::Label Label_kj{*this, "Label_kj"};
  kit::TextBox Text_KJ{*this, "Text_KJ"};

  kit::Frame Frame_Ctrl{*this, "Frame_Ctrl"};
  kit::CheckBox Check_Ctrl_En{*this, "Check_Ctrl_En"};
  kit::Label Label_xcjtyyybkj_1{*this, "Label_xcjtyyybkj_1"};
  kit::Label Label_xcjtyyybkj_2{*this, "Label_xcjtyyybkj_2"};
  kit::Label Label_PID{*this, "Label_PID"};
  kit::TextBox Text_MID{*this, "Text_MID"};
  kit::ControlArray<kit::CheckBox> Check_M{*this, "Check_M", 5};
  kit::Label Label_SID{*this, "Label_SID"};
  kit::TextBox Text_SID{*this, "Text_SID"};
  kit::ControlArray<kit::CheckBox> Check_S{*this, "Check_S", 5};

  // The transfer: the link with its serial port and timers, and its progress piece.
  Transfer_Link Transfer;
  Link_Engine& Link = Transfer.Link;
  kit::Label& Label_tr_count = Transfer.Progress.Label_tr_count;
  kit::ProgressBar& ProgressBar1 = Transfer.Progress.ProgressBar1;

  // Fills every control from the record; the handlers it sets off store what the controls now
  // show.
  void Show_Dtmf();
  // Show the signal-file open and save dialogs, unless a transfer is running. Nothing in the
  // window calls them, and nothing here serves the dialogs' requests.
  void Open_Sig_File();
  void Save_Sig_File();

 private:
  // Every setting of the record bound to its control, in the order the display sets them.
  fields::Bindings Record;

  // One of the nine code boxes and the five bytes it owns.
  struct Code_Box {
    kit::TextBox* box;
    fields::Place at;
    // The code the box showed when it took the focus: what it goes back to, and the image with
    // it, when the window is left with a code the box would not let go.
    std::string held;
  };
  static constexpr int kCodeBoxes = 9;
  static constexpr int kAniBox = 8;
  std::array<Code_Box, kCodeBoxes> Code_Boxes;

  // frm_dtmf.cpp
  void Form_Load();
  void Form_Activate();
  void Form_Unload(int& cancel);
  void Fill_Dtmf_Lists();
  void Set_Captions();
  void Lay_Out();
  void Command_def_Click();
  void Command_close_Click();

  // dtmf_display.cpp
  void Bind_Record();
  void Check_Ctrl_En_Click();

  // dtmf_fields.cpp
  void Code_Box_KeyPress(Code_Box& c, int& key);
  void Code_Box_GotFocus(Code_Box& c);
  void Code_Box_LostFocus(Code_Box& c);
  std::string Check_Code_Text(const std::string& text);
  void Put_Back_Refused_Code();
  void Put_Back(Code_Box& c);
  void Text_tx_Encode_KeyPress(int index, int& key);
  void Text_tx_Encode_LostFocus(int index);

  // dtmf_transfer.cpp
  static constexpr int kReadBlocks = 7;
  // The read's replies, put into the image only once the whole read has succeeded.
  std::array<std::array<std::uint8_t, 64>, kReadBlocks> Reply_Blocks{};
  void Command_read_Click();
  void Command_Write_Click();
  void Start_Dtmf_Read();
  void Start_Dtmf_Write();
  void Load_Dtmf_Reply();
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;
};

}  // namespace j5
