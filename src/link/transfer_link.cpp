#include "link/transfer_link.h"

#include "shell/program.h"

namespace j5 {

Transfer_Link::Transfer_Link(kit::Form& owner, Program& program, const Link_Description& link,
                             Link_Listener& window)
    : Progress(owner, program, link.texts),
      Link(owner, program, *this),
      prog_(program),
      link_(link),
      window_(window) {}

bool Transfer_Link::Busy_Refused() {
  if (!Link.Link_Busy()) return false;
  Progress.Busy();
  return true;
}

void Transfer_Link::Start(Block_Plan plan) {
  if (Link.Link_Busy()) return;
  const bool writing = std::holds_alternative<Write_Plan>(plan);
  if (!Link.Start(link_, std::move(plan))) return;
  writing_ = writing;
  Progress.Connecting(link_.texts.connecting_bar);
}

void Transfer_Link::Link_Port_Error(bool restart) {
  Progress.Port_Error();
  window_.Link_Port_Error(restart);
}

void Transfer_Link::Link_Identified(const Ident_Frame& frame) {
  window_.Link_Identified(frame);
}

void Transfer_Link::Link_Connected() {
  Progress.Connected();
  window_.Link_Connected();
}

void Transfer_Link::Link_Block_Stored(int step, std::span<const std::uint8_t> data) {
  window_.Link_Block_Stored(step, data);
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

void Transfer_Link::Link_Done() {
  window_.Link_Done();
  if (writing_) {
    Progress.Write_Done();
  } else {
    Progress.Read_Done();
  }
}

void Transfer_Link::Link_Timed_Out() {
  window_.Link_Timed_Out();
}

void Transfer_Link::Link_Restarting() {
  window_.Link_Restarting();
}

void Transfer_Link::Link_Failed() {
  Progress.Failed(Link.Partly_Written());
  window_.Link_Failed();
}

void Transfer_Link::Link_Stopped(const Write_Step& step) {
  window_.Link_Stopped(step);
  Progress.Label(link_.texts.fail_label);
}

}  // namespace j5
