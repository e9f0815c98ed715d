#pragma once
// The main window: the MDI frame with the menus, the toolbar and the status
// bar, and the start-up of the whole program (MDIForm_Load). Every command
// here only unloads and loads windows, switches the language or ends the
// program.

#include <string>

#include "link/startup_ident.h"
#include "platform/kit.h"

namespace j5 {

class Program;

class MDImain : public kit::MdiForm {
 public:
  // The class's name is taken by the "Program" menu inside this class, so
  // the program object is always spelled j5::Program here.
  explicit MDImain(j5::Program& program);

  // Menu tree, in menu order.
  kit::Menu File{*this, "File"};
  kit::Menu File_New{*this, "File_New", &File};
  kit::Menu File_Open{*this, "File_Open", &File};
  kit::Menu File_save{*this, "File_save", &File};
  kit::Menu File_saveas{*this, "File_saveas", &File};
  kit::Menu File_exit{*this, "File_exit", &File};
  kit::Menu Band_Range{*this, "Band_Range"};
  kit::Menu Edit{*this, "Edit"};
  kit::Menu Channel_edit{*this, "Channel_edit", &Edit};
  kit::Menu Optional_edit{*this, "Optional_edit", &Edit};
  kit::Menu Dtmf_edit{*this, "Dtmf_edit", &Edit};
  kit::Menu Program{*this, "Program"};
  kit::Menu Prog_read{*this, "Prog_read", &Program};
  kit::Menu Prog_write{*this, "Prog_write", &Program};
  kit::Menu Adj{*this, "Adj"};
  kit::Menu Adj_Edit{*this, "Adj_Edit", &Adj};
  kit::Menu Adj_Online{*this, "Adj_Online", &Adj};
  kit::Menu PC_PassWord{*this, "PC_PassWord"};
  kit::Menu proc_setup{*this, "proc_setup"};
  kit::Menu Language_Setup{*this, "Language_Setup"};
  kit::Menu Language_chn{*this, "Language_chn", &Language_Setup};
  kit::Menu Language_eng{*this, "Language_eng", &Language_Setup};
  kit::Menu about{*this, "about"};
  kit::Menu Menu_Exit{*this, "Menu_Exit"};

  // The toolbar's pictures are named per button (the backend draws them);
  // there is no image list control of its own.
  kit::Toolbar Toolbar1{*this, "Toolbar1"};
  kit::StatusBar StatusBar1{*this, "StatusBar1"};

  // The start-up port probe and the identification exchange, on this
  // window's MSC and Timer1..Timer3, which the exchange owns.
  Startup_Ident Ident;
  kit::SerialPort& MSC = Ident.Link.MSC;

  // Texts set once at start-up and used again by the language switch.
  std::string Version_Text, Title_Chn, Title_Eng, Company_Chn, Company_Eng;

  // Opens Comm_Port on MSC; Port_Error tells whether it worked. A failure
  // shows nothing: the probe tries many ports that are not there.
  void Open_Port();
  // Starts the identification of the radio on the port the probe found.
  void Link_Start();

  void MDIForm_Load();
  // Panel n (from 1) shows text; the panels are laid out again so that it shows whole.
  void Show_Panel(int n, const std::string& text);
  void File_Open_Click();
  void File_save_Click();
  void File_exit_Click();
  void Band_Range_Click();
  void Channel_edit_Click();
  void Optional_edit_Click();
  void Dtmf_edit_Click();
  void Prog_read_Click();
  void Prog_write_Click();
  void Adj_Edit_Click();
  void PC_PassWord_Click();
  void proc_setup_Click();
  void Language_chn_Click();
  void Language_eng_Click();
  void about_Click();
  void Menu_Exit_Click();
  void Toolbar1_ButtonClick(const kit::ToolbarButton& button);

  // Procedures that no menu, key or other procedure calls. They are the
  // only way to the two-tone, five-tone and FM editors, which therefore
  // never open.
  void Load_Chann();
  void Load_FM();
  void Load_Type();
  void Load_2tone();
  void Load_5tone();
  void Load_Dtmf();
  void Load_Option();
  void Load_Unknown();

 private:
  j5::Program& prog_;

  void Exit_Program();
  // Before a command whose window saves, writes, reads or loads the image: what was typed and not
  // yet left is committed before that window takes the focus from it; true when a value was
  // refused (with its message, in its own window), and the command stops. Under an exchange
  // nothing is committed: the window waits for the exchange instead.
  bool Pending_Refused();
  // Each panel takes its share of the screen's width, or the width its text needs where that is
  // more.
  void Lay_Out_Panels();
  // Tooltips, the language check marks and the captions of every menu entry
  // that follows the language.
  void Caption_Commands(bool chinese);
  void Switch_Language(bool chinese);
};

}  // namespace j5
