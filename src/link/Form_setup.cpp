#include "link/Form_setup.h"

#include "link/ident_frames.h"
#include "link/transfers.h"
#include "platform/runtime.h"
#include "shell/exchange_refusal.h"
#include "shell/program.h"

namespace j5 {

Form_setup::Form_setup(Program& program)
    : kit::Form(program.platform, "Form_setup", program.Main_Form()),
      Transfer(*this, program, Port_Window_Link(), *this),
      prog_(program) {
  setBorder(kit::Border::Fixed);
  Transfer.Progress.Clear();
  Transfer.Progress.Label_tr_count.setVisible(false);
  for (int i : Option_Port.indices()) Option_Port[i].setContainer(Frame1);
  Load = [this] { Form_Load(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  // Cancel and the close box abandon the identification alike.
  CloseRefused = nullptr;
  Command_ok.Click = [this] { Command_ok_Click(); };
  Command1.Click = [this] { Command1_Click(); };
}

void Form_setup::Form_Load() {
  setCaption(prog_.Text("通讯端口设置", "Communication Port Setup"));
  Frame1.setCaption(prog_.Text("端口设置", "Port Setup"));
  Command_ok.setCaption(prog_.Text("确 定", "Confirm"));
  Command1.setCaption(prog_.Text("取 消", "Cancel"));
  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->scaleWidth() / 2.9, h = main->scaleHeight() / 2.4;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2 - 500, w, h);
  }
  // Four rows of four buttons in the frame, the two buttons below it.
  const double cw = scaleWidth(), ch = scaleHeight();
  const double m = 120, bh = 375, fh = ch - bh - 3 * m;
  Frame1.move(m, m, cw - 2 * m, fh);
  const double cellW = (cw - 4 * m) / 4, cellH = (fh - 2 * m) / 4;
  show();
  for (int i : Option_Port.indices()) {
    Option_Port[i].setValue(false);
    Option_Port[i].setCaption("COM" + rt::Str(i + 1));
    Option_Port[i].move(2 * m + (i % 4) * cellW, 2 * m + (i / 4) * cellH, cellW, 255);
  }
  const int port = prog_.data.Comm_Port;
  if (port >= 1 && port <= 16) Option_Port[port - 1].setValue(true);
  const double bw = 1100, by = ch - bh - m;
  Command_ok.move(cw / 2 - bw - m, by, bw, bh);
  Command1.move(cw / 2 + m, by, bw, bh);
  prog_.data.Win_Setup = kTrue;
}

// Whatever closes the window ends its exchange with it (only Cancel can while one runs).
void Form_setup::Form_Unload(int&) {
  Transfer.Stop();
  prog_.data.Win_Setup = kFalse;
}

void Form_setup::Command1_Click() {
  unload();
}

void Form_setup::Command_ok_Click() {
  // Pressed again while the radio is being identified: the window closes by itself soon.
  if (Transfer.Exchange_Open()) return;
  // The port window left open while another window's exchange began: its port stays as it is.
  if (Exchange_Refused(prog_, Waits_For_Exchange::Port_Setup)) return;
  Shared_Data& d = prog_.data;
  for (int i : Option_Port.indices()) {
    if (Option_Port[i].value()) {
      d.Comm_Port = static_cast<std::int16_t>(i + 1);
      break;
    }
  }
  prog_.Set_Panel(2, "");
  prog_.Set_Panel(7, "");
  prog_.Set_Panel(8, "");
  prog_.Set_Panel(3, "COM" + std::to_string(d.Comm_Port));
  // A port that does not open has shown its message.
  if (!Transfer.Start({})) unload();
}

// A radio that answers with the start-up's fourteen bytes gives all three bands.
void Form_setup::Link_Identified(const Ident_Frame& frame) {
  if (frame.form == Ident_Form::Ident14) {
    Store_Ident14(prog_, frame);
  } else {
    Store_Ident8(prog_, frame);
  }
  const Bilingual& connected = Port_Window_Link().texts.connected;
  prog_.Set_Panel(2, prog_.Text(connected.chn, connected.eng));
}

// The window closes by itself at either end of the exchange.
void Form_setup::Link_Done() {
  unload();
}

void Form_setup::Link_Failed() {
  unload();
}

}  // namespace j5
