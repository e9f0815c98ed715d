#include "link/startup_ident.h"

#include "link/ident_frames.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

Startup_Ident::Startup_Ident(kit::Form& owner, Program& program)
    : Link(owner, program.data, *this), prog_(program) {}

void Startup_Ident::Link_Start() {
  Link.Start(Startup_Ident_Link());
}

void Startup_Ident::Panel(const Bilingual& text) {
  prog_.Set_Panel(2, prog_.Text(text.chn, text.eng));
}

// A port that the probe opened but that will not open again does not end the program without a
// word: it counts as a failed identification, and start-up goes on.
void Startup_Ident::Link_Port_Error(bool) {
  Link_Failed();
}

void Startup_Ident::Link_Identified(const Ident_Frame& frame) {
  Store_Ident14(prog_, frame);
}

// The frame is not acknowledged: the port closed before anything more went out.
void Startup_Ident::Link_Done() {
  Panel(Startup_Ident_Link().texts.connected);
}

void Startup_Ident::Link_Failed() {
  Panel(Startup_Ident_Link().texts.fail_panel);
}

}  // namespace j5
