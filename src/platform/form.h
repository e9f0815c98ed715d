// Forms (windows), their lifetime holder, and the main window with its
// menus, toolbar and status bar (rule 6).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace kit {

class MdiForm;
class FormSlotBase;
class Timer;
class SerialPort;

enum class Border {
  Sizable,  // ordinary MDI child
  Fixed,    // dialog-like child: fixed size, no minimise/maximise
};

// A window. Window classes derive from it, hold their controls as members
// and wire the controls' events to their handler methods in the
// constructor. A form lives in a FormSlot, which builds it on load and
// destroys it after unload.
class Form {
 public:
  // Frame of a window around its client area, in twips.
  static constexpr double kFrameWidth = 120;
  static constexpr double kFrameHeight = 420;  // title bar and borders

  Form(Platform& platform, std::string name, MdiForm* mdiParent = nullptr);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Platform& platform() const { return platform_; }
  const std::string& name() const { return name_; }
  MdiForm* mdiParent() const { return mdiParent_; }
  virtual bool isMdi() const { return false; }

  Border border() const { return border_; }
  void setBorder(Border b) { border_ = b; }

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);
  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void setLeft(double v);
  void setTop(double v);
  void setWidth(double v);
  void setHeight(double v);
  void move(double left, double top, double width, double height);
  // Client area.
  virtual double scaleWidth() const;
  virtual double scaleHeight() const;
  // Sets the outer size from a client size.
  void setClientSize(double width, double height);

  // From the start of Load until unloaded.
  bool loaded() const { return state_ == State::Loading || state_ == State::Loaded; }
  // Loaded, or its unload still undecided: while an Unload handler runs (and
  // shows why it refuses) the form's timers, line and controls keep working,
  // so a transfer under that box is not frozen.
  bool live() const { return loaded() || state_ == State::Unloading; }
  bool shown() const { return shown_; }
  // Modeless show; from inside Load too. Activate follows from the loop.
  void show();
  // Unloads this form, also from one of its own handlers, which goes on; the
  // object is destroyed later from the event loop. False when the Unload
  // handler cancelled.
  bool unload();

  std::function<void()> Load;
  std::function<void()> Activate;
  // Another child window became the active one (not raised when this one unloads).
  std::function<void()> Deactivate;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  // cancel != 0 keeps the form loaded. mode: 0 closed by the user's window
  // control, 1 by code.
  std::function<void(int& cancel, int mode)> QueryUnload;
  std::function<void(int& cancel)> Unload;
  // Asked first when the user closes the window with its window control: true (having said why)
  // when the window may not close now, as while its exchange with the radio runs. The close then
  // stops before anything typed is committed, so nothing is stored under the exchange. Unload
  // still decides for every other way of closing.
  std::function<bool()> CloseRefused;

  const std::vector<Control*>& controls() const { return controls_; }
  // The control that has or last had the focus on this form.
  Control* activeControl() const { return activeControl_; }

  // A value the user typed into one of the form's controls that is stored only once the user
  // leaves the control or presses Enter (a box checked on leaving, a grid's cell editor) is
  // committed now, as leaving would commit it, with the same checks and messages: what reads the
  // values the form stores, or closes or rebuilds the form, runs this first. CommitPending says
  // how the form commits what it holds; unset, commitFocusedBox. False when the value was
  // refused: CommitPending returned false, or a message box showed meanwhile (a range message,
  // an error). The caller then stops, so nothing is saved, sent or rebuilt that the user has not
  // seen.
  bool commitPending();
  std::function<bool()> CommitPending;
  // The text or combo box of this form that has the focus, where the user has typed into it since
  // it got the focus, runs its LostFocus as a leave with no control to go to would; the focus
  // stays, and its later leave does not run LostFocus again for the text it has now. A box the
  // user has not typed into has nothing waiting. False when the leave asked for the focus or
  // showed a message.
  bool commitFocusedBox();

  // User entry points: the user made this window the active one; closed it
  // with its window control (CloseRefused asked, then what is pending committed); resized or moved
  // it (the backend reports what the window system did; nothing is mirrored back); pressed Alt + a
  // letter.
  void userActivate();
  bool userClose();
  void userResize(double width, double height);
  void userMove(double left, double top);
  void userAccessKey(int letter);
  // Tab: the focus moves to the next control in tab order.
  void userTab();

  Peer* peer() const { return peer_; }
  void setPeer(Peer* p) { peer_ = p; }

 protected:
  void notify(Prop prop, int a = -1, int b = -1) {
    if (peer_) peer_->changed(prop, a, b);
  }
  // For the main window: unloads its children first.
  virtual bool unloadChildren() { return true; }

 private:
  friend class Control;
  friend class FormSlotBase;
  friend class MdiForm;
  enum class State { Constructed, Loading, Loaded, Unloading, Unloaded };
  Platform& platform_;
  std::string name_;
  MdiForm* mdiParent_;
  Border border_ = Border::Sizable;
  std::string caption_;
  double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  State state_ = State::Constructed;
  bool shown_ = false;
  bool activatePending_ = false;
  bool mdiActivated_ = false;
  std::vector<Control*> controls_;
  Control* activeControl_ = nullptr;
  Peer* peer_ = nullptr;
  FormSlotBase* slot_ = nullptr;

  void addControl(Control* c) { controls_.push_back(c); }
  void removeControl(Control* c);
  // Called by the slot.
  void runLoad();
  bool runUnload(int mode);
  void queueActivate();
  void forgetActivation();
  void runActivate();
  std::vector<Control*> tabOrder() const;
  // The control after `from` in tab order that can take the focus, from the
  // first again after the last; nullptr when there is none.
  Control* nextInTabOrder(const Control* from) const;
  // A control of this form was hidden or disabled: where it was the one
  // holding the focus, or held it inside, the focus moves on (rule 4).
  void focusMayLeave();
};

// Holds one window of the program: the program object owns one slot per
// window class.
class FormSlotBase {
 public:
  virtual ~FormSlotBase() = default;
  bool loaded() const { return form_ && form_->loaded(); }
  Form* form() const { return loaded() ? form_.get() : nullptr; }
  // Does nothing when loaded; otherwise builds a fresh form and runs Load.
  Form& loadForm();
  // Runs QueryUnload and Unload (which may cancel), stops the form's timers,
  // closes its serial ports, drops its pending events and hides it. True
  // when the form is (now) not loaded.
  bool unload() { return unloadWith(1); }

 protected:
  virtual std::unique_ptr<Form> make() = 0;

 private:
  friend class Form;
  std::unique_ptr<Form> form_;
  bool unloadWith(int mode);
};

template <class T>
class FormSlot : public FormSlotBase {
 public:
  explicit FormSlot(std::function<std::unique_ptr<T>()> factory) : factory_(std::move(factory)) {}
  T& load() { return static_cast<T&>(loadForm()); }
  // Load (when needed), then show.
  T& show() {
    T& f = load();
    f.show();
    return f;
  }
  T* get() const { return static_cast<T*>(form()); }
  T* operator->() const { return get(); }
  T& operator*() const { return *get(); }

 protected:
  std::unique_ptr<Form> make() override { return factory_(); }

 private:
  std::function<std::unique_ptr<T>()> factory_;
};

// ----------------------------------------------------------------------------
// The main window's parts.

// A menu entry. Entries are declared in menu order; an entry without a
// parent sits in the menu bar. Clicking an entry that has children opens
// its menu; one without children raises Click.
class Menu : public Control {
 public:
  Menu(Form& owner, std::string name, Menu* parent = nullptr);
  ControlKind kind() const override { return ControlKind::Menu; }
  Menu* parentMenu() const { return parent_; }
  std::vector<Menu*> children() const;
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s);
  bool checked() const { return checked_; }
  void setChecked(bool v);
  // "Ctrl+N" etc., "" for none.
  const std::string& shortcut() const { return shortcut_; }
  void setShortcut(const std::string& s);
  // Visible and enabled, and so are all its parents.
  bool reachable() const;
  std::function<void()> Click;
  // The user chose the entry (nothing when it is not reachable).
  void userClick();

 private:
  Menu* parent_;
  std::string caption_;
  bool checked_ = false;
  std::string shortcut_;
};

struct ToolbarButton {
  std::string key;
  std::string toolTip;
  std::string picture;  // a picture name the backend knows
  int index = 0;        // from 1
};

class Toolbar : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::Toolbar; }
  static constexpr double kHeight = 420;
  void addButton(const std::string& key, const std::string& toolTip, const std::string& picture);
  int buttonCount() const { return static_cast<int>(buttons_.size()); }
  const ToolbarButton& button(int i) const;
  const ToolbarButton* find(const std::string& key) const;
  void setToolTip(int i, const std::string& s);
  std::function<void(const ToolbarButton&)> ButtonClick;
  void userClickButton(const std::string& key);

 private:
  std::vector<ToolbarButton> buttons_;
};

class StatusBar;

class StatusPanel {
 public:
  const std::string& text() const { return text_; }
  void setText(const std::string& s);
  double width() const { return width_; }
  void setWidth(double twips);

 private:
  friend class StatusBar;
  StatusBar* bar_ = nullptr;
  int number_ = 0;
  std::string text_;
  double width_ = 1440;
};

class StatusBar : public Control {
 public:
  using Control::Control;
  ControlKind kind() const override { return ControlKind::StatusBar; }
  static constexpr double kHeight = 300;
  void setPanelCount(int n);
  int panelCount() const { return static_cast<int>(panels_.size()); }
  // Panels count from 1.
  StatusPanel& panel(int n);
  const StatusPanel& panel(int n) const;

 private:
  friend class StatusPanel;
  std::vector<std::unique_ptr<StatusPanel>> panels_;
  void panelChanged(int n) { notify(Prop::Panels, n); }
};

// The main window: holds the MDI children; unloading it unloads them all.
class MdiForm : public Form {
 public:
  static constexpr double kMenuBarHeight = 300;
  MdiForm(Platform& platform, std::string name);
  bool isMdi() const override { return true; }
  // The client area left for the children, below the menu bar and toolbar
  // and above the status bar.
  double scaleWidth() const override;
  double scaleHeight() const override;
  std::vector<Menu*> menus() const;
  std::vector<Form*> children() const;
  // A shortcut key pressed anywhere in the program ("Ctrl+O").
  void userShortcut(const std::string& shortcut);

 protected:
  bool unloadChildren() override;
};

}  // namespace kit
