// The adjustment window itself: controls, captions, lists and layout, page switching, and the
// Default and Close buttons.
#include "editors/adjust/frm_Adj_Txp.h"

#include <algorithm>
#include <initializer_list>

#include "data/defaults.h"
#include "editors/adjust/adj_prompts.h"
#include "link/transfers.h"
#include "shell/file_dialogs.h"
#include "shell/program.h"

namespace j5 {

namespace {

const std::string kCaptionHigh = "发射功率调整（高功率）";
const std::string kCaptionLow = "发射功率调整（低功率）";

struct Tab_Page {
  const char* key;
  const char* tab;
  int page;
  const char* windowCaption;
};

constexpr std::array<Tab_Page, 5> kTabs = {{
    {"Adj_Txp_High", "发射功率（高）", frm_Adj_Txp::kPowerHigh, "发射功率调整（高功率）"},
    {"Adj_Txp_Low", "发射功率（低）", frm_Adj_Txp::kPowerLow, "发射功率调整（低功率）"},
    {"Adj_Sql_Leve", "静噪等级", frm_Adj_Txp::kSquelch, "静噪等级调整"},
    {"Adj_Dev_Leve", "调制、音量、滤波", frm_Adj_Txp::kAudio, "调制、音量、滤波"},
    {"Adj_Other", "频率范围", frm_Adj_Txp::kOther, "频率范围"},
}};

// Captions beside the visible lists of page 3; Combo_Mod(9)'s is Label1(16).
constexpr std::array<const char*, 12> kModCaptions = {"调制度      117 - 185 MHZ",
                                                      "186 - 259 MHZ",
                                                      "260 - 371 MHZ",
                                                      "372 - 558 MHZ",
                                                      "VOICE 增益",
                                                      "DCS 增益",
                                                      "CTCSS 增益",
                                                      "DTMF 增益",
                                                      " TONE 增益",
                                                      "话音前置放大器增益",
                                                      "话音前置幅度限制-粗调",
                                                      "话音前置幅度限制-细调"};
// Combo_Txp(0..8) and Combo_Txp(15).
constexpr std::array<const char*, 10> kTxpCaptions = {
    "100 兆段驱动功率", "200 兆段驱动功率", "300 兆段驱动功率", "400 兆段驱动功率",
    "500 兆段驱动功率", "宽带音频输出",     "窄带音频输出",     "提示音音量输出",
    "音频总输出",       "语音片选择"};
constexpr std::array<const char*, 6> kBattCaptions = {"禁发闪烁",  "显示外框", "显示 1 条",
                                                      "显示 2 条", "满格显示", "超压禁发"};
constexpr std::array<const char*, 3> kBandFrames = {"136 - 174 MHZ ", "200 - 270 MHZ ",
                                                    "400 - 520 MHZ "};
constexpr std::array<const char*, 4> kSqlHeadings = {"级别", "打开值", "频点", "补偿"};
constexpr std::array<const char*, 4> kBandHeadings = {"频段", "最大工作频率范围(MHZ)",
                                                      "限制工作频率范围(MHZ)", "发射允许 "};
constexpr std::array<const char*, 3> kBandLabels = {"VHF0                    100 - 520",
                                                    "UHF0                    100 - 520",
                                                    "UHF1                    100 - 520"};

// Highest item of each visible list of row 12 (Combo_Mod) and row 13 (Combo_Txp); -1 for none.
constexpr std::array<int, 16> kModLast = {63, 63, 63, 63, 15, 15, 15, 15,
                                          15, 31, 63, 15, 15, 15, 15, 15};
constexpr std::array<int, 16> kTxpLast = {7,  7,  7,  7,  7,  15, 15, 15,
                                          15, -1, -1, -1, -1, -1, -1, -1};

// Sizes, in twips.
constexpr double kBoxHeight = 285;
constexpr double kComboHeight = 300;
constexpr double kButtonWidth = 1095;
constexpr double kButtonHeight = 495;
constexpr double kFrameCaption = 240;  // room for a frame's caption above its contents

void Fill_Numbers(kit::ComboBox& box, int last) {
  box.clear();
  for (int n = 0; n <= last; ++n) box.addItem(" " + std::to_string(n));
}

double Pitch(double height, int rows) {
  return std::max(0.0, height) / rows;
}

}  // namespace

frm_Adj_Txp::frm_Adj_Txp(Program& program)
    : kit::Form(program.platform, "frm_Adj_Txp", program.Main_Form()),
      Transfer(*this, program, Adjust_Link(), *this),
      prog_(program),
      data_(program.data),
      Power_High(data_.Adj_Value),
      Power_Low(data_.Adj_Value),
      Squelch(data_.Adj_Value),
      Audio(data_.Adj_Value),
      Other(data_.Adj_Value) {
  setCaption(kCaptionHigh);
  for (const Tab_Page& t : kTabs) TabStrip1.addTab(t.key, t.tab);

  // Which frame holds what.
  for (int b = 0; b < 3; ++b) Frame_B0[b].setContainer(Frame_Frame);
  for (int i = 0; i < 16; ++i) {
    Label1[i].setContainer(Frame_B0[0]);
    Text1[i].setContainer(Frame_B0[0]);
    Label_UHF[i].setContainer(Frame_B0[1]);
    Text2[i].setContainer(Frame_B0[1]);
    Label_UHF1[i].setContainer(Frame_B0[2]);
    Text_UHF1[i].setContainer(Frame_B0[2]);
  }
  kit::Frame* sqlFrames[] = {&Frame1, &Frame_Sql_UHF, &Frame_Sql_UHF1};
  for (kit::Frame* f : sqlFrames) f->setContainer(Frame_Sql);
  for (int h = 0; h < 12; ++h) Label_Sql_Head[h].setContainer(*sqlFrames[h / 4]);
  for (int i = 0; i < 10; ++i) {
    Label_Sql_VHF[i].setContainer(Frame1);
    Text_SQ_VHF[i].setContainer(Frame1);
    Label_Sql_UHF[i].setContainer(Frame_Sql_UHF);
    Text_SQ_UHF[i].setContainer(Frame_Sql_UHF);
    Label_Sql_UHF1[i].setContainer(Frame_Sql_UHF1);
    Text_SQ_UHF1[i].setContainer(Frame_Sql_UHF1);
  }
  for (int i = 0; i < 16; ++i) {
    Label_Sq_Offset_Vhf[i].setContainer(Frame1);
    Text_Sq_Offset_VHF[i].setContainer(Frame1);
    Label_Sq_Offset_UHF[i].setContainer(Frame_Sql_UHF);
    Text_Sq_Offset_UHF[i].setContainer(Frame_Sql_UHF);
    Label_Sq_Offset_UHF1[i].setContainer(Frame_Sql_UHF1);
    Text_Sq_Offset_UHF1[i].setContainer(Frame_Sql_UHF1);
  }
  Frame_Dev_1.setContainer(Frame_Dev);
  Frame3.setContainer(Frame_Dev);
  Label1[16].setContainer(Frame_Dev_1);
  for (int i = 0; i < 12; ++i) Label_Mod[i].setContainer(Frame_Dev_1);
  for (int i = 0; i < 16; ++i) {
    Combo_Mod[i].setContainer(Frame_Dev_1);
    Label_Txp[i].setContainer(Frame3);
    Combo_Txp[i].setContainer(Frame3);
  }
  for (kit::Control* c : std::initializer_list<kit::Control*>{&Label_F0, &Label_F1, &Label_F2,
                                                              &Frame_vox, &Frame2, &Frame_Version})
    c->setContainer(Frame_Other);
  for (int i = 0; i < 4; ++i) Label_Band_Head[i].setContainer(Frame_Other);
  for (int i = 0; i < 3; ++i) {
    Label_From[i].setContainer(Frame_Other);
    Text_Freq_L[i].setContainer(Frame_Other);
    Label_To[i].setContainer(Frame_Other);
    Text_Freq_H[i].setContainer(Frame_Other);
    Check_Tx[i].setContainer(Frame_Other);
    Check_Tx[i].setEnabled(false);
  }
  for (int i = 0; i < 2; ++i) Label_Vox_Head[i].setContainer(Frame_vox);
  for (int i = 0; i < 10; ++i) {
    Label_Vox[i].setContainer(Frame_vox);
    Combo_vox[i].setContainer(Frame_vox);
  }
  for (int i = 0; i < 6; ++i) {
    Label_batt[i].setContainer(Frame2);
    Combo_batt_comp[i].setContainer(Frame2);
  }
  Label_Version.setContainer(Frame_Version);
  Text_Version.setContainer(Frame_Version);
  Text_Version.setEnabled(false);

  // The captions the window is built with; Set_Adj_Captions adds the numbered labels and the lists
  // at load.
  Frame_Frame.setCaption(kCaptionHigh);
  for (int b = 0; b < 3; ++b) Frame_B0[b].setCaption(kBandFrames[static_cast<std::size_t>(b)]);
  Frame_Sql.setCaption("静噪等级");
  Frame1.setCaption(" 136 - 174 MHZ");
  Frame_Sql_UHF.setCaption("200 - 270 MHZ");
  Frame_Sql_UHF1.setCaption("400 - 520 MHZ");
  for (int h = 0; h < 12; ++h)
    Label_Sql_Head[h].setCaption(kSqlHeadings[static_cast<std::size_t>(h % 4)]);
  Frame_Dev.setCaption("调制、音量、滤波");
  for (int k = 0; k < 12; ++k) Label_Mod[k].setCaption(kModCaptions[static_cast<std::size_t>(k)]);
  Label_Mod[9].setVisible(false);
  Label1[16].setCaption(kModCaptions[9]);
  for (int k = 0; k < 9; ++k) Label_Txp[k].setCaption(kTxpCaptions[static_cast<std::size_t>(k)]);
  Label_Txp[15].setCaption(kTxpCaptions[9]);
  Frame_Other.setCaption("频率范围限制");
  for (int i = 0; i < 4; ++i)
    Label_Band_Head[i].setCaption(kBandHeadings[static_cast<std::size_t>(i)]);
  Label_F0.setCaption(kBandLabels[0]);
  Label_F1.setCaption(kBandLabels[1]);
  Label_F2.setCaption(kBandLabels[2]);
  for (int i = 0; i < 3; ++i) {
    Label_From[i].setCaption("从");
    Label_To[i].setCaption("到");
  }
  Frame_vox.setCaption("声控各等级起控值");
  Label_Vox_Head[0].setCaption("声控等级");
  Label_Vox_Head[1].setCaption("起控值");
  for (int i = 0; i < 6; ++i) Label_batt[i].setCaption(kBattCaptions[static_cast<std::size_t>(i)]);
  Label_Version.setCaption("固件版本");
  Command_read.setCaption("读  取");
  Command_Write.setCaption("写  入");
  Command_def.setCaption("默认值");
  Command_save.setCaption("保  存");
  Command_open.setCaption("打  开");
  Command_close.setCaption("关  闭");

  // As built: the unused lists of rows 12 and 13 are never shown, and neither is the
  // VHF column's last power box until the captions make it visible; Label1(16) is no point label.
  for (int i = 12; i < 16; ++i) Combo_Mod[i].setVisible(false);
  for (int i = 9; i < 15; ++i) Combo_Txp[i].setVisible(false);
  for (int i = 9; i < 15; ++i) Label_Txp[i].setVisible(false);
  Text1[15].setVisible(false);

  Timer4.setInterval(500);

  Load = [this] { Form_Load(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  TabStrip1.Click = [this] { TabStrip1_Click(); };
  Command_def.Click = [this] { Command_def_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
  Command_open.Click = [this] { Command_open_Click(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_save.Click = [this] { Command_save_Click(); };
  Timer4.Tick = [this] { Timer4_Timer(); };

  Bind_Settings();
  for (int k = 0; k < 3; ++k) {
    Text_Freq_L[k].KeyPress = [this, k](int& key) { Text_Freq_KeyPress(Text_Freq_L[k], key); };
    Text_Freq_H[k].KeyPress = [this, k](int& key) { Text_Freq_KeyPress(Text_Freq_H[k], key); };
    Text_Freq_L[k].LostFocus = [this, k] { Text_Freq_L_LostFocus(k); };
    Text_Freq_H[k].LostFocus = [this, k] { Text_Freq_H_LostFocus(k); };
  }
}

void frm_Adj_Txp::Form_Load() {
  Adj_Page = kPowerHigh;
  Band_Min = {100, 100, 100, 0, 0};
  Band_Max = {520, 520, 520, 0, 0};

  // The window takes the main window's size on a screen of 12000 x 9500 twips and shrinks with
  // a larger screen, centred in the main window's client area.
  const kit::ScreenSize screen = prog_.platform.screen();
  double kW = screen.width / 12000, kH = screen.height / 9500;
  if (kW == 0) kW = 1;
  if (kH == 0) kH = 1;
  const kit::MdiForm* main = prog_.Main_Form();
  const double mainW = main ? main->width() : screen.width;
  const double mainH = main ? main->height() : screen.height;
  const double w = mainW / kW, h = mainH / kH;
  const double clientW = main ? main->scaleWidth() : screen.width;
  const double clientH = main ? main->scaleHeight() : screen.height;
  move((clientW - w) / 2, (clientH - h) / 2, w, h);
  show();
  Lay_Out();

  Transfer.Stop();
  data_.Block_Buf.fill(0, 65, 0, 70, 0);
  ProgressBar1.setVisible(false);

  Set_Adj_Captions();

  Adj_Page = kPowerHigh;
  Frame_Frame.setVisible(true);
  Frame_Sql.setVisible(false);
  Frame_Dev.setVisible(false);
  Frame_Other.setVisible(false);
  Show_Adj_Page();
}

void frm_Adj_Txp::Lay_Out() {
  const double y = height() - 1200;
  kit::CommandButton* buttons[] = {&Command_read, &Command_Write, &Command_def,
                                   &Command_save, &Command_open,  &Command_close};
  const double gap = (scaleWidth() - 6 * kButtonWidth) / 7;
  for (int i = 0; i < 6; ++i)
    buttons[i]->move(gap + i * (kButtonWidth + gap), y, kButtonWidth, kButtonHeight);
  ProgressBar1.move(gap, y - 600, scaleWidth() / 2, 255);
  Progress.Place_Label(ProgressBar1.left() + ProgressBar1.width() + 100, y - 600,
                       std::max(0.0, scaleWidth() - ProgressBar1.width() - 2 * gap - 100));

  TabStrip1.move(200, 100, width() / 1.1, height() / 1.4);
  Frame_Frame.move(300, 600, TabStrip1.width() / 1.1, TabStrip1.height() / 1.2);
  Frame_Sql.move(300, 600, TabStrip1.width() / 1.05, TabStrip1.height() / 1.1);
  Frame_Dev.move(300, 600, TabStrip1.width() / 1.1, TabStrip1.height() / 1.1);
  Frame_Other.move(300, 600, TabStrip1.width() / 1.1, TabStrip1.height() / 1.1);
  Lay_Out_Power();
  Lay_Out_Squelch();
  Lay_Out_Audio();
  Lay_Out_Other();
}

// Three band columns of sixteen label and box rows.
void frm_Adj_Txp::Lay_Out_Power() {
  const double colW = (Frame_Frame.width() - 4 * 120) / 3;
  const double colH = Frame_Frame.height() - kFrameCaption - 120;
  const double pitch = Pitch(colH - kFrameCaption - 60, 16);
  const double boxH = std::min(kBoxHeight, pitch - 15);
  const double boxW = std::min(900.0, colW / 2 - 120);
  for (int b = 0; b < 3; ++b) {
    Frame_B0[b].move(120 + b * (colW + 120), kFrameCaption, colW, colH);
    auto& labels = b == 0 ? Label1 : b == 1 ? Label_UHF : Label_UHF1;
    auto& boxes = b == 0 ? Text1 : b == 1 ? Text2 : Text_UHF1;
    for (int i = 0; i < 16; ++i) {
      const double top = kFrameCaption + i * pitch;
      labels[i].move(colW / 2 - boxW - 120, top + 30, boxW + 60, boxH);
      labels[i].setAlignment(kit::Align::Right);
      boxes[i].move(colW / 2 + 60, top, boxW, boxH);
    }
  }
}

// Per band frame: levels (label, box) on the left, points (label, box) on the right, under four
// headings.
void frm_Adj_Txp::Lay_Out_Squelch() {
  kit::Frame* frames[] = {&Frame1, &Frame_Sql_UHF, &Frame_Sql_UHF1};
  kit::ControlArray<kit::Label>* levelLabels[] = {&Label_Sql_VHF, &Label_Sql_UHF, &Label_Sql_UHF1};
  kit::ControlArray<kit::TextBox>* levelBoxes[] = {&Text_SQ_VHF, &Text_SQ_UHF, &Text_SQ_UHF1};
  kit::ControlArray<kit::Label>* pointLabels[] = {&Label_Sq_Offset_Vhf, &Label_Sq_Offset_UHF,
                                                  &Label_Sq_Offset_UHF1};
  kit::ControlArray<kit::TextBox>* pointBoxes[] = {&Text_Sq_Offset_VHF, &Text_Sq_Offset_UHF,
                                                   &Text_Sq_Offset_UHF1};
  const double bandW = (Frame_Sql.width() - 4 * 100) / 3;
  const double bandH = Frame_Sql.height() - kFrameCaption - 100;
  const double pitch = Pitch(bandH - 2 * kFrameCaption - 60, 17);
  const double boxH = std::min(kBoxHeight, pitch - 15);
  const double cell = (bandW - 200) / 4;
  const double boxW = std::min(700.0, cell - 60);
  for (int b = 0; b < 3; ++b) {
    frames[b]->move(100 + b * (bandW + 100), kFrameCaption, bandW, bandH);
    const double x[4] = {100, 100 + cell, 100 + 2 * cell, 100 + 3 * cell};
    for (int h = 0; h < 4; ++h) {
      Label_Sql_Head[4 * b + h].move(x[h], kFrameCaption, cell, boxH);
      Label_Sql_Head[4 * b + h].setAlignment(kit::Align::Center);
    }
    for (int i = 0; i < 16; ++i) {
      const double top = kFrameCaption + (i + 1) * pitch;
      if (i < 10) {
        (*levelLabels[b])[i].move(x[0], top + 30, cell - 60, boxH);
        (*levelLabels[b])[i].setAlignment(kit::Align::Center);
        (*levelBoxes[b])[i].move(x[1] + (cell - boxW) / 2, top, boxW, boxH);
      }
      (*pointLabels[b])[i].move(x[2], top + 30, cell - 60, boxH);
      (*pointLabels[b])[i].setAlignment(kit::Align::Center);
      (*pointBoxes[b])[i].move(x[3] + (cell - boxW) / 2, top, boxW, boxH);
    }
  }
}

// Two frames of caption and list rows.
void frm_Adj_Txp::Lay_Out_Audio() {
  const double halfW = (Frame_Dev.width() - 3 * 120) / 2;
  const double frameH = Frame_Dev.height() - kFrameCaption - 120;
  Frame_Dev_1.move(120, kFrameCaption, halfW, frameH);
  Frame3.move(240 + halfW, kFrameCaption, halfW, frameH);
  const double pitch = Pitch(frameH - kFrameCaption - 60, 12);
  const double comboW = 1000;
  const double labelW = std::max(0.0, halfW - comboW - 360);
  auto row = [&](kit::Label& label, kit::ComboBox& box, int i) {
    const double top = kFrameCaption + i * pitch;
    label.move(120, top + 30, labelW, kBoxHeight);
    box.move(240 + labelW, top, comboW, std::min(kComboHeight, pitch - 15));
  };
  for (int k = 0; k < 12; ++k) row(k == 9 ? Label1[16] : Label_Mod[k], Combo_Mod[k], k);
  for (int k = 0; k < 9; ++k) row(Label_Txp[k], Combo_Txp[k], k);
  row(Label_Txp[15], Combo_Txp[15], 9);
}

// The band-limit table on top, then the VOX, battery and version frames side by side.
void frm_Adj_Txp::Lay_Out_Other() {
  const double w = Frame_Other.width();
  const double rowH = 360;
  const double colBand = 200, colLimit = w * 0.45, colTx = w * 0.8;
  Label_Band_Head[0].move(colBand, kFrameCaption + 60, 800, kBoxHeight);
  Label_Band_Head[1].move(colBand + 900, kFrameCaption + 60, colLimit - colBand - 1000, kBoxHeight);
  Label_Band_Head[2].move(colLimit, kFrameCaption + 60, colTx - colLimit - 100, kBoxHeight);
  Label_Band_Head[3].move(colTx, kFrameCaption + 60, w - colTx - 100, kBoxHeight);
  kit::Label* bandLabels[] = {&Label_F0, &Label_F1, &Label_F2};
  const double boxW = 700;
  for (int i = 0; i < 3; ++i) {
    const double top = kFrameCaption + 60 + (i + 1) * rowH;
    bandLabels[i]->move(colBand, top + 30, colLimit - colBand - 100, kBoxHeight);
    Label_From[i].move(colLimit, top + 30, 300, kBoxHeight);
    Text_Freq_L[i].move(colLimit + 300, top, boxW, kBoxHeight);
    Label_To[i].move(colLimit + 300 + boxW + 100, top + 30, 300, kBoxHeight);
    Text_Freq_H[i].move(colLimit + 700 + boxW, top, boxW, kBoxHeight);
    Check_Tx[i].move(colTx + 300, top, 300, kBoxHeight);
  }

  const double top = kFrameCaption + 60 + 4 * rowH + 120;
  const double frameH = Frame_Other.height() - top - 120;
  const double frameW = (w - 4 * 120) / 3;
  Frame_vox.move(120, top, frameW, frameH);
  Frame2.move(240 + frameW, top, frameW, frameH);
  Frame_Version.move(360 + 2 * frameW, top, frameW, 900);

  const double voxPitch = Pitch(frameH - kFrameCaption - 60, 11);
  const double comboH = std::min(kComboHeight, voxPitch - 15);
  const double half = frameW / 2;
  Label_Vox_Head[0].move(120, kFrameCaption, half - 180, comboH);
  Label_Vox_Head[1].move(half, kFrameCaption, half - 120, comboH);
  for (int i = 0; i < 10; ++i) {
    const double y = kFrameCaption + (i + 1) * voxPitch;
    Label_Vox[i].move(120, y + 30, half - 180, comboH);
    Label_Vox[i].setAlignment(kit::Align::Center);
    Combo_vox[i].move(half, y, std::min(1000.0, half - 120), comboH);
  }
  const double battPitch = Pitch(frameH - kFrameCaption - 60, 6);
  for (int i = 0; i < 6; ++i) {
    const double y = kFrameCaption + i * std::min(battPitch, 2 * voxPitch);
    Label_batt[i].move(120, y + 30, half - 180, comboH);
    Combo_batt_comp[i].move(half, y, std::min(1000.0, half - 120), comboH);
  }
  Label_Version.move(120, kFrameCaption + 90, half - 180, kBoxHeight);
  Text_Version.move(half, kFrameCaption + 60, std::min(1400.0, half - 120), kBoxHeight);
}

void frm_Adj_Txp::Set_Adj_Captions() {
  for (int i = 0; i < 16; ++i) {
    Label1[i].setVisible(true);
    Label1[i].setCaption(std::to_string(130 + 3 * i) + "MHZ");
    Label_UHF[i].setVisible(true);
    Label_UHF[i].setCaption(std::to_string(200 + 6 * i) + "MHZ");
    Label_UHF[i].setBackColor(kit::systemColor(15));
    Label_UHF1[i].setVisible(true);
    Label_UHF1[i].setCaption(std::to_string(400 + 8 * i) + "MHZ");
    Label_UHF1[i].setBackColor(kit::systemColor(15));
    if (130 + 3 * i >= 174) {
      Text1[i].setVisible(true);
      Text1[i].setBackColor(kit::systemColor(14));
    }
  }
  for (int i = 0; i < 10; ++i) {
    const std::string n = std::to_string(i);
    Label_Sql_VHF[i].setCaption(n);
    Label_Sql_UHF[i].setCaption(n);
    Label_Sql_UHF1[i].setCaption(n);
  }
  for (int k = 0; k < 16; ++k) {
    Label_Sq_Offset_Vhf[k].setCaption(std::to_string(130 + 3 * k));
    Label_Sq_Offset_UHF[k].setCaption(std::to_string(200 + 6 * k));
    Label_Sq_Offset_UHF1[k].setCaption(std::to_string(400 + 8 * k));
  }

  for (int k = 0; k < 16; ++k) {
    Fill_Numbers(Combo_Mod[k], kModLast[static_cast<std::size_t>(k)]);
    Combo_Txp[k].clear();
    if (kTxpLast[static_cast<std::size_t>(k)] >= 0)
      Fill_Numbers(Combo_Txp[k], kTxpLast[static_cast<std::size_t>(k)]);
  }
  Combo_Txp[15].addItem("中文");
  Combo_Txp[15].addItem("英文");
  for (int i = 0; i < 10; ++i) {
    Fill_Numbers(Combo_vox[i], 127);
    Label_Vox[i].setCaption(" " + std::to_string(i));
  }
  for (int i = 0; i < 6; ++i) Fill_Numbers(Combo_batt_comp[i], 255);
}

void frm_Adj_Txp::TabStrip1_Click() {
  const std::string key = TabStrip1.selectedKey();
  const auto it =
      std::find_if(kTabs.begin(), kTabs.end(), [&](const Tab_Page& t) { return key == t.key; });
  if (it == kTabs.end()) return;
  Adj_Page = it->page;
  setCaption(it->windowCaption);
  if (Adj_Page == kPowerHigh || Adj_Page == kPowerLow) Frame_Frame.setCaption(it->windowCaption);
  Frame_Frame.setVisible(Adj_Page <= kPowerLow);
  Frame_Sql.setVisible(Adj_Page == kSquelch);
  Frame_Dev.setVisible(Adj_Page == kAudio);
  Frame_Other.setVisible(Adj_Page == kOther);
  Show_Adj_Page();
}

void frm_Adj_Txp::Busy_Message() {
  Transfer.Busy_Refused();
}

void frm_Adj_Txp::Command_def_Click() {
  if (Busy()) return Busy_Message();
  ProgressBar1.setVisible(false);
  ProgressBar1.setValue(0);
  Label_tr_count.setCaption("");
  Init_Adj_Default(data_);
  Copy_Adj_Default(data_);
  Show_Adj_Page();
}

void frm_Adj_Txp::Command_close_Click() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  Program& program = prog_;  // this window may be gone once it has unloaded
  unload();
  program.Form_open_adj.unload();
  program.Form_save_adj.unload();
}

// Closing the window any other way (its window control, the main window's Exit) while a transfer
// runs would leave the radio's adjustment memory half-written: it is refused as Close refuses.
void frm_Adj_Txp::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) cancel = 1;
}

}  // namespace j5
