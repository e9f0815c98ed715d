#pragma once
// The link with the radio as every window that talks to it runs it: its own serial control and
// timers, a sender that puts a queued frame on the line byte by byte with a pause after each
// byte, a no-reply time-out, a failure report one second later, and the receive handler's
// opening (access code, ACK, STX, identification, and for a full opening ACK and ACK).
//
// A window owns one Radio_Link; the link creates MSC and Timer1..Timer3 as controls of that
// window, so they stop and close with it. What a window does with its own frames plugs in
// through the hooks below; a window whose exchange departs further rewires a control's event
// to its own handler and uses the public steps (Take, Queue, Start_Send, ...).
//
//   class frm_x : public kit::Form {
//     Radio_Link Link{*this, prog_, Link_Setup{.clear_output = true}};
//     frm_x(...) {
//       Link.Block_Phase = [this] {            // handshake done: first frame
//         Link.Queue({Cmd_Read, 0x1F, 0x00, 0x40});
//         Link.Start_Send();
//       };
//       Link.Block_Step = [this] {             // each receive event from then on
//         if (Link.MSC.inBufferCount() < 68) return;
//         Link.Timer2.setEnabled(false);
//         ...take the reply with Link.Take_One(), Link.Send_Now(ACK), queue the next...
//       };
//       Link.Failure_Report = [this] { ...message, texts... };
//     }
//     void Command_read_Click() {
//       if (Link.Link_Busy) return ...busy message...;
//       if (!Link.MSC.portOpen()) Link.Open_Port();
//       if (prog_.data.Port_Error == 0) Link.Begin_Exchange();
//     }
//   };

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "link/link_bytes.h"
#include "platform/control.h"
#include "platform/serial.h"

namespace j5 {

class Program;

struct Link_Setup {
  enum class Opening {
    Full,        // code, ACK, STX, identification, ACK, ACK, then the block phase
    Ident_Only,  // code, ACK, STX, identification; the window ends the exchange
    Own,         // the window handles every receive event itself (Receive_Step)
  };
  Opening opening = Opening::Full;
  int code_len = 7;    // access code bytes sent
  int ident_len = 14;  // 14: Ident14_Frame (its band limits are stored and shown); 8: Ident8_Frame
  bool port_message = true;   // Open_Port shows the port error message
  bool clear_output = false;  // Open_Port also sets OutBufferCount to 0
  double byte_pause_ms = Byte_Pause_Ms;
  double reply_ms = 1000;        // Timer2 after each byte sent
  double reply_ms_frame = 1000;  // Timer2 after the last byte of a frame
  double report_ms = 1000;       // Timer3 after the no-reply time-out
};

class Radio_Link {
 public:
  Radio_Link(kit::Form& owner, Program& program, Link_Setup setup = {});

  kit::SerialPort MSC;
  kit::Timer Timer1;  // sender
  kit::Timer Timer2;  // no reply
  kit::Timer Timer3;  // failure report

  // Link data.
  std::array<std::uint8_t, 2001> Rx_Buf{};
  std::array<std::int16_t, 201> Tx_Frame{};
  int Tx_Len = 0;
  int Tx_Pos = 0;
  std::array<std::uint8_t, 1> Tx_Byte{};
  bool All_Sent = false;
  int Link_State = 0;
  bool Link_Busy = false;
  bool Unload_Req = false;

  // Hooks, all optional.
  // Full opening: the radio's last ACK was taken (Link_State 3): queue the first block frame.
  std::function<void()> Block_Phase;
  // Full opening: every receive event while Link_State is 3 or more. Own: every receive event.
  std::function<void()> Block_Step;
  // An identification frame was accepted (Link_State 2; Rx_Buf(0..ident_len-1) holds it).
  std::function<void()> Identified;
  // End of the no-reply time-out (port closed, Timer3 running).
  std::function<void()> No_Reply;
  // Timer3 fired (all three timers are stopped by then).
  std::function<void()> Failure_Report;

  const Link_Setup& setup() const { return setup_; }
  Link_Setup& setup() { return setup_; }

  // Sets up and opens the port of Comm_Port; Port_Error tells whether it opened.
  void Open_Port();
  // Starts an exchange on the open port: receive buffer emptied, Link_State 0, the access code
  // queued, Link_Busy set, sender started.
  void Begin_Exchange();
  // Queues a frame (Tx_Frame, Tx_Len); Start_Send then sends it.
  void Queue(std::initializer_list<int> bytes);
  void Start_Send();
  // Writes one byte at once, outside the sender (the acknowledgement of a read reply).
  void Send_Now(std::uint8_t byte);
  // Takes n bytes with Input into Rx_Buf from position 0; returns how many came.
  int Take(int n);
  // Takes one byte with Input; -1 when the buffer is empty.
  int Take_One();
  void Discard_Input() { MSC.setInBufferCount(0); }
  // The frame taken into Rx_Buf is an identification frame.
  bool Ident_Accepted(int taken) const;
  // Decodes the six band limit pairs of an Ident14_Frame in Rx_Buf into VHF_Low..UHF1_High and
  // writes status panels 7 to 9.
  void Store_Ident14_Bands();
  void Clear_Rx() { std::fill(Rx_Buf.begin(), Rx_Buf.begin() + 21, 0); }
  void Close_Port();
  void Stop_Timers();

  // Event handlers, wired in the constructor.
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void MSC_OnComm();

 private:
  kit::Form& owner_;
  Program& prog_;
  Link_Setup setup_;
  void Handshake_Step();
};

}  // namespace j5
