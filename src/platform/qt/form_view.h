// The Qt side of one kit form: its window, the widgets of its controls and,
// for the MDI form, the menu bar, toolbar and status bar.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/form.h"

class QAction;
class QHBoxLayout;
class QLabel;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class QWidget;

namespace kit::qt {

class QtPlatform;
class ControlPeer;

class FormView : public QObject, public Peer {
 public:
  FormView(QtPlatform& platform, Form& form);
  ~FormView() override;

  QtPlatform& platform() const { return platform_; }
  // The kit form while it is loaded; nullptr once it has unloaded (the
  // kit may then destroy it at any time).
  Form* form() const { return unloaded_ ? nullptr : form_; }
  bool live() const;
  void changed(Prop prop, int a, int b) override;
  // The kit form has unloaded (or goes without): cuts the window and its
  // controls' widgets loose from it and hides the window; the widgets go from
  // the event loop, never under a handler that one of them started.
  void unloaded();

  QWidget* window() const { return window_; }
  QWidget* client() const { return client_; }
  QMainWindow* mainWindow() const;
  QMdiArea* mdiArea() const { return mdiArea_; }
  ControlPeer* peerOf(const Control& c) const;
  QAction* actionOf(const Menu& m) const;
  QAction* toolbarAction(const std::string& key) const;
  QLabel* statusPanel(int n) const;

  // --- for the control peers
  // Qt's keyboard focus follows the kit's.
  void syncQtFocus();
  // Shows the focus frame on the widget that has the focus, as after a move by the keyboard.
  void showFocusCue();
  // Visible and Enabled of every widget, for a container that changed.
  void syncStates();
  // Alt + letter: true when a button of the form has that access key (and,
  // with run, clicks it).
  bool accessKey(int letter, bool run);
  // Tab and Shift+Tab in the kit's tab order.
  void tab(bool back);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtPlatform& platform_;
  Form* form_;
  bool unloaded_ = false;
  QPointer<QWidget> window_;
  QPointer<QWidget> client_;
  QMdiSubWindow* sub_ = nullptr;
  QMdiArea* mdiArea_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QHBoxLayout* panelRow_ = nullptr;  // the status panels, side by side without gaps
  std::vector<std::unique_ptr<ControlPeer>> peers_;
  std::unordered_map<const Control*, ControlPeer*> byControl_;
  struct MenuItem;
  std::vector<std::unique_ptr<MenuItem>> menus_;
  std::unordered_map<const Menu*, MenuItem*> byMenu_;
  class BarPeer;
  std::vector<std::unique_ptr<BarPeer>> bars_;
  std::vector<QPointer<QAction>> buttons_;
  std::vector<QPointer<QLabel>> panels_;
  const Toolbar* toolbar_ = nullptr;
  const StatusBar* statusbar_ = nullptr;

  void buildMainWindow(MdiForm& mdi);
  void buildMenus(MdiForm& mdi);
  void buildChildWindow(QMdiArea* area);
  void buildControls();
  void syncGeometry();
  void syncMenu(MenuItem& item);
  void syncToolbar(int index);
  void syncStatusBar(int n);
  void userActivated();
};

}  // namespace kit::qt
