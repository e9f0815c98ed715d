#pragma once
// The link with the radio, one machine for every window that talks to it. A window owns one
// Link_Engine (its MSC and Timer1..Timer3 are controls of that window, so they stop and close
// with it), hands it a description of the transfer and a block plan, and answers what the engine
// reports through Link_Listener. The engine keeps its state to itself: a window starts, stops and
// asks; it never sets the engine's fields or drives its timers, and the engine never writes a
// status panel or shows a box: the window does that when it is told.
//
// A transfer window takes it through Transfer_Link (transfer_link.h), which adds the progress
// piece and the texts the window shows (transfer_progress.h); the start-up identification and the
// port window answer the engine themselves. The engine shows nothing and knows nothing of the
// windows: it reads the access code and the port from the shared data.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "link/link_bytes.h"
#include "platform/control.h"
#include "platform/serial.h"

namespace j5 {

struct Shared_Data;

// ---- The description of a transfer -------------------------------------------------------------

enum class Code_Kind {
  Main,  // Access_Code
  Alt,   // Alt_Access_Code
};

// What the radio sends to identify itself. The engine finds the frame by its start mark (0xAA)
// and checks its end mark; the 50-byte frame it finds by its end mark and digits alone.
enum class Ident_Form {
  Ident14,         // 14 bytes, 0xAA first and 0xDD last
  Ident8,          // 8 bytes, 0xAA first and 0xDD last
  Ident8_Or_14,    // Ident8, or Ident14 where the eighth byte is not the end mark
  Ident8_Leading,  // 8 bytes, 0xAA ... 0xDD, with the radio's ACK of the code in front or behind
  Ident8_Dec,      // as Ident8_Leading with 0xBB as the end mark
  Ident50,         // 50 bytes: any first byte, twelve digits 0 to 9, ..., 0x55 last
};

struct Link_Opening {
  Code_Kind code = Code_Kind::Main;
  int code_len = 7;  // bytes of the code sent
  // The code is answered with ACK, which the tool answers with STX before the identification.
  bool stx = true;
  Ident_Form ident = Ident_Form::Ident14;
  // The tool acknowledges the identification and waits for the radio's ACK before the blocks.
  bool ack_exchange = true;
};

// How Timer1 puts a queued frame on the line. The first byte leaves first_ms after the frame was
// queued. In a burst the whole frame leaves in that one tick with a pause of byte_ms after each
// byte (the thread is held meanwhile); otherwise one byte leaves per tick, byte_ms apart.
struct Link_Sender {
  bool burst = true;
  double first_ms = 15;
  double byte_ms = Byte_Pause_Ms;
  // An ACK queued at the head of a frame is not sent (the radio gets the frame behind it).
  bool skip_leading_ack = false;
};

struct Link_Times {
  double byte_watch_ms = 1000;   // Timer2 after each byte of a frame
  double frame_watch_ms = 1000;  // Timer2 after the frame's last byte
  double report_ms = 1000;       // Timer3 after the time-out: restart or failure report
  // Identification-only exchanges: Timer3 after the identification, then Link_Done (0: at once).
  double ident_end_ms = 0;
};

struct Link_Description {
  Link_Opening opening{};
  Link_Sender sender{};
  Link_Times times{};
  int restarts = 0;           // new starts from the code after a time-out, before the report
  bool clear_output = false;  // Open_Port also empties the output buffer
};

// ---- Block plans -------------------------------------------------------------------------------

// The progress a window shows when a step's frame is queued: bar value and label number.
struct Progress_Mark {
  int value = -1;  // -1: nothing shown
  int number = 0;
};

struct Read_Step {
  std::uint16_t address = 0;
  Progress_Mark progress{};
  // Where the reply's data go: the first of the four 16-byte rows of the window's table (the
  // image, or the window's own table; transfers.h says which), or -1 where they go nowhere.
  int dest = -1;
};

// A read: one Read_Request per step, one reply each. A reply is stored only when its header is
// where it must be: the radio's ACK where the reply has one, Cmd_Data, the requested address and
// the length asked for; anything else is not acknowledged, and the time-out ends the exchange.
struct Read_Plan {
  std::uint16_t base = 0;  // the first step's address
  std::vector<Read_Step> steps{};
  std::uint8_t length = 0x40;
  // After an ACK exchange the first reply comes without the radio's ACK (68 bytes).
  bool first_reply_bare = false;
  // The first request is queued behind an ACK (the radio's cue after a direct opening).
  bool ack_before_first = false;
  // The reply's data length when it differs from `length` (a 16-byte request answered with a
  // whole 64-byte block).
  std::uint8_t reply_length = 0;
  // After the last reply the window may continue the exchange with a write (Link_Then_Write).
  bool then_write = false;
};

struct Write_Step {
  std::uint16_t address = 0;
  int source = 0;  // what the window puts into the frame: an image row, a table row, a tag
  // A frame whose first data byte is 0xFF goes out as a Short_Row_Frame.
  bool may_shorten = false;
  Progress_Mark progress{};
};

struct Write_Plan {
  std::vector<Write_Step> steps{};
  bool ack_before_each = false;  // ACK queued in front of every frame
  // Any byte the radio answers the last frame with ends the exchange (Last_Answer tells which).
  bool any_answer_ends = false;
  // The sixteen bytes of every step's frame, taken from the window once (Take_Frames) when the
  // write starts; nothing where the row held a value that is no byte. The engine sends these, and
  // a restart sends them again, so the radio ends holding the rows as they stood at the start
  // whatever the user edits, loads or defaults while the write runs.
  std::vector<std::optional<std::array<std::uint8_t, 16>>> frames{};

  bool Frames_Taken() const { return frames.size() == steps.size(); }
};

using Block_Plan = std::variant<std::monostate, Read_Plan, Write_Plan>;

class Link_Listener;

// Asks `window` for the sixteen bytes of every frame of `plan`, now, and keeps them in the plan.
void Take_Frames(Write_Plan& plan, Link_Listener& window);

// ---- What the engine reports ---------------------------------------------------------------

struct Ident_Frame {
  Ident_Form form;
  std::array<std::uint8_t, 50> bytes{};  // the frame from its first byte on
};

class Link_Listener {
 public:
  virtual ~Link_Listener() = default;
  // The port would not open (Port_Error is -1); `restart` when a restart found it so.
  virtual void Link_Port_Error(bool restart) { (void)restart; }
  virtual void Link_Identified(const Ident_Frame& frame) { (void)frame; }
  // The block phase begins: the opening is over, the first frame is about to be queued.
  virtual void Link_Connected() {}
  // A checked reply: the address it came from and its data bytes.
  virtual void Link_Block_Stored(int step, std::uint16_t address,
                                 std::span<const std::uint8_t> data) {
    (void)step, (void)address, (void)data;
  }
  // A write whose frames were not taken before it started takes them once its port has opened,
  // before anything is sent (and a read that goes on with a write, when the read ends): a window
  // that builds its rows for a write only once it really starts builds them here.
  virtual void Link_Frames_Due() {}
  // The sixteen bytes of a write frame, asked for every frame once, when the write's frames are
  // taken; nothing when the source holds a value that is no byte, which stops the transfer when
  // its turn comes (Link_Stopped).
  virtual std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) {
    (void)step;
    return std::nullopt;
  }
  virtual void Link_Progress(const Progress_Mark& mark) { (void)mark; }
  // A read with then_write: the write that follows, or nothing to end the exchange here.
  virtual std::optional<Write_Plan> Link_Then_Write() { return std::nullopt; }
  // Complete: port closed, timers stopped, not busy.
  virtual void Link_Done() {}
  // No acceptable answer in time: port closed, not busy; a restart or the report follows.
  virtual void Link_Timed_Out() {}
  // A restart begins (the code goes out again).
  virtual void Link_Restarting() {}
  // After the time-out and every restart: the failure report.
  virtual void Link_Failed() {}
  // A write stopped at once because a frame's source holds a value that is no byte.
  virtual void Link_Stopped(const Write_Step& step) { (void)step; }
};

// ---- The engine --------------------------------------------------------------------------------

class Link_Engine {
 public:
  Link_Engine(kit::Form& owner, Shared_Data& data, Link_Listener& listener);

  kit::SerialPort MSC;
  kit::Timer Timer1;  // sender
  kit::Timer Timer2;  // no reply
  kit::Timer Timer3;  // restart or failure report

  // Sets up and opens the port of Comm_Port; Port_Error tells whether it opened. No report: the
  // start-up probe uses it alone.
  bool Open_Port(bool clear_output = false);
  // Starts a transfer: the port is opened when closed (Link_Port_Error when it fails), the code
  // queued and the transfer busy; a write whose frames are not taken yet takes them then
  // (Link_Frames_Due). Nothing happens while busy; false when nothing started.
  bool Start(const Link_Description& description, Block_Plan plan = {});
  // Ends whatever runs now, without a report: port closed, timers stopped, not busy.
  void Stop();
  void Close_Port();

  bool Link_Busy() const { return busy_; }
  // The byte the radio answered the last frame of this exchange with (a plan with
  // any_answer_ends), or -1.
  int Last_Answer() const { return last_answer_; }
  // The exchange timed out because its line hung up (the radio went away) after frames of a write
  // of several frames had gone out: the radio holds part of the write. No restart follows such a
  // time-out.
  bool Partly_Written() const { return partly_written_; }

 private:
  enum class Phase { Idle, Code_Ack, Ident, Final_Ack, Reading, Writing, Ident_End, Waiting };

  kit::Platform& platform_;
  Shared_Data& data_;
  Link_Listener& listener_;
  Link_Description desc_;
  Block_Plan plan_;
  Phase phase_ = Phase::Idle;
  bool busy_ = false;
  int restarts_left_ = 0;
  std::size_t step_ = 0;
  int last_answer_ = -1;
  bool frames_sent_ = false;  // a frame of the block phase has gone out
  bool partly_written_ = false;

  // The queued frame and the sender's place in it.
  std::vector<std::uint8_t> frame_;
  std::size_t pos_ = 0;
  bool all_sent_ = false;
  // What came in and is not used yet.
  std::vector<std::uint8_t> rx_;
  // The bytes of the radio's answer to the opening that came before its identification.
  std::size_t ident_lead_ = 0;

  bool Begin(bool restart);
  void Queue(std::vector<std::uint8_t> frame);
  void Start_Send();
  void Send_Now(std::uint8_t byte);
  // Moves what the port holds into the bytes kept.
  void Gather();
  std::vector<std::uint8_t> Take(std::size_t n);
  void Discard_Input();
  void Stop_Timers();
  void Finish();

  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void MSC_OnComm();

  void Opening_Step();
  bool Find_Ident(Ident_Frame& frame);
  bool Final_Ack_Step();
  void Identified(const Ident_Frame& frame);
  void Take_Due_Frames();
  void Block_Phase();
  void Request(std::size_t step);
  void Read_Step_Received();
  bool Send_Frame(std::size_t step);
  void Write_Answer();
};

}  // namespace j5
