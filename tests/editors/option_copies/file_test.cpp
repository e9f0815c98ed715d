// The copies' option file: save, load, and files that must be refused.
#include "copy_fixture.h"
#include "editors/option_copies/copy_file.h"
#include "support/temp_dir.h"

namespace j5::copy_test {
namespace {

struct CopyFile : Copy_Fixture {
  test::TempDir dir;
  void request(bool open, const std::string& path) {
    data.File_Path = path;
    (open ? data.Open_File_Req : data.Save_File_Req) = kTrue;
    d.advance(500);
  }
  void write(const std::string& path, const std::string& text) { test::writeFile(path, text); }
};

TEST_F(CopyFile, SaveThenLoadGivesEverySettingBack) {
  frm_Adj_Tune& w = tune();
  w.Text_Freq_a.setText("99.12500");
  w.Combo_offset_b.setListIndex(100);
  w.Combo_t_ctdcs_a.setText("73.7");
  w.Combo_scr_b.setListIndex(0);
  w.Check_comp.setValue(1);
  w.Combo_ring.setListIndex(9);
  w.Option_chann.setValue(true);
  const std::string path = dir / "a.dat";
  request(false, path);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete storing optional parameters."});
  // The defaults with those edits, packed: option bytes 0-63 in lines 0-3 (the copies' own ones
  // at 0-2, 4, 10, 13, 23-28, 45, 46, 49-56), records A and B in lines 6-9, the rest 0.
  const std::vector<std::vector<int>> rows = {
      {128, 1, 9, 0, 1, 5, 1, 3, 3, 1, 0, 3, 0, 2, 0, 0},
      {3, 0, 0, 1, 0, 2, 1, 4, 7, 2, 9, 1, 5, 0, 0, 0},
      {0, 0, 0, 0, 1, 2, 0, 0, 10, 0, 1, 0, 0, 1, 1, 0},
      {0, 1, 0x30, 1, 0x78, 1, 0x30, 1, 0x78, 0, 0, 0x1B, 0, 0, 0, 0},
      std::vector<int>(16, 0),
      std::vector<int>(16, 0),
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 1, 2, 5, 0, 0},
      {0, 0, 0, 6, 0, 0, 0, 0, 225, 2, 0, 0, 0, 0, 0x30, 0},
      {0, 0, 0, 0, 0, 0, 0, 0, 1, 7, 8, 6, 2, 5, 0, 0},
      {0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x30, 0},
      std::vector<int>(16, 0),
      std::vector<int>(16, 0)};
  std::string expected;
  for (const auto& r : rows) {
    for (int v : r) expected += " " + std::to_string(v) + " ";
    expected += "\r\n";
  }
  EXPECT_EQ(expected.substr(0, 20), " 128  1  9  0  1  5 ");
  EXPECT_EQ(test::readFile(path), expected);

  // A read has left older records in rows 10-13, a scrambler among them: the load shows the
  // records it brought, so the compander it brought stays.
  w.Copy_Image(13, 14) = 0x05;
  d.click(w.Command_def);
  d.clearMessageBoxes();
  request(true, path);
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Succeed fold the optional parameters from file."});
  EXPECT_EQ(w.Text_Freq_a.text(), "99.12500");
  EXPECT_EQ(w.Combo_offset_b.text(), "05.000");
  EXPECT_EQ(w.Combo_t_ctdcs_a.text(), "73.7");
  EXPECT_EQ(w.Check_comp.value(), 1);
  EXPECT_EQ(w.Combo_scr_b.listIndex(), 0);
  EXPECT_EQ(w.Combo_ring.listIndex(), 9);
  EXPECT_TRUE(w.Option_chann.value());
  EXPECT_EQ(w.Copy_Image(13, 14), 0x05);  // rows 12-15 are not in the file
  EXPECT_EQ(data.Open_File_Req, 0);
}

TEST_F(CopyFile, NumbersMayBeSplitAnyWay) {
  std::string text;
  for (int i = 0; i < 192; ++i) text += std::to_string(i % 7) + (i % 5 == 4 ? ",\r\n" : ",");
  const rt::NumberRead read = copy::Read_Option_Text(text);
  ASSERT_TRUE(read.ok());
  CopyImage image;
  copy::Store_Option_Values(image, read.values);
  EXPECT_EQ(image(11, 15), 191 % 7);
  EXPECT_EQ(image(1, 0), 16 % 7);
}

TEST_F(CopyFile, BadFilesAreRefusedAndChangeNothing) {
  frm_Adj_Tune& w = tune();
  w.Copy_Image(2, 2) = 42;
  const CopyImage before = w.Copy_Image;
  const std::string shown = w.Text_Freq_a.text();
  std::string short_file;
  for (int i = 0; i < 191; ++i) short_file += " 1 ";
  std::string big = short_file + " 256 ";
  const std::vector<std::pair<std::string, std::string>> files = {
      {"short.dat", short_file}, {"big.dat", big}, {"word.dat", "x"}, {"missing.dat", ""}};
  for (const auto& [name, content] : files) {
    d.clearMessageBoxes();
    if (name != "missing.dat") write(dir / name, content);
    request(true, dir / name);
    ASSERT_EQ(d.messageBoxes().size(), 1u) << name;
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the optional parameters file.", 0), 0u)
        << name;
    EXPECT_TRUE(w.Copy_Image == before) << name;
    EXPECT_EQ(w.Text_Freq_a.text(), shown);
  }
  d.clearMessageBoxes();
  request(false, dir.path() + "/no/such/folder.dat");
  EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to store the optional parameters file.", 0), 0u);
}

}  // namespace
}  // namespace j5::copy_test
