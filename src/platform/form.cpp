#include "platform/form.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/serial.h"

namespace kit {

// ---------------------------------------------------------------------------
// Form

Form::Form(Platform& platform, std::string name, MdiForm* mdiParent)
    : platform_(platform), name_(std::move(name)), mdiParent_(mdiParent) {}

Form::~Form() {
  // Controls (members of the derived class) are gone already, and nothing
  // ran in between that could reach them. A form that is still loaded here
  // goes with the program: its backend lets go of it before anything else
  // runs, and it leaves no trace behind.
  platform_.formDestroyed(*this);
  auto& forms = platform_.forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (platform_.activeForm_ == this) platform_.activeForm_ = nullptr;
  forgetActivation();
  platform_.loop_.dropOwner(this);
}

void Form::forgetActivation() {
  auto& a = platform_.activations_;
  a.erase(std::remove(a.begin(), a.end(), this), a.end());
}

void Form::removeControl(Control* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

void Form::setCaption(const std::string& s) {
  if (s == caption_) return;
  caption_ = s;
  notify(Prop::Caption);
}

void Form::setLeft(double v) {
  move(v, top_, width_, height_);
}
void Form::setTop(double v) {
  move(left_, v, width_, height_);
}
void Form::setWidth(double v) {
  move(left_, top_, v, height_);
}
void Form::setHeight(double v) {
  move(left_, top_, width_, v);
}

void Form::move(double left, double top, double width, double height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = std::max(0.0, width);
  height_ = std::max(0.0, height);
  notify(Prop::Geometry);
}

double Form::scaleWidth() const {
  return std::max(0.0, width_ - kFrameWidth);
}
double Form::scaleHeight() const {
  return std::max(0.0, height_ - kFrameHeight);
}

void Form::setClientSize(double width, double height) {
  move(left_, top_, width + kFrameWidth, height + kFrameHeight);
}

void Form::show() {
  if (!live()) return;
  if (!shown_) {
    shown_ = true;
    notify(Prop::Shown);
  }
  if (state_ == State::Loading) {
    // Activate comes after Load has returned.
    activatePending_ = true;
  } else if (platform_.activeForm_ != this || isMdi()) {
    queueActivate();
  }
}

bool Form::unload() {
  if (slot_) return slot_->unloadWith(1);
  return runUnload(1);
}

void Form::runLoad() {
  state_ = State::Loading;
  platform_.forms_.push_back(this);
  platform_.formLoading(*this);
  for (Control* c : controls_)
    if (c->kind() == ControlKind::Timer) static_cast<Timer*>(c)->formLoaded();
  platform_.dispatch(Load);
  if (state_ != State::Loading) return;  // Load unloaded the form
  state_ = State::Loaded;
  if (activatePending_) {
    activatePending_ = false;
    queueActivate();
  }
}

void Form::queueActivate() {
  platform_.post([this] { runActivate(); }, this);
}

void Form::runActivate() {
  if (!loaded() || !shown_) return;
  if (isMdi()) {
    // The frame window activates once; its children come and go inside it.
    if (!mdiActivated_) {
      mdiActivated_ = true;
      notify(Prop::Activated);
      platform_.dispatch(Activate);
    }
    return;
  }
  const bool wasActive = platform_.activeForm_ == this;
  if (Form* before = platform_.activeForm_; before && !wasActive && before->loaded()) {
    platform_.dispatch(before->Deactivate);
    if (!loaded() || !shown_) return;
  }
  platform_.activeForm_ = this;
  forgetActivation();
  platform_.activations_.push_back(this);
  if (!wasActive) {
    notify(Prop::Activated);
    platform_.dispatch(Activate);
  }
  if (!loaded()) return;
  // The focus goes to the control that had it last, else the first one in
  // tab order; a form without such a control gets the focus itself.
  Control* target = activeControl_ && activeControl_->focusable() ? activeControl_ : nullptr;
  if (!target) {
    auto order = tabOrder();
    if (!order.empty()) target = order.front();
  }
  if (target) {
    target->userFocus();
  } else if (!wasActive) {
    platform_.dispatch(GotFocus);
  }
}

std::vector<Control*> Form::tabOrder() const {
  std::vector<Control*> order;
  for (Control* c : controls_)
    if (c->focusable()) order.push_back(c);
  std::stable_sort(order.begin(), order.end(),
                   [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
  return order;
}

bool Form::runUnload(int mode) {
  if (!loaded()) return true;
  const State before = state_;
  state_ = State::Unloading;
  int cancel = 0;
  if (QueryUnload) platform_.dispatch([&] { QueryUnload(cancel, mode); });
  if (cancel == 0 && !unloadChildren()) cancel = 1;
  if (cancel == 0 && Unload) platform_.dispatch([&] { Unload(cancel); });
  if (cancel != 0) {
    state_ = before;
    return false;
  }
  state_ = State::Unloaded;
  for (Control* c : controls_) {
    if (c->kind() == ControlKind::Timer) static_cast<Timer*>(c)->formUnloaded();
    if (c->kind() == ControlKind::SerialPort) static_cast<SerialPort*>(c)->formUnloaded();
  }
  platform_.loop_.dropOwner(this);
  if (platform_.focused_ && &platform_.focused_->form() == this) platform_.focused_ = nullptr;
  if (platform_.leaveDone_ && &platform_.leaveDone_->form() == this) platform_.leaveDone_ = nullptr;
  if (platform_.typedInto_ && &platform_.typedInto_->form() == this) platform_.typedInto_ = nullptr;
  const bool wasActive = platform_.activeForm_ == this;
  if (wasActive) platform_.activeForm_ = nullptr;
  forgetActivation();
  auto& forms = platform_.forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  shown_ = false;
  // As a window system does, the window active before this one becomes
  // active again.
  if (wasActive) {
    for (auto it = platform_.activations_.rbegin(); it != platform_.activations_.rend(); ++it) {
      if ((*it)->loaded() && (*it)->shown_) {
        (*it)->queueActivate();
        break;
      }
    }
  }
  notify(Prop::Unloaded);
  platform_.formUnloaded(*this);
  for (Control* c : controls_) c->setPeer(nullptr);
  peer_ = nullptr;
  return true;
}

void Form::userActivate() {
  if (!loaded() || !shown_ || isMdi()) return;
  if (platform_.activeForm_ == this) return;
  queueActivate();
}

bool Form::userClose() {
  bool refused = false;
  if (CloseRefused) platform_.dispatch([&] { refused = CloseRefused(); });
  if (refused) return false;
  // What the user typed and has not left yet is committed before the window goes; closing the
  // main window closes every window.
  if (!(isMdi() ? platform_.commitPending() : commitPending())) return false;
  if (slot_) return slot_->unloadWith(0);
  return runUnload(0);
}

bool Form::commitPending() {
  if (!loaded()) return true;
  const std::uint64_t shownBefore = platform_.messageBoxesShown_;
  bool accepted = true;
  platform_.dispatch([&] { accepted = CommitPending ? CommitPending() : commitFocusedBox(); });
  return accepted && platform_.messageBoxesShown_ == shownBefore;
}

bool Form::commitFocusedBox() {
  Platform& p = platform_;
  Control* const box = p.focused_;
  if (!box || &box->form() != this || p.typedInto_ != box || p.leaveDone(box)) return true;
  if (box->kind() != ControlKind::TextBox && box->kind() != ControlKind::ComboBox) return true;
  // Its leave as the focus moving on would run it, with no control to go to. A request for the
  // focus meanwhile (asking for it back) refuses, as it cancels a leave.
  const std::uint64_t shownBefore = p.messageBoxesShown_;
  const std::uint64_t generation = p.focusGeneration_;
  Control* const outerLosing = p.losingFocus_;
  Control* const outerTarget = p.focusTarget_;
  p.losingFocus_ = box;
  p.focusTarget_ = nullptr;
  box->raise(box->LostFocus);
  p.focusTarget_ = outerTarget;
  if (p.losingFocus_ == box) p.losingFocus_ = outerLosing;
  const bool accepted = p.focusGeneration_ == generation && p.messageBoxesShown_ == shownBefore;
  if (accepted && p.focused_ == box) p.markLeaveDone(box);
  return accepted;
}

void Form::userResize(double width, double height) {
  width_ = std::max(0.0, width);
  height_ = std::max(0.0, height);
}

void Form::userMove(double left, double top) {
  left_ = left;
  top_ = top;
}

void Form::userAccessKey(int letter) {
  const int key = std::toupper(letter);
  for (Control* c : controls_) {
    if (c->kind() != ControlKind::CommandButton) continue;
    auto* b = static_cast<CommandButton*>(c);
    if (b->accessKey() == key && b->focusable()) {
      b->userClick();
      return;
    }
  }
}

Control* Form::nextInTabOrder(const Control* from) const {
  std::vector<Control*> all = controls_;
  std::stable_sort(all.begin(), all.end(),
                   [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
  auto at = std::find(all.begin(), all.end(), from);
  if (at == all.end()) {
    const auto order = tabOrder();
    return order.empty() ? nullptr : order.front();
  }
  for (auto it = at + 1; it != all.end(); ++it)
    if ((*it)->focusable()) return *it;
  for (auto it = all.begin(); it != at; ++it)
    if ((*it)->focusable()) return *it;
  return nullptr;
}

void Form::userTab() {
  if (Control* next = nextInTabOrder(platform_.focused_)) next->userFocus();
}

void Form::focusMayLeave() {
  Control* lost = platform_.focused_;
  if (!lost || &lost->form() != this || !live()) return;
  if (lost->shownOnForm() && lost->enabledOnForm()) return;
  // A LostFocus handler that hides its own control: the move it belongs to goes on.
  if (platform_.losingFocus_ == lost) return;
  if (Control* next = nextInTabOrder(lost)) {
    next->moveFocus(true);
    return;
  }
  platform_.losingFocus_ = lost;
  if (!platform_.takeLeaveDone(lost)) lost->raise(lost->LostFocus);
  if (platform_.losingFocus_ == lost) platform_.losingFocus_ = nullptr;
  if (platform_.focused_ != lost) return;  // the handler put the focus somewhere
  platform_.focused_ = nullptr;
  notify(Prop::Focus);
}

// ---------------------------------------------------------------------------
// FormSlotBase

Form& FormSlotBase::loadForm() {
  if (form_ && form_->loaded()) return *form_;
  form_ = make();
  form_->slot_ = this;
  Form* f = form_.get();
  f->runLoad();
  // When Load unloaded the form, it waits in the platform's retired list
  // until the loop next runs, so the reference stays good until then.
  return *f;
}

bool FormSlotBase::unloadWith(int mode) {
  if (!form_) return true;
  if (form_->state_ == Form::State::Unloading) return true;
  if (!form_->runUnload(mode)) return false;
  Platform& p = form_->platform_;
  form_->slot_ = nullptr;
  p.retire(std::move(form_));
  p.post([] {});  // lets the loop free it soon
  return true;
}

// ---------------------------------------------------------------------------
// Menus, toolbar, status bar

Menu::Menu(Form& owner, std::string name, Menu* parent)
    : Control(owner, std::move(name)), parent_(parent) {}

std::vector<Menu*> Menu::children() const {
  std::vector<Menu*> out;
  for (Control* c : form().controls())
    if (c->kind() == ControlKind::Menu && static_cast<Menu*>(c)->parent_ == this)
      out.push_back(static_cast<Menu*>(c));
  return out;
}

void Menu::setCaption(const std::string& s) {
  assign(caption_, s, Prop::Caption);
}

void Menu::setChecked(bool v) {
  assign(checked_, v, Prop::Checked);
}

void Menu::setShortcut(const std::string& s) {
  shortcut_ = s;
  notify(Prop::Shortcut);
}

bool Menu::reachable() const {
  for (const Menu* m = this; m; m = m->parent_)
    if (!m->visible() || !m->enabled()) return false;
  return form().loaded();
}

void Menu::userClick() {
  if (!reachable() || !children().empty()) return;
  raise(Click);
}

void Toolbar::addButton(const std::string& key, const std::string& toolTip,
                        const std::string& picture) {
  buttons_.push_back(ToolbarButton{key, toolTip, picture, static_cast<int>(buttons_.size()) + 1});
  notify(Prop::Buttons, static_cast<int>(buttons_.size()));
}

const ToolbarButton& Toolbar::button(int i) const {
  if (i < 1 || i > buttonCount()) throw std::out_of_range("Index out of bounds");
  return buttons_[static_cast<std::size_t>(i - 1)];
}

const ToolbarButton* Toolbar::find(const std::string& key) const {
  for (const auto& b : buttons_)
    if (b.key == key) return &b;
  return nullptr;
}

void Toolbar::setToolTip(int i, const std::string& s) {
  if (i < 1 || i > buttonCount()) throw std::out_of_range("Index out of bounds");
  buttons_[static_cast<std::size_t>(i - 1)].toolTip = s;
  notify(Prop::Buttons, i);
}

void Toolbar::userClickButton(const std::string& key) {
  const ToolbarButton* b = find(key);
  if (!b || !shownOnForm() || !enabledOnForm() || !form().loaded()) return;
  const ToolbarButton copy = *b;
  raiseWith(ButtonClick, copy);
}

void StatusPanel::setText(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  if (bar_) bar_->panelChanged(number_);
}

void StatusPanel::setWidth(double twips) {
  if (twips == width_) return;
  width_ = twips;
  if (bar_) bar_->panelChanged(number_);
}

void StatusBar::setPanelCount(int n) {
  if (n < 0) throw std::out_of_range("Invalid property value");
  panels_.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    auto& p = panels_[static_cast<std::size_t>(i)];
    if (!p) p = std::make_unique<StatusPanel>();
    p->bar_ = this;
    p->number_ = i + 1;
  }
  notify(Prop::Panels, -1);
}

StatusPanel& StatusBar::panel(int n) {
  if (n < 1 || n > panelCount()) throw std::out_of_range("Index out of bounds");
  return *panels_[static_cast<std::size_t>(n - 1)];
}

const StatusPanel& StatusBar::panel(int n) const {
  if (n < 1 || n > panelCount()) throw std::out_of_range("Index out of bounds");
  return *panels_[static_cast<std::size_t>(n - 1)];
}

// ---------------------------------------------------------------------------
// MdiForm

MdiForm::MdiForm(Platform& platform, std::string name) : Form(platform, std::move(name)) {}

double MdiForm::scaleWidth() const {
  return Form::scaleWidth();
}

double MdiForm::scaleHeight() const {
  double h = Form::scaleHeight();
  bool anyMenu = false;
  for (Control* c : controls()) {
    if (c->kind() == ControlKind::Menu && !static_cast<Menu*>(c)->parentMenu() && c->visible())
      anyMenu = true;
    if (c->kind() == ControlKind::Toolbar && c->visible()) h -= Toolbar::kHeight;
    if (c->kind() == ControlKind::StatusBar && c->visible()) h -= StatusBar::kHeight;
  }
  if (anyMenu) h -= kMenuBarHeight;
  return std::max(0.0, h);
}

std::vector<Menu*> MdiForm::menus() const {
  std::vector<Menu*> out;
  for (Control* c : controls())
    if (c->kind() == ControlKind::Menu) out.push_back(static_cast<Menu*>(c));
  return out;
}

std::vector<Form*> MdiForm::children() const {
  std::vector<Form*> out;
  for (Form* f : platform().loadedForms())
    if (f->mdiParent() == this) out.push_back(f);
  return out;
}

void MdiForm::userShortcut(const std::string& shortcut) {
  auto lower = [](std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
  };
  const std::string want = lower(shortcut);
  for (Menu* m : menus()) {
    if (!m->shortcut().empty() && lower(m->shortcut()) == want) {
      m->userClick();
      return;
    }
  }
}

bool MdiForm::unloadChildren() {
  for (Form* child : children()) {
    if (!child->unload()) return false;
  }
  return true;
}

}  // namespace kit
