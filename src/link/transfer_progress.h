#pragma once
// The progress of a transfer as a window shows it: ProgressBar1, Label_tr_count and the texts of
// the transfer's description, for what the link reports. The transfer windows and the editors'
// own transfers use it alike; the window owns it, so the two controls are the window's.

#include <string>
#include <vector>

#include "link/link_engine.h"
#include "platform/control.h"
#include "shell/prompt.h"

namespace j5 {

class Program;

// The texts a window shows around its transfer; the engine never uses them. A counted text is
// the part before and after a number written in plain digits.
struct Counted_Text {
  Bilingual before{}, after{};
};

struct Transfer_Texts {
  Bilingual port_error{"通讯端口打开错误，请正确设置通讯端口 ！",
                       "Communication port is error, please setting right communication port . ！"};
  Prompt_Title port_error_title = Prompt_Title::Lower;
  Bilingual busy{"正在与对讲机进行读写操作 ！", "Read-write operating with transceiver ."};
  // The Close button's message while busy, and that of any other way of closing the window.
  Bilingual close_busy{"正在进行读写操作,请勿关窗口 ！,",
                       "Read-write operating，don't close the window. ,"};
  Bilingual unload_busy = close_busy;
  Bilingual connecting{"正在与对讲机联络 ！", "Connecting with transceiver. "};
  bool connecting_bar = true;  // the bar is shown (at 0) when a transfer starts
  // The status panel that shows the connecting text instead of Label_tr_count (0: the label).
  int connecting_panel = 0;
  // Status panel written when the block phase begins (0: none), and its text.
  int connected_panel = 2;
  Bilingual connected{"与对讲机数据通讯正常", "Connect well with radio."};
  // The connected text is written as soon as the identification is accepted, before the ACK
  // exchange, not when the block phase begins.
  bool connected_at_ident = false;
  Counted_Text reading{{"正在读取 ", "Reading "}, {" 数据块", " Data Block"}};
  Counted_Text writing{{"正在写入  ", "Writing  "}, {"  数据块", "  Data Block"}};
  // A complete read shows the bar at 100, the label, then the message; without read_done_bar
  // only the message, then the label (as a complete write).
  bool read_done_bar = true;
  Bilingual read_done_label{}, read_done_message{};
  Bilingual write_done_label{}, write_done_message{};
  Prompt_Title done_title = Prompt_Title::Upper;
  // The final failure: the bar, a message box (when not empty), the label (when not empty),
  // status panel 2 (when not empty).
  enum class Bar { Keep, Zero, Hide };
  Bar fail_bar = Bar::Keep;
  Bilingual fail_message{"与对讲机联络失败 ！", "Fail connect with transceiver."};
  Bilingual fail_label{};
  Bilingual fail_panel{"联机故障 ！", "Communication fault."};
  // Status panel 2 at each time-out, before the report (when not empty).
  Bilingual time_out_panel{};
};

// A window's transfer: how the link runs it, what the window shows around it and how it ends.
struct Transfer_Description : Link_Description {
  Transfer_Texts texts{};
  // A write the radio answered closes the window this long after the report, once the message
  // is closed (0: the window stays).
  double close_after_write_ms = 0;
  // The window hears of the completion (Link_Done) once its message is closed, not before: it
  // puts no blocks in place, and what it does at the end follows the message.
  bool done_after_report = false;
  // While the exchange is open, what must wait for the radio waits (shell/exchange_refusal.h).
  // The start-up's identification stores nothing of the image: the program may end and switch
  // its language meanwhile, and the outcome shows in the language of its moment.
  bool holds_program = true;
};

class Transfer_Progress {
 public:
  Transfer_Progress(kit::Form& owner, Program& program, const Transfer_Texts& texts);

  kit::Label Label_tr_count;
  kit::ProgressBar ProgressBar1;

  // A transfer started: bar at 0 (shown when show_bar), the connecting text.
  void Connecting(bool show_bar);
  // The identification was accepted, the block phase began: the connected text in its status
  // panel at the one of the two the texts name.
  void Identified();
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
  // No acceptable answer in time: the time-out's status panel text, where the texts have one.
  void Timed_Out();
  // The port would not open: its message (none where the texts have none).
  void Port_Error();
  // Busy messages: a start, a close or cancel, and any other close while a transfer runs.
  void Busy();
  void Close_Busy();
  void Unload_Busy();
  // Bar at 0 and hidden, label empty.
  void Clear();
  void Label(const Bilingual& text);

  // Lays Label_tr_count out at left and top, `width` wide and as high as the tallest text it may
  // show needs there, word-wrapped: each of the transfer's texts in both languages, and `more`,
  // the window's own texts in it (what its file service shows). Returns the label's bottom.
  double Place_Label(double left, double top, double width, std::vector<Bilingual> more = {});
  // Every text the label may show, in both languages.
  std::vector<std::string> Label_Texts() const;

 private:
  Program& prog_;
  const Transfer_Texts& texts_;
  std::vector<Bilingual> more_;
  void Connected_Text();
  void Step(const Counted_Text& text, const Progress_Mark& mark);
};

}  // namespace j5
