// The widget of each kind of kit control, as a peer: the kit notifies it of
// every property the code sets, and it hands what the user does to the
// control's user entry points, so the event rules hold as on the headless
// platform.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "platform/control.h"

class QKeyEvent;
class QWidget;

namespace kit::qt {

class FormView;
class QtPlatform;

class ControlPeer : public QObject, public Peer {
 public:
  ControlPeer(FormView& view, Control& control);
  ~ControlPeer() override;

  // Builds the widget under parent; the view places and shows it.
  virtual void build(QWidget* parent) = 0;
  QWidget* widget() const { return widget_; }
  Control& control() const { return control_; }
  // A container whose contents are its widget's children (frame, picture).
  virtual bool holdsChildren() const { return false; }
  // Copies the whole state of the control into the widget.
  void sync();
  void syncState();
  void changed(Prop prop, int a, int b) override;
  // The control's form is going. Every handler of the widget's events and signals asks live()
  // before it reaches the control; what Qt reads without asking (a list's items) is cut here.
  virtual void detach() {}

 protected:
  FormView& view_;
  Control& control_;
  QPointer<QWidget> widget_;

  QtPlatform& platform() const;
  // The kit control may be used: its form is loaded and the program takes
  // input (no box open, not shutting down).
  bool live() const;
  bool acceptsInput() const;
  // Watches w for the user's input (mouse presses move the focus first,
  // Tab, Alt + letter, then handleKey).
  void watch(QWidget* w, bool focusOnPress = true);
  // The user pressed the mouse on the control: the kit's focus move. False
  // when refused; then the press must not act.
  bool focusFromUser();
  // After the user's action: the widget shows the kit's state again (the
  // handlers may have refused or changed what Qt did on its own).
  void resync();

  virtual void syncContent() {}
  virtual void syncGeometry();
  void syncBackColor();
  virtual void onChanged(Prop prop, int a, int b);
  // A key for the control; true when taken.
  virtual bool handleKey(QKeyEvent*) { return false; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool focusOnPress_ = true;
};

std::unique_ptr<ControlPeer> makePeer(FormView& view, Control& control);

}  // namespace kit::qt
