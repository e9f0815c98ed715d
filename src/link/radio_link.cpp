#include "link/radio_link.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

Radio_Link::Radio_Link(kit::Form& owner, Program& program, Link_Setup setup)
    : MSC(owner, "MSC"),
      Timer1(owner, "Timer1"),
      Timer2(owner, "Timer2"),
      Timer3(owner, "Timer3"),
      owner_(owner),
      prog_(program),
      setup_(setup) {
  // Enabled with interval 0: none fires until the code gives it an interval.
  Timer1.Tick = [this] { Timer1_Timer(); };
  Timer2.Tick = [this] { Timer2_Timer(); };
  Timer3.Tick = [this] { Timer3_Timer(); };
  MSC.OnComm = [this] { MSC_OnComm(); };
}

void Radio_Link::Open_Port() {
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
    if (setup_.clear_output) MSC.setOutBufferCount(0);
    MSC.setPortOpen(true);
  } catch (const kit::PortError&) {
    d.Port_Error = kTrue;
    if (setup_.port_message) {
      prog_.platform.messageBox(
          prog_.text("通讯端口打开错误，请正确设置通讯端口 ！",
                     "Communication port is error, please setting right communication port . ！"),
          prog_.text("操作提示", "Operate prompt"), kit::MsgIcon::Exclamation);
    }
  }
}

void Radio_Link::Begin_Exchange() {
  // The report of an earlier time-out still pending would stop this exchange's timers.
  Timer3.setEnabled(false);
  Discard_Input();
  Link_State = 0;
  Discard_Input();
  const auto& code = prog_.data.Access_Code;
  std::copy(code.begin(), code.begin() + 8, Tx_Frame.begin());
  Tx_Len = setup_.code_len;
  Link_Busy = true;
  Start_Send();
}

void Radio_Link::Queue(std::initializer_list<int> bytes) {
  Tx_Len = 0;
  for (int b : bytes) Tx_Frame[static_cast<std::size_t>(Tx_Len++)] = static_cast<std::int16_t>(b);
}

void Radio_Link::Start_Send() {
  All_Sent = false;
  Tx_Pos = 0;
  Timer1.setInterval(15);
  Timer1.setEnabled(true);
}

void Radio_Link::Send_Now(std::uint8_t byte) {
  Tx_Byte[0] = byte;
  MSC.output({Tx_Byte.begin(), Tx_Byte.end()});
}

// One tick sends the whole queue and holds the thread meanwhile: the pauses are part of the
// frame, and no receive event is handled before its last byte is out. Each pause runs to the
// end of its byte's slot, so a pause that overran does not delay the bytes after it.
void Radio_Link::Timer1_Timer() {
  if (!MSC.portOpen()) {
    Timer1.setEnabled(false);
    return;
  }
  kit::Platform& p = prog_.platform;
  double slotEnd = p.nowMs();
  while (Tx_Pos != Tx_Len) {
    Send_Now(static_cast<std::uint8_t>(Tx_Frame[static_cast<std::size_t>(Tx_Pos)]));
    slotEnd += setup_.byte_pause_ms;
    p.pauseMs(slotEnd - p.nowMs());
    Timer2.setInterval(setup_.reply_ms);
    Timer2.setEnabled(true);
    ++Tx_Pos;
  }
  Timer2.setInterval(setup_.reply_ms_frame);
  Timer2.setEnabled(true);
  Timer1.setEnabled(false);
  All_Sent = true;
}

// The time-out ends the exchange once: left running, Timer2 would go on closing the port every
// second, also one that a new exchange opened in the meantime, and keep putting off the report.
void Radio_Link::Timer2_Timer() {
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(true);
  Timer3.setInterval(setup_.report_ms);
  Close_Port();
  Link_Busy = false;
  if (No_Reply) No_Reply();
}

void Radio_Link::Timer3_Timer() {
  Stop_Timers();
  if (Failure_Report) Failure_Report();
}

void Radio_Link::Stop_Timers() {
  Timer1.setEnabled(false);
  Timer2.setEnabled(false);
  Timer3.setEnabled(false);
}

void Radio_Link::Close_Port() {
  if (MSC.portOpen()) MSC.setPortOpen(false);
}

int Radio_Link::Take(int n) {
  int taken = 0;
  while (taken < n) {
    const int b = Take_One();
    if (b < 0) break;
    Rx_Buf[static_cast<std::size_t>(taken++)] = static_cast<std::uint8_t>(b);
  }
  return taken;
}

int Radio_Link::Take_One() {
  const auto got = MSC.input();
  return got.empty() ? -1 : got[0];
}

// Exactly ident_len bytes are taken, so only a frame that begins with the first of them counts;
// bytes left in Rx_Buf by an earlier exchange are not looked at.
bool Radio_Link::Ident_Accepted(int taken) const {
  const int n = setup_.ident_len;
  return taken >= n && Rx_Buf[0] == Ident_Start &&
         Rx_Buf[static_cast<std::size_t>(n - 1)] == Ident_End;
}

void Radio_Link::Store_Ident14_Bands() {
  SharedData& d = prog_.data;
  auto limit = [this](int at) { return Band_Limit_Pair(Rx_Buf[at], Rx_Buf[at + 1]); };
  d.VHF_Low = limit(1);
  d.VHF_High = limit(3);
  d.UHF0_Low = limit(5);
  d.UHF0_High = limit(7);
  d.UHF1_Low = limit(9);
  d.UHF1_High = limit(11);
  prog_.setPanel(7, Ident_Band_Text("VHF:", d.VHF_Low, d.VHF_High));
  prog_.setPanel(8, Ident_Band_Text("UHF0:", d.UHF0_Low, d.UHF0_High));
  prog_.setPanel(9, Ident_Band_Text("UHF1:", d.UHF1_Low, d.UHF1_High));
}

void Radio_Link::MSC_OnComm() {
  if (MSC.commEvent() != kit::SerialPort::kEvReceive) return;
  if (setup_.opening == Link_Setup::Opening::Own) {
    if (Block_Step) Block_Step();
    return;
  }
  if (Link_State >= 3 && Block_Step) Block_Step();
  if (Link_State < 3 && MSC.portOpen()) Handshake_Step();
}

void Radio_Link::Handshake_Step() {
  const int threshold = Link_State == 1 ? setup_.ident_len - 1 : 0;
  if (MSC.inBufferCount() <= threshold) return;
  const int taken = Take(threshold + 1);
  if (Link_State == 0 && Rx_Buf[0] == ACK) {
    Link_State = 1;
    Queue({STX});
    Discard_Input();
    Start_Send();
    Discard_Input();
    Clear_Rx();
    return;
  }
  const bool accepted = Link_State == 1 && Ident_Accepted(taken);
  Discard_Input();
  if (accepted) {
    Link_State = 2;
    if (setup_.opening == Link_Setup::Opening::Full) {
      Queue({ACK});
      Discard_Input();
      Start_Send();
      Discard_Input();
    }
    if (setup_.ident_len == 14) Store_Ident14_Bands();
    if (Identified) Identified();
    Clear_Rx();
    return;
  }
  if (Link_State == 2 && setup_.opening == Link_Setup::Opening::Full && Rx_Buf[0] == ACK) {
    Link_State = 3;
    Timer2.setEnabled(false);
    Timer3.setEnabled(false);
    prog_.setPanel(2, prog_.text("与对讲机数据通讯正常", "Connect well with radio."));
    if (Block_Phase) Block_Phase();
  }
  // Anything else is dropped; Timer2 ends the exchange if nothing acceptable follows.
}

}  // namespace j5
