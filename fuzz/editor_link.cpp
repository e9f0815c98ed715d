// The receive sides of the channel editor's own transfer and of the password window, on the
// headless platform's line to a simulated radio whose answers the fuzzer delays, drops, cuts,
// corrupts and pads, while the user presses the channel window's Read and Write, Modify and Close
// in the password window, closes and reopens the windows, puts values into the image and changes
// the channel count in the option window (the channel window rebuilds when the user comes back to
// it). Whatever comes:
// - nothing escapes a handler;
// - every channel frame the tool writes is its image row (so no value outside 0..255 goes out),
//   a short row only for a row that begins with 255;
// - a password frame carries the new password in its first six bytes; when the radio answered
//   cleanly, it is written only over a block without a password or with the old one typed, and
//   the rest of the block goes back as the radio held it;
// - the image changes only when a channel read completes, and then holds bytes (the radio's, when
//   it answered cleanly) in the channels read, nothing else;
// - the port closes at most a second after the last byte either side sent;
// - every exchange of either window ends in exactly one report; it ends without one only where
//   the user closes the window, or presses again in it, while its report is still due;
// - a channel write reported complete leaves the radio holding every record and name row it was
//   to send, as it stood when its exchange started, and a password reported changed is the new
//   one in the radio (which may refuse a written frame).
//
// Input: a set-up byte, the length of the script (two bytes), the script of user steps, then how
// the radio answers each frame, in order.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editors/channels/frm_chann.h"
#include "editors/options/frm_option.h"
#include "exchange_oracles.h"
#include "fuzz_support.h"
#include "link/Form_Write_PassWord.h"
#include "link/transfers.h"
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

enum Window : std::size_t { kChann, kPassword };

constexpr const char* kPasswordChanged = "PassWord Modify Success ! ";
constexpr const char* kPasswordRefused = "Old PassWord Error, Writeing Stop";

// What the channel write sends of the first n channels of `image`: each record (the first whole),
// then its name row; a row that begins with 255 goes out as that byte alone.
std::vector<j5fuzz::Planned_Frame> Channel_Write_Frames(int n, const j5::MemImage& image) {
  std::vector<j5fuzz::Planned_Frame> frames;
  for (int c = 0; c < n; ++c) {
    const auto row = static_cast<std::size_t>(c);
    frames.push_back({static_cast<std::uint16_t>(c * 16), j5fuzz::Image_Row(image, row), c != 0});
    frames.push_back(
        {static_cast<std::uint16_t>(0x1000 + c * 16), j5fuzz::Image_Row(image, row + 256), true});
  }
  return frames;
}

// A password as its block's first six bytes hold it: blanks after its last character.
j5fuzz::Held_Rows::Row Password_Row(const std::string& typed) {
  j5fuzz::Held_Rows::Row row{};
  for (std::size_t i = 0; i < 6; ++i) row[i] = i < typed.size() ? typed[i] : ' ';
  return row;
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
  j5fuzz::Exchanges exchanges{{{"the channel window", j5::Channel_Link().times.report_ms},
                               {"the password window", j5::Password_Link().times.report_ms}}};
  // The last channel write and its records and name rows (image rows 0..383) since its press; the
  // last password change.
  j5fuzz::Write_Watch channWrite, passwordWrite;
  j5fuzz::Held_Rows channRows{384};
  j5fuzz::Closing_Watch closing;
  bool pressing = false, readDone = false;
  j5::Program program{platform};
  kit::Driver d{platform};
  j5::Shared_Data& data = program.data;
  j5::MemImage image;
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
    platform.onMessageBox = [this](const kit::MessageBoxRecord& box) { On_Box(box); };
    program.MDImain.load();
    platform.advance(3000);
    data.Lang_Chn = j5::kFalse;
    data.Comm_Port = 1;
    program.frm_chann.load();
    platform.runUntilIdle();
    image = data.Mem_Image;
    Watch_Windows();
  }
  ~Harness() { closing.Stop(); }

  j5::frm_chann& Chann() {
    if (!program.frm_chann.loaded()) program.frm_chann.load();
    return *program.frm_chann;
  }
  bool Busy() {
    return (program.frm_chann.loaded() && program.frm_chann->Link.Link_Busy()) ||
           (program.Form_Write_PassWord.loaded() && program.Form_Write_PassWord->Link.Link_Busy());
  }

  void Hold_Chann_Rows(bool fresh) {
    for (std::size_t r = 0; r < channRows.size(); ++r)
      channRows.Hold(r, j5fuzz::Image_Row(data.Mem_Image, r), fresh);
  }

  void Watch_Windows() {
    for (Window w : {kChann, kPassword}) {
      kit::Form* form = w == kChann ? static_cast<kit::Form*>(program.frm_chann.get())
                                    : program.Form_Write_PassWord.get();
      closing.Watch(form, [this, w] { exchanges.Closed(w, platform.nowMs(), device.lastClose); });
    }
  }

  void On_Box(const kit::MessageBoxRecord& box) {
    const std::string& t = box.text;
    Check(!box.title.empty(), [&] { return "an error escaped a handler: " + t; });
    static const bool trace = std::getenv("J5_FUZZ_TRACE") != nullptr;
    if (trace) std::fprintf(stderr, "%.1f ms box: %s\n", box.atMs, t.c_str());
    // A press that starts nothing says why; no exchange ends inside a press.
    if (pressing) return;
    // The password window's own texts, or the channel window's (its failure text is both's).
    const j5fuzz::Report report = j5fuzz::Report_Of(j5::Channel_Link(), t);
    Window w = kChann;
    if (t == kPasswordChanged || t == kPasswordRefused) {
      w = kPassword;
    } else if (report == j5fuzz::Report::None) {
      return;
    } else if (t == j5::Password_Link().texts.fail_message.eng && exchanges.Open(kPassword)) {
      // The window whose exchange has just been let go; the password window has no restart, so
      // a channel exchange still counted open is in its pause.
      const j5::frm_chann* chann = program.frm_chann.get();
      const bool channEnded =
          exchanges.Open(kChann) && (!chann || !chann->Transfer.Exchange_Open());
      if (!channEnded) w = kPassword;
    }
    exchanges.Reported(w, t);
    readDone |= report == j5fuzz::Report::Read_Done;
    if (report == j5fuzz::Report::Write_Done) channWrite.Completed(box.atMs);
    if (t == kPasswordChanged) passwordWrite.Completed(box.atMs);
  }

  void Check_Image(bool readDone) {
    const j5::MemImage& now = data.Mem_Image;
    if (now == image) return;
    Hold_Chann_Rows(false);
    j5::MemImage normalised = image;
    j5fuzz::Normalise_Empty_Channels(normalised, data.Chann_Total);
    if (now == normalised) {
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

  // A user's step; a press in window `pressed` that opened the port started an exchange there.
  // True when it did.
  template <class F>
  bool User(F&& step, std::optional<Window> pressed = std::nullopt) {
    const int opensBefore = device.opens;
    const double lastClose = device.lastClose;
    pressing = pressed.has_value();
    step();
    platform.runUntilIdle();
    pressing = false;
    const bool started = pressed && device.opens > opensBefore;
    // Only a press that started an exchange begins its record of clean answers, and of rows where
    // it started a channel write (from the rows it took); one that starts nothing keeps those of
    // the exchange that runs or waits for its restart.
    if (started) {
      exchanges.Started(*pressed, platform.nowMs(), lastClose);
      device.clean = true;
    }
    image = data.Mem_Image;  // the user's step may put a value in
    Hold_Chann_Rows(started && pressed == kChann);
    Watch_Windows();
    Check_Port();
    return started;
  }

  void Wait(double ms) {
    // In small steps, so a port left open is seen when it should have closed.
    for (double done = 0; done < ms; done += 50) {
      j5fuzz::Advance(platform, std::min(50.0, ms - done), device.radio,
                      {&channWrite, &passwordWrite});
      Check_Image(std::exchange(readDone, false));
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
    const j5fuzz::Held_Rows::Row typed = Password_Row(h.newTyped);
    for (std::size_t i = 0; i < 6; ++i)
      Check(b[4 + i] == typed[i], "the password frame is not the new one");
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
  // The row as it stood when the write was pressed, or since: a write that sends the image as it
  // stood when its exchange started sends the first of these.
  if (j5fuzz::Carries_Frame(h.channRows, row, e)) return;
  Fail("the frame for row " + std::to_string(row) + " is not its image row");
}

void Fuzz_Radio::receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) {
  lastActivity = std::max(lastActivity, atMs);
  const std::size_t logged = radio.log().size();
  radio.receive(byte, std::llround(atMs * 1000));
  static const bool trace = std::getenv("J5_FUZZ_TRACE") != nullptr;
  for (std::size_t i = logged; i < radio.log().size(); ++i) {
    if (trace) j5fuzz::Trace_Entry(radio.log()[i]);
    if (radio.log()[i].direction == sim::Direction::ToRadio) Check_Frame(radio.log()[i]);
  }
  if (!radio.hasOutput()) return;
  std::vector<std::uint8_t> answer;
  for (const auto& out : radio.takeAllOutput()) answer.push_back(out.value);
  const auto send = [&](const std::vector<std::uint8_t>& bytes, double at) {
    if (bytes.empty()) return;
    link.send(bytes, at);
    lastActivity = std::max(lastActivity, at) + static_cast<double>(bytes.size()) * kByteMs;
  };
  if (j5fuzz::Refused_Since(radio, logged)) return send(answer, atMs);
  if (j5fuzz::Send_Shaped(h.input, std::move(answer), atMs, send)) return;
  clean = false;
  h.channWrite.Answer_Shaped();
  h.passwordWrite.Answer_Shaped();
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
      return (void)h.User([&] { h.Chann().Command_read.Click(); }, kChann);
    case 2: {
      // The channels the write covers are those the window shows.
      const int shown = std::clamp<int>(h.data.Chann_Total, 1, 128);
      if (h.User([&] { h.Chann().Command_Write.Click(); }, kChann))
        h.channWrite.Started(Channel_Write_Frames(shown, h.data.Mem_Image), h.device.radio);
      return;
    }
    case 3:
      if (!h.User(
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
              kPassword))
        return;
      // The new password goes into the first six bytes of the block.
      h.passwordWrite.Started({{kPasswordBlock, Password_Row(h.newTyped), false, 6}},
                              h.device.radio);
      return;
    case 4:
      return (void)h.User([&] {
        if (auto* w = p.Form_Write_PassWord.get()) d.click(w->Command_Cancel);
      });
    case 5:
      return (void)h.User([&] {
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
      return (void)h.User([&] {
        h.data.Mem_Image(row, col) = value;
        p.frm_chann.unload();
        p.frm_chann.load();
      });
    }
    case 7:
      // The radio changes: it refuses written frames, or answers in another identification form.
      if (arg & 2) return j5fuzz::Inject_Refusal(h.device.radio, arg >> 2, in);
      h.device.radio.config().identForm =
          arg & 1 ? sim::IdentForm::Ident8 : sim::IdentForm::Ident14;
      return;
    default:
      // The count changes where the program changes it, in the option window (in its box, which
      // the window keeps hidden, or by its Default), while the channel window may be busy; that
      // window shows the new count when the user comes back to it.
      return (void)h.User([&] {
        if (p.frm_option.loaded())
          d.activate(*p.frm_option);
        else
          p.MDImain->Optional_edit_Click();
        j5::frm_option& o = *p.frm_option;
        if (arg & 0x80) {
          d.click(o.Command_def);
        } else {
          o.Text_chann_total.setVisible(true);
          d.focus(o.Text_chann_total);
          d.selectAll();
          d.type(std::to_string(1 + arg % 128));
          d.tab();
        }
        if (j5::frm_chann* c = p.frm_chann.get()) d.activate(*c);
      });
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
  h.exchanges.Check_All_Ended();
  return 0;
}
