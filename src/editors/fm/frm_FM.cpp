#include "editors/fm/frm_FM.h"

#include <cmath>

#include "data/five_tone.h"
#include "editors/fm/fm_file.h"
#include "editors/fm/fm_record.h"
#include "link/ident_frames.h"
#include "link/transfers.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/file_dialogs.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace {

// The window's messages.
const Bilingual kClearBusy{"正在进行读写操作,请勿进行清除操作 ！,",
                           "Read-write operating，don't clear operate .,"};
const Bilingual kFreqRange{"接收频率超出范围 ！", "Over the range of receive frequency ."};
const Bilingual kNameLong{"信道名称的字符个数最大为 6 位 ！",
                          "The letter of channel name max 6 bit . "};
const Bilingual kBandRange[2][2] = {
    {{" A 段下限频率超出范围 ！", "Over the range of A band lower limit frequency ."},
     {" A 段上限频率超出范围 ！", "Over the range of A band upper limit frequency ."}},
    {{" B 段下限频率超出范围 ！", "Over the range of B band lower limit frequency ."},
     {" B 段上限频率超出范围 ！", "Over the range of B band upper limit frequency ."}}};
const Bilingual kBandOrder[2] = {
    {"下限频率不可大于上限频率！",
     "The lower limit frequency can not bigger than the upper limit ."},
    {"上限频率不可小于下限频率！",
     "The upper limit frequency can not smaller than the lower limit ."}};
const Bilingual kBandInfo[2] = {
    {"A 段频率的有效范围从 ", "The availability range of  A band frequency is from  "},
    {"B 段频率的有效范围从 ", "The availability range of  B band frequency is from  "}};
const Bilingual kBandInvalid{"频段上下限必须是 0 - 999 MHZ 之间的整数，数据未写入 ！",
                             "A band limit must be a whole number from 0 to 999 MHZ; nothing was "
                             "written."};
const Bilingual kStoring{"正在保存信道参数。。。", "Storing channel parameter parameter..."};
const Bilingual kStored{"保存信道参数正常 ！", "Store channel parameter in gear."};
const Bilingual kSaved{"信道参数保存完毕 ！", "Complete storing channel parameter."};
const Bilingual kSaveFailed{"信道参数保存失败 ！", "Fail to store the channel parameter."};
const Bilingual kLoaded{"信道参数从文件调入成功 ！",
                        "Succeed fold the channel parameter from file."};
const Bilingual kLoadFailed{"信道参数文件调入失败 ！", "Fail to load the channel parameter file."};

const std::string kFormatChn =
    "^FM 频 道 号|^  接  收  频  率 (MHZ)  |^     电    台    名    称    ";
const std::string kFormatEng = "^FM  Channel|^ Receive Frequency (MHZ)|^ FM Station Name  ";

struct Station {
  int row;
  const char *freq, *name;
};
constexpr Station kStations[] = {
    {1, "88.90000", "HNNEW"},   {2, "90.40000", "CCTV1"},   {4, "92.30000", "JTZS2"},
    {6, "95.50000", "HNBBC"},   {8, "96.90000", "CCTV4"},   {10, "98.30000", "FJQX"},
    {12, "103.90000", "CCTV6"}, {14, "100.70000", "DNZS3"}, {16, "105.90000", "CCTV9"}};

// Sizes, in twips.
constexpr double kMargin = 480;
constexpr double kBandArea = 3400;  // heading width aside: two boxes, "TO" and "MHZ"

std::string Whole_MHz(double v) {
  return Fmt_FM_Freq(rt::Trim(rt::Str(v)), 0);
}

}  // namespace

frm_FM::frm_FM(Program& program)
    : kit::Form(program.platform, "frm_FM", program.Main_Form()),
      Transfer(*this, program, Fm_Link(), *this),
      prog_(program),
      data_(program.data) {
  Timer4.setInterval(500);
  Timer4.Tick = [this] { Timer4_Timer(); };
  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  GotFocus = [this] { Form_Activate(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_Clear.Click = [this] { Command_Clear_Click(); };
  Command_save.Click = [this] { Command_save_Click(); };
  Command_open.Click = [this] { Command_open_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
  MSF_Chann.Click = [this] { Show_Cell_Editor(); };
  MSF_Chann.LeaveCell = [this] { MSF_Chann_LeaveCell(); };
  MSF_Chann.LostFocus = [this] { MSF_Chann_LostFocus(); };
  // Every key reaches the editor, Enter included: Enter does not leave the cell.
  Text_Edit.KeyPress = [](int&) {};
  // A band box checks and stores its limit when left, and a text typed into the editor waits for
  // its cell to be left: a commit does both now (an editor merely opened over its cell holds
  // nothing to commit).
  CommitPending = [this] {
    if (!commitFocusedBox()) return false;
    if (Editor_Open && Text_Edit.text() != Cell_Text) MSF_Chann_LeaveCell();
    return true;
  };
  for (std::size_t i = 0; i < Band_Boxes.size(); ++i) {
    const Band_Box b{Band_Boxes[i], i % 2 == 1, i >= 2};
    b.box->Change = [this, b] { Band_Change(b); };
    b.box->LostFocus = [this, b] { Band_LostFocus(b); };
  }
  Combo_edit.setVisible(false);
  Text_pvfo1_FM.setEnabled(false);
  Text_pvfo2_FM.setEnabled(false);
  MSF_Chann.setFixedCols(0);
}

// ---- Load, activation, layout -----------------------------------------------------------------

void frm_FM::Form_Load() {
  setCaption(prog_.Text("FM 收音机频道编辑", "FM Radio Information"));
  Lb_range.setCaption(prog_.Text(" FM 收音频率范围", "the range of FM Frequency"));
  for (kit::Label* l : {&Lb_TO_FM, &LB_TO_A, &LB_TO_B}) l->setCaption(prog_.Text("到", "TO"));
  for (kit::Label* l : {&Label1, &Label2, &Label3}) l->setCaption("MHZ");
  Label_A.setCaption(prog_.Text(" A 段频率范围 ", "the range of A band Frequency "));
  Label_B.setCaption(prog_.Text(" B 段频率范围 ", "the range of B band Frequency "));
  Command_read.setCaption(prog_.Text("读 取", "Read"));
  Command_Write.setCaption(prog_.Text("写  入", "Write"));
  Command_Clear.setCaption(prog_.Text("清  除", "Clear"));
  Command_save.setCaption(prog_.Text("保  存", "Save"));
  Command_open.setCaption(prog_.Text("打  开", "Open"));
  Command_close.setCaption(prog_.Text("关  闭", "Close"));
  MSF_Chann.setFormatString(prog_.Chinese() ? kFormatChn : kFormatEng);

  // Columns as wide as the texts they show, measured in the grid's own font.
  const kit::Platform& platform = MSF_Chann.platform();
  MSF_Chann.setColWidth(
      1, std::max(MSF_Chann.colWidth(1), platform.gridTextWidthTwips("888.88888") + 480));
  MSF_Chann.setColWidth(
      2, std::max(MSF_Chann.colWidth(2), platform.gridTextWidthTwips("WWWWWW") + 480));
  if (kit::MdiForm* main = prog_.Main_Form()) {
    // As wide as the grid's columns and the band boxes beside them need, in either language.
    const double w = std::max(main->width() / 1.7, Band_Left() + kBandArea + 2 * kMargin);
    const double h = main->height() / 1.8;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2, w, h);
  }
  show();
  Lay_Out();

  Text_Edit.setVisible(false);
  MSF_Chann.setRows(18);
  MSF_Chann.setCol(0);
  Transfer.Stop();
  Editor_Open = false;
  Progress.Clear();
  data_.Block_Buf.fill(0, 65, 0, 70, 255);
  data_.Name_Block_Buf.fill(0, 65, 0, 70, 255);
  for (int r = 1; r <= 17; ++r) MSF_Chann.setTextMatrix(r, 1, "");
  Fm_Low = fm::kFmLow;
  Fm_High = fm::kFmHigh;
  Text_pvfo1_FM.setText("87.50000");
  Text_pvfo2_FM.setText("108.00000");
  Text_pvfo1_A.setText(Whole_MHz(data_.Band_A_Low));
  Text_pvfo2_A.setText(Whole_MHz(data_.Band_A_High - 1));
  Text_pvfo1_B.setText(Whole_MHz(data_.Band_B_Low));
  Text_pvfo2_B.setText(Whole_MHz(data_.Band_B_High - 1));
  for (const Station& s : kStations) {
    MSF_Chann.setTextMatrix(s.row, 1, s.freq);
    MSF_Chann.setTextMatrix(s.row, 2, s.name);
  }
}

void frm_FM::Lay_Out() {
  MSF_Chann.move(kMargin, 120, Band_Left() - kMargin - 360, height() / 1.47);
  Text_Edit.move(0, 0, 1000, 285);
  const double x = Band_Left(), right = scaleWidth() - kMargin;
  // Three rows of a heading over two boxes: the FM range, band A, band B.
  const std::array<std::array<kit::Control*, 6>, 3> rows = {
      {{&Lb_range, &Text_pvfo1_FM, &Lb_TO_FM, &Text_pvfo2_FM, &Label1},
       {&Label_A, &Text_pvfo1_A, &LB_TO_A, &Text_pvfo2_A, &Label2},
       {&Label_B, &Text_pvfo1_B, &LB_TO_B, &Text_pvfo2_B, &Label3}}};
  const double tops[3] = {120, 1440, 2400};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double top = tops[i];
    rows[i][0]->move(x, top, right - x, 285);
    rows[i][1]->move(x, top + 360, 1095, 285);
    rows[i][2]->move(x + 1200, top + 390, 330, 255);
    rows[i][3]->move(x + 1560, top + 360, 1095, 285);
    rows[i][4]->move(x + 2760, top + 390, 600, 255);
  }
  Progress.Place_Label(x - 240, 3840, right - x + 240, {kStoring, kStored});
  const double bottom = std::max(MSF_Chann.top() + MSF_Chann.height() + 240, 4560.0);
  ProgressBar1.move(kMargin, bottom, right - kMargin, 375);
  // Six buttons spread over the width.
  const double step = (right - kMargin - 855) / 5;
  for (int i = 0; kit::CommandButton * b : {&Command_read, &Command_Write, &Command_Clear,
                                            &Command_save, &Command_open, &Command_close})
    b->move(kMargin + step * i++, bottom + 480, 855, 495);
  Label_chann.move(1440, bottom + 1440, 7575, 375);
}

// The band boxes start right of the grid's columns.
double frm_FM::Band_Left() const {
  double w = 60;  // the grid's border
  for (int c = 0; c < MSF_Chann.cols(); ++c) w += MSF_Chann.colWidth(c);
  return kMargin + w + 360;
}

// The grid gets its sixteen channel rows and their numbers; each row passed is encoded again.
void frm_FM::Form_Activate() {
  MSF_Chann.setRows(17);
  MSF_Chann.setCol(0);
  for (int i = 1; i <= fm::kChannels; ++i) {
    MSF_Chann.setRow(i);
    MSF_Chann.setTextMatrix(i, 0, std::to_string(i));
  }
}

// Any way of closing the window is refused while a transfer runs: the radio would be left
// half-read or half-written.
void frm_FM::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) {
    cancel = 1;
    return;
  }
  Link.Close_Port();
}

// ---- Buttons --------------------------------------------------------------------------------

void frm_FM::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  if (Transfer.Start(Fm_Read_Plan())) data_.Name_Phase = kFalse;
}

void frm_FM::Command_Write_Click() {
  // The rows are encoded on every press, while a transfer runs too, and take what was typed.
  if (Transfer.Pending_Refused()) return;
  bool bands_ok = true;
  for (int n = 1; n <= fm::kChannels; ++n) bands_ok = Encode_Fm_Row(n) && bands_ok;
  if (Transfer.Busy_Refused()) return;
  // A limit without three digits would shift the others in the radio's band row.
  if (!bands_ok) {
    Prompt(prog_, kBandInvalid);
    return;
  }
  if (Transfer.Start(Fm_Write_Plan())) data_.Name_Phase = kFalse;
}

void frm_FM::Command_Clear_Click() {
  if (Transfer.Busy()) return Prompt(prog_, kClearBusy);
  Progress.Clear();
  data_.Block_Buf.fill(0, 65, 0, 70, 0);
  data_.Name_Block_Buf.fill(0, 65, 0, 70, 0);
  Text_Edit.setText("");
  for (int r = 1; r <= fm::kChannels; ++r) {
    MSF_Chann.setTextMatrix(r, 1, "");
    MSF_Chann.setTextMatrix(r, 2, "");
  }
  for (kit::TextBox* b : Band_Boxes) b->setText("");
}

void frm_FM::Command_save_Click() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_save_chann.load();
}

void frm_FM::Command_open_Click() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_open_chann.load();
}

void frm_FM::Command_close_Click() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  Program& program = prog_;  // this window is gone once it has unloaded
  unload();
  program.Form_open_chann.unload();
  program.Form_save_chann.unload();
}

// ---- Records ----------------------------------------------------------------------------------

bool frm_FM::Encode_Fm_Row(int n) {
  const fields::Cells cells{data_.Fm_Image};
  const std::string freq = rt::Trim(MSF_Chann.textMatrix(n, 1));
  fm::Freq_Column().store(cells, n - 1, freq);
  // A name stays only on a channel that has a frequency.
  fm::Name_Column().store(cells, n - 1, freq.empty() ? "" : MSF_Chann.textMatrix(n, 2));
  bool ok = true;
  for (std::size_t i = 0; i < Band_Boxes.size(); ++i)
    ok = fm::Band_Fields()[i].setText(cells, Band_Boxes[i]->text()) && ok;
  return ok;
}

void frm_FM::Show_Row(int n, const fields::Cells& cells, int rows) {
  const std::string freq = fm::Freq_Column().text(cells, rows);
  MSF_Chann.setTextMatrix(n, 1, freq);
  MSF_Chann.setTextMatrix(n, 2, freq.empty() ? "" : fm::Name_Column().text(cells, rows));
}

void frm_FM::Show_Band(const fields::Cells& cells) {
  for (std::size_t i = 0; i < Band_Boxes.size(); ++i)
    Band_Boxes[i]->setText(fm::Band_Fields()[i].text(cells));
}

// Each reply shows the channels its address holds; the reply from 0x3F80 shows the band row.
// The replies are laid out as Fm_Image rows in a table of their own: a read changes Fm_Image only
// when the rows shown are encoded again.
void frm_FM::Decode_Fm_Frames() {
  constexpr int kBlocks = 5;
  const int base = Fm_Read_Plan().base;
  FmImage received = Erased_Fm_Image();
  const fields::Cells cells{received};
  std::array<bool, fm::kChannels + 1> shown{};
  for (int k = 2; k <= kBlocks + 1; ++k) {
    const auto row = static_cast<std::size_t>(k);
    int ch = rt::CInt(16.0 * (data_.Block_Buf(row, 2) - (base >> 8)) +
                      (data_.Block_Buf(row, 3) - (base & 0xFF)) / 16.0 + 1);
    for (int j = 0; j < (k < kBlocks + 1 ? 4 : 1); ++j, ++ch) {
      if (ch < 1 || ch > fm::kChannels) continue;
      for (std::size_t c = 0; c < 16; ++c)
        received(static_cast<std::size_t>(ch - 1), c) = data_.Block_Buf(row, 5 + 16 * j + c);
      shown[static_cast<std::size_t>(ch)] = true;
    }
  }
  for (std::size_t c = 0; c < 16; ++c)
    received(fm::kBandRow, c) = data_.Block_Buf(kBlocks + 1, 5 + c);
  for (int n = 1; n <= fm::kChannels; ++n)
    if (shown[static_cast<std::size_t>(n)]) Show_Row(n, cells, n - 1);
  Show_Band(cells);
}

void frm_FM::Decode_Fm_Row(int n) {
  Show_Row(n, fields::Cells{data_.Fm_Image}, n - 1);
}

// ---- Grid editing -----------------------------------------------------------------------------

void frm_FM::Show_Cell_Editor() {
  Cur_Row = MSF_Chann.row();
  Cur_Col = MSF_Chann.col();
  Cell_Text = MSF_Chann.text();
  if (Cur_Col != 1 && Cur_Col != 2) return;
  MSF_Chann.hideEditor(Combo_edit);
  MSF_Chann.placeEditor(Text_Edit, true);
  Text_Edit.setText(Cell_Text);
  Text_Edit.selectAll();
  Text_Edit.setVisible(true);
  Editor_Open = true;
  if (Text_Edit.visible()) Text_Edit.setFocus();
}

void frm_FM::MSF_Chann_LeaveCell() {
  // A cell whose editor still shows what the cell shows was only looked at.
  const bool edited = Editor_Open && Cur_Row == MSF_Chann.row() && Cur_Col == MSF_Chann.col() &&
                      Text_Edit.text() != Cell_Text;
  Cur_Row = MSF_Chann.row();
  Cur_Col = MSF_Chann.col();
  MSF_Chann.hideEditor(Text_Edit);
  // A cell reached without the editor over it (arrow keys, the window's own moves) keeps what it
  // shows: the editor holds no text of it.
  if (edited && Cur_Col == 1) Leave_Freq_Cell();
  if (edited && Cur_Col == 2) Leave_Name_Cell();
  if (Cur_Row >= 1 && Cur_Row <= fm::kChannels) Encode_Fm_Row(Cur_Row);
  Editor_Open = false;
  Text_Edit.setText("");
  MSF_Chann.hideEditor(Combo_edit);
}

void frm_FM::Leave_Freq_Cell() {
  const std::string typed = Text_Edit.text();
  const double f = rt::Val_Unbounded(typed);
  if (f >= Fm_Low && f <= Fm_High) {
    MSF_Chann.setTextMatrix(Cur_Row, 1, fm::Freq_Cell_Text(f));
  } else if (!rt::Trim(typed).empty()) {
    Prompt(prog_, kFreqRange);
    MSF_Chann.setTextMatrix(Cur_Row, 1, fm::Freq_Cell_Text(Fm_Low));
  } else {
    // A blanked frequency deletes the channel.
    MSF_Chann.setTextMatrix(Cur_Row, 1, "");
    MSF_Chann.setTextMatrix(Cur_Row, 2, "");
  }
}

void frm_FM::Leave_Name_Cell() {
  std::string typed = Text_Edit.text();
  if (kit::utf8::length(rt::Trim(typed)) > fm::kNameMax)
    Prompt(prog_, kNameLong, Prompt_Title::Upper);
  if (rt::Trim(MSF_Chann.textMatrix(Cur_Row, 1)).empty()) typed.clear();
  MSF_Chann.setTextMatrix(Cur_Row, 2, fm::Name_Cell_Text(typed));
}

void frm_FM::MSF_Chann_LostFocus() {
  const int r = MSF_Chann.row();
  if (r >= 1 && r <= fm::kChannels) Encode_Fm_Row(r);
}

// ---- Band limit boxes -------------------------------------------------------------------------

double frm_FM::Band_Lo(const Band_Box& b) const {
  return b.band_b ? data_.Band_B_Low : data_.Band_A_Low;
}

double frm_FM::Band_Hi(const Band_Box& b) const {
  return (b.band_b ? data_.Band_B_High : data_.Band_A_High) - 1;
}

void frm_FM::Band_Change(const Band_Box& b) {
  if (kit::utf8::length(rt::Trim(b.box->text())) <= 9) return;
  const Bilingual& info = kBandInfo[b.band_b];
  const std::string lo = Whole_MHz(Band_Lo(b)), hi = Whole_MHz(Band_Hi(b));
  Prompt(prog_,
         {info.chn + lo + "MHZ 到 " + hi + "MHZ   ", info.eng + lo + "MHZ to " + hi + "MHZ   "});
  b.box->setFocus();
}

void frm_FM::Band_LostFocus(const Band_Box& b) {
  const double lo = Band_Lo(b), hi = Band_Hi(b);
  const double fallback = b.upper ? hi : lo;
  const double v = rt::Val_Unbounded(b.box->text());
  if (!(v >= lo && v <= hi)) {
    Prompt(prog_, kBandRange[b.band_b][b.upper]);
    b.box->setText(rt::Trim(rt::Str(fallback)));
  } else {
    kit::TextBox& lower = *Band_Boxes[b.band_b ? 2 : 0];
    kit::TextBox& upper = *Band_Boxes[b.band_b ? 3 : 1];
    if (rt::Val_Unbounded(upper.text()) < rt::Val_Unbounded(lower.text())) {
      Prompt(prog_, kBandOrder[b.upper]);
      b.box->setText(rt::Trim(rt::Str(fallback)));
    }
  }
  b.box->setText(Fmt_FM_Freq(b.box->text(), 0));
}

// ---- FM file requests -------------------------------------------------------------------------

void frm_FM::Timer4_Timer() {
  // A request raised just before an exchange began, this window's or another's, waits for its
  // end (restarts included), as the dialogs refuse a confirm meanwhile.
  if (prog_.Exchange_Running()) return;
  if (data_.Open_Adj_Req != 0) {
    data_.Open_Adj_Req = kFalse;
    Show_Fm_Rows();
  }
  if (data_.Save_Adj_Req != 0) {
    data_.Save_Adj_Req = kFalse;
    Save_Fm_File();
  }
}

// Reads the FM file named by File_Path into rows 1 to 16 and shows all rows; a file that is no FM
// file changes nothing and says why.
void frm_FM::Show_Fm_Rows() {
  const rt::NumberRead read = fm::Read_Fm_File(data_.File_Path);
  if (!read.ok()) {
    Prompt_File_Problem(prog_, kLoadFailed, data_.File_Path, read.problem);
    return;
  }
  fm::Store_Fm_Values(data_.Fm_Image, read);
  for (int n = 1; n <= fm::kChannels; ++n) Decode_Fm_Row(n);
  Show_Band(fields::Cells{data_.Fm_Image});
  Prompt(prog_, kLoaded);
  Progress.Clear();
}

void frm_FM::Save_Fm_File() {
  Progress.Label(kStoring);
  for (int n = 1; n <= fm::kChannels; ++n) Encode_Fm_Row(n);
  if (const auto problem = rt::saveFile(data_.File_Path, fm::Fm_File_Text(data_.Fm_Image))) {
    Progress.Clear();
    Prompt_File_Problem(prog_, kSaveFailed, data_.File_Path, problem);
    return;
  }
  Progress.Label(kStored);
  Prompt(prog_, kSaved);
  Progress.Clear();
}

// ---- The transfer -----------------------------------------------------------------------------

void frm_FM::Link_Identified(const Ident_Frame& frame) {
  Store_Ident8_Dec(prog_, frame);
}

// Block k lands in Block_Buf row k + 2 as the radio sent it (its header was checked).
void frm_FM::Link_Block_Stored(int step, std::uint16_t address,
                               std::span<const std::uint8_t> data) {
  Store_Reply_Row(data_.Block_Buf, step + 2, address, data);
}

std::optional<std::array<std::uint8_t, 16>> frm_FM::Link_Frame_Data(const Write_Step& step) {
  return Row_Bytes(data_.Fm_Image, step.source);
}

// A read's channels are shown before the completion texts.
// A value typed into a cell while the read ran was typed over values the read replaces: it must
// not land on them when the user leaves the cell.
void frm_FM::Link_Done() {
  if (Transfer.Writing()) return;
  MSF_Chann.hideEditor(Text_Edit);
  Editor_Open = false;
  Text_Edit.setText("");
  Decode_Fm_Frames();
}

// Fm_Image changed under the running write (it never should: file requests wait for the end).
void frm_FM::Link_Stopped(const Write_Step&) {
  Progress.Failed();
}

}  // namespace j5
