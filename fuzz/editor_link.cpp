// The receive sides of the channel editor's own transfer and of the password window, on the
// headless platform's line to a simulated radio whose answers the fuzzer delays, drops, cuts,
// corrupts and pads, while the user presses the channel window's Read and Write, Modify and Close
// in the password window, closes and reopens the windows and puts values into the image.
// Whatever comes:
// - nothing escapes a handler;
// - every channel frame the tool writes is its image row (so no value outside 0..255 goes out),
//   a short row only for a row that begins with 255;
// - a password frame carries the new password in its first six bytes; when the radio answered
//   cleanly, it is written only over a block without a password or with the old one typed, and
//   the rest of the block goes back as the radio held it;
// - the image changes only when a channel read completes, and then holds bytes (the radio's, when
//   it answered cleanly) in the channels read, nothing else;
// - the port closes at most a second after the last byte either side sent;
// - there are never more reports than exchanges started.
//
// Input: a set-up byte, the length of the script (two bytes), the script of user steps, then how
// the radio answers each frame, in order.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editors/channels/frm_chann.h"
#include "fuzz_support.h"
#include "link/Form_Write_PassWord.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "sim/radio.h"
#include "support/driver.h"

using j5fuzz::Check;
using j5fuzz::Fail;

namespace {

constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;
constexpr double kReplyMs = 1000;
constexpr double kSlackMs = 25 + 25 * kByteMs;
constexpr std::uint16_t kPasswordBlock = 0x1FF0;

bool Is_Report(const std::string& t) {
  for (const char* r :
       {"Complete reading data from the transceiver.", "Complete writing the data to transceiver.",
        "Fail connect with transceiver.", "PassWord Modify Success ! ",
        "Old PassWord Error, Writeing Stop"})
    if (t == r) return true;
  return false;
}

struct Harness;

struct Fuzz_Radio : kit::SerialDevice {
  explicit Fuzz_Radio(Harness& h) : h(h) {}
  Harness& h;
  sim::Radio radio;
  int opens = 0, closes = 0;
  double lastActivity = -1e9, lastClose = -1e9;
  bool clean = true;  // every answer since the last start went out unchanged

  void receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) override;
  void opened(double atMs) override {
    ++opens;
    lastActivity = std::max(lastActivity, atMs);
  }
  void closed(double atMs) override {
    ++closes;
    lastClose = atMs;
    Check(atMs <= lastActivity + kReplyMs + kSlackMs, [&] {
      return "the port closed " + std::to_string(atMs - lastActivity) + " ms after the last byte";
    });
  }
  void Check_Frame(const sim::LogEntry& e);
};

struct Harness {
  kit::HeadlessPlatform platform;
  j5fuzz::Fuzz_Input input;
  const std::uint8_t setup = input.Byte();
  j5fuzz::Fuzz_Input script = input.Part(static_cast<std::size_t>(input.Word()));
  Fuzz_Radio device{*this};
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::SharedData& data = program.data;
  j5::MemImage image;
  std::size_t boxesSeen = 0;
  int starts = 0, reports = 0;
  // The password exchange: the old and new passwords typed, the block as the radio held it.
  std::string oldTyped, newTyped;
  std::vector<std::uint8_t> blockBefore;

  Harness(const std::uint8_t* bytes, std::size_t size) : input(bytes, size) {
    device.radio.config().identForm = setup & 1 ? sim::IdentForm::Ident14 : sim::IdentForm::Ident8;
    for (int a = 0; a < 0x1800; ++a)
      device.radio.memory().set(static_cast<std::uint16_t>(a),
                                static_cast<std::uint8_t>(a * 7 + a / 256 + setup));
    const std::string stored = setup & 2 ? "123456" : "      ";
    for (int i = 0; i < 16; ++i)
      device.radio.memory().set(static_cast<std::uint16_t>(kPasswordBlock + i),
                                i < 6 ? stored[static_cast<std::size_t>(i)] : 0x30 + i);
    platform.attachDevice(1, device);
    program.MDImain.load();
    platform.advance(3000);
    data.Lang_Chn = j5::kFalse;
    data.Comm_Port = 1;
    program.frm_chann.load();
    platform.runUntilIdle();
    image = data.Mem_Image;
    boxesSeen = platform.messageBoxes().size();
  }

  j5::frm_chann& Chann() {
    if (!program.frm_chann.loaded()) program.frm_chann.load();
    return *program.frm_chann;
  }
  bool Busy() {
    return (program.frm_chann.loaded() && program.frm_chann->Link.Link_Busy()) ||
           (program.Form_Write_PassWord.loaded() && program.Form_Write_PassWord->Link.Link_Busy());
  }

  // Message boxes since the last look: none is an escaped error, and reports never outnumber
  // the exchanges started. True when a channel read completed.
  bool New_Boxes() {
    bool readDone = false;
    const auto& boxes = platform.messageBoxes();
    for (std::size_t i = boxesSeen; i < boxes.size(); ++i) {
      Check(!boxes[i].title.empty(),
            [&] { return "an error escaped a handler: " + boxes[i].text; });
      if (!Is_Report(boxes[i].text)) continue;
      Check(++reports <= starts, "more reports than exchanges");
      readDone |= boxes[i].text == "Complete reading data from the transceiver.";
    }
    boxesSeen = boxes.size();
    return readDone;
  }

  void Check_Image(bool readDone) {
    const j5::MemImage& now = data.Mem_Image;
    j5::MemImage normalised = image;
    j5fuzz::Normalise_Empty_Channels(normalised, data.Chann_Total);
    if (now == image || now == normalised) {
      image = now;
      return;
    }
    Check(readDone, "the image changed while no channel read completed");
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) {
        const bool channel = c < 16 && (r < 128 || (r >= 256 && r < 384));
        if (!channel) {
          Check(now(r, c) == image(r, c),
                [&] { return "a read changed row " + std::to_string(r); });
        } else if (now(r, c) != image(r, c)) {
          Check(now(r, c) >= 0 && now(r, c) <= 255, "a read stored a value that is no byte");
          if (device.clean) {
            const auto address =
                static_cast<std::uint16_t>(r < 256 ? r * 16 + c : 0x1000 + (r - 256) * 16 + c);
            Check(now(r, c) == device.radio.memory().at(address) || now(r, c) == 0xFF,
                  "a clean read did not store the radio's bytes");
          }
        }
      }
    image = now;
  }

  void Check_Port() {
    if (device.opens == device.closes) return;
    Check(platform.nowMs() <= device.lastActivity + kReplyMs + kSlackMs, [&] {
      return "the port is still open " + std::to_string(platform.nowMs() - device.lastActivity) +
             " ms after the last byte";
    });
  }

  // A user's step; a press that opened the port started an exchange.
  template <class F>
  void User(F&& step, bool startsExchange = false) {
    const int opensBefore = device.opens;
    // A press refused while an exchange runs keeps that exchange's record of clean answers.
    if (startsExchange && !Busy()) device.clean = true;
    step();
    platform.runUntilIdle();
    if (startsExchange && device.opens > opensBefore) ++starts;
    New_Boxes();
    image = data.Mem_Image;  // the user's step may put a value in
    Check_Port();
  }

  void Wait(double ms) {
    // In small steps, so a port left open is seen when it should have closed.
    for (double done = 0; done < ms; done += 50) {
      platform.advance(std::min(50.0, ms - done));
      Check_Image(New_Boxes());
      Check_Port();
    }
  }
};

void Fuzz_Radio::Check_Frame(const sim::LogEntry& e) {
  const auto& b = e.bytes;
  if (e.kind != sim::FrameKind::DataFrame && e.kind != sim::FrameKind::ShortRowFrame) return;
  const int address = b[1] << 8 | b[2];
  if (address == kPasswordBlock) {
    Check(e.kind == sim::FrameKind::DataFrame && b.size() == 20,
          "a password frame of another form");
    std::string typed = h.newTyped;
    typed.resize(6, ' ');
    for (std::size_t i = 0; i < 6; ++i)
      Check(b[4 + i] == static_cast<std::uint8_t>(typed[i]),
            "the password frame is not the new one");
    if (!clean) return;
    const auto& was = h.blockBefore;
    if (std::getenv("J5_FUZZ_TRACE")) {
      std::string t;
      for (auto x : was) t += " " + std::to_string(x);
      t += " | old " + h.oldTyped + " | frame";
      for (auto x : b) t += " " + std::to_string(x);
      std::fprintf(stderr, "%.1f ms password frame: %s\n", e.time / 1000.0, t.c_str());
    }
    std::string old = h.oldTyped;
    old.resize(6, ' ');
    const bool blank = std::all_of(was.begin(), was.begin() + 6, [](int x) { return x == ' '; });
    Check(blank || std::equal(was.begin(), was.begin() + 6, old.begin()),
          "a password written over a block whose password was not typed");
    Check(std::equal(was.begin() + 6, was.end(), b.begin() + 10),
          "the password frame changed the rest of the block");
    return;
  }
  Check(address % 16 == 0 && (address < 0x800 || (address >= 0x1000 && address < 0x1800)),
        [&] { return "a frame for address " + std::to_string(address); });
  const auto row =
      static_cast<std::size_t>(address < 0x1000 ? address / 16 : 256 + (address - 0x1000) / 16);
  j5::MemImage normalised = h.image;
  j5fuzz::Normalise_Empty_Channels(normalised, h.data.Chann_Total);
  const auto matches = [&](const j5::MemImage& m) {
    if (e.kind == sim::FrameKind::ShortRowFrame) return m(row, 0) == j5::kEmptyByte;
    if (b.size() != 20) return false;
    for (std::size_t c = 0; c < 16; ++c)
      if (m(row, c) != b[4 + c]) return false;
    return true;
  };
  if (matches(h.data.Mem_Image) || matches(h.image) || matches(normalised)) return;
  Fail("the frame for row " + std::to_string(row) + " is not its image row");
}

void Fuzz_Radio::receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) {
  lastActivity = std::max(lastActivity, atMs);
  const std::size_t logged = radio.log().size();
  radio.receive(byte, std::llround(atMs * 1000));
  for (std::size_t i = logged; i < radio.log().size(); ++i)
    if (radio.log()[i].direction == sim::Direction::ToRadio) Check_Frame(radio.log()[i]);
  if (!radio.hasOutput()) return;
  std::vector<std::uint8_t> answer;
  for (const auto& out : radio.takeAllOutput()) answer.push_back(out.value);
  const bool unchanged = j5fuzz::Send_Shaped(
      h.input, std::move(answer), atMs, [&](const std::vector<std::uint8_t>& bytes, double at) {
        if (bytes.empty()) return;
        link.send(bytes, at);
        lastActivity = std::max(lastActivity, at) + static_cast<double>(bytes.size()) * kByteMs;
      });
  clean = clean && unchanged;
}

void Step(Harness& h) {
  j5fuzz::Fuzz_Input& in = h.script;
  j5::Program& p = h.program;
  kit::Driver& d = h.d;
  const std::uint8_t op = in.Byte() % 9;
  const std::uint8_t arg = in.Byte();
  switch (op) {
    case 0:
      return h.Wait((arg + 1) * 8.0);
    case 1:
      return h.User([&] { h.Chann().Command_read.Click(); }, true);
    case 2:
      return h.User([&] { h.Chann().Command_Write.Click(); }, true);
    case 3:
      return h.User(
          [&] {
            if (!p.Form_Write_PassWord.loaded()) p.MDImain->PC_PassWord_Click();
            auto& w = *p.Form_Write_PassWord;
            const bool busy = w.Link.Link_Busy();
            const std::string old = arg & 1 ? "123456" : arg & 2 ? "12345" : "";
            const std::string typed = arg & 4 ? "ab" : "Z9z9Z9";
            w.Text_Old_PassWord.setText(old);
            w.Text_New_Password_1.setText(typed);
            w.Text_New_PassWord_2.setText(typed);
            if (!busy) {
              h.oldTyped = old;
              h.newTyped = typed;
              h.blockBefore = h.device.radio.memory().read(kPasswordBlock, 16);
            }
            d.click(w.Command_Write);
          },
          true);
    case 4:
      return h.User([&] {
        if (auto* w = p.Form_Write_PassWord.get()) d.click(w->Command_Cancel);
      });
    case 5:
      return h.User([&] {
        if (arg & 1) {
          if (auto* w = p.frm_chann.get()) d.click(w->Command_close);
        } else {
          p.MDImain->Channel_edit_Click();
        }
      });
    case 6: {
      const auto row = static_cast<std::size_t>((arg | in.Byte() << 8) % 512);
      const auto col = static_cast<std::size_t>(in.Byte() % 16);
      const std::int16_t value = in.Int16();
      // What a loaded file may leave in the image, but not under a running transfer; the channel
      // window reopens on it, as after a load.
      if (h.Busy()) return;
      return h.User([&] {
        h.data.Mem_Image(row, col) = value;
        p.frm_chann.unload();
        p.frm_chann.load();
      });
    }
    case 7:
      h.device.radio.config().identForm =
          arg & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
      return;
    default:
      if (h.Busy()) return;
      return h.User([&] { h.data.Chann_Total = static_cast<std::int16_t>(1 + arg % 128); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Harness h(data, size);
  constexpr double kScriptMs = 300'000;
  while (!h.script.empty() && h.platform.nowMs() < kScriptMs) Step(h);
  // The radio answers at once from here on; a restart follows a time-out by a second and a half.
  for (int i = 0; i < 400; ++i) {
    h.Wait(250);
    if (h.device.opens == h.device.closes && h.platform.nowMs() > h.device.lastClose + 2000) break;
  }
  Check(h.device.opens == h.device.closes, [&] {
    return "an exchange never ended (" + std::to_string(h.device.opens) + " opens, " +
           std::to_string(h.device.closes) + " closes, " +
           std::to_string(h.device.radio.log().size()) + " frames, at " +
           std::to_string(h.platform.nowMs()) + " ms)";
  });
  return 0;
}
