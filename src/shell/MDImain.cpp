#include "shell/MDImain.h"

#include "shell/program.h"

namespace j5 {

MDImain::MDImain(Program& program) : kit::MdiForm(program.platform, "MDImain"), prog_(program) {
  StatusBar1.setPanelCount(11);
}

}  // namespace j5
