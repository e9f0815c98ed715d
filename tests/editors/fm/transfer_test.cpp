// The FM window's transfer against the simulated radio, and its FM file requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "editors/fm/fm_file.h"
#include "fm_fixture.h"
#include "support/nine_byte_answer.h"
#include "support/temp_dir.h"

namespace j5::fm_test {
namespace {

using sim::FrameKind;

struct FmTransfer : Fm_Fixture {
  static int address(const sim::LogEntry& e, std::size_t at) {
    return e.bytes[at] << 8 | e.bytes[at + 1];
  }
  void put(std::uint16_t at, const std::vector<int>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      radio.memory().set(static_cast<std::uint16_t>(at + i), static_cast<std::uint8_t>(bytes[i]));
  }
  bool ended(const frm_FM& w) const { return !w.Transfer.Busy() && !d.messageBoxes().empty(); }
};

TEST_F(FmTransfer, ReadShowsTheRadiosChannelsAndBands) {
  for (int a = 0; a < 0x100; a += 16)
    put(static_cast<std::uint16_t>(0x3000 + a), {0, 0, 0, 0, 0, 0, 0, 0});
  put(0x3000, {1, 0, 1, 5, 0, 0, 0, 0, 0xFF, 0xFF, 'A', 'B', 'C', 0xFF, 0xFF, 0xFF});
  put(0x30F0, {0, 8, 9, 1, 0, 0, 0, 0, 'S', 'T', 'A', 'T', 'O', 'N', 0xFF, 0xFF});
  put(0x30B0, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});  // channel 12 erased
  put(0x3F80, {1, 4, 0, 1, 6, 5, 4, 1, 0, 4, 6, 0});
  frm_FM& w = open();
  d.click(w.Command_read);
  EXPECT_EQ(w.Label_tr_count.caption(), "Connecting with transceiver. ");
  ASSERT_TRUE(d.advanceUntil([&] { return ended(w); }, 10000));
  std::vector<int> requested;
  for (const auto& e : toRadio(FrameKind::ReadRequest))
    requested.push_back(address(e, e.bytes.size() - 3));
  EXPECT_EQ(requested, (std::vector<int>{0x3000, 0x3040, 0x3080, 0x30C0, 0x3F80}));
  EXPECT_EQ(toRadio(FrameKind::Ack).size(), 5u);  // each reply acknowledged, the last one too
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Read FM Radio parameters in gear. ");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 1), "101.50000");
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 2), "ABC");
  EXPECT_EQ(w.MSF_Chann.textMatrix(16, 2), "STATON");
  EXPECT_EQ(w.MSF_Chann.textMatrix(2, 1), "");
  EXPECT_EQ(w.MSF_Chann.textMatrix(12, 1), "28333.33305");
  EXPECT_EQ(bands(w),
            (std::vector<std::string>{"140.00000", "165.00000", "410.00000", "460.00000"}));
  EXPECT_EQ(data.Block_Buf(6, 3), 0x80);
  // The identification: both bands from the radio's one range, the upper limits one above it.
  EXPECT_EQ(data.Band_A_Low, 136);
  EXPECT_EQ(data.Band_B_High, 175);
  EXPECT_EQ(data.VHF_High, 175);
  EXPECT_EQ(program.Panel(4), "与对讲机数据通讯正常");
  EXPECT_EQ(program.Panel(8), " 136-- 174 MHZ");
  EXPECT_FALSE(w.MSC.portOpen());
  expect_image_untouched();
}

// The radio's ACK may stand in front of its identification or behind it, right behind or a few
// milliseconds later, and the nine bytes may come in pieces: the read takes them whole, so no byte
// of them stands in front of the first reply, and reads the radio's blocks at its first attempt.
TEST_F(FmTransfer, ReadsWhereverTheRadioPutsItsAckAndHoweverItsAnswerArrives) {
  frm_FM& w = open();
  j5test::Read_With_Every_Nine_Byte_Answer(*this,
                                           [&] {
                                             d.click(w.Command_read);
                                             return d.advanceUntil([&] { return ended(w); }, 20000);
                                           },
                                           {0x3000, 0x3040, 0x3080, 0x30C0, 0x3F80});
}

TEST_F(FmTransfer, WriteSendsSeventeenRows) {
  frm_FM& w = open();
  d.click(w.Command_Write);
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "Writing  0  Data Block"; }, 3000));
  ASSERT_TRUE(d.advanceUntil([&] { return ended(w); }, 20000));
  const auto frames = toRadio(FrameKind::DataFrame);
  ASSERT_EQ(frames.size(), 17u);
  for (int n = 0; n < 16; ++n)
    EXPECT_EQ(address(frames[static_cast<std::size_t>(n)], 1), 0x3000 + 16 * n);
  EXPECT_EQ(address(frames[16], 1), 0x3F80);
  for (int a = 0; a < 16 * 16; ++a)
    ASSERT_EQ(radio.memory().at(static_cast<std::uint16_t>(0x3000 + a)),
              data.Fm_Image(a / 16, a % 16))
        << a;
  EXPECT_EQ(radio.memory().at(0x3F82), 6);
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Complete writing FM Radio parameters to the transceiver."});
  expect_image_untouched();
}

TEST_F(FmTransfer, NoRadioTriesFourTimesThenReportsInThePanel) {
  radio.inject({sim::Misbehaviour::Silence, FrameKind::AltAccessCode, 0, sim::Fault::kAlways});
  frm_FM& w = open();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return program.Panel(2) == "Communication fault."; }, 30000));
  EXPECT_EQ(toRadio(FrameKind::AltAccessCode).size(), 4u);
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_FALSE(w.Transfer.Busy());
  EXPECT_FALSE(w.MSC.portOpen());
}

TEST_F(FmTransfer, ALostReplyIsRetriedAndABadHeaderIsNotTaken) {
  // The second reply comes with a wrong first byte: not acknowledged, the whole read starts again.
  radio.inject({sim::Misbehaviour::WrongFirstByte, FrameKind::ReadRequest, 1, 1});
  frm_FM& w = open();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return ended(w); }, 20000));
  EXPECT_EQ(toRadio(FrameKind::AltAccessCode).size(), 2u);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
}

TEST_F(FmTransfer, AClickInTheRetryPauseReplacesThePendingRetry) {
  radio.inject({sim::Misbehaviour::Silence, FrameKind::AltAccessCode, 0, 1});
  frm_FM& w = open();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Transfer.Busy(); }, 5000));
  d.click(w.Command_Write);  // inside the 1500 ms pause
  ASSERT_TRUE(d.advanceUntil([&] { return ended(w); }, 20000));
  EXPECT_EQ(toRadio(FrameKind::AltAccessCode).size(), 2u);
  EXPECT_EQ(toRadio(FrameKind::DataFrame).size(), 17u);
  EXPECT_TRUE(toRadio(FrameKind::ReadRequest).empty());
}

TEST_F(FmTransfer, ButtonsAndClosingWaitForTheTransfer) {
  frm_FM& w = open();
  d.click(w.Command_read);
  d.advance(100);
  const struct {
    kit::CommandButton frm_FM::*button;
    const char* text;
  } cases[] = {{&frm_FM::Command_read, "Read-write operating with transceiver ."},
               {&frm_FM::Command_Write, "Read-write operating with transceiver ."},
               {&frm_FM::Command_save, "Read-write operating with transceiver ."},
               {&frm_FM::Command_open, "Read-write operating with transceiver ."},
               {&frm_FM::Command_Clear, "Read-write operating，don't clear operate .,"},
               {&frm_FM::Command_close, "Read-write operating，don't close the window. ,"}};
  for (const auto& c : cases) {
    d.clearMessageBoxes();
    d.click(w.*c.button);
    EXPECT_EQ(box_texts(), std::vector<std::string>{c.text});
  }
  d.clearMessageBoxes();
  EXPECT_FALSE(d.close(w));
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Read-write operating，don't close the window.,"});
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Transfer.Busy(); }, 10000));
  d.click(w.Command_close);
  EXPECT_EQ(program.frm_FM.get(), nullptr);
}

TEST_F(FmTransfer, FmFileRoundTrip) {
  test::TempDir dir;
  frm_FM& w = open();
  data.File_Path = dir / "fm.adj";
  data.Save_Adj_Req = kTrue;
  d.advance(500);
  EXPECT_EQ(data.Save_Adj_Req, kFalse);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete storing channel parameter."});
  EXPECT_FALSE(w.ProgressBar1.visible());
  const std::string text = test::readFile(dir / "fm.adj");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
  EXPECT_EQ(text.substr(0, 6), " 16 \r\n");
  // Line 2 is channel 2: 90.40000 CCTV1, then six cells that only the file carries.
  EXPECT_EQ(
      text.substr(6, text.find("\r\n", 6) - 6),
      " 0  9  0  4  0  0  0  0  255  67  67  84  86  49  255  255  255  255  255  255  255  255 ");

  // Changed in the grid, then loaded back: rows 2 to 16 and the bands are as saved.
  d.click(w.Command_Clear);
  data.File_Path = dir / "fm.adj";
  data.Open_Adj_Req = kTrue;
  d.clearMessageBoxes();
  d.advance(500);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Succeed fold the channel parameter from file."});
  EXPECT_EQ(w.MSF_Chann.textMatrix(2, 1), "90.40000");
  EXPECT_EQ(w.MSF_Chann.textMatrix(16, 2), "CCTV9");
  EXPECT_EQ(bands(w),
            (std::vector<std::string>{"136.00000", "174.00000", "400.00000", "479.00000"}));
  expect_image_untouched();
}

TEST_F(FmTransfer, BadFmFilesAreRefusedAndChangeNothing) {
  test::TempDir dir;
  frm_FM& w = open();
  std::string row;
  for (int c = 0; c < 22; ++c) row += " 1 ";
  std::string good = " 16 \r\n";
  for (int r = 0; r < 16; ++r) good += row + "\r\n";
  std::string not_byte = good;
  not_byte.replace(not_byte.find(" 1 "), 3, " 300 ");
  std::string count = good;
  count.replace(0, 4, " 15 ");
  const std::pair<const char*, std::string> files[] = {{"empty.adj", ""},
                                                       {"short.adj", good.substr(0, 200)},
                                                       {"letters.adj", "16 a b c"},
                                                       {"count.adj", count},
                                                       {"byte.adj", not_byte}};
  const FmImage before = data.Fm_Image;
  const std::string cell = w.MSF_Chann.textMatrix(2, 1);
  for (const auto& [name, text] : files) {
    test::writeFile(dir / name, text);
    data.File_Path = dir / name;
    data.Open_Adj_Req = kTrue;
    d.clearMessageBoxes();
    d.advance(500);
    ASSERT_EQ(d.messageBoxes().size(), 1u) << name;
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the channel parameter file.", 0), 0u)
        << name;
    EXPECT_TRUE(data.Fm_Image == before) << name;
    EXPECT_EQ(w.MSF_Chann.textMatrix(2, 1), cell) << name;
  }
  // A missing file and a folder are refused too.
  for (const std::filesystem::path p : {dir / "none.adj", dir.path()}) {
    data.File_Path = p;
    data.Open_Adj_Req = kTrue;
    d.clearMessageBoxes();
    d.advance(500);
    ASSERT_EQ(d.messageBoxes().size(), 1u);
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the channel parameter file.", 0), 0u);
  }
  // The one valid file loads.
  test::writeFile(dir / "good.adj", good);
  data.File_Path = dir / "good.adj";
  data.Open_Adj_Req = kTrue;
  d.advance(500);
  EXPECT_EQ(data.Fm_Image(16, 21), 1);
}

}  // namespace
}  // namespace j5::fm_test
