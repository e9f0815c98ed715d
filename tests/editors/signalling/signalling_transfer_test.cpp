// The tone windows' transfer against the simulated radio, and their signal files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "editors/signalling/sig_file.h"
#include "support/temp_dir.h"
#include "tone_fixture.h"

namespace j5::tone_test {
namespace {

using sim::FrameKind;

struct Signalling : Tone_Fixture {
  std::vector<sim::LogEntry> to_radio(FrameKind kind) const {
    std::vector<sim::LogEntry> out;
    for (const auto& e : radio.log())
      if (e.direction == sim::Direction::ToRadio && e.kind == kind) out.push_back(e);
    return out;
  }
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
  ASSERT_TRUE(d.advanceUntil([&] { return w.Label_tr_count.caption() == "Reading 3 Data Block"; }, 3000));
  EXPECT_EQ(w.ProgressBar1.value(), 23);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 10000));
  std::vector<int> addresses;
  for (const auto& e : to_radio(FrameKind::ReadRequest)) addresses.push_back(e.bytes[e.bytes.size() - 3] << 8 | e.bytes[e.bytes.size() - 2]);
  std::vector<int> expected;
  for (int k = 0; k < 12; ++k) expected.push_back(0x2D00 + 64 * k);
  EXPECT_EQ(addresses, expected);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete reading the data from transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Read Signal parameters in gear. ");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 1), "1981.0");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 1), "B-C");
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "1000");
  EXPECT_EQ(program.panel(8), "136--174 MHZ");
  EXPECT_EQ(data.VHF_High, 175);
  EXPECT_FALSE(w.MSC.portOpen());
  expect_image_untouched();
}

TEST_F(Signalling, FiveToneWriteSendsTheWholeStagedBlock) {
  frm_5tone& w = five();
  d.click(w.Command_Write);
  ASSERT_TRUE(d.advanceUntil([&] { return w.Label_tr_count.caption() == "Writing  0  Data Block"; }, 3000));
  EXPECT_EQ(w.ProgressBar1.value(), 0);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(w); }, 20000));
  const auto frames = to_radio(FrameKind::DataFrame);
  ASSERT_EQ(frames.size(), 144u);
  EXPECT_EQ(frames[17].bytes[1], 0x21);
  EXPECT_EQ(frames[17].bytes[2], 0x10);
  for (int a = 0; a < 144 * 16; ++a)
    ASSERT_EQ(radio.memory().at(static_cast<std::uint16_t>(0x2000 + a)), data.Tone_Stage(a / 16, a % 16)) << a;
  EXPECT_EQ(box_texts(), std::vector<std::string>{"Complete writing Signal parameters to the transceiver."});
  EXPECT_EQ(w.Label_tr_count.caption(), "Complete writing Signal parameters ");
  expect_image_untouched();
}

TEST_F(Signalling, NoRadioTriesFourTimesThenReports) {
  radio.inject({sim::Misbehaviour::Silence, FrameKind::AltAccessCode, 0, sim::Fault::kAlways});
  frm_2tone& w = two();
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 30000));
  EXPECT_EQ(to_radio(FrameKind::AltAccessCode).size(), 4u);
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
  for (kit::CommandButton* b : {&w.Command_read, &w.Command_def, &w.Command_open, &w.Command_close}) {
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
  EXPECT_EQ(data.Tone_Stage(8, 15), 143);
  EXPECT_FALSE(w.ProgressBar1.visible());
  expect_image_untouched();
}

TEST_F(Signalling, BadSignalFilesChangeNothing) {
  test::TempDir dir;
  frm_5tone& w = five();
  (void)w;
  std::string ok;
  for (int i = 0; i < 144; ++i) ok += " 1 ";
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""}, {"short", " 1  2  3 \r\n"}, {"letters", "a b c"},
      {"big", " 256 " + ok}, {"negative", " -1 " + ok},
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
  const ToneStage before = data.Tone_Stage;
  for (const std::string& path : paths) {
    data.File_Path = path;
    data.Open_File_Req = kTrue;
    d.clearMessageBoxes();
    d.advance(500);
    ASSERT_EQ(d.messageBoxes().size(), 1u) << path;
    EXPECT_EQ(d.lastMessageBox().text.rfind("Fail to load the Signal parameters file.", 0), 0u) << path;
    EXPECT_TRUE(data.Tone_Stage == before) << path;
  }
  expect_image_untouched();
}

}  // namespace
}  // namespace j5::tone_test
