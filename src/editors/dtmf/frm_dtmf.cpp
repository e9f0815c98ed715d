// The DTMF window itself: controls, captions and layout, the lists, loading and activation, the
// Default and Close buttons and closing.
#include "editors/dtmf/frm_dtmf.h"

#include "data/defaults.h"
#include "link/transfers.h"
#include "shell/file_dialogs.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Places in twips (left, top, width, height), each within its container.
struct Place {
  double left, top, width, height;
};
constexpr Place kFrameEncode{240, 240, 11295, 4695};
constexpr Place kLabelEncodeXh{480, 480, 975, 255};
constexpr Place kLabelTxEncode{1440, 480, 1095, 255};
constexpr double kGroupTop = 840, kGroupPitch = 240;
constexpr Place kLabelXh{480, 0, 975, 255};
constexpr Place kTextTxEncode{1440, 0, 1095, 285};
constexpr Place kLabelOnTime{6720, 480, 3135, 255};
constexpr Place kComboOnTime{9960, 480, 1095, 315};
constexpr Place kLabelOffTime{6720, 960, 3135, 255};
constexpr Place kComboOffTime{9960, 960, 1095, 315};
constexpr Place kLabelGroupCode{7200, 1440, 2535, 255};
constexpr Place kComboGroupCode{9960, 1440, 1095, 315};
// The own-ID frame and its check boxes stand far enough left that "Release PTT to Send" fits
// beside its box.
constexpr Place kFrameAni{8520, 2040, 2535, 1815};
constexpr Place kTextAni{120, 480, 975, 285};
constexpr Place kCheckPttP{120, 1080, 2295, 255};
constexpr Place kCheckPttS{120, 1440, 2295, 255};
constexpr Place kCommandDef{9120, 5160, 855, 495};
constexpr Place kCommandClose{10440, 5160, 855, 495};
// The transfer's buttons and progress, which nothing shows, in the row of the buttons.
constexpr Place kCommandRead{6480, 5160, 855, 495};
constexpr Place kCommandWrite{7800, 5160, 855, 495};
constexpr Place kProgressBar{240, 5280, 3600, 255};
constexpr Place kLabelTrCount{3960, 5280, 2400, 0};  // as high as its texts need

void put(kit::Control& c, const Place& p) {
  c.move(p.left, p.top, p.width, p.height);
}

}  // namespace

frm_dtmf::frm_dtmf(Program& program)
    : kit::Form(program.platform, "frm_dtmf", program.Main_Form()),
      prog_(program),
      data_(program.data),
      Transfer(*this, program, Dtmf_Link(), *this),
      Record(program.data.Mem_Image),
      Code_Boxes{{{&Text_XC, {Dtmf_Decode_Row, 0}, {}},
                  {&Text_JT, {Dtmf_Decode_Row, 5}, {}},
                  {&Text_BJ, {Dtmf_Decode_Row, 10}, {}},
                  {&Text_YY, {Dtmf_Remote_Row, 0}, {}},
                  {&Text_YB, {Dtmf_Remote_Row, 5}, {}},
                  {&Text_KJ, {Dtmf_Remote_Row, 10}, {}},
                  {&Text_MID, {Dtmf_Id_Row, 0}, {}},
                  {&Text_SID, {Dtmf_Id_Row, 5}, {}},
                  {&Text_Ani, {Dtmf_Id_Row, 10}, {}}}} {
  // Containers.
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &Label_encode_xh, &Label_tx_encode, &Label_dtmf_ontime, &Combo_Enc_ys1,
           &Label_dtmf_offtime, &Combo_Enc_ys2, &Label_Group_code, &Combo_Enc_qh, &Frame_ANI_Code,
           &Frame_State})
    c->setContainer(Frame_encode);
  for (int i = 0; i < kGroups; ++i) {
    Label_xh[i].setContainer(Frame_encode);
    Text_tx_Encode[i].setContainer(Frame_encode);
  }
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&Text_Ani, &Check_Ptt_P, &Check_Ptt_S})
    c->setContainer(Frame_ANI_Code);
  Check_RX.setContainer(Frame_State);
  Check_Tx.setContainer(Frame_State);
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &Label_xc, &Text_XC, &Label_jt, &Text_JT, &Label_bj, &Text_BJ, &Label_yy, &Text_YY,
           &Label_yb, &Text_YB, &Label_kj, &Text_KJ})
    c->setContainer(Frame_Decode);
  for (kit::Control* c : std::initializer_list<kit::Control*>{&Check_Ctrl_En, &Label_xcjtyyybkj_1,
                                                              &Label_xcjtyyybkj_2, &Label_PID,
                                                              &Text_MID, &Label_SID, &Text_SID})
    c->setContainer(Frame_Ctrl);
  for (int n = 0; n < 5; ++n) {
    Check_M[n].setContainer(Frame_Ctrl);
    Check_S[n].setContainer(Frame_Ctrl);
  }

  // As built: the encode frame appears when the window loads; the decode codes, the
  // control IDs, the receive and transmit states and the transfer buttons never do, and the
  // progress bar only while a transfer runs; nothing enables the group-code list.
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&Frame_encode, &Frame_State, &Frame_Decode, &Frame_Ctrl,
                                            &Command_read, &Command_Write, &ProgressBar1})
    c->setVisible(false);
  Combo_Enc_qh.setEnabled(false);
  Lay_Out();

  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  Deactivate = [this] { Put_Back_Refused_Code(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_def.Click = [this] { Command_def_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };

  Bind_Record();
  for (Code_Box& c : Code_Boxes) {
    c.box->KeyPress = [this, &c](int& key) { Code_Box_KeyPress(c, key); };
    c.box->GotFocus = [this, &c] { Code_Box_GotFocus(c); };
    c.box->LostFocus = [this, &c] { Code_Box_LostFocus(c); };
  }
  for (int i = 0; i < kGroups; ++i) {
    Text_tx_Encode[i].KeyPress = [this, i](int& key) { Text_tx_Encode_KeyPress(i, key); };
    Text_tx_Encode[i].LostFocus = [this, i] { Text_tx_Encode_LostFocus(i); };
  }
  // What rebuilds or closes the window commits the box being typed into as leaving it would (the
  // kit's default): an encode group stores its row, a code box judges its code, and an empty or
  // short one says why and stops the action. Only Close, the way out the empty box's message
  // names, and going to another window put back the code the box held.
}

void frm_dtmf::Lay_Out() {
  put(Frame_encode, kFrameEncode);
  put(Label_encode_xh, kLabelEncodeXh);
  put(Label_tx_encode, kLabelTxEncode);
  Label_encode_xh.setAlignment(kit::Align::Center);
  Label_tx_encode.setAlignment(kit::Align::Center);
  for (int i = 0; i < kGroups; ++i) {
    const double top = kGroupTop + kGroupPitch * i;
    put(Label_xh[i], {kLabelXh.left, top, kLabelXh.width, kLabelXh.height});
    put(Text_tx_Encode[i], {kTextTxEncode.left, top, kTextTxEncode.width, kTextTxEncode.height});
    Label_xh[i].setAlignment(kit::Align::Center);
  }
  put(Label_dtmf_ontime, kLabelOnTime);
  put(Combo_Enc_ys1, kComboOnTime);
  put(Label_dtmf_offtime, kLabelOffTime);
  put(Combo_Enc_ys2, kComboOffTime);
  put(Label_Group_code, kLabelGroupCode);
  put(Combo_Enc_qh, kComboGroupCode);
  for (kit::Label* l : {&Label_dtmf_ontime, &Label_dtmf_offtime, &Label_Group_code})
    l->setAlignment(kit::Align::Right);
  put(Frame_ANI_Code, kFrameAni);
  put(Text_Ani, kTextAni);
  put(Check_Ptt_P, kCheckPttP);
  put(Check_Ptt_S, kCheckPttS);
  put(Command_def, kCommandDef);
  put(Command_close, kCommandClose);
  put(Command_read, kCommandRead);
  put(Command_Write, kCommandWrite);
  put(ProgressBar1, kProgressBar);
  Transfer.Progress.Place_Label(kLabelTrCount.left, kLabelTrCount.top, kLabelTrCount.width);
}

void frm_dtmf::Form_Load() {
  data_.Win_Dtmf = kTrue;

  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->width() / 1.3;
    const double h = main->height() / 1.7;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2, w, h);
  }
  show();
  Frame_encode.setVisible(true);

  Set_Captions();
  Link.Stop();
  Fill_Dtmf_Lists();
  Show_Dtmf();
}

void frm_dtmf::Set_Captions() {
  const bool chn = prog_.Chinese();
  auto pick = [chn](const char* c, const char* e) { return std::string(chn ? c : e); };
  setCaption(pick("DTMF 编解码参数编辑", "DTMF Encode/Decode "));
  Frame_encode.setCaption(pick("DTMF 编码", "DTMF Encode"));
  Label_encode_xh.setCaption(pick("编码码组", "Number"));
  Label_tx_encode.setCaption(pick("发送编码", " Code "));
  Label_dtmf_ontime.setCaption(pick("发送DTMF码时码持续时间（MS）", "DTMF Speed (On Time)"));
  Label_dtmf_offtime.setCaption(pick("发送DTMF码时码间断时间（MS）", "DTMF Speed (Off Time)"));
  Label_Group_code.setCaption(pick("群呼码", "Group Code"));
  Command_read.setCaption(pick("读 取", "Read"));
  Command_Write.setCaption(pick("写  入", "Write"));
  Command_def.setCaption(pick("默 认", "Default"));
  Command_close.setCaption(pick("关  闭", "Close"));
  Frame_ANI_Code.setCaption(pick("本机 ID 码", "ANI Code"));
  Check_Ptt_P.setCaption(pick("PTT按下发送", "Press PTT to Send"));
  Check_Ptt_S.setCaption(pick("PTT松开发送", "Release PTT to Send"));
  Frame_State.setCaption(pick("本机状态", "State"));
  Check_RX.setCaption(pick("接收禁止", "RX Disable"));
  Check_Tx.setCaption(pick("发射禁止", "TX Disable"));
  Frame_Decode.setCaption(pick("DTMF 解码", "DTMF Decode"));
  Label_xc.setCaption(pick("巡 查 码", "Inspection"));
  Label_jt.setCaption(pick("监 听 码", "Monitor"));
  Label_bj.setCaption(pick("报 警 码", "Alarm"));
  Label_yy.setCaption(pick("遥 晕 码", "Stun"));
  Label_yb.setCaption(pick("遥 毙 码", "Kill"));
  Label_kj.setCaption(pick("开 机 码", "Revive"));
  Frame_Ctrl.setCaption(pick("控制ID码及控制权限", "Control ID code and control right"));
  Label_xcjtyyybkj_2.setCaption(pick("", "Inspection             Stun                 Revive "));
  Label_xcjtyyybkj_1.setCaption(pick(" 巡查      监听     遥晕     遥毙      开机 ",
                                     "            Monitor                  Kill      "));
  Check_Ctrl_En.setCaption(pick("接受主副ID控制", "Function Control by master and vice ID code"));
  Label_PID.setCaption(pick("主控ID码", "Master Control ID"));
  Label_SID.setCaption(pick("副控ID码", "Vice Control ID"));
  const kit::Align idAlign = chn ? kit::Align::Center : kit::Align::Right;
  Label_PID.setAlignment(idAlign);
  Label_SID.setAlignment(idAlign);
}

void frm_dtmf::Fill_Dtmf_Lists() {
  Combo_Enc_ys1.clear();
  Combo_Enc_ys2.clear();
  for (int t = 50; t <= 2000; t += 10) {
    Combo_Enc_ys1.addItem(std::to_string(t));
    Combo_Enc_ys2.addItem(std::to_string(t));
  }
  Combo_Enc_qh.clear();
  for (const char* code : {"*", "#", "A", "B", "C"}) Combo_Enc_qh.addItem(code);
  for (int i = 0; i < kGroups; ++i) Label_xh[i].setCaption(std::to_string(i + 1));
}

void frm_dtmf::Form_Activate() {
  Show_Dtmf();
}

void frm_dtmf::Command_def_Click() {
  if (Transfer.Busy_Refused()) return;
  Def_Dtmf(data_);
  Show_Dtmf();
}

void frm_dtmf::Command_close_Click() {
  if (Transfer.Busy_Refused()) return;
  Link.Close_Port();
  Program& program = prog_;  // this window may be gone once it has unloaded
  unload();
  program.Form_open_menu.unload();
  program.Form_save_menu.unload();
}

void frm_dtmf::Open_Sig_File() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_open_sig.show();
}

void frm_dtmf::Save_Sig_File() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_save_sig.show();
}

void frm_dtmf::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) {
    cancel = 1;
    return;
  }
  Put_Back_Refused_Code();
  Link.Close_Port();
  data_.Win_Dtmf = kFalse;
}

}  // namespace j5
