// The optional features window itself: controls, captions and layout, the
// load, the activation, and the Default and Close buttons.
#include "editors/options/frm_option.h"

#include <algorithm>
#include <vector>

#include "data/defaults.h"
#include "editors/options/option_lists.h"
#include "editors/options/option_messages.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Sizes, in twips.
constexpr double kRowHeight = 300;    // a list or a text box
constexpr double kLabelHeight = 255;  // one line of a label
constexpr double kButtonWidth = 855;
constexpr double kButtonHeight = 495;
// The layout reaches this far right and down (Frame6, Frame_band, ProgressBar1).
constexpr double kLayoutRight = 13335;
constexpr double kLayoutBottom = 8415;
constexpr double kMargin = 120;

void Caption(kit::Control& c, const std::string& s) {
  switch (c.kind()) {
    case kit::ControlKind::Label:
      static_cast<kit::Label&>(c).setCaption(s);
      break;
    case kit::ControlKind::Frame:
      static_cast<kit::Frame&>(c).setCaption(s);
      break;
    case kit::ControlKind::CheckBox:
      static_cast<kit::CheckBox&>(c).setCaption(s);
      break;
    case kit::ControlKind::CommandButton:
      static_cast<kit::CommandButton&>(c).setCaption(s);
      break;
    default:
      break;
  }
}

void Place(kit::Control& c, kit::Control& frame, double left, double top, double width,
           double height) {
  c.setContainer(frame);
  c.move(left, top, width, height);
}

// A label and its list or box on one row of a frame: the label's first line
// sits level with the control's text; a second line, where the label may
// need one, runs below.
struct Row_Layout {
  double labelLeft, labelWidth, controlLeft, controlWidth;
  int labelLines = 1;
  void place(kit::Control& frame, kit::Control& label, kit::Control& control, double top) const {
    Place(label, frame, labelLeft, top + 45, labelWidth, kLabelHeight * labelLines);
    Place(control, frame, controlLeft, top, controlWidth, kRowHeight);
  }
};

}  // namespace

frm_option::frm_option(Program& program)
    : kit::Form(program.platform, "frm_option", program.Main_Form()),
      prog_(program),
      data_(program.data),
      Transfer(*this, program, Option_Link(), *this),
      Side_A{Combo_Band_A,
             Text_Range_A,
             Text_Freq_a,
             Text_Offset_A,
             Combo_r_ctdcs_a,
             Combo_t_ctdcs_a,
             Combo_sft_d_a,
             Combo_S_info_a,
             Combo_Spmute_a,
             Combo_Optsig_a,
             Combo_step_a,
             Combo_scr_a,
             Combo_txp_a,
             Combo_wn_a,
             program.data.Band_A_Low,
             program.data.Band_A_High,
             Vfo_Record_Row(0)},
      Side_B{Combo_Band_B,
             Text_Range_B,
             Text_Freq_b,
             Text_Offset_B,
             Combo_r_ctdcs_b,
             Combo_t_ctdcs_b,
             Combo_sft_d_b,
             Combo_S_info_b,
             Combo_Spmute_b,
             Combo_OptSig_b,
             Combo_step_b,
             Combo_scr_b,
             Combo_txp_b,
             Combo_wn_b,
             program.data.Band_B_Low,
             program.data.Band_B_High,
             Vfo_Record_Row(1)} {
  // As built: what the user never sees, the range boxes that only
  // show, and timers that do not run.
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &Label_Cht, &Text_chann_total, &Check_chann_syn, &Label_Optsig_a, &Combo_Optsig_a,
           &Label_Spmute_a, &Combo_Spmute_a, &Label_OptSig_b, &Combo_OptSig_b, &Label_Spmute_b,
           &Combo_Spmute_b, &Command_read, &Command_Write})
    c->setVisible(false);
  Text_Range_A.setEnabled(false);
  Text_Range_B.setEnabled(false);
  Timer4.setEnabled(false);
  Timer4.setInterval(0);
  for (kit::Label* mhz : {&Label28, &Label3, &Label33, &Label4}) mhz->setCaption("MHZ");
  // The power-on boxes start with a text no line shows, so the first display
  // always writes both lines in their centred form (an erased line becomes
  // blanks).
  Text_PON_MSG_U.setText(Text_PON_MSG_U.name());
  Text_PON_MSG_D.setText(Text_PON_MSG_D.name());
  Lay_Out();

  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_def.Click = [this] { Command_def_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Timer4.Tick = [this] { Timer4_Timer(); };
  Wire_Settings();
  Wire_Entry(Side_A);
  Wire_Entry(Side_B);
  // Every other list is choose-only: only the tone lists take typing (the
  // squelch list, which could be typed into, is made choose-only too).
  for (kit::Control* c : controls()) {
    auto* box = dynamic_cast<kit::ComboBox*>(c);
    if (box && !box->KeyPress) box->KeyPress = [](int& key) { key = 0; };
  }
}

void frm_option::Lay_Out() {
  // Left column.
  Frame1.move(120, 120, 3855, 2175);
  const Row_Layout general{120, 2220, 2400, 1335};
  general.place(Frame1, Label_Tot, Combo_tot, 270);
  general.place(Frame1, Label_Sql, Combo_sql, 645);
  Place(Label_Cht, Frame1, 120, 1050, 600, kLabelHeight);
  Place(Text_chann_total, Frame1, 120, 1320, 600, kRowHeight);
  const Row_Layout vox{840, 1500, 2400, 1335};
  vox.place(Frame1, Label_Vox, Combo_vox, 1020);
  general.place(Frame1, Label_voice, Combo_voice, 1395);
  general.place(Frame1, Label_Abr, Combo_abr, 1770);

  // Each work mode's label stands over its list: side by side they would
  // not leave "Frequency" room to show.
  Frame_Mode.move(120, 2400, 3855, 855);
  Place(Label_mod_A, Frame_Mode, 120, 240, 1680, kLabelHeight);
  Place(Combo_mod_A, Frame_Mode, 120, 480, 1680, kRowHeight);
  Place(Label_mod_B, Frame_Mode, 1980, 240, 1680, kLabelHeight);
  Place(Combo_mod_B, Frame_Mode, 1980, 480, 1680, kRowHeight);

  Frame_Chann.move(120, 3360, 3855, 1575);
  Place(Check_chann_menu, Frame_Chann, 120, 270, 1560, kRowHeight);
  Place(Check_chann_init, Frame_Chann, 1800, 270, 1560, kRowHeight);
  Place(Check_chann_syn, Frame_Chann, 3000, 270, 780, kRowHeight);
  // The Chinese labels need one line a little wider than the English ones, which take two
  // lines beside the wider English items.
  const Row_Layout mdf =
      prog_.Chinese() ? Row_Layout{120, 1590, 1740, 2055, 1} : Row_Layout{120, 1440, 1530, 2265, 2};
  mdf.place(Frame_Chann, Label_MDF_A, Combo_MDF_A, 630);
  mdf.place(Frame_Chann, Label_MDF_B, Combo_MDF_B, 1050);

  // The side tone list takes the frame's whole width under its label.
  Frame5.move(120, 5040, 3855, 2295);
  Place(Label_Stdtmf, Frame5, 120, 240, 3615, kLabelHeight);
  Place(Combo_dtmfst, Frame5, 120, 480, 3615, kRowHeight);
  const Row_Layout left{120, 960, 1110, 1260};
  left.place(Frame5, Label_save, Combo_save, 870);
  left.place(Frame5, Label_Scan_rev, Combo_sc_rev, 1230);
  left.place(Frame5, Label_ptt_id, Combo_ptt_id, 1590);
  left.place(Frame5, Label_Ptt_Lt, Combo_ptt_lt, 1950);
  Place(Check_Lock, Frame5, 2460, 870, 1320, kRowHeight);
  Place(Check_Autolk, Frame5, 2460, 1230, 1320, kRowHeight);
  Place(Check_bcl, Frame5, 2460, 1590, 1320, kRowHeight);
  Place(Check_Beep, Frame5, 2460, 1950, 1320, kRowHeight);

  // The two frequency-mode frames, built alike from one table of rows.
  struct Vfo_Row {
    kit::Label* label[2];
    kit::Control* control[2];
    kit::Label* unit[2] = {nullptr, nullptr};  // the "MHZ" after a frequency box
  };
  const Vfo_Row rows[] = {
      {{&Label_Freq_a, &Label_Freq_b}, {&Text_Freq_a, &Text_Freq_b}, {&Label28, &Label33}},
      {{&Label_Band_A, &Label_Band_B}, {&Combo_Band_A, &Combo_Band_B}},
      {{&Label_Range_A, &Label_Range_B}, {&Text_Range_A, &Text_Range_B}},
      {{&Label_Txp_a, &Label_txp_b}, {&Combo_txp_a, &Combo_txp_b}},
      {{&Label_r_ctdcs_a, &Label_r_ctdcs_b}, {&Combo_r_ctdcs_a, &Combo_r_ctdcs_b}},
      {{&Label_t_ctdcs_a, &Label_t_ctdcs_b}, {&Combo_t_ctdcs_a, &Combo_t_ctdcs_b}},
      {{&Label_wn_a, &Label_wn_b}, {&Combo_wn_a, &Combo_wn_b}},
      {{&Label_step_a, &Label_step_b}, {&Combo_step_a, &Combo_step_b}},
      {{&Label_sft_d_a, &Label_sft_d_b}, {&Combo_sft_d_a, &Combo_sft_d_b}},
      {{&Label_Offset_A, &Label_Offset_B}, {&Text_Offset_A, &Text_Offset_B}, {&Label3, &Label4}},
      {{&Label_S_info_a, &Label_S_info_b}, {&Combo_S_info_a, &Combo_S_info_b}},
      {{&Label_scr_a, &Label_scr_b}, {&Combo_scr_a, &Combo_scr_b}},
  };
  // Not visible: two labels over their two lists, under the rows.
  const Vfo_Row hidden[] = {
      {{&Label_Optsig_a, &Label_OptSig_b}, {&Combo_Optsig_a, &Combo_OptSig_b}},
      {{&Label_Spmute_a, &Label_Spmute_b}, {&Combo_Spmute_a, &Combo_Spmute_b}},
  };
  const Row_Layout row{120, 1140, 1320, 1620};
  const Row_Layout withUnit{120, 1140, 1320, 1140};
  const Row_Layout twoLines{120, 1140, 1320, 1620, 2};  // "Step Frequency"
  kit::Frame* frames[] = {&Frame_A, &Frame_B};
  for (int side : {0, 1}) {
    kit::Frame& frame = *frames[side];
    frame.move(4080 + 3120 * side, 120, 3015, 7215);
    double top = 300;
    for (const Vfo_Row& r : rows) {
      kit::Label* unit = r.unit[side];
      const Row_Layout& layout = unit ? withUnit : r.label[0] == &Label_step_a ? twoLines : row;
      layout.place(frame, *r.label[side], *r.control[side], top);
      if (unit) Place(*unit, frame, 2490, top + 45, 450, kLabelHeight);
      top += 480;
    }
    for (int i = 0; i < 2; ++i) {
      Place(*hidden[i].label[side], frame, 120 + 1440 * i, top, 1380, kLabelHeight);
      Place(*hidden[i].control[side], frame, 120 + 1440 * i, top + 300, 1380, kRowHeight);
    }
  }

  // Right column.
  Frame6.move(10320, 120, 3015, 2775);
  Place(Check_radio, Frame6, 120, 270, 2775, kRowHeight);
  Place(Check_Alarm_Sound, Frame6, 120, 645, 2775, kRowHeight);
  const Row_Layout right{120, 1260, 1440, 1455};
  right.place(Frame6, Label_Alarm_mode, Combo_AL_Mode, 1020);
  right.place(Frame6, Label_roger, Combo_roger, 1395);
  right.place(Frame6, Label_TX_Band, Combo_ab_mode, 1770);
  Place(Check_tdr, Frame6, 120, 2175, 2775, kRowHeight);

  Frame_band.move(10320, 3000, 3015, 4335);
  const Row_Layout band{120, 1560, 1740, 1200, 2};
  double top = 330;  // below the frame's English caption
  for (auto [label, list] : {std::pair<kit::Control*, kit::Control*>{&Label_wt_led, &Combo_wt_led},
                             {&Label_rx_led, &Combo_rx_led},
                             {&Label_tx_led, &Combo_tx_led},
                             {&Label_ste, &Combo_ste},
                             {&Label_rp_ste, &Combo_Rp_Ste},
                             {&Label_Rpt_RL, &Combo_RPT_RL},
                             {&Label_ponmsg, &Combo_ponmsg},
                             {&Label_pon_text, &Text_PON_MSG_U}}) {
    band.place(Frame_band, *label, *list, top);
    top += 450;
  }
  Place(Text_PON_MSG_D, Frame_band, 1740, top - 450 + 360, 1200, kRowHeight);

  Command_def.move(7440, 7440, kButtonWidth, kButtonHeight);
  Command_close.move(8880, 7440, kButtonWidth, kButtonHeight);
  ProgressBar1.move(120, 7920, 7575, 495);
  Progress.Place_Label(7800, 8040, 2415, {opt::kTextSaved});
  Command_read.move(4320, 8520, kButtonWidth, kButtonHeight);
  Command_Write.move(5760, 8520, kButtonWidth, kButtonHeight);
}

void frm_option::Set_Captions() {
  struct Caption_Text {
    kit::Control* control;
    const char* chn;
    const char* eng;
  };
  const Caption_Text captions[] = {
      {&Command_read, "读 取", "Read"},
      {&Command_Write, "写  入", "Write"},
      {&Command_def, "默 认", "Default"},
      {&Command_close, "关  闭", "Close"},
      {&Label_Tot, "发射超时定时器（秒）", "Time Out Timer(TOT)[S]"},
      {&Label_Sql, "静噪电平", "Squelch Level"},
      {&Label_voice, "操作提示语音", "Voice Annunciation"},
      {&Frame_Mode, "当前工作模式", "Work Mode"},
      {&Label_mod_A, "A频模式", "A Mode"},
      {&Label_mod_B, "B频模式", "B Mode"},
      {&Label_Cht, "信道数", "CHT"},
      {&Check_tdr, "启动双守", "TDR"},
      {&Frame_Chann, "信道模式下", "Channel Mode"},
      {&Check_chann_menu, "菜单设置", "Menu"},
      {&Check_chann_init, "复位操作", "Reset"},
      {&Check_chann_syn, "同步显示", "Synchr"},
      {&Label_MDF_A, "A 段信道显示方式", "A Channel Disp Way"},
      {&Label_MDF_B, "B 段信道显示方式", "B Channel Disp Way"},
      {&Label_Stdtmf, "DTMF侧音", "DTMF-ST"},
      {&Label_Vox, "声控发射", "VOX"},
      {&Label_Abr, "自动背光", "ABR"},
      {&Label_Scan_rev, "扫描方式", "Scan_Rev"},
      {&Label_ptt_id, "PTT_ID", "PTT_ID"},
      {&Label_Ptt_Lt, "发ID延迟", "PTT_Delay"},
      {&Check_Lock, "键盘锁", "K_Lock"},
      {&Check_Autolk, "自动锁", "Auto Lock"},
      {&Check_bcl, "遇忙禁发", "BCL"},
      {&Check_Beep, "哔声", "Beep"},
      {&Label_save, "省电模式", "Save"},
      {&Label_wt_led, "守侯背光", "Wait Back Light"},
      {&Label_rx_led, "接收背光", "RX Back Light"},
      {&Label_tx_led, "发射背光", "TX Back Light"},
      {&Label_ste, "尾音消除", "Tail noise Clear "},
      {&Label_rp_ste, "过中继尾音消除(ms)", "Pass Repert noise Clear(ms)"},
      {&Label_Rpt_RL, "过中继尾音检测(ms)", "Pass Repert noise(ms)"},
      {&Label_ponmsg, "开机显示方式", "Pon Disp Mode"},
      {&Label_pon_text, "开机显示字符", "Power On Disp"},
      {&Label_roger, "发射结束提示音", "Roger"},
      {&Label_Alarm_mode, "报警模式", "Alarm Mode"},
      {&Check_radio, "FM 调频收音机允许使用", "FM Radio Enabled"},
      {&Check_Alarm_Sound, "报警时本机是否发出报警声", "Alarm Sound"},
      {&Label_TX_Band, "AB模式同步", "A/B Mode"},
      {&Frame_A, "Ａ段频率模式", "A Band Frequency Mode"},
      {&Frame_B, "Ｂ段频率模式", "B Band Frequency Mode"},
      {&Label_Freq_a, "当前频率", "Frequency"},
      {&Label_Freq_b, "当前频率", "Frequency"},
      {&Label_Band_A, "频段", "Band"},
      {&Label_Band_B, "频段", "Band"},
      {&Label_Range_A, "频率范围", "Freq Range"},
      {&Label_Range_B, "频率范围", "Freq Range"},
      {&Label_Txp_a, "发射功率", "TX Power"},
      {&Label_txp_b, "发射功率", "TX Power"},
      {&Label_r_ctdcs_a, "接收哑音", "RX QT/DQT"},
      {&Label_r_ctdcs_b, "接收哑音", "RX QT/DQT"},
      {&Label_t_ctdcs_a, "发射哑音", "TX QT/DQT"},
      {&Label_t_ctdcs_b, "发射哑音", "TX QT/DQT"},
      {&Label_wn_a, "信道带宽", "W/N"},
      {&Label_wn_b, "信道带宽", "W/N"},
      {&Label_sft_d_a, "频差方向", "SFT_D"},
      {&Label_sft_d_b, "频差方向", "SFT_D"},
      {&Label_step_a, "步进频率", "Step Frequency"},
      {&Label_step_b, "步进频率", "Step Frequency"},
      {&Label_Offset_A, "频差频率", "Offset"},
      {&Label_Offset_B, "频差频率", "Offset"},
      {&Label_Optsig_a, "可选信令", "Optional Signal"},
      {&Label_OptSig_b, "可选信令", "Optional Signal"},
      {&Label_S_info_a, "信令编码", "Signal Code"},
      {&Label_S_info_b, "信令编码", "Signal Code"},
      {&Label_Spmute_a, "信令关系", "Speak Mute"},
      {&Label_Spmute_b, "信令关系", "Speak Mute"},
      {&Label_scr_a, "扰频", "SCR"},
      {&Label_scr_b, "扰频", "SCR"},
  };
  setCaption(prog_.Text("可选参数编辑", "Optional Features"));
  for (const Caption_Text& c : captions) Caption(*c.control, prog_.Text(c.chn, c.eng));
  // The work band frame has an English caption only.
  if (!prog_.Chinese()) Frame_band.setCaption("Work Band");
}

void frm_option::Fill_Option_Lists() {
  const bool chn = prog_.Chinese();
  const std::vector<std::string> tones = opt::Tone_Items(data_, chn);
  for (kit::ComboBox* box :
       {&Combo_r_ctdcs_a, &Combo_t_ctdcs_a, &Combo_r_ctdcs_b, &Combo_t_ctdcs_b}) {
    box->clear();
    for (const std::string& item : tones) box->addItem(item);
  }
  for (kit::Control* c : controls()) {
    if (c->kind() != kit::ControlKind::ComboBox) continue;
    const opt::List_Items* items = opt::Find_List(c->name());
    if (!items) continue;
    auto& box = static_cast<kit::ComboBox&>(*c);
    box.clear();
    for (const std::string& item : chn ? items->chn : items->eng) box.addItem(item);
  }
}

void frm_option::Form_Load() {
  data_.Win_Option = kTrue;
  Set_Captions();

  if (kit::MdiForm* main = prog_.Main_Form()) {
    // Wide enough for the whole layout where the main window has the room:
    // a third of the settings would otherwise lie outside the window.
    const double needed = kLayoutRight + kMargin + kFrameWidth;
    const double w = std::max(main->width() / 1.48, std::min(needed, main->scaleWidth()));
    const double h = std::max(main->height() / 1.3, std::min(kLayoutBottom + kMargin + kFrameHeight,
                                                             main->scaleHeight()));
    setWidth(w);
    setHeight(h);
    setTop((main->scaleHeight() - height()) / 2);
    setLeft((main->scaleWidth() - width()) / 2);
  }
  show();

  Transfer.Stop();
  Fill_Option_Lists();
  Start_Limits();
  Show_Options();
  ProgressBar1.setVisible(false);
  // The window opens on its first list, not on Default ahead of it in the keyboard order: an
  // Enter typed right after opening puts no factory settings over the user's.
  Combo_tot.setFocus();
}

void frm_option::Start_Limits() {
  Band_Limits(Side_A, 0);
  Band_Limits(Side_B, 1);
}

void frm_option::Form_Activate() {
  Start_Limits();
  Text_chann_total.setText(std::to_string(data_.Chann_Total));
  Show_Options();
}

void frm_option::Command_def_Click() {
  if (Transfer.Busy_Refused()) return;
  Progress.Clear();
  data_.Chann_Total = 128;
  Def_Option(data_);
  Show_Options();
}

void frm_option::Command_close_Click() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  Program& program = prog_;  // this window may be gone once it has unloaded
  unload();
  program.Form_open_menu.unload();
  program.Form_save_menu.unload();
}

void frm_option::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) {
    cancel = 1;
    return;
  }
  Link.Close_Port();
  data_.Win_Option = kFalse;
}

}  // namespace j5
