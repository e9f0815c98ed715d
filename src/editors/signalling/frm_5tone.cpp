// The five-tone window itself: controls, captions, layout, the defaults, the tab pages and the
// standards page with its list editor and frequency viewer.
#include "editors/signalling/frm_5tone.h"

#include <algorithm>

#include "data/five_tone.h"
#include "data/lang_text.h"
#include "editors/signalling/tone_codecs.h"
#include "link/transfers.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

using fields::Coded;

namespace {

const std::string kStdFormatChn = "^ 5 TONE 标准|^发送时长(ms)|^ 群 呼 码 |^重 复 码 ";
const std::string kStdFormatEng = "^Standard|^Period(ms)|^ Group Tone|^ Repeat Tone ";
const std::string kEncodeFormatChn =
    "^ 信息码 |^第 1 帧编码|^第 2 帧编码|^第 3 帧编码|^ 确 认 码 |^使用标准";
const std::string kEncodeFormatEng =
    "^ Code |^ Frame 1 |^ Frame 2 |^ Frame 3 |^ Transpond |^ Standard ";
const std::string kDecodeFormatChn =
    "^信息码|^使用标准|^ 第1帧解码 |^ 功    能 |^ 第2帧解码 |^ 功    能 |^ 第3帧解码 |^ 功    能 "
    "|^ 回复码 ";
const std::string kDecodeFormatEng =
    "^Code|^Standard|^Frame1|^          Function       |^Frame2|^     Function    |^Frame3|^    "
    "Function   |^Transpond";

// Standards grid rows 1-15: period in ms; group tone "A" and repeat tone "E" throughout.
constexpr const char* kPeriods[15] = {"100", "70", "70", "70",  "70", "70", "70", "70",
                                      "70",  "40", "30", "100", "70", "70", "40"};

// The default codes: encode frames, transpond and standard; decode standard, frames with their
// function entries and reply code.
struct Code_Default {
  int code;
  const char* frames[3];
  const char* reply;
  const char* standard;
};
constexpr Code_Default kCodeDefaults[] = {{1, {"12345", "34567", "56789"}, "01234", "CCIR1"},
                                          {15, {"23456", "45678", "67890"}, "12345", "MODAT"}};
constexpr int kDefaultFunctions[3] = {1, 2, 0};

constexpr double kComboHeight = 300;
constexpr double kLineHeight = 285;

}  // namespace

frm_5tone::frm_5tone(Program& program)
    : Tone_Window(program, "frm_5tone", {Tone5_Read_Plan, Tone5_Write_Plan}) {
  Std_Columns = {{1, Coded{{0, 0}, tone::Period_Codec()}},
                 {2, Coded{{0, 1}, tone::Digit_Codec()}},
                 {3, Coded{{0, 2}, tone::Digit_Codec()}}};
  Enc_Code_Columns = {{1, Coded{{0, 0}, tone::Code_Codec()}},
                      {2, Coded{{0, 5}, tone::Code_Codec()}},
                      {3, Coded{{0, 10}, tone::Code_Codec()}},
                      {5, Coded{{0, 15}, tone::Standard_Codec()}}};
  Transpond_Columns = {{4, Coded{{0, 0}, tone::Code_Codec()}}};
  Dec_Code_Columns = {{2, Coded{{0, 0}, tone::Code_Codec()}},
                      {4, Coded{{0, 5}, tone::Code_Codec()}},
                      {6, Coded{{0, 10}, tone::Code_Codec()}},
                      {1, Coded{{0, 15}, tone::Standard_Codec()}}};
  Reply_Columns = {{8, Coded{{0, 0}, tone::Code_Codec()}},
                   {3, Coded{{0, 5}, tone::Function_Codec(data_)}},
                   {5, Coded{{0, 6}, tone::Function_Codec(data_)}},
                   {7, Coded{{0, 7}, tone::Function_Codec(data_)}}};
  for (int k = 0; k < 3; ++k)
    Action_Boxes.push_back({&Check_Disp[k], &Check_Led[k], &Check_Kz[k], &Check_Ts[k],
                            &Check_zh0[k], &Check_zh1[k], &Check_zh2[k], &Check_zh3[k],
                            &Check_zh4[k]});

  for (kit::Control* c : std::initializer_list<kit::Control*>{&MSF_Chann, &Combo_edit, &Text_Edit,
                                                              &Label_std_name, &Combo_stxh})
    c->setContainer(Frame_std);
  for (int d = 0; d < 16; ++d) {
    Label_code[d].setContainer(Frame_std);
    Label_freq[d].setContainer(Frame_std);
  }
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &MSF_Encode, &Combo_Encode, &Text_Encode, &Label_enc_ys1, &Label_enc_ys2, &Label_enc_ys3,
           &Label_enc_ys4, &Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Enc_ys4})
    c->setContainer(Frame_encode);
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &MSF_Decode, &Combo_Decode, &Text_Decode, &Frame_Dec_xx, &Label_Reset_time,
           &Combo_Dec_Res_Time, &Check_Dec_back, &Check_Dec_Bcl, &Label8, &Combo_Dec_Back_Time})
    c->setContainer(Frame_Decode);
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &Label_F1, &Label_F2, &Label_F3, &Label_Disp, &Label_led, &Label_ctrl, &Label_Tishi,
           &Label9, &Label16, &Label17, &Label18, &Label19, &Label20})
    c->setContainer(Frame_Dec_xx);
  for (auto& frame : Action_Boxes)
    for (kit::CheckBox* box : frame) box->setContainer(Frame_Dec_xx);

  MSF_Chann.setRows(16);
  MSF_Chann.setCols(4);
  MSF_Encode.setRows(16);
  MSF_Encode.setCols(6);
  MSF_Decode.setRows(16);
  MSF_Decode.setCols(9);
  // As built: the standards page shows; the editors wait hidden; the reply settings
  // are hidden and only a read changes them.
  Frame_encode.setVisible(false);
  Frame_Decode.setVisible(false);
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &Combo_edit, &Text_Edit, &Combo_Encode, &Text_Encode, &Combo_Decode, &Text_Decode,
           &Label9, &Check_Dec_back, &Check_Dec_Bcl, &Label8, &Combo_Dec_Back_Time})
    c->setVisible(false);
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&Check_Dec_Bcl, &Label8, &Combo_Dec_Back_Time})
    c->setEnabled(false);
  for (kit::ComboBox* b :
       {&Combo_edit, &Combo_stxh, &Combo_Encode, &Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3,
        &Combo_Enc_ys4, &Combo_Decode, &Combo_Dec_Res_Time, &Combo_Dec_Back_Time})
    b->setHeight(kComboHeight);

  Load = [this] { Form_Load(); };
  TabStrip1.Click = [this] { TabStrip1_Click(); };
  MSF_Chann.Click = [this] { MSF_Chann_Click(); };
  MSF_Chann.LeaveCell = [this] { MSF_Chann_LeaveCell(); };
  // The standards editor undoes typing only while it is shown; it has no Click of its own.
  Combo_edit.Change = [this] {
    if (!Combo_edit.visible()) return;
    Combo_edit.setFocus();
    Combo_edit.setText(Saved_Text);
  };
  Pick_Only(Combo_stxh, true, [this] { Show_Std_Freqs(); });
  for (kit::ComboBox* b : {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Enc_ys4})
    Pick_Only(*b, true);
  for (kit::ComboBox* b : {&Combo_Encode, &Combo_Decode, &Combo_Dec_Res_Time, &Combo_Dec_Back_Time})
    Pick_Only(*b, false);
  Wire_Editing();
  // An editor's text or pick waits for its cell to be left (a page switch hides the text editors
  // and keeps their text); a commit applies it now.
  CommitPending = [this] {
    if (List_Waits(MSF_Chann, Combo_edit)) MSF_Chann_LeaveCell();
    if (List_Waits(MSF_Encode, Combo_Encode) || Code_Waits(MSF_Encode, Enc_Code, Text_Encode))
      MSF_Encode_LeaveCell();
    if (List_Waits(MSF_Decode, Combo_Decode) || Code_Waits(MSF_Decode, Dec_Code, Text_Decode))
      MSF_Decode_LeaveCell();
    return true;
  };
}

void frm_5tone::Form_Load() {
  Load_Window(1.3, 1.25, 1.03, {{"标准", "Standard"}, {"编码", "Encode"}, {"解码", "Decode"}});

  setCaption(prog_.Text("5音信令编解码参数编辑", "5 Tone Encode/Decode "));
  Frame_std.setCaption(prog_.Text("5 TONE 标准频率", "5 TONE Standard Frequency"));
  Label_std_name.setCaption(prog_.Text("标准名称", "Standard Name"));
  Frame_encode.setCaption(prog_.Text("5 TONE 编码", "5 Tone Encode"));
  Label_enc_ys1.setCaption(prog_.Text("发送第1组码前的延迟时间（MS）", "Delay 1 (MS) "));
  Label_enc_ys2.setCaption(prog_.Text("发送第2组码前的延迟时间（MS）", "Delay 2 (MS) "));
  Label_enc_ys3.setCaption(prog_.Text("发送第3组码前的延迟时间（MS）", "Delay 3 (MS) "));
  Label_enc_ys4.setCaption(
      prog_.Text("各组码第1个音的拓展时长（MS）", "First Digit Extend Length (MS)"));
  Frame_Decode.setCaption(prog_.Text("5 TONE 解码", "5 Tone Decode"));
  Frame_Dec_xx.setCaption(prog_.Text(" 1 信息码各组编码成功解码后执行操作  ",
                                     "Execute after Code 1 Decode Succeeded   "));
  Label_F1.setCaption(prog_.Text("帧 1", "Frame 1"));
  Label_F2.setCaption(prog_.Text("帧 2", "Frame 2"));
  Label_F3.setCaption(prog_.Text("帧 3", "Frame 3"));
  Label_Disp.setCaption(prog_.Text("屏幕显示", "DISP"));
  Label_led.setCaption(prog_.Text("指示灯", "LED"));
  Label_ctrl.setCaption(prog_.Text("控制输出", "CTRL"));
  Label_Tishi.setCaption(prog_.Text("提示音", "ALERT"));
  Label_Reset_time.setCaption(prog_.Text("复位时间（MS）", "Reset Time(ms)"));
  for (int d = 0; d < 16; ++d) Label_code[d].setCaption(tone::Digit_Char(d));
  Label9.setCaption("组呼位");
  kit::Label* positions[] = {&Label16, &Label17, &Label18, &Label19, &Label20};
  for (int p = 0; p < 5; ++p) positions[p]->setCaption(std::to_string(p + 1));
  Label8.setCaption("回复延迟时间（MS）");
  Check_Dec_back.setCaption("所有帧成功解码后回复");
  Check_Dec_Bcl.setCaption("信道空闲时回复");
  MSF_Chann.setFormatString(prog_.Chinese() ? kStdFormatChn : kStdFormatEng);
  MSF_Encode.setFormatString(prog_.Chinese() ? kEncodeFormatChn : kEncodeFormatEng);
  MSF_Decode.setFormatString(prog_.Chinese() ? kDecodeFormatChn : kDecodeFormatEng);
  std::vector<std::string> functions;
  for (int k = 0; k <= 8; ++k) functions.push_back(Get_Call_Type(data_, k));
  const std::vector<std::string> names{"PDZVEI", "CCITT"}, code{"88888"}, number{"15"};
  Fit_Columns(MSF_Chann, {names, {"2550"}, {"F"}, {"F"}});
  Fit_Columns(MSF_Encode, {number, code, code, code, code, names});
  Fit_Columns(MSF_Decode, {number, names, code, functions, code, functions, code, functions, code});
  Lay_Out();
  Load_Defaults();
}

void frm_5tone::Lay_Out() {
  Lay_Page(Frame_std);
  Lay_Page(Frame_encode);
  Lay_Page(Frame_Decode);
  Lay_Std_Page();
  Lay_Encode_Page();
  Lay_Decode_Page();
  Set_Tab_Order();
}

namespace {
const double kRows16 = 16 * kit::Grid::kDefaultRowHeight + 2 * kit::Grid::kBorder;
}

// The standards grid; right of it the viewer: the standard's name, then its sixteen digits in two
// columns of eight.
void frm_5tone::Lay_Std_Page() {
  MSF_Chann.move(240, 360, Frame_std.width() / 1.8, kRows16);
  const double left = MSF_Chann.left() + MSF_Chann.width() + 480;
  const double room = Frame_std.width() - left - 240;
  Label_std_name.move(left, 420, room / 2, kLineHeight);
  Combo_stxh.move(left + room / 2, 360, room / 2, kComboHeight);
  for (int d = 0; d < 16; ++d) {
    const double x = left + (d / 8) * room / 2, y = 960 + (d % 8) * 420;
    Label_code[d].move(x, y, 300, kLineHeight);
    Label_freq[d].move(x + 360, y, room / 2 - 480, kLineHeight);
  }
}

// The encode grid; right of it the four timing lists, each under its caption.
void frm_5tone::Lay_Encode_Page() {
  MSF_Encode.move(240, 360, Frame_encode.width() / 1.6, kRows16);
  const double left = MSF_Encode.left() + MSF_Encode.width() + 360;
  const double room = Frame_encode.width() - left - 240;
  kit::Label* labels[] = {&Label_enc_ys1, &Label_enc_ys2, &Label_enc_ys3, &Label_enc_ys4};
  kit::ComboBox* boxes[] = {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Enc_ys4};
  for (int i = 0; i < 4; ++i) {
    labels[i]->move(left, 480 + i * 900, room, kLineHeight);
    boxes[i]->move(left, 480 + i * 900 + 330, 1200, kComboHeight);
  }
}

// The decode grid; under it the actions of the selected code (a row of boxes per frame: the four
// actions, then the five group-call positions) and the decode timing.
void frm_5tone::Lay_Decode_Page() {
  const double gridWidth = Frame_Decode.width() / 1.02;
  MSF_Decode.move((Frame_Decode.width() - gridWidth) / 2, 300, gridWidth, 4000);
  Frame_Dec_xx.move(MSF_Decode.left(), 4380, Frame_Decode.width() * 0.72, 1700);
  const double rowLabel = 1080, action = 1020, position = 420;
  kit::Label* heads[] = {&Label_Disp, &Label_led, &Label_ctrl, &Label_Tishi};
  kit::Label* positions[] = {&Label16, &Label17, &Label18, &Label19, &Label20};
  kit::Label* rows[] = {&Label_F1, &Label_F2, &Label_F3};
  const double top = 330;
  for (int i = 0; i < 4; ++i)
    heads[i]->move(120 + rowLabel + i * action, top, action - 60, kLineHeight);
  const double posLeft = 120 + rowLabel + 4 * action;
  Label9.move(posLeft, top - 10, 5 * position, kLineHeight);
  for (int p = 0; p < 5; ++p)
    positions[p]->move(posLeft + p * position, top, position, kLineHeight);
  for (int k = 0; k < 3; ++k) {
    const double y = top + 330 + k * 330;
    rows[k]->move(120, y, rowLabel - 60, kLineHeight);
    for (int b = 0; b < 9; ++b) {
      const double x = b < 4 ? 120 + rowLabel + b * action + 300 : posLeft + (b - 4) * position;
      Action_Boxes[static_cast<std::size_t>(k)][static_cast<std::size_t>(b)]->move(x, y, 255, 255);
    }
  }
  const double left = Frame_Dec_xx.left() + Frame_Dec_xx.width() + 360;
  const double room = Frame_Decode.width() - left - 120;
  Label_Reset_time.move(left, 4500, room, kLineHeight);
  Combo_Dec_Res_Time.move(left, 4860, 1200, kComboHeight);
  Check_Dec_back.move(left, 5280, room, kLineHeight);
  Check_Dec_Bcl.move(left, 5580, room, kLineHeight);
  Label8.move(left, 5280, room, kLineHeight);
  Combo_Dec_Back_Time.move(left, 5580, 1200, kComboHeight);
}

void frm_5tone::Set_Tab_Order() {
  std::vector<kit::Control*> order{&TabStrip1,     &MSF_Chann,     &Combo_stxh,
                                   &MSF_Encode,    &Combo_Enc_ys1, &Combo_Enc_ys2,
                                   &Combo_enc_ys3, &Combo_Enc_ys4, &MSF_Decode};
  for (auto& frame : Action_Boxes)
    for (kit::CheckBox* box : frame) order.push_back(box);
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &Combo_Dec_Res_Time, &Command_read, &Command_Write, &Command_def, &Command_open,
           &Command_save, &Command_close})
    order.push_back(c);
  int tab = 0;
  for (kit::Control* c : order) c->setTabIndex(tab++);
}

void frm_5tone::Load_Defaults() {
  Block_Buf.fill(0, 65, 0, 70, 0);
  Combo_stxh.clear();
  for (std::string_view name : kTone5StdNames) Combo_stxh.addItem(std::string(name));
  Combo_stxh.setListIndex(0);
  Init_Tone5_Std(data_);
  Show_Std_Freqs();
  Fill_Std_Grid();

  for (kit::ComboBox* b : {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Enc_ys4}) {
    b->clear();
    for (int v = 0; v <= 1000; v += 10) b->addItem(std::to_string(v));
  }
  Combo_Enc_ys1.setListIndex(40);
  Combo_Enc_ys2.setListIndex(20);
  Combo_enc_ys3.setListIndex(20);
  Combo_Enc_ys4.setListIndex(0);

  for (int i = 1; i <= 15; ++i) MSF_Encode.setTextMatrix(i, 0, std::to_string(i));
  for (const Code_Default& c : kCodeDefaults) {
    for (int f = 0; f < 3; ++f) MSF_Encode.setTextMatrix(c.code, 1 + f, c.frames[f]);
    MSF_Encode.setTextMatrix(c.code, 4, c.reply);
    MSF_Encode.setTextMatrix(c.code, 5, c.standard);
  }
  for (int i = 1; i <= 15; ++i) MSF_Decode.setTextMatrix(i, 0, std::to_string(i));
  Fill_Dec_Time_Lists();
  for (const Code_Default& c : kCodeDefaults) {
    MSF_Decode.setTextMatrix(c.code, 1, c.standard);
    for (int f = 0; f < 3; ++f) {
      MSF_Decode.setTextMatrix(c.code, 2 + 2 * f, c.frames[f]);
      MSF_Decode.setTextMatrix(c.code, 3 + 2 * f, Get_Call_Type(data_, kDefaultFunctions[f]));
    }
    MSF_Decode.setTextMatrix(c.code, 8, c.reply);
  }
  Dec_Actions(0, 0) = 3;    // code 1, frame 1: DISP and LED
  Dec_Actions(14, 0) = 12;  // code 15, frame 1: CTRL and ALERT
  Cur_Dec_Row = 0;
  Show_Dec_Actions(0);
  ProgressBar1.setVisible(false);
}

void frm_5tone::Fill_Std_Grid() {
  for (int r = 1; r <= 15; ++r) {
    MSF_Chann.setTextMatrix(r, 0, std::string(kTone5StdNames[static_cast<std::size_t>(r - 1)]));
    MSF_Chann.setTextMatrix(r, 1, kPeriods[r - 1]);
    MSF_Chann.setTextMatrix(r, 2, "A");
    MSF_Chann.setTextMatrix(r, 3, "E");
  }
}

void frm_5tone::Fill_Dec_Time_Lists() {
  Combo_Dec_Res_Time.clear();
  for (int v = 100; v <= 8000; v += 100) Combo_Dec_Res_Time.addItem(std::to_string(v));
  Combo_Dec_Res_Time.setListIndex(59);
  Combo_Dec_Back_Time.clear();
  for (int v = 500; v <= 2500; v += 100) Combo_Dec_Back_Time.addItem(std::to_string(v));
  Combo_Dec_Back_Time.setListIndex(5);
}

void frm_5tone::Show_Std_Freqs() {
  const int s = Combo_stxh.listIndex();
  if (s < 0 || s >= kTone5NamedStandards) return;
  for (int d = 0; d < 16; ++d)
    Label_freq[d].setCaption(
        rt::Trim(data_.Tone5_Std_Name(static_cast<std::size_t>(s), static_cast<std::size_t>(d))));
}

void frm_5tone::TabStrip1_Click() {
  const int tab = TabStrip1.selectedIndex();
  Frame_std.setVisible(tab == 1);
  Frame_encode.setVisible(tab == 2);
  Frame_Decode.setVisible(tab == 3);
  if (tab == 3) {
    Cur_Dec_Row = 0;
    Show_Dec_Actions(0);
  }
  MSF_Encode.hideEditor(Combo_Encode);
  Text_Encode.setVisible(false);
}

// ---- Standards page -------------------------------------------------------------------------

void frm_5tone::MSF_Chann_Click() {
  const int r = MSF_Chann.mouseRow(), c = MSF_Chann.mouseCol();
  if (r > 0) Combo_stxh.setListIndex(r - 1);
  if (r > 0 && c > 0)
    Std_Cell_Edit();
  else
    MSF_Chann.hideEditor(Combo_edit);
}

void frm_5tone::Std_Cell_Edit() {
  Go_To_Mouse_Cell(MSF_Chann);
  const std::string cell = MSF_Chann.text();
  Saved_Text = cell;
  Combo_edit.setVisible(true);
  MSF_Chann.placeEditor(Combo_edit, false);
  Combo_edit.setText(cell);
  Combo_edit.setFocus();
  Combo_edit.clear();
  if (MSF_Chann.col() == 1) {
    for (int v = 20; v <= 200; v += 10) Combo_edit.addItem(std::to_string(v));
  } else {
    for (int d = 0; d < 16; ++d) Combo_edit.addItem(tone::Digit_Char(d));
  }
  Combo_edit.setText(cell);
}

void frm_5tone::Drop_Pending_Edits() {
  MSF_Chann.hideEditor(Combo_edit);
  MSF_Encode.hideEditor(Combo_Encode);
  MSF_Encode.hideEditor(Text_Encode);
  Text_Encode.setText("");
  MSF_Decode.hideEditor(Combo_Decode);
  MSF_Decode.hideEditor(Text_Decode);
  Text_Decode.setText("");
}

void frm_5tone::MSF_Chann_LeaveCell() {
  if (List_Waits(MSF_Chann, Combo_edit) && MSF_Chann.row() > 0)
    MSF_Chann.setText(Combo_edit.text());
  MSF_Chann.hideEditor(Combo_edit);
}

// ---- Decode actions -------------------------------------------------------------------------

void frm_5tone::Show_Dec_Actions(int row) {
  Dec_Loading = true;
  for (std::size_t k = 0; k < 3; ++k) {
    const int bits[2] = {Dec_Actions(static_cast<std::size_t>(row), 2 * k),
                         Dec_Actions(static_cast<std::size_t>(row), 2 * k + 1)};
    for (std::size_t b = 0; b < 9; ++b) {
      const int value = b < 4 ? bits[0] >> b : bits[1] >> (b - 4);
      Action_Boxes[k][b]->setValue(value & 1);
    }
  }
  Dec_Loading = false;
}

void frm_5tone::Store_Dec_Actions(int row) {
  if (Dec_Loading) return;
  for (std::size_t k = 0; k < 3; ++k) {
    int actions = 0, positions = 0;
    for (std::size_t b = 0; b < 9; ++b) {
      if (Action_Boxes[k][b]->value() == 0) continue;
      if (b < 4)
        actions |= 1 << b;
      else
        positions |= 1 << (b - 4);
    }
    Dec_Actions(static_cast<std::size_t>(row), 2 * k) = static_cast<std::int16_t>(actions);
    Dec_Actions(static_cast<std::size_t>(row), 2 * k + 1) = static_cast<std::int16_t>(positions);
  }
}

}  // namespace j5
