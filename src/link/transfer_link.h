#pragma once
// A window's transfer with the answers every transfer gives alike: the link engine, the progress
// piece (ProgressBar1, Label_tr_count) and, from the description's texts, the busy, close, port,
// connecting, progress, completion and failure texts. It knows whether the exchange writes and
// whether one is open, refuses what must wait for it, and tells the program when an exchange
// opens and when it has ended (where the description holds the program), so the main window can
// refuse what would close a window under it.
// The window keeps what is its own: where the blocks go, what the frames carry, what it does with
// the identification and at the end. It answers those through its own Link_Listener, which hears
// every report after the texts that come before it (Link_Done: before the completion texts, so
// the blocks are in place first, unless the description asks for it after them). A write whose last
// frame the radio answers with anything but ACK (a plan with any_answer_ends) ends in the failure
// report, not the completion.
//
//   class frm_x : public kit::Form, Link_Listener {
//     Transfer_Link Transfer{*this, prog_, Option_Link(), *this};
//     void Command_read_Click() {
//       if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
//       Transfer.Start(Option_Read_Plan());
//     }
//     void Form_Unload(int& cancel) { if (Transfer.Unload_Refused()) cancel = 1; }
//     void Link_Block_Stored(int step, std::uint16_t address,
//                            std::span<const std::uint8_t> data) override {...}
//   };

#include <optional>

#include "link/link_engine.h"
#include "link/transfer_progress.h"
#include "platform/control.h"

namespace j5 {

class Program;

// Says that image row `row` holds a value outside 0 to 255, so nothing was written: the refusal
// of Rows_Refused, which every write of image rows says the same way.
void Unsendable_Row_Message(Program& program, int row);

class Transfer_Link : Link_Listener {
 public:
  Transfer_Link(kit::Form& owner, Program& program, const Transfer_Description& description,
                Link_Listener& window);
  ~Transfer_Link() override;
  Transfer_Link(const Transfer_Link&) = delete;
  Transfer_Link& operator=(const Transfer_Link&) = delete;

  Transfer_Progress Progress;
  Link_Engine Link;

  // Frames or replies are on the line now (not while a restart waits).
  bool Busy() const { return Link.Link_Busy(); }
  // The exchange last started writes (a read that goes on with a write: from then on).
  bool Writing() const { return writing_; }
  // From a start until the one report that ends the exchange (done, failed, stopped, or the port
  // refusing a restart); a restart pending counts.
  bool Exchange_Open() const { return open_; }

  // While busy: the busy message (a start or another guarded button), the Close button's message
  // or the message of any other way of closing the window; true when the caller must stop. The
  // window's close box asks Unload_Refused (the owner's CloseRefused) before anything typed into
  // the window is committed; a window whose close abandons its exchange clears that. The
  // Close button is refused too when the window commits a value typed into it (not yet stored by
  // leaving its box or cell) and refuses that value.
  bool Busy_Refused();
  bool Close_Refused();
  bool Unload_Refused();
  // Before a read replaces the window's values or a write takes them: a value typed into the
  // window and not yet stored by leaving its box or cell is stored, as leaving it would store it,
  // so nothing typed before a read lands on what the radio sent; true when it was refused (with
  // its message), and the exchange must not start. An editor's own exchange moves its own
  // window's values alone: a value waiting in another window stays there, whatever it is.
  bool Pending_Refused();
  // The same for every window of the program: the whole read and write move all their values.
  bool Any_Pending_Refused();
  // Takes the write's frames into `plan` as the rows stand now: the write started with that plan
  // sends exactly these, whatever the rows become meanwhile. The source of the first frame whose
  // row holds a value that is no byte, if any: such a write must be refused.
  std::optional<int> Take_Rows(Write_Plan& plan);
  // Take_Rows for a write of image rows: a row holding a value that is no byte (a hand-made file)
  // refuses the write before anything reaches the radio, naming the row; true when refused.
  bool Rows_Refused(Write_Plan& plan);
  // Starts the exchange (nothing while busy); when the port opened, the connecting texts. True
  // when it started; a close after the last write still pending is dropped, the window stays for
  // this exchange.
  bool Start(Block_Plan plan);
  // Ends whatever runs or waits, without a report (a window's load, its unload).
  void Stop();
  const Transfer_Description& Description() const { return desc_; }

 private:
  kit::Form& owner_;
  Program& prog_;
  const Transfer_Description& desc_;
  Link_Listener& window_;
  bool writing_ = false;
  bool open_ = false;
  // The exchange started moves blocks; an identification alone ends without completion texts.
  bool blocks_ = true;
  // Closes the window after a write the radio answered, where the description asks for it.
  std::optional<kit::Timer> Timer4;

  void Opened();
  void Ended();
  // The radio answered the write's last frame with something other than ACK.
  bool Write_Refused() const;

  void Link_Port_Error(bool restart) override;
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Connected() override;
  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  void Link_Frames_Due() override;
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
