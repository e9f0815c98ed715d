#include <gtest/gtest.h>

#include <filesystem>

#include "shell/file_dialog_fixture.h"
#include "shell/file_dialogs.h"

namespace j5::test {
namespace {

namespace fs = std::filesystem;
using Kind = File_Dialog::Kind;

kit::FormSlot<File_Dialog>& slotOf(Program& p, Kind kind) {
  switch (kind) {
    case Kind::Form_open_chann:
      return p.Form_open_chann;
    case Kind::Form_save_chann:
      return p.Form_save_chann;
    case Kind::Form_open_adj:
      return p.Form_open_adj;
    case Kind::Form_save_adj:
      return p.Form_save_adj;
    case Kind::Form_open_menu:
      return p.Form_open_menu;
    case Kind::Form_save_menu:
      return p.Form_save_menu;
    case Kind::Form_open_sig:
      return p.Form_open_sig;
    case Kind::Form_save_sig:
      return p.Form_save_sig;
  }
  throw std::logic_error("no such dialog");
}

enum class Outcome { Passes, NameRefused, SuffixRefused };

struct NameCase {
  const char* text;
  Outcome outcome;
  const char* fileName;  // what follows the directory and "/" in File_Path when it passes
};

TEST_F(FileDialogTest, NameAndSuffixChecks) {
  const NameCase cases[] = {
      {"*.dat", Outcome::NameRefused, ""},  // the initial text
      {"a.dat", Outcome::Passes, "a.dat"},
      {"A.DAT", Outcome::Passes, "A.DAT"},
      {"my file.dat", Outcome::Passes, "my file.dat"},
      {"  a.dat  ", Outcome::Passes, "a.dat"},
      {".dat", Outcome::Passes, ".dat"},
      {"a?.dat", Outcome::Passes, "a?.dat"},
      {"信道.dat", Outcome::Passes, "信道.dat"},
      {"a.Dat", Outcome::SuffixRefused, ""},
      {"a.txt", Outcome::SuffixRefused, ""},
      {"a.dat.bak", Outcome::SuffixRefused, ""},
      {"x#1.dat", Outcome::NameRefused, ""},
      {"sub/a.dat", Outcome::NameRefused, ""},
      {"sub\\a.dat", Outcome::NameRefused, ""},
      {"$a.dat", Outcome::NameRefused, ""},
      {"*a.txt", Outcome::NameRefused, ""},  // the character test comes first
      // Too short to hold a suffix: refused with the name message.
      {"", Outcome::NameRefused, ""},
      {"   ", Outcome::NameRefused, ""},
      {"dat", Outcome::NameRefused, ""},
      {"信.d", Outcome::NameRefused, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("name \"") + c.text + "\"");
    program.data.File_Path = "before";
    program.data.Open_File_Req = kFalse;
    driver.clearMessageBoxes();
    File_Dialog& dlg = program.Form_open_menu.show();
    confirm(dlg, c.text);
    if (c.outcome == Outcome::Passes) {
      EXPECT_TRUE(messages().empty());
      EXPECT_FALSE(program.Form_open_menu.loaded());
      EXPECT_EQ(program.data.Open_File_Req, kTrue);
      EXPECT_EQ(program.data.File_Path, dir / c.fileName);
    } else {
      ASSERT_EQ(messages().size(), 1u);
      EXPECT_EQ(messages()[0], c.outcome == Outcome::NameRefused ? "Open the file name is nullity. "
                                                                 : "Nullity file suffix name.");
      ASSERT_TRUE(program.Form_open_menu.loaded());
      EXPECT_EQ(dlg.Text1.text(), c.text);
      EXPECT_EQ(program.data.Open_File_Req, kFalse);
      EXPECT_EQ(program.data.File_Path, "before");
      program.Form_open_menu.unload();
    }
  }
}

struct MemberCase {
  Kind kind;
  const char* suffix;
  const char* caption_chn;
  const char* caption_eng;
  bool open;
  std::int16_t Shared_Data::*request;  // nullptr: loads or saves the parameter file
  std::int16_t Shared_Data::*win_flag;
  const char* nameChn;
  const char* nameEng;
  const char* suffixChn;
  const char* suffixEng;
};

const MemberCase kMemberCases[] = {
    {Kind::Form_open_chann, "dat", "打开文件", "Open File", true, nullptr,
     &Shared_Data::Win_Open_Chann, "打开文件名无效 ", "Open the file name is nullity ",
     "无效的文件后缀名！", "Nullity file suffix name."},
    {Kind::Form_save_chann, "dat", "保存文件", "Save File", false, nullptr,
     &Shared_Data::Win_Save_Chann, "保存文件所需要的文件名无效 ",
     "Store the file name is nullity. ", "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default ！"},
    {Kind::Form_open_adj, "adj", "打开调整参数文件", "Open Adjust File", true,
     &Shared_Data::Open_Adj_Req, nullptr, "打开信道参数文件名无效 ",
     "Open the file name of channel parameter is nullity ", "无效的调整参数文件后缀名！",
     "Nullity file suffix name of adjust parameter."},
    {Kind::Form_save_adj, "adj", "保存调整参数文件", "Save Adjust File", false,
     &Shared_Data::Save_Adj_Req, nullptr, "保存调整参数所需要的文件名无效 ",
     "Store the file name of adjust parameter need is nullity. ",
     "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default ！"},
    {Kind::Form_open_menu, "dat", "打开文件", "Open Optional File", true,
     &Shared_Data::Open_File_Req, nullptr, "打开文件名无效 ", "Open the file name is nullity. ",
     "无效的文件后缀名！", "Nullity file suffix name."},
    {Kind::Form_save_menu, "dat", "保存文件", "Save File ", false, &Shared_Data::Save_File_Req,
     nullptr, "保存文件所需要的文件名无效 ", "Store the file name is nullity.",
     "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default."},
    {Kind::Form_open_sig, "dat", "打开文件", "Open Signal File", true, &Shared_Data::Open_File_Req,
     nullptr, "打开文件名无效 ", "Open the file name is nullity. ", "无效的文件后缀名！",
     "Nullity file suffix name !"},
    {Kind::Form_save_sig, "dat", "保存文件", "Save File ", false, &Shared_Data::Save_File_Req,
     nullptr, "保存文件所需要的文件名无效 ", "Store the file name is nullity.",
     "建议不要修改系统默认的文件后缀名！",
     "Advice don't modify file suffix name of system default."},
};

// Each member's captions, list pattern, messages in both languages, flags and OK action.
TEST_F(FileDialogTest, EachMemberInBothLanguages) {
  std::int16_t Shared_Data::*const allRequests[] = {
      &Shared_Data::Open_Adj_Req, &Shared_Data::Save_Adj_Req, &Shared_Data::Open_File_Req,
      &Shared_Data::Save_File_Req};
  test::writeFile(dir / "x.dat", "");
  test::writeFile(dir / "y.adj", "");
  for (const auto& m : kMemberCases) {
    for (const bool chinese : {true, false}) {
      SCOPED_TRACE(std::string(m.caption_eng) + (chinese ? " (Chinese)" : " (English)"));
      program.data.Lang_Chn = chinese ? kTrue : kFalse;
      auto& slot = slotOf(program, m.kind);
      File_Dialog& dlg = slot.show();
      const auto pick = [&](const char* chn, const char* eng) { return chinese ? chn : eng; };

      EXPECT_EQ(dlg.name(), File_Dialog::Member_Of(m.kind).name);
      EXPECT_EQ(dlg.caption(), pick(m.caption_chn, m.caption_eng));
      EXPECT_EQ(dlg.Label_drive.caption(), pick("驱动器：", "Drive:"));
      EXPECT_EQ(dlg.Label_name.caption(),
                m.open ? pick("打开文件名：", "Open File:") : pick("保存文件名：", "Save File:"));
      EXPECT_EQ(dlg.Command_enter.caption(), pick("确  定", "Confirm"));
      EXPECT_EQ(dlg.Command_close.caption(), pick("取  消", "Cancel"));
      const std::string pattern = std::string("*.") + m.suffix;
      EXPECT_EQ(dlg.Text1.text(), pattern);
      EXPECT_EQ(dlg.File1.files(),
                std::vector<std::string>{m.suffix == std::string("dat") ? "x.dat" : "y.adj"});
      if (m.win_flag) {
        EXPECT_EQ(program.data.*m.win_flag, kTrue);
      }

      // Messages speak the language of the moment, not the one the dialog was loaded in.
      program.data.Lang_Chn = chinese ? kFalse : kTrue;
      const auto now = [&](const char* chn, const char* eng) { return chinese ? eng : chn; };
      driver.clearMessageBoxes();
      confirm(dlg, std::string("#a.") + m.suffix);
      confirm(dlg, "a.txt");
      ASSERT_EQ(driver.messageBoxes().size(), 2u);
      EXPECT_EQ(driver.messageBoxes()[0].text, now(m.nameChn, m.nameEng));
      EXPECT_EQ(driver.messageBoxes()[1].text, now(m.suffixChn, m.suffixEng));
      for (const auto& box : driver.messageBoxes()) {
        EXPECT_EQ(box.title, now("操作提示", "Operate prompt"));
        EXPECT_EQ(box.icon, kit::MsgIcon::Exclamation);
      }
      EXPECT_EQ(dlg.caption(), pick(m.caption_chn, m.caption_eng));
      ASSERT_TRUE(slot.loaded());

      if (m.request) {
        // OK raises the member's flag only, closes the dialog and says nothing.
        driver.clearMessageBoxes();
        program.data.File_Path.clear();
        confirm(dlg, "B." + std::string(m.suffix == std::string("dat") ? "DAT" : "ADJ"));
        EXPECT_FALSE(slot.loaded());
        EXPECT_TRUE(driver.messageBoxes().empty());
        EXPECT_EQ(program.data.File_Path,
                  dir / (m.suffix == std::string("dat") ? "B.DAT" : "B.ADJ"));
        for (auto flag : allRequests) {
          EXPECT_EQ(program.data.*flag, flag == m.request ? kTrue : kFalse);
          program.data.*flag = kFalse;
        }
      } else {
        driver.click(dlg.Command_close);
        EXPECT_FALSE(slot.loaded());
        EXPECT_EQ(program.data.*m.win_flag, kFalse);
      }
    }
  }
}

TEST_F(FileDialogTest, ListsFollowTheDirectoryAndAClickedFileFillsTheName) {
  fs::create_directory(dir / "sub");
  for (const char* f : {"a.dat", "sub/b.dat", "sub/C.DAT", "sub/d.txt", "sub/e.adj"})
    test::writeFile(dir / f, "");
  File_Dialog& dlg = program.Form_open_chann.load();
  EXPECT_EQ(dlg.Dir1.path(), dir.path());
  EXPECT_EQ(dlg.File1.files(), std::vector<std::string>{"a.dat"});

  driver.open(dlg.Dir1, "sub");
  EXPECT_EQ(dlg.File1.path(), dir / "sub");
  EXPECT_EQ(dlg.File1.files(), (std::vector<std::string>{"C.DAT", "b.dat"}));

  driver.pick(dlg.File1, 1);
  EXPECT_EQ(dlg.Text1.text(), "b.dat");
  EXPECT_TRUE(program.Form_open_chann.loaded());  // choosing a file never confirms

  driver.open(dlg.Dir1, "..");
  EXPECT_EQ(dlg.File1.path(), dir.path());
  EXPECT_EQ(dlg.Text1.text(), "b.dat");

  File_Dialog& adj = program.Form_save_adj.show();
  driver.open(adj.Dir1, "sub");
  EXPECT_EQ(adj.File1.files(), std::vector<std::string>{"e.adj"});
}

TEST_F(FileDialogTest, DrivesMoveTheListsAndAnUnreadableOneKeepsTheDialogUsable) {
  fs::create_directories(dir / "usb");
  test::writeFile(dir / "usb/u.dat", "");
  platform.setDrives({dir.path(), dir / "usb", dir / "cdrom-without-medium"});
  File_Dialog& dlg = program.Form_open_menu.show();
  EXPECT_EQ(dlg.Drive1.drive(), dir.path());

  driver.pick(dlg.Drive1, 1);
  EXPECT_EQ(dlg.Dir1.path(), dir / "usb");
  EXPECT_EQ(dlg.File1.path(), dir / "usb");
  EXPECT_EQ(dlg.File1.files(), std::vector<std::string>{"u.dat"});

  driver.pick(dlg.Drive1, 2);
  EXPECT_EQ(dlg.Dir1.path(), dir / "cdrom-without-medium");
  EXPECT_TRUE(dlg.Dir1.subdirs().empty());
  EXPECT_TRUE(dlg.File1.files().empty());
  EXPECT_TRUE(driver.messageBoxes().empty());

  driver.pick(dlg.Drive1, 1);
  driver.pick(dlg.File1, 0);
  driver.click(dlg.Command_enter);
  EXPECT_EQ(program.data.File_Path, dir / "usb/u.dat");
  EXPECT_EQ(program.data.Open_File_Req, kTrue);
}

TEST_F(FileDialogTest, CancelKeepsThePathAndTheFlags) {
  program.data.File_Path = "/kept/x.adj";
  program.data.Open_Adj_Req = kTrue;
  program.data.Save_File_Req = kTrue;
  for (auto* slot : {&program.Form_open_chann, &program.Form_save_chann, &program.Form_save_menu}) {
    File_Dialog& dlg = slot->show();
    typeName(dlg, "new.dat");
    driver.click(dlg.Command_close);
    EXPECT_FALSE(slot->loaded());
  }
  EXPECT_EQ(program.data.File_Path, "/kept/x.adj");
  EXPECT_EQ(program.data.Open_Adj_Req, kTrue);
  EXPECT_EQ(program.data.Save_File_Req, kTrue);
  EXPECT_EQ(program.data.Open_File_Req, kFalse);
  EXPECT_EQ(program.data.Win_Open_Chann, kFalse);
  EXPECT_EQ(program.data.Win_Save_Chann, kFalse);
  EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST_F(FileDialogTest, ParameterFileDialogsPlaceAndShowThemselves) {
  kit::MdiForm& main = *program.Main_Form();
  for (auto* slot : {&program.Form_open_chann, &program.Form_save_chann}) {
    File_Dialog& dlg = slot->load();
    EXPECT_TRUE(dlg.shown());
    EXPECT_EQ(dlg.border(), kit::Border::Fixed);
    EXPECT_DOUBLE_EQ(dlg.scaleWidth(), 6195);
    EXPECT_DOUBLE_EQ(dlg.scaleHeight(), 5145);
    EXPECT_DOUBLE_EQ(dlg.top(), (main.scaleHeight() - dlg.height()) / 2 - 500);
    EXPECT_DOUBLE_EQ(dlg.left(), (main.scaleWidth() - dlg.width()) / 2);
  }
  // The other six wait for the window that shows them.
  File_Dialog& adj = program.Form_open_adj.load();
  EXPECT_FALSE(adj.shown());
  EXPECT_DOUBLE_EQ(adj.scaleWidth(), 6195);
}

TEST_F(FileDialogTest, AReopenedDialogComesBackWithItsInitialContents) {
  fs::create_directory(dir / "sub");
  File_Dialog& dlg = program.Form_open_chann.load();
  driver.open(dlg.Dir1, "sub");
  typeName(dlg, "other.dat");
  program.Form_open_chann.unload();
  File_Dialog& again = program.Form_open_chann.load();
  EXPECT_EQ(again.Text1.text(), "*.dat");
  EXPECT_EQ(again.Dir1.path(), dir.path());
  EXPECT_EQ(program.data.Win_Open_Chann, kTrue);
}

}  // namespace
}  // namespace j5::test
