// A window's transfer with its texts: what the progress bar, the label, the status bar and the
// message boxes show for each report of the engine, from the description's texts.
#include "link/transfer_link.h"

#include <gtest/gtest.h>

#include "link/transfers.h"
#include "link_fixture.h"

namespace j5test {
namespace {

using sim::Fault;
using sim::FrameKind;
using sim::Misbehaviour;

class Host : public kit::Form, public j5::Link_Listener {
 public:
  Host(j5::Program& p, const j5::Transfer_Description& link)
      : kit::Form(p.platform, "Host"), Transfer(*this, p, link, *this) {}
  j5::Transfer_Link Transfer;
  kit::Label& Label_tr_count = Transfer.Progress.Label_tr_count;
  kit::ProgressBar& ProgressBar1 = Transfer.Progress.ProgressBar1;
  std::vector<std::string> labelsAtProgress;
  int blocks = 0;
  std::string labelWhenDone;

  void Link_Block_Stored(int, std::uint16_t, std::span<const std::uint8_t>) override { ++blocks; }
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const j5::Write_Step&) override {
    return std::array<std::uint8_t, 16>{};
  }
  void Link_Progress(const j5::Progress_Mark&) override {
    labelsAtProgress.push_back(Label_tr_count.caption());
  }
  // The window's own part of the end comes before the completion texts.
  void Link_Done() override { labelWhenDone = Label_tr_count.caption(); }
};

struct TransferTexts : Link_Fixture {
  std::optional<kit::FormSlot<Host>> slot;
  Host& Open(const j5::Transfer_Description& link, sim::IdentForm form) {
    radio.config().identForm = form;
    slot.emplace([this, &link] { return std::make_unique<Host>(program, link); });
    return slot->load();
  }
};

TEST_F(TransferTexts, EditorReadShowsItsProgressAndCompletion) {
  Host& h = Open(j5::Option_Link(), sim::IdentForm::Ident8);
  h.Transfer.Start(j5::Option_Read_Plan());
  EXPECT_TRUE(h.ProgressBar1.visible());
  EXPECT_EQ(h.ProgressBar1.value(), 0);
  EXPECT_EQ(h.Label_tr_count.caption(), "正在与对讲机联络 ！");
  EXPECT_TRUE(h.Transfer.Busy_Refused());
  ASSERT_TRUE(d.advanceUntil([&] { return d.messageBoxes().size() > 1; }, 20000));
  EXPECT_EQ(box_texts(),
            (std::vector<std::string>{"正在与对讲机进行读写操作 ！", "从对讲机中读取数据完毕 ！"}));
  EXPECT_EQ(h.labelsAtProgress,
            (std::vector<std::string>{"正在读取 3 数据块", "正在读取 4 数据块", "正在读取 5 数据块",
                                      "正在读取 6 数据块"}));
  EXPECT_EQ(h.labelWhenDone, "正在读取 6 数据块");
  EXPECT_EQ(h.Label_tr_count.caption(), "可选参数读出正常 ！");
  EXPECT_EQ(h.ProgressBar1.value(), 100);
  EXPECT_EQ(program.Panel(2), "与对讲机数据通讯正常");
  EXPECT_EQ(h.blocks, 5);
}

// The English texts, titles and failure of an editor: the port message under "Operate Prompt";
// after the restart the failure message under "Operate prompt" and the panel text, with the bar and
// the label left as they were.
TEST_F(TransferTexts, EditorFailureInEnglish) {
  data.Lang_Chn = j5::kFalse;
  Host& h = Open(j5::Dtmf_Link(), sim::IdentForm::Ident8);
  data.Comm_Port = 9;
  h.Transfer.Start(j5::Dtmf_Write_Plan());
  ASSERT_EQ(d.messageBoxes().size(), 1u);
  EXPECT_EQ(d.lastMessageBox().text, "Communication Port Open Error ！");
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  EXPECT_EQ(h.Label_tr_count.caption(), "");

  d.clearMessageBoxes();
  data.Comm_Port = 1;
  radio.inject({.what = Misbehaviour::Silence, .answering = {}, .count = Fault::kAlways});
  h.Transfer.Start(j5::Dtmf_Write_Plan());
  EXPECT_EQ(h.Label_tr_count.caption(), "Connecting with transceiver. ");
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 20000));
  EXPECT_EQ(d.lastMessageBox().text, "Fail connect with transceiver.");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
  EXPECT_EQ(program.Panel(2), "Communication fault.");
  EXPECT_EQ(h.Label_tr_count.caption(), "Connecting with transceiver. ");
  EXPECT_TRUE(h.ProgressBar1.visible());
}

// A transfer whose failure shows in the status bar only, and one whose completion of a read shows
// its message before its label.
TEST_F(TransferTexts, PanelOnlyFailureAndMessageFirstCompletion) {
  Host& a = Open(j5::Adjust_Link(), sim::IdentForm::Ident14);
  radio.inject({.what = Misbehaviour::Silence, .answering = {}, .count = Fault::kAlways});
  a.Transfer.Start(j5::Adjust_Read_Plan());
  d.advance(20000);
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_EQ(program.Panel(2), "联机故障 ！");
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 4u);

  radio.clearFaults();
  Host& c = Open(j5::Channel_Link(), sim::IdentForm::Ident8);
  c.Transfer.Start(j5::Channel_Read_Plan(8));
  std::string labelAtMessage;
  platform.onMessageBox = [&](const kit::MessageBoxRecord&) {
    labelAtMessage = c.Label_tr_count.caption();
  };
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 20000));
  EXPECT_EQ(d.lastMessageBox().text, "从对讲机中读取数据完毕 ！");
  EXPECT_EQ(labelAtMessage, "正在读取 4 数据块");
  EXPECT_EQ(c.Label_tr_count.caption(), "信道数据读出正常 ！");
  EXPECT_EQ(c.blocks, 6);  // three pairs of blocks for eight channels
}

}  // namespace
}  // namespace j5test
