#include "link/startup_ident.h"

#include "link/ident_frames.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

Startup_Ident::Startup_Ident(kit::Form& owner, Program& program)
    : Transfer(owner, program, Startup_Ident_Link(), *this), prog_(program) {
  Transfer.Progress.Clear();
  Transfer.Progress.Label_tr_count.setVisible(false);
}

void Startup_Ident::Link_Start() {
  Transfer.Start({});
}

void Startup_Ident::Panel(const Bilingual& text) {
  prog_.Set_Panel(2, prog_.Text(text.chn, text.eng));
}

// A port that the probe opened but that will not open again does not end the program without a
// word: it counts as a failed identification, and start-up goes on.
void Startup_Ident::Link_Port_Error(bool) {
  Panel(Startup_Ident_Link().texts.fail_panel);
}

void Startup_Ident::Link_Identified(const Ident_Frame& frame) {
  Store_Ident14(prog_, frame);
}

// The frame is not acknowledged: the port closed before anything more went out. A failure shows
// in panel 2 through the transfer's report.
void Startup_Ident::Link_Done() {
  Panel(Startup_Ident_Link().texts.connected);
}

}  // namespace j5
