#include "link/startup_ident.h"

#include "shell/program.h"

namespace j5 {

Startup_Ident::Startup_Ident(kit::Form& owner, Program& program)
    : Link(owner, program,
           Link_Setup{.opening = Link_Setup::Opening::Ident_Only, .port_message = false}),
      prog_(program) {
  Link.Identified = [this] { Identified(); };
  Link.Failure_Report = [this] { Failure_Report(); };
}

// A port that the probe opened but that will not open again does not end the program without a
// word: it counts as a failed identification, and start-up goes on.
void Startup_Ident::Link_Start() {
  Link.Open_Port();
  if (prog_.data.Port_Error != 0) {
    Failure_Report();
    return;
  }
  Link.Begin_Exchange();
}

// The frame is not acknowledged: the port closes before anything more goes out.
void Startup_Ident::Identified() {
  Link.Close_Port();
  Link.Stop_Timers();
  Link.Link_Busy = false;
  prog_.setPanel(2, prog_.text("与对讲机连接正常", "Connect well with radio."));
}

void Startup_Ident::Failure_Report() {
  prog_.setPanel(2, prog_.text("联机故障 ！", "Communication fault."));
}

}  // namespace j5
