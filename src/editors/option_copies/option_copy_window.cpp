#include "editors/option_copies/option_copy_window.h"

#include <initializer_list>
#include <utility>

#include "link/transfers.h"
#include "shell/file_dialogs.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Sizes, in twips.
constexpr double kRow = 330;    // one line of a frame
constexpr double kTop = 240;    // the first line below a frame's caption
constexpr double kBox = 300;    // a list's or text box's height
constexpr double kCheck = 270;  // a check box's or option button's height
constexpr double kButtonW = 1000;
constexpr double kButtonH = 405;

struct Caption {
  const char* chn;
  const char* eng;
};

}  // namespace

Option_Copy_Window::Option_Copy_Window(Program& program, std::string name, bool showsComp)
    : kit::Form(program.platform, std::move(name), program.Main_Form()),
      prog_(program),
      data_(program.data),
      Transfer(*this, program, Option_Copy_Link(), *this),
      showsComp_(showsComp),
      Side_A{Text_Freq_a, Combo_offset_a, Combo_r_ctdcs_a, Combo_t_ctdcs_a, Combo_scr_a},
      Side_B{Text_Freq_b, Combo_offset_b, Combo_r_ctdcs_b, Combo_t_ctdcs_b, Combo_scr_b} {
  Lay_Out();
  Bind_Settings();
  Bind_Side(Side_A, 0);
  Bind_Side(Side_B, 1);
  Wire_Handlers();
  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_def.Click = [this] { Command_def_Click(); };
  Command_open.Click = [this] { Command_open_Click(); };
  Command_save.Click = [this] { Command_save_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
  Timer4.setInterval(500);
  Timer4.Tick = [this] { Timer4_Timer(); };
}

// ---- Layout ---------------------------------------------------------------------------------

void Option_Copy_Window::Lay_Out() {
  // A column of labelled controls in a frame: label at the left, the control at labelW.
  auto rows = [](kit::Frame& f, double labelW, double boxW,
                 std::initializer_list<std::pair<kit::Control*, kit::Control*>> lines,
                 double top = kTop) {
    for (const auto& [label, box] : lines) {
      if (label) {
        label->setContainer(f);
        label->move(120, top + 45, labelW - 150, kBox - 45);
      }
      box->setContainer(f);
      box->move(labelW, top, boxW, kBox);
      top += kRow;
    }
    return top;
  };
  auto place = [](kit::Frame& f, kit::Control& c, double left, double top, double w, double h) {
    c.setContainer(f);
    c.move(left, top, w, h);
  };

  // Left column.
  const double colA = 90, wA = 3450;
  Frame_alarm.move(colA, 0, wA, kTop + 4 * kCheck + 120);
  double y = 150;
  for (kit::CheckBox* c : {&Check_alarm_06old, &Check_radio, &Check_Alarm_Sound, &Check_ANI}) {
    place(Frame_alarm, *c, 120, y, wA - 240, kCheck);
    y += kCheck;
  }
  y = Frame_alarm.top() + Frame_alarm.height() + 30;
  Frame_band.move(colA, y, wA, kTop + 2 * kRow + 60);
  place(Frame_band, Check_tdr, 120, kTop, wA - 240, kCheck);
  place(Frame_band, Option_band_a, 120, kTop + kRow, 1500, kCheck);
  place(Frame_band, Option_band_b, 1700, kTop + kRow, 1500, kCheck);
  y += Frame_band.height() + 30;
  Frame_tot.move(colA, y, wA, 150 + 3 * kRow + 60);
  // The timer's long English label takes the room its short numbers leave; the voice list
  // needs the width of its language names.
  rows(Frame_tot, 2100, 1300, {{&Label_Sql, &Combo_sql_le}, {&Label_voice, &Combo_voice}},
       rows(Frame_tot, 2500, 900, {{&Label_Tot, &Combo_tot}}, 150));
  y += Frame_tot.height() + 30;
  Frame_Mode.move(colA, y, wA, kTop + 2 * kRow + 60);
  place(Frame_Mode, Label_Cht, 120, kTop + 45, 900, kBox - 45);
  place(Frame_Mode, Text_chann_total, 1050, kTop, 800, kBox);
  place(Frame_Mode, Option_freq, 120, kTop + kRow, 1500, kCheck);
  place(Frame_Mode, Option_chann, 1700, kTop + kRow, 1500, kCheck);
  y += Frame_Mode.height() + 30;
  // The display ways read "Channel+Frequency": each list on a line of its own under its label.
  Frame_Chann.move(colA, y, wA, kTop + 5 * kRow + 60);
  place(Frame_Chann, Check_chann_syn, 120, kTop, 1100, kCheck);
  place(Frame_Chann, Check_chann_init, 1220, kTop, 1100, kCheck);
  place(Frame_Chann, Check_chann_menu, 2320, kTop, 1050, kCheck);
  place(Frame_Chann, Label_MDF_A, 120, kTop + kRow + 45, wA - 240, kBox - 45);
  place(Frame_Chann, Combo_MDF_A, 600, kTop + 2 * kRow, wA - 720, kBox);
  place(Frame_Chann, Label_MDF_B, 120, kTop + 3 * kRow + 45, wA - 240, kBox - 45);
  place(Frame_Chann, Combo_MDF_B, 600, kTop + 4 * kRow, wA - 720, kBox);
  y += Frame_Chann.height() + 30;
  Frame_vfo.move(colA, y, wA, 150 + 2 * kRow + 60);
  {
    double top = 150;
    for (auto [from, t0, to, t1, mhz] :
         {std::make_tuple(&Label_rf, &Text_pvfo_d0, &Label_rt, &Text_pvfo_d1, &Label4),
          std::make_tuple(&Label_tf, &Text_pvfo_t0, &Label_tt, &Text_pvfo_t1, &Label8)}) {
      place(Frame_vfo, *from, 120, top + 45, 800, kBox - 45);
      place(Frame_vfo, *t0, 950, top, 750, kBox);
      place(Frame_vfo, *to, 1750, top + 45, 300, kBox - 45);
      place(Frame_vfo, *t1, 2080, top, 750, kBox);
      place(Frame_vfo, *mhz, 2880, top + 45, 500, kBox - 45);
      top += kRow;
    }
  }

  // The two frequency-mode frames.
  const double colB = colA + wA + 60, wB = 3300;
  for (int side = 0; side < 2; ++side) {
    const bool a = side == 0;
    kit::Frame& f = a ? Frame_A : Frame_B;
    f.move(colB + side * (wB + 60), 0, wB, kTop + 12 * kRow + 60);
    kit::Label& freqLabel = a ? Label_Freq_a : Label_Freq_b;
    kit::TextBox& freq = a ? Text_Freq_a : Text_Freq_b;
    kit::Label& mhz = a ? Label28 : Label33;
    place(f, freqLabel, 120, kTop + 45, 1450, kBox - 45);
    place(f, freq, 1600, kTop, 1150, kBox);
    place(f, mhz, 2780, kTop + 45, 480, kBox - 45);
    if (a)
      rows(f, 1600, 1600,
           {{&Label_Txp_a, &Combo_txp_a},
            {&Label_r_ctdcs_a, &Combo_r_ctdcs_a},
            {&Label_t_ctdcs_a, &Combo_t_ctdcs_a},
            {&Label_wn_a, &Combo_wn_a},
            {&Label_sft_d_a, &Combo_sft_d_a},
            {nullptr, &Combo_offset_a},
            {&Label_step_a, &Combo_step_a},
            {&Label_scr_a, &Combo_scr_a},
            {&Label_Optsig_a, &Combo_Optsig_a},
            {&Label_S_info_a, &Combo_S_info_a},
            {&Label_Spmute_a, &Combo_Spmute_a}},
           kTop + kRow);
    else
      rows(f, 1600, 1600,
           {{&Label_txp_b, &Combo_txp_b},
            {&Label_r_ctdcs_b, &Combo_r_ctdcs_b},
            {&Label_t_ctdcs_b, &Combo_t_ctdcs_b},
            {&Label_wn_b, &Combo_wn_b},
            {&Label_sft_d_b, &Combo_sft_d_b},
            {nullptr, &Combo_offset_b},
            {&Label_step_b, &Combo_step_b},
            {&Label_scr_b, &Combo_scr_b},
            {&Label_OptSig_b, &Combo_OptSig_b},
            {&Label_S_info_b, &Combo_S_info_b},
            {&Label_Spmute_b, &Combo_Spmute_b}},
           kTop + kRow);
  }

  // General settings and keys under them.
  y = Frame_A.height() + 30;
  Frame_general.move(colB, y, wB, 150 + 8 * kRow + 3 * kCheck + 90);
  double top = rows(Frame_general, 1300, 1900,
                    {{&Label_save, &Combo_save},
                     {&Label_ptt_id, &Combo_ptt_id},
                     {&Label_Ptt_Lt, &Combo_ptt_lt},
                     {&Label_Scan_rev, &Combo_sc_rev},
                     {&Label_Ring, &Combo_ring},
                     {&Label_Abr, &Combo_abr},
                     {&Label_Vox, &Combo_vox},
                     {&Label_Stdtmf, &Combo_dtmfst}},
                    150);
  int i = 0;
  for (kit::CheckBox* c : {&Check_comp, &Check_Lock, &Check_bcl, &Check_Autolk, &Check_Beep}) {
    place(Frame_general, *c, 120 + (i % 2) * 1600, top + (i / 2) * kCheck, 1550, kCheck);
    ++i;
  }
  // The two long labels stand on a line of their own above their controls.
  Frame_keys.move(colB + wB + 60, y, wB, 150 + 9 * kRow + 60);
  place(Frame_keys, Label_TX_Band, 120, 150 + 45, wB - 240, kBox - 45);
  top = rows(Frame_keys, 1600, 1500,
             {{nullptr, &Combo_Tdr_ab},
              {&Label_PF1, &Combo_pf1},
              {&Label_PF2, &Combo_pf2},
              {&Label_wt_led, &Combo_wt_led},
              {&Label_rx_led, &Combo_rx_led},
              {&Label_tx_led, &Combo_tx_led}},
             150 + kRow);
  place(Frame_keys, Label_MODE_PASS, 120, top + 45, wB - 240, kBox - 45);
  rows(Frame_keys, 1600, 1500, {{nullptr, &Text_menu_pwd}}, top + kRow);

  // At the foot the progress piece, its text on one line beside the bar, then the buttons.
  const double foot =
      std::max(Frame_vfo.top() + Frame_vfo.height(), Frame_general.top() + Frame_general.height()) +
      120;
  ProgressBar1.move(colA, foot, 2300, 285);
  const double labelLeft = colA + 2420;
  const double buttonTop =
      std::max(foot + 285, Transfer.Progress.Place_Label(labelLeft, foot + 15,
                                                         colB + 2 * wB + 60 - labelLeft)) +
      90;
  double left = colA;
  for (kit::CommandButton* b : {&Command_read, &Command_Write, &Command_def, &Command_open,
                                &Command_save, &Command_close}) {
    b->move(left, buttonTop, kButtonW, kButtonH);
    left += kButtonW + 90;
  }

  // Keyboard order: the frames from the top left, then the buttons. The window is not shown yet,
  // so what counts is what can take the focus at all.
  int tab = 0;
  for (kit::Control* c : controls())
    if (c->canTakeFocus() && c->kind() != kit::ControlKind::CommandButton) c->setTabIndex(tab++);
  for (kit::CommandButton* b :
       {&Command_read, &Command_Write, &Command_def, &Command_open, &Command_save, &Command_close})
    b->setTabIndex(tab++);
}

void Option_Copy_Window::Set_Captions() {
  setCaption(prog_.Text("可选参数编辑", "Optional Features"));
  const std::initializer_list<std::pair<kit::Control*, Caption>> captions = {
      {&Check_alarm_06old, {"报警时是否兼容06系列旧版", "Alarm Compatible With QN6XX"}},
      {&Check_radio, {"FM 调频收音机允许使用", "FM Radio Enabled"}},
      {&Check_Alarm_Sound, {"报警时本机是否发出报警声", "Alarm Sound"}},
      {&Check_ANI, {"身份码开关", "ANI"}},
      {&Frame_band, {"当前工作频段", "Work Band"}},
      {&Check_tdr, {"启动双守", "TDR"}},
      {&Option_band_a, {"A 频段", "A Band"}},
      {&Option_band_b, {"B 频段", "B Bans"}},
      {&Label_Tot, {"发射超时定时器（秒）", "Time Out Timer(TOT)[S]"}},
      {&Label_Sql, {"静噪电平", "Squelch Level"}},
      {&Label_voice, {"操作提示语音", "Voice Annunciation"}},
      {&Frame_Mode, {"当前工作模式", "Work Mode"}},
      {&Label_Cht, {"信道数", "CHT"}},
      {&Option_freq, {"频率", "Frequency "}},
      {&Option_chann, {"信道", "Channel"}},
      {&Frame_Chann, {"信道模式下", "Channel Mode"}},
      {&Check_chann_syn, {"同步显示", "Synchr"}},
      {&Check_chann_init, {"复位操作", "Reset"}},
      {&Check_chann_menu, {"菜单设置", "Menu"}},
      {&Label_MDF_A, {"A 段信道显示方式", "A Channel Disp Way"}},
      {&Label_MDF_B, {"B 段信道显示方式", "B Channel Disp Way"}},
      {&Frame_A, {"Ａ段频率模式", "A Band Frequency Mode"}},
      {&Frame_B, {"Ｂ段频率模式", "B Band Frequency Mode"}},
      {&Label_Freq_a, {"当前频率", "Frequency"}},
      {&Label_Freq_b, {"当前频率", "Frequency"}},
      {&Label_Txp_a, {"发射功率", "TX Power"}},
      {&Label_txp_b, {"发射功率", "TX Power"}},
      {&Label_r_ctdcs_a, {"接收哑音", "RX QT/DQT"}},
      {&Label_r_ctdcs_b, {"接收哑音", "RX QT/DQT"}},
      {&Label_t_ctdcs_a, {"发射哑音", "TX QT/DQT"}},
      {&Label_t_ctdcs_b, {"发射哑音", "TX QT/DQT"}},
      {&Label_wn_a, {"信道带宽", "W/N"}},
      {&Label_wn_b, {"信道带宽", "W/N"}},
      {&Label_sft_d_a, {"频差方向", "SFT_D"}},
      {&Label_sft_d_b, {"频差方向", "SFT_D"}},
      {&Label_step_a, {"步进频率", "Step Frequency"}},
      {&Label_step_b, {"步进频率", "Step Frequency"}},
      {&Label_scr_a, {"保密通话", "Scrambler"}},
      {&Label_scr_b, {"保密通话", "Scrambler"}},
      {&Label_Optsig_a, {"可选信令", "Optional Signal"}},
      {&Label_OptSig_b, {"可选信令", "Optional Signal"}},
      {&Label_S_info_a, {"信令编码", "Signal Code"}},
      {&Label_S_info_b, {"信令编码", "Signal Code"}},
      {&Label_Spmute_a, {"信令关系", "Speak Mute"}},
      {&Label_Spmute_b, {"信令关系", "Speak Mute"}},
      {&Label_save, {"省电模式", "Save"}},
      {&Label_ptt_id, {"PTT_ID", "PTT_ID"}},
      {&Label_Ptt_Lt, {"发ID延迟", "PTT_Delay"}},
      {&Label_Scan_rev, {"扫描方式", "Scan_Rev"}},
      {&Label_Ring, {"振铃时间", "Ring_Time"}},
      {&Label_Abr, {"自动背光", "ABR"}},
      {&Label_Vox, {"声控发射", "VOX"}},
      {&Label_Stdtmf, {"DTMF侧音", "DTMF-ST"}},
      {&Check_comp, {"压扩", "Comp"}},
      {&Check_Lock, {"键盘锁", "K_Lock"}},
      {&Check_bcl, {"遇忙禁发", "BCL"}},
      {&Check_Autolk, {"自动锁", "Auto Lock"}},
      {&Check_Beep, {"哔声", "Beep"}},
      {&Label_TX_Band, {"双守启动后发射选择", "TX Band Under TDR Star"}},
      {&Label_PF1, {"侧键自定义", "PF1"}},
      {&Label_PF2, {"顶键自定义", "PF2"}},
      {&Label_wt_led, {"守侯背光", "Wait Back Light"}},
      {&Label_rx_led, {"接收背光", "RX Back Light"}},
      {&Label_tx_led, {"发射背光", "TX Back Light"}},
      {&Label_MODE_PASS, {"模式切换密码", "Mode Change Password"}},
      {&Label_rf, {"接收从", "RX From"}},
      {&Label_rt, {"到", "to"}},
      {&Label_tt, {"到", "to"}},
      {&Label_tf, {"发射从", "TX From"}},
      {&Command_read, {"读 取", "Read"}},
      {&Command_Write, {"写  入", "Write"}},
      {&Command_def, {"默 认", "Default"}},
      {&Command_close, {"关  闭", "Close"}},
      {&Command_open, {"打  开", "Open"}},
      {&Command_save, {"保  存", "Save"}},
      {&Label28, {"MHZ", "MHZ"}},
      {&Label33, {"MHZ", "MHZ"}},
      {&Label4, {"MHZ", "MHZ"}},
      {&Label8, {"MHZ", "MHZ"}},
  };
  for (const auto& [control, c] : captions) {
    const std::string text = prog_.Text(c.chn, c.eng);
    if (auto* l = dynamic_cast<kit::Label*>(control))
      l->setCaption(text);
    else if (auto* f = dynamic_cast<kit::Frame*>(control))
      f->setCaption(text);
    else if (auto* b = dynamic_cast<kit::CheckBox*>(control))
      b->setCaption(text);
    else if (auto* o = dynamic_cast<kit::OptionButton*>(control))
      o->setCaption(text);
    else if (auto* k = dynamic_cast<kit::CommandButton*>(control))
      k->setCaption(text);
  }
}

// ---- Load, activation, buttons ---------------------------------------------------------------

void Option_Copy_Window::Form_Load() {
  Set_Captions();
  if (kit::MdiForm* main = prog_.Main_Form()) {
    setWidth(static_cast<float>(main->width() / 1.48));
    setHeight(static_cast<float>(main->height() / 1.15));
    setTop((main->scaleHeight() - height()) / 2);
    setLeft((main->scaleWidth() - width()) / 2);
  }
  show();
  Transfer.Stop();
  for (std::size_t r = 0; r <= 65; ++r)
    for (std::size_t c = 0; c <= 70; ++c) data_.Block_Buf(r, c) = 0;
  Fill_Option_Defaults();
  ProgressBar1.setVisible(false);
  // The window opens on its first list, not on a button: an Enter typed right after opening
  // starts no exchange with the radio.
  Combo_tot.setFocus();
}

void Option_Copy_Window::Form_Activate() {
  Text_chann_total.setText(std::to_string(data_.Chann_Total));
}

// Closing the window by any other way than its Close button is refused as Close refuses it: the
// radio would be left half-read or half-written.
void Option_Copy_Window::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) cancel = 1;
}

void Option_Copy_Window::Command_close_Click() {
  if (Transfer.Close_Refused()) return;
  Transfer.Link.Close_Port();
  Program& program = prog_;  // the window is gone once it has unloaded
  unload();
  program.Form_open_menu.unload();
  program.Form_save_menu.unload();
}

void Option_Copy_Window::Command_def_Click() {
  if (Transfer.Busy_Refused()) return;
  Transfer.Progress.Clear();
  data_.Chann_Total = 128;
  Fill_Option_Defaults();
}

void Option_Copy_Window::Command_open_Click() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_open_menu.load().show();
}

void Option_Copy_Window::Command_save_Click() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_save_menu.load().show();
}

}  // namespace j5
