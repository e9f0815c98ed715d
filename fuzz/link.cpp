// The link's receive side in every exchange: the start-up identification, the whole read, the
// whole write and the port window, on the headless platform's line to a simulated radio whose
// answers the fuzzer delays, drops, cuts, corrupts and pads, while the user presses Read, Write,
// Cancel and OK, closes and reopens the windows, switches the language and loads values into the
// image. Whatever comes:
// - nothing escapes a handler;
// - every frame the tool writes matches its image row (so no value outside 0..255 goes out);
// - the image changes only when a read completes (and then holds bytes, as received when the
//   radio answered cleanly), apart from the channel window emptying empty channels;
// - the port closes at most a second after the last byte either side sent;
// - an exchange that a transfer window starts ends in at most one completion or failure report
//   (a window that the user closes or that the language switch reopens after the time-out has
//   no report to show).
//
// Input: a set-up byte, the length of the script (two bytes), the script of user steps, then how
// the radio answers each frame, in order. With no answer decisions left the radio answers at once
// and correctly.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "editors/channels/frm_chann.h"
#include "fuzz_support.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
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

bool Is_Report(const std::string& text) {
  for (const char* t :
       {"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver.",
        "向对讲机写入参数完毕 ！", "Complete writing parameters to the transceiver.",
        "与对讲机联络失败 ！", "Fail connect with transceiver."})
    if (text == t) return true;
  // A write stopped because the image came to hold a value that is no byte.
  return text.find("0 至 255") != std::string::npos ||
         text.find("outside 0 to 255") != std::string::npos;
}

bool Is_Read_Done(const std::string& text) {
  return text == "从对讲机中读取数据完毕 ！" ||
         text == "Complete reading the data from transceiver.";
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
  // When the port closed, and how many reports came after each closing (and before the next).
  std::vector<std::pair<double, int>> closings;
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
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::SharedData& data = program.data;

  // The image as the user's last step left it, and the images before it that a frame still on
  // the line may have been built from, each with the time it was replaced.
  j5::MemImage image;
  std::deque<std::pair<double, j5::MemImage>> earlier;
  std::size_t boxesSeen = 0;
  int starts = 0, reports = 0;

  Harness(const std::uint8_t* bytes, std::size_t size) : input(bytes, size) {
    device.radio.config().identForm = setup & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
    // A radio memory of distinct bytes, ACK and Cmd_Data among them, some channels erased.
    for (int a = 0; a < 0x1800; ++a) {
      const bool erased = (setup & 2) && (a / 16) % 5 == 1 && (a < 0x800 || a >= 0x1000);
      device.radio.memory().set(static_cast<std::uint16_t>(a),
                                erased ? 0xFF : static_cast<std::uint8_t>(a * 7 + a / 256 + setup));
    }
    platform.attachDevice(1, device);
    program.MDImain.load();
    platform.runUntilIdle();
    Snapshot();
    boxesSeen = platform.messageBoxes().size();
  }

  void Snapshot() {
    if (image == data.Mem_Image) return;
    const double now = platform.nowMs();
    // A frame of twenty bytes is on the line for well under a tenth of a second.
    while (!earlier.empty() && earlier.front().first < now - 100) earlier.pop_front();
    earlier.emplace_back(now, image);
    image = data.Mem_Image;
  }

  // A user's step: the image may change with it, and a Read or Write press may start an exchange.
  // True when the step started an exchange.
  template <class F>
  bool User(F&& step, bool startsExchange = false) {
    const std::size_t before = platform.messageBoxes().size();
    step();
    platform.runUntilIdle();
    const auto& boxes = platform.messageBoxes();
    bool refused = false;
    for (std::size_t i = before; i < boxes.size(); ++i) {
      const std::string& text = boxes[i].text;
      Check(!boxes[i].title.empty(),
            [&] { return std::string("an error escaped a handler: " + text); });
      // The busy, port and value messages of a press that starts nothing.
      const bool refusal = text.find("正在") == 0 || text.find("Read-write") == 0 ||
                           text.find("通讯端口打开错误") == 0 ||
                           text.find("Communication port is error") == 0 ||
                           (startsExchange && Is_Report(text));
      refused |= refusal;
      if (!refusal && Is_Report(text)) Count_Report(boxes[i]);
    }
    boxesSeen = boxes.size();
    const bool started = startsExchange && !refused && device.opens > device.closes;
    starts += started;
    Snapshot();
    Check_Port();
    return started;
  }

  void Count_Report(const kit::MessageBoxRecord& box) {
    ++reports;
    Check(reports <= starts, "a completion or failure report without an exchange of its own");
    // Every exchange ends with the port closing; its report comes then or a second later.
    auto closing = std::find_if(device.closings.rbegin(), device.closings.rend(),
                                [&](const auto& c) { return c.first <= box.atMs; });
    Check(closing != device.closings.rend(), "a report before the port ever closed");
    Check(closing->second++ == 0, "two reports for one exchange");
    Check(box.atMs <= closing->first + kReplyMs + kSlackMs, "a report long after the port closed");
  }

  // The clock moves on; only the link and the windows' own timers act.
  void Wait(double ms) {
    platform.advance(ms);
    const auto& boxes = platform.messageBoxes();
    bool readDone = false;
    for (std::size_t i = boxesSeen; i < boxes.size(); ++i) {
      Check(!boxes[i].title.empty(),
            [&] { return std::string("an error escaped a handler: " + boxes[i].text); });
      if (!Is_Report(boxes[i].text)) continue;
      Count_Report(boxes[i]);
      readDone |= Is_Read_Done(boxes[i].text);
    }
    boxesSeen = boxes.size();
    Check_Image(readDone);
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
  }
};

void Fuzz_Radio::closed(double atMs) {
  ++closes;
  lastClose = atMs;
  closings.emplace_back(atMs, 0);
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
  const std::uint8_t op = in.Byte() % 12;
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
          true);
      if (!started) h.device.clean = wasClean && h.device.clean;
      return;
    }
    case 2:
      h.User(
          [&] {
            if (!p.Form_Comm_Write.get()) d.click(main.Prog_write);
            if (auto* w = p.Form_Comm_Write.get()) d.click(w->Command_Write);
          },
          true);
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
      h.device.radio.config().identForm =
          arg & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
      return;
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
