#pragma once
// What the targets that press a window's Read and Write hold every exchange to: it ends in exactly
// one report, and a write that reports completion has left the radio holding every row it was to
// send.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "link/transfer_progress.h"
#include "platform/form.h"
#include "platform/headless.h"
#include "sim/radio.h"
#include "support/sim_device.h"

namespace j5fuzz {

// What a message box says of an exchange of a window whose transfer is `link`, outside a press
// (where these texts refuse a start): there the port message is a restart that found the port
// taken, and the value message a running write stopped at a value that is no byte.
enum class Report { None, Read_Done, Write_Done, Failed };
inline Report Report_Of(const j5::Transfer_Description& link, const std::string& text) {
  const auto is = [&](const j5::Bilingual& b) {
    return !b.chn.empty() && (text == b.chn || text == b.eng);
  };
  const j5::Transfer_Texts& t = link.texts;
  if (is(t.read_done_message)) return Report::Read_Done;
  if (is(t.write_done_message)) return Report::Write_Done;
  if (is(t.fail_message) || (link.restarts > 0 && is(t.port_error)) ||
      text.find("只写入了一部分") != std::string::npos ||
      text.find("only partly written") != std::string::npos)
    return Report::Failed;
  return Report::None;
}

// The exchanges of a target's windows. An exchange begins with a press of Read or Write that opens
// the port, and ends in exactly one report: its completion, its failure (a restart that finds the
// port taken included) or a write stopped at a value that is no byte. A window says nothing only
// where the user ends the exchange while its report is still due, that is in the pause after a
// time-out (the port closed less than the window's report delay ago): by closing the window (a
// running transfer refuses that) or by pressing Read or Write again, which starts afresh. An
// exchange that ends any other way without a report is a fault, and so is a report that ends no
// exchange.
class Exchanges {
 public:
  struct Window {
    std::string name;
    double reportMs;  // from a time-out to the report (or a restart)
  };
  explicit Exchanges(std::vector<Window> windows)
      : windows_(std::move(windows)), open_(windows_.size(), false) {}

  bool Open(std::size_t w) const { return open_[w]; }
  // A press in window w opened the port; the port last closed at lastCloseMs.
  void Started(std::size_t w, double nowMs, double lastCloseMs) {
    if (open_[w]) Ended_Quietly(w, nowMs, lastCloseMs, "pressed again");
    open_[w] = true;
  }
  // Window w closed.
  void Closed(std::size_t w, double nowMs, double lastCloseMs) {
    if (open_[w]) Ended_Quietly(w, nowMs, lastCloseMs, "closed");
    open_[w] = false;
  }
  void Reported(std::size_t w, const std::string& text) {
    Check(open_[w],
          [&] { return windows_[w].name + " reported \"" + text + "\" for no exchange"; });
    open_[w] = false;
  }
  // The script is done and the line quiet: every exchange has had its report.
  void Check_All_Ended() const {
    for (std::size_t w = 0; w < open_.size(); ++w)
      Check(!open_[w], [&] { return "an exchange of " + windows_[w].name + " ended unreported"; });
  }

 private:
  std::vector<Window> windows_;
  std::vector<bool> open_;

  // The port may have closed since for another window, never before this one's time-out: an
  // exchange whose report is overdue ended without one.
  void Ended_Quietly(std::size_t w, double nowMs, double lastCloseMs, const char* how) const {
    constexpr double kSlackMs = 50;
    Check(nowMs <= lastCloseMs + windows_[w].reportMs + kSlackMs, [&] {
      return windows_[w].name + " was " + how + " " + std::to_string(nowMs - lastCloseMs) +
             " ms after the port closed: its exchange had ended without a report";
    });
  }
};

// Tells when a window closes: each form it is shown is watched until its Unload handler lets it
// go. Stop() before the program goes, so its last unloads tell nothing.
class Closing_Watch {
 public:
  template <class Closed>
  void Watch(kit::Form* form, Closed closed) {
    if (!form || !watched_.insert(form).second) return;
    form->Unload = [this, form, closed, unload = form->Unload](int& cancel) {
      if (unload) unload(cancel);
      if (cancel != 0 || stopped_) return;
      watched_.erase(form);
      closed();
    };
  }
  void Stop() { stopped_ = true; }

 private:
  std::set<kit::Form*> watched_;
  bool stopped_ = false;
};

// One frame of a write: the radio address it goes to, its row as the write took it when its
// exchange started, whether that row goes out as its first byte alone when it begins with 255, and
// how many of its bytes (from the first) the radio must hold.
struct Planned_Frame {
  std::uint16_t address;
  Held_Rows::Row row;
  bool mayShorten = false;
  std::size_t bytes = 16;
};

// A write, from the press that started its exchange to what its completion left in the radio.
// Every write sends its rows as they stood when its exchange started, whatever the user edits or
// loads while it runs, and a frame the radio refuses is no frame written: so the radio must hold,
// for every frame of the plan, its row as the write took it, and have heard that frame during the
// write. The completion may come while the last frame is still on the line (a stray ACK taken for
// the radio's): the check waits until the line has carried it in, and runs before any later
// exchange can reach the radio.
//
// The protocol does not say which frame an ACK answers, so a tool rightly goes on past a refused
// frame when another ACK reaches it after that frame: the radio's answer to the ACK sent in front
// of the frame (in front of the first frame after an opening), or an earlier answer that the line
// delayed until then. A refused frame is excused in those two cases only.
class Write_Watch {
 public:
  // A frame of twenty bytes with no pauses, and what the event loop may add.
  static constexpr double kDrainMs = 25;

  void Started(std::vector<Planned_Frame> frames, const sim::Radio& radio) {
    frames_ = std::move(frames);
    firstLog_ = radio.log().size();
    due_ = kNever;
    answersShaped_ = false;
  }
  // An answer of the radio went astray on its way to the tool (late, lost, changed, padded).
  void Answer_Shaped() { answersShaped_ = true; }
  // The completion report came.
  void Completed(double nowMs) { due_ = nowMs + kDrainMs; }
  double Due() const { return due_; }
  void Check_Due(const sim::Radio& radio, double nowMs) {
    if (nowMs < due_) return;
    due_ = kNever;
    std::set<std::uint16_t> heard, excused;
    const auto& log = radio.log();
    const auto is = [&](std::size_t i, sim::Direction d, sim::FrameKind k) {
      return log[i].direction == d && log[i].kind == k;
    };
    for (std::size_t i = firstLog_; i < log.size(); ++i) {
      const sim::LogEntry& e = log[i];
      if (e.direction != sim::Direction::ToRadio ||
          (e.kind != sim::FrameKind::DataFrame && e.kind != sim::FrameKind::ShortRowFrame))
        continue;
      const auto address = static_cast<std::uint16_t>(e.bytes[1] << 8 | e.bytes[2]);
      heard.insert(address);
      const bool behindAnsweredAck = i >= 2 &&
                                     is(i - 1, sim::Direction::FromRadio, sim::FrameKind::Ack) &&
                                     is(i - 2, sim::Direction::ToRadio, sim::FrameKind::Ack);
      if (e.fault == sim::misbehaviourName(sim::Misbehaviour::Refuse) &&
          (answersShaped_ || behindAnsweredAck))
        excused.insert(address);
    }
    for (const Planned_Frame& f : frames_) {
      const auto what = [&](const char* fault) {
        return "a write reported complete " + std::string(fault) + " the row for address " +
               std::to_string(f.address);
      };
      Check(heard.contains(f.address), [&] { return what("never sent"); });
      const std::vector<std::uint8_t> held = radio.memory().read(f.address, 16);
      const auto n = static_cast<std::ptrdiff_t>(f.bytes);
      const bool written =
          std::equal(f.row.begin(), f.row.begin() + n, held.begin()) ||
          (f.mayShorten && f.row[0] == j5::kEmptyByte && held[0] == j5::kEmptyByte);
      Check(written || excused.contains(f.address), [&] {
        std::string text = what("and the radio does not hold");
        text += " as the write took it:";
        for (std::size_t c = 0; c < f.bytes; ++c) text += " " + std::to_string(f.row[c]);
        text += "; the radio holds";
        for (std::size_t c = 0; c < f.bytes; ++c) text += " " + std::to_string(held[c]);
        return text;
      });
    }
  }

 private:
  static constexpr double kNever = std::numeric_limits<double>::infinity();
  std::vector<Planned_Frame> frames_;
  std::size_t firstLog_ = 0;
  double due_ = kNever;
  bool answersShaped_ = false;
};

// What a target with one transfer window keeps of it: its exchanges and its last write, and
// whether a press is under way (its messages say why it starts nothing) or a read was reported
// done.
struct One_Window {
  One_Window(std::string name, const j5::Transfer_Description& link)
      : link(link), exchanges({{std::move(name), link.times.report_ms}}) {}
  const j5::Transfer_Description& link;
  Exchanges exchanges;
  Write_Watch write;
  bool pressing = false, readDone = false;

  // A message box: no error escaped a handler, and outside a press a report ends the exchange.
  void On_Box(const kit::MessageBoxRecord& box) {
    Check(!box.title.empty(),
          [&] { return std::string("an error escaped a handler: " + box.text); });
    if (pressing) return;
    const Report report = Report_Of(link, box.text);
    if (report == Report::None) return;
    exchanges.Reported(0, box.text);
    readDone |= report == Report::Read_Done;
    if (report == Report::Write_Done) write.Completed(box.atMs);
  }
};

// Whether the radio refused a written frame among its log entries from `from` on. A target that
// shapes the radio's answers passes a refusal on as it is: one spoilt into an ACK would be the
// radio taking the frame after all.
inline bool Refused_Since(const sim::Radio& radio, std::size_t from) {
  const auto& log = radio.log();
  return std::any_of(log.begin() + static_cast<std::ptrdiff_t>(from), log.end(), [](const auto& e) {
    return e.direction == sim::Direction::FromRadio &&
           e.fault == sim::misbehaviourName(sim::Misbehaviour::Refuse);
  });
}

// The radio refuses written frames: after `skip` of them, the next one to three, answering each
// with the script's byte (never ACK).
inline void Inject_Refusal(sim::Radio& radio, int skip, Fuzz_Input& script) {
  sim::Fault f;
  f.what = sim::Misbehaviour::Refuse;
  f.skip = skip;
  f.count = 1 + script.Byte() % 3;
  f.byte = script.Byte();
  radio.inject(f);
}

// One frame of the radio's log on stderr (J5_FUZZ_TRACE): when, which way, its kind, its first
// bytes and the fault that shaped it.
inline void Trace_Entry(const sim::LogEntry& e) {
  std::fprintf(stderr, "%10lld us %s %s:", static_cast<long long>(e.time),
               e.direction == sim::Direction::ToRadio ? "->" : "<-",
               std::string(sim::frameKindName(e.kind)).c_str());
  for (std::size_t i = 0; i < e.bytes.size() && i < 24; ++i)
    std::fprintf(stderr, " %02X", e.bytes[i]);
  std::fprintf(stderr, " %s\n", e.fault.c_str());
}

// A written frame (a whole row or a short one) carries one state of row n.
inline bool Carries_Frame(const Held_Rows& rows, std::size_t n, const sim::LogEntry& frame) {
  if (frame.kind == sim::FrameKind::ShortRowFrame)
    return rows.Any(n, [](const Held_Rows::Row& r) { return r[0] == j5::kEmptyByte; });
  return frame.bytes.size() == 20 && rows.Carries(n, &frame.bytes[4]);
}

// Moves the clock on by ms, stopping where a write's check falls due, so it runs before a later
// exchange can reach the radio.
inline void Advance(kit::HeadlessPlatform& platform, double ms, const sim::Radio& radio,
                    std::initializer_list<Write_Watch*> watches) {
  const double end = platform.nowMs() + ms;
  for (;;) {
    double stop = end;
    for (const Write_Watch* w : watches)
      stop = std::min(stop, std::max(w->Due(), platform.nowMs()));
    platform.advance(stop - platform.nowMs());
    for (Write_Watch* w : watches) w->Check_Due(radio, platform.nowMs());
    if (stop >= end) return;
  }
}

// The simulator on a headless port, noting when the port last closed.
struct Timed_Sim_Device : j5test::Sim_Device {
  double lastCloseMs = -1e9;
  void closed(double atMs) override {
    Sim_Device::closed(atMs);
    lastCloseMs = atMs;
  }
};

}  // namespace j5fuzz
