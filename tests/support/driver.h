// What a test uses to drive windows the way a user does, on the headless
// platform. Every action goes through the same user entry points the Qt
// backend calls, so the event rules hold alike; after each action the
// events it posted run (the clock does not move unless asked).
#pragma once

#include <functional>
#include <string>

#include "platform/control.h"
#include "platform/file_lists.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/headless.h"

namespace kit {

class Driver {
 public:
  explicit Driver(HeadlessPlatform& platform) : p_(platform) {}
  HeadlessPlatform& platform() const { return p_; }

  // --- mouse
  // A button, check box, option button or (with the mouse) any focusable
  // control: what a click on it does.
  void click(Control& c);
  void click(Menu& m);
  void clickToolbar(Toolbar& bar, const std::string& key);
  void clickTab(TabStrip& tabs, int index);
  void pick(ComboBox& box, int index);
  // Picks the first item equal to text; throws std::invalid_argument when
  // there is none.
  void pick(ComboBox& box, const std::string& text);
  void pick(DriveListBox& box, int index);
  void pick(FileListBox& box, int index);
  void doubleClick(FileListBox& box, int index);
  void open(DirListBox& box, const std::string& subdir);
  void clickCell(Grid& grid, int row, int col);
  void doubleClickCell(Grid& grid, int row, int col);
  void scroll(Grid& grid, int topRow);
  void scrollLeft(Grid& grid, int leftCol);

  // --- keyboard, to the control that has the focus
  // Gives the control the focus as a click into it or Tab would.
  void focus(Control& c);
  // One character code (8 Backspace, 13 Enter go through KeyPress too).
  void key(int ch);
  // Each character of text (UTF-8) as a key.
  void type(const std::string& text);
  void enter() { key(13); }
  void backspace() { key(8); }
  void del();
  void arrow(Arrow dir);
  void selectAll();
  void paste(const std::string& text);
  void tab();
  // The user only looks at a box: clicks into it and leaves it by Tab, then clicks into it again
  // and leaves it by a click into `other`, typing nothing.
  void lookThrough(Control& box, Control& other);
  void shortcut(MdiForm& main, const std::string& keys);
  void accessKey(Form& form, int letter);

  // --- windows
  void activate(Form& form);
  // The user closes the window with its window control; false when its
  // handlers refused.
  bool close(Form& form);

  // --- time
  void advance(double ms) { p_.advance(ms); }
  void runUntilIdle() { p_.runUntilIdle(); }
  bool advanceUntil(const std::function<bool()>& pred, double maxMs) {
    return p_.advanceUntil(pred, maxMs);
  }

  // --- message boxes (answered at once; see HeadlessPlatform::onMessageBox)
  const std::vector<MessageBoxRecord>& messageBoxes() const { return p_.messageBoxes(); }
  // The last box shown; throws std::logic_error when none was.
  const MessageBoxRecord& lastMessageBox() const;
  void clearMessageBoxes() { p_.clearMessageBoxes(); }

  // --- reading
  static std::string statusPanel(const StatusBar& bar, int n) { return bar.panel(n).text(); }
  Control* focused() const { return p_.focused(); }

 private:
  HeadlessPlatform& p_;
  Control& focusedOrThrow() const;
};

}  // namespace kit
