// The kit's controls: plain objects with properties, explicit setters that
// raise their events as the event rules say, and "user" entry points through
// which the headless driver and the Qt backend feed user input.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit {

class Form;

// What changed on a control or form, for the backend to mirror. a and b
// carry an index where the property has one (item, cell row and column,
// panel, tab, button).
enum class Prop {
  Geometry,
  Visible,
  Enabled,
  Caption,
  Text,
  Selection,
  PasswordChar,
  Alignment,
  BackColor,
  Value,
  ItemAdded,  // a = index
  ItemsCleared,
  ListIndex,
  Checked,
  Shortcut,
  Focus,  // the control got the keyboard focus (a = 1: show the focus cue); on a form: none has it
  Interval,
  // grid
  GridLayout,   // rows, cols, fixed rows/cols, widths, heights, format
  GridCell,     // a = row, b = col
  GridCurrent,  // Row / Col
  GridScroll,   // TopRow / LeftCol
  // tab strip, toolbar, status bar
  Tabs,
  TabSelected,
  Buttons,  // toolbar buttons (a = index from 1, or -1 for all)
  Panels,   // status panels (a = number from 1, or -1 for all)
  Picture,
  // lists of drives, directories and files
  Path,
  Pattern,
  // forms
  Shown,
  Activated,
  Unloaded,
};

// A backend's mirror of one control or form.
class Peer {
 public:
  virtual ~Peer() = default;
  virtual void changed(Prop prop, int a = -1, int b = -1) = 0;
};

enum class ControlKind {
  Label,
  Frame,
  TextBox,
  ComboBox,
  CheckBox,
  OptionButton,
  CommandButton,
  Timer,
  ProgressBar,
  TabStrip,
  PictureBox,
  Line,
  Grid,
  DriveListBox,
  DirListBox,
  FileListBox,
  Menu,
  Toolbar,
  StatusBar,
  SerialPort,
};

enum class Align { Left, Right, Center };

// A colour: 0x00BBGGRR (red in the low byte), or a colour of the desktop's
// palette by the kit's number for it (systemColor(n): 5 window background,
// 8 window text, 13 highlight, 14 highlight text, 15 button face, 18 button
// text), or kDefaultColor.
using Color = std::uint32_t;
inline constexpr Color kDefaultColor = 0xFFFFFFFFu;
constexpr Color systemColor(int n) {
  return 0x80000000u | static_cast<Color>(n);
}

class Control {
 public:
  // Registers the control with its form; index >= 0 for an element of a
  // control array.
  Control(Form& owner, std::string name, int index = -1);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  virtual ControlKind kind() const = 0;
  Form& form() const { return form_; }
  Platform& platform() const;
  const std::string& name() const { return name_; }
  int index() const { return index_; }

  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void setLeft(double v);
  void setTop(double v);
  void setWidth(double v);
  void setHeight(double v);
  void move(double left, double top, double width, double height);

  bool visible() const { return visible_; }
  void setVisible(bool v);
  bool enabled() const { return enabled_; }
  virtual void setEnabled(bool v);
  // Visible itself and within every container up to the form.
  bool shownOnForm() const;
  bool enabledOnForm() const;

  // The frame or picture box the control sits in; Left and Top count from
  // its client area (else from the form's). Hiding a container hides what
  // it holds, and option buttons are exclusive within one container. (A tab
  // strip is no container: pages are frames placed over its client area.)
  Control* container() const { return container_; }
  void setContainer(Control& c) { container_ = &c; }

  Color backColor() const { return backColor_; }
  void setBackColor(Color c);

  int tabIndex() const { return tabIndex_; }
  void setTabIndex(int i) { tabIndex_ = i; }

  // Focus (rule 4). SetFocus on the focused control, or on a hidden or
  // disabled one, does nothing; a SetFocus inside a LostFocus handler
  // cancels the move that raised it. When the control that has the focus is
  // hidden or disabled (itself or a frame it sits in), the focus moves on to
  // the next control in tab order, as Tab would move it, with LostFocus and
  // GotFocus; where no control can take it, it leaves with LostFocus and no
  // control of the form has it. Both platforms move it so: the Qt backend
  // follows the kit rather than letting Qt choose, so a key never reaches a
  // control the kit does not know has the focus.
  virtual bool canTakeFocus() const { return false; }
  bool focusable() const;
  void setFocus();
  bool hasFocus() const;
  // The user has typed, deleted or pasted into this box since it got the focus: its leave has a
  // value of the user's to store. A box only clicked into or tabbed through has none, and its
  // leave stores nothing, so a value the box shows rounded never replaces the exact one behind it.
  bool typedSinceFocus() const;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

  // User entry: the user clicked into or tabbed to the control. Returns
  // false when the move was refused or cancelled.
  bool userFocus();

  Peer* peer() const { return peer_; }
  void setPeer(Peer* p) { peer_ = p; }

 protected:
  friend class Form;
  void notify(Prop prop, int a = -1, int b = -1) {
    if (peer_) peer_->changed(prop, a, b);
  }
  // The focus moves here; cue: the move came from no click or key of the
  // user's (a hidden or disabled control passed it on), so the backend shows
  // where it went.
  bool moveFocus(bool cue);
  // Stores a property and tells the backend; false when it was already so.
  template <class T, class V>
  bool assign(T& field, const V& v, Prop prop) {
    if (field == v) return false;
    field = v;
    notify(prop);
    return true;
  }
  // The user changed the text of this box (typing, deleting, pasting): it now has a value
  // waiting for its leave (Form::commitPending).
  void typed();
  // Raises an event through the one dispatch place (rule 10).
  void raise(const std::function<void()>& event);
  template <class... A, class... V>
  void raiseWith(const std::function<void(A...)>& event, V&&... args) {
    if (event) raise([&] { event(std::forward<V>(args)...); });
  }

 private:
  Form& form_;
  std::string name_;
  int index_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  Control* container_ = nullptr;
  Color backColor_ = kDefaultColor;
  int tabIndex_;
  Peer* peer_ = nullptr;
};

// A control array: elements indexed lo..hi, each element a control whose
// index() is its array index. Handlers get the index by being wired per
// element:  for (int i : Text1.indices()) Text1[i].Change = [this, i] { Text1_Change(i); };
template <class T>
class ControlArray {
 public:
  ControlArray(Form& owner, const std::string& name, int lo, int hi) : lo_(lo) {
    for (int i = lo; i <= hi; ++i) items_.push_back(std::make_unique<T>(owner, name, i));
  }
  ControlArray(Form& owner, const std::string& name, int count)
      : ControlArray(owner, name, 0, count - 1) {}
  T& operator[](int i) { return *items_.at(static_cast<std::size_t>(i - lo_)); }
  const T& operator[](int i) const { return *items_.at(static_cast<std::size_t>(i - lo_)); }
  int lbound() const { return lo_; }
  int ubound() const { return lo_ + static_cast<int>(items_.size()) - 1; }
  int count() const { return static_cast<int>(items_.size()); }
  std::vector<int> indices() const {
    std::vector<int> v;
    for (int i = lbound(); i <= ubound(); ++i) v.push_back(i);
    return v;
  }

 private:
  int lo_;
  std::vector<std::unique_ptr<T>> items_;
};

// ----------------------------------------------------------------------------

class Label : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::Label; }
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);
  Align alignment() const { return align_; }
  void setAlignment(Align a);

 private:
  std::string caption_;
  Align align_ = Align::Left;
};

class Frame : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::Frame; }
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);

 private:
  std::string caption_;
};

// Text typing shared by the text box and the combo box's text field: a
// caret and a selection counted in characters (UTF-8 code points).
class TextEditing {
 public:
  virtual const std::string& text() const = 0;
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  // The text as it will stand once the typed key replaces the selection:
  // what userKey makes of the text as it is now (Backspace removes the
  // selection, or else the character before the caret; Enter and the other
  // control keys change nothing). A KeyPress handler that limits the length
  // counts this text, so a key typed over a selection is not refused for the
  // characters it replaces.
  std::string textAfterKey(int key) const;
  // The text with the selection taken out: the text a typed key lands in.
  std::string textWithoutSelection() const;
  // Selects the whole text, so that the next key typed replaces it; raises nothing.
  void selectAll();

 protected:
  // Tells the backend where the selection now is.
  virtual void showSelection() = 0;
  ~TextEditing() = default;
  int selStart_ = 0;
  int selLength_ = 0;
};

class TextBox : public Control, public TextEditing {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::TextBox; }
  bool canTakeFocus() const override { return true; }

  const std::string& text() const override { return text_; }
  // Rule 1: Change before returning, only when the text differs.
  void setText(const std::string& s);
  // 0 for none, else the character code shown in place of each character.
  int passwordChar() const { return passwordChar_; }
  void setPasswordChar(int ch);

  std::function<void()> Change;
  std::function<void(int& key)> KeyPress;

  // User entry points (rule 3). userKey takes a character code, 8 for
  // Backspace or 13 for Enter; KeyPress sees it first and may change or
  // discard it. Delete and paste do not pass KeyPress.
  void userSelect(int start, int length);
  void userKey(int ch);
  void userDelete();
  void userPaste(const std::string& s);

 protected:
  void showSelection() override { notify(Prop::Selection); }

 private:
  std::string text_;
  int passwordChar_ = 0;
};

// Editable drop-down list (rules 1 and 2).
class ComboBox : public Control, public TextEditing {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::ComboBox; }
  bool canTakeFocus() const override { return true; }

  void addItem(const std::string& item);
  void clear();
  int listCount() const { return static_cast<int>(items_.size()); }
  const std::string& list(int i) const;
  const std::vector<std::string>& items() const { return items_; }
  int listIndex() const { return listIndex_; }
  // A different index sets the text to that item and raises Click, not
  // Change. Outside -1..count-1 throws std::out_of_range.
  void setListIndex(int i);
  const std::string& text() const override { return text_; }
  // Selects the first item equal to s, or -1, without Click; Change when the
  // text differs.
  void setText(const std::string& s);
  void refresh();

  std::function<void()> Click;
  std::function<void()> Change;
  std::function<void(int& key)> KeyPress;

  // User entry points: picking an item from the list (the focus moves to
  // the box first, then ListIndex is set and Click raised, also when the
  // same item is picked again), and typing into the text field.
  void userPick(int index);
  void userSelect(int start, int length);
  void userKey(int ch);
  void userDelete();
  void userPaste(const std::string& s);

 protected:
  void showSelection() override { notify(Prop::Selection); }

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
  std::string text_;
  void setTextFromEdit(const std::string& s);
};

class CheckBox : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::CheckBox; }
  bool canTakeFocus() const override { return true; }
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);
  // 0 unchecked, 1 checked, 2 greyed. A different value raises Click.
  int value() const { return value_; }
  void setValue(int v);
  std::function<void()> Click;
  // Focus first, then the value toggles between 0 and 1.
  void userClick();

 private:
  std::string caption_;
  int value_ = 0;
};

class OptionButton : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::OptionButton; }
  bool canTakeFocus() const override { return true; }
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);
  bool value() const { return value_; }
  // True clears the other option buttons of the same container (they raise
  // nothing) and raises Click when it was false.
  void setValue(bool v);
  std::function<void()> Click;
  void userClick();

 private:
  std::string caption_;
  bool value_ = false;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::CommandButton; }
  bool canTakeFocus() const override { return true; }
  // "&" marks the access key ("&Read" is Alt+R); "&&" is a literal "&".
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);
  // The access key in upper case, or 0.
  int accessKey() const;
  std::function<void()> Click;
  // Focus moves to the button first; when that move is cancelled by a
  // LostFocus handler, or the handler showed a message box, the click is
  // dropped.
  void userClick();

 private:
  std::string caption_;
};

// Periodic timer (rule 7). Interval 0 never fires; assigning the interval of
// an enabled timer restarts its countdown; an overdue timer fires once;
// timers due together fire in arming order. The event is Tick (the control
// cannot carry a member of its own class name).
class Timer : public Control {
 public:
  using Control::Control;
  ~Timer() override;
  ControlKind kind() const override { return ControlKind::Timer; }
  double interval() const { return interval_; }
  void setInterval(double ms);
  void setEnabled(bool v) override;
  std::function<void()> Tick;

  // The form loaded or unloaded: arm or stop.
  void formLoaded();
  void formUnloaded();

 private:
  double interval_ = 0;
  EventLoop::Id pending_ = 0;
  void arm();
  void disarm();
  void fire();
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::ProgressBar; }
  double min() const { return min_; }
  double max() const { return max_; }
  void setRange(double min, double max);
  double value() const { return value_; }
  // Outside min..max throws std::out_of_range.
  void setValue(double v);

 private:
  double min_ = 0, max_ = 100, value_ = 0;
};

struct Tab {
  std::string key;
  std::string caption;
};

class TabStrip : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::TabStrip; }
  bool canTakeFocus() const override { return true; }
  // Tabs count from 1. The first tab added becomes the selected one.
  void addTab(const std::string& key, const std::string& caption);
  void clearTabs();
  int tabCount() const { return static_cast<int>(tabs_.size()); }
  const Tab& tab(int i) const;
  // 0 when there are no tabs.
  int selectedIndex() const { return selected_; }
  std::string selectedKey() const;
  // Selecting another tab raises Click.
  void setSelectedIndex(int i);
  // The area below the tabs, in the form's twips.
  double clientLeft() const;
  double clientTop() const;
  double clientWidth() const;
  double clientHeight() const;
  std::function<void()> Click;
  // The user clicked tab i: focus, then selection, then Click.
  void userClickTab(int i);

 private:
  std::vector<Tab> tabs_;
  int selected_ = 0;
};

class PictureBox : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::PictureBox; }
  // The name of a picture the backend knows ("" for none).
  const std::string& picture() const { return picture_; }
  void setPicture(const std::string& name);

 private:
  std::string picture_;
};

class Line : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::Line; }
  double x1() const { return x1_; }
  double y1() const { return y1_; }
  double x2() const { return x2_; }
  double y2() const { return y2_; }
  void setPoints(double x1, double y1, double x2, double y2);

 private:
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

}  // namespace kit
