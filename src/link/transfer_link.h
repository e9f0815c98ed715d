#pragma once
// A window's transfer with the answers every transfer gives alike: the link engine, the progress
// piece (ProgressBar1, Label_tr_count) and, from the description's texts, the busy, port,
// connecting, progress, completion and failure texts. The window keeps what is its own: where
// the blocks go, what the frames carry, what it does with the identification and at the end. It
// answers those through its own Link_Listener, which hears every report after the texts that
// come before it (Link_Done: before the completion texts, so the blocks are in place first).
//
//   class frm_x : public kit::Form, Link_Listener {
//     Transfer_Link Transfer{*this, prog_, Option_Link(), *this};
//     void Command_read_Click() {
//       if (Transfer.Busy_Refused()) return;
//       Transfer.Start(Option_Read_Plan());
//     }
//     void Link_Block_Stored(int step, std::span<const std::uint8_t> data) override {...}
//   };

#include "link/link_engine.h"
#include "link/transfer_progress.h"

namespace j5 {

class Program;

class Transfer_Link : Link_Listener {
 public:
  Transfer_Link(kit::Form& owner, Program& program, const Link_Description& link,
                Link_Listener& window);

  Transfer_Progress Progress;
  Link_Engine Link;

  // A start or another busy-guarded button while a transfer runs: the busy message, and true.
  bool Busy_Refused();
  // Starts the transfer (nothing while busy); when the port opened, the connecting texts.
  void Start(Block_Plan plan);
  const Link_Description& link() const { return link_; }

 private:
  Program& prog_;
  const Link_Description& link_;
  Link_Listener& window_;
  bool writing_ = false;

  void Link_Port_Error(bool restart) override;
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Connected() override;
  void Link_Block_Stored(int step, std::span<const std::uint8_t> data) override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Progress(const Progress_Mark& mark) override;
  std::optional<Write_Plan> Link_Then_Write() override;
  void Link_Done() override;
  void Link_Timed_Out() override;
  void Link_Restarting() override;
  void Link_Failed() override;
  void Link_Stopped(const Write_Step& step) override;
};

}  // namespace j5
