// The tone windows' transfer against the simulated radio, and their signal files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/signalling/sig_file.h"
#include "support/temp_dir.h"
#include "tone_fixture.h"

namespace j5::tone_test {
namespace {

using sim::FrameKind;

struct Signalling : Tone_Fixture {
  bool idle(const Tone_Window& w) const { return !w.Transfer_Busy() && !d.messageBoxes().empty(); }
};

TEST_F(Signalling, TwoToneReadShowsTheRadiosBlock) {
  for (int a = 0; a < 0x300; ++a) radio.memory().set(static_cast<std::uint16_t>(0x2D00 + a), 0);
  radio.memory().set(0x2D00, 0xBD);
  radio.memory().set(0x2D01, 0x07);
  radio.memory().set(0x2E00, 4);  // code 1 slot 1: "B-C"
  radio.memory().set(0x2FF0, 9);  // reset 1000 ms
  frm_2tone& w = two();
  d.click(w.Command_read);
  EXPECT_EQ(w.Label_tr_count.caption(), "Connecting with transceiver. ");
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "Reading 3 Data Block"; }, 3000));
  EXPECT_EQ(w.ProgressBar1.value(), 23);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 10000));
  std::vector<int> addresses;
  for (const auto& e : toRadio(FrameKind::ReadRequest))
    addresses.push_back(e.bytes[e.bytes.size() - 3] << 8 | e.bytes[e.bytes.size() - 2]);
  std::vector<int> expected;
  for (int k = 0; k < 12; ++k) expected.push_back(0x2D00 + 64 * k);
  EXPECT_EQ(addresses, expected);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Read Signal parameters in gear. ");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 1), "1981.0");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 1), "B-C");
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "1000");
  EXPECT_EQ(program.Panel(8), "136--174 MHZ");
  EXPECT_EQ(data.VHF_High, 175);
  EXPECT_FALSE(w.MSC.portOpen());
  expect_image_untouched();
}

// The identification of the tone windows' opening writes longer texts into panels 4 and 10 than
// their shares of the screen hold: every panel shows its text whole, and the bar keeps its width.
TEST_F(Signalling, TheIdentificationsPanelsShowTheirTextsWhole) {
  frm_2tone& w = two();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 10000));
  EXPECT_EQ(program.Panel(4), "J5 HAN--DHELD --RADI");
  EXPECT_EQ(program.Panel(10), "400--520 MHZ");
  const kit::StatusBar& bar = program.MDImain->StatusBar1;
  double total = 0;
  for (int n = 1; n <= 11; ++n) {
    // Beside the text: the panel's sunken frame and the indent before it, four pixels.
    EXPECT_GE(bar.panel(n).width() - 60, kit::textWidthTwips(program.Panel(n)))
        << n << " " << program.Panel(n);
    total += bar.panel(n).width();
  }
  EXPECT_DOUBLE_EQ(total, 0.98 * platform.screen().width);
}

TEST_F(Signalling, FiveToneWriteSendsTheWholeStagedBlock) {
  frm_5tone& w = five();
  d.click(w.Command_Write);
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "Writing  0  Data Block"; }, 3000));
  EXPECT_EQ(w.ProgressBar1.value(), 0);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 20000));
  const auto frames = toRadio(FrameKind::DataFrame);
  ASSERT_EQ(frames.size(), 144u);
  EXPECT_EQ(frames[17].bytes[1], 0x21);
  EXPECT_EQ(frames[17].bytes[2], 0x10);
  for (int a = 0; a < 144 * 16; ++a)
    ASSERT_EQ(radio.memory().at(static_cast<std::uint16_t>(0x2000 + a)),
              w.Tone_Stage(a / 16, a % 16))
        << a;
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Complete writing Signal parameters to the transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Complete writing Signal parameters ");
  expect_image_untouched();
}

// What the other tone window and the adjustment window do while a transfer runs never reaches the
// rows of that transfer: a read still shows the radio's block, a write still sends its own.
TEST_F(Signalling, OtherWindowsLeaveARunningReadAlone) {
  for (int a = 0; a < 0x300; ++a) radio.memory().set(static_cast<std::uint16_t>(0x2D00 + a), 0);
  radio.memory().set(0x2D00, 0xBD);
  radio.memory().set(0x2D01, 0x07);
  radio.memory().set(0x2D18, 0xE8);  // code 2, second tone 1000 Hz
  radio.memory().set(0x2D19, 0x03);
  radio.memory().set(0x2E00, 4);  // code 1 slot 1: "B-C"
  radio.memory().set(0x2FF0, 9);  // reset 1000 ms
  frm_2tone& w = two();
  d.click(w.Command_read);
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "Reading 8 Data Block"; }, 5000));
  frm_5tone& other = five();
  d.click(other.Command_def);
  program.frm_Adj_Txp.load();
  d.runUntilIdle();
  ASSERT_TRUE(
      d.advanceUntil([&] { return !w.Transfer_Busy() && !d.messageBoxes().empty(); }, 10000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
  EXPECT_EQ(row_cells(w.MSF_Encode, 1, 1, 2), (std::vector<std::string>{"1981.0", ""}));
  EXPECT_EQ(row_cells(w.MSF_Encode, 2, 1, 2), (std::vector<std::string>{"", "1000.0"}));
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 1), "B-C");
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "1000");
}

TEST_F(Signalling, OtherWindowsLeaveARunningWriteAlone) {
  test::TempDir dir;
  std::string file;
  for (int i = 0; i < 144; ++i) file += " 77 ";
  test::writeFile(dir / "other.dat", file);
  frm_2tone& w = two();
  frm_5tone& other = five();
  d.clearMessageBoxes();
  d.click(w.Command_Write);
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "Writing  0  Data Block"; }, 3000));
  // The five-tone window finds the port taken; its file request comes while the write runs and
  // waits for its end.
  d.click(other.Command_Write);
  EXPECT_EQ(d.lastMessageBox().text.rfind("Communication", 0), 0u);
  data.File_Path = dir / "other.dat";
  data.Open_File_Req = kTrue;
  d.advance(1000);
  EXPECT_EQ(data.Open_File_Req, kTrue);
  d.click(other.Command_def);
  d.clearMessageBoxes();
  ASSERT_TRUE(
      d.advanceUntil([&] { return !w.Transfer_Busy() && !d.messageBoxes().empty(); }, 20000));
  EXPECT_EQ(box_texts(),
            std::vector<std::string>{"Complete writing Signal parameters to the transceiver."});
  auto radio_row = [&](int row) {
    std::vector<int> out;
    for (int c = 0; c < 16; ++c)
      out.push_back(radio.memory().at(static_cast<std::uint16_t>(0x2D00 + 16 * row + c)));
    return out;
  };
  // Encode codes 1 and 2 of the defaults: 1981 and 1124 Hz, 1197 and 1275 Hz.
  EXPECT_EQ(radio_row(0), (std::vector<int>{189, 7, 0, 0, 0, 0, 0, 0, 100, 4, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(radio_row(1), (std::vector<int>{173, 4, 0, 0, 0, 0, 0, 0, 251, 4, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(radio_row(3), (std::vector<int>{4, 6, 0, 0, 0, 0, 0, 0, 104, 6, 0, 0, 0, 0, 0, 0}));
  for (int row = 4; row < 9; ++row) EXPECT_EQ(radio_row(row), std::vector<int>(16, 0)) << row;
  d.advance(600);
  EXPECT_EQ(data.Open_File_Req, kFalse);
}

// A Write whose port does not open builds nothing: the stage keeps what it held (here a loaded
// file's row, which the grids cannot show whole).
TEST_F(Signalling, AWriteThatNeverStartsLeavesTheStageAlone) {
  frm_5tone& w = five();
  for (std::size_t c = 0; c < 16; ++c) w.Tone_Stage(40, c) = 77;
  data.Comm_Port = 9;
  d.click(w.Command_Write);
  EXPECT_EQ(d.lastMessageBox().text.rfind("Communication", 0), 0u);
  EXPECT_EQ(stage_row(40), std::vector<int>(16, 77));
  EXPECT_FALSE(w.Transfer_Busy());
}

// The identification is known by its end mark and its twelve digits; its first byte may be any.
TEST_F(Signalling, TheIdentificationsFirstByteMayBeAny) {
  frm_2tone& w = two();
  for (std::uint8_t first : {0x00, 0x55, 0xAB, 0xFF}) {
    SCOPED_TRACE(static_cast<int>(first));
    radio.clearLog();
    radio.inject({.what = sim::Misbehaviour::WrongFirstByte,
                  .answering = FrameKind::AltAccessCode,
                  .byte = first});
    d.clearMessageBoxes();
    d.click(w.Command_read);
    ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 10000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
    EXPECT_EQ(toRadio(FrameKind::AltAccessCode).size(), 1u);
    EXPECT_EQ(program.Panel(8), "136--174 MHZ");
    d.advance(100);
  }
}

TEST_F(Signalling, NoRadioTriesFourTimesThenReports) {
  radio.inject({sim::Misbehaviour::Silence, FrameKind::AltAccessCode, 0, sim::Fault::kAlways});
  frm_2tone& w = two();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 30000));
  EXPECT_EQ(toRadio(FrameKind::AltAccessCode).size(), 4u);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Fail connect with transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Communication fault.");
  EXPECT_EQ(w.ProgressBar1.value(), 0);
  EXPECT_FALSE(w.Transfer_Busy());
}

TEST_F(Signalling, ButtonsAndFileRequestsWaitForTheTransfer) {
  test::TempDir dir;
  frm_2tone& w = two();
  d.click(w.Command_Write);
  d.advance(200);
  for (kit::CommandButton* b :
       {&w.Command_read, &w.Command_def, &w.Command_open, &w.Command_close}) {
    d.clearMessageBoxes();
    d.click(*b);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Read-write operating with transceiver ."});
  }
  EXPECT_TRUE(program.frm_2tone.get() != nullptr);
  data.File_Path = dir / "x.dat";
  data.Save_File_Req = kTrue;
  d.advance(1000);
  EXPECT_EQ(data.Save_File_Req, kTrue);
  d.clearMessageBoxes();
  ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 20000));
  d.advance(600);
  EXPECT_EQ(data.Save_File_Req, kFalse);
  EXPECT_TRUE(std::filesystem::exists(dir / "x.dat"));
}

// The window's close box, and the main window's Exit and language switch, while a tone window's
// read runs: each is refused with its message, every window stays, and the read ends as usual.
TEST_F(Signalling, NothingClosesUnderATwoToneRead) {
  MDImain& m = *program.MDImain;
  const struct {
    const char* way;
    std::function<void()> press;
    const char* refusal;
  } ways[] = {
      {"close box", [&] { program.frm_2tone.unload(); }, "Read-write operating with transceiver ."},
      {"Exit", [&] { d.click(m.Menu_Exit); },
       "Read-write operating with transceiver; the program can be exited when it has ended."},
      {"Chinese", [&] { d.click(m.Language_chn); },
       "Read-write operating with transceiver; the language can be switched when it has ended."},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    frm_2tone& w = two();
    d.click(w.Command_read);
    d.advance(500);
    ASSERT_TRUE(w.Transfer_Busy());
    d.clearMessageBoxes();
    way.press();
    EXPECT_EQ(box_texts(), std::vector<std::string>{way.refusal});
    EXPECT_EQ(data.Lang_Chn, kFalse);
    EXPECT_TRUE(program.MDImain.loaded());
    ASSERT_EQ(program.frm_2tone.get(), &w);
    d.clearMessageBoxes();
    ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 20000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
  }
}

TEST_F(Signalling, SignalFileRoundTrip) {
  test::TempDir dir;
  frm_2tone& w = two();
  data.File_Path = dir / "sig.dat";
  data.Save_File_Req = kTrue;
  d.advance(500);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete storing Signal parameters."});
  const std::string text = test::readFile(dir / "sig.dat");
  EXPECT_EQ(text.substr(0, text.find("\r\n") + 2),
            " 189  7  0  0  0  0  0  0  100  4  0  0  0  0  0  0 \r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);

  // The same numbers on one line, with commas, load the same rows.
  std::string flat;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 16; ++c) flat += std::to_string((r * 16 + c) % 256) + ",";
  test::writeFile(dir / "flat.dat", flat);
  data.File_Path = dir / "flat.dat";
  data.Open_File_Req = kTrue;
  d.clearMessageBoxes();
  w.ProgressBar1.setVisible(true);
  d.advance(500);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Succeed fold the Signal parameters from file."});
  EXPECT_EQ(w.Tone_Stage(8, 15), 143);
  EXPECT_FALSE(w.ProgressBar1.visible());
  expect_image_untouched();
}

// A loaded file shows in the window, so the next save or write carries it: the two-tone window's
// rows are its encode codes 1 to 9, the five-tone window's the low bytes of the standards' tones.
TEST_F(Signalling, ALoadedSignalFileShowsAndIsSavedAgain) {
  test::TempDir dir;
  const std::string first = " 232  3  0  0  0  0  0  0  208  7  0  0  0  0  0  0 \r\n";
  std::string file = first;
  for (int r = 1; r < 9; ++r) file += " 0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 \r\n";
  test::writeFile(dir / "in.dat", file);
  frm_2tone& w = two();
  data.File_Path = dir / "in.dat";
  data.Open_File_Req = kTrue;
  d.advance(500);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Succeed fold the Signal parameters from file."});
  EXPECT_EQ(row_cells(w.MSF_Encode, 1, 1, 2), (std::vector<std::string>{"1000.0", "2000.0"}));
  for (int r = 2; r <= 9; ++r)
    EXPECT_EQ(row_cells(w.MSF_Encode, r, 1, 2), (std::vector<std::string>{"", ""})) << r;
  EXPECT_EQ(row_cells(w.MSF_Encode, 12, 1, 2), (std::vector<std::string>{"2200.0", "970.0"}));
  data.File_Path = dir / "out.dat";
  data.Save_File_Req = kTrue;
  d.advance(500);
  EXPECT_EQ(test::readFile(dir / "out.dat"), file);

  // Standard 0 (CCIR1), digit 0: 1981 Hz is 07 BD; a low byte of 232 makes it 2024 Hz.
  d.click(w.Command_close);
  frm_5tone& f = five();
  data.File_Path = dir / "five.dat";
  data.Save_File_Req = kTrue;
  d.advance(500);
  std::string saved = test::readFile(dir / "five.dat");
  ASSERT_EQ(saved.rfind(" 189 ", 0), 0u);
  test::writeFile(dir / "five.dat", " 232 " + saved.substr(5));
  data.Open_File_Req = kTrue;
  d.advance(500);
  d.pick(f.Combo_stxh, 0);
  EXPECT_EQ(f.Label_freq[0].caption(), "2024.0");
  EXPECT_EQ(f.Label_freq[1].caption(), "1124.0");
  data.File_Path = dir / "again.dat";
  data.Save_File_Req = kTrue;
  d.advance(500);
  EXPECT_EQ(test::readFile(dir / "again.dat"), " 232 " + saved.substr(5));
}

TEST_F(Signalling, BadSignalFilesChangeNothing) {
  test::TempDir dir;
  frm_5tone& w = five();
  std::string ok;
  for (int i = 0; i < 144; ++i) ok += " 1 ";
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"short", " 1  2  3 \r\n"},
      {"letters", "a b c"},
      {"big", " 256 " + ok},
      {"negative", " -1 " + ok},
      {"beyond 16 bits", " 99999999999999999999 " + ok},
      {"huge and blank", std::string(std::size_t{8} << 20, ' ')}};
  // Files, a folder, and a pipe that would never end.
  std::vector<std::string> paths;
  for (const auto& [name, content] : files) {
    paths.push_back(dir / name);
    test::writeFile(paths.back(), content);
  }
  paths.push_back(dir.path());
  paths.push_back(dir / "pipe");
  ASSERT_EQ(::mkfifo(paths.back().c_str(), 0600), 0);
  const ToneStage before = w.Tone_Stage;
  for (const std::string& path : paths) {
    data.File_Path = path;
    data.Open_File_Req = kTrue;
    d.clearMessageBoxes();
    d.advance(500);
    ASSERT_EQ(d.messageBoxes().size(), 1u) << path;
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the Signal parameters file.", 0), 0u)
        << path;
    EXPECT_TRUE(w.Tone_Stage == before) << path;
  }
  expect_image_untouched();
}

}  // namespace
}  // namespace j5::tone_test
