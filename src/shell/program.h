#pragma once
// The program object: the platform it runs on, the shared data every window
// reads and writes, and one slot per window. Windows reach each other only
// through it (load, unload, show, the main window's status bar and size).

#include "data/shared_data.h"
#include "platform/form.h"
#include "platform/platform.h"

namespace j5 {

class MDImain;
class frm_chann;
class frm_option;
class frm_dtmf;
class frm_Adj_Txp;
class frm_2tone;
class frm_5tone;
class frm_FM;
class Form_type;
class frmAbout;
class Form_setup;
class Form_Comm_Read;
class Form_Comm_Write;
class Form_Write_PassWord;
class File_Dialog;

class Program {
 public:
  explicit Program(kit::Platform& platform);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  kit::Platform& platform;
  Shared_Data data;

  kit::FormSlot<j5::MDImain> MDImain;
  kit::FormSlot<j5::frm_chann> frm_chann;
  kit::FormSlot<j5::frm_option> frm_option;
  kit::FormSlot<j5::frm_dtmf> frm_dtmf;
  kit::FormSlot<j5::frm_Adj_Txp> frm_Adj_Txp;
  kit::FormSlot<j5::frm_2tone> frm_2tone;
  kit::FormSlot<j5::frm_5tone> frm_5tone;
  kit::FormSlot<j5::frm_FM> frm_FM;
  kit::FormSlot<j5::Form_type> Form_type;
  kit::FormSlot<j5::frmAbout> frmAbout;
  kit::FormSlot<j5::Form_setup> Form_setup;
  kit::FormSlot<j5::Form_Comm_Read> Form_Comm_Read;
  kit::FormSlot<j5::Form_Comm_Write> Form_Comm_Write;
  kit::FormSlot<j5::Form_Write_PassWord> Form_Write_PassWord;
  // The eight file dialogs are one kind of window, each with its own state.
  kit::FormSlot<j5::File_Dialog> Form_open_menu;
  kit::FormSlot<j5::File_Dialog> Form_save_menu;
  kit::FormSlot<j5::File_Dialog> Form_open_adj;
  kit::FormSlot<j5::File_Dialog> Form_save_adj;
  kit::FormSlot<j5::File_Dialog> Form_open_sig;
  kit::FormSlot<j5::File_Dialog> Form_save_sig;
  kit::FormSlot<j5::File_Dialog> Form_open_chann;
  kit::FormSlot<j5::File_Dialog> Form_save_chann;

  // The main window as the parent of every child window; nullptr before it
  // is loaded (tests may open a child on its own).
  kit::MdiForm* Main_Form() const;
  // Writes status panel n (1..11) of the main window; nothing while the main
  // window is not loaded.
  void Set_Panel(int n, const std::string& text);
  std::string Panel(int n) const;
  bool Chinese() const { return data.Lang_Chn != 0; }
  // The windows' transfers and the port window's identification tell when an exchange opens and
  // when it has ended (its restarts included): meanwhile an exit, a language switch and a file
  // dialog's confirm are refused (shell/exchange_refusal.h), and the editors hold the file requests
  // raised just before.
  void Exchange_Opened() { ++open_exchanges_; }
  void Exchange_Ended() { --open_exchanges_; }
  bool Exchange_Running() const { return open_exchanges_ > 0; }
  // Commits what the user typed into a window and has not yet stored by leaving the box or cell
  // (kit::Form::commitPending): in every loaded window, or in one. Saving, writing, the language
  // switch and closing a window run it first, and do nothing more when it returns false (a value
  // was refused, with its message).
  bool Commit_Pending() { return platform.commitPending(); }
  bool Commit_Pending(kit::Form& window) { return window.commitPending(); }
  // Picks the text of the current language.
  const std::string& Text(const std::string& chn, const std::string& eng) const {
    return Chinese() ? chn : eng;
  }

 private:
  int open_exchanges_ = 0;
};

}  // namespace j5
