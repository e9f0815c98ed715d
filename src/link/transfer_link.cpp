#include "link/transfer_link.h"

#include "platform/form.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

void Unsendable_Row_Message(Program& program, int row) {
  // Such a value can only come from a parameter file, so the file's line is named.
  Prompt(program, Param_File_Line_Text(static_cast<std::size_t>(row)),
         {"含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！",
          " holds a value outside 0 to 255; nothing was written to the transceiver."});
}

Transfer_Link::Transfer_Link(kit::Form& owner, Program& program,
                             const Transfer_Description& description, Link_Listener& window)
    : Progress(owner, program, description.texts),
      Link(owner, program.data, *this),
      owner_(owner),
      prog_(program),
      desc_(description),
      window_(window) {
  // The window's close box is refused while busy before what was typed into it is committed.
  owner.CloseRefused = [this] { return Unload_Refused(); };
  if (desc_.close_after_write_ms <= 0) return;
  Timer4.emplace(owner, "Timer4");
  Timer4->setEnabled(false);
  Timer4->setInterval(desc_.close_after_write_ms);
  Timer4->Tick = [this] {
    Timer4->setEnabled(false);
    owner_.unload();
  };
}

// A window that closes while its restart waits takes the exchange with it.
Transfer_Link::~Transfer_Link() {
  Ended();
}

void Transfer_Link::Opened() {
  if (open_) return;
  open_ = true;
  if (desc_.holds_program) prog_.Exchange_Opened();
}

void Transfer_Link::Ended() {
  if (!open_) return;
  open_ = false;
  if (desc_.holds_program) prog_.Exchange_Ended();
}

bool Transfer_Link::Busy_Refused() {
  if (!Busy()) return false;
  Progress.Busy();
  return true;
}

bool Transfer_Link::Close_Refused() {
  if (!Busy()) return !prog_.Commit_Pending(owner_);
  Progress.Close_Busy();
  return true;
}

bool Transfer_Link::Unload_Refused() {
  if (!Busy()) return false;
  Progress.Unload_Busy();
  return true;
}

bool Transfer_Link::Pending_Refused() {
  return !prog_.Commit_Pending(owner_);
}

bool Transfer_Link::Any_Pending_Refused() {
  return !prog_.Commit_Pending();
}

std::optional<int> Transfer_Link::Take_Rows(Write_Plan& plan) {
  Take_Frames(plan, window_);
  for (std::size_t k = 0; k < plan.steps.size(); ++k)
    if (!plan.frames[k]) return plan.steps[k].source;
  return std::nullopt;
}

bool Transfer_Link::Rows_Refused(Write_Plan& plan) {
  const auto bad = Take_Rows(plan);
  if (bad) Unsendable_Row_Message(prog_, *bad);
  return bad.has_value();
}

bool Transfer_Link::Start(Block_Plan plan) {
  if (Busy()) return false;
  const bool writing = std::holds_alternative<Write_Plan>(plan);
  const bool blocks = !std::holds_alternative<std::monostate>(plan);
  // A start in the pause before a restart replaces the exchange that waits; one whose port will
  // not open leaves that exchange to its report.
  if (!Link.Start(desc_, std::move(plan))) return false;
  writing_ = writing;
  blocks_ = blocks;
  if (Timer4) Timer4->setEnabled(false);
  Opened();
  Progress.Connecting(desc_.texts.connecting_bar);
  return true;
}

void Transfer_Link::Stop() {
  Link.Stop();
  Ended();
}

void Transfer_Link::Link_Port_Error(bool restart) {
  // Only a restart that finds the port taken reports the end of its exchange.
  if (restart) Ended();
  Progress.Port_Error();
  window_.Link_Port_Error(restart);
}

void Transfer_Link::Link_Identified(const Ident_Frame& frame) {
  Progress.Identified();
  window_.Link_Identified(frame);
}

void Transfer_Link::Link_Connected() {
  Progress.Connected();
  window_.Link_Connected();
}

void Transfer_Link::Link_Block_Stored(int step, std::uint16_t address,
                                      std::span<const std::uint8_t> data) {
  window_.Link_Block_Stored(step, address, data);
}

void Transfer_Link::Link_Frames_Due() {
  window_.Link_Frames_Due();
}

std::optional<std::array<std::uint8_t, 16>> Transfer_Link::Link_Frame_Data(const Write_Step& step) {
  return window_.Link_Frame_Data(step);
}

void Transfer_Link::Link_Progress(const Progress_Mark& mark) {
  if (writing_) {
    Progress.Writing(mark);
  } else {
    Progress.Reading(mark);
  }
  window_.Link_Progress(mark);
}

std::optional<Write_Plan> Transfer_Link::Link_Then_Write() {
  auto write = window_.Link_Then_Write();
  if (write) writing_ = true;
  return write;
}

bool Transfer_Link::Write_Refused() const {
  return writing_ && Link.Last_Answer() >= 0 && Link.Last_Answer() != ACK;
}

void Transfer_Link::Link_Done() {
  Ended();
  const bool after_report = desc_.done_after_report && blocks_;
  if (!after_report) window_.Link_Done();
  if (!blocks_) return;
  if (Write_Refused()) {
    Progress.Failed();
  } else if (writing_) {
    Progress.Write_Done();
  } else {
    Progress.Read_Done();
  }
  if (after_report) window_.Link_Done();
  // Armed once the message is closed: the window must not close under it.
  if (writing_ && Timer4) Timer4->setEnabled(true);
}

void Transfer_Link::Link_Timed_Out() {
  Progress.Timed_Out();
  window_.Link_Timed_Out();
}

void Transfer_Link::Link_Restarting() {
  window_.Link_Restarting();
}

void Transfer_Link::Link_Failed() {
  Ended();
  Progress.Failed(Link.Partly_Written());
  window_.Link_Failed();
}

void Transfer_Link::Link_Stopped(const Write_Step& step) {
  Ended();
  window_.Link_Stopped(step);
  Progress.Label(desc_.texts.fail_label);
}

}  // namespace j5
