// The two-tone and five-tone windows' own read and write of their block against a simulated radio
// whose block is the fuzzer's and whose answers the fuzzer spoils, while the user presses Read,
// Write, Default and Close, edits the tables and a stray value may sit in the staged block.
// Whatever comes:
// - nothing escapes a handler;
// - the image (the channel records and all after them) never changes: the block is staged apart;
// - every frame written goes into the window's block and carries its staged row as it was at some
//   moment since the write began (so no value outside 0..255 goes out cut to a byte);
// - a read that no fault spoiled leaves the grids showing the radio's block, whatever the other
//   tone window and the adjustment window did meanwhile;
// - each exchange (however its Read or Write was pressed: mouse, Space, Enter) ends in exactly
//   one completion or failure report; it ends without one only where the user closes the window,
//   or presses Read or Write again, while its report is still due;
// - a write reported complete leaves the radio holding every staged row of the block as it stood
//   when its exchange started, whatever the user edited meanwhile (the radio may refuse a frame);
// - with no more steps the transfer ends by itself, the window is not busy, the port closed and
//   the program counts no exchange open (Exit and the language switch are free again).
//
// Input: a set-up byte (language, which window), the length of the script (two bytes), the
// script of steps, then the radio's bytes from 0x2000 on (repeated to fill 0x2000..0x2FFF).

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
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

// The texts the grids show for the radio's bytes, written here apart from the windows' codecs.
std::string Hz_Cell(int lo, int hi) {
  const int hz = lo + 256 * hi;
  return hz < 300 || hz > 3000 ? std::string() : std::to_string(hz) + ".0";
}
std::string Digit(int v) {
  if (v <= 9) return std::string(1, static_cast<char>('0' + v));
  if (v <= 15) return std::string(1, static_cast<char>('A' + v - 10));
  return " ";
}
const char* const kPairs[] = {"A-B", "A-C", "A-D", "B-A", "B-C", "B-D",
                              "C-A", "C-B", "C-D", "D-A", "D-B", "D-C"};
const char* const kStandards[] = {"CCIR1", "CCIR2", "PCCIR", "ZVEI1",  "ZVEI2",
                                  "ZVEI3", "PZVEI", "DZVEI", "PDZVEI", "EEA",
                                  "EIA",   "EURO",  "CCITT", "NATEL",  "MODAT"};

struct Harness {
  kit::HeadlessPlatform platform;
  j5fuzz::Fuzz_Input input;
  const std::uint8_t setup = input.Byte();
  const bool five = setup & 2;
  const int base = five ? 0x2000 : 0x2D00;
  const int rows = five ? 144 : 48;
  j5fuzz::Timed_Sim_Device device;
  sim::Radio& radio = device.radio;
  j5fuzz::One_Window window{"the tone window", j5::Signalling_Link()};
  j5fuzz::Closing_Watch closing;
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::Shared_Data& data = program.data;
  j5fuzz::Fuzz_Input script{nullptr, 0};
  j5::MemImage image;
  j5fuzz::Held_Rows held{144};
  std::size_t framesChecked = 0, logShown = 0;
  // No fault spoiled an answer since the last read was pressed: the protocol has no checksum, so
  // a changed data byte cannot be told from a good one.
  bool clean = true;
  // When the last exchange's Read or Write press came. A press right after a failure may find the
  // failed write's last frame still on the line; the radio then takes the new access code's first
  // byte as that frame's last (see the note in README.md), so such a frame is checked for its
  // address only.
  double pressMs = -1e9;
  // J5_FUZZ_TRACE=1 lists the message boxes and the frames written.
  const bool trace = std::getenv("J5_FUZZ_TRACE") != nullptr;

  Harness(const std::uint8_t* bytes, std::size_t size) : input(bytes, size) {
    radio.config().identForm = sim::IdentForm::Ident50;
    script = input.Part(static_cast<std::size_t>(input.Word()));
    const std::string_view mem = input.Rest();
    for (int a = 0; a < 0x1000; ++a)
      radio.memory().set(static_cast<std::uint16_t>(0x2000 + a),
                         mem.empty() ? 0 : static_cast<std::uint8_t>(mem[a % mem.size()]));
    device.attach(platform, 1);
    platform.onMessageBox = [this](const kit::MessageBoxRecord& box) { window.On_Box(box); };
    program.MDImain.load();
    platform.advance(5000);
    data.Comm_Port = 1;
    data.Lang_Chn = setup & 1 ? j5::kTrue : j5::kFalse;
    Open();
    platform.clearMessageBoxes();
    radio.clearLog();
    image = data.Mem_Image;
    Hold_Rows(true);
  }
  ~Harness() { closing.Stop(); }

  j5::Tone_Window* Window() const {
    if (five) return program.frm_5tone.get();
    return program.frm_2tone.get();
  }
  void Open() {
    if (five)
      program.frm_5tone.load();
    else
      program.frm_2tone.load();
    d.runUntilIdle();
    closing.Watch(Window(),
                  [this] { window.exchanges.Closed(0, platform.nowMs(), device.lastCloseMs); });
    // Every way of pressing Read or Write (the mouse, Space or Enter on the button) starts an
    // exchange of its own.
    if (j5::Tone_Window* w = Window())
      for (kit::CommandButton* b : {&w->Command_read, &w->Command_Write})
        b->Click = [this, w, write = b == &w->Command_Write, click = b->Click] {
          const int opens = device.opens;
          const double lastClose = device.lastCloseMs;
          window.pressing = true;
          click();
          window.pressing = false;
          // Only a press that started an exchange begins its record: one that starts nothing (a
          // row refused) leaves an earlier write's restart to send the rows of its own start.
          if (device.opens == opens) return;
          pressMs = platform.nowMs();
          clean = !radio.faultsPending();
          Hold_Rows(true);
          window.exchanges.Started(0, platform.nowMs(), lastClose);
          if (write) window.write.Started(Write_Frames(*w), radio);
        };
  }

  j5fuzz::Held_Rows::Row Staged_Row(const j5::Tone_Window& w, std::size_t n) const {
    j5fuzz::Held_Rows::Row row;
    for (std::size_t c = 0; c < row.size(); ++c) row[c] = w.Tone_Stage(n, c);
    return row;
  }

  // The write: staged row n as it stands to the block's address n.
  std::vector<j5fuzz::Planned_Frame> Write_Frames(const j5::Tone_Window& w) const {
    std::vector<j5fuzz::Planned_Frame> frames;
    for (int n = 0; n < rows; ++n)
      frames.push_back(
          {static_cast<std::uint16_t>(base + 16 * n), Staged_Row(w, static_cast<std::size_t>(n))});
    return frames;
  }

  void Hold_Rows(bool fresh) {
    const j5::Tone_Window* w = Window();
    if (!w) return;
    for (std::size_t n = 0; n < held.size(); ++n) held.Hold(n, Staged_Row(*w, n), fresh);
  }

  int Radio(int address) const { return radio.memory().at(static_cast<std::uint16_t>(address)); }

  // A cell of a grid against the text the radio's bytes call for.
  void Check_Cell(const kit::Grid& g, int r, int c, const std::string& expected) {
    Check(g.textMatrix(r, c) == expected, [&] {
      return "after a read cell (" + std::to_string(r) + ", " + std::to_string(c) + ") of " +
             g.name() + " shows \"" + g.textMatrix(r, c) + "\", the radio's bytes \"" + expected +
             "\"";
    });
  }
  std::string Code(int address) const {
    std::string s;
    for (int i = 0; i < 5; ++i) s += Digit(Radio(address + i));
    return s;
  }
  std::string Standard(int v) const { return v < 15 ? kStandards[v] : ""; }

  // What a read that no fault spoiled must show: the radio's block, from 0x2D00 (two-tone) or
  // 0x2400 (five-tone), page by page.
  void Check_Read_Shown() {
    if (auto* w = program.frm_2tone.get(); !five && w) {
      for (int r = 1; r <= 15; ++r) {
        const int enc = 0x2D00 + 16 * (r - 1), dec = 0x2E00 + 16 * (r - 1);
        Check_Cell(w->MSF_Encode, r, 1, Hz_Cell(Radio(enc), Radio(enc + 1)));
        Check_Cell(w->MSF_Encode, r, 2, Hz_Cell(Radio(enc + 8), Radio(enc + 9)));
        for (int s = 1; s <= 4; ++s) {
          const int pair = Radio(dec + 3 * s - 3), alert = Radio(dec + 3 * s - 1);
          Check_Cell(w->MSF_Decode, r, 3 * s - 2, pair < 12 ? kPairs[pair] : "");
          Check_Cell(w->MSF_Decode, r, 3 * s, alert <= 16 ? std::to_string(alert) : "");
        }
      }
      const int reset = std::min(Radio(0x2FF0), 79);
      Check(w->Combo_Dec_Res_Time.text() == std::to_string(100 * (reset + 1)),
            "after a read the reset time is not the radio's");
    }
    if (auto* w = program.frm_5tone.get(); five && w) {
      for (int r = 1; r <= 15; ++r) {
        const int row = 16 * (r - 1);
        Check_Cell(w->MSF_Chann, r, 1, std::to_string(10 * Radio(0x2400 + row)));
        Check_Cell(w->MSF_Chann, r, 2, Digit(Radio(0x2401 + row)));
        Check_Cell(w->MSF_Chann, r, 3, Digit(Radio(0x2402 + row)));
        for (int f = 0; f < 3; ++f) {
          Check_Cell(w->MSF_Encode, r, 1 + f, Code(0x2500 + row + 5 * f));
          Check_Cell(w->MSF_Decode, r, 2 + 2 * f, Code(0x2700 + row + 5 * f));
        }
        Check_Cell(w->MSF_Encode, r, 5, Standard(Radio(0x250F + row)));
        Check_Cell(w->MSF_Encode, r, 4, Code(0x2600 + row));
        Check_Cell(w->MSF_Decode, r, 1, Standard(Radio(0x270F + row)));
        Check_Cell(w->MSF_Decode, r, 8, Code(0x2800 + row));
      }
    }
  }

  // The other tone window and the adjustment window at work beside this one: the other's
  // Default, the adjustment window's load.
  void Others_Act() {
    if (five) {
      program.frm_2tone.load();
      d.runUntilIdle();
      if (auto* o = program.frm_2tone.get()) d.click(o->Command_def);
    } else {
      program.frm_5tone.load();
      d.runUntilIdle();
      if (auto* o = program.frm_5tone.get()) d.click(o->Command_def);
    }
    program.frm_Adj_Txp.load();
    d.runUntilIdle();
    program.frm_Adj_Txp.unload();
    // The window under test is the active one again, as a user would click it.
    if (j5::Tone_Window* w = Window()) d.activate(*w);
  }

  void Check_State() {
    for (const auto& box : platform.messageBoxes())
      if (trace) std::fprintf(stderr, "%8.0f ms  box: %s\n", box.atMs, box.text.c_str());
    platform.clearMessageBoxes();
    Check(data.Mem_Image == image, "the image changed");
    if (std::exchange(window.readDone, false) && clean) Check_Read_Shown();
    const auto& log = radio.log();
    for (; trace && logShown < log.size(); ++logShown) j5fuzz::Trace_Entry(log[logShown]);
    for (; framesChecked < log.size(); ++framesChecked) {
      const sim::LogEntry& e = log[framesChecked];
      if (e.direction != sim::Direction::ToRadio || e.kind != sim::FrameKind::DataFrame) continue;
      const int address = e.bytes[1] << 8 | e.bytes[2];
      const int row = (address - base) / 16;
      if (trace)
        std::fprintf(stderr, "%8.0f ms  frame 0x%04X %d %d\n", platform.nowMs(), address,
                     e.bytes[4], e.bytes[5]);
      Check(address >= base && row < rows && address % 16 == 0,
            [&] { return "a frame for address " + std::to_string(address); });
      const double atMs = static_cast<double>(e.time) / 1000;
      if (atMs >= pressMs && atMs < pressMs + 100 &&
          std::find(e.bytes.begin() + 4, e.bytes.end(), 0x4A) != e.bytes.end())
        continue;
      const bool carries = held.Carries(static_cast<std::size_t>(row), &e.bytes[4]);
      Check(carries,
            [&] { return "the frame for row " + std::to_string(row) + " is not that row"; });
    }
    Hold_Rows(false);
  }

  void Wait(double ms) {
    j5fuzz::Advance(platform, ms, radio, {&window.write});
    Check_State();
  }

  kit::Grid* Grid(std::uint8_t n) const {
    if (auto* w = program.frm_5tone.get(); five && w) {
      kit::Grid* g[] = {&w->MSF_Chann, &w->MSF_Encode, &w->MSF_Decode};
      return g[n % 3];
    }
    if (auto* w = program.frm_2tone.get(); !five && w) {
      kit::Grid* g[] = {&w->MSF_Encode, &w->MSF_Decode};
      return g[n % 2];
    }
    return nullptr;
  }
  kit::ComboBox* Combo(std::uint8_t n) const {
    if (auto* w = program.frm_5tone.get(); five && w) {
      kit::ComboBox* b[] = {&w->Combo_stxh,          &w->Combo_Enc_ys1, &w->Combo_Enc_ys2,
                            &w->Combo_enc_ys3,       &w->Combo_Enc_ys4, &w->Combo_Dec_Res_Time,
                            &w->Combo_Dec_Back_Time, &w->Combo_Encode,  &w->Combo_Decode,
                            &w->Combo_edit};
      return b[n % 10];
    }
    if (auto* w = program.frm_2tone.get(); !five && w) {
      kit::ComboBox* b[] = {&w->Combo_Enc_ys1, &w->Combo_Enc_ys2, &w->Combo_enc_ys3,
                            &w->Combo_Dec_Res_Time, &w->Combo_Decode};
      return b[n % 5];
    }
    return nullptr;
  }

  void Step() {
    const std::uint8_t op = script.Byte() % 12;
    const std::uint8_t arg = script.Byte();
    j5::Tone_Window* w = Window();
    if (trace)
      std::fprintf(stderr, "%8.0f ms  step %d %d%s\n", platform.nowMs(), op, arg,
                   w && w->Transfer_Busy() ? " (busy)" : "");
    switch (op) {
      case 0:
        return Wait((arg + 1) * 10.0);
      case 1:
        if (w) d.click(arg & 1 ? w->Command_read : w->Command_Write);
        break;
      case 2:
        if (arg & 0x40)
          Others_Act();
        else if (w)
          d.click(w->Command_def);
        break;
      case 3:
        if (w) d.click(w->Command_close);
        if (!Window()) Open();
        break;
      case 4:
        if (kit::Grid* g = Grid(arg)) {
          const int r = script.Byte() % g->rows(), c = script.Byte() % g->cols();
          if (arg & 0x80)
            d.doubleClickCell(*g, r, c);
          else
            d.clickCell(*g, r, c);
        }
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
        if (kit::ComboBox* b = Combo(arg); b && b->listCount() > 0)
          d.pick(*b, script.Byte() % b->listCount());
        break;
      case 9: {
        // A stray value in the staged block, a byte or not.
        const auto row = static_cast<std::size_t>(script.Byte() % rows);
        const std::int16_t v = script.Int16();
        if (w) w->Tone_Stage(row, arg % 16) = v;
        break;
      }
      case 10: {
        j5fuzz::Inject_Fault(radio, arg, script, sim::FrameKind::AltAccessCode);
        clean = false;
        return;
      }
      default:
        if (w && w->TabStrip1.tabCount() > 0)
          d.clickTab(w->TabStrip1, arg % w->TabStrip1.tabCount() + 1);
        break;
    }
    d.runUntilIdle();
    Check_State();
  }

  void Settle() {
    radio.clearFaults();
    for (int i = 0; i < 60; ++i) Wait(500);
    if (j5::Tone_Window* w = Window()) {
      Check(!w->Transfer_Busy(), "the window is still busy");
      Check(!w->MSC.portOpen(), "the port is still open");
    }
    Check(!program.Exchange_Running(), "an exchange is still counted open");
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
