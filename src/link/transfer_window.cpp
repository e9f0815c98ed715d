#include "link/transfer_window.h"

#include "shell/program.h"

namespace j5 {

Transfer_Window::Transfer_Window(Program& program, std::string name, std::int16_t SharedData::*flag,
                                 Link_Setup setup)
    : kit::Form(program.platform, std::move(name), program.mainForm()),
      Link(*this, program, setup),
      prog_(program),
      flag_(flag) {
  Timer4.setInterval(200);
  Timer4.Tick = [this] { Timer4_Timer(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Link.Failure_Report = [this] { Failure_Report(); };
}

void Transfer_Window::Load_Window(kit::CommandButton& start, const std::string& captionChn,
                                  const std::string& captionEng, const std::string& startChn,
                                  const std::string& startEng) {
  prog_.data.*flag_ = kTrue;
  Link.Unload_Req = false;
  if (kit::MdiForm* main = prog_.mainForm()) {
    const double w = main->width() / 2.5, h = main->height() / 4;
    move((main->width() - w) / 2, (main->height() - h) / 1.45, w, h);
  }
  setCaption(prog_.text(captionChn, captionEng));
  start.setCaption(prog_.text(startChn, startEng));
  Command_Cancel.setCaption(prog_.text("取消", "Cancel"));
  Command_Help.setCaption(prog_.text("帮助", "Help"));

  const double cw = scaleWidth(), ch = scaleHeight();
  const double margin = cw * 0.06, bw = 1100, bh = 375;
  Label_tr_count.move(margin, ch * 0.12, cw - 2 * margin, 300);
  ProgressBar1.move(margin, ch * 0.12 + 420, cw - 2 * margin, 300);
  const double gap = (cw - 3 * bw) / 4, by = ch - bh - ch * 0.12;
  start.move(gap, by, bw, bh);
  Command_Cancel.move(2 * gap + bw, by, bw, bh);
  Command_Help.move(3 * gap + 2 * bw, by, bw, bh);
  start.setTabIndex(0);
  Command_Cancel.setTabIndex(1);
  Command_Help.setTabIndex(2);
  show();
}

void Transfer_Window::Busy_Message() {
  prog_.platform.messageBox(
      prog_.text("正在与对讲机进行读写操作 ！", "Read-write operating with transceiver ."),
      prog_.text("操作提示", "Operate prompt"), kit::MsgIcon::Exclamation);
}

void Transfer_Window::Close_Busy_Message() {
  prog_.platform.messageBox(prog_.text("正在进行读写操作,请勿关窗口 ！,",
                                       "Read-write operating，don't close the window. ,"),
                            prog_.text("操作提示", "Operate prompt"), kit::MsgIcon::Exclamation);
}

void Transfer_Window::Start_Transfer(int& counter) {
  if (Link.Link_Busy) return;
  if (!Link.MSC.portOpen()) {
    Link.Open_Port();
    if (prog_.data.Port_Error != 0) return;
  }
  counter = 0;
  prog_.data.Addr_High = 0;
  prog_.data.Addr_Low = 0;
  Link.Begin_Exchange();
}

void Transfer_Window::Close_Window() {
  Link.Close_Port();
  unload();
}

void Transfer_Window::Show_Connecting() {
  prog_.data.Name_Phase = kFalse;
  ProgressBar1.setValue(0);
  Label_tr_count.setCaption(prog_.text("正在与对讲机联络 ！", "Connecting with transceiver. "));
}

void Transfer_Window::Progress(int value) {
  ProgressBar1.setVisible(true);
  ProgressBar1.setValue(value);
}

void Transfer_Window::Timer4_Timer() {
  if (Link.Unload_Req) unload();
}

// Closing the window (menu reload, language switch, Exit, title bar) while a transfer runs
// would leave the radio half-written or half-read: it is refused as Cancel refuses it.
void Transfer_Window::Form_Unload(int& cancel) {
  if (Link.Link_Busy) {
    Close_Busy_Message();
    cancel = 1;
    return;
  }
  prog_.data.*flag_ = kFalse;
}

void Transfer_Window::Failure_Report() {
  ProgressBar1.setValue(0);
  ProgressBar1.setVisible(false);
  Label_tr_count.setCaption("");
  Link.Link_Busy = false;
  prog_.platform.messageBox(prog_.text("与对讲机联络失败 ！", "Fail connect with transceiver."),
                            prog_.text("操作提示", "Operate prompt"), kit::MsgIcon::Exclamation);
  Label_tr_count.setCaption(prog_.text("与对讲机通讯故障 ！", "Communication fault."));
}

}  // namespace j5
