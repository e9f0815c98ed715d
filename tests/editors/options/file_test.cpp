// The optional features window's file of image rows 0 to 495, served when
// its timer polls the file dialogs' requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "option_fixture.h"
#include "platform/runtime.h"
#include "support/temp_dir.h"

namespace j5::opt_test {
namespace {

struct File : Option_Fixture {
  test::TempDir dir;
  frm_option& f = open();
  File() { d.clearMessageBoxes(); }

  void request(const std::string& path, bool load, bool save) {
    data.File_Path = path;
    data.Open_File_Req = load ? kTrue : kFalse;
    data.Save_File_Req = save ? kTrue : kFalse;
    f.Timer4_Timer();
  }
};

TEST_F(File, SaveThenLoadPutsRowsZeroTo495Back) {
  for (int r = 0; r <= 495; ++r)
    for (int c = 0; c < 16; ++c)
      data.Mem_Image(r, c) = static_cast<std::int16_t>((r * 16 + c) % 256);
  request(dir / "opt.dat", false, true);
  EXPECT_EQ(f.Label_tr_count.caption(), "Store  parameter in gear.");
  EXPECT_EQ(d.lastMessageBox().text, "Complete storing  parameter.");
  const std::string text = test::readFile(dir / "opt.dat");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 496);
  EXPECT_EQ(text.substr(0, 10), " 0  1  2  ");

  const MemImage saved = data.Mem_Image;
  for (int r = 0; r <= 495; ++r) data.Mem_Image.fill(r, r, 0, 15, 0);
  request(dir / "opt.dat", true, false);
  EXPECT_EQ(d.lastMessageBox().text, "Succeed fold the parameter from file.");
  EXPECT_FALSE(data.Open_File_Req);
  // The display normalised the option records; every other row is as saved.
  for (int r = 0; r <= 495; ++r) {
    if ((r >= 226 && r <= 229) || (r >= 240 && r <= 243) || r == 246) continue;
    for (int c = 0; c < 16; ++c) ASSERT_EQ(data.Mem_Image(r, c), saved(r, c)) << r << "," << c;
  }
  // Row 246 came back as 96..111: none of its first seven codes is a character the line shows.
  EXPECT_EQ(f.Text_PON_MSG_U.text(), "");
}

TEST_F(File, ABadFileChangesNothing) {
  const MemImage before = data.Mem_Image;
  test::writeFile(dir / "short.dat", rt::formatNumberRows(481, 16, [](auto, auto) { return 1; }));
  test::writeFile(dir / "letters.dat", " 1  2 x\r\n");
  for (const std::string name : {"short.dat", "letters.dat", "missing.dat", ""}) {
    d.clearMessageBoxes();
    request(dir / name, true, false);
    EXPECT_TRUE(data.Mem_Image == before) << name;
    ASSERT_EQ(d.messageBoxes().size(), 1u) << name;
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the parameter file.", 0), 0u) << name;
  }
}

TEST_F(File, BothRequestsLoadFirstThenSaveBack) {
  test::writeFile(dir / "both.dat", rt::formatNumberRows(496, 16, [](auto r, auto) {
                    return static_cast<int>(r % 200);
                  }));
  request(dir / "both.dat", true, true);
  EXPECT_EQ(data.Mem_Image(100, 3), 100);
  EXPECT_EQ(d.messageBoxes().size(), 2u);
  // The save wrote the image as the load left it: row 100 as the file held it, row 226 (the
  // option block's first row, all 26) as the display stored it (bytes 0 to 2 carried, byte 3,
  // the VOX level, clamped to its last item 10).
  const std::string saved = test::readFile(dir / "both.dat");
  std::vector<std::string> lines;
  for (std::size_t from = 0, end; (end = saved.find("\r\n", from)) != std::string::npos;
       from = end + 2)
    lines.push_back(saved.substr(from, end - from));
  ASSERT_EQ(lines.size(), 496u);
  EXPECT_EQ(lines[100],
            " 100  100  100  100  100  100  100  100 "
            " 100  100  100  100  100  100  100  100 ");
  EXPECT_EQ(lines[226].substr(0, 16), " 26  26  26  10 ");
}

TEST_F(File, TheTimerHasNoInterval) {
  EXPECT_EQ(f.Timer4.interval(), 0);
  data.Open_File_Req = kTrue;
  d.advance(10000);
  EXPECT_TRUE(data.Open_File_Req);
}

}  // namespace
}  // namespace j5::opt_test
