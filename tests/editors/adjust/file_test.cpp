// The adjustment file through the Open and Save buttons, their dialogs and the window's timer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "adj_fixture.h"
#include "data/defaults.h"
#include "shell/file_dialogs.h"
#include "support/temp_dir.h"

namespace j5::adj_test {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;
using Texts = std::vector<std::string>;

struct AdjFile : ::testing::Test {
  test::TempDir dir;
  AdjFixture f;
  frm_Adj_Txp* w = nullptr;

  AdjFile() {
    f.platform.setCurrentDirectory(dir.path());
    w = &f.open();
  }
  // The user's steps: the button, a name in the dialog, OK; then the window's timer serves it.
  void through(kit::CommandButton& button, kit::FormSlot<File_Dialog>& slot,
               const std::string& name) {
    f.d.click(button);
    File_Dialog& dlg = *slot;
    f.d.focus(dlg.Text1);
    f.d.selectAll();
    f.d.type(name);
    f.d.click(dlg.Command_enter);
    f.d.advance(500);
  }
  void save(const std::string& name) { through(w->Command_save, f.program.Form_save_adj, name); }
  void load(const std::string& name) { through(w->Command_open, f.program.Form_open_adj, name); }
  // A request as a dialog raises it.
  void request(std::int16_t Shared_Data::*flag, const std::string& name) {
    f.data.File_Path = dir / name;
    f.data.*flag = kTrue;
  }
  void scramble() {
    for (int r = 0; r < 20; ++r)
      for (int c = 0; c < 16; ++c) f.data.Adj_Value(r, c) = static_cast<std::int16_t>(r + c);
  }
};

TEST_F(AdjFile, SavedDefaultsLoadBackAndTheVersionStays) {
  save("factory.adj");
  EXPECT_EQ(f.box_texts(), Texts{"调整参数保存完毕 ！"});
  EXPECT_EQ(f.d.lastMessageBox().title, "操作提示");
  const std::string text = readFile(dir / "factory.adj");
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(text.size(), text.rfind("\r\n") + 2);
  EXPECT_EQ(lines[12], " 52  42  31  17  7  0  3  6  12  0  0  0  0  0  0  0 ");

  scramble();
  f.data.Adj_Value(19, 0) = 'V';
  f.d.clearMessageBoxes();
  w->ProgressBar1.setVisible(true);
  w->Label_tr_count.setCaption("x");
  load("factory.adj");
  EXPECT_EQ(f.box_texts(), Texts{"调整参数从文件调入成功 ！"});
  Shared_Data defaults;
  Init_Adj_Default(defaults);
  for (int r = 0; r < 16; ++r)
    EXPECT_EQ(f.row(r),
              [&] {
                std::vector<int> v;
                for (int c = 0; c < 16; ++c) v.push_back(defaults.Adj_Default(r, c));
                return v;
              }())
        << "row " << r;
  EXPECT_EQ(f.data.Adj_Value(19, 0), 'V');
  EXPECT_EQ(f.data.Adj_Value(16, 3), 19);
  EXPECT_EQ(w->Text1[0].text(), "13");
  EXPECT_FALSE(w->ProgressBar1.visible());
  EXPECT_EQ(w->Label_tr_count.caption(), "");
}

// Numbers split over other lines or by commas load the same; values no control can take are
// stored as they are.
TEST_F(AdjFile, AnySplitLoadsAndValuesAreStoredUnchecked) {
  std::string oneLine, commas;
  for (int i = 0; i < 256; ++i) {
    const int v = i == 0 ? 200 : i == 1 ? 99 : i;
    oneLine += std::to_string(v) + " ";
    commas += std::to_string(v) + (i % 7 == 6 ? "\n" : ",");
  }
  for (const std::string& text : {oneLine, commas}) {
    writeFile(dir / "x.adj", text);
    scramble();
    f.d.clearMessageBoxes();
    request(&Shared_Data::Open_Adj_Req, "x.adj");
    f.d.advance(500);
    EXPECT_EQ(f.data.Open_Adj_Req, kFalse);
    // Bytes beyond the power boxes' range are refused when the page shows them.
    EXPECT_EQ(f.data.Adj_Value(0, 0), 13);
    EXPECT_EQ(f.data.Adj_Value(0, 1), 13);
    EXPECT_EQ(f.box_texts().front(), " 输入数字范围为 0 - 15 ！");
    EXPECT_EQ(f.data.Adj_Value(15, 15), 255);
    EXPECT_EQ(f.data.Adj_Value(14, 2), 226);
    EXPECT_EQ(f.box_texts().back(), "调整参数从文件调入成功 ！");
  }
}

// A file that is not 256 bytes is reported and changes nothing; what follows them is not read.
TEST_F(AdjFile, BadFilesAreRefusedAndChangeNothing) {
  std::string short255, letters, outOfRange;
  for (int i = 0; i < 255; ++i) short255 += " 1 ";
  letters = short255 + " x1 ";
  outOfRange = short255 + " 256 ";
  writeFile(dir / "empty.adj", "");
  writeFile(dir / "short.adj", short255);
  writeFile(dir / "letters.adj", letters);
  writeFile(dir / "range.adj", outOfRange);
  fs::create_directory(dir / "folder.adj");
  ASSERT_EQ(mkfifo((dir / "pipe.adj").c_str(), 0600), 0);
  writeFile(dir / "zeros.adj", "");
  fs::resize_file(dir / "zeros.adj", 1ull << 32);  // a huge file of NUL bytes, sparse on disk
  writeFile(dir / "tail.adj", short255 + " 9 ");
  fs::resize_file(dir / "tail.adj", 1ull << 32);
  scramble();
  const AdjTable before = f.data.Adj_Value;
  for (const char* name : {"empty.adj", "short.adj", "letters.adj", "range.adj", "folder.adj",
                           "pipe.adj", "zeros.adj", "none.adj"}) {
    SCOPED_TRACE(name);
    f.d.clearMessageBoxes();
    request(&Shared_Data::Open_Adj_Req, name);
    f.d.advance(500);
    ASSERT_EQ(f.box_texts().size(), 1u);
    EXPECT_EQ(f.box_texts()[0].rfind("调整参数文件调入失败 ！\n", 0), 0u);
    EXPECT_TRUE(f.data.Adj_Value == before);
  }
  f.d.clearMessageBoxes();
  request(&Shared_Data::Open_Adj_Req, "tail.adj");
  f.d.advance(500);
  EXPECT_EQ(f.box_texts().back(), "调整参数从文件调入成功 ！");
  EXPECT_EQ(f.data.Adj_Value(15, 15), 9);
}

TEST_F(AdjFile, AFailedSaveLeavesTheOldFile) {
  f.data.Lang_Chn = kFalse;
  writeFile(dir / "keep.adj", "old contents\r\n");
  test::withFileSizeLimit(100, [&] { save("keep.adj"); });
  ASSERT_EQ(f.box_texts().size(), 1u);
  EXPECT_EQ(f.box_texts()[0].rfind("Fail to store the adjust parameter file.\n", 0), 0u);
  EXPECT_EQ(readFile(dir / "keep.adj"), "old contents\r\n");
}

// A request raised while a transfer runs is served once the transfer has ended; Open and Save
// themselves refuse then.
TEST_F(AdjFile, RequestsWaitForTheTransfer) {
  std::string sevens;
  for (int i = 0; i < 256; ++i) sevens += " 7 ";
  writeFile(dir / "saved.adj", sevens);
  f.hangingRead();
  f.d.click(w->Command_open);
  f.d.click(w->Command_save);
  EXPECT_FALSE(f.program.Form_open_adj.loaded());
  EXPECT_FALSE(f.program.Form_save_adj.loaded());
  EXPECT_EQ(f.box_texts(), Texts(2, "正在与对讲机进行读写操作 ！"));
  request(&Shared_Data::Open_Adj_Req, "saved.adj");
  // Three restarts, each a second's time-out and two seconds' pause: the request waits for all.
  f.d.advance(11500);
  EXPECT_EQ(f.data.Open_Adj_Req, kTrue);
  EXPECT_EQ(f.data.Adj_Value(0, 0), 13);
  f.d.advance(1000);
  EXPECT_EQ(f.program.Panel(2), "联机故障 ！");
  EXPECT_EQ(f.data.Open_Adj_Req, kFalse);
  EXPECT_EQ(f.data.Adj_Value(0, 0), 7);
}

// Both requests at one tick name the same file: the load comes first, so the save writes the
// table just loaded.
TEST_F(AdjFile, ALoadComesBeforeASaveOfTheSameTick) {
  std::string sevens;
  for (int i = 0; i < 256; ++i) sevens += "7,";
  writeFile(dir / "in.adj", sevens);
  request(&Shared_Data::Save_Adj_Req, "in.adj");
  f.data.Open_Adj_Req = kTrue;
  f.d.advance(500);
  EXPECT_EQ(f.box_texts(), (Texts{"调整参数从文件调入成功 ！", "调整参数保存完毕 ！"}));
  EXPECT_EQ(readFile(dir / "in.adj").substr(0, 6), " 7  7 ");
  EXPECT_EQ(f.data.Adj_Value(15, 15), 7);
}

}  // namespace
}  // namespace j5::adj_test
