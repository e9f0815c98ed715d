// The real platform of the program: Qt 6 Widgets. Kit forms become windows
// (the MDI form a QMainWindow with a QMdiArea, its children QMdiSubWindows),
// kit controls become widgets at their twip positions, the kit's event loop
// runs from Qt's, message boxes are QMessageBoxes and serial ports are real
// devices.
//
//   int main(int argc, char** argv) {
//     kit::qt::QtPlatform platform(argc, argv);
//     j5::Program program(platform);
//     program.MDImain.show();
//     return platform.exec();
//   }
#pragma once

#include <QElapsedTimer>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/form.h"
#include "platform/platform.h"

class QAction;
class QApplication;
class QLabel;
class QMainWindow;
class QTimer;
class QTranslator;
class QWidget;

namespace kit::qt {

class FormView;

class QtPlatform : public Platform {
 public:
  // Creates the QApplication (or uses the one that exists). argc must
  // outlive the platform, as Qt requires.
  QtPlatform(int& argc, char** argv);
  // Uses the QApplication that exists; throws std::logic_error when none does.
  QtPlatform();
  ~QtPlatform() override;

  // Runs the event loop until the main window (or, without one, the last
  // window) unloads; returns the exit code.
  int exec();

  double nowMs() const override;
  void pauseMs(double ms) override;
  ScreenSize screen() const override;
  double gridTextWidthTwips(const std::string& text) const override;
  double labelTextWidthTwips(const std::string& text) const override;
  double labelTextHeightTwips(const std::string& text, double width) const override;
  double scrollBarTwips() const override;
  void formLoading(Form& form) override;
  void formUnloaded(Form& form) override;
  void formDestroyed(Form& form) override;
  // Qt's own Chinese translation while Chinese; a missing translation leaves its texts English.
  void useChineseTexts(bool chinese) override;

  // Title of message boxes that name none.
  void setDefaultTitle(const std::string& title) { defaultTitle_ = title; }

  // Where the kit's objects are drawn; nullptr when not (or no longer).
  QWidget* windowOf(const Form& form) const;
  QWidget* widgetOf(const Control& control) const;
  QMainWindow* mainWindow() const;
  QAction* actionOf(const Menu& menu) const;
  QAction* toolbarAction(const Toolbar& bar, const std::string& key) const;
  QLabel* statusPanel(const StatusBar& bar, int n) const;

  // --- for the backend's own parts
  // True while the backend copies kit state into widgets: Qt's reactions to
  // that must not come back as user input.
  bool mirroring() const { return mirroring_ > 0; }
  struct Mirror {
    explicit Mirror(QtPlatform& p) : p_(p) { ++p_.mirroring_; }
    ~Mirror() { --p_.mirroring_; }
    Mirror(const Mirror&) = delete;
    Mirror& operator=(const Mirror&) = delete;
    QtPlatform& p_;
  };
  // User input is taken only while no modal box holds the program and the
  // platform is not shutting down.
  bool acceptsInput() const;
  FormView* viewOf(const Form& form) const;
  FormView* viewOfWindow(const QWidget* window) const;

 protected:
  void wake(double atMs) override;
  void showMessageBox(const MessageBoxInfo& box) override;
  std::unique_ptr<SerialLine> createSerialLine(int comPort, SerialReceiver receiver) override;

 private:
  std::unique_ptr<QApplication> app_;
  QElapsedTimer clock_;
  std::unique_ptr<QTimer> wakeTimer_;
  std::unique_ptr<QTranslator> translator_;  // installed while the texts are Chinese
  double wakeAt_ = 0;
  bool wakeArmed_ = false;
  bool running_ = false;
  bool closing_ = false;
  int mirroring_ = 0;
  std::string defaultTitle_;
  std::unordered_map<const Form*, FormView*> views_;
  void init();
  // The form's window is cut loose from it and goes from the event loop.
  void dropView(const Form& form);
  void onWake();
  void armWake(double atMs);
};

}  // namespace kit::qt
