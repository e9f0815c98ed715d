#include "support/driver.h"

#include <stdexcept>

#include "platform/utf8.h"

namespace kit {

namespace {
void checkIndex(int i, int count, const std::string& what) {
  if (i < 0 || i >= count) throw std::out_of_range("no item " + std::to_string(i) + " in " + what);
}
}  // namespace

void Driver::click(Control& c) {
  switch (c.kind()) {
    case ControlKind::CommandButton:
      static_cast<CommandButton&>(c).userClick();
      break;
    case ControlKind::CheckBox:
      static_cast<CheckBox&>(c).userClick();
      break;
    case ControlKind::OptionButton:
      static_cast<OptionButton&>(c).userClick();
      break;
    case ControlKind::Menu:
      static_cast<Menu&>(c).userClick();
      break;
    default:
      c.userFocus();
      break;
  }
  p_.runUntilIdle();
}

void Driver::click(Menu& m) {
  m.userClick();
  p_.runUntilIdle();
}

void Driver::clickToolbar(Toolbar& bar, const std::string& key) {
  bar.userClickButton(key);
  p_.runUntilIdle();
}

void Driver::clickTab(TabStrip& tabs, int index) {
  checkIndex(index - 1, tabs.tabCount(), tabs.name());
  tabs.userClickTab(index);
  p_.runUntilIdle();
}

void Driver::pick(ComboBox& box, int index) {
  checkIndex(index, box.listCount(), box.name());
  box.userPick(index);
  p_.runUntilIdle();
}

void Driver::pick(ComboBox& box, const std::string& text) {
  for (int i = 0; i < box.listCount(); ++i) {
    if (box.list(i) == text) return pick(box, i);
  }
  throw std::invalid_argument("no item \"" + text + "\" in " + box.name());
}

void Driver::pick(DriveListBox& box, int index) {
  checkIndex(index, static_cast<int>(box.drives().size()), box.name());
  box.userPick(index);
  p_.runUntilIdle();
}

void Driver::pick(FileListBox& box, int index) {
  checkIndex(index, static_cast<int>(box.files().size()), box.name());
  box.userPick(index);
  p_.runUntilIdle();
}

void Driver::doubleClick(FileListBox& box, int index) {
  checkIndex(index, static_cast<int>(box.files().size()), box.name());
  box.userDoubleClick(index);
  p_.runUntilIdle();
}

void Driver::open(DirListBox& box, const std::string& subdir) {
  box.userOpen(subdir);
  p_.runUntilIdle();
}

void Driver::clickCell(Grid& grid, int row, int col) {
  checkIndex(row, grid.rows(), grid.name() + " rows");
  checkIndex(col, grid.cols(), grid.name() + " cols");
  grid.userClickCell(row, col);
  p_.runUntilIdle();
}

void Driver::doubleClickCell(Grid& grid, int row, int col) {
  checkIndex(row, grid.rows(), grid.name() + " rows");
  checkIndex(col, grid.cols(), grid.name() + " cols");
  grid.userDoubleClickCell(row, col);
  p_.runUntilIdle();
}

void Driver::scroll(Grid& grid, int topRow) {
  grid.userScroll(topRow);
  p_.runUntilIdle();
}

void Driver::scrollLeft(Grid& grid, int leftCol) {
  grid.userScrollLeft(leftCol);
  p_.runUntilIdle();
}

void Driver::focus(Control& c) {
  c.userFocus();
  p_.runUntilIdle();
}

Control& Driver::focusedOrThrow() const {
  Control* c = p_.focused();
  if (!c) throw std::logic_error("no control has the focus");
  return *c;
}

void Driver::key(int ch) {
  Control& c = focusedOrThrow();
  // A hidden control keeps the focus until it moves, but takes no keys.
  if (c.shownOnForm()) {
    switch (c.kind()) {
      case ControlKind::TextBox:
        static_cast<TextBox&>(c).userKey(ch);
        break;
      case ControlKind::ComboBox:
        static_cast<ComboBox&>(c).userKey(ch);
        break;
      case ControlKind::CommandButton:
        if (ch == 13 || ch == ' ') static_cast<CommandButton&>(c).userClick();
        break;
      case ControlKind::CheckBox:
        if (ch == ' ') static_cast<CheckBox&>(c).userClick();
        break;
      default:
        break;
    }
  }
  p_.runUntilIdle();
}

void Driver::type(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size()) key(static_cast<int>(utf8::decode(text, pos)));
}

void Driver::del() {
  Control& c = focusedOrThrow();
  if (c.kind() == ControlKind::TextBox) static_cast<TextBox&>(c).userDelete();
  if (c.kind() == ControlKind::ComboBox) static_cast<ComboBox&>(c).userDelete();
  p_.runUntilIdle();
}

void Driver::arrow(Arrow dir) {
  Control& c = focusedOrThrow();
  if (c.kind() == ControlKind::Grid) {
    static_cast<Grid&>(c).userArrow(dir);
  } else if (c.kind() == ControlKind::TextBox) {
    auto& t = static_cast<TextBox&>(c);
    if (dir == Arrow::Left) t.userSelect(t.selStart() - 1, 0);
    if (dir == Arrow::Right) t.userSelect(t.selStart() + t.selLength() + 1, 0);
  } else if (c.kind() == ControlKind::ComboBox) {
    auto& b = static_cast<ComboBox&>(c);
    const int next = b.listIndex() + (dir == Arrow::Down ? 1 : dir == Arrow::Up ? -1 : 0);
    if (next != b.listIndex() && next >= 0 && next < b.listCount()) b.setListIndex(next);
  }
  p_.runUntilIdle();
}

void Driver::selectAll() {
  Control& c = focusedOrThrow();
  if (c.kind() == ControlKind::TextBox) {
    auto& t = static_cast<TextBox&>(c);
    t.userSelect(0, utf8::length(t.text()));
  } else if (c.kind() == ControlKind::ComboBox) {
    auto& b = static_cast<ComboBox&>(c);
    b.userSelect(0, utf8::length(b.text()));
  }
}

void Driver::paste(const std::string& text) {
  Control& c = focusedOrThrow();
  if (c.kind() == ControlKind::TextBox) static_cast<TextBox&>(c).userPaste(text);
  if (c.kind() == ControlKind::ComboBox) static_cast<ComboBox&>(c).userPaste(text);
  p_.runUntilIdle();
}

void Driver::tab() {
  Form* f = p_.focused() ? &p_.focused()->form() : p_.activeForm();
  if (f) f->userTab();
  p_.runUntilIdle();
}

void Driver::lookThrough(Control& box, Control& other) {
  focus(box);
  tab();
  focus(box);
  focus(other);
}

void Driver::shortcut(MdiForm& main, const std::string& keys) {
  main.userShortcut(keys);
  p_.runUntilIdle();
}

void Driver::accessKey(Form& form, int letter) {
  form.userAccessKey(letter);
  p_.runUntilIdle();
}

void Driver::activate(Form& form) {
  form.userActivate();
  p_.runUntilIdle();
}

bool Driver::close(Form& form) {
  const bool closed = form.userClose();
  p_.runUntilIdle();
  return closed;
}

const MessageBoxRecord& Driver::lastMessageBox() const {
  if (p_.messageBoxes().empty()) throw std::logic_error("no message box was shown");
  return p_.messageBoxes().back();
}

}  // namespace kit
