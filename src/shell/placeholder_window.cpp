#include "shell/placeholder_window.h"

#include "shell/program.h"

namespace j5 {

Placeholder_Window::Placeholder_Window(Program& program, std::string name, std::string captionChn,
                                       std::string captionEng, std::int16_t SharedData::*flag,
                                       kit::Border border)
    : kit::Form(program.platform, std::move(name), program.mainForm()),
      prog_(program),
      captionChn_(std::move(captionChn)),
      captionEng_(std::move(captionEng)),
      flag_(flag) {
  setBorder(border);
  Load = [this] { Form_Load(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
}

void Placeholder_Window::Form_Load() {
  if (flag_) prog_.data.*flag_ = kTrue;
  setCaption(prog_.text(captionChn_, captionEng_));
  if (kit::MdiForm* main = prog_.mainForm()) {
    const double w = main->scaleWidth() / 2, h = main->scaleHeight() / 2;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2, w, h);
  }
  show();
}

void Placeholder_Window::Form_Unload(int&) {
  if (flag_) prog_.data.*flag_ = kFalse;
}

}  // namespace j5
