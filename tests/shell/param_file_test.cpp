#include "shell/param_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "data/defaults.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "shell/file_dialog_fixture.h"

namespace j5::test {
namespace {

namespace fs = std::filesystem;

class ParamFileTest : public FileDialogTest {
 protected:
  // File > Save: the dialog, a name, OK.
  void saveAs(const std::string& name) { confirm(program.Form_save_chann.load(), name); }
  void open(const std::string& name) { confirm(program.Form_open_chann.load(), name); }

  // Rows 0..480 hold every kind of value, the rest of the table markers the file never carries.
  void fillImage() {
    MemImage& m = program.data.Mem_Image;
    for (std::size_t r = 0; r < MemImage::kRows; ++r)
      for (std::size_t c = 0; c < MemImage::kCols; ++c)
        m(r, c) = static_cast<std::int16_t>(r <= 480 && c < 16 ? (r * 16 + c) * 37 % 65536 - 32768
                                                               : 1000 + r + c);
    m(0, 0) = -1;
    m(0, 1) = 300;
    m(0, 2) = 0;
    m(0, 3) = 255;
  }
};

// The line layout written independently of the program: sign position, digits, one blank.
std::string expectedLine(const MemImage& m, std::size_t row) {
  std::string line;
  for (std::size_t c = 0; c < 16; ++c) {
    const int v = m(row, c);
    line += (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " ";
  }
  return line + "\r\n";
}

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end + 2 - start));
  EXPECT_EQ(start, text.size()) << "bytes after the last CR LF";
  return lines;
}

TEST_F(ParamFileTest, StartUpImageSavesInTheLineLayout) {
  Init_Factory_Image(program.data);
  const MemImage before = program.data.Mem_Image;
  program.data.Save_Adj_Req = kTrue;
  saveAs("start.dat");

  EXPECT_EQ(messages(), std::vector<std::string>{"Complete storing  parameter."});
  EXPECT_FALSE(program.Form_save_chann.loaded());
  EXPECT_EQ(program.data.Win_Save_Chann, kFalse);
  EXPECT_EQ(program.data.Save_Adj_Req, kFalse);
  EXPECT_EQ(program.data.Mem_Image, before);

  const std::string text = readFile(dir / "start.dat");
  EXPECT_EQ(text.find_first_not_of(" -0123456789\r\n"), std::string::npos);
  const auto lines = crlfLines(text);
  ASSERT_EQ(lines.size(), 481u);
  const std::string empty = [] {
    std::string s;
    for (int i = 0; i < 16; ++i) s += " 255 ";
    return s + "\r\n";
  }();
  int emptyLines = 0;
  for (std::size_t r = 0; r < lines.size(); ++r) {
    EXPECT_EQ(lines[r], expectedLine(before, r)) << "line " << r + 1;
    if (lines[r] == empty) ++emptyLines;
  }
  EXPECT_EQ(empty.size(), 82u);
  EXPECT_GT(emptyLines, 200);
  EXPECT_NE(lines[0], empty);  // channel 0 is a factory channel
}

TEST_F(ParamFileTest, RoundTripRestoresRowsUpTo480AndTouchesNothingElse) {
  fillImage();
  const MemImage saved = program.data.Mem_Image;
  program.data.Lang_Chn = kTrue;
  saveAs("trip.dat");
  EXPECT_EQ(messages(), std::vector<std::string>{"参数保存完毕 ！"});
  EXPECT_EQ(driver.lastMessageBox().title, "操作提示");
  const std::string text = readFile(dir / "trip.dat");
  EXPECT_EQ(crlfLines(text).size(), 481u);
  EXPECT_EQ(text.rfind("-1  300  0  255 -", 0), 0u);  // no blank before a minus sign

  // Everything the file does not carry changes meanwhile and must stay as it is now.
  MemImage& m = program.data.Mem_Image;
  m.fill(0, 480, 0, 15, 7);
  m.fill(481, 600, 0, 50, -5);
  m.fill(0, 480, 16, 50, 9);
  MemImage expected = m;
  for (std::size_t r = 0; r <= 480; ++r)
    for (std::size_t c = 0; c < 16; ++c) expected(r, c) = saved(r, c);
  program.data.Chann_Total = 77;
  program.data.Option_Val[3] = 9;
  program.data.Adj_Value(0, 0) = 5;
  program.data.VHF_Low = 136;
  const Shared_Data others = program.data;
  program.data.Open_Adj_Req = kTrue;
  program.data.Open_File_Req = kTrue;

  program.data.Lang_Chn = kFalse;
  driver.clearMessageBoxes();
  open("trip.dat");
  EXPECT_EQ(messages(), std::vector<std::string>{"Succeed fold the parameter from file."});
  EXPECT_EQ(driver.lastMessageBox().title, "Operate prompt");
  EXPECT_EQ(driver.lastMessageBox().icon, kit::MsgIcon::Exclamation);
  EXPECT_EQ(m, expected);
  EXPECT_EQ(program.data.Chann_Total, others.Chann_Total);
  EXPECT_EQ(program.data.Option_Val, others.Option_Val);
  EXPECT_EQ(program.data.Adj_Value, others.Adj_Value);
  EXPECT_EQ(program.data.VHF_Low, others.VHF_Low);
  EXPECT_EQ(program.data.Open_Adj_Req, kFalse);
  EXPECT_EQ(program.data.Open_File_Req, kTrue);
  EXPECT_FALSE(program.Form_open_chann.loaded());
  EXPECT_EQ(program.data.Win_Open_Chann, kFalse);
}

TEST_F(ParamFileTest, AnySplitOfTheNumbersLoadsTheSame) {
  fillImage();
  const MemImage saved = program.data.Mem_Image;
  std::string oneLine, onePerLine;
  for (std::size_t r = 0; r <= 480; ++r) {
    for (std::size_t c = 0; c < 16; ++c) {
      oneLine += std::to_string(saved(r, c)) + (r == 480 && c == 15 ? "" : " ");
      onePerLine += std::to_string(saved(r, c)) + "\n";
    }
  }
  const std::string asSaved = Param_File_Text(saved);
  const std::pair<const char*, std::string> files[] = {
      {"one line", oneLine},
      {"one per line", onePerLine},
      {"tabs and blank lines", "\n\t" + oneLine + "\t\r\n\r\n"},
      {"482 lines", asSaved + " 1  2  3  4  5  6  7  8  9  10  11  12  13  14  15  16 \r\n"},
      {"trailing text", asSaved + "end of file\r\n"},
      {"byte order mark", "\xEF\xBB\xBF" + asSaved},
  };
  for (const auto& [what, content] : files) {
    SCOPED_TRACE(what);
    writeFile(dir / "split.dat", content);
    program.data.Mem_Image.fill(0, 480, 0, 15, 0);
    driver.clearMessageBoxes();
    open("split.dat");
    EXPECT_EQ(messages(), std::vector<std::string>{"Succeed fold the parameter from file."});
    EXPECT_EQ(program.data.Mem_Image, saved);
  }
}

bool hasLatinLetter(const std::string& text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

struct BadFile {
  const char* what;
  std::function<void(const std::string& path)> make;
  const char* says;  // part of the English message
};

TEST_F(ParamFileTest, BadInputIsReportedAndChangesNothing) {
  const std::string good = Param_File_Text(MemImage{});  // all zeros
  const auto text = [](std::string content) {
    return [content](const std::string& path) { writeFile(path, content); };
  };
  const auto replacing = [&](const std::string& item, const std::string& by) {
    std::string t = good;
    t.replace(t.find(item, 500), item.size(), by);
    return text(t);
  };
  const BadFile cases[] = {
      {"missing", [](const std::string&) {}, "The file does not exist."},
      {"empty", text(""), "The file is empty."},
      {"blank", text("  \r\n\r\n"), "The file is empty."},
      {"short", text(good.substr(0, good.rfind(" 0 "))),
       "The file holds only 7695 of 7696 numbers (the last on line 481)."},
      {"non-numeric", replacing(" 0 ", " 1x "), "Line 11: \"1x\" is not a whole number."},
      {"decimal", replacing(" 0 ", " 2.5 "), "\"2.5\" is not a whole number"},
      {"above 16 bits", replacing(" 0 ", " 32768 "), "32768 is out of the range -32768 to 32767"},
      {"below 16 bits", replacing(" 0 ", " -32769 "), "-32769 is out of the range"},
      {"huge", replacing(" 0 ", " 99999999999999999999999 "), "out of the range"},
      {"directory", [](const std::string& p) { fs::create_directory(p); }, "is a directory"},
      // A device or a pipe would never end, or hold the program until something writes to it.
      {"device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
       "not a plain file"},
      {"pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "not a plain file"},
      {"link loop", [](const std::string& p) { fs::create_symlink(fs::path(p).filename(), p); },
       "The path goes round in symbolic links, or through too many of them."},
      {"binary",
       text(std::string("\x7f"
                        "ELF\x02\x01\x01\0\0\0 12 \xff\xfe",
                        16)),
       "not a text file"},
  };
  const MemImage before = program.data.Mem_Image;
  program.frm_chann.load().setCaption("stale");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = std::string("bad ") + c.what + ".dat";
    c.make(dir / name);
    driver.clearMessageBoxes();
    program.data.Open_Adj_Req = kTrue;
    open(name);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    const auto& box = driver.lastMessageBox();
    EXPECT_NE(box.text.find("Fail to load the parameter file."), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(dir / name), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(c.says), std::string::npos) << box.text;
    EXPECT_EQ(box.title, "Operate prompt");
    EXPECT_EQ(box.icon, kit::MsgIcon::Exclamation);
    EXPECT_EQ(program.data.Mem_Image, before);
    // The dialog stays for another choice; no editor was reloaded.
    EXPECT_TRUE(program.Form_open_chann.loaded());
    ASSERT_TRUE(program.frm_chann.loaded());
    EXPECT_EQ(program.frm_chann->caption(), "stale");
    EXPECT_EQ(program.data.Open_Adj_Req, kFalse);
    program.Form_open_chann.unload();
  }

  // In Chinese the reason is Chinese too: besides the file's name and what it quotes from the
  // file, not a Latin letter.
  program.data.Lang_Chn = kTrue;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    driver.clearMessageBoxes();
    const std::string name = std::string("bad ") + c.what + ".dat";
    open(name);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    const std::string text = driver.lastMessageBox().text;
    EXPECT_EQ(text.rfind("参数文件调入失败 ！\n" + (dir / name) + "\n", 0), 0u) << text;
    std::string reason = text.substr(text.rfind('\n'));
    if (const auto quote = reason.find("“"); quote != std::string::npos)
      reason.erase(quote, reason.find("”") - quote);
    EXPECT_FALSE(hasLatinLetter(reason)) << text;
    EXPECT_EQ(driver.lastMessageBox().title, "操作提示");
    program.Form_open_chann.unload();
  }
}

TEST_F(ParamFileTest, ASaveThatIsRefusedOrFailsKeepsTheOldFileAndTheDialog) {
  writeFile(dir / "keep.dat", "old contents\r\n");
  writeFile(dir / "locked.dat", "read-only\r\n");
  ::chmod((dir / "locked.dat").c_str(), 0444);
  fs::create_directory(dir / "folder.dat");
  ASSERT_EQ(::mkfifo((dir / "pipe.dat").c_str(), 0600), 0);
  fs::create_symlink("loop.dat", dir / "loop.dat");

  withFileSizeLimit(4096, [&] { saveAs("keep.dat"); });
  ASSERT_EQ(messages(), std::vector<std::string>{"Fail to store the parameter file.\n" +
                                                 (dir / "keep.dat") + "\nThe file is too large."});

  const std::pair<const char*, const char*> refused[] = {
      {"locked.dat", "The file is read-only."},
      {"folder.dat", "The name chosen is a directory."},
      {"pipe.dat", "The name chosen is not a plain file."},
      {"loop.dat", "The path goes round in symbolic links, or through too many of them."},
  };
  for (const auto& [name, why] : refused) {
    SCOPED_TRACE(name);
    driver.clearMessageBoxes();
    confirm(*program.Form_save_chann, name);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.lastMessageBox().text,
              "Fail to store the parameter file.\n" + (dir / name) + "\n" + why);
  }
  program.data.Lang_Chn = kTrue;
  driver.clearMessageBoxes();
  confirm(*program.Form_save_chann, "locked.dat");
  confirm(*program.Form_save_chann, "loop.dat");
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "参数保存失败 ！\n" + (dir / "locked.dat") + "\n文件是只读的 ！",
                            "参数保存失败 ！\n" + (dir / "loop.dat") +
                                "\n路径中的符号链接绕成了环，或链接层数过多 ！"}));

  EXPECT_TRUE(program.Form_save_chann.loaded());
  EXPECT_EQ(readFile(dir / "keep.dat"), "old contents\r\n");
  EXPECT_EQ(readFile(dir / "locked.dat"), "read-only\r\n");
  EXPECT_TRUE(fs::is_directory(dir / "folder.dat"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.dat"));

  // Nothing is left behind beside the files, and a save that can be written replaces the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5);
  program.data.Lang_Chn = kFalse;
  driver.clearMessageBoxes();
  confirm(*program.Form_save_chann, "keep.dat");
  EXPECT_EQ(messages(), std::vector<std::string>{"Complete storing  parameter."});
  EXPECT_EQ(readFile(dir / "keep.dat"), Param_File_Text(program.data.Mem_Image));
}

TEST_F(ParamFileTest, ALoadReopensTheChannelEditorAndReloadsTheOpenEditors) {
  saveAs("image.dat");

  // Closed editors: the channel editor opens, the other two stay closed.
  program.frm_chann.unload();
  open("image.dat");
  EXPECT_TRUE(program.frm_chann.loaded());
  EXPECT_FALSE(program.frm_option.loaded());
  EXPECT_FALSE(program.frm_dtmf.loaded());

  // Open editors are built afresh, and only after the message box has been closed.
  for (auto* slot : std::initializer_list<kit::FormSlotBase*>{
           &program.frm_chann, &program.frm_option, &program.frm_dtmf}) {
    slot->loadForm();
    slot->form()->setCaption("stale");
  }
  std::string channelCaptionDuringBox;
  platform.onMessageBox = [&](const kit::MessageBoxRecord&) {
    channelCaptionDuringBox = program.frm_chann->caption();
  };
  open("image.dat");
  EXPECT_EQ(channelCaptionDuringBox, "stale");
  for (auto* slot : std::initializer_list<kit::FormSlotBase*>{
           &program.frm_chann, &program.frm_option, &program.frm_dtmf}) {
    ASSERT_TRUE(slot->loaded());
    EXPECT_NE(slot->form()->caption(), "stale") << slot->form()->name();
  }
  EXPECT_EQ(program.data.Win_Option, kTrue);
  EXPECT_EQ(program.data.Win_Dtmf, kTrue);
}

}  // namespace
}  // namespace j5::test
