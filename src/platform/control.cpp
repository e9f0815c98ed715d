#include "platform/control.h"

#include <algorithm>
#include <stdexcept>

#include "platform/form.h"
#include "platform/utf8.h"

namespace kit {

// ---------------------------------------------------------------------------
// Control

Control::Control(Form& owner, std::string name, int index)
    : form_(owner),
      name_(std::move(name)),
      index_(index),
      tabIndex_(static_cast<int>(owner.controls().size())) {
  form_.addControl(this);
}

Control::~Control() {
  Platform& p = platform();
  if (p.focused_ == this) p.focused_ = nullptr;
  if (p.losingFocus_ == this) p.losingFocus_ = nullptr;
  if (p.leaveDone_ == this) p.leaveDone_ = nullptr;
  if (p.typedInto_ == this) p.typedInto_ = nullptr;
  if (form_.activeControl_ == this) form_.activeControl_ = nullptr;
  form_.removeControl(this);
}

Platform& Control::platform() const {
  return form_.platform();
}

void Control::setLeft(double v) {
  move(v, top_, width_, height_);
}
void Control::setTop(double v) {
  move(left_, v, width_, height_);
}
void Control::setWidth(double v) {
  move(left_, top_, v, height_);
}
void Control::setHeight(double v) {
  move(left_, top_, width_, v);
}

void Control::move(double left, double top, double width, double height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  notify(Prop::Geometry);
}

void Control::setVisible(bool v) {
  if (assign(visible_, v, Prop::Visible) && !v) form_.focusMayLeave();
}

void Control::setEnabled(bool v) {
  if (assign(enabled_, v, Prop::Enabled) && !v) form_.focusMayLeave();
}

void Control::setBackColor(Color c) {
  assign(backColor_, c, Prop::BackColor);
}

bool Control::shownOnForm() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return true;
}

bool Control::enabledOnForm() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->enabled_) return false;
  return true;
}

bool Control::focusable() const {
  return canTakeFocus() && form_.live() && form_.shown() && shownOnForm() && enabledOnForm();
}

bool Control::hasFocus() const {
  return platform().focused_ == this;
}

void Control::setFocus() {
  userFocus();
}

bool Control::userFocus() {
  return moveFocus(false);
}

bool Control::typedSinceFocus() const {
  return platform().typedInto_ == this;
}

void Control::typed() {
  platform().typedInto_ = this;
}

bool Control::moveFocus(bool cue) {
  Platform& p = platform();
  // A request for a control that cannot take the focus does nothing at all,
  // not even inside a LostFocus handler.
  if (!focusable()) return false;
  // Any other focus request made while a LostFocus handler runs cancels the
  // move that raised that handler (also one for the control losing it).
  const auto generation = ++p.focusGeneration_;
  if (p.focused_ == this) return true;
  Control* old = p.focused_;
  // A box whose leave a pending commit ran already, for the text it still holds, is not
  // committed a second time.
  const bool leaveDone = p.takeLeaveDone(old);
  if (old && p.losingFocus_ != old && !leaveDone) {
    p.losingFocus_ = old;
    Control* const outerTarget = p.focusTarget_;
    p.focusTarget_ = this;
    old->raise(old->LostFocus);
    p.focusTarget_ = outerTarget;
    if (p.losingFocus_ == old) p.losingFocus_ = nullptr;
    if (p.focusGeneration_ != generation || !focusable()) {
      // Cancelled: tell the backend where the focus stays.
      if (p.focused_) p.focused_->notify(Prop::Focus);
      return false;
    }
  }
  p.focused_ = this;
  p.typedInto_ = nullptr;
  form_.activeControl_ = this;
  notify(Prop::Focus, cue ? 1 : -1);
  raise(GotFocus);
  return true;
}

void Control::raise(const std::function<void()>& event) {
  if (event) platform().dispatch(event);
}

// ---------------------------------------------------------------------------
// Simple controls

void Label::setCaption(const std::string& s) {
  assign(caption_, s, Prop::Caption);
}

void Label::setAlignment(Align a) {
  assign(align_, a, Prop::Alignment);
}

void Frame::setCaption(const std::string& s) {
  assign(caption_, s, Prop::Caption);
}

// ---------------------------------------------------------------------------
// Text typing

namespace {

struct Edit {
  std::string text;
  int caret;
};

// Replaces the selection of text by insert.
Edit replaceSelection(const std::string& text, int start, int length, const std::string& insert) {
  const int n = utf8::length(text);
  start = std::clamp(start, 0, n);
  length = std::clamp(length, 0, n - start);
  const std::size_t from = utf8::offset(text, start);
  const std::size_t to = utf8::offset(text, start + length);
  Edit e{text.substr(0, from) + insert + text.substr(to), start + utf8::length(insert)};
  return e;
}

// The effect of a key that passed KeyPress; nullopt when it changes nothing.
std::optional<Edit> applyKey(const std::string& text, int start, int length, int key) {
  if (key == 8) {
    if (length > 0) return replaceSelection(text, start, length, "");
    if (start <= 0) return std::nullopt;
    return replaceSelection(text, start - 1, 1, "");
  }
  if (key < 32 || key == 127) return std::nullopt;  // Enter and other controls
  return replaceSelection(text, start, length, utf8::encode(key));
}

std::optional<Edit> applyDelete(const std::string& text, int start, int length) {
  if (length > 0) return replaceSelection(text, start, length, "");
  if (start >= utf8::length(text)) return std::nullopt;
  return replaceSelection(text, start, 1, "");
}

}  // namespace

std::string TextEditing::textAfterKey(int key) const {
  auto e = applyKey(text(), selStart_, selLength_, key);
  return e ? e->text : text();
}

std::string TextEditing::textWithoutSelection() const {
  return replaceSelection(text(), selStart_, selLength_, "").text;
}

void TextEditing::selectAll() {
  selStart_ = 0;
  selLength_ = utf8::length(text());
  showSelection();
}

void TextBox::setText(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  selStart_ = utf8::length(text_);
  selLength_ = 0;
  notify(Prop::Text);
  raise(Change);
}

void TextBox::setPasswordChar(int ch) {
  assign(passwordChar_, ch, Prop::PasswordChar);
}

void TextBox::userSelect(int start, int length) {
  const int n = utf8::length(text_);
  selStart_ = std::clamp(start, 0, n);
  selLength_ = std::clamp(length, 0, n - selStart_);
}

void TextBox::userKey(int ch) {
  if (!enabledOnForm()) return;
  int key = ch;
  raiseWith(KeyPress, key);
  if (key == 0) return;
  // The handler may have changed the text: apply the key to it as it is now.
  auto e = applyKey(text_, selStart_, selLength_, key);
  if (!e) return;
  typed();
  text_ = e->text;
  selStart_ = e->caret;
  selLength_ = 0;
  notify(Prop::Text);
  notify(Prop::Selection);
  raise(Change);
}

void TextBox::userDelete() {
  if (!enabledOnForm()) return;
  auto e = applyDelete(text_, selStart_, selLength_);
  if (!e) return;
  typed();
  text_ = e->text;
  selStart_ = e->caret;
  selLength_ = 0;
  notify(Prop::Text);
  notify(Prop::Selection);
  raise(Change);
}

void TextBox::userPaste(const std::string& s) {
  if (!enabledOnForm()) return;
  Edit e = replaceSelection(text_, selStart_, selLength_, s);
  selStart_ = e.caret;
  selLength_ = 0;
  if (e.text == text_) return;
  typed();
  text_ = e.text;
  notify(Prop::Text);
  notify(Prop::Selection);
  raise(Change);
}

// ---------------------------------------------------------------------------
// ComboBox

void ComboBox::addItem(const std::string& item) {
  items_.push_back(item);
  notify(Prop::ItemAdded, static_cast<int>(items_.size()) - 1);
}

void ComboBox::clear() {
  items_.clear();
  listIndex_ = -1;
  const bool hadText = !text_.empty();
  text_.clear();
  selStart_ = selLength_ = 0;
  notify(Prop::ItemsCleared);
  if (hadText) notify(Prop::Text);
}

const std::string& ComboBox::list(int i) const {
  if (i < 0 || i >= listCount()) throw std::out_of_range("Invalid property array index");
  return items_[static_cast<std::size_t>(i)];
}

void ComboBox::setListIndex(int i) {
  if (i < -1 || i >= listCount()) throw std::out_of_range("Invalid property value");
  if (i == listIndex_) return;
  listIndex_ = i;
  text_ = i >= 0 ? items_[static_cast<std::size_t>(i)] : std::string();
  selStart_ = utf8::length(text_);
  selLength_ = 0;
  notify(Prop::ListIndex);
  notify(Prop::Text);
  raise(Click);
}

void ComboBox::setText(const std::string& s) {
  const bool changed = s != text_;
  text_ = s;
  const auto it = std::find(items_.begin(), items_.end(), s);
  const int index = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  if (index != listIndex_) {
    listIndex_ = index;
    notify(Prop::ListIndex);
  }
  if (!changed) return;
  selStart_ = utf8::length(text_);
  selLength_ = 0;
  notify(Prop::Text);
  raise(Change);
}

void ComboBox::refresh() {
  notify(Prop::Text);
}

void ComboBox::userPick(int index) {
  if (index < 0 || index >= listCount()) return;
  if (!userFocus()) return;
  if (index == listIndex_) {
    raise(Click);
  } else {
    setListIndex(index);
  }
}

void ComboBox::userSelect(int start, int length) {
  const int n = utf8::length(text_);
  selStart_ = std::clamp(start, 0, n);
  selLength_ = std::clamp(length, 0, n - selStart_);
}

void ComboBox::setTextFromEdit(const std::string& s) {
  // Typing selects the item it spells, like setting the text, but keeps
  // the caret where the typing left it.
  const int caret = selStart_;
  setText(s);
  selStart_ = std::clamp(caret, 0, utf8::length(text_));
  notify(Prop::Selection);
}

void ComboBox::userKey(int ch) {
  if (!enabledOnForm()) return;
  int key = ch;
  raiseWith(KeyPress, key);
  if (key == 0) return;
  auto e = applyKey(text_, selStart_, selLength_, key);
  if (!e) return;
  typed();
  selStart_ = e->caret;
  selLength_ = 0;
  setTextFromEdit(e->text);
}

void ComboBox::userDelete() {
  if (!enabledOnForm()) return;
  auto e = applyDelete(text_, selStart_, selLength_);
  if (!e) return;
  typed();
  selStart_ = e->caret;
  selLength_ = 0;
  setTextFromEdit(e->text);
}

void ComboBox::userPaste(const std::string& s) {
  if (!enabledOnForm()) return;
  Edit e = replaceSelection(text_, selStart_, selLength_, s);
  typed();
  selStart_ = e.caret;
  selLength_ = 0;
  setTextFromEdit(e.text);
}

// ---------------------------------------------------------------------------
// Buttons

void CheckBox::setCaption(const std::string& s) {
  assign(caption_, s, Prop::Caption);
}

void CheckBox::setValue(int v) {
  if (v < 0 || v > 2) throw std::out_of_range("Invalid property value");
  if (v == value_) return;
  value_ = v;
  notify(Prop::Value);
  raise(Click);
}

void CheckBox::userClick() {
  if (!userFocus()) return;
  setValue(value_ == 1 ? 0 : 1);
}

void OptionButton::setCaption(const std::string& s) {
  assign(caption_, s, Prop::Caption);
}

void OptionButton::setValue(bool v) {
  if (v == value_) return;
  value_ = v;
  notify(Prop::Value);
  if (!v) return;
  for (Control* c : form().controls()) {
    if (c == this || c->kind() != ControlKind::OptionButton || c->container() != container())
      continue;
    auto* other = static_cast<OptionButton*>(c);
    if (other->value_) {
      other->value_ = false;
      other->notify(Prop::Value);
    }
  }
  raise(Click);
}

void OptionButton::userClick() {
  if (!userFocus()) return;
  setValue(true);
}

void CommandButton::setCaption(const std::string& s) {
  assign(caption_, s, Prop::Caption);
}

int CommandButton::accessKey() const {
  for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
    if (caption_[i] != '&') continue;
    const char next = caption_[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    return (next >= 'a' && next <= 'z') ? next - 'a' + 'A' : static_cast<unsigned char>(next);
  }
  return 0;
}

void CommandButton::userClick() {
  const std::uint64_t shown = platform().messageBoxesShown();
  if (!userFocus()) return;
  if (!focusable()) return;
  // A box left on the way that had to say something (a value it refused and replaced) ends the
  // click there: the user sees the message and what the box holds now before the button acts.
  if (platform().messageBoxesShown() != shown) return;
  raise(Click);
}

// ---------------------------------------------------------------------------
// Timer

Timer::~Timer() {
  disarm();
}

void Timer::setInterval(double ms) {
  interval_ = ms < 0 ? 0 : ms;
  notify(Prop::Interval);
  // Assigning the interval restarts the countdown, even with the same value.
  if (enabled()) arm();
}

void Timer::setEnabled(bool v) {
  if (v == enabled()) return;
  Control::setEnabled(v);
  if (v) {
    arm();
  } else {
    disarm();
  }
}

void Timer::formLoaded() {
  if (enabled()) arm();
}

void Timer::formUnloaded() {
  disarm();
}

void Timer::arm() {
  disarm();
  if (interval_ <= 0 || !form().live()) return;
  Platform& p = platform();
  pending_ = p.postAt(
      p.nowMs() + interval_, [this] { fire(); }, &form());
}

void Timer::disarm() {
  if (pending_) platform().loop().cancel(pending_);
  pending_ = 0;
}

void Timer::fire() {
  pending_ = 0;
  if (!enabled() || interval_ <= 0 || !form().live()) return;
  // Periodic: the next tick counts from this one, so a late tick fires once.
  arm();
  if (Tick) Tick();
}

// ---------------------------------------------------------------------------
// Progress bar, tab strip, picture, line

void ProgressBar::setRange(double min, double max) {
  if (min >= max) throw std::out_of_range("Invalid property value");
  min_ = min;
  max_ = max;
  value_ = std::clamp(value_, min_, max_);
  notify(Prop::Value);
}

void ProgressBar::setValue(double v) {
  if (v < min_ || v > max_) throw std::out_of_range("Invalid property value");
  if (v == value_) return;
  value_ = v;
  notify(Prop::Value);
}

namespace {
constexpr double kTabHeight = 360;
constexpr double kTabMargin = 30;
}  // namespace

void TabStrip::addTab(const std::string& key, const std::string& caption) {
  tabs_.push_back(Tab{key, caption});
  if (selected_ == 0) selected_ = 1;
  notify(Prop::Tabs);
}

void TabStrip::clearTabs() {
  tabs_.clear();
  selected_ = 0;
  notify(Prop::Tabs);
}

const Tab& TabStrip::tab(int i) const {
  if (i < 1 || i > tabCount()) throw std::out_of_range("Index out of bounds");
  return tabs_[static_cast<std::size_t>(i - 1)];
}

std::string TabStrip::selectedKey() const {
  return selected_ ? tab(selected_).key : std::string();
}

void TabStrip::setSelectedIndex(int i) {
  if (i < 1 || i > tabCount()) throw std::out_of_range("Index out of bounds");
  if (i == selected_) return;
  selected_ = i;
  notify(Prop::TabSelected);
  raise(Click);
}

double TabStrip::clientLeft() const {
  return left() + kTabMargin;
}
double TabStrip::clientTop() const {
  return top() + kTabHeight + kTabMargin;
}
double TabStrip::clientWidth() const {
  return std::max(0.0, width() - 2 * kTabMargin);
}
double TabStrip::clientHeight() const {
  return std::max(0.0, height() - kTabHeight - 2 * kTabMargin);
}

void TabStrip::userClickTab(int i) {
  if (i < 1 || i > tabCount()) return;
  if (!userFocus()) return;
  if (i == selected_) {
    raise(Click);
  } else {
    setSelectedIndex(i);
  }
}

void PictureBox::setPicture(const std::string& name) {
  assign(picture_, name, Prop::Picture);
}

void Line::setPoints(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  notify(Prop::Geometry);
}

}  // namespace kit
