// The link's receive side in every exchange: the start-up identification, the whole read, the
// whole write and the port window, on the headless platform's line to a simulated radio whose
// answers the fuzzer delays, drops, cuts, corrupts and pads (or which refuses a written frame),
// while the user presses Read, Write, Cancel and OK, closes and reopens the windows, switches the
// language, puts values into the image and opens parameter files. Whatever comes:
// - nothing escapes a handler;
// - every frame the tool writes matches its image row (so no value outside 0..255 goes out);
// - the image changes only when a read completes (and then holds bytes, as received when the
//   radio answered cleanly), apart from the channel window emptying empty channels;
// - the port closes at most a second after the last byte either side sent;
// - an exchange that the read or the write window starts ends in exactly one completion or
//   failure report, a second or less after the port closed; it ends without one only where the
//   user closes the window (Cancel, its title bar, the menu that reopens it) or presses again in
//   it while its report is still due (the language switch and Exit wait for it);
// - a write reported complete leaves the radio holding every row the write was to send, as it
//   stood when its exchange started;
// - no parameter file loads while an exchange of either window is open: not through File > Open,
//   nor through its dialog shown before the exchange began and confirmed during it.
//
// Input: a set-up byte, the length of the script (two bytes), the script of user steps, then how
// the radio answers each frame, in order. With no answer decisions left the radio answers at once
// and correctly.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editors/channels/frm_chann.h"
#include "exchange_oracles.h"
#include "file_harness.h"
#include "fuzz_support.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "link/transfers.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/file_dialogs.h"
#include "shell/param_file.h"
#include "shell/program.h"
#include "sim/radio.h"
#include "support/driver.h"

using j5fuzz::Check;
using j5fuzz::Fail;

namespace {

constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;
// The no-reply time after the last byte, and what a busy event loop may add to it.
constexpr double kReplyMs = 1000;
constexpr double kSlackMs = 25;

// The rows the whole write sends, in order, as they stand in `image`: row 0 opens the block phase
// and the rows between the channel records and their names go out whole; any other row that begins
// with 255 goes out as that byte alone.
std::vector<j5fuzz::Planned_Frame> Whole_Write_Frames(const j5::MemImage& image) {
  std::vector<j5fuzz::Planned_Frame> frames;
  for (auto [first, last] : {std::pair{0, 128}, {160, 206}, {224, 232}, {240, 246}, {256, 384}})
    for (int row = first; row <= last; ++row) {
      const auto r = static_cast<std::size_t>(row);
      frames.push_back({static_cast<std::uint16_t>(row * 16), j5fuzz::Image_Row(image, r),
                        row != 0 && (row < 128 || row > 256)});
    }
  return frames;
}

enum Window : std::size_t { kRead, kWrite };

// Where the file dialogs open: the folder of the files the script loads.
const j5fuzz::Fuzz_Folder& Load_Folder() {
  static const j5fuzz::Fuzz_Folder folder("link");
  return folder;
}

struct Harness;

// The radio at the far end of COM1: the simulator decides what a radio answers, the fuzzer how
// the answer travels.
struct Fuzz_Radio : kit::SerialDevice {
  explicit Fuzz_Radio(Harness& h) : h(h) {}
  Harness& h;
  sim::Radio radio;
  int opens = 0, closes = 0;
  double lastClose = -1e9;
  double lastOpen = -1e9;
  double lastToolByte = -1e9;   // arrival at the radio
  double lastRadioByte = -1e9;  // arrival at the tool
  bool clean = true;            // every answer since the last read started went out unchanged

  void receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) override;
  void opened(double atMs) override {
    ++opens;
    lastOpen = atMs;
  }
  // The last moment the tool had reason to keep the port open.
  double Last_Activity() const { return std::max({lastOpen, lastToolByte, lastRadioByte}); }
  void closed(double atMs) override;
  void Send(kit::SerialDeviceLink& link, const std::vector<std::uint8_t>& bytes, double at) {
    if (bytes.empty()) return;
    link.send(bytes, at);
    // The line starts a byte no earlier than the previous one has arrived.
    lastRadioByte = std::max(lastRadioByte, at) + static_cast<double>(bytes.size()) * kByteMs;
  }
  void Check_Frame(const sim::LogEntry& e);
};

struct Harness {
  kit::HeadlessPlatform platform;
  j5fuzz::Fuzz_Input input;
  const std::uint8_t setup = input.Byte();
  j5fuzz::Fuzz_Input script = input.Part(static_cast<std::size_t>(input.Word()));
  j5fuzz::Fuzz_Input& answers = input;
  Fuzz_Radio device{*this};
  j5fuzz::Exchanges exchanges{{{"the read window", j5::Whole_Read_Link().times.report_ms},
                               {"the write window", j5::Whole_Write_Link().times.report_ms}}};
  // The write window's last write, and its rows since it was pressed.
  j5fuzz::Write_Watch write;
  j5fuzz::Held_Rows writeRows{385};
  j5fuzz::Closing_Watch closing;
  bool pressing = false, refused = false, readDone = false;
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::Shared_Data& data = program.data;

  // The image as the user's last step left it, and the images before it that a frame still on
  // the line may have been built from, each with the time it was replaced.
  j5::MemImage image;
  std::deque<std::pair<double, j5::MemImage>> earlier;
  int starts = 0;

  Harness(const std::uint8_t* bytes, std::size_t size) : input(bytes, size) {
    device.radio.config().identForm = setup & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
    // A radio memory of distinct bytes, ACK and Cmd_Data among them, some channels erased.
    for (int a = 0; a < 0x1800; ++a) {
      const bool erased = (setup & 2) && (a / 16) % 5 == 1 && (a < 0x800 || a >= 0x1000);
      device.radio.memory().set(static_cast<std::uint16_t>(a),
                                erased ? 0xFF : static_cast<std::uint8_t>(a * 7 + a / 256 + setup));
    }
    platform.attachDevice(1, device);
    platform.setCurrentDirectory(Load_Folder().dir);
    platform.onMessageBox = [this](const kit::MessageBoxRecord& box) { On_Box(box); };
    program.MDImain.load();
    platform.runUntilIdle();
    Snapshot();
  }
  ~Harness() { closing.Stop(); }

  void Snapshot() {
    if (image == data.Mem_Image) return;
    const double now = platform.nowMs();
    // A frame of twenty bytes is on the line for well under a tenth of a second.
    while (!earlier.empty() && earlier.front().first < now - 100) earlier.pop_front();
    earlier.emplace_back(now, image);
    image = data.Mem_Image;
    Hold_Write_Rows(false);
  }

  void Hold_Write_Rows(bool fresh) {
    for (std::size_t r = 0; r < writeRows.size(); ++r)
      writeRows.Hold(r, j5fuzz::Image_Row(data.Mem_Image, r), fresh);
  }

  j5::Transfer_Window* Window_Form(std::size_t w) const {
    if (w == kRead) return program.Form_Comm_Read.get();
    return program.Form_Comm_Write.get();
  }

  void Watch_Windows() {
    for (Window w : {kRead, kWrite})
      closing.Watch(Window_Form(w),
                    [this, w] { exchanges.Closed(w, platform.nowMs(), device.lastClose); });
  }

  // The window a report is for: the read window's completion, the write window's, or the failure
  // of the window whose transfer has just let its exchange go (both show the same failure texts).
  Window Reporting_Window(j5fuzz::Report report) const {
    if (report == j5fuzz::Report::Read_Done) return kRead;
    if (report == j5fuzz::Report::Write_Done) return kWrite;
    for (Window w : {kRead, kWrite}) {
      const j5::Transfer_Window* form = Window_Form(w);
      if (exchanges.Open(w) && (!form || !form->Transfer.Exchange_Open())) return w;
    }
    return exchanges.Open(kRead) ? kRead : kWrite;
  }

  void On_Box(const kit::MessageBoxRecord& box) {
    const std::string& text = box.text;
    Check(!box.title.empty(), [&] { return std::string("an error escaped a handler: " + text); });
    if (pressing) {
      // The busy, port and value messages of a press that starts nothing.
      refused |= text.find("正在") == 0 || text.find("Read-write") == 0 ||
                 text.find("通讯端口打开错误") == 0 ||
                 text.find("Communication port is error") == 0 ||
                 text.find("0 至 255") != std::string::npos ||
                 text.find("outside 0 to 255") != std::string::npos;
      return;
    }
    // The read and the write window show the same texts.
    const j5fuzz::Report report = j5fuzz::Report_Of(j5::Whole_Write_Link(), text);
    if (report == j5fuzz::Report::None) return;
    // Every exchange ends with the port closing; its report comes then or a second later.
    Check(device.closes > 0, "a report before the port ever closed");
    Check(box.atMs <= device.lastClose + kReplyMs + kSlackMs,
          "a report long after the port closed");
    exchanges.Reported(Reporting_Window(report), text);
    readDone |= report == j5fuzz::Report::Read_Done;
    if (report == j5fuzz::Report::Write_Done) write.Completed(box.atMs);
  }

  // A press in `pressed` (a window) may start an exchange there; true when it did.
  template <class F>
  bool User(F&& step, std::optional<Window> pressed = std::nullopt) {
    pressing = pressed.has_value();
    refused = false;
    const double lastClose = device.lastClose;
    step();
    platform.runUntilIdle();
    pressing = false;
    const bool started = pressed && !refused && device.opens > device.closes;
    if (started) {
      ++starts;
      exchanges.Started(*pressed, platform.nowMs(), lastClose);
    }
    // Only a press that started a write begins its record of rows, from the rows it took.
    if (started && pressed == kWrite) Hold_Write_Rows(true);
    Snapshot();
    if (started && pressed == kWrite)
      write.Started(Whole_Write_Frames(data.Mem_Image), device.radio);
    Watch_Windows();
    Check_Port();
    return started;
  }

  // The clock moves on; only the link and the windows' own timers act.
  void Wait(double ms) {
    j5fuzz::Advance(platform, ms, device.radio, {&write});
    Check_Image(std::exchange(readDone, false));
    Check_Port();
  }

  void Check_Image(bool readDone) {
    const j5::MemImage& now = data.Mem_Image;
    if (now == image) return;
    j5::MemImage normalised = image;
    j5fuzz::Normalise_Empty_Channels(normalised, data.Chann_Total);
    if (now == normalised) return Snapshot();
    Check(readDone, "the image changed while no read completed");
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) {
        const std::int16_t v = now(r, c);
        if (r > 383 || c > 15) {
          Check(v == image(r, c),
                [&] { return std::string("a read changed image row " + std::to_string(r)); });
        } else if (r == 207) {
          Check(v == j5::kEmptyByte, "row 207 is not empty after a read");
        } else {
          Check(v >= 0 && v <= 255,
                [&] { return std::string("a read stored " + std::to_string(v)); });
        }
      }
    if (device.clean) {
      j5::MemImage expected = now;
      for (std::size_t r = 0; r <= 383; ++r)
        for (std::size_t c = 0; c < 16; ++c)
          if (r != 207)
            expected(r, c) = device.radio.memory().at(static_cast<std::uint16_t>(r * 16 + c));
      j5::MemImage normalisedExpected = expected;
      j5fuzz::Normalise_Empty_Channels(normalisedExpected, data.Chann_Total);
      Check(now == expected || now == normalisedExpected,
            "a clean read did not store the radio's bytes");
    }
    Snapshot();
  }

  // An open port always has something to wait for: a byte sent or received less than the
  // no-reply time ago.
  void Check_Port() {
    if (device.opens == device.closes) return;
    const double last = device.Last_Activity();
    Check(platform.nowMs() <= last + kReplyMs + kSlackMs + 20 * kByteMs, [&] {
      return std::string("the port is still open " + std::to_string(platform.nowMs() - last) +
                         " ms after the last byte");
    });
  }

  // After the script: the radio falls silent and the exchange must end by itself.
  void Settle() {
    for (int i = 0; i < 600; ++i) {
      Wait(250);
      if (device.opens == device.closes && platform.nowMs() > device.lastClose + 2 * kReplyMs)
        break;
    }
    Check(device.opens == device.closes, "the exchange never ended");
    exchanges.Check_All_Ended();
  }
};

void Fuzz_Radio::closed(double atMs) {
  ++closes;
  lastClose = atMs;
  const double last = Last_Activity();
  Check(atMs <= last + kReplyMs + kSlackMs + 20 * kByteMs, [&] {
    return std::string("the port closed " + std::to_string(atMs - last) +
                       " ms after the last byte");
  });
}

void Fuzz_Radio::Check_Frame(const sim::LogEntry& e) {
  const auto& b = e.bytes;
  if (e.kind == sim::FrameKind::ReadRequest) {
    const int address = b[1] << 8 | b[2];
    Check(b[3] == 0x40 && address % 64 == 0 && address < 0x1800, "a stray read request");
    return;
  }
  if (e.kind != sim::FrameKind::DataFrame && e.kind != sim::FrameKind::ShortRowFrame) return;
  const int address = b[1] << 8 | b[2];
  const auto row = static_cast<std::size_t>(address / 16);
  Check(address % 16 == 0 && row <= 384,
        [&] { return std::string("a frame for address " + std::to_string(address)); });
  const auto matches = [&](const j5::MemImage& m) {
    if (e.kind == sim::FrameKind::ShortRowFrame) return m(row, 0) == j5::kEmptyByte;
    if (b.size() != 20) return false;
    for (std::size_t c = 0; c < 16; ++c)
      if (m(row, c) != b[4 + c]) return false;
    return true;
  };
  if (matches(h.data.Mem_Image) || matches(h.image)) return;
  // The row as it stood when the write was pressed, or since: a write that sends the image as it
  // stood when its exchange started sends the first of these.
  if (j5fuzz::Carries_Frame(h.writeRows, row, e)) return;
  for (const auto& [replaced, m] : h.earlier)
    if (replaced >= e.time / 1000.0 - 100 && matches(m)) return;
  j5::MemImage normalised = h.image;
  j5fuzz::Normalise_Empty_Channels(normalised, h.data.Chann_Total);
  if (matches(normalised)) return;
  std::string sent;
  for (auto x : b) sent += " " + std::to_string(x);
  std::string held;
  for (std::size_t c = 0; c < 16; ++c) held += " " + std::to_string(h.data.Mem_Image(row, c));
  Fail("the frame for row " + std::to_string(row) + " was" + sent + "; the row holds" + held);
}

void Fuzz_Radio::receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) {
  lastToolByte = atMs;
  const std::size_t logged = radio.log().size();
  radio.receive(byte, std::llround(atMs * 1000));
  for (std::size_t i = logged; i < radio.log().size(); ++i)
    if (radio.log()[i].direction == sim::Direction::ToRadio) Check_Frame(radio.log()[i]);
  if (!radio.hasOutput()) return;

  std::vector<std::uint8_t> answer;
  for (const auto& out : radio.takeAllOutput()) answer.push_back(out.value);
  if (j5fuzz::Refused_Since(radio, logged)) return Send(link, answer, atMs);
  const bool unchanged = j5fuzz::Send_Shaped(
      h.answers, std::move(answer), atMs,
      [&](const std::vector<std::uint8_t>& bytes, double at) { Send(link, bytes, at); });
  if (!unchanged) clean = false;
}

void Step(Harness& h) {
  j5fuzz::Fuzz_Input& in = h.script;
  j5::Program& p = h.program;
  kit::Driver& d = h.d;
  j5::MDImain& main = *p.MDImain.get();
  const std::uint8_t op = in.Byte() % 13;
  const std::uint8_t arg = in.Byte();
  switch (op) {
    case 0:
      return h.Wait((arg + 1) * 8.0);
    case 1: {
      // A press that starts a read starts its record of clean answers; one that is refused
      // leaves the running read's record as it is.
      const bool wasClean = h.device.clean;
      h.device.clean = true;
      const bool started = h.User(
          [&] {
            if (!p.Form_Comm_Read.get()) d.click(main.Prog_read);
            if (auto* w = p.Form_Comm_Read.get()) d.click(w->Command_read);
          },
          kRead);
      if (!started) h.device.clean = wasClean && h.device.clean;
      return;
    }
    case 2:
      h.User(
          [&] {
            if (!p.Form_Comm_Write.get()) d.click(main.Prog_write);
            if (auto* w = p.Form_Comm_Write.get()) d.click(w->Command_Write);
          },
          kWrite);
      return;
    case 3:
      return (void)h.User([&] {
        if (arg & 1) {
          if (auto* w = p.Form_Comm_Read.get()) d.click(w->Command_Cancel);
        } else if (auto* w = p.Form_Comm_Write.get()) {
          d.click(w->Command_Cancel);
        }
      });
    case 4:
      return (void)h.User([&] {
        kit::Form* form = nullptr;
        switch (arg % 4) {
          case 0:
            form = p.Form_Comm_Read.get();
            break;
          case 1:
            form = p.Form_Comm_Write.get();
            break;
          case 2:
            form = p.Form_setup.get();
            break;
          default:
            form = p.frm_chann.get();
            break;
        }
        if (form) d.close(*form);
      });
    case 5:
      return (void)h.User([&] { d.click(arg & 1 ? main.Prog_read : main.Prog_write); });
    case 6:
      return (void)h.User([&] { d.click(arg & 1 ? main.Language_chn : main.Language_eng); });
    case 7:
      return (void)h.User([&] {
        if (!p.Form_setup.get()) d.click(main.proc_setup);
        if (auto* w = p.Form_setup.get()) {
          d.click(w->Option_Port[arg < 192 ? 0 : arg % 16]);
          d.click(w->Command_ok);
        }
      });
    case 8:
      return (void)h.User([&] {
        if (auto* w = p.Form_setup.get()) d.click(w->Command1);
      });
    case 9: {
      const auto row = static_cast<std::size_t>((arg | in.Byte() << 8) % 481);
      const auto col = static_cast<std::size_t>(in.Byte() % 16);
      const std::int16_t value = in.Int16();
      // What a loaded parameter file may leave in the image.
      return (void)h.User([&] { h.data.Mem_Image(row, col) = value; });
    }
    case 10:
      // The radio changes: it refuses written frames, or answers in another identification form.
      if (arg & 2) return j5fuzz::Inject_Refusal(h.device.radio, arg >> 2, in);
      h.device.radio.config().identForm =
          arg & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
      return;
    case 12: {
      // File > Open of a parameter file: the image with one value changed; the dialog shown and
      // confirmed, only shown, or an open one confirmed.
      const auto row = static_cast<std::size_t>((arg | in.Byte() << 8) % 481);
      const auto col = static_cast<std::size_t>(in.Byte() % 16);
      j5::MemImage file = h.data.Mem_Image;
      file(row, col) = in.Int16();
      Load_Folder().Write("load.dat", j5::Param_File_Text(file));
      const bool exchange = h.exchanges.Open(kRead) || h.exchanges.Open(kWrite);
      const j5::MemImage before = h.data.Mem_Image;
      // The dialog is modeless: it may be shown before an exchange begins and confirmed during it.
      const bool show = !(arg & 0x80), confirm = !(arg & 0x40);
      h.User([&] {
        if (show) d.click(main.File_Open);
        j5::File_Dialog* dialog = p.Form_open_chann.get();
        if (!dialog) return;
        if (show) {
          d.focus(dialog->Text1);
          d.selectAll();
          d.type("load.dat");
        }
        if (confirm) d.click(dialog->Command_enter);
      });
      // However the program refuses it, nothing loads under an exchange: a write would leave the
      // windows showing a file the radio does not hold, a read would replace some of its rows.
      Check(!exchange || h.data.Mem_Image == before,
            "a file loaded while an exchange with the radio was open");
      return;
    }
    default:
      return h.Wait(arg % 64);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Harness h(data, size);
  // Five minutes on the clock hold some thirty whole transfers: enough for any story, and it
  // keeps a long input well inside libFuzzer's time limit.
  constexpr double kScriptMs = 300'000;
  while (!h.script.empty() && h.platform.nowMs() < kScriptMs) Step(h);
  h.Settle();
  // J5_FUZZ_TRACE=1 with an input file shows what it did.
  static const bool trace = std::getenv("J5_FUZZ_TRACE") != nullptr;
  if (trace) {
    std::map<std::string, int> frames;
    for (const auto& e : h.device.radio.log())
      ++frames[(e.direction == sim::Direction::ToRadio ? "to radio: " : "from radio: ") +
               std::string(sim::frameKindName(e.kind))];
    for (const auto& [kind, n] : frames) std::fprintf(stderr, "%5d %s\n", n, kind.c_str());
    for (const auto& box : h.platform.messageBoxes())
      std::fprintf(stderr, "%9.1f ms box: %s\n", box.atMs, box.text.c_str());
    std::fprintf(stderr, "%d exchanges, ends at %.1f ms\n", h.starts, h.platform.nowMs());
  }
  return 0;
}
