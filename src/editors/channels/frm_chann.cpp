// The channel window itself: controls, captions and layout, the rebuild of
// the grid from the image, and the Default, Clear and Close buttons.
#include "editors/channels/frm_chann.h"

#include <algorithm>

#include "data/defaults.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

namespace {

const std::string kFormatChn =
    "^信道号|^ 工作频段 |^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT 解码|^QT/DQT 编码|^发射功率|"
    "^信道带宽|^PTT-ID|^繁忙锁定|^扫描添加|^信令码|^扰频|^信 道 名 称";
const std::string kFormatEng =
    "^Channel|^  Band  |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^TX Power|"
    "^ W/N |^PTT-ID|^BusyLock|^Scan_Add|^SigCode|^SCR|^CH-Name";

// Sizes, in twips.
constexpr double kButtonWidth = 855;
constexpr double kButtonHeight = 495;
constexpr double kButtonPitch = 1440;
constexpr double kMargin = 120;
constexpr double kComboHeight = 300;

}  // namespace

frm_chann::frm_chann(Program& program)
    : kit::Form(program.platform, "frm_chann", program.Main_Form()),
      Transfer(*this, program, Channel_Link(), *this),
      prog_(program),
      data_(program.data),
      Image(program.data.Mem_Image) {
  Build_Columns();
  // As built: the list editor, the transfer buttons and the
  // transfer's progress are not shown; the transfer timers do not run.
  Combo_edit.setVisible(false);
  Combo_edit.setHeight(kComboHeight);
  Command_read.setVisible(false);
  Command_Write.setVisible(false);
  Link.Stop();
  // The grid comes first when the window gets the focus.
  MSF_Chann.setTabIndex(0);
  MSF_Chann.setFixedCols(0);

  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  GotFocus = [this] { Form_Activate(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_def.Click = [this] { Command_def_Click(); };
  Command_Clear.Click = [this] { Command_Clear_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  MSF_Chann.Click = [this] { MSF_Chann_Click(); };
  MSF_Chann.LeaveCell = [this] { MSF_Chann_LeaveCell(); };
  Combo_edit.Click = [this] { Combo_edit_Click(); };
  Combo_edit.Change = [this] { Combo_edit_Change(); };
  Combo_edit.GotFocus = [this] { Combo_edit_GotFocus(); };
  Combo_edit.KeyPress = [this](int& key) { Combo_edit_KeyPress(key); };
  Text_Edit.KeyPress = [this](int& key) { Text_Edit_KeyPress(key); };
  // A cell under edit is committed as leaving it commits it; not from under a commit's message.
  // An editor merely opened over its cell holds nothing its cell does not show: nothing to commit.
  CommitPending = [this] {
    if (Committing) return false;
    if (Edit_Holds_A_Change()) MSF_Chann_LeaveCell();
    return true;
  };
}

void frm_chann::Form_Load() {
  data_.Win_Chann = kTrue;

  setCaption(prog_.Text("信道参数编辑", "Channel Information"));
  MSF_Chann.setFormatString(prog_.Chinese() ? kFormatChn : kFormatEng);
  Command_read.setCaption(prog_.Text("读 取", "Read"));
  Command_Write.setCaption(prog_.Text("写 入", "Write"));
  Command_Clear.setCaption(prog_.Text("清 除", "Clear"));
  Command_def.setCaption(prog_.Text("出厂值", "Default"));
  Command_close.setCaption(prog_.Text("关 闭", "Close"));

  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->width() / 1.24;
    const double h = main->height() / 1.26;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2, w, h);
  }
  show();
  Lay_Out();
  Text_Edit.setVisible(false);

  Number_Rows();

  // The hidden transfer starts idle.
  Transfer.Stop();
  Transfer.Progress.Clear();

  for (int i = 1; i <= Shown_Channels(); ++i) Show_Channel(i);
}

void frm_chann::Lay_Out() {
  const double gridWidth = scaleWidth() / 1.02;
  const double gridLeft = (scaleWidth() - gridWidth) / 2;
  const double buttonTop = std::max(0.0, scaleHeight() - kMargin - kButtonHeight);
  MSF_Chann.move(gridLeft, kMargin, gridWidth, std::max(0.0, buttonTop - 2 * kMargin));

  const double firstLeft = gridLeft + kMargin;
  kit::CommandButton* row[] = {&Command_def, &Command_Clear, &Command_close, &Command_read,
                               &Command_Write};
  for (int i = 0; i < 5; ++i)
    row[i]->move(firstLeft + i * kButtonPitch, buttonTop, kButtonWidth, kButtonHeight);
  const double progressLeft = firstLeft + 5 * kButtonPitch;
  ProgressBar1.move(progressLeft, buttonTop + 120, 1800, 255);
  // The progress text takes the rest of the row, on two lines where it needs them beside the
  // buttons; the label that no code writes gives it the room.
  const double labelLeft = progressLeft + 1920, right = gridLeft + gridWidth;
  Transfer.Progress.Place_Label(labelLeft, buttonTop, std::max(0.0, right - labelLeft),
                                File_Label_Texts());
  Label_chann.move(right, buttonTop + 120, 0, 255);
}

int frm_chann::Shown_Channels() const {
  // The option editor keeps the count in 1..128; a count from a hand-written
  // file is held inside the grid's reach.
  return std::clamp<int>(data_.Chann_Total, 1, kMaxChannels);
}

void frm_chann::Number_Rows() {
  const int total = Shown_Channels();
  MSF_Chann.setRows(total + 1);
  MSF_Chann.setCol(kColNumber);
  for (int i = 1; i <= total; ++i) {
    MSF_Chann.setRow(i);
    MSF_Chann.setText(std::to_string(i - 1));
  }
}

void frm_chann::Rebuild_Grid() {
  const int total = Shown_Channels();
  // The first move commits the cell under edit (unless the image changed
  // meanwhile); the later ones leave cells of the number column.
  MSF_Chann.setRows(total + 1);
  MSF_Chann.setCol(kColNumber);
  for (int i = 1; i <= total; ++i) {
    MSF_Chann.setRow(i);
    MSF_Chann.setText(std::to_string(i - 1));
    Show_Channel(i);
  }
  // An editor whose cell fell off a shortened grid has nothing left to edit. A commit that runs
  // this rebuild from under its message box finishes (or drops) its edit itself.
  if (!Committing) Drop_Pending_Edit();
}

void frm_chann::Form_Activate() {
  Rebuild_Grid();
}

void frm_chann::Command_def_Click() {
  // The factory channels replace whatever was being typed.
  Drop_Pending_Edit();
  Def_Chann(data_);
  Rebuild_Grid();
}

void frm_chann::Command_Clear_Click() {
  Drop_Pending_Edit();
  Transfer.Progress.Clear();
  for (int i = 1; i <= Shown_Channels(); ++i) {
    Set_Cell(i, kColRx, "");
    Set_Cell(i, kColTx, "");
    Set_Cell(i, kColScr, "");
    Clear_Channel_Fields(i);
  }
}

void frm_chann::Command_close_Click() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  Program& program = prog_;  // this window may be gone once it has unloaded
  unload();
  program.Form_open_chann.unload();
  program.Form_save_chann.unload();
}

// Any way of closing the window while its transfer runs is refused: the radio would be left
// half-read or half-written without a word.
void frm_chann::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) {
    cancel = 1;
    return;
  }
  Transfer.Stop();
  data_.Win_Chann = kFalse;
}

}  // namespace j5
