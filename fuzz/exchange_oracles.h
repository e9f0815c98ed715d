#pragma once
// What the targets that press a window's Read and Write hold every exchange to: it ends in exactly
// one report, and a write that reports completion has left the radio holding every row it was to
// send.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
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

// One frame of a write: the radio address it goes to, the row it carries (its index among the
// write's Held_Rows), whether that row goes out as its first byte alone when it begins with 255,
// and how many of its bytes (from the first) the radio must hold.
struct Planned_Frame {
  std::uint16_t address;
  std::size_t row;
  bool mayShorten = false;
  std::size_t bytes = 16;
};

// A write, from its press to what its completion left in the radio. The frames carry the rows as
// they stood when the write started; before every write sends that snapshot, a frame carries its
// row as it stood when the frame was queued. So the radio must hold, for every frame of the plan,
// one state its row went through since the press (the one at the press, where nothing changed it
// meanwhile), and have heard that frame during the write. The completion may come while the last
// frame is still on the line (a stray ACK taken for the radio's): the check waits until the line
// has carried it in, and runs before any later exchange can reach the radio.
class Write_Watch {
 public:
  // A frame of twenty bytes with no pauses, and what the event loop may add.
  static constexpr double kDrainMs = 25;

  void Started(std::vector<Planned_Frame> frames, const sim::Radio& radio) {
    frames_ = std::move(frames);
    firstLog_ = radio.log().size();
    due_ = kNever;
  }
  // The completion report came; `rows` as they went since the press.
  void Completed(const Held_Rows& rows, double nowMs) {
    rows_ = rows;
    due_ = nowMs + kDrainMs;
  }
  double Due() const { return due_; }
  void Check_Due(const sim::Radio& radio, double nowMs) {
    if (nowMs < due_) return;
    due_ = kNever;
    std::set<std::uint16_t> heard;
    const auto& log = radio.log();
    for (std::size_t i = firstLog_; i < log.size(); ++i) {
      const sim::LogEntry& e = log[i];
      if (e.direction == sim::Direction::ToRadio &&
          (e.kind == sim::FrameKind::DataFrame || e.kind == sim::FrameKind::ShortRowFrame))
        heard.insert(static_cast<std::uint16_t>(e.bytes[1] << 8 | e.bytes[2]));
    }
    for (const Planned_Frame& f : frames_) {
      const auto what = [&](const char* fault) {
        return "a write reported complete " + std::string(fault) + " row " + std::to_string(f.row) +
               " (address " + std::to_string(f.address) + ")";
      };
      Check(heard.contains(f.address), [&] { return what("never sent"); });
      const std::vector<std::uint8_t> held = radio.memory().read(f.address, 16);
      const auto n = static_cast<std::ptrdiff_t>(f.bytes);
      const bool written =
          rows_->Any(f.row,
                     [&](const Held_Rows::Row& r) {
                       return std::equal(r.begin(), r.begin() + n, held.begin());
                     }) ||
          (f.mayShorten && held[0] == j5::kEmptyByte &&
           rows_->Any(f.row, [](const Held_Rows::Row& r) { return r[0] == j5::kEmptyByte; }));
      Check(written, [&] { return what("and the radio does not hold"); });
    }
  }

 private:
  static constexpr double kNever = std::numeric_limits<double>::infinity();
  std::vector<Planned_Frame> frames_;
  std::size_t firstLog_ = 0;
  std::optional<Held_Rows> rows_;
  double due_ = kNever;
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

  // A message box: no error escaped a handler, and outside a press a report ends the exchange;
  // `rows` are the write's rows since its press.
  void On_Box(const kit::MessageBoxRecord& box, const Held_Rows& rows) {
    Check(!box.title.empty(),
          [&] { return std::string("an error escaped a handler: " + box.text); });
    if (pressing) return;
    const Report report = Report_Of(link, box.text);
    if (report == Report::None) return;
    exchanges.Reported(0, box.text);
    readDone |= report == Report::Read_Done;
    if (report == Report::Write_Done) write.Completed(rows, box.atMs);
  }
};

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
