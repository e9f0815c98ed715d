#include "shell/file_dialogs.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/exchange_refusal.h"
#include "shell/param_file.h"
#include "shell/program.h"
#include "shell/prompt.h"

namespace j5 {

namespace {

using K = File_Dialog::Kind;

// Indexed by Kind.
const std::array<File_Dialog::Member, 8> kMembers = {{
    {"Form_open_chann", "打开文件", "Open File", true, ".dat", nullptr,
     &Shared_Data::Win_Open_Chann, "打开文件名无效 ", "Open the file name is nullity ",
     "无效的文件后缀名！", "Nullity file suffix name."},
    {"Form_save_chann", "保存文件", "Save File", false, ".dat", nullptr,
     &Shared_Data::Win_Save_Chann, "保存文件所需要的文件名无效 ",
     "Store the file name is nullity. ", "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default ！"},
    {"Form_open_adj", "打开调整参数文件", "Open Adjust File", true, ".adj",
     &Shared_Data::Open_Adj_Req, nullptr, "打开信道参数文件名无效 ",
     "Open the file name of channel parameter is nullity ", "无效的调整参数文件后缀名！",
     "Nullity file suffix name of adjust parameter."},
    {"Form_save_adj", "保存调整参数文件", "Save Adjust File", false, ".adj",
     &Shared_Data::Save_Adj_Req, nullptr, "保存调整参数所需要的文件名无效 ",
     "Store the file name of adjust parameter need is nullity. ",
     "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default ！"},
    {"Form_open_menu", "打开文件", "Open Optional File", true, ".dat", &Shared_Data::Open_File_Req,
     nullptr, "打开文件名无效 ", "Open the file name is nullity. ", "无效的文件后缀名！",
     "Nullity file suffix name."},
    {"Form_save_menu", "保存文件", "Save File ", false, ".dat", &Shared_Data::Save_File_Req,
     nullptr, "保存文件所需要的文件名无效 ", "Store the file name is nullity.",
     "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default."},
    {"Form_open_sig", "打开文件", "Open Signal File", true, ".dat", &Shared_Data::Open_File_Req,
     nullptr, "打开文件名无效 ", "Open the file name is nullity. ", "无效的文件后缀名！",
     "Nullity file suffix name !"},
    {"Form_save_sig", "保存文件", "Save File ", false, ".dat", &Shared_Data::Save_File_Req, nullptr,
     "保存文件所需要的文件名无效 ", "Store the file name is nullity.",
     "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default."},
}};

std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

}  // namespace

const File_Dialog::Member& File_Dialog::Member_Of(Kind kind) {
  return kMembers.at(static_cast<std::size_t>(kind));
}

File_Dialog::File_Dialog(Program& program, Kind kind)
    : kit::Form(program.platform, Member_Of(kind).name, program.Main_Form()),
      prog_(program),
      kind_(kind),
      m_(Member_Of(kind)) {
  setBorder(kit::Border::Fixed);
  setClientSize(kClientWidth, kClientHeight);

  Label_drive.move(240, 240, 975, 255);
  Drive1.move(1320, 240, 1695, 300);
  Dir1.move(240, 720, 5775, 1770);
  File1.move(240, 2520, 5775, 1650);
  Label_name.move(240, 4560, 1095, 255);
  Text1.move(1440, 4560, 1695, 270);
  Command_enter.move(3480, 4440, 975, 495);
  Command_close.move(4920, 4440, 975, 495);

  // The lists open on the program's current drive and directory.
  const std::string pattern = std::string("*") + m_.suffix;
  File1.setPattern(pattern);
  Text1.setText(pattern);

  Load = [this] { Form_Load(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Drive1.Change = [this] { Drive1_Change(); };
  Dir1.Change = [this] { Dir1_Change(); };
  File1.Click = [this] { File1_Click(); };
  Command_enter.Click = [this] { Command_enter_Click(); };
  Command_close.Click = [this] { Command_close_Click(); };
}

void File_Dialog::Form_Load() {
  if (m_.win_flag) prog_.data.*m_.win_flag = kTrue;
  setCaption(prog_.Text(m_.caption_chn, m_.caption_eng));
  Label_drive.setCaption(prog_.Text("驱动器：", "Drive:"));
  Label_name.setCaption(m_.open ? prog_.Text("打开文件名：", "Open File:")
                                : prog_.Text("保存文件名：", "Save File:"));
  Command_enter.setCaption(prog_.Text("确  定", "Confirm"));
  Command_close.setCaption(prog_.Text("取  消", "Cancel"));

  // Only the two parameter-file dialogs place and show themselves; whoever shows one of the
  // other six does that.
  if (!m_.Param_File()) return;
  if (kit::MdiForm* main = prog_.Main_Form()) {
    setTop((main->scaleHeight() - height()) / 2 - 500);
    setLeft((main->scaleWidth() - width()) / 2);
  }
  show();
}

void File_Dialog::Form_Unload(int&) {
  if (m_.win_flag) prog_.data.*m_.win_flag = kFalse;
}

void File_Dialog::Drive1_Change() {
  // A drive that cannot be read simply lists nothing; the user can pick another.
  Dir1.setPath(Drive1.drive());
  File1.setPath(Dir1.path());
}

void File_Dialog::Dir1_Change() {
  File1.setPath(Dir1.path());
}

void File_Dialog::File1_Click() {
  Text1.setText(File1.fileName());
}

void File_Dialog::Command_close_Click() {
  unload();
}

void File_Dialog::Refuse_Name(const char* chn, const char* eng) {
  Prompt(prog_, {chn, eng});
}

void File_Dialog::Command_enter_Click() {
  // The dialog stays with its name for a confirm once the radio is free.
  if (Exchange_Refused(prog_,
                       m_.open ? Waits_For_Exchange::File_Open : Waits_For_Exchange::File_Save))
    return;
  const std::string name = rt::Trim(Text1.text());
  // Nothing may reach outside the directory shown or look like a wildcard. A name too short to
  // hold the suffix is refused as an invalid name.
  if (name.find_first_of("*$\\/#") != std::string::npos || kit::utf8::length(name) < 4) {
    Refuse_Name(m_.name_msg_chn, m_.name_msg_eng);
    return;
  }
  const std::string suffix = name.substr(name.size() - 4);
  if (suffix != m_.suffix && suffix != upper(m_.suffix)) {
    Refuse_Name(m_.suffix_msg_chn, m_.suffix_msg_eng);
    return;
  }
  // A value still waiting in a window's box or cell belongs in the file saved, and must not land
  // on what a file opened brings when its cell is left afterwards; one that is refused keeps the
  // dialog open, and nothing is saved or opened.
  if (!prog_.Commit_Pending()) return;
  // The root directory already ends in its slash.
  const std::string& dir = Dir1.path();
  prog_.data.File_Path = dir + (dir.ends_with('/') ? "" : "/") + name;

  if (!m_.Param_File()) {
    prog_.data.*m_.request = kTrue;
  } else if (!(m_.open ? Param_File_Load(prog_) : Param_File_Save(prog_))) {
    return;  // reported; the dialog stays open for another choice
  }
  unload();
}

}  // namespace j5
