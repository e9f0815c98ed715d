#pragma once
// The eight file dialogs. They share one window and differ only in their captions, the suffix
// they accept, their messages and what their OK does: the two parameter-file dialogs load or save
// the whole image themselves, the other six raise a request flag for the editor that showed them.

#include <cstdint>
#include <string>

#include "data/shared_data.h"
#include "platform/control.h"
#include "platform/file_lists.h"
#include "platform/form.h"

namespace j5 {

class Program;

class File_Dialog : public kit::Form {
 public:
  enum class Kind {
    Form_open_chann,
    Form_save_chann,
    Form_open_adj,
    Form_save_adj,
    Form_open_menu,
    Form_save_menu,
    Form_open_sig,
    Form_save_sig,
  };

  // What one member of the family makes of the common window.
  struct Member {
    const char* name;
    const char* caption_chn;
    const char* caption_eng;
    bool open;           // an open dialog (else a save dialog)
    const char* suffix;  // accepted suffix in lower case; its upper-case form passes too
    // The request flag its OK raises; nullptr for the two parameter-file dialogs.
    std::int16_t Shared_Data::*request;
    // The window-open flag; nullptr for the six that have none.
    std::int16_t Shared_Data::*win_flag;
    const char* name_msg_chn;
    const char* name_msg_eng;
    const char* suffix_msg_chn;
    const char* suffix_msg_eng;
    bool Param_File() const { return request == nullptr; }
  };
  static const Member& Member_Of(Kind kind);

  File_Dialog(Program& program, Kind kind);

  Kind Dialog_Kind() const { return kind_; }

  kit::Label Label_drive{*this, "Label_drive"};
  kit::DriveListBox Drive1{*this, "Drive1"};
  kit::DirListBox Dir1{*this, "Dir1"};
  kit::FileListBox File1{*this, "File1"};
  kit::Label Label_name{*this, "Label_name"};
  kit::TextBox Text1{*this, "Text1"};
  kit::CommandButton Command_enter{*this, "Command_enter"};
  kit::CommandButton Command_close{*this, "Command_close"};

  // Client area of every member, in twips.
  static constexpr double kClientWidth = 6195;
  static constexpr double kClientHeight = 5145;

 private:
  Program& prog_;
  Kind kind_;
  const Member& m_;

  void Form_Load();
  void Form_Unload(int& cancel);
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void Command_enter_Click();
  void Command_close_Click();

  void Refuse_Name(const char* chn, const char* eng);
};

}  // namespace j5
