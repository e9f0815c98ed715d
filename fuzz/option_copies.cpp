// The option window copies' two readers of outside bytes, reached as a user and the radio reach
// them: an option file served by the window's Timer4, and the replies of the window's read; and
// what the window's write leaves in the radio.
//
// File (first byte even): a load succeeds exactly when the file begins with 192 numbers from 0 to
// 255, and says how it went in one message (a channel count outside 1 to 128 says so in one before
// it, as the count box shows it); after a failure the image and the controls are as before; after
// a success rows 0-11 hold the numbers and rows 12-15 are as before; a save after the load, loaded
// and saved again, gives the same file (the controls keep every setting they packed).
// Read (first byte odd; bit 2 puts the radio's ACK behind its identification, bit 3 3 ms behind
// it): the radio's memory and how it answers come from the input; a read from a radio without a
// fault completes; the image changes only when the read completes, and then holds the radio's
// bytes where no fault changed an answer; the window ends idle.
// Write (first byte odd with bit 1 set), after a read that no fault spoilt (or none that
// completed) and a few of the user's picks and ticks, against a radio that may misbehave again
// (and refuse a written frame): every frame carries its row of the packed image (row 6, record
// A's first row, in all three frames to 0x0F00) and goes nowhere else; the radio changes nowhere
// else, and holds the packed rows when the write completed; every byte of the block and the
// records that the copy does not own goes out as the completed read brought it (0 without one);
// the window ends idle with the port closed.

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "editors/option_copies/copy_file.h"
#include "editors/option_copies/copy_messages.h"
#include "editors/option_copies/option_copy_window.h"
#include "fuzz_support.h"
#include "platform/headless.h"
#include "platform/number_file.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"
#include "support/sim_device.h"
#include "support/temp_dir.h"

using j5fuzz::Check;

namespace {

struct Harness {
  kit::HeadlessPlatform platform;
  j5test::Sim_Device device;
  j5::Program program{platform};
  kit::FormSlot<j5::frm_Adj_Tune> slot{
      [this] { return std::make_unique<j5::frm_Adj_Tune>(program); }};
  std::string dir;

  Harness() {
    device.radio.config().identForm = sim::IdentForm::Ident8Dec;
    device.attach(platform, 1);
    program.MDImain.load();
    platform.advance(5000);
    program.data.Comm_Port = 1;
    dir = (std::filesystem::temp_directory_path() / ("j5-fuzz-copies-" + std::to_string(getpid())))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~Harness() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

std::string Snapshot(j5::Option_Copy_Window& w) {
  std::string s;
  for (kit::Control* c : w.controls()) {
    if (auto* t = dynamic_cast<kit::TextBox*>(c)) s += t->text() + "|";
    if (auto* b = dynamic_cast<kit::ComboBox*>(c)) s += b->text() + "|";
    if (auto* k = dynamic_cast<kit::CheckBox*>(c)) s += std::to_string(k->value());
  }
  return s;
}

void Serve(Harness& h, bool open, const std::string& path) {
  h.program.data.File_Path = path;
  (open ? h.program.data.Open_File_Req : h.program.data.Save_File_Req) = j5::kTrue;
  h.platform.advance(500);
}

void File_Case(Harness& h, j5::Option_Copy_Window& w, j5fuzz::Fuzz_Input& in) {
  for (std::size_t r = 0; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c) w.Copy_Image(r, c) = static_cast<std::int16_t>(r * 16 + c);
  const j5::CopyImage before = w.Copy_Image;
  const std::string shown = Snapshot(w);
  const std::string_view text = in.Rest();
  const std::string path = h.dir + "/fuzz.dat";
  j5::test::writeFile(path, std::string(text));
  const j5::rt::NumberRead expected = j5::copy::Read_Option_Text(text);
  h.platform.clearMessageBoxes();
  Serve(h, true, path);
  j5fuzz::Check_Messages(h.platform);
  // A channel count outside 1 to 128 says so as the count box shows it, before the outcome.
  const auto& boxes = h.platform.messageBoxes();
  Check(!boxes.empty() && boxes.size() <= 2, "a load did not say how it went");
  if (boxes.size() == 2)
    Check(boxes.front().text == j5::copy::kMsgChannCount.eng, "a load said more than how it went");
  const bool loaded =
      h.platform.messageBoxes().back().text == "Succeed fold the optional parameters from file.";
  Check(loaded == expected.ok(), loaded ? "a bad option file loaded" : "a good option file failed");
  if (!loaded) {
    Check(w.Copy_Image == before, "a failed load changed the image");
    Check(Snapshot(w) == shown, "a failed load changed the controls");
    return;
  }
  for (std::size_t i = 0; i < j5::copy::kFileValues; ++i)
    Check(w.Copy_Image(i / 16, i % 16) == expected.values[i],
          "the image is not the file's numbers");
  for (std::size_t r = 12; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      Check(w.Copy_Image(r, c) == before(r, c), "a load changed rows beyond the file");

  Serve(h, false, h.dir + "/one.dat");
  Serve(h, true, h.dir + "/one.dat");
  Serve(h, false, h.dir + "/two.dat");
  j5fuzz::Check_Messages(h.platform);
  Check(j5::test::readFile(h.dir + "/one.dat") == j5::test::readFile(h.dir + "/two.dat"),
        "a saved file, loaded and saved again, changed");
}

// Whether any fault was injected.
bool Inject_Faults(sim::Radio& radio, j5fuzz::Fuzz_Input& in) {
  radio.clearFaults();
  const int faults = in.Byte() % 4;
  for (int n = faults; n > 0; --n) {
    sim::Fault f;
    f.what = static_cast<sim::Misbehaviour>(in.Byte() %
                                            (static_cast<int>(sim::Misbehaviour::Refuse) + 1));
    f.skip = in.Byte() % 8;
    f.count = 1 + in.Byte() % 3;
    f.delay = 1000 * (in.Byte() % 200) * 10;
    f.byte = in.Byte();
    radio.inject(f);
  }
  return faults > 0;
}

bool Shown(const kit::HeadlessPlatform& p, const std::string& text) {
  for (const auto& box : p.messageBoxes())
    if (box.text == text) return true;
  return false;
}

// Presses Read or Write and lets the transfer run its course, retries and failure report included.
void Run_Transfer(Harness& h, j5::Option_Copy_Window& w, kit::CommandButton& button) {
  h.platform.clearMessageBoxes();
  button.userClick();
  h.platform.advance(40000);
  j5fuzz::Check_Messages(h.platform);
  Check(!w.Transfer.Busy(), "the transfer did not end");
  Check(!w.MSC.portOpen(), "the port stayed open");
}

// How a read ended: not completed, completed with answers a fault changed, or cleanly.
enum class Read_End { None, Spoilt, Clean };

Read_End Read_Case(Harness& h, j5::Option_Copy_Window& w, j5fuzz::Fuzz_Input& in,
                   std::uint8_t mode) {
  sim::Radio& radio = h.device.radio;
  radio.reset();
  // Where the radio puts its ACK in the answer to the code: in front of the identification, or
  // right behind it, or 3 ms behind it.
  radio.config().ackAfterIdent.reset();
  if (mode & 4) radio.config().ackAfterIdent = mode & 8 ? 3000 : 0;
  for (std::uint16_t a = 0x0E20; a < 0x0F60; ++a) radio.memory().set(a, in.Byte());
  const bool faulted = Inject_Faults(radio, in);
  const j5::CopyImage before = w.Copy_Image;
  const std::size_t logged = radio.log().size();
  Run_Transfer(h, w, w.Command_read);
  const bool completed = Shown(h.platform, "Complete reading the data from transceiver.");
  Check(completed || faulted, "a read from a radio that answered cleanly did not complete");
  if (!completed) {
    Check(w.Copy_Image == before, "a read that did not complete changed the image");
    return Read_End::None;
  }
  // The protocol has no checksum: a reply cut short and padded by a stray byte reads as a good
  // one, so only a read whose answers no fault changed must hold the radio's bytes.
  const auto& log = radio.log();
  if (std::any_of(log.begin() + static_cast<std::ptrdiff_t>(logged), log.end(), [](const auto& e) {
        return e.direction == sim::Direction::FromRadio && !e.fault.empty();
      }))
    return Read_End::Spoilt;
  constexpr std::uint16_t kRows[16] = {0x0E20, 0x0E30, 0x0E40, 0x0E50, 0x0E60, 0x0E70,
                                       0x0E80, 0x0E90, 0x0EE0, 0x0EF0, 0x0F00, 0x0F10,
                                       0x0F20, 0x0F30, 0x0F40, 0x0F50};
  for (std::size_t r = 0; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      Check(w.Copy_Image(r, c) == radio.memory().at(static_cast<std::uint16_t>(kRows[r] + c)),
            "a completed read does not hold the radio's bytes");
  return Read_End::Clean;
}

// The bits of each byte of the option block and of a frequency-mode record that the copies write
// from their controls; every other bit is the radio's (or the optional features window's).
int Owned_Option_Bits(int n) {
  static constexpr std::array<int, 42> kOwned = {
      0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 16, 17, 18, 19, 21, 22, 23,
      24, 25, 26, 27, 28, 36, 37, 39, 40, 42, 45, 46, 49, 50, 51, 52, 53, 54, 55, 56, 61};
  if (n == 59) return 0xFB;
  for (int b : kOwned)
    if (b == n) return 0xFF;
  return 0;
}
int Owned_Record_Bits(int k) {
  if (k < 8 || k == 26 || k == 27) return 0;
  return k == 31 ? 0xC0 : 0xFF;
}

// The packed row each write address carries.
int Packed_Row(int address) {
  if (address >= 0x0E20 && address < 0x0E60 && (address - 0x0E20) % 16 == 0)
    return (address - 0x0E20) / 16;
  if (address >= 0x0F00 && address < 0x0F40 && address % 16 == 0)
    return 6 + (address - 0x0F00) / 16;
  return -1;
}

void Write_Case(Harness& h, j5::Option_Copy_Window& w, j5fuzz::Fuzz_Input& in, bool readDone) {
  sim::Radio& radio = h.device.radio;
  // What the read brought, before any write.
  const sim::Memory held = radio.memory();
  // A few of the user's picks and ticks: they change only bytes the copy owns.
  kit::Driver d{h.platform};
  std::vector<kit::ComboBox*> lists;
  std::vector<kit::CheckBox*> boxes;
  for (kit::Control* c : w.controls()) {
    if (auto* b = dynamic_cast<kit::ComboBox*>(c); b && b->enabled()) lists.push_back(b);
    if (auto* b = dynamic_cast<kit::CheckBox*>(c)) boxes.push_back(b);
  }
  for (int n = in.Byte() % 6; n > 0; --n) {
    const std::uint8_t what = in.Byte();
    if (what % 2 == 0) {
      kit::ComboBox& b = *lists[in.Byte() % lists.size()];
      if (b.enabled() && b.listCount() > 0) d.pick(b, in.Byte() % b.listCount());
    } else {
      d.click(*boxes[in.Byte() % boxes.size()]);
    }
  }
  Inject_Faults(radio, in);
  radio.clearLog();
  Run_Transfer(h, w, w.Command_Write);
  const j5::CopyImage& packed = w.Copy_Image;

  // Every frame carries its packed row, and only to the block and the records.
  for (const auto& e : radio.log()) {
    if (e.direction != sim::Direction::ToRadio || e.kind != sim::FrameKind::DataFrame) continue;
    const std::size_t at = e.bytes[0] == 0x06 ? 2 : 1;
    const int address = e.bytes[at] << 8 | e.bytes[at + 1];
    const int row = Packed_Row(address);
    Check(row >= 0, [&] { return "a frame went to " + std::to_string(address); });
    for (std::size_t c = 0; c < 16 && at + 3 + c < e.bytes.size(); ++c)
      Check(e.bytes[at + 3 + c] == packed(static_cast<std::size_t>(row), c),
            [&] { return "the frame to " + std::to_string(address) + " is not its packed row"; });
  }
  const bool written =
      Shown(h.platform, "Complete writing optional parameters to the transceiver.");
  for (int a = 0; a < 0x10000; ++a) {
    const auto address = static_cast<std::uint16_t>(a);
    const int row = Packed_Row(a & ~0xF);
    if (row < 0) {
      Check(radio.memory().at(address) == held.at(address),
            [&] { return "the write changed the radio at " + std::to_string(a); });
      continue;
    }
    const int want = packed(static_cast<std::size_t>(row), static_cast<std::size_t>(a % 16));
    if (written)
      Check(radio.memory().at(address) == want, [&] {
        return "a completed write left the radio at " + std::to_string(a) + " unlike its row";
      });
    // A byte the copy does not own goes out as the read brought it (0 without a read).
    const int owned = a < 0x0F00 ? Owned_Option_Bits(a - 0x0E20) : Owned_Record_Bits(a % 32);
    const int kept = readDone ? held.at(address) & ~owned & 0xFF : 0;
    Check((want & ~owned & 0xFF) == kept,
          [&] { return "the write does not keep what the radio held at " + std::to_string(a); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness h;
  j5fuzz::Fuzz_Input in(data, size);
  const std::uint8_t mode = in.Byte();
  h.program.data.Lang_Chn = j5::kFalse;
  j5::Option_Copy_Window& w = h.slot.load();
  h.platform.runUntilIdle();
  if (mode & 1) {
    const Read_End read = Read_Case(h, w, in, mode);
    // The write's check of what it keeps from the read needs a read that brought the radio's bytes.
    if (mode & 2 && read != Read_End::Spoilt) Write_Case(h, w, in, read == Read_End::Clean);
  } else {
    File_Case(h, w, in);
  }
  h.slot.unload();
  h.platform.runUntilIdle();
  return 0;
}
