// The DTMF editor under a user who types, pastes, tabs, presses Default, Read and Write, closes
// and reopens it, leaves it for another window and loads values into its record, while its own
// transfer talks to a simulated radio whose record is the fuzzer's and whose answers the fuzzer
// spoils (silence, late, a wrong first byte, stray, missing or extra bytes, no leading ACK, a
// written frame refused). Whatever comes:
// - nothing escapes a handler;
// - nothing outside the DTMF record (image rows 176..207, columns 0..15) changes;
// - every value the window or its transfer stores is a byte;
// - rows 204..207 change only by Default (or a value loaded into them);
// - a read that completes leaves the radio's bytes in the rows the display does not store back
//   (176..199, and row 203 from byte 5 on) where no fault spoiled its answers;
// - every frame written goes to 0x0B00..0x0CC0 and carries its image row;
// - every exchange ends in exactly one report; it ends without one only where the user closes the
//   window, or presses Read or Write again, while its report is still due;
// - a write reported complete leaves the radio holding rows 176..204 as they stood when its
//   exchange started, whatever the user typed or loaded meanwhile (the radio may refuse a frame);
// - with no more steps the transfer ends by itself and the window is not busy.
//
// Input: a set-up byte, the radio's DTMF record (512 bytes), the length of the script (two
// bytes), then the script of steps.

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "editors/dtmf/frm_dtmf.h"
#include "exchange_oracles.h"
#include "fuzz_support.h"
#include "link/transfers.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "sim/radio.h"
#include "sim_faults.h"
#include "support/driver.h"
#include "support/sim_device.h"

using j5fuzz::Check;

namespace {

constexpr int kFirstRow = 176, kLastRow = 207;
constexpr int kRecordBase = 0x0B00;

// The write: image rows 176..204 as they stand to 0x0B00 on, a row a frame.
std::vector<j5fuzz::Planned_Frame> Dtmf_Write_Frames(const j5::MemImage& image) {
  std::vector<j5fuzz::Planned_Frame> frames;
  for (std::size_t n = 0; n < 29; ++n)
    frames.push_back({static_cast<std::uint16_t>(kRecordBase + 16 * n),
                      j5fuzz::Image_Row(image, kFirstRow + n)});
  return frames;
}

struct Harness {
  kit::HeadlessPlatform platform;
  j5fuzz::Fuzz_Input input;
  const std::uint8_t setup = input.Byte();
  j5fuzz::Timed_Sim_Device device;
  sim::Radio& radio = device.radio;
  j5fuzz::One_Window window{"the DTMF window", j5::Dtmf_Link()};
  j5fuzz::Closing_Watch closing;
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::Shared_Data& data = program.data;
  j5fuzz::Fuzz_Input script{nullptr, 0};
  j5::MemImage image;
  j5fuzz::Held_Rows held{29};
  std::size_t framesChecked = 0;
  // No fault spoiled an answer since the read began: the protocol carries no checksum, so a reply
  // cut short and padded by a stray byte cannot be told from a good one.
  bool clean = true;

  Harness(const std::uint8_t* bytes, std::size_t size) : input(bytes, size) {
    radio.config().identForm = sim::IdentForm::Ident8;
    for (int a = 0; a < 512; ++a)
      radio.memory().set(static_cast<std::uint16_t>(kRecordBase + a), input.Byte());
    script = input.Part(static_cast<std::size_t>(input.Word()));
    platform.attachDevice(1, device);
    platform.onMessageBox = [this](const kit::MessageBoxRecord& box) { window.On_Box(box); };
    program.MDImain.load();
    platform.advance(5000);
    program.frm_chann.unload();
    data.Lang_Chn = setup & 1 ? j5::kTrue : j5::kFalse;
    data.Comm_Port = 1;
    Open();
    platform.clearMessageBoxes();
    radio.clearLog();
    image = data.Mem_Image;
    Hold_Rows(true);
  }
  ~Harness() { closing.Stop(); }

  void Hold_Rows(bool fresh) {
    for (std::size_t n = 0; n < held.size(); ++n)
      held.Hold(n, j5fuzz::Image_Row(data.Mem_Image, kFirstRow + n), fresh);
  }

  j5::frm_dtmf* Window() const { return program.frm_dtmf.get(); }

  void Open() {
    d.click(program.MDImain->Dtmf_edit);
    closing.Watch(Window(),
                  [this] { window.exchanges.Closed(0, platform.nowMs(), device.lastCloseMs); });
    // Its transfer runs only where its buttons are shown.
    if (j5::frm_dtmf* w = Window()) {
      w->Command_read.setVisible(true);
      w->Command_Write.setVisible(true);
    }
  }

  // After every step and wait: what changed since the last look.
  void Check_State(bool loaded) {
    const j5::MemImage& now = data.Mem_Image;
    const bool readDone = std::exchange(window.readDone, false);
    platform.clearMessageBoxes();
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r) {
      const auto nowRow = now.row(r);
      const auto before = std::as_const(image).row(r);
      if (std::equal(nowRow.begin(), nowRow.end(), before.begin())) continue;
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) {
        const std::int16_t v = nowRow[c];
        if (v == before[c]) continue;
        const auto row = static_cast<int>(r);
        Check((row >= kFirstRow && row <= kLastRow && c < 16) || loaded, [&] {
          return "row " + std::to_string(r) + " column " + std::to_string(c) + " changed";
        });
        Check((v >= 0 && v <= 255) || loaded,
              [&] { return "a value that is no byte stored: " + std::to_string(v); });
        Check(row < 204 || v == j5::kEmptyByte || loaded,
              [&] { return "row " + std::to_string(r) + " changed to " + std::to_string(v); });
      }
    }
    if (readDone && clean) {
      for (int r = kFirstRow; r <= 203; ++r)
        for (int c = r < 200 ? 0 : 5; c < 16; ++c) {
          if (r >= 200 && r < 203) continue;
          const int expected = radio.memory().at(static_cast<std::uint16_t>(r * 16 + c));
          Check(now(r, c) == expected, [&] {
            return "after a read row " + std::to_string(r) + " column " + std::to_string(c) +
                   " holds " + std::to_string(now(r, c)) + ", the radio " +
                   std::to_string(expected);
          });
        }
    }
    Check_Frames();
    image = now;
    Hold_Rows(false);
  }

  void Check_Frames() {
    const auto& log = radio.log();
    for (; framesChecked < log.size(); ++framesChecked) {
      const sim::LogEntry& e = log[framesChecked];
      if (e.direction != sim::Direction::ToRadio || e.kind != sim::FrameKind::DataFrame) continue;
      const int address = e.bytes[1] << 8 | e.bytes[2];
      Check(address >= kRecordBase && address <= 0x0CC0 && address % 16 == 0,
            [&] { return "a frame for address " + std::to_string(address); });
      const auto row = static_cast<std::size_t>(address / 16);
      const bool carries = held.Carries(row - kFirstRow, &e.bytes[4]);
      Check(carries,
            [&] { return "the frame for row " + std::to_string(row) + " is not that row"; });
    }
  }

  void Wait(double ms) {
    j5fuzz::Advance(platform, ms, radio, {&window.write});
    Check_State(false);
  }

  void Step() {
    const std::uint8_t op = script.Byte() % 13;
    const std::uint8_t arg = script.Byte();
    j5::frm_dtmf* w = Window();
    bool loaded = false;
    switch (op) {
      case 0:
        return Wait((arg + 1) * 10.0);
      case 1:
        if (w) {
          const int opens = device.opens;
          const double lastClose = device.lastCloseMs;
          window.pressing = true;
          d.click(arg & 1 ? w->Command_read : w->Command_Write);
          window.pressing = false;
          // Only a press that started an exchange begins its record: one that starts nothing
          // (the focused box keeps the focus, a row is refused) leaves an earlier write's restart
          // to send the rows of its own start.
          if (device.opens > opens) {
            Hold_Rows(true);
            clean = !radio.faultsPending();
            window.exchanges.Started(0, platform.nowMs(), lastClose);
            if (!(arg & 1)) window.write.Started(Dtmf_Write_Frames(data.Mem_Image), radio);
          }
        }
        break;
      case 2:
        if (w) d.click(w->Command_def);
        break;
      case 3:
        if (w && !d.close(*w)) break;
        Open();
        break;
      case 4:
        if (w)
          d.focus(arg & 1 ? static_cast<kit::Control&>(w->Text_Ani)
                          : w->Text_tx_Encode[arg / 2 % 15]);
        break;
      case 5:
        if (d.focused()) d.key(arg);
        break;
      case 6:
        if (d.focused()) d.paste(std::string(script.Bytes(arg % 8)));
        break;
      case 7:
        if (d.focused()) d.tab();
        break;
      case 8:
        // Another window becomes active, then this one again.
        if (w) {
          w->Open_Sig_File();
          d.runUntilIdle();
          if (j5::frm_dtmf* again = Window()) d.activate(*again);
        }
        break;
      case 9:
        if (w) d.pick(arg & 1 ? w->Combo_Enc_ys1 : w->Combo_Enc_ys2, arg % 196);
        break;
      case 10: {
        // What a loaded parameter file may leave in the record.
        const int row = kFirstRow + arg % 32;
        const int col = script.Byte() % 16;
        data.Mem_Image(static_cast<std::size_t>(row), static_cast<std::size_t>(col)) =
            script.Int16();
        loaded = true;
        break;
      }
      case 11: {
        j5fuzz::Inject_Fault(radio, arg, script, sim::FrameKind::AccessCode);
        clean = false;
        return;
      }
      default:
        if (w) d.click(w->Command_close);
        if (!Window()) Open();
        break;
    }
    d.runUntilIdle();
    Check_State(loaded);
  }

  // No more steps, no more faults: the transfer ends by itself.
  void Settle() {
    radio.clearFaults();
    for (int i = 0; i < 40; ++i) Wait(500);
    if (j5::frm_dtmf* w = Window()) {
      Check(!w->Link.Link_Busy(), "the window is still busy");
      Check(!w->Link.MSC.portOpen(), "the port is still open");
    }
    window.exchanges.Check_All_Ended();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Harness h(data, size);
  constexpr double kScriptMs = 300'000;
  while (!h.script.empty() && h.platform.nowMs() < kScriptMs) h.Step();
  h.Settle();
  return 0;
}
