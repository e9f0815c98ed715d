// The whole write window against the simulated radio.
#include <gtest/gtest.h>

#include "link/Form_Comm_Write.h"
#include "link_fixture.h"
#include "shell/file_dialogs.h"
#include "shell/param_file.h"
#include "support/temp_dir.h"

namespace j5test {
namespace {

using sim::Fault;
using sim::FrameKind;
using sim::Misbehaviour;

struct Write : Link_Fixture {
  j5::Form_Comm_Write& w = program.Form_Comm_Write.load();

  Write() { j5::Init_Factory_Image(data); }
  bool idle() const { return !w.Link.Link_Busy() && !d.messageBoxes().empty(); }
  std::vector<sim::LogEntry> rowFrames() const {
    std::vector<sim::LogEntry> out;
    for (const auto& e : radio.log())
      if (e.direction == sim::Direction::ToRadio &&
          (e.kind == FrameKind::DataFrame || e.kind == FrameKind::ShortRowFrame))
        out.push_back(e);
    return out;
  }
  // The rows the write sends.
  static std::vector<int> sentRows() {
    std::vector<int> rows;
    for (const auto& run : j5::Row_Skip_List)
      for (int r = run.first; r <= run.last; ++r) rows.push_back(r);
    return rows;
  }
  // Presses Write and runs the write to its end; the image as it stood once Write had repaired it.
  j5::MemImage writeAll() {
    d.click(w.Command_Write);
    const j5::MemImage start = data.Mem_Image;
    EXPECT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
    return start;
  }
};

TEST_F(Write, CompleteWriteSendsTheListedRowsInOrder) {
  // The factory image: seven channels, no names; give channel 40 a record and a name.
  for (std::size_t c = 0; c < 16; ++c) {
    data.Mem_Image(40, c) = static_cast<std::int16_t>(c + 1);
    data.Mem_Image(296, c) = static_cast<std::int16_t>(0x41 + c);
  }
  data.Mem_Image(500, 0) = 7;  // beyond the radio's rows: never sent
  d.click(w.Command_Write);
  EXPECT_EQ(w.Label_tr_count.caption(), "正在与对讲机联络 ！");
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "正在写入  0  数据块"; }, 2000));
  EXPECT_EQ(w.ProgressBar1.value(), 0);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  EXPECT_EQ(w.Label_tr_count.caption(), "参数写入完毕 ！");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  EXPECT_FALSE(w.Link.MSC.portOpen());

  std::vector<int> rows;
  for (const auto& run : j5::Row_Skip_List)
    for (int r = run.first; r <= run.last; ++r) rows.push_back(r);
  const auto frames = rowFrames();
  ASSERT_EQ(frames.size(), 321u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int r = rows[i];
    const auto& f = frames[i];
    ASSERT_EQ(f.bytes[1] << 8 | f.bytes[2], r * 16) << i;
    const bool shortRow = (r >= 7 && r < 128 && r != 40) || (r > 256 && r != 296);
    EXPECT_EQ(f.kind, shortRow ? FrameKind::ShortRowFrame : FrameKind::DataFrame) << "row " << r;
    EXPECT_EQ(f.bytes.size(), shortRow ? 5u : 20u) << "row " << r;
    for (std::size_t c = 0; c < (shortRow ? 1u : 16u); ++c)
      EXPECT_EQ(radio.memory().at(static_cast<std::uint16_t>(r * 16 + c)), data.Mem_Image(r, c))
          << "row " << r;
  }
  // Rows off the list stay as the radio had them.
  for (int r : {129, 159, 207, 223, 233, 247, 255, 385})
    EXPECT_EQ(radio.memory().at(static_cast<std::uint16_t>(r * 16)), 0xFF) << r;
  // Before the frames: seven code bytes, STX and the identification's ACK.
  const auto sent = sentBytes();
  EXPECT_EQ(
      std::vector<std::uint8_t>(sent.begin(), sent.begin() + 9),
      (std::vector<std::uint8_t>{0x50, 0x52, 0x4F, 0x47, 0x4A, 0x35, 0x4B, j5::STX, j5::ACK}));
}

TEST_F(Write, RepairsTheImageFirstEvenWhenThePortFails) {
  data.Mem_Image(231, 6) = 100;  // work channel pointing at an empty channel
  data.Mem_Image(244, 0) = 0;
  data.Comm_Port = 9;
  d.click(w.Command_Write);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"通讯端口打开错误，请正确设置通讯端口 ！"});
  EXPECT_NE(data.Mem_Image(231, 6), 100);
  EXPECT_NE(data.Mem_Image(244, 0), 0);
  EXPECT_TRUE(sentBytes().empty());
}

// A value that is no byte in a row that would go out stops the write before anything is sent.
struct BadValue {
  int row, col, value;
  bool refused;
  friend void PrintTo(const BadValue& b, std::ostream* os) {
    *os << "row " << b.row << " col " << b.col << " = " << b.value;
  }
};

class WriteValues : public Write, public ::testing::WithParamInterface<BadValue> {};

TEST_P(WriteValues, NoValueOutsideByteRangeReachesTheRadio) {
  const auto& p = GetParam();
  data.Mem_Image(p.row, p.col) = static_cast<std::int16_t>(p.value);
  d.click(w.Command_Write);
  if (p.refused) {
    ASSERT_EQ(d.messageBoxes().size(), 1u);
    EXPECT_EQ(d.lastMessageBox().text,
              "参数文件第 " + std::to_string(p.row + 1) +
                  " 行含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！");
    EXPECT_FALSE(w.Link.Link_Busy());
    EXPECT_FALSE(w.Link.MSC.portOpen());
    d.advance(3000);
    EXPECT_TRUE(sentBytes().empty());
  } else {
    ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  }
}

INSTANTIATE_TEST_SUITE_P(Link, WriteValues,
                         ::testing::Values(BadValue{5, 3, 300, true}, BadValue{0, 15, -1, true},
                                           BadValue{384, 0, 256, true},
                                           BadValue{200, 0, -32768, true},
                                           // not sent: a row off the list, a short row's tail
                                           BadValue{207, 0, 999, false},
                                           BadValue{300, 4, 999, false}));

// A value that is no byte put into a row still to go while the write runs (a file loaded
// meanwhile) does not reach the radio: the write sends the image as it stood at its start and
// completes; the next write refuses the value.
TEST_F(Write, AValueOutsideByteRangeArrivingDuringTheWriteWaitsForTheNextWrite) {
  d.click(w.Command_Write);
  const j5::MemImage start = data.Mem_Image;
  ASSERT_TRUE(d.advanceUntil([&] { return rowFrames().size() > 10; }, 5000));
  data.Mem_Image(200, 3) = 999;
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  EXPECT_EQ(rowFrames().size(), 321u);
  EXPECT_TRUE(Radio_Holds(start, sentRows()));
  d.clearMessageBoxes();
  d.click(w.Command_Write);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"参数文件第 201 行含有 0 至 255 "
                                                  "以外的数值，未向对讲机写入任何数据 ！"});
  EXPECT_FALSE(w.Link.Link_Busy());
}

// A parameter file loaded while the write runs (through an open dialog shown before it began):
// the radio ends holding the image as it stood when the write began, the editors show the file,
// and the next write sends the file.
TEST_F(Write, AFileConfirmedDuringTheWriteWaitsAndReachesTheNextWrite) {
  j5::test::TempDir dir;
  j5::MemImage file = data.Mem_Image;
  for (int r = 100; r < 128; ++r)
    for (std::size_t c = 0; c < 16; ++c) {
      file(static_cast<std::size_t>(r), c) = static_cast<std::int16_t>((r + c) % 10);
      file(static_cast<std::size_t>(r + 256), c) = static_cast<std::int16_t>(0x41 + c);
    }
  file(200, 3) = 0x33;
  j5::test::writeFile(dir / "other.dat", j5::Param_File_Text(file));
  platform.setCurrentDirectory(dir.path());
  d.click(program.MDImain->File_Open);
  j5::File_Dialog& open = *program.Form_open_chann;

  d.click(w.Command_Write);
  const j5::MemImage start = data.Mem_Image;
  ASSERT_TRUE(d.advanceUntil([&] { return rowFrames().size() > 10; }, 5000));
  d.focus(open.Text1);
  d.selectAll();
  d.type("other.dat");
  d.click(open.Command_enter);
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"正在与对讲机进行读写操作，读写结束后才能打开文件 ！"});
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 20000));
  EXPECT_EQ(d.lastMessageBox().text, "向对讲机写入参数完毕 ！");
  EXPECT_TRUE(Radio_Holds(start, sentRows()));
  EXPECT_EQ(data.Mem_Image, start);

  d.click(open.Command_enter);
  EXPECT_EQ(d.lastMessageBox().text, "参数从文件调入成功 ！");
  auto row = [](const j5::MemImage& image, int r) {
    const auto cells = image.row(static_cast<std::size_t>(r)).first(16);
    return std::vector<int>(cells.begin(), cells.end());
  };
  for (int r : {100, 127, 200, 356, 383}) EXPECT_EQ(row(data.Mem_Image, r), row(file, r)) << r;
  d.clearMessageBoxes();
  const j5::MemImage next = writeAll();
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  EXPECT_TRUE(Radio_Holds(next, sentRows()));
  EXPECT_FALSE(Radio_Holds(start, sentRows()));
}

// File > Open, its toolbar button and Ctrl+O while the write runs: refused with the message
// before the dialog shows; the write completes with the image it began with, and once it has
// ended the dialog opens again.
TEST_F(Write, FileOpenIsRefusedWhileTheWriteRuns) {
  j5::MDImain& m = *program.MDImain;
  const struct {
    const char* way;
    bool chinese;
    std::function<void()> press;
  } ways[] = {
      {"File > Open", true, [&] { d.click(m.File_Open); }},
      {"toolbar", true, [&] { d.clickToolbar(m.Toolbar1, "open"); }},
      {"Ctrl+O", true, [&] { d.shortcut(m, "Ctrl+O"); }},
      {"Ctrl+O in English", false, [&] { d.shortcut(m, "Ctrl+O"); }},
  };
  for (const auto& c : ways) {
    SCOPED_TRACE(c.way);
    set_language(c.chinese);
    radio.clearLog();
    radio.memory().erase();
    d.clearMessageBoxes();
    d.click(w.Command_Write);
    const j5::MemImage start = data.Mem_Image;
    d.advance(1000);
    ASSERT_TRUE(w.Link.Link_Busy());
    c.press();
    EXPECT_EQ(box_texts(),
              std::vector<std::string>{
                  c.chinese ? "正在与对讲机进行读写操作，读写结束后才能打开文件 ！"
                            : "Read-write operating with transceiver; a file can be opened when "
                              "it has ended."});
    const auto& boxes = d.messageBoxes();
    EXPECT_EQ(boxes.empty() ? "" : boxes.back().title, c.chinese ? "操作提示" : "Operate prompt");
    EXPECT_FALSE(program.Form_open_chann.loaded());
    ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 20000));
    EXPECT_EQ(d.messageBoxes().size(), 2u);
    EXPECT_EQ(rowFrames().size(), 321u);
    EXPECT_TRUE(Radio_Holds(start, sentRows()));
    c.press();
    EXPECT_TRUE(program.Form_open_chann.loaded());
    EXPECT_EQ(d.messageBoxes().size(), 2u);
    program.Form_open_chann.unload();
  }
}

TEST_F(Write, EnglishRefusalOfAValueOutsideByteRange) {
  data.Lang_Chn = j5::kFalse;
  data.Mem_Image(3, 3) = 256;
  d.click(w.Command_Write);
  // The line the user finds the value on in the parameter file, counted as the load counts it.
  EXPECT_EQ(d.lastMessageBox().text,
            "Line 4 of the parameter file holds a value outside 0 to 255; nothing was written to "
            "the transceiver.");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
}

TEST_F(Write, FrameAnsweredWithAnotherByteStopsTheWrite) {
  radio.inject(
      {.what = Misbehaviour::WrongFirstByte, .answering = FrameKind::DataFrame, .skip = 10});
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 20000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"与对讲机联络失败 ！"});
  EXPECT_EQ(rowFrames().size(), 11u);  // no retry
  EXPECT_EQ(w.Label_tr_count.caption(), "与对讲机通讯故障 ！");
  EXPECT_FALSE(w.ProgressBar1.visible());
  // After a failed write the bar stays hidden until the radio has acknowledged row 0.
  radio.clearFaults();
  d.clearMessageBoxes();
  d.click(w.Command_Write);
  EXPECT_FALSE(w.ProgressBar1.visible());
  ASSERT_TRUE(d.advanceUntil([&] { return w.ProgressBar1.visible(); }, 2000));
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
}

// The radio goes away in the middle of the write (its line hangs up): the write ends in the
// time-out as always, and its report says that the radio holds only part of the write.
TEST_F(Write, ALineThatHangsUpMidWriteSaysTheRadioIsOnlyPartlyWritten) {
  for (bool chinese : {true, false}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    data.Lang_Chn = chinese ? j5::kTrue : j5::kFalse;
    d.clearMessageBoxes();
    d.click(w.Command_Write);
    ASSERT_TRUE(d.advanceUntil([&] { return rowFrames().size() >= 40; }, 20000));
    platform.hangUp(1);
    ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
    EXPECT_EQ(box_texts(),
              std::vector<std::string>{
                  chinese ? "与对讲机的连接中断，写入停止，对讲机只写入了一部分 ！"
                          : "The line to the transceiver was lost; the write stopped, so the "
                            "transceiver is only partly written."});
    EXPECT_EQ(w.Label_tr_count.caption(), chinese ? "与对讲机通讯故障 ！" : "Communication fault.");
    EXPECT_FALSE(w.Link.MSC.portOpen());
    radio.clearLog();
  }
}

// Write pressed again between a time-out and its failure report, with the port gone: the press
// says so, and the failed write keeps its report, which the language switch waits for.
TEST_F(Write, APressThatFindsNoPortLeavesTheFailedWriteItsReport) {
  radio.inject({.what = Misbehaviour::Silence, .answering = FrameKind::DataFrame});
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 5000));
  data.Comm_Port = 9;
  d.click(w.Command_Write);
  d.click(program.MDImain->Language_eng);
  EXPECT_EQ(data.Lang_Chn, j5::kTrue);
  ASSERT_TRUE(d.advanceUntil([&] { return d.messageBoxes().size() > 2; }, 2000));
  EXPECT_EQ(box_texts(),
            (std::vector<std::string>{"通讯端口打开错误，请正确设置通讯端口 ！",
                                      "正在与对讲机进行读写操作，读写结束后才能切换语言 ！",
                                      "与对讲机联络失败 ！"}));
  d.click(program.MDImain->Language_eng);
  EXPECT_EQ(data.Lang_Chn, j5::kFalse);
}

// The radio answers every frame with two ACKs: the second reaches the tool while the next frame
// still waits to leave, and answers nothing. Every row goes out once, in order, and the radio
// holds them all.
TEST_F(Write, AnAckBeforeTheFrameHasGoneOutAnswersNothing) {
  radio.inject({.what = Misbehaviour::ExtraByte,
                .answering = FrameKind::DataFrame,
                .count = Fault::kAlways,
                .byte = j5::ACK});
  const j5::MemImage start = writeAll();
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  const std::vector<int> rows = sentRows();
  const auto frames = rowFrames();
  ASSERT_EQ(frames.size(), rows.size());
  for (std::size_t i = 0; i < frames.size(); ++i)
    EXPECT_EQ(frames[i].bytes[1] << 8 | frames[i].bytes[2], rows[i] * 16) << i;
  EXPECT_TRUE(Radio_Holds(start, rows));
}

TEST_F(Write, AnAckWithinTheSecondLetsTheWriteGoOn) {
  radio.inject(
      {.what = Misbehaviour::Late, .answering = FrameKind::DataFrame, .skip = 3, .delay = 900'000});
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  EXPECT_EQ(rowFrames().size(), 321u);
}

// The toolbar's write button while a write runs: the window refuses to close, and the write
// goes on under that box to its end (the radio is not left half written).
TEST_F(Write, ARefusedCloseLeavesTheWriteRunningUnderItsBox) {
  j5::MDImain& m = *program.MDImain;
  d.click(w.Command_Write);
  d.advance(1000);
  ASSERT_TRUE(w.Link.Link_Busy());
  Wait_Under_Refused_Close([&] { d.clickToolbar(m.Toolbar1, "write"); }, 20000);
  EXPECT_EQ(box_texts(), (std::vector<std::string>{"正在进行读写操作,请勿关窗口 ！,",
                                                   "向对讲机写入参数完毕 ！"}));
  EXPECT_EQ(rowFrames().size(), 321u);
  EXPECT_FALSE(w.Link.Link_Busy());
}

TEST_F(Write, WriteAndCancelWhileBusy) {
  d.click(w.Command_Write);
  d.advance(1000);
  ASSERT_TRUE(w.Link.Link_Busy());
  data.Mem_Image(231, 6) = 100;  // Write while busy does not repair the image again
  d.click(w.Command_Write);
  EXPECT_EQ(data.Mem_Image(231, 6), 100);
  d.click(w.Command_Cancel);
  EXPECT_EQ(data.Win_Comm_Write, j5::kFalse);
  EXPECT_EQ(box_texts(), (std::vector<std::string>{"正在与对讲机进行读写操作 ！",
                                                   "正在进行读写操作,请勿关窗口 ！,"}));
  EXPECT_TRUE(program.Form_Comm_Write.loaded());
  d.clearMessageBoxes();
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 20000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"向对讲机写入参数完毕 ！"});
  EXPECT_EQ(rowFrames().size(), 321u);
}

}  // namespace
}  // namespace j5test
