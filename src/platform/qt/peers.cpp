#include "platform/qt/peers.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTimer>

#include "platform/file_lists.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/qt/form_view.h"
#include "platform/qt/grid_widget.h"
#include "platform/qt/pictures.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_util.h"

namespace kit::qt {

// ---------------------------------------------------------------------------
// ControlPeer

ControlPeer::ControlPeer(FormView& view, Control& control) : view_(view), control_(control) {}

ControlPeer::~ControlPeer() = default;

QtPlatform& ControlPeer::platform() const {
  return view_.platform();
}

bool ControlPeer::live() const {
  return view_.live();
}

bool ControlPeer::acceptsInput() const {
  return live() && platform().acceptsInput();
}

void ControlPeer::sync() {
  if (!widget_ || !live()) return;
  QtPlatform::Mirror m(platform());
  syncGeometry();
  syncBackColor();
  syncContent();
  syncState();
}

void ControlPeer::syncState() {
  if (!widget_ || !live()) return;
  QtPlatform::Mirror m(platform());
  widget_->setVisible(control_.shownOnForm());
  widget_->setEnabled(control_.enabledOnForm());
}

namespace {
// The kit's colours: 0x00BBGGRR, or a system colour by its number.
QColor toQColor(Color c) {
  const QPalette pal = QApplication::palette();
  if (c & 0x80000000u) {
    switch (c & 0xFFu) {
      case 5:  // window background
        return pal.color(QPalette::Base);
      case 8:  // window text
        return pal.color(QPalette::Text);
      case 13:  // highlight
        return pal.color(QPalette::Highlight);
      case 14:  // highlight text
        return pal.color(QPalette::HighlightedText);
      case 18:  // button text
        return pal.color(QPalette::ButtonText);
      default:  // 15 button face and the rest of the window frame
        return pal.color(QPalette::Button);
    }
  }
  return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                static_cast<int>((c >> 16) & 0xFFu));
}
}  // namespace

void ControlPeer::syncBackColor() {
  const Color c = control_.backColor();
  if (c == kDefaultColor) {
    widget_->setAutoFillBackground(false);
    widget_->setPalette(QPalette());
    return;
  }
  QPalette pal = widget_->palette();
  const QColor q = toQColor(c);
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) pal.setColor(role, q);
  widget_->setPalette(pal);
  widget_->setAutoFillBackground(true);
}

void ControlPeer::syncGeometry() {
  widget_->setGeometry(
      pxRect(control_.left(), control_.top(), control_.width(), control_.height()));
}

void ControlPeer::changed(Prop prop, int a, int b) {
  if (!widget_ || !live()) return;
  QtPlatform::Mirror m(platform());
  onChanged(prop, a, b);
}

void ControlPeer::onChanged(Prop prop, int a, int) {
  switch (prop) {
    case Prop::Geometry:
      syncGeometry();
      break;
    case Prop::Visible:
    case Prop::Enabled: {
      const ControlKind k = control_.kind();
      if (k == ControlKind::Frame || k == ControlKind::PictureBox || k == ControlKind::TabStrip) {
        view_.syncStates();
      } else {
        syncState();
      }
      break;
    }
    case Prop::Focus:
      widget_->setFocus(Qt::OtherFocusReason);
      // Passed on from a control that was hidden or disabled: show where it went, as a move by
      // the keyboard shows it, so a key never presses a button that shows no focus frame.
      if (a == 1) view_.showFocusCue();
      break;
    case Prop::BackColor:
      syncBackColor();
      break;
    default:
      syncContent();
      break;
  }
}

void ControlPeer::watch(QWidget* w, bool focusOnPress) {
  focusOnPress_ = focusOnPress;
  w->installEventFilter(this);
}

bool ControlPeer::focusFromUser() {
  const bool ok = control_.userFocus();
  if (!live()) return false;
  view_.syncQtFocus();
  return ok && control_.hasFocus();
}

void ControlPeer::resync() {
  if (!live()) return;
  sync();
  view_.syncQtFocus();
}

namespace {
// Alt and a letter or digit, nothing else held: a button's access key.
int accessLetter(const QKeyEvent* k) {
  if (k->modifiers() != Qt::AltModifier) return 0;
  const int key = k->key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  return 0;
}
}  // namespace

bool ControlPeer::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      if (!acceptsInput()) return true;
      const auto* me = static_cast<QMouseEvent*>(event);
      // X11's middle-button paste would change text behind the kit's back.
      if (me->button() == Qt::MiddleButton) return true;
      if (focusOnPress_ && control_.canTakeFocus() && !focusFromUser()) return true;
      return false;
    }
    case QEvent::MouseButtonRelease:
      return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    case QEvent::ShortcutOverride: {
      const int letter = accessLetter(static_cast<QKeyEvent*>(event));
      if (letter && view_.accessKey(letter, false)) {
        event->accept();
        return true;
      }
      return false;
    }
    case QEvent::KeyPress: {
      if (!acceptsInput()) return true;
      auto* k = static_cast<QKeyEvent*>(event);
      if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
          !(k->modifiers() & Qt::ControlModifier)) {
        view_.tab(k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier));
        return true;
      }
      if (const int letter = accessLetter(k)) return view_.accessKey(letter, true);
      if (control_.canTakeFocus() && !control_.hasFocus()) {
        // Qt let a key reach a control the kit did not give the focus to: the key moves the
        // focus there and no further, so it presses no button the user never moved to.
        if (!focusFromUser() || control_.kind() == ControlKind::CommandButton) return true;
      }
      return handleKey(k);
    }
    default:
      return false;
  }
}

namespace {

// ---------------------------------------------------------------------------
// Typing into a text box or a combo box's text field: every change goes
// through the kit (KeyPress first, then Change); Qt keeps only caret moves,
// selecting and copying.

// The kit learns the selection the user made with the mouse or the keys.
template <class Box>
void pushSelection(Box& box, const QLineEdit* edit) {
  const QString t = edit->text();
  int start = edit->cursorPosition(), length = 0;
  if (edit->hasSelectedText()) {
    start = edit->selectionStart();
    length = static_cast<int>(edit->selectedText().size());
  }
  const int cpStart = codePointsBefore(t, start);
  box.userSelect(cpStart, codePointsBefore(t, start + length) - cpStart);
}

template <class Box>
void showText(const Box& box, QLineEdit* edit) {
  const QString t = qs(box.text());
  if (edit->text() != t) edit->setText(t);
  const int start = utf16Offset(t, box.selStart());
  const int end = utf16Offset(t, box.selStart() + box.selLength());
  if (end > start) {
    edit->setSelection(start, end - start);
  } else {
    edit->setCursorPosition(start);
  }
}

// Returns true when the key was taken. alive() tells whether the form is
// still there after a handler ran.
template <class Box>
bool typeKey(QKeyEvent* k, Box& box, QLineEdit* edit, const std::function<bool()>& alive) {
  switch (k->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return false;
    default:
      break;
  }
  if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::SelectAll)) return false;
  pushSelection(box, edit);
  if (k->matches(QKeySequence::Paste)) {
    box.userPaste(utf8(QGuiApplication::clipboard()->text()));
    return true;
  }
  if (k->matches(QKeySequence::Cut)) {
    if (edit->hasSelectedText()) {
      QGuiApplication::clipboard()->setText(edit->selectedText());
      box.userDelete();
    }
    return true;
  }
  switch (k->key()) {
    case Qt::Key_Delete:
      box.userDelete();
      return true;
    case Qt::Key_Backspace:
      box.userKey(8);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      box.userKey(13);
      return true;
    case Qt::Key_Escape:
      box.userKey(27);
      return true;
    default:
      break;
  }
  // Qt's own editing shortcuts would change the text behind the kit's back.
  if (k->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return true;
  const QString t = k->text();
  if (t.isEmpty()) return false;  // function keys and the like
  if (!t[0].isPrint()) return true;
  for (char32_t cp : t.toUcs4()) {
    box.userKey(static_cast<int>(cp));
    if (!alive()) break;
  }
  return true;
}

// An input method's committed text arrives as typed characters.
template <class Box>
bool typeCommit(QInputMethodEvent* e, Box& box, QLineEdit* edit,
                const std::function<bool()>& alive) {
  const QString t = e->commitString();
  if (t.isEmpty()) return true;
  pushSelection(box, edit);
  for (char32_t cp : t.toUcs4()) {
    box.userKey(static_cast<int>(cp));
    if (!alive()) break;
  }
  return true;
}

// The password character is a style hint in Qt.
class PasswordStyle : public QProxyStyle {
 public:
  explicit PasswordStyle(int ch) : ch_(ch) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* ret) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return ch_;
    return QProxyStyle::styleHint(hint, option, widget, ret);
  }

 private:
  int ch_;
};

// A button caption keeps its "&" underline, but the access key goes through
// the form (Alt + letter), not a Qt shortcut that other windows would share.
void setButtonCaption(QAbstractButton* b, const std::string& caption) {
  b->setText(qs(caption));
  b->setShortcut(QKeySequence());
}

// ---------------------------------------------------------------------------

class LabelPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    label_ = new QLabel(parent);
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    widget_ = label_;
  }

 protected:
  void syncContent() override {
    const auto& c = static_cast<const Label&>(control_);
    label_->setText(qs(c.caption()));
    const Qt::Alignment h = c.alignment() == Align::Center  ? Qt::AlignHCenter
                            : c.alignment() == Align::Right ? Qt::AlignRight
                                                            : Qt::AlignLeft;
    label_->setAlignment(h | Qt::AlignTop);
  }

 private:
  QLabel* label_ = nullptr;
};

class FramePeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  bool holdsChildren() const override { return true; }
  void build(QWidget* parent) override {
    box_ = new QGroupBox(parent);
    widget_ = box_;
  }

 protected:
  void syncContent() override {
    // No mnemonic: Qt would move the focus behind the kit's back.
    box_->setTitle(qs(static_cast<const Frame&>(control_).caption()).replace("&", "&&"));
  }

 private:
  QGroupBox* box_ = nullptr;
};

class TextBoxPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    edit_ = new QLineEdit(parent);
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    edit_->setAcceptDrops(false);
    edit_->setDragEnabled(false);
    widget_ = edit_;
    watch(edit_);
    auto selected = [this] {
      if (!platform().mirroring() && acceptsInput()) pushSelection(box(), edit_);
    };
    QObject::connect(edit_, &QLineEdit::selectionChanged, this, selected);
    QObject::connect(edit_, &QLineEdit::cursorPositionChanged, this, selected);
  }

 protected:
  TextBox& box() const { return static_cast<TextBox&>(control_); }
  void syncContent() override {
    const int ch = box().passwordChar();
    if (ch != shownPasswordChar_) {
      shownPasswordChar_ = ch;
      if (ch) {
        auto* style = new PasswordStyle(ch);
        style->setParent(edit_);
        edit_->setStyle(style);
        edit_->setEchoMode(QLineEdit::Password);
      } else {
        edit_->setEchoMode(QLineEdit::Normal);
        edit_->setStyle(nullptr);
      }
    }
    showText(box(), edit_);
  }
  bool handleKey(QKeyEvent* k) override {
    const bool taken = typeKey(k, box(), edit_, [this] { return live(); });
    if (taken) resync();
    return taken;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::InputMethod) {
      if (acceptsInput()) {
        typeCommit(static_cast<QInputMethodEvent*>(event), box(), edit_, [this] { return live(); });
        resync();
      }
      return true;
    }
    return ControlPeer::eventFilter(watched, event);
  }

 private:
  QLineEdit* edit_ = nullptr;
  int shownPasswordChar_ = 0;
};

// The combo box's list, read straight from the kit's items. Rows the kit
// added reach the view in one batch from the event loop, so a window that
// fills a list with thousands of items pays for it once.
class ItemsModel : public QAbstractListModel {
 public:
  ItemsModel(const ComboBox& box, QObject* parent) : QAbstractListModel(parent), box_(&box) {}
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : shown_; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!box_ || (role != Qt::DisplayRole && role != Qt::EditRole) ||
        index.row() >= box_->listCount())
      return {};
    return qs(box_->list(index.row()));
  }
  // The box's form is going: the list shows no items any more.
  void detach() { box_ = nullptr; }
  bool stale() const { return box_ && shown_ != box_->listCount(); }
  void catchUp() {
    const int n = box_->listCount();
    if (n > shown_) {
      beginInsertRows({}, shown_, n - 1);
      shown_ = n;
      endInsertRows();
    } else if (n < shown_) {
      reset();
    }
  }
  void reset() {
    beginResetModel();
    shown_ = box_->listCount();
    endResetModel();
  }

 private:
  const ComboBox* box_;
  int shown_ = 0;
};

// A list whose drop-down is never narrower than its widest item, whatever the width of the box.
class ListCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;
  void showPopup() override {
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    const QFontMetrics fm(view()->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = std::max(widest, fm.horizontalAdvance(itemText(i)));
    // The item's own margins, the frame, and the bar of a list that scrolls.
    int need = widest + 16 + 2 * view()->frameWidth() + popup->width() - view()->width();
    if (view()->verticalScrollBar()->isVisible()) need += view()->verticalScrollBar()->width();
    if (popup->width() >= need) return;
    QRect r = popup->geometry();
    r.setWidth(need);
    if (const QScreen* screen = popup->screen(); screen && r.right() > screen->geometry().right())
      r.moveRight(screen->geometry().right());
    popup->setGeometry(r);
  }
};

class ComboBoxPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  // The model lives inside the widget: the line edit reads its items as it loses the focus.
  void detach() override {
    if (widget_) model_->detach();
  }
  void build(QWidget* parent) override {
    combo_ = new ListCombo(parent);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(1);
    combo_->setMaxVisibleItems(8);
    model_ = new ItemsModel(box(), combo_);
    combo_->setModel(model_);
    if (auto* view = qobject_cast<QListView*>(combo_->view())) view->setUniformItemSizes(true);
    edit_ = combo_->lineEdit();
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    edit_->setAcceptDrops(false);
    widget_ = combo_;
    watch(combo_);
    edit_->installEventFilter(this);
    QObject::connect(combo_, &QComboBox::activated, this, [this](int i) {
      if (!acceptsInput()) return;
      if (i >= 0 && i < box().listCount()) box().userPick(i);
      resync();
    });
    auto selected = [this] {
      if (!platform().mirroring() && acceptsInput()) pushSelection(box(), edit_);
    };
    QObject::connect(edit_, &QLineEdit::selectionChanged, this, selected);
    QObject::connect(edit_, &QLineEdit::cursorPositionChanged, this, selected);
  }

 protected:
  ComboBox& box() const { return static_cast<ComboBox&>(control_); }
  void syncContent() override {
    if (model_->stale()) model_->catchUp();
    queued_ = false;
    // An empty combo that gets its first row selects it on its own.
    if (combo_->currentIndex() != box().listIndex()) combo_->setCurrentIndex(box().listIndex());
    showText(box(), edit_);
    syncGeometry();
  }
  // A box narrower than its text and drop-down button (an editor over a narrow grid cell) grows
  // to the right until its whole text shows, but never past the edge of the frame that holds it,
  // which would hide its button.
  void syncGeometry() override {
    QRect r = pxRect(control_.left(), control_.top(), control_.width(), control_.height());
    QStyleOptionComboBox opt;
    opt.initFrom(combo_);
    opt.editable = true;
    opt.frame = combo_->hasFrame();
    // The line edit keeps a small margin on either side of its text.
    const QSize text(edit_->fontMetrics().horizontalAdvance(edit_->text()) + 8, r.height());
    const int whole =
        combo_->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, combo_).width();
    int room = whole;
    if (const QWidget* holder = widget_->parentWidget())
      room = holder->contentsRect().right() + 1 - r.left();
    r.setWidth(std::max(r.width(), std::min(whole, room)));
    widget_->setGeometry(r);
  }
  void onChanged(Prop prop, int a, int b) override {
    switch (prop) {
      case Prop::ItemAdded:
        if (!queued_) {
          queued_ = true;
          QTimer::singleShot(0, this, [this] {
            if (queued_ && live()) sync();
          });
        }
        break;
      case Prop::ItemsCleared:
        model_->reset();
        syncContent();
        break;
      default:
        ControlPeer::onChanged(prop, a, b);
        break;
    }
  }
  bool handleKey(QKeyEvent* k) override {
    if (model_->stale()) sync();
    const bool alt = k->modifiers() & Qt::AltModifier;
    if ((k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) && !alt) {
      const int next = box().listIndex() + (k->key() == Qt::Key_Down ? 1 : -1);
      if (next >= 0 && next < box().listCount()) box().userPick(next);
      resync();
      return true;
    }
    if (k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown) return true;
    if (k->key() == Qt::Key_F4 || k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) return false;
    const bool taken = typeKey(k, box(), edit_, [this] { return live(); });
    if (taken) resync();
    return taken;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Wheel:
        return true;  // the wheel would pick items without a click
      case QEvent::InputMethod:
        if (acceptsInput()) {
          typeCommit(static_cast<QInputMethodEvent*>(event), box(), edit_,
                     [this] { return live(); });
          resync();
        }
        return true;
      case QEvent::MouseButtonPress:
        if (live() && model_->stale()) sync();
        break;
      default:
        break;
    }
    return ControlPeer::eventFilter(watched, event);
  }

 private:
  QComboBox* combo_ = nullptr;
  QLineEdit* edit_ = nullptr;
  ItemsModel* model_ = nullptr;
  bool queued_ = false;
};

// Check boxes and option buttons answer a click anywhere on them, not only
// on the box and its text as Qt's do; the kit decides the new value.
class ToggleButtonPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;

 protected:
  QAbstractButton* button_ = nullptr;
  virtual void userClick() = 0;
  void watchButton(QAbstractButton* b) {
    button_ = b;
    widget_ = b;
    watch(b);
    // Space on a focused button.
    QObject::connect(b, &QAbstractButton::clicked, this, [this] { click(); });
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
      auto* me = static_cast<QMouseEvent*>(event);
      if (!acceptsInput() || me->button() != Qt::LeftButton) return true;
      pressed_ = focusFromUser();
      return true;
    }
    if (type == QEvent::MouseButtonRelease) {
      auto* me = static_cast<QMouseEvent*>(event);
      const bool inside = button_->rect().contains(me->position().toPoint());
      if (me->button() == Qt::LeftButton && pressed_ && inside) click();
      pressed_ = false;
      return true;
    }
    return ControlPeer::eventFilter(watched, event);
  }

 private:
  bool pressed_ = false;
  void click() {
    if (!acceptsInput()) return;
    userClick();
    resync();
  }
};

class CheckBoxPeer : public ToggleButtonPeer {
 public:
  using ToggleButtonPeer::ToggleButtonPeer;
  void build(QWidget* parent) override {
    check_ = new QCheckBox(parent);
    watchButton(check_);
  }

 protected:
  void userClick() override { static_cast<CheckBox&>(control_).userClick(); }
  void syncContent() override {
    const auto& c = static_cast<const CheckBox&>(control_);
    setButtonCaption(check_, c.caption());
    check_->setCheckState(c.value() == 1   ? Qt::Checked
                          : c.value() == 2 ? Qt::PartiallyChecked
                                           : Qt::Unchecked);
  }

 private:
  QCheckBox* check_ = nullptr;
};

class OptionButtonPeer : public ToggleButtonPeer {
 public:
  using ToggleButtonPeer::ToggleButtonPeer;
  void build(QWidget* parent) override {
    radio_ = new QRadioButton(parent);
    // The kit makes the buttons of one container exclusive.
    radio_->setAutoExclusive(false);
    watchButton(radio_);
  }

 protected:
  void userClick() override { static_cast<OptionButton&>(control_).userClick(); }
  void syncContent() override {
    const auto& c = static_cast<const OptionButton&>(control_);
    setButtonCaption(radio_, c.caption());
    radio_->setChecked(c.value());
  }

 private:
  QRadioButton* radio_ = nullptr;
};

class CommandButtonPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    button_ = new QPushButton(parent);
    button_->setAutoDefault(false);
    widget_ = button_;
    watch(button_);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { click(); });
  }

 protected:
  void syncContent() override {
    setButtonCaption(button_, static_cast<const CommandButton&>(control_).caption());
  }
  bool handleKey(QKeyEvent* k) override {
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
    click();
    return true;
  }

 private:
  QPushButton* button_ = nullptr;
  void click() {
    if (!acceptsInput()) return;
    static_cast<CommandButton&>(control_).userClick();
    if (live()) view_.syncQtFocus();
  }
};

class ProgressBarPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  static constexpr int kSteps = 1000;
  void build(QWidget* parent) override {
    bar_ = new QProgressBar(parent);
    bar_->setRange(0, kSteps);
    bar_->setTextVisible(false);
    widget_ = bar_;
  }

 protected:
  void syncContent() override {
    const auto& c = static_cast<const ProgressBar&>(control_);
    bar_->setValue(static_cast<int>((c.value() - c.min()) / (c.max() - c.min()) * kSteps + 0.5));
  }

 private:
  QProgressBar* bar_ = nullptr;
};

// Tabs above a panel; the controls shown on the panel are the form's, laid
// over it. The tabs change only through the kit.
class TabStripPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  static constexpr double kTabHeight = 360;
  void build(QWidget* parent) override {
    auto* w = new QWidget(parent);
    panel_ = new QFrame(w);
    panel_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    bar_ = new QTabBar(w);
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setUsesScrollButtons(true);
    bar_->setFocusPolicy(Qt::StrongFocus);
    widget_ = w;
    watch(bar_, false);
  }

 protected:
  TabStrip& tabs() const { return static_cast<TabStrip&>(control_); }
  void syncGeometry() override {
    ControlPeer::syncGeometry();
    const QSize s = widget_->size();
    const int th = px(kTabHeight);
    bar_->setGeometry(0, 0, s.width(), th);
    panel_->setGeometry(0, th - 1, s.width(), std::max(0, s.height() - th + 1));
  }
  void syncContent() override {
    const TabStrip& t = tabs();
    bool same = bar_->count() == t.tabCount();
    for (int i = 0; same && i < t.tabCount(); ++i)
      same = bar_->tabText(i) == qs(t.tab(i + 1).caption);
    if (!same) {
      while (bar_->count() > 0) bar_->removeTab(0);
      for (int i = 1; i <= t.tabCount(); ++i) bar_->addTab(qs(t.tab(i).caption));
    }
    bar_->setCurrentIndex(t.selectedIndex() - 1);
  }
  void onChanged(Prop prop, int a, int b) override {
    if (prop == Prop::Focus) {
      bar_->setFocus(Qt::OtherFocusReason);
      return;
    }
    ControlPeer::onChanged(prop, a, b);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (!acceptsInput() || me->button() != Qt::LeftButton) return true;
        const int i = bar_->tabAt(me->position().toPoint());
        if (i >= 0) {
          tabs().userClickTab(i + 1);
        } else {
          focusFromUser();
        }
        resync();
        return true;
      }
      case QEvent::MouseButtonRelease:
      case QEvent::Wheel:
        return true;
      default:
        return ControlPeer::eventFilter(watched, event);
    }
  }
  bool handleKey(QKeyEvent* k) override {
    const int step = k->key() == Qt::Key_Left ? -1 : k->key() == Qt::Key_Right ? 1 : 0;
    if (!step) return k->key() == Qt::Key_Home || k->key() == Qt::Key_End;
    const int next = tabs().selectedIndex() + step;
    if (next >= 1 && next <= tabs().tabCount()) tabs().userClickTab(next);
    resync();
    return true;
  }

 private:
  QTabBar* bar_ = nullptr;
  QFrame* panel_ = nullptr;
};

class PictureWidget : public QWidget {
 public:
  using QWidget::QWidget;
  std::string shown;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (shown.empty()) return;
    QPainter p(this);
    const int size = std::min(width(), height());
    p.drawPixmap(0, 0, drawPicture(shown, size));
  }
};

class PictureBoxPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  bool holdsChildren() const override { return true; }
  void build(QWidget* parent) override {
    pic_ = new PictureWidget(parent);
    widget_ = pic_;
  }

 protected:
  void syncContent() override {
    pic_->shown = static_cast<const PictureBox&>(control_).picture();
    pic_->update();
  }

 private:
  PictureWidget* pic_ = nullptr;
};

class LineWidget : public QWidget {
 public:
  using QWidget::QWidget;
  QPoint from, to;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLine(from, to);
  }
};

class LinePeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    line_ = new LineWidget(parent);
    line_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_ = line_;
  }

 protected:
  void syncGeometry() override {
    const auto& l = static_cast<const Line&>(control_);
    const QPoint a(px(l.x1()), px(l.y1())), b(px(l.x2()), px(l.y2()));
    const QRect box = QRect(a, b).normalized().adjusted(0, 0, 1, 1);
    line_->setGeometry(box);
    line_->from = a - box.topLeft();
    line_->to = b - box.topLeft();
    line_->update();
  }

 private:
  LineWidget* line_ = nullptr;
};

class GridPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    GridWidget::Hooks hooks{[this] { return acceptsInput(); }, [this] { return live(); },
                            [this] { resync(); }};
    grid_ = new GridWidget(static_cast<Grid&>(control_), std::move(hooks), parent);
    widget_ = grid_;
    watch(grid_, false);
  }

 protected:
  void syncContent() override { grid_->layoutChanged(); }
  void onChanged(Prop prop, int a, int b) override {
    if (prop == Prop::GridCell) {
      grid_->cellChanged(a, b);
    } else {
      ControlPeer::onChanged(prop, a, b);
    }
  }

 private:
  GridWidget* grid_ = nullptr;
};

class DriveListPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    combo_ = new QComboBox(parent);
    widget_ = combo_;
    watch(combo_);
    QObject::connect(combo_, &QComboBox::activated, this, [this](int i) {
      auto& box = static_cast<DriveListBox&>(control_);
      if (!acceptsInput()) return;
      if (i >= 0 && i < static_cast<int>(box.drives().size())) box.userPick(i);
      resync();
    });
  }

 protected:
  void syncContent() override {
    const auto& box = static_cast<const DriveListBox&>(control_);
    QStringList items;
    for (const auto& d : box.drives()) items << qs(d);
    QStringList now;
    for (int i = 0; i < combo_->count(); ++i) now << combo_->itemText(i);
    if (now != items) {
      combo_->clear();
      combo_->addItems(items);
    }
    combo_->setCurrentIndex(static_cast<int>(items.indexOf(qs(box.drive()))));
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Wheel) return true;
    return ControlPeer::eventFilter(watched, event);
  }
  bool handleKey(QKeyEvent* k) override {
    // Moving through the list would change the drive without the kit.
    return k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_Home ||
           k->key() == Qt::Key_End || k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown;
  }

 private:
  QComboBox* combo_ = nullptr;
};

// Directory and file lists: the rows change only through the kit.
class ListPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  void build(QWidget* parent) override {
    list_ = new QListWidget(parent);
    list_->setUniformItemSizes(true);
    widget_ = list_;
    watch(list_, false);
    list_->viewport()->installEventFilter(this);
  }

 protected:
  QListWidget* list_ = nullptr;
  virtual void pressed(int row, bool doubleClick) = 0;
  virtual void keyed(int key) = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Only the list and its viewport are watched; the list is not asked
    // which is which, as it may be in the middle of its destruction.
    if (watched != list_) {
      switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
          auto* me = static_cast<QMouseEvent*>(event);
          if (!acceptsInput() || me->button() != Qt::LeftButton) return true;
          const int row = list_->indexAt(me->position().toPoint()).row();
          pressed(row, event->type() == QEvent::MouseButtonDblClick);
          resync();
          return true;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
          return true;
        default:
          break;
      }
    }
    return ControlPeer::eventFilter(watched, event);
  }
  bool handleKey(QKeyEvent* k) override {
    switch (k->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        keyed(k->key());
        resync();
        return true;
      default:
        return false;
    }
  }
  void fill(const QStringList& items, const QIcon& icon) {
    QStringList now;
    for (int i = 0; i < list_->count(); ++i) now << list_->item(i)->text();
    if (now == items) return;
    list_->clear();
    for (const auto& s : items) new QListWidgetItem(icon, s, list_);
  }
};

class DirListPeer : public ListPeer {
 public:
  using ListPeer::ListPeer;

 protected:
  DirListBox& box() const { return static_cast<DirListBox&>(control_); }
  // Row 0 names the directory shown; ".." follows unless it is the root.
  QStringList rows() const {
    QStringList r{qs(box().path())};
    if (box().path() != "/") r << "..";
    for (const auto& d : box().subdirs()) r << qs(d);
    return r;
  }
  void syncContent() override {
    fill(rows(), list_->style()->standardIcon(QStyle::SP_DirIcon));
    if (list_->currentRow() < 0 && list_->count() > 0) list_->setCurrentRow(0);
  }
  void pressed(int row, bool doubleClick) override {
    if (!focusFromUser() || row < 0) return;
    list_->setCurrentRow(row);
    if (doubleClick && row > 0) box().userOpen(utf8(list_->item(row)->text()));
  }
  void keyed(int key) override {
    const int row = list_->currentRow();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (row > 0) box().userOpen(utf8(list_->item(row)->text()));
    } else if (key == Qt::Key_Up && row > 0) {
      list_->setCurrentRow(row - 1);
    } else if (key == Qt::Key_Down && row + 1 < list_->count()) {
      list_->setCurrentRow(row + 1);
    }
  }
};

class FileListPeer : public ListPeer {
 public:
  using ListPeer::ListPeer;

 protected:
  FileListBox& box() const { return static_cast<FileListBox&>(control_); }
  void syncContent() override {
    QStringList items;
    for (const auto& f : box().files()) items << qs(f);
    fill(items, list_->style()->standardIcon(QStyle::SP_FileIcon));
    list_->setCurrentRow(box().listIndex());
  }
  void pressed(int row, bool doubleClick) override {
    if (row < 0) {
      focusFromUser();
    } else if (doubleClick && row == box().listIndex() && box().hasFocus()) {
      // The first press of the double click picked the file already.
      if (box().DblClick) platform().dispatch(box().DblClick);
    } else if (doubleClick) {
      box().userDoubleClick(row);
    } else {
      box().userPick(row);
    }
  }
  void keyed(int key) override {
    const int n = static_cast<int>(box().files().size());
    if (n == 0) return;
    const int at = box().listIndex();
    int next = at;
    if (key == Qt::Key_Up) next = std::max(0, at - 1);
    if (key == Qt::Key_Down) next = std::min(n - 1, at + 1);
    if (key == Qt::Key_Home) next = 0;
    if (key == Qt::Key_End) next = n - 1;
    if (next != at && next >= 0) box().userPick(next);
  }
};

}  // namespace

std::unique_ptr<ControlPeer> makePeer(FormView& view, Control& control) {
  switch (control.kind()) {
    case ControlKind::Label:
      return std::make_unique<LabelPeer>(view, control);
    case ControlKind::Frame:
      return std::make_unique<FramePeer>(view, control);
    case ControlKind::TextBox:
      return std::make_unique<TextBoxPeer>(view, control);
    case ControlKind::ComboBox:
      return std::make_unique<ComboBoxPeer>(view, control);
    case ControlKind::CheckBox:
      return std::make_unique<CheckBoxPeer>(view, control);
    case ControlKind::OptionButton:
      return std::make_unique<OptionButtonPeer>(view, control);
    case ControlKind::CommandButton:
      return std::make_unique<CommandButtonPeer>(view, control);
    case ControlKind::ProgressBar:
      return std::make_unique<ProgressBarPeer>(view, control);
    case ControlKind::TabStrip:
      return std::make_unique<TabStripPeer>(view, control);
    case ControlKind::PictureBox:
      return std::make_unique<PictureBoxPeer>(view, control);
    case ControlKind::Line:
      return std::make_unique<LinePeer>(view, control);
    case ControlKind::Grid:
      return std::make_unique<GridPeer>(view, control);
    case ControlKind::DriveListBox:
      return std::make_unique<DriveListPeer>(view, control);
    case ControlKind::DirListBox:
      return std::make_unique<DirListPeer>(view, control);
    case ControlKind::FileListBox:
      return std::make_unique<FileListPeer>(view, control);
    case ControlKind::Timer:  // runs on the platform's loop
    case ControlKind::SerialPort:
    case ControlKind::Menu:  // the main window's parts: see FormView
    case ControlKind::Toolbar:
    case ControlKind::StatusBar:
      return nullptr;
  }
  return nullptr;
}

}  // namespace kit::qt
