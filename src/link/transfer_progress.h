#pragma once
// The progress of a transfer as a window shows it: ProgressBar1, Label_tr_count and the texts of
// the transfer's description, for what the link reports. The transfer windows and the editors'
// own transfers use it alike; the window owns it, so the two controls are the window's.

#include <string>

#include "link/link_engine.h"
#include "platform/control.h"

namespace j5 {

class Program;

class Transfer_Progress {
 public:
  Transfer_Progress(kit::Form& owner, Program& program, const Transfer_Texts& texts);

  kit::Label Label_tr_count;
  kit::ProgressBar ProgressBar1;

  // A transfer started: bar at 0 (shown when show_bar), the connecting text.
  void Connecting(bool show_bar);
  // The block phase began: the connected text in its status panel.
  void Connected();
  // A block was requested or a frame queued: the bar and the counted text.
  void Reading(const Progress_Mark& mark) { Step(texts_.reading, mark); }
  void Writing(const Progress_Mark& mark) { Step(texts_.writing, mark); }
  // Read complete: bar at 100, label, message (or as the texts say).
  void Read_Done();
  // Write complete: message, then label.
  void Write_Done();
  // The final failure: bar, message, label and status panel as the texts say. A write whose line
  // hung up after frames had gone out says instead that the radio is only partly written.
  void Failed(bool partly_written = false);
  // The port would not open: its message (none where the texts have none).
  void Port_Error();
  // Busy messages: a start, and a close or cancel, while a transfer runs.
  void Busy();
  void Close_Busy();
  // Bar at 0 and hidden, label empty.
  void Clear();
  void Label(const Bilingual& text);

 private:
  Program& prog_;
  const Transfer_Texts& texts_;
  void Step(const Counted_Text& text, const Progress_Mark& mark);
};

}  // namespace j5
