#include "link/link_engine.h"

#include <algorithm>

#include "data/access_code.h"
#include "platform/form.h"
#include "shell/program.h"

namespace j5 {

namespace {

int Ident_Take(Ident_Form form) {
  switch (form) {
    case Ident_Form::Ident14:
      return 14;
    case Ident_Form::Ident8:
      return 8;
    case Ident_Form::Ident8_Leading:
    case Ident_Form::Ident8_Dec:
      return 9;
    case Ident_Form::Ident50:
      return 50;
  }
  return 14;
}

std::uint8_t High(std::uint16_t address) {
  return static_cast<std::uint8_t>(address >> 8);
}
std::uint8_t Low(std::uint16_t address) {
  return static_cast<std::uint8_t>(address & 0xFF);
}

}  // namespace

Link_Engine::Link_Engine(kit::Form& owner, Program& program, Link_Listener& listener)
    : MSC(owner, "MSC"),
      Timer1(owner, "Timer1"),
      Timer2(owner, "Timer2"),
      Timer3(owner, "Timer3"),
      prog_(program),
      listener_(listener) {
  // Enabled with interval 0: none fires until the engine gives it an interval.
  Timer1.Tick = [this] { Timer1_Timer(); };
  Timer2.Tick = [this] { Timer2_Timer(); };
  Timer3.Tick = [this] { Timer3_Timer(); };
  MSC.OnComm = [this] { MSC_OnComm(); };
}

bool Link_Engine::Open_Port(bool clear_output) {
  SharedData& d = prog_.data;
  d.Port_Error = 0;
  try {
    MSC.setCommPort(d.Comm_Port);
    MSC.setSettings("9600,N,8,1");
    MSC.setInBufferSize(1024);
    MSC.setInputLen(1);
    MSC.setRThreshold(1);
    MSC.setInputMode(1);
    MSC.setInBufferCount(0);
    if (clear_output) MSC.setOutBufferCount(0);
    MSC.setPortOpen(true);
  } catch (const kit::PortError&) {
    d.Port_Error = kTrue;
  }
  return d.Port_Error == 0;
}

bool Link_Engine::Start(const Link_Description& description, Block_Plan plan) {
  if (busy_) return false;
  desc_ = description;
  plan_ = std::move(plan);
  restarts_left_ = desc_.restarts;
  return Begin(false);
}

bool Link_Engine::Begin(bool restart) {
  if (!MSC.portOpen() && !Open_Port(desc_.clear_output)) {
    phase_ = Phase::Idle;
    listener_.Link_Port_Error(restart);
    return false;
  }
  // The report of an earlier time-out still pending would stop this exchange's timers.
  Timer3.setEnabled(false);
  Discard_Input();
  phase_ = desc_.opening.stx ? Phase::Code_Ack : Phase::Ident;
  Discard_Input();
  const auto& code = desc_.opening.code == Code_Kind::Main
                         ? std::span<const std::uint8_t>(prog_.data.Access_Code.data(), 8)
                         : std::span<const std::uint8_t>(Alt_Access_Code);
  const auto len = static_cast<std::size_t>(std::clamp(desc_.opening.code_len, 1, 8));
  std::uint16_t base = 0;
  if (auto* r = std::get_if<Read_Plan>(&plan_)) base = r->base;
  if (auto* w = std::get_if<Write_Plan>(&plan_)) base = w->base;
  prog_.data.Addr_High = High(base);
  prog_.data.Addr_Low = Low(base);
  Queue({code.begin(), code.begin() + static_cast<std::ptrdiff_t>(len)});
  busy_ = true;
  Start_Send();
  return true;
}

void Link_Engine::Stop() {
  Close_Port();
  Stop_Timers();
  busy_ = false;
  phase_ = Phase::Idle;
}

void Link_Engine::Close_Port() {
  if (MSC.portOpen()) MSC.setPortOpen(false);
}

void Link_Engine::Stop_Timers() {
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(false);
}

// Complete: the port closes before the window hears of it.
void Link_Engine::Finish() {
  Stop_Timers();
  busy_ = false;
  Close_Port();
  phase_ = Phase::Idle;
  listener_.Link_Done();
}

void Link_Engine::Queue(std::vector<std::uint8_t> frame) {
  frame_ = std::move(frame);
}

void Link_Engine::Start_Send() {
  all_sent_ = false;
  pos_ = 0;
  Timer1.setInterval(desc_.sender.first_ms);
  Timer1.setEnabled(true);
}

void Link_Engine::Send_Now(std::uint8_t byte) {
  MSC.output({byte});
}

int Link_Engine::Take_One() {
  const auto got = MSC.input();
  return got.empty() ? -1 : got[0];
}

std::vector<std::uint8_t> Link_Engine::Take(int n) {
  std::vector<std::uint8_t> taken;
  while (static_cast<int>(taken.size()) < n) {
    const int b = Take_One();
    if (b < 0) break;
    taken.push_back(static_cast<std::uint8_t>(b));
  }
  return taken;
}

// A burst holds the thread for the whole frame: the pauses are part of it, and no receive event
// is handled before its last byte is out. Each pause runs to the end of its byte's slot, so a
// pause that overran does not delay the bytes after it. Paced one byte per tick, the frame leaves
// while receive events go on being handled; the frame is then complete only with its last byte.
void Link_Engine::Timer1_Timer() {
  if (!MSC.portOpen()) {
    Timer1.setEnabled(false);
    return;
  }
  const Link_Sender& s = desc_.sender;
  const Link_Times& t = desc_.times;
  if (pos_ == 0 && s.skip_leading_ack && frame_.size() > 1 && frame_[0] == ACK) pos_ = 1;
  if (s.burst) {
    kit::Platform& p = prog_.platform;
    double slotEnd = p.nowMs();
    while (pos_ < frame_.size()) {
      Send_Now(frame_[pos_]);
      slotEnd += s.byte_ms;
      if (s.byte_ms > 0) p.pauseMs(slotEnd - p.nowMs());
      Timer2.setInterval(t.byte_watch_ms);
      Timer2.setEnabled(true);
      ++pos_;
    }
  } else {
    Timer1.setInterval(s.byte_ms);
    if (pos_ < frame_.size()) {
      Send_Now(frame_[pos_++]);
      Timer2.setInterval(t.byte_watch_ms);
      Timer2.setEnabled(true);
    }
    if (pos_ < frame_.size()) return;
  }
  Timer2.setInterval(t.frame_watch_ms);
  Timer2.setEnabled(true);
  Timer1.setEnabled(false);
  all_sent_ = true;
}

// The time-out ends the exchange once: left running, Timer2 would go on closing the port every
// interval, also one that a new exchange opened in the meantime, and keep putting off the report.
void Link_Engine::Timer2_Timer() {
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(true);
  Timer3.setInterval(desc_.times.report_ms);
  Close_Port();
  busy_ = false;
  phase_ = Phase::Waiting;
  listener_.Link_Timed_Out();
}

void Link_Engine::Timer3_Timer() {
  if (phase_ != Phase::Waiting && phase_ != Phase::Ident_End) {
    Timer3.setEnabled(false);
    return;
  }
  Stop_Timers();
  if (phase_ == Phase::Ident_End) {
    phase_ = Phase::Idle;
    listener_.Link_Done();
    return;
  }
  if (restarts_left_ > 0) {
    --restarts_left_;
    listener_.Link_Restarting();
    Begin(true);
    return;
  }
  phase_ = Phase::Idle;
  listener_.Link_Failed();
}

void Link_Engine::MSC_OnComm() {
  if (MSC.commEvent() != kit::SerialPort::kEvReceive) return;
  switch (phase_) {
    case Phase::Code_Ack:
    case Phase::Ident:
    case Phase::Final_Ack:
      if (MSC.portOpen()) Opening_Step();
      return;
    case Phase::Reading:
      return Read_Step_Received();
    case Phase::Writing:
      return Write_Answer();
    default:
      return;
  }
}

// Bytes that do not answer the opening are dropped; Timer2 ends the exchange if nothing
// acceptable follows in time.
void Link_Engine::Opening_Step() {
  const int threshold = phase_ == Phase::Ident ? Ident_Take(desc_.opening.ident) - 1 : 0;
  if (MSC.inBufferCount() <= threshold) return;
  auto taken = Take(threshold + 1);
  if (phase_ == Phase::Code_Ack && taken[0] == ACK) {
    phase_ = Phase::Ident;
    Queue({STX});
    Discard_Input();
    Start_Send();
    Discard_Input();
    return;
  }
  Ident_Frame frame{desc_.opening.ident};
  const bool accepted = phase_ == Phase::Ident && Ident_Accepted(taken, frame);
  Discard_Input();
  if (accepted) return Identified(frame);
  if (phase_ == Phase::Final_Ack && taken[0] == ACK) {
    Timer2.setEnabled(false);
    Timer3.setEnabled(false);
    Block_Phase();
  }
}

// Exactly the bytes of the frame are taken, so a frame counts only where the form allows it to
// start: at the first byte taken, or for the nine-byte forms at the first or second.
bool Link_Engine::Ident_Accepted(std::vector<std::uint8_t>& t, Ident_Frame& frame) const {
  const int n = Ident_Take(frame.form);
  if (static_cast<int>(t.size()) < n) return false;
  std::size_t from = 0;
  bool ok = false;
  switch (frame.form) {
    case Ident_Form::Ident14:
    case Ident_Form::Ident8:
      ok = t[0] == Ident_Start && t[static_cast<std::size_t>(n - 1)] == Ident_End;
      break;
    case Ident_Form::Ident8_Leading:
    case Ident_Form::Ident8_Dec: {
      const std::uint8_t end = frame.form == Ident_Form::Ident8_Dec ? Ident_Dec_End : Ident_End;
      from = static_cast<std::size_t>(std::find(t.begin(), t.end(), Ident_Start) - t.begin());
      ok = from <= 1 && t[from + 7] == end;
      break;
    }
    case Ident_Form::Ident50:
      ok = t[0] == Ident_Start && t[49] == Ident50_End &&
           std::all_of(t.begin() + 1, t.begin() + 13, [](std::uint8_t b) { return b <= 9; });
      break;
  }
  if (ok) std::copy(t.begin() + static_cast<std::ptrdiff_t>(from), t.end(), frame.bytes.begin());
  return ok;
}

void Link_Engine::Identified(const Ident_Frame& frame) {
  if (desc_.opening.ack_exchange) {
    phase_ = Phase::Final_Ack;
    Queue({ACK});
    Discard_Input();
    Start_Send();
    Discard_Input();
    listener_.Link_Identified(frame);
    return;
  }
  if (std::holds_alternative<std::monostate>(plan_)) {
    // Identification only: the frame is not acknowledged, the port closes at once.
    Close_Port();
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    busy_ = false;
    listener_.Link_Identified(frame);
    if (desc_.times.ident_end_ms > 0) {
      phase_ = Phase::Ident_End;
      Timer3.setEnabled(true);
      Timer3.setInterval(desc_.times.ident_end_ms);
    } else {
      Timer3.setEnabled(false);
      phase_ = Phase::Idle;
      listener_.Link_Done();
    }
    return;
  }
  listener_.Link_Identified(frame);
  Timer2.setEnabled(false);
  Timer3.setEnabled(false);
  Block_Phase();
}

void Link_Engine::Block_Phase() {
  listener_.Link_Connected();
  step_ = 0;
  if (std::holds_alternative<Read_Plan>(plan_)) {
    phase_ = Phase::Reading;
    Request(0);
    Discard_Input();
  } else if (std::holds_alternative<Write_Plan>(plan_)) {
    phase_ = Phase::Writing;
    Send_Frame(0);
  } else {
    Finish();
  }
}

void Link_Engine::Request(std::size_t step) {
  const Read_Plan& plan = std::get<Read_Plan>(plan_);
  const std::uint16_t a = plan.steps[step].address;
  std::vector<std::uint8_t> f;
  if (step == 0 && plan.ack_before_first) f.push_back(ACK);
  f.insert(f.end(), {Cmd_Read, High(a), Low(a), plan.length});
  Queue(std::move(f));
  Start_Send();
}

void Link_Engine::Read_Step_Received() {
  const Read_Plan& plan = std::get<Read_Plan>(plan_);
  const bool bare = step_ == 0 && plan.first_reply_bare;
  const int length = bare ? 68 : 69;
  if (MSC.inBufferCount() < length) return;
  const auto reply = Take(length);
  Discard_Input();
  // A reply whose header is not where it must be (a stray byte came before it, the radio
  // answered another request) is not acknowledged: the read ends in the time-out.
  const std::size_t h = bare ? 0 : 1;
  const std::uint16_t a = plan.steps[step_].address;
  const std::uint8_t len = plan.reply_length ? plan.reply_length : plan.length;
  if ((!bare && reply[0] != ACK) || reply[h] != Cmd_Data || reply[h + 1] != High(a) ||
      reply[h + 2] != Low(a) || reply[h + 3] != len)
    return;
  Timer2.setEnabled(false);
  Send_Now(ACK);
  listener_.Link_Block_Stored(static_cast<int>(step_), std::span(reply).subspan(h + 4));

  if (step_ + 1 < plan.steps.size()) {
    Request(++step_);
    const Progress_Mark mark = plan.steps[step_].progress;
    if (mark.value >= 0) listener_.Link_Progress(mark);
    return;
  }
  if (plan.then_write) {
    if (auto write = listener_.Link_Then_Write()) {
      plan_ = std::move(*write);
      Timer3.setEnabled(false);
      phase_ = Phase::Writing;
      step_ = 0;
      Discard_Input();
      Send_Frame(0);
      Discard_Input();
      return;
    }
  }
  Finish();
}

bool Link_Engine::Send_Frame(std::size_t step) {
  const Write_Plan& plan = std::get<Write_Plan>(plan_);
  const Write_Step& s = plan.steps[step];
  const auto data = listener_.Link_Frame_Data(s);
  if (!data) {
    const Write_Step stopped = s;
    Close_Port();
    Stop_Timers();
    busy_ = false;
    phase_ = Phase::Idle;
    listener_.Link_Stopped(stopped);
    return false;
  }
  std::vector<std::uint8_t> f;
  if (plan.ack_before_each) f.push_back(ACK);
  f.insert(f.end(), {Cmd_Data, High(s.address), Low(s.address)});
  if (s.may_shorten && (*data)[0] == 0xFF) {
    f.insert(f.end(), {0x01, 0xFF});
  } else {
    f.push_back(0x10);
    f.insert(f.end(), data->begin(), data->end());
  }
  Queue(std::move(f));
  Start_Send();
  return true;
}

// One byte is taken per receive event; an ACK counts only once the whole frame is out.
void Link_Engine::Write_Answer() {
  const Write_Plan& plan = std::get<Write_Plan>(plan_);
  const int b = Take_One();
  if (b < 0) return;
  const bool last = step_ + 1 >= plan.steps.size();
  if (last && plan.any_answer_ends) {
    last_answer_ = b;
    return Finish();
  }
  if (b != ACK || !all_sent_) return;
  Timer2.setEnabled(false);
  if (last) return Finish();
  ++step_;
  const Progress_Mark mark = plan.steps[step_].progress;
  if (mark.value >= 0) listener_.Link_Progress(mark);
  Send_Frame(step_);
}

}  // namespace j5
