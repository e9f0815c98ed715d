#include "editors/signalling/frm_2tone.h"

#include <algorithm>

#include "data/five_tone.h"
#include "data/lang_text.h"
#include "editors/signalling/sig_file.h"
#include "editors/signalling/tone_codecs.h"
#include "link/transfers.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

using fields::Coded;

namespace {

const Bilingual kFreqRange{"频率范围在 300.0 HZ - 3000.0 HZ 之间  ！",
                           "Frequency range 300Hz to 3000Hz"};

const std::string kEncodeFormatChn = "^ 信息码 |^ 第 1 个频率(HZ) |^ 第 2 个频率(HZ) ";
const std::string kEncodeFormatEng = "^ Code|^ 1st Frequency(HZ)|^ 2nd Frequency(HZ)";
const std::string kDecodeFormatChn =
    "^ 信息码|^解码1|^   响 应 方 式  |^提示|^解码2|^   响 应 方 式  |^提示|^解码3|^   响 应 方 式 "
    " "
    "|^提示|^解码4|^   响 应 方 式  |^提示";
const std::string kDecodeFormatEng =
    "^ Code|^Dec_1|^    Response   |^Alert|^Dec_2|^   Response   |^Alert|^Dec_3|^   Response   "
    "|^Alert|^Dec_4|^   Response   |^Alert";

struct Encode_Default {
  int code;
  const char *first, *second;
};
constexpr Encode_Default kEncodeDefaults[] = {{1, "1981.0", "1124.0"},  {2, "1197.0", "1275.0"},
                                              {3, "1358.0", "1446.0"},  {4, "1540.0", "1640.0"},
                                              {12, "2200.0", "970.0"},  {13, "1060.0", "1160.0"},
                                              {14, "1400.0", "1530.0"}, {15, "1670.0", "1830.0"}};

// A decode slot's default: pair, response entry, alert.
struct Slot {
  const char* pair;
  int response;
  const char* alert;
};
constexpr Slot kForward[4] = {{"A-B", 1, "1"}, {"B-C", 2, "2"}, {"C-D", 3, "3"}, {"D-A", 0, "4"}};
constexpr Slot kBackward[4] = {{"D-A", 0, "4"}, {"C-D", 3, "3"}, {"B-C", 2, "2"}, {"A-B", 1, "1"}};

struct Tone_Set_Default {
  int code;
  const char* tones[4];
};
constexpr Tone_Set_Default kToneSets[] = {{1, {"1981.0", "1124.0", "1197.0", "1275.0"}},
                                          {2, {"1358.0", "1446.0", "1540.0", "1640.0"}},
                                          {14, {"2200.0", "970.0", "1060.0", "1160.0"}},
                                          {15, {"1400.0", "1530.0", "1670.0", "1830.0"}}};

constexpr double kComboHeight = 300;

bool Is_Response_Or_Alert(int c) {
  return c >= 1 && c <= 12 && (c % 3 == 2 || c % 3 == 0);
}

}  // namespace

frm_2tone::frm_2tone(Program& program)
    : Tone_Window(program, "frm_2tone", {Tone2_Read_Plan, Tone2_Write_Plan}),
      Tone_Fields{Coded{{0, 0}, tone::Tone_Set_Codec()}, Coded{{0, 2}, tone::Tone_Set_Codec()},
                  Coded{{0, 4}, tone::Tone_Set_Codec()}, Coded{{0, 6}, tone::Tone_Set_Codec()}} {
  Encode_Columns = {{1, Coded{{0, 0}, tone::Encode_Tone_Codec()}},
                    {2, Coded{{0, 8}, tone::Encode_Tone_Codec()}}};
  for (int s = 1; s <= 4; ++s) {
    Decode_Columns.push_back({3 * s - 2, Coded{{0, 3 * s - 3}, tone::Pair_Codec()}});
    Decode_Columns.push_back({3 * s - 1, Coded{{0, 3 * s - 2}, tone::Response_Codec(data_)}});
    Decode_Columns.push_back({3 * s, Coded{{0, 3 * s - 1}, tone::Alert_Codec()}});
  }

  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&MSF_Encode, &Text_Encode, &Label_1st, &Combo_Enc_ys1,
                                            &Label_2nd, &Combo_Enc_ys2, &Label_gap, &Combo_enc_ys3})
    c->setContainer(Frame_encode);
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &MSF_Decode, &Combo_Decode, &Frame_Dec_xx, &Label_Reset, &Combo_Dec_Res_Time})
    c->setContainer(Frame_Decode);
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&Label_A_tone, &Text_A, &Label_B_Tone, &Text_B,
                                            &Label_C_Tone, &Text_C, &Label_D_Tone, &Text_D})
    c->setContainer(Frame_Dec_xx);
  MSF_Encode.setRows(16);
  MSF_Encode.setCols(3);
  MSF_Decode.setRows(16);
  MSF_Decode.setCols(13);
  Text_Encode.setVisible(false);
  Combo_Decode.setVisible(false);
  for (kit::ComboBox* b :
       {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Decode, &Combo_Dec_Res_Time})
    b->setHeight(kComboHeight);

  Load = [this] { Form_Load(); };
  TabStrip1.Click = [this] { TabStrip1_Click(); };
  MSF_Encode.Click = [this] { Encode_Cell_Edit(); };
  MSF_Encode.LeaveCell = [this] { MSF_Encode_LeaveCell(); };
  MSF_Encode.DblClick = [this] { MSF_Encode_DblClick(); };
  MSF_Decode.Click = [this] { Decode_Cell_Edit(); };
  MSF_Decode.LeaveCell = [this] { MSF_Decode_LeaveCell(); };
  MSF_Decode.DblClick = [this] { MSF_Decode_DblClick(); };
  for (kit::TextBox* box : Tone_Boxes) box->LostFocus = [this, box] { Text_Tone_LostFocus(*box); };
  // A tone box stores its tone when left, and an editor's text or pick waits for its cell to be
  // left (a page switch hides the text editor and keeps its text): a commit does both now.
  CommitPending = [this] {
    if (!commitFocusedBox()) return false;
    if (Text_Waits(MSF_Encode, Text_Encode)) MSF_Encode_LeaveCell();
    if (List_Waits(MSF_Decode, Combo_Decode)) MSF_Decode_LeaveCell();
    return true;
  };
  Pick_Only(Combo_Enc_ys1, true);
  Pick_Only(Combo_Enc_ys2, true);
  Pick_Only(Combo_enc_ys3, true);
  Pick_Only(Combo_Dec_Res_Time, false);
  Pick_Only(Combo_Decode, false);
}

void frm_2tone::Form_Load() {
  Load_Window(1.2, 1.25, 1.02, {{"编码", "Encode"}, {"解码", "Decode"}});
  Frame_encode.setVisible(true);
  Frame_Decode.setVisible(false);

  setCaption(prog_.Text("2 TONE 编解码参数编辑", "2 TONE"));
  Frame_encode.setCaption(prog_.Text("2 TONE 编码", "2 TONE Encode"));
  Label_1st.setCaption(prog_.Text("发送第 1 个频率时间长度（MS）", "1st Tone Duration(MS)"));
  Label_2nd.setCaption(prog_.Text("发送第 2 个频率时间长度（MS）", "2nd Tone Duration(MS)"));
  Label_gap.setCaption(prog_.Text("前后两个频率的间隔时长 （MS）", "Gap of Tone (MS)"));
  Frame_Decode.setCaption(prog_.Text("2 TONE 解码", "2 TONE Decode"));
  Label_A_tone.setCaption(prog_.Text("A 音（HZ）", "A Tone( HZ )"));
  Label_B_Tone.setCaption(prog_.Text("B 音（HZ）", "B Tone( HZ )"));
  Label_C_Tone.setCaption(prog_.Text("C 音（HZ）", "C Tone( HZ )"));
  Label_D_Tone.setCaption(prog_.Text("D 音（HZ）", "D Tone( HZ )"));
  Label_Reset.setCaption(prog_.Text("复位时间（MS）", "Reset_Time (MS)"));
  Frame_Dec_xx.setCaption(prog_.Text(" 1 解码信息两音频率", " 1 Decode 2 Tone Frequency"));
  MSF_Encode.setFormatString(prog_.Chinese() ? kEncodeFormatChn : kEncodeFormatEng);
  MSF_Decode.setFormatString(prog_.Chinese() ? kDecodeFormatChn : kDecodeFormatEng);
  std::vector<std::string> responses;
  for (std::size_t k = 0; k < 4; ++k) responses.push_back(data_.Lang_Text[kTone2ResponseFirst + k]);
  const std::vector<std::string> pairs{"A-B", "D-C"}, alerts{"16"};
  Fit_Columns(MSF_Encode, {{"15"}, {"3000.0"}, {"3000.0"}});
  Fit_Columns(MSF_Decode, {{"15"},
                           pairs,
                           responses,
                           alerts,
                           pairs,
                           responses,
                           alerts,
                           pairs,
                           responses,
                           alerts,
                           pairs,
                           responses,
                           alerts});
  Lay_Out();
  Load_Defaults();
}

// Pages laid into the tab strip: the encode grid with the three timing lists beside it; the
// decode grid over the tone set of the selected code and the reset time.
void frm_2tone::Lay_Out() {
  Lay_Page(Frame_encode);
  Lay_Page(Frame_Decode);
  const double rows16 = 16 * kit::Grid::kDefaultRowHeight + 2 * kit::Grid::kBorder;

  // As wide as its three columns at least: they are fitted to their texts in either language.
  double columns = 2 * kit::Grid::kBorder;
  for (int c = 0; c < MSF_Encode.cols(); ++c) columns += MSF_Encode.colWidth(c);
  MSF_Encode.move(240, 360, std::max(Frame_encode.width() / 2.6, columns), rows16);
  const double labelLeft = MSF_Encode.left() + MSF_Encode.width() + 480;
  const double comboLeft = Frame_encode.width() - 1200 - 360;
  double y = 600;
  for (auto [label, box] :
       {std::pair{&Label_1st, &Combo_Enc_ys1}, std::pair{&Label_2nd, &Combo_Enc_ys2},
        std::pair{&Label_gap, &Combo_enc_ys3}}) {
    label->move(labelLeft, y + 30, comboLeft - labelLeft - 120, 285);
    box->move(comboLeft, y, 1200, kComboHeight);
    y += 720;
  }

  const double gridWidth = Frame_Decode.width() / 1.02;
  MSF_Decode.move((Frame_Decode.width() - gridWidth) / 2, 300, gridWidth, 4000);
  Frame_Dec_xx.move(MSF_Decode.left(), 4440, Frame_Decode.width() * 0.66, 1320);
  const double pitch = Frame_Dec_xx.width() / 4;
  for (int k = 0; k < 4; ++k) {
    kit::Label* labels[] = {&Label_A_tone, &Label_B_Tone, &Label_C_Tone, &Label_D_Tone};
    labels[k]->move(180 + k * pitch, 360, pitch - 300, 285);
    Tone_Boxes[static_cast<std::size_t>(k)]->move(180 + k * pitch, 720, pitch - 420, 315);
  }
  const double resetLeft = Frame_Dec_xx.left() + Frame_Dec_xx.width() + 360;
  Label_Reset.move(resetLeft, 4620, Frame_Decode.width() - resetLeft - 120, 285);
  Combo_Dec_Res_Time.move(resetLeft, 4980, 1200, kComboHeight);

  // Keyboard order: the pages' controls in reading order, then the buttons.
  int tab = 0;
  for (kit::Control* c : std::initializer_list<kit::Control*>{
           &TabStrip1, &MSF_Encode, &Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &MSF_Decode,
           &Text_A, &Text_B, &Text_C, &Text_D, &Combo_Dec_Res_Time, &Command_read, &Command_Write,
           &Command_def, &Command_open, &Command_save, &Command_close})
    c->setTabIndex(tab++);
}

void frm_2tone::Load_Defaults() {
  Block_Buf.fill(0, 65, 0, 70, 0);
  Dec_Tone_Set.fill(0, 15, 0, 15, 0);

  for (kit::ComboBox* b : {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3}) {
    b->clear();
    for (int v = 0; v <= 1000; v += 10) b->addItem(std::to_string(v));
  }
  Combo_Enc_ys1.setListIndex(60);
  Combo_Enc_ys2.setListIndex(60);
  Combo_enc_ys3.setListIndex(30);

  Fill_Defaults_Cells();

  for (const Tone_Set_Default& t : kToneSets) {
    for (std::size_t k = 0; k < 4; ++k) Tone_Boxes[k]->setText(t.tones[k]);
    Store_Tone_Set(t.code - 1);
  }

  Combo_Dec_Res_Time.clear();
  for (int v = 100; v <= 8000; v += 100) Combo_Dec_Res_Time.addItem(std::to_string(v));
  Combo_Dec_Res_Time.setListIndex(59);
  ProgressBar1.setVisible(false);
}

void frm_2tone::Fill_Defaults_Cells() {
  for (int i = 1; i <= 15; ++i) MSF_Encode.setTextMatrix(i, 0, std::to_string(i));
  for (const Encode_Default& e : kEncodeDefaults) {
    MSF_Encode.setTextMatrix(e.code, 1, e.first);
    MSF_Encode.setTextMatrix(e.code, 2, e.second);
  }
  for (int i = 1; i <= 15; ++i) MSF_Decode.setTextMatrix(i, 0, std::to_string(i));
  for (int code : {1, 2, 14, 15}) {
    const Slot* slots = code == 15 ? kBackward : kForward;
    for (int s = 1; s <= 4; ++s) {
      const Slot& slot = slots[s - 1];
      MSF_Decode.setTextMatrix(code, 3 * s - 2, slot.pair);
      MSF_Decode.setTextMatrix(
          code, 3 * s - 1,
          data_.Lang_Text[kTone2ResponseFirst + static_cast<std::size_t>(slot.response)]);
      MSF_Decode.setTextMatrix(code, 3 * s, slot.alert);
    }
  }
}

void frm_2tone::TabStrip1_Click() {
  if (TabStrip1.selectedIndex() == 1) {
    Frame_Decode.setVisible(false);
    Frame_encode.setVisible(true);
  } else if (TabStrip1.selectedIndex() == 2) {
    Frame_encode.setVisible(false);
    Frame_Decode.setVisible(true);
    Cur_Dec_Row = 0;
    Show_Tone_Set(0);
  }
  Text_Encode.setVisible(false);
}

// ---- Tone sets ------------------------------------------------------------------------------

void frm_2tone::Store_Tone_Set(int row) {
  const fields::Cells set{Dec_Tone_Set};
  for (std::size_t k = 0; k < 4; ++k)
    Tone_Fields[k].shifted(row).setText(set, Tone_Boxes[k]->text());
}

void frm_2tone::Show_Tone_Set(int row) {
  const fields::Cells set{Dec_Tone_Set};
  for (std::size_t k = 0; k < 4; ++k) Tone_Boxes[k]->setText(Tone_Fields[k].shifted(row).text(set));
}

void frm_2tone::Text_Tone_LostFocus(kit::TextBox& box) {
  // A box only looked at stores nothing: the set it shows in whole Hz need not give back the
  // tick counts that were read.
  const bool typed = box.typedSinceFocus();
  const double v = rt::Val_Unbounded(box.text());
  if (v >= 300 && v <= 3000) {
    if (!typed) return;
    box.setText(rt::Str(rt::CInt(v)) + ".0");
  } else if (!rt::Trim(box.text()).empty()) {
    Entry_Prompt(kFreqRange);
    box.setText("");
    box.setFocus();
  }
  if (typed) Store_Tone_Set(Cur_Dec_Row);
}

// ---- Encode grid ----------------------------------------------------------------------------

void frm_2tone::Encode_Cell_Edit() {
  Go_To_Mouse_Cell(MSF_Encode);
  if (MSF_Encode.row() == 0 || MSF_Encode.col() == 0) return;
  Open_Text_Editor(MSF_Encode, Text_Encode);
}

void frm_2tone::MSF_Encode_LeaveCell() {
  // A cell only looked at keeps what it shows.
  if (MSF_Encode.col() > 0 && MSF_Encode.row() > 0 && Text_Waits(MSF_Encode, Text_Encode)) {
    const std::string text = Text_Encode.text();
    const double v = rt::Val_Unbounded(text);
    if (v >= 300 && v <= 3000) {
      MSF_Encode.setText(rt::Str(rt::Int(v + 0.5)) + ".0");
    } else if (!rt::Trim(text).empty()) {
      Entry_Prompt(kFreqRange);
      Text_Encode.setText("");
    }
  }
  MSF_Encode.hideEditor(Text_Encode);
  Text_Encode.setText("");
}

// Only a code's number clears it: the header row holds no code.
void frm_2tone::MSF_Encode_DblClick() {
  const int r = MSF_Encode.mouseRow();
  if (MSF_Encode.mouseCol() != 0 || r < 1 || r > 15) return;
  MSF_Encode.setTextMatrix(r, 1, "");
  MSF_Encode.setTextMatrix(r, 2, "");
}

// ---- Decode grid ----------------------------------------------------------------------------

void frm_2tone::Caption_Dec_Frame(int code) {
  Frame_Dec_xx.setCaption(std::to_string(code) +
                          prog_.Text(" 解码信息两音频率", " Decode 2 Tone Frequency"));
}

void frm_2tone::Decode_Cell_Edit() {
  Go_To_Mouse_Cell(MSF_Decode);
  const int r = MSF_Decode.row(), c = MSF_Decode.col();
  if (r == 0) return;
  Caption_Dec_Frame(r);
  Cur_Dec_Row = r - 1;
  Show_Tone_Set(r - 1);
  if (c == 0) return;

  // The list opens on what the cell shows, never on an item of its own choosing that leaving
  // the cell would then store.
  std::vector<std::string> items;
  if (c % 3 == 1) {
    items.assign(tone::kPairText.begin(), tone::kPairText.end());
  } else if (c % 3 == 2) {
    for (std::size_t k = 0; k < 4; ++k) items.push_back(data_.Lang_Text[kTone2ResponseFirst + k]);
  } else {
    for (int n = 1; n <= 16; ++n) items.push_back(std::to_string(n));
  }
  Open_List_Editor(MSF_Decode, Combo_Decode, items);
}

void frm_2tone::MSF_Decode_LeaveCell() {
  const int r = MSF_Decode.row(), c = MSF_Decode.col();
  // A cell only looked at keeps what it shows.
  if (c > 0 && r > 0 && List_Waits(MSF_Decode, Combo_Decode)) {
    MSF_Decode.setText(Combo_Decode.text());
    const int pairCol = c - (c % 3 == 2 ? 1 : 2);
    if (Is_Response_Or_Alert(c) && MSF_Decode.textMatrix(r, pairCol).empty())
      MSF_Decode.setText("");
  }
  MSF_Decode.hideEditor(Combo_Decode);
}

void frm_2tone::Drop_Pending_Edits() {
  MSF_Encode.hideEditor(Text_Encode);
  Text_Encode.setText("");
  MSF_Decode.hideEditor(Combo_Decode);
}

void frm_2tone::MSF_Decode_DblClick() {
  const int r = MSF_Decode.mouseRow();
  if (MSF_Decode.mouseCol() != 0 || r < 1 || r > 15) return;
  for (int c = 1; c <= 12; ++c) MSF_Decode.setTextMatrix(r, c, "");
  Dec_Tone_Set.fill(static_cast<std::size_t>(r - 1), static_cast<std::size_t>(r - 1), 0, 15, 0);
  Show_Tone_Set(r - 1);
}

// ---- The block ------------------------------------------------------------------------------

void frm_2tone::Grids_To_Image() {
  ToneStage& stage = Tone_Stage;
  const fields::Cells cells{stage};
  stage.fill(0, 47, 0, 15, 0);
  for (int i = 1; i <= 15; ++i)
    for (const fields::Column& col : Encode_Columns)
      col.store(cells, i - 1, MSF_Encode.textMatrix(i, col.col));
  // A list without a selection stores 0, the first entry.
  const kit::ComboBox* timing[] = {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3};
  for (std::size_t b = 0; b < 3; ++b)
    stage(15, b) = static_cast<std::int16_t>(std::max(0, timing[b]->listIndex()));
  for (int i = 1; i <= 15; ++i)
    for (const fields::Column& col : Decode_Columns)
      col.store(cells, 15 + i, MSF_Decode.textMatrix(i, col.col));
  for (std::size_t k = 0; k < 15; ++k)
    for (std::size_t c = 0; c < 16; ++c) stage(32 + k, c) = Dec_Tone_Set(k, c);
  stage(47, 0) = static_cast<std::int16_t>(std::max(0, Combo_Dec_Res_Time.listIndex()));
}

void frm_2tone::Image_To_Grids() {
  const fields::Cells page{Page_Buf};
  int r = 2;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  for (int i = 1; i <= 15; ++i)
    for (const fields::Column& col : Encode_Columns) col.show(MSF_Encode, i, page, i - 1);
  r = 6;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  for (int i = 1; i <= 15; ++i)
    for (const fields::Column& col : Decode_Columns) col.show(MSF_Decode, i, page, i - 1);
  r = 10;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  for (std::size_t k = 0; k < 16; ++k)
    for (std::size_t c = 0; c < 16; ++c) Dec_Tone_Set(k, c) = Page_Buf(k, c);
  const int last = Combo_Dec_Res_Time.listCount() - 1;
  Combo_Dec_Res_Time.setListIndex(std::clamp<int>(Dec_Tone_Set(15, 0), 0, last));
  Cur_Dec_Row = 0;
  Show_Tone_Set(0);
  Caption_Dec_Frame(1);
}

// A signal file holds encode codes 1 to 9: the encode grid shows them as it shows a read.
void frm_2tone::Show_Loaded_Rows() {
  const fields::Cells stage{Tone_Stage};
  for (int i = 1; i <= static_cast<int>(kSigFileRows); ++i)
    for (const fields::Column& col : Encode_Columns) col.show(MSF_Encode, i, stage, i - 1);
}

}  // namespace j5
