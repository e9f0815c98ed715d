// The channel window's own transfer (its buttons are never shown, so the tests press them through
// their handlers) against the simulated radio, and its channel file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "chann_fixture.h"
#include "link/Form_Comm_Write.h"
#include "support/temp_dir.h"

namespace j5::chann_test {
namespace {

using sim::FrameKind;
namespace fs = std::filesystem;

sim::Fault Fault(sim::Misbehaviour what, std::optional<FrameKind> answering, int count = 1) {
  sim::Fault f;
  f.what = what;
  f.answering = answering;
  f.count = count;
  return f;
}

struct ChannTransfer : ::testing::Test, ChannFixture {
  explicit ChannTransfer(int total = 128) : ChannFixture(total, false, sim::IdentForm::Ident8) {
    Fill_Access_Code(data);
    // Every radio byte of the channel memory different from its neighbours.
    for (int a = 0; a < 0x1800; ++a)
      radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + a / 256));
    open();
    d.clearMessageBoxes();
  }
  void runUntilIdle(double maxMs = 30000) {
    ASSERT_TRUE(d.advanceUntil([&] { return !w->Link.Link_Busy(); }, maxMs));
    d.advance(5000);  // a retry or a failure report that follows
  }
  int radioByte(int address) const {
    return radio.memory().read(static_cast<std::uint16_t>(address), 1)[0];
  }
};

TEST_F(ChannTransfer, ButtonsStayHidden) {
  EXPECT_FALSE(w->Command_read.visible());
  EXPECT_FALSE(w->Command_Write.visible());
  EXPECT_FALSE(w->ProgressBar1.visible());
}

// 128 channels: 33 block pairs, channel halves 0x0000-0x0800 and name halves 0x1000-0x1800; the
// image takes the replies only at the end, the 33rd pair not at all.
TEST_F(ChannTransfer, ReadFetchesChannelAndNamePairs) {
  const int row128 = data.Mem_Image(128, 0);
  const std::vector<int> first = record(0);
  w->Command_read.Click();
  EXPECT_TRUE(w->ProgressBar1.visible());
  EXPECT_EQ(w->Label_tr_count.caption(), "Connecting with transceiver. ");
  d.advance(1000);
  EXPECT_EQ(record(0), first);
  EXPECT_EQ(w->Label_tr_count.caption().rfind("Reading ", 0), 0u);
  runUntilIdle();
  const auto requests = toRadio(FrameKind::ReadRequest);
  ASSERT_EQ(requests.size(), 66u);
  for (std::size_t i = 0; i < requests.size(); ++i) {
    const int address = (i % 2 ? 0x1000 : 0) + static_cast<int>(i / 2) * 64;
    EXPECT_EQ(requests[i].bytes,
              (std::vector<std::uint8_t>{0x53, static_cast<std::uint8_t>(address >> 8),
                                         static_cast<std::uint8_t>(address & 0xFF), 0x40}))
        << i;
  }
  // The code goes out once, all eight bytes (the radio takes the last as its cue), and the first
  // request behind an ACK.
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 1u);
  EXPECT_EQ(toRadio(FrameKind::Stx).size(), 1u);
  EXPECT_EQ(toRadio(FrameKind::Ack).size(), 1u + 66u);  // the cue, then one for each reply
  for (int ch : {0, 1, 63, 127}) {
    for (int k = 0; k < 16; ++k) {
      EXPECT_EQ(data.Mem_Image(ch, k), radioByte(ch * 16 + k)) << ch;
      EXPECT_EQ(data.Mem_Image(256 + ch, k), radioByte(0x1000 + ch * 16 + k)) << ch;
    }
  }
  EXPECT_EQ(data.Mem_Image(128, 0), row128);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading data from the transceiver."});
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
  EXPECT_EQ(w->Label_tr_count.caption(), "Read Channel Data is Ok ！");
  EXPECT_EQ(program.Panel(2), "Connect well with radio.");
  EXPECT_FALSE(w->MSC.portOpen());
}

// The user changes the count in another window while the read runs and comes back (the grid
// follows the count): the read stores the channels it covered and the window then shows what a
// fresh one shows, also where the grid now has fewer rows than the read covered.
TEST_F(ChannTransfer, ReadShowsTheCountChangedWhileItRan) {
  for (const auto& [before, after] : {std::pair{128, 10}, {10, 128}}) {
    SCOPED_TRACE(std::to_string(before) + " then " + std::to_string(after));
    data.Chann_Total = static_cast<std::int16_t>(before);
    open();
    d.clearMessageBoxes();
    w->Command_read.Click();
    d.advance(1000);
    leaveAndReturn([&] { data.Chann_Total = static_cast<std::int16_t>(after); });
    runUntilIdle();
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading data from the transceiver."});
    for (int ch = 0; ch < before; ++ch)
      EXPECT_EQ(data.Mem_Image(ch, 3), radioByte(ch * 16 + 3)) << ch;
    ASSERT_EQ(grid().rows(), after + 1);
    std::vector<std::vector<std::string>> shown;
    for (int r = 1; r <= after; ++r) shown.push_back(cells(r, 0, 13));
    program.frm_chann.unload();
    open();
    for (int r = 1; r <= after; ++r) EXPECT_EQ(cells(r, 0, 13), shown[r - 1]) << r;
  }
}

// Each channel's record then its name row, behind an ACK; rows beginning with 0xFF as short frames,
// except the very first frame.
TEST_F(ChannTransfer, WriteSendsRecordsAndNames) {
  data.Chann_Total = 5;
  open();
  setRecord(0, std::vector<int>(16, 0xFF));
  setName(0, std::vector<int>(16, 0xFF));
  setRecord(1, {0x00, 0x50, 0x45, 0x14});
  w->Command_Write.Click();
  runUntilIdle();
  const auto frames = toRadio(FrameKind::DataFrame);
  const auto shorts = toRadio(FrameKind::ShortRowFrame);
  ASSERT_EQ(frames.size() + shorts.size(), 10u);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames[0].bytes[1], 0x00);  // channel 1's empty record still goes out whole
  EXPECT_EQ(frames[0].bytes[4], 0xFF);
  EXPECT_EQ(shorts.at(0).bytes, (std::vector<std::uint8_t>{0x58, 0x10, 0x00, 0x01, 0xFF}));
  for (int ch = 1; ch < 5; ++ch)
    for (int k = 0; k < 16; ++k) {
      if (data.Mem_Image(ch, 0) != 0xFF) {
        EXPECT_EQ(radioByte(ch * 16 + k), data.Mem_Image(ch, k));
      }
      if (data.Mem_Image(256 + ch, 0) != 0xFF) {
        EXPECT_EQ(radioByte(0x1000 + ch * 16 + k), data.Mem_Image(256 + ch, k));
      }
    }
  EXPECT_EQ(radioByte(0x10), 0x00);
  EXPECT_EQ(radioByte(0x11), 0x50);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete writing the data to transceiver."});
  EXPECT_EQ(w->Label_tr_count.caption(), "Channel Data Writed ！");
}

// Silence, a wrong identification, a refused write: after the time-out the transfer is tried once
// more from the code, then reported; the image stays as it was.
TEST_F(ChannTransfer, FailuresAreRetriedOnceThenReported) {
  struct Case {
    const char* name;
    bool write;
    std::function<void(sim::Radio&)> fault;
  };
  const std::vector<Case> cases = {
      {"silence", false,
       [](sim::Radio& r) { r.inject(Fault(sim::Misbehaviour::Silence, std::nullopt, -1)); }},
      {"14-byte identification", false,
       [](sim::Radio& r) { r.config().identForm = sim::IdentForm::Ident14; }},
      {"short reply", false,
       [](sim::Radio& r) {
         r.inject(Fault(sim::Misbehaviour::ShortFrame, FrameKind::ReadRequest, -1));
       }},
      {"refused write", true, [](sim::Radio& r) {
         r.inject(Fault(sim::Misbehaviour::WrongFirstByte, FrameKind::DataFrame, -1));
       }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    radio.config().identForm = sim::IdentForm::Ident8;
    radio.clearFaults();
    radio.reset();
    radio.clearLog();
    c.fault(radio);
    d.clearMessageBoxes();
    program.Set_Panel(2, "");
    const MemImage before = data.Mem_Image;
    (c.write ? w->Command_Write : w->Command_read).Click();
    ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 60000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Fail connect with transceiver."});
    EXPECT_EQ(program.Panel(2), "Communication fault.");
    EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 2u);
    EXPECT_FALSE(w->MSC.portOpen());
    EXPECT_FALSE(w->Link.Link_Busy());
    for (std::size_t r = 0; r < 400; ++r) {
      ASSERT_TRUE(
          std::equal(before.row(r).begin(), before.row(r).end(), data.Mem_Image.row(r).begin()));
    }
  }
}

TEST_F(ChannTransfer, BusyAndPortErrors) {
  w->Command_read.Click();
  d.advance(50);
  w->Command_Write.Click();
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Read-write operating with transceiver ."});
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 1u);
  w->Show_Open_Chann();
  EXPECT_FALSE(program.Form_open_chann.loaded());
  runUntilIdle();

  d.clearMessageBoxes();
  data.Comm_Port = 9;
  w->Command_read.Click();
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{
                "Communication port is error, please setting right communication port . ！"});
  EXPECT_EQ(data.Port_Error, kTrue);
  EXPECT_FALSE(w->Link.Link_Busy());
}

// The window's own write is not dropped half-way without a word: its Close button, its close box
// and the menu command that rebuilds it are refused while the write runs, which then ends.
TEST_F(ChannTransfer, ClosingIsRefusedWhileItsOwnTransferRuns) {
  data.Chann_Total = 64;
  open();
  MDImain& m = *program.MDImain;
  const struct {
    const char* way;
    std::function<void()> press;
  } ways[] = {
      {"Close", [&] { w->Command_close.Click(); }},
      {"close box", [&] { w->unload(); }},
      {"Channel_edit", [&] { d.click(m.Channel_edit); }},
  };
  for (const auto& c : ways) {
    SCOPED_TRACE(c.way);
    radio.clearLog();
    d.clearMessageBoxes();
    frm_chann* before = w;
    w->Command_Write.Click();
    d.advance(1000);
    ASSERT_TRUE(w->Link.Link_Busy());
    c.press();
    EXPECT_EQ(box_texts(),
              std::vector<std::string>{"Read-write operating，don't close the window.,"});
    ASSERT_TRUE(program.frm_chann.loaded());
    EXPECT_EQ(&*program.frm_chann, before);
    EXPECT_EQ(data.Win_Chann, kTrue);
    runUntilIdle();
    EXPECT_EQ(toRadio(FrameKind::DataFrame).size() + toRadio(FrameKind::ShortRowFrame).size(),
              128u);
    EXPECT_EQ(d.lastMessageBox().text, "Complete writing the data to transceiver.");
  }
}

// A value that is no byte (from a hand-written parameter file) stops the write before anything
// goes out; a short row needs only its first byte.
TEST_F(ChannTransfer, WriteRefusesValuesThatAreNoByte) {
  data.Chann_Total = 3;
  open();
  setRecord(1, {0xFF, 300});
  setName(2, {0x41, 0x42, -1});
  w->Command_Write.Click();
  ASSERT_EQ(d.messageBoxes().size(), 1u);
  EXPECT_NE(d.lastMessageBox().text.find("nothing was written"), std::string::npos);
  EXPECT_FALSE(w->Link.Link_Busy());
  EXPECT_FALSE(w->MSC.portOpen());
  EXPECT_TRUE(radio.log().empty());
}

// The rows of the window's own write: the channel records and their names.
std::vector<int> Channel_Rows() {
  std::vector<int> rows = j5test::Row_Range(0, 127);
  for (int r = 256; r <= 383; ++r) rows.push_back(r);
  return rows;
}

// Channel 100 (grid row 101) as the user programs it before a write.
void Program_Channel_100(ChannFixture& f) {
  f.typeInto(101, frm_chann::kColRx, "150");
  f.typeInto(101, frm_chann::kColName, "OLD");
  f.clickAway();
}

// The window's own write is tried once more after a time-out: the restart sends the channels as
// they stood when the write began, whatever the Default button and the grid did in the pause;
// the grid and the image keep what the user did.
TEST_F(ChannTransfer, ARestartSendsTheChannelsTheWriteBeganWith) {
  Program_Channel_100(*this);
  sim::Fault silent = Fault(sim::Misbehaviour::Silence, FrameKind::DataFrame);
  silent.skip = 20;
  radio.inject(silent);
  w->Command_Write.Click();
  const MemImage start = data.Mem_Image;
  ASSERT_TRUE(
      d.advanceUntil([&] { return !w->Link.Link_Busy() && w->Transfer.Exchange_Open(); }, 10000));
  d.click(w->Command_def);
  typeInto(4, frm_chann::kColRx, "160");
  clickAway();
  const std::vector<std::string> shown = cells(4);
  ASSERT_EQ(data.Mem_Image(100, 0), 0xFF);
  ASSERT_TRUE(d.advanceUntil([&] { return !w->Transfer.Exchange_Open(); }, 30000));
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 2u);
  EXPECT_EQ(d.lastMessageBox().text, "Complete writing the data to transceiver.");
  EXPECT_TRUE(Radio_Holds(start, Channel_Rows()));
  EXPECT_EQ(cells(4), shown);
  EXPECT_EQ(data.Mem_Image(100, 0), 0xFF);
}

// A grid edit or the Default button while a write of the channels runs (the whole write, or the
// window's own): the radio ends holding the channels as they stood when the write began, the
// grid and the image keep what the user did, and the next write sends that.
TEST(ChannWriteWhileEditing, TheRadioHoldsTheChannelsTheWriteBeganWith) {
  const struct {
    const char* name;
    bool whole;
    bool defaults;
  } cases[] = {
      {"whole write, grid edit", true, false},
      {"whole write, Default", true, true},
      {"own write, grid edit", false, false},
      {"own write, Default", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChannFixture f(128, false, c.whole ? sim::IdentForm::Ident14 : sim::IdentForm::Ident8);
    Fill_Access_Code(f.data);
    frm_chann& w = f.open();
    Program_Channel_100(f);
    Form_Comm_Write* whole = c.whole ? &f.program.Form_Comm_Write.load() : nullptr;
    std::vector<int> rows = Channel_Rows();
    if (whole) {
      rows.clear();
      for (const Row_Run& run : Row_Skip_List)
        for (int r = run.first; r <= run.last; ++r) rows.push_back(r);
    }
    const Link_Engine& link = whole ? whole->Link : w.Link;
    // The write to its end; the image it began with.
    auto write = [&](const std::function<void()>& meanwhile) {
      f.d.clearMessageBoxes();
      if (whole)
        f.d.click(whole->Command_Write);
      else
        w.Command_Write.Click();
      const MemImage start = f.data.Mem_Image;
      f.d.advance(500);
      EXPECT_TRUE(link.Link_Busy());
      meanwhile();
      EXPECT_TRUE(f.d.advanceUntil([&] { return !link.Link_Busy(); }, 30000));
      EXPECT_EQ(f.box_texts(),
                std::vector<std::string>{whole ? "Complete writing parameters to the transceiver."
                                               : "Complete writing the data to transceiver."});
      return start;
    };
    const MemImage start = write([&] {
      if (c.defaults) {
        f.d.click(w.Command_def);
      } else {
        f.typeInto(101, frm_chann::kColRx, "160");
        f.typeInto(101, frm_chann::kColName, "NEW");
        f.clickAway();
      }
    });
    const std::vector<std::string> shown = f.cells(101);
    EXPECT_TRUE(f.Radio_Holds(start, rows));
    EXPECT_EQ(f.cells(101), shown);
    EXPECT_NE(f.record(100), std::vector<int>(start.row(100).begin(), start.row(100).begin() + 16));
    const MemImage next = write([] {});
    EXPECT_TRUE(f.Radio_Holds(next, rows));
    EXPECT_EQ(f.cells(101), shown);
    EXPECT_FALSE(f.Radio_Holds(start, rows));
  }
}

// The second name decoder writes into the name column of the rows the grid has.
TEST_F(ChannTransfer, SecondNameDecoderFillsTheNameColumn) {
  w->Command_read.Click();
  runUntilIdle();
  // A name frame for channels 1 to 4 (address 0x1000) with a name of its own code in the first.
  const std::vector<int> code = {1, 2, 17, 37, 251, 253};
  for (std::size_t j = 0; j < code.size(); ++j)
    data.Name_Block_Buf(2, 5 + j) = static_cast<std::int16_t>(code[j]);
  data.Name_Block_Buf(3, 2) = 0x10 + 40;  // past the channel memory: the decoder stops there
  w->Decode_Name_Frames();
  EXPECT_EQ(cell(1, frm_chann::kColName), "12AU+-");
  EXPECT_EQ(grid().cols(), frm_chann::kColumns);
}

// ---- Channel files -------------------------------------------------------------------------

struct ChannFile : ChannTransfer {
  test::TempDir dir;
  void load(const std::string& path) {
    data.File_Path = path;
    data.Open_Adj_Req = kTrue;
    w->Poll_File_Req();
    EXPECT_EQ(data.Open_Adj_Req, kFalse);
  }
  void save(const std::string& path) {
    data.File_Path = path;
    data.Save_Adj_Req = kTrue;
    w->Poll_File_Req();
  }
};

TEST_F(ChannFile, RoundTripOfRowsZeroTo494) {
  const std::string path = dir / "chann.dat";
  data.Mem_Image(5, 3) = 0x42;
  data.Mem_Image(494, 15) = 7;
  data.Mem_Image(495, 0) = 9;
  save(path);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete storing  parameter."});
  const std::string text = test::readFile(path);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 496);
  EXPECT_FALSE(w->ProgressBar1.visible());

  const MemImage saved = data.Mem_Image;
  data.Mem_Image(5, 3) = 0;
  data.Mem_Image(494, 15) = 0;
  data.Mem_Image(495, 0) = 1;
  setRecord(2, {0xFF});
  d.clearMessageBoxes();
  load(path);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Succeed fold the parameter from file."});
  for (std::size_t r = 0; r < 495; ++r)
    ASSERT_TRUE(
        std::equal(saved.row(r).begin(), saved.row(r).begin() + 16, data.Mem_Image.row(r).begin()))
        << r;
  EXPECT_EQ(data.Mem_Image(495, 0), 1);  // the last line is written, not read
  EXPECT_EQ(grid().rows(), 129);
  EXPECT_EQ(cell(128, 0), "127");
  EXPECT_NE(cell(3, frm_chann::kColRx), "");
}

TEST_F(ChannFile, BadFilesAreRefusedAndChangeNothing) {
  const std::string good = dir / "good.dat";
  save(good);
  const std::string text = test::readFile(good);
  auto replacing = [&](const std::string& from, const std::string& to) {
    std::string t = text;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
  };
  auto file = [](std::string bytes) {
    return [bytes](const std::string& p) { test::writeFile(p, bytes); };
  };
  const std::vector<Case> cases = {
      {"empty", file("")},
      {"short", file(text.substr(0, text.size() / 2))},
      {"letters", file(replacing(" 255 ", " abc "))},
      {"out of range", file(replacing(" 255 ", " 32768 "))},
      {"huge number", file(replacing(" 255 ", " 99999999999999999999999 "))},
      {"directory", [](const std::string& p) { fs::create_directory(p); }},
      {"not a plain file", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }},
      {"missing", [](const std::string&) {}},
  };
  data.Mem_Image(3, 3) = 77;
  const MemImage before = data.Mem_Image;
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir / ("bad" + std::to_string(n++) + ".dat");
    c.make(path);
    d.clearMessageBoxes();
    load(path);
    ASSERT_EQ(d.messageBoxes().size(), 1u);
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the parameter file.\n" + path, 0), 0u);
    for (std::size_t r = 0; r < 601; ++r)
      ASSERT_TRUE(
          std::equal(before.row(r).begin(), before.row(r).end(), data.Mem_Image.row(r).begin()));
  }
}

TEST_F(ChannFile, FailedSaveKeepsTheOldFile) {
  save(dir / "missing-folder/chann.dat");
  ASSERT_EQ(d.messageBoxes().size(), 1u);
  EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to store the parameter file.\n", 0), 0u);
}

}  // namespace
}  // namespace j5::chann_test
