#include "link/Form_setup.h"

#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

Form_setup::Form_setup(Program& program)
    : kit::Form(program.platform, "Form_setup", program.mainForm()),
      Link(*this, program, Link_Setup{.opening = Link_Setup::Opening::Ident_Only, .ident_len = 8}),
      prog_(program) {
  setBorder(kit::Border::Fixed);
  for (int i : Option_Port.indices()) Option_Port[i].setContainer(Frame1);
  Load = [this] { Form_Load(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Command_ok.Click = [this] { Command_ok_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Link.Identified = [this] { Identified(); };
  Link.No_Reply = [this] { No_Reply(); };
  Link.Failure_Report = [this] { unload(); };
}

void Form_setup::Form_Load() {
  setCaption(prog_.text("通讯端口设置", "Communication Port Setup"));
  Frame1.setCaption(prog_.text("端口设置", "Port Setup"));
  Command_ok.setCaption(prog_.text("确 定", "Confirm"));
  Command1.setCaption(prog_.text("取 消", "Cancel"));
  if (kit::MdiForm* main = prog_.mainForm()) {
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

void Form_setup::Form_Unload(int&) {
  prog_.data.Win_Setup = kFalse;
}

void Form_setup::Command1_Click() {
  unload();
}

void Form_setup::Command_ok_Click() {
  // Pressed again while the radio is being identified: the window closes by itself soon.
  if (Exchange_Started) return;
  SharedData& d = prog_.data;
  for (int i : Option_Port.indices()) {
    if (Option_Port[i].value()) {
      d.Comm_Port = static_cast<std::int16_t>(i + 1);
      break;
    }
  }
  prog_.setPanel(2, "");
  prog_.setPanel(7, "");
  prog_.setPanel(8, "");
  prog_.setPanel(3, "COM" + std::to_string(d.Comm_Port));
  Link.Open_Port();
  if (d.Port_Error != 0) {
    unload();
    return;
  }
  Exchange_Started = true;
  Link.Begin_Exchange();
}

void Form_setup::Identified() {
  SharedData& d = prog_.data;
  const auto& f = Link.Rx_Buf;
  // The first band's hundreds are implied (100 MHz); the second band's come in a whole byte.
  d.Band_A_Low = Band_Limit_Pair(1, f[1]);
  d.Band_A_High = Band_Limit_Pair(1, f[2]);
  d.Band_B_Low = Band_Limit_Pair(f[3], f[4]);
  d.Band_B_High = Band_Limit_Pair(f[5], f[6]);
  prog_.setPanel(7, Ident_Band_Text("VHF:", d.Band_A_Low, d.Band_A_High));
  prog_.setPanel(8, Ident_Band_Text("UHF:", d.Band_B_Low, d.Band_B_High));
  d.VHF_Low = d.Band_A_Low;
  d.VHF_High = d.Band_A_High;
  d.UHF0_Low = d.Band_B_Low;
  d.UHF0_High = d.Band_B_High;
  Link.Clear_Rx();
  prog_.setPanel(2, prog_.text("与对讲机连接正常", "Connect well with radio."));
  Link.Close_Port();
  Link.Timer1.setEnabled(false);
  Link.Timer2.setEnabled(false);
  Link.Timer3.setEnabled(true);
  Link.Timer3.setInterval(50);
  Link.Link_Busy = false;
}

void Form_setup::No_Reply() {
  prog_.setPanel(2, prog_.text("联机故障 ！", "Communication fault."));
}

}  // namespace j5
