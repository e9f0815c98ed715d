#pragma once
// What the two-tone and five-tone windows share: the tab strip with its pages, the button row, the
// transfer of the window's block on its Transfer_Link, the signal-file requests served by Timer4,
// and the pick-only combo boxes. Each window adds its grids, its
// defaults and the two conversions between its controls and its block.
//
// Each window stages its block in its own Tone_Stage, not in the image (the image's first rows are
// the channel records), and keeps its own replies and page: nothing the other tone window, the
// adjustment window or a file does can reach the rows of a transfer under way.

#include <functional>
#include <string>
#include <vector>

#include "data/shared_data.h"
#include "link/link_engine.h"
#include "link/transfer_link.h"
#include "platform/kit.h"

namespace j5 {

class Program;
struct Shared_Data;

class Tone_Window : public kit::Form, protected Link_Listener {
 public:
  kit::TabStrip TabStrip1{*this, "TabStrip1"};
  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::CommandButton Command_def{*this, "Command_def"};
  kit::CommandButton Command_save{*this, "Command_save"};
  kit::CommandButton Command_open{*this, "Command_open"};
  kit::CommandButton Command_close{*this, "Command_close"};
  Transfer_Link Transfer;
  Transfer_Progress& Progress = Transfer.Progress;
  kit::ProgressBar& ProgressBar1 = Progress.ProgressBar1;
  kit::Label& Label_tr_count = Progress.Label_tr_count;
  kit::Timer Timer4{*this, "Timer4"};
  Link_Engine& Link = Transfer.Link;
  kit::SerialPort& MSC = Link.MSC;

  // The text a pick-only combo box falls back to when typed into; one for all of the window's.
  std::string Saved_Text;

  // The block as built for a write or a signal-file save, or as a signal file loaded it.
  ToneStage Tone_Stage = Erased_Tone_Stage();
  // A read's replies, block k whole in row k + 2, and the page Image_To_Grids takes them through.
  FrameStore Block_Buf;
  PageBuffer Page_Buf;

  // Write_Busy or Read_Busy: an exchange runs (not while a retry waits).
  bool Transfer_Busy() const { return Transfer.Busy(); }

 protected:
  struct Plans {
    Read_Plan (*read)();
    Write_Plan (*write)();
  };
  Tone_Window(Program& program, std::string name, Plans plans);

  Program& prog_;
  Shared_Data& data_;

  // The window's own part.
  virtual void Load_Defaults() = 0;
  virtual void Grids_To_Image() = 0;
  virtual void Image_To_Grids() = 0;
  // Hides every cell editor and forgets what it holds, so leaving its cell stores nothing.
  virtual void Drop_Pending_Edits() = 0;
  // After a signal-file load: the controls show the rows it put into the stage.
  virtual void Show_Loaded_Rows() = 0;

  // Form_Load's common part: the window sized from the main window (divisors of its width and
  // height), centred and shown; the tab strip as wide as the client area over its divisor; the
  // tabs; the captions of the buttons; the transfer idle.
  void Load_Window(double widthDiv, double heightDiv, double tabDiv,
                   std::initializer_list<Bilingual> tabs);
  // Lays a page frame into the tab strip's client area (6100 twips high).
  void Lay_Page(kit::Frame& page);
  // The button row and the progress piece below the pages.
  void Lay_Buttons();
  // Shows one of the window's messages: exclamation icon; in English the title "Operate Prompt"
  // followed by a double-quote character, as these windows' entry messages carry it.
  void Entry_Prompt(const Bilingual& text);

  // A pick-only combo box: GotFocus and Click remember its text, Change puts it back (after taking
  // the focus when `takeFocus`). `onClick` runs after the text is remembered.
  void Pick_Only(kit::ComboBox& box, bool takeFocus, std::function<void()> onClick = {});

  // Puts a list over the grid's current cell, holding `items` and showing what the cell shows (no
  // item where the cell shows none), which typing then falls back to.
  void Open_List_Editor(kit::Grid& grid, kit::ComboBox& box, const std::vector<std::string>& items);
  // Puts a text editor over the grid's current cell with the cell's whole text selected, so that
  // what the user types replaces it.
  static void Open_Text_Editor(kit::Grid& grid, kit::TextBox& box);
  // A value refused when its cell is left stays in its editor for the user to mend: where a page
  // switch or a scroll took the editor out of sight, page `tab` and the grid's current cell come
  // back into view with the editor over the cell and the focus in it.
  void Show_Refused(int tab, kit::Grid& grid, kit::TextBox& editor);
  // Widens every column of the grid to its header and to the widest of `texts` that the column may
  // show (texts[c] for column c), so a cell's content fits the fonts of either language.
  static void Fit_Columns(kit::Grid& grid, const std::vector<std::vector<std::string>>& texts);
  // The grid's current cell becomes the one under the mouse pointer: its row, then its column,
  // unless `stop` says that leaving the cell for the row refused the value left.
  static void Go_To_Mouse_Cell(kit::Grid& grid, const std::function<bool()>& stop = {});
  // Whether a cell editor holds a value its cell does not show, which waits for the cell to be
  // left: a list still open over the cell (or scrolled out of sight), or a text editor's text,
  // shown or kept hidden by a page switch. An editor merely opened over its cell holds none.
  static bool List_Waits(const kit::Grid& grid, const kit::ComboBox& list);
  static bool Text_Waits(const kit::Grid& grid, const kit::TextBox& box);
  // The same for a text editor over a cell showing `cell`.
  static bool Text_Waits(const kit::TextBox& box, const std::string& cell);

 private:
  Plans plans_;

  void Command_read_Click();
  void Command_Write_Click();
  void Command_def_Click();
  void Command_open_Click();
  void Command_save_Click();
  void Command_close_Click();
  void Form_Unload(int& cancel);
  void Timer4_Timer();
  void Sig_File_Load();
  void Sig_File_Save();

  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  void Link_Frames_Due() override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;
  void Link_Stopped(const Write_Step& step) override;
};

}  // namespace j5
