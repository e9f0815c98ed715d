#include "editors/signalling/tone_window.h"

#include <algorithm>

#include "editors/signalling/sig_file.h"
#include "link/ident_frames.h"
#include "link/transfers.h"
#include "platform/runtime.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Sizes, in twips.
constexpr double kPageHeight = 6100;
constexpr double kButtonWidth = 1095;
constexpr double kButtonHeight = 405;
constexpr double kGap = 150;

const Bilingual kLoaded{"信令参数从文件调入成功 ！",
                        "Succeed fold the Signal parameters from file."};
const Bilingual kSaved{"信令参数保存完毕 ！", "Complete storing Signal parameters."};
const Bilingual kLoadFailed{"信令参数文件调入失败 ！", "Fail to load the Signal parameters file."};
const Bilingual kSaveFailed{"信令参数保存失败 ！", "Fail to store the Signal parameters file."};

}  // namespace

Tone_Window::Tone_Window(Program& program, std::string name, Plans plans)
    : kit::Form(program.platform, std::move(name), program.Main_Form()),
      Transfer(*this, program, Signalling_Link(), *this),
      prog_(program),
      data_(program.data),
      plans_(plans) {
  Timer4.setInterval(500);
  Timer4.Tick = [this] { Timer4_Timer(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_def.Click = [this] { Command_def_Click(); };
  Command_open.Click = [this] { Command_open_Click(); };
  Command_save.Click = [this] { Command_save_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
}

void Tone_Window::Load_Window(double widthDiv, double heightDiv, double tabDiv,
                              std::initializer_list<Bilingual> tabs) {
  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->width() / widthDiv, h = main->height() / heightDiv;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2, w, h);
  }
  show();
  const double tabWidth = scaleWidth() / tabDiv;
  TabStrip1.move((scaleWidth() - tabWidth) / 2, 60, tabWidth,
                 360 + 30 + 200 + kPageHeight + 2 * 30 + 60);
  TabStrip1.clearTabs();
  int key = 1;
  for (const Bilingual& t : tabs)
    TabStrip1.addTab("Tab" + std::to_string(key++), prog_.Text(t.chn, t.eng));

  Command_read.setCaption(prog_.Text("读 取", "Read"));
  Command_Write.setCaption(prog_.Text("写  入", "Write"));
  Command_def.setCaption(prog_.Text("默 认", "Default"));
  Command_save.setCaption(prog_.Text("保  存", "Save"));
  Command_open.setCaption(prog_.Text("打  开", "Open"));
  Command_close.setCaption(prog_.Text("关  闭", "Close"));
  Lay_Buttons();

  // The transfer starts idle.
  Transfer.Stop();
}

void Tone_Window::Lay_Page(kit::Frame& page) {
  page.move(TabStrip1.clientLeft(), TabStrip1.clientTop() + 200, TabStrip1.clientWidth(),
            kPageHeight);
}

void Tone_Window::Lay_Buttons() {
  const double top = TabStrip1.top() + TabStrip1.height() + kGap;
  double left = TabStrip1.left();
  for (kit::CommandButton* b : {&Command_read, &Command_Write, &Command_def, &Command_open,
                                &Command_save, &Command_close}) {
    b->move(left, top, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kGap;
  }
  const double rest = std::max(600.0, TabStrip1.left() + TabStrip1.width() - left);
  ProgressBar1.move(left, top + 60, rest * 0.45, 285);
  Progress.Place_Label(left + rest * 0.45 + kGap, top + 75, rest * 0.55 - kGap);
}

void Tone_Window::Entry_Prompt(const Bilingual& text) {
  Prompt(prog_, text, Prompt_Title::Upper_Quote);
}

void Tone_Window::Pick_Only(kit::ComboBox& box, bool takeFocus, std::function<void()> onClick) {
  box.GotFocus = [this, &box] { Saved_Text = box.text(); };
  box.Click = [this, &box, onClick = std::move(onClick)] {
    Saved_Text = box.text();
    if (onClick) onClick();
  };
  box.Change = [this, &box, takeFocus] {
    if (takeFocus) box.setFocus();
    box.setText(Saved_Text);
  };
}

void Tone_Window::Open_List_Editor(kit::Grid& grid, kit::ComboBox& box,
                                   const std::vector<std::string>& items) {
  box.setVisible(true);
  box.setFocus();
  grid.placeEditor(box, false);
  box.clear();
  for (const std::string& item : items) box.addItem(item);
  box.setListIndex(0);
  Saved_Text = grid.text();
  box.setText(grid.text());
}

void Tone_Window::Open_Text_Editor(kit::Grid& grid, kit::TextBox& box) {
  box.setVisible(true);
  box.setFocus();
  grid.placeEditor(box, true);
  box.setText(grid.text());
  box.selectAll();
}

void Tone_Window::Show_Refused(int tab, kit::Grid& grid, kit::TextBox& editor) {
  if (TabStrip1.selectedIndex() != tab) TabStrip1.setSelectedIndex(tab);
  if (!editor.visible() || !grid.editorOpen(editor)) {
    editor.setVisible(true);
    grid.placeEditor(editor, true);
  }
  editor.setFocus();
}

bool Tone_Window::List_Waits(const kit::Grid& grid, const kit::ComboBox& list) {
  return grid.editorOpen(list) && list.text() != grid.text();
}

bool Tone_Window::Text_Waits(const kit::Grid& grid, const kit::TextBox& box) {
  return Text_Waits(box, grid.text());
}

bool Tone_Window::Text_Waits(const kit::TextBox& box, const std::string& cell) {
  return (box.visible() || !box.text().empty()) && box.text() != cell;
}

void Tone_Window::Fit_Columns(kit::Grid& grid, const std::vector<std::vector<std::string>>& texts) {
  constexpr double kRoom = 360;  // beside the cell padding: the grid lines and some air
  // Measured as the grid draws them, in the platform's grid font.
  const kit::Platform& platform = grid.platform();
  for (int c = 0; c < grid.cols(); ++c) {
    double widest = platform.gridTextWidthTwips(grid.textMatrix(0, c));
    if (static_cast<std::size_t>(c) < texts.size())
      for (const std::string& t : texts[static_cast<std::size_t>(c)])
        widest = std::max(widest, platform.gridTextWidthTwips(t));
    grid.setColWidth(c, std::max(grid.colWidth(c), widest + kit::Grid::kCellPadding + kRoom));
  }
}

void Tone_Window::Go_To_Mouse_Cell(kit::Grid& grid, const std::function<bool()>& stop) {
  grid.setRow(grid.mouseRow());
  if (stop && stop()) return;
  grid.setCol(grid.mouseCol());
}

// ---- Buttons --------------------------------------------------------------------------------

void Tone_Window::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Transfer.Start(plans_.read());
}

void Tone_Window::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Transfer.Start(plans_.write());
}

// What was typed into a cell is taken first, so that it does not land on the defaults when the
// cell is left afterwards.
void Tone_Window::Command_def_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Progress.Clear();
  Load_Defaults();
}

void Tone_Window::Command_open_Click() {
  Transfer.Busy_Refused();
}

void Tone_Window::Command_save_Click() {
  Transfer.Busy_Refused();
}

void Tone_Window::Command_close_Click() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  Program& program = prog_;  // this window is gone once it has unloaded
  unload();
  program.Form_open_menu.unload();
  program.Form_save_menu.unload();
}

// Any other way of closing the window (the main window closing, its window control) is refused
// as the Close button refuses it: the radio would be left half-read or half-written.
void Tone_Window::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) cancel = 1;
}

// ---- Signal files ---------------------------------------------------------------------------

void Tone_Window::Timer4_Timer() {
  // A request raised just before an exchange began, this window's or another's, waits for its
  // end (restarts included), as the dialogs refuse a confirm meanwhile.
  if (prog_.Exchange_Running()) return;
  if (data_.Open_File_Req != 0) {
    data_.Open_File_Req = kFalse;
    Sig_File_Load();
  }
  if (data_.Save_File_Req != 0) {
    data_.Save_File_Req = kFalse;
    Sig_File_Save();
  }
}

void Tone_Window::Sig_File_Load() {
  const rt::NumberRead read = Read_Sig_File(data_.File_Path);
  if (!read.ok()) {
    Prompt_File_Problem(prog_, kLoadFailed, data_.File_Path, read.problem, Prompt_Title::Upper);
    return;
  }
  Store_Sig_Values(Tone_Stage, read.values);
  Show_Loaded_Rows();
  Prompt(prog_, kLoaded, Prompt_Title::Upper);
  Progress.Clear();
}

void Tone_Window::Sig_File_Save() {
  Grids_To_Image();
  if (const auto problem = Save_Sig_File(data_.File_Path, Tone_Stage)) {
    Prompt_File_Problem(prog_, kSaveFailed, data_.File_Path, problem, Prompt_Title::Upper);
    return;
  }
  Prompt(prog_, kSaved, Prompt_Title::Upper);
}

// ---- The transfer ---------------------------------------------------------------------------

void Tone_Window::Link_Identified(const Ident_Frame& frame) {
  Store_Ident50(prog_, frame);
}

// Block k lands in the window's Block_Buf row k + 2 as the radio sent it (its header was checked).
void Tone_Window::Link_Block_Stored(int step, std::uint16_t address,
                                    std::span<const std::uint8_t> data) {
  Store_Reply_Row(Block_Buf, step + 2, address, data);
}

// The block is built once the port has opened, just before the write takes its frames: a write
// that never starts leaves the stage as it was, and the frames carry this build.
void Tone_Window::Link_Frames_Due() {
  Grids_To_Image();
}

std::optional<std::array<std::uint8_t, 16>> Tone_Window::Link_Frame_Data(const Write_Step& step) {
  return Row_Bytes(Tone_Stage, step.source);
}

// A read shows the radio's block before the completion texts.
// A value typed into a cell while the read ran was typed over values the read replaces: it must
// not land on them when the user leaves the cell.
void Tone_Window::Link_Done() {
  if (Transfer.Writing()) return;
  Drop_Pending_Edits();
  Image_To_Grids();
}

void Tone_Window::Link_Stopped(const Write_Step&) {
  Progress.Failed();
}

}  // namespace j5
