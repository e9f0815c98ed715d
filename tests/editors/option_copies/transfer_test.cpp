// The copies' transfer against the simulated radio.
#include <map>

#include "copy_fixture.h"
#include "support/nine_byte_answer.h"

namespace j5::copy_test {
namespace {

using sim::FrameKind;

struct CopyTransfer : Copy_Fixture {
  // The data of every frame written to `address`.
  std::vector<std::vector<int>> frames_to(int address) const {
    std::vector<std::vector<int>> out;
    for (const auto& e : toRadio(FrameKind::DataFrame)) {
      const std::size_t at = e.bytes[0] == 0x06 ? 2 : 1;
      if ((e.bytes[at] << 8 | e.bytes[at + 1]) == address)
        out.emplace_back(e.bytes.begin() + static_cast<long>(at) + 3, e.bytes.end());
    }
    return out;
  }
  std::vector<int> radio_row(int address) const {
    std::vector<int> out;
    for (int i = 0; i < 16; ++i)
      out.push_back(radio.memory().at(static_cast<std::uint16_t>(address + i)));
    return out;
  }
  std::vector<int> addresses(FrameKind kind) const {
    std::vector<int> out;
    for (const auto& e : toRadio(kind)) {
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
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Transfer.Busy(); }, 10000));
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
  EXPECT_EQ(program.Panel(2), "Connect well with radio.");
  EXPECT_EQ(data.VHF_High, radio.config().bands.vhfHigh + 1);
  EXPECT_FALSE(w.MSC.portOpen());
}

// Both copies read whole wherever the radio puts its ACK, in front of its identification or
// behind it, and however the nine bytes arrive.
TEST_F(CopyTransfer, ReadWhereverTheRadioPutsItsAckAndHoweverItsAnswerArrives) {
  Option_Copy_Window* windows[] = {&mod(), &tune()};
  for (Option_Copy_Window* w : windows) {
    SCOPED_TRACE(w == windows[0] ? "frm_Adj_Mod" : "frm_Adj_Tune");
    j5test::Read_With_Every_Nine_Byte_Answer(
        *this,
        [&] {
          d.click(w->Command_read);
          return d.advanceUntil([&] { return !w->Transfer.Busy() && !d.messageBoxes().empty(); },
                                20000);
        },
        {0x0E20, 0x0E60, 0x0EA0, 0x0EE0, 0x0F20});
  }
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
        return !w.Transfer.Busy();
      },
      20000));
  EXPECT_EQ(addresses(FrameKind::DataFrame),
            (std::vector<int>{0x0E20, 0x0E30, 0x0E40, 0x0E50, 0x0F00, 0x0F00, 0x0F00, 0x0F10,
                              0x0F20, 0x0F30}));
  EXPECT_EQ(radio.memory().at(0x0F08), 1);
  EXPECT_EQ(radio.memory().at(0x0F0B), 5);
  // Every frame to 0x0F00 carries record A's first row, so no moment leaves zeros there.
  const std::vector<int> first_row = {0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 5, 5, 0, 0, 0, 0};
  EXPECT_EQ(frames_to(0x0F00), (std::vector<std::vector<int>>(3, first_row)));
  EXPECT_EQ(radio_row(0x0F00), first_row);
  EXPECT_EQ(bar, (std::vector<double>{0, 11, 22, 33, 44, 55, 66, 77, 88, 100}));
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Complete writing optional parameters to the transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Complete writing optional parameters ");
}

// A write cut off just after its first frame to 0x0F00 leaves record A's first row there, not
// zeros.
TEST_F(CopyTransfer, AWriteCutOffAtRecordALeavesItsFirstRowInTheRadio) {
  for (int a = 0x0F00; a < 0x0F10; ++a) radio.memory().set(static_cast<std::uint16_t>(a), 0x77);
  radio.inject({.what = sim::Misbehaviour::Silence,
                .answering = FrameKind::DataFrame,
                .skip = 5,
                .count = sim::Fault::kAlways});
  frm_Adj_Tune& w = tune();
  w.Text_Freq_a.setText("145.50000");
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return program.Panel(2) == "Communication fault."; }, 30000));
  EXPECT_EQ(radio_row(0x0F00), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 5, 5, 0, 0, 0, 0}));
}

// Read, then Write with nothing edited: every byte that no control of the copy stands for is as
// the radio held it. The copy's bytes of the option block at 0x0E20 (the rest belong to the
// option editor or to nobody): 0 channel count, 1 work mode, 2 ring time, 3 VOX, 4 ANI, 5 squelch,
// 6 dual watch, 7 backlight, 8 standby colour, 9 beep, 10 transmit band under dual watch,
// 11 time-out, 12 busy lock-out, 13 side key, 16 battery save, 17 scan, 18 auto lock, 19 voice,
// 21, 22 channel display, 23-28 password, 36, 37 colours, 39 PTT-ID, 40 its delay, 42 DTMF side
// tone, 45 compander, 46 top key, 49-56 range limits, 59 all bits but 0x04, 61 keypad lock. Of a
// frequency-mode record: +8 to +25, +28 to +30 and bits 6 and 7 of +31.
TEST_F(CopyTransfer, AnUneditedReadAndWriteKeepEveryByteTheCopyDoesNotOwn) {
  std::map<int, int> owned;  // radio address: the bits the copy writes
  for (int n : {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 16, 17, 18, 19, 21, 22, 23,
                24, 25, 26, 27, 28, 36, 37, 39, 40, 42, 45, 46, 49, 50, 51, 52, 53, 54, 55, 56, 61})
    owned[0x0E20 + n] = 0xFF;
  owned[0x0E20 + 59] = 0xFB;
  for (int record : {0x0F00, 0x0F20}) {
    for (int k = 8; k <= 25; ++k) owned[record + k] = 0xFF;
    for (int k = 28; k <= 30; ++k) owned[record + k] = 0xFF;
    owned[record + 31] = 0xC0;
  }
  for (int a = 0x0E00; a < 0x0F80; ++a)
    radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 37 + 11));
  const auto before = radio.memory();
  frm_Adj_Mod& w = mod();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Transfer.Busy(); }, 10000));
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Transfer.Busy(); }, 20000));
  ASSERT_EQ(d.lastMessageBox().text, "Complete writing optional parameters to the transceiver.");
  for (int a = 0x0E00; a < 0x0F80; ++a) {
    const auto at = static_cast<std::uint16_t>(a);
    const int kept = owned.count(a) ? ~owned[a] & 0xFF : 0xFF;
    EXPECT_EQ(radio.memory().at(at) & kept, before.at(at) & kept) << std::hex << a;
  }
}

// A tone list's text too large for any number (pasted, so no guard replaced it) is packed as off.
TEST_F(CopyTransfer, AnOverflowingToneTextIsWrittenAsOff) {
  frm_Adj_Tune& w = tune();
  d.focus(w.Combo_r_ctdcs_a);
  d.selectAll();
  d.paste("1e999");
  ASSERT_EQ(w.Combo_r_ctdcs_a.text(), "1e999");
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Transfer.Busy(); }, 20000));
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Complete writing optional parameters to the transceiver."});
  EXPECT_EQ(radio.memory().at(0x0F16), 0);
  EXPECT_EQ(radio.memory().at(0x0F17), 0);
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
  ASSERT_TRUE(d.advanceUntil([&] { return program.Panel(2) == "Communication fault."; }, 30000));
  EXPECT_EQ(toRadio(FrameKind::AltAccessCode).size(), 4u);
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_FALSE(w.Transfer.Busy());
}

TEST_F(CopyTransfer, WritePacksEvenWhenThePortWillNotOpen) {
  data.Comm_Port = 9;
  frm_Adj_Tune& w = tune();
  w.Copy_Image(0, 0) = 77;
  d.click(w.Command_Write);
  EXPECT_EQ(w.Copy_Image(0, 0), 128);
  EXPECT_EQ(d.lastMessageBox().text, "Communication Port Open Error ！");
  EXPECT_FALSE(w.Transfer.Busy());
}

}  // namespace
}  // namespace j5::copy_test
