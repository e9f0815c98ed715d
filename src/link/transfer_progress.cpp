#include "link/transfer_progress.h"

#include <algorithm>
#include <utility>

#include "shell/program.h"

namespace j5 {

Transfer_Progress::Transfer_Progress(kit::Form& owner, Program& program,
                                     const Transfer_Texts& texts)
    : Label_tr_count(owner, "Label_tr_count"),
      ProgressBar1(owner, "ProgressBar1"),
      prog_(program),
      texts_(texts) {}

void Transfer_Progress::Label(const Bilingual& text) {
  Label_tr_count.setCaption(prog_.Text(text.chn, text.eng));
}

std::vector<std::string> Transfer_Progress::Label_Texts() const {
  // No transfer counts beyond three digits.
  const std::string n = "888";
  std::vector<Bilingual> all = more_;
  if (texts_.connecting_panel == 0) all.push_back(texts_.connecting);
  for (const Counted_Text* c : {&texts_.reading, &texts_.writing})
    all.push_back({c->before.chn + n + c->after.chn, c->before.eng + n + c->after.eng});
  all.insert(all.end(), {texts_.read_done_label, texts_.write_done_label, texts_.fail_label});
  std::vector<std::string> out;
  for (const Bilingual& b : all)
    for (const std::string* t : {&b.chn, &b.eng})
      if (!t->empty()) out.push_back(*t);
  return out;
}

double Transfer_Progress::Place_Label(double left, double top, double width,
                                      std::vector<Bilingual> more) {
  more_ = std::move(more);
  // Measured a pixel narrower: the label's edges are rounded to whole pixels on screen.
  constexpr double kPixel = 15;
  double height = 0;
  for (const std::string& t : Label_Texts())
    height = std::max(height, prog_.platform.labelTextHeightTwips(t, width - kPixel));
  Label_tr_count.move(left, top, width, height);
  return top + height;
}

void Transfer_Progress::Connecting(bool show_bar) {
  if (show_bar) ProgressBar1.setVisible(true);
  ProgressBar1.setValue(0);
  if (texts_.connecting_panel > 0) {
    prog_.Set_Panel(texts_.connecting_panel,
                    prog_.Text(texts_.connecting.chn, texts_.connecting.eng));
  } else {
    Label(texts_.connecting);
  }
}

void Transfer_Progress::Identified() {
  if (texts_.connected_at_ident) Connected_Text();
}

void Transfer_Progress::Connected() {
  if (!texts_.connected_at_ident) Connected_Text();
}

void Transfer_Progress::Connected_Text() {
  if (texts_.connected_panel > 0)
    prog_.Set_Panel(texts_.connected_panel, prog_.Text(texts_.connected.chn, texts_.connected.eng));
}

void Transfer_Progress::Step(const Counted_Text& text, const Progress_Mark& mark) {
  ProgressBar1.setVisible(true);
  ProgressBar1.setValue(mark.value);
  const std::string n = std::to_string(mark.number);
  Label({text.before.chn + n + text.after.chn, text.before.eng + n + text.after.eng});
}

void Transfer_Progress::Read_Done() {
  if (!texts_.read_done_bar) {
    Prompt(prog_, texts_.read_done_message, texts_.done_title);
    Label(texts_.read_done_label);
    return;
  }
  ProgressBar1.setVisible(true);
  ProgressBar1.setValue(100);
  Label(texts_.read_done_label);
  Prompt(prog_, texts_.read_done_message, texts_.done_title);
}

void Transfer_Progress::Write_Done() {
  Prompt(prog_, texts_.write_done_message, texts_.done_title);
  Label(texts_.write_done_label);
}

void Transfer_Progress::Clear() {
  ProgressBar1.setValue(0);
  ProgressBar1.setVisible(false);
  Label_tr_count.setCaption("");
}

void Transfer_Progress::Failed(bool partly_written) {
  switch (texts_.fail_bar) {
    case Transfer_Texts::Bar::Hide:
      Clear();
      break;
    case Transfer_Texts::Bar::Zero:
      ProgressBar1.setValue(0);
      break;
    case Transfer_Texts::Bar::Keep:
      break;
  }
  if (partly_written) {
    Prompt(prog_, {"与对讲机的连接中断，写入停止，对讲机只写入了一部分 ！",
                   "The line to the transceiver was lost; the write stopped, so the transceiver "
                   "is only partly written."});
  } else if (!texts_.fail_message.chn.empty()) {
    Prompt(prog_, texts_.fail_message);
  }
  if (!texts_.fail_label.chn.empty()) Label(texts_.fail_label);
  if (!texts_.fail_panel.chn.empty())
    prog_.Set_Panel(2, prog_.Text(texts_.fail_panel.chn, texts_.fail_panel.eng));
}

void Transfer_Progress::Timed_Out() {
  if (!texts_.time_out_panel.chn.empty())
    prog_.Set_Panel(2, prog_.Text(texts_.time_out_panel.chn, texts_.time_out_panel.eng));
}

void Transfer_Progress::Port_Error() {
  if (!texts_.port_error.chn.empty()) Prompt(prog_, texts_.port_error, texts_.port_error_title);
}

void Transfer_Progress::Busy() {
  Prompt(prog_, texts_.busy);
}

void Transfer_Progress::Close_Busy() {
  Prompt(prog_, texts_.close_busy);
}

void Transfer_Progress::Unload_Busy() {
  Prompt(prog_, texts_.unload_busy);
}

}  // namespace j5
