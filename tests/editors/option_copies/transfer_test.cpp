// The copies' transfer against the simulated radio.
#include "copy_fixture.h"

namespace j5::copy_test {
namespace {

using sim::FrameKind;

struct CopyTransfer : Copy_Fixture {
  std::vector<int> addresses(FrameKind kind) const {
    std::vector<int> out;
    for (const auto& e : radio.log())
      if (e.direction == sim::Direction::ToRadio && e.kind == kind) {
        const std::size_t at = e.bytes[0] == 0x06 ? 2 : 1;
        out.push_back(e.bytes[at] << 8 | e.bytes[at + 1]);
      }
    return out;
  }
};

TEST_F(CopyTransfer, ReadFillsTheImageFromFourOfTheFiveBlocks) {
  for (int a = 0; a < 0x160; ++a)
    radio.memory().set(static_cast<std::uint16_t>(0x0E20 + a), static_cast<std::uint8_t>(a & 0x7F));
  radio.memory().set(0x0E20 + 59, 0x80);  // work band B
  radio.memory().set(0x0E20, 100);        // channel count
  for (int i = 0; i < 8; ++i)
    radio.memory().set(static_cast<std::uint16_t>(0x0F08 + i),
                       std::array{1, 3, 6, 0, 2, 5, 0, 0}[static_cast<std::size_t>(i)]);
  frm_Adj_Tune& w = tune();
  d.click(w.Command_read);
  EXPECT_EQ(w.Label_tr_count.caption(), "Connecting with transceiver. ");
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Busy(); }, 10000));
  EXPECT_EQ(addresses(FrameKind::ReadRequest),
            (std::vector<int>{0x0E20, 0x0E60, 0x0EA0, 0x0EE0, 0x0F20}));
  EXPECT_EQ(w.Copy_Image(10, 0), radio.memory().at(0x0F00));
  EXPECT_EQ(w.Copy_Image(12, 0), radio.memory().at(0x0F20));
  EXPECT_EQ(w.Copy_Image(8, 0), radio.memory().at(0x0EE0));
  EXPECT_EQ(data.Block_Buf(4, 5), radio.memory().at(0x0EA0));
  EXPECT_EQ(w.Text_Freq_a.text(), "136.02500");
  EXPECT_TRUE(w.Option_band_b.value());
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Read optional parameters in gear. ");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  EXPECT_EQ(program.panel(2), "Connect well with radio.");
  EXPECT_EQ(data.VHF_High, radio.config().bands.vhfHigh + 1);
  EXPECT_FALSE(w.MSC.portOpen());
}

TEST_F(CopyTransfer, WritePacksOnceAndSendsTenRows) {
  frm_Adj_Tune& w = tune();
  w.Text_Freq_a.setText("145.50000");
  std::vector<double> bar;
  d.click(w.Command_Write);
  EXPECT_EQ(w.Copy_Image(6, 8), 1);  // packed at the press
  ASSERT_TRUE(d.advanceUntil(
      [&] {
        if (bar.empty() || bar.back() != w.ProgressBar1.value())
          bar.push_back(w.ProgressBar1.value());
        return !w.Busy();
      },
      20000));
  EXPECT_EQ(addresses(FrameKind::DataFrame),
            (std::vector<int>{0x0E20, 0x0E30, 0x0E40, 0x0E50, 0x0F00, 0x0F00, 0x0F00, 0x0F10,
                              0x0F20, 0x0F30}));
  EXPECT_EQ(radio.memory().at(0x0F08), 1);
  EXPECT_EQ(radio.memory().at(0x0F0B), 5);
  EXPECT_EQ(bar.back(), 100);
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Complete writing optional parameters to the transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Complete writing optional parameters ");
}

TEST_F(CopyTransfer, SilenceEndsInRetriesAndTheFailureText) {
  radio.inject({.what = sim::Misbehaviour::Silence, .answering = {}, .count = sim::Fault::kAlways});
  frm_Adj_Mod& w = mod();
  d.click(w.Command_Write);
  // Busy: the other buttons and closing are refused.
  d.click(w.Command_def);
  EXPECT_EQ(d.lastMessageBox().text, "Read-write operating with transceiver .");
  d.click(w.Command_close);
  EXPECT_EQ(d.lastMessageBox().text, "Read-write operating，don't close the window.,");
  EXPECT_FALSE(d.close(w));
  EXPECT_TRUE(mod_slot.loaded());
  d.clearMessageBoxes();
  ASSERT_TRUE(d.advanceUntil([&] { return program.panel(2) == "Communication fault."; }, 30000));
  int codes = 0;
  for (const auto& e : radio.log())
    if (e.direction == sim::Direction::ToRadio && e.kind == FrameKind::AltAccessCode) ++codes;
  EXPECT_EQ(codes, 4);
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_FALSE(w.Busy());
}

TEST_F(CopyTransfer, WritePacksEvenWhenThePortWillNotOpen) {
  data.Comm_Port = 9;
  frm_Adj_Tune& w = tune();
  w.Copy_Image(0, 0) = 77;
  d.click(w.Command_Write);
  EXPECT_EQ(w.Copy_Image(0, 0), 128);
  EXPECT_EQ(d.lastMessageBox().text, "Communication Port Open Error ！");
  EXPECT_FALSE(w.Busy());
}

}  // namespace
}  // namespace j5::copy_test
