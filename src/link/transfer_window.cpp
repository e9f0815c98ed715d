#include "link/transfer_window.h"

#include "link/ident_frames.h"
#include "shell/program.h"

namespace j5 {

Transfer_Window::Transfer_Window(Program& program, std::string name,
                                 std::int16_t Shared_Data::*flag, const Transfer_Description& link)
    : kit::Form(program.platform, std::move(name), program.Main_Form()),
      Transfer(*this, program, link, *this),
      prog_(program),
      flag_(flag) {
  Timer4.setInterval(200);
  Timer4.Tick = [this] { Timer4_Timer(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
}

void Transfer_Window::Load_Window(kit::CommandButton& start, const std::string& captionChn,
                                  const std::string& captionEng, const std::string& startChn,
                                  const std::string& startEng) {
  prog_.data.*flag_ = kTrue;
  Unload_Req = false;
  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->width() / 2.5, h = main->height() / 4;
    move((main->width() - w) / 2, (main->height() - h) / 1.45, w, h);
  }
  setCaption(prog_.Text(captionChn, captionEng));
  start.setCaption(prog_.Text(startChn, startEng));
  Command_Cancel.setCaption(prog_.Text("取消", "Cancel"));
  Command_Help.setCaption(prog_.Text("帮助", "Help"));

  const double cw = scaleWidth(), ch = scaleHeight();
  const double margin = cw * 0.06, bw = 1100, bh = 375;
  Progress.Place_Label(margin, ch * 0.12, cw - 2 * margin);
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

void Transfer_Window::Start_Transfer(Block_Plan plan) {
  Transfer.Start(std::move(plan));
  if (prog_.data.Port_Error == 0) prog_.data.Name_Phase = kFalse;
}

void Transfer_Window::Cancel() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  unload();
}

void Transfer_Window::Link_Identified(const Ident_Frame& frame) {
  Store_Ident14(prog_, frame);
}

void Transfer_Window::Timer4_Timer() {
  if (Unload_Req) unload();
}

// Closing the window (menu reload, language switch, Exit, title bar) while a transfer runs
// would leave the radio half-written or half-read: it is refused as Cancel refuses it.
void Transfer_Window::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) {
    cancel = 1;
    return;
  }
  prog_.data.*flag_ = kFalse;
}

}  // namespace j5
