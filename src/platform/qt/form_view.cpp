#include "platform/qt/form_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cctype>

#include "platform/qt/peers.h"
#include "platform/qt/pictures.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_util.h"

namespace kit::qt {

// A menu entry's action (for an entry with children, the action of its menu).
struct FormView::MenuItem : Peer {
  FormView* view = nullptr;
  Menu* menu = nullptr;
  QPointer<QAction> action;
  void changed(Prop, int, int) override {
    if (view->live()) view->syncMenu(*this);
  }
};

// The toolbar's and status bar's notifications.
class FormView::BarPeer : public Peer {
 public:
  BarPeer(FormView& view, Control& bar) : view_(view), bar_(bar) {}
  void changed(Prop prop, int a, int) override {
    if (!view_.live()) return;
    QtPlatform::Mirror m(view_.platform());
    QWidget* w = bar_.kind() == ControlKind::Toolbar ? static_cast<QWidget*>(view_.toolBar_)
                                                     : static_cast<QWidget*>(view_.statusBar_);
    if (prop == Prop::Visible) w->setVisible(bar_.visible());
    if (prop == Prop::Enabled) w->setEnabled(bar_.enabled());
    if (prop == Prop::Buttons) view_.syncToolbar(a);
    if (prop == Prop::Panels) view_.syncStatusBar(a);
  }

 private:
  FormView& view_;
  Control& bar_;
};

FormView::FormView(QtPlatform& platform, Form& form) : platform_(platform), form_(&form) {
  QtPlatform::Mirror m(platform_);
  if (form.isMdi()) {
    buildMainWindow(static_cast<MdiForm&>(form));
  } else {
    FormView* parent = form.mdiParent() ? platform_.viewOf(*form.mdiParent()) : nullptr;
    buildChildWindow(parent && parent->live() ? parent->mdiArea() : nullptr);
    buildControls();
  }
  window_->setWindowTitle(qs(form.caption()));
  syncGeometry();
  window_->installEventFilter(this);
  form.setPeer(this);
}

FormView::~FormView() {
  // Widgets left (platform shutdown) go with the view.
  if (window_) delete window_.data();
}

bool FormView::live() const {
  return !unloaded_;
}

QMainWindow* FormView::mainWindow() const {
  return qobject_cast<QMainWindow*>(window_.data());
}

ControlPeer* FormView::peerOf(const Control& c) const {
  auto it = byControl_.find(&c);
  return it == byControl_.end() ? nullptr : it->second;
}

QAction* FormView::actionOf(const Menu& m) const {
  auto it = byMenu_.find(&m);
  return it == byMenu_.end() ? nullptr : it->second->action.data();
}

QAction* FormView::toolbarAction(const std::string& key) const {
  for (const auto& a : buttons_)
    if (a && a->data().toString() == qs(key)) return a;
  return nullptr;
}

QLabel* FormView::statusPanel(int n) const {
  if (n < 1 || n > static_cast<int>(panels_.size())) return nullptr;
  return panels_[static_cast<std::size_t>(n - 1)];
}

// ---------------------------------------------------------------------------
// Building

void FormView::buildMainWindow(MdiForm& mdi) {
  auto* mw = new QMainWindow;
  window_ = mw;
  mdiArea_ = new QMdiArea(mw);
  // Where Qt picks the next window itself, it picks the one active before, as the kit does.
  mdiArea_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  mw->setCentralWidget(mdiArea_);
  client_ = mdiArea_;
  QObject::connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (!sub || !live() || platform_.mirroring() || !platform_.acceptsInput()) return;
    if (FormView* v = platform_.viewOfWindow(sub); v && v->live()) v->userActivated();
  });
  buildMenus(mdi);
  // The bars take the heights the kit subtracts from the client area, so
  // children that size themselves to ScaleWidth/ScaleHeight fit.
  for (Control* c : mdi.controls()) {
    if (c->kind() == ControlKind::Toolbar && !toolBar_) {
      toolbar_ = static_cast<Toolbar*>(c);
      toolBar_ = new QToolBar(mw);
      toolBar_->setMovable(false);
      toolBar_->setFloatable(false);
      toolBar_->setIconSize(QSize(16, 16));
      toolBar_->setFixedHeight(px(Toolbar::kHeight));
      mw->addToolBar(toolBar_);
      toolBar_->setVisible(c->visible());
      toolBar_->setEnabled(c->enabled());
      bars_.push_back(std::make_unique<BarPeer>(*this, *c));
      c->setPeer(bars_.back().get());
      syncToolbar(-1);
    } else if (c->kind() == ControlKind::StatusBar && !statusBar_) {
      statusbar_ = static_cast<StatusBar*>(c);
      statusBar_ = new QStatusBar(mw);
      statusBar_->setFixedHeight(px(StatusBar::kHeight));
      // The panels take their widths, shares of the screen, in one row of
      // their own: the bar's spacing between items and its size grip would
      // make it (and so the window) wider than the screen.
      statusBar_->setSizeGripEnabled(false);
      auto* row = new QWidget(statusBar_);
      panelRow_ = new QHBoxLayout(row);
      panelRow_->setContentsMargins(0, 0, 0, 0);
      panelRow_->setSpacing(0);
      panelRow_->addStretch(1);
      statusBar_->addWidget(row, 1);
      mw->setStatusBar(statusBar_);
      statusBar_->setVisible(c->visible());
      bars_.push_back(std::make_unique<BarPeer>(*this, *c));
      c->setPeer(bars_.back().get());
      syncStatusBar(-1);
    }
  }
}

void FormView::buildMenus(MdiForm& mdi) {
  auto* mw = mainWindow();
  std::vector<Menu*> all = mdi.menus();
  if (all.empty()) return;
  mw->menuBar()->setFixedHeight(px(MdiForm::kMenuBarHeight));
  // Parents come before their children in declaration order.
  std::unordered_map<const Menu*, QMenu*> menuOf;
  for (Menu* m : all) {
    auto item = std::make_unique<MenuItem>();
    item->view = this;
    item->menu = m;
    const bool hasChildren = !m->children().empty();
    QMenu* parentMenu = m->parentMenu() ? menuOf[m->parentMenu()] : nullptr;
    if (hasChildren) {
      QMenu* qm = parentMenu ? parentMenu->addMenu(QString()) : mw->menuBar()->addMenu(QString());
      menuOf[m] = qm;
      item->action = qm->menuAction();
    } else {
      QAction* a =
          parentMenu ? parentMenu->addAction(QString()) : mw->menuBar()->addAction(QString());
      item->action = a;
      MenuItem* raw = item.get();
      QObject::connect(a, &QAction::triggered, this, [this, raw] {
        if (!live() || !platform_.acceptsInput()) return;
        raw->menu->userClick();
        // Qt ticks a checkable entry by itself; the kit's Checked decides.
        if (live()) syncMenu(*raw);
      });
    }
    syncMenu(*item);
    m->setPeer(item.get());
    byMenu_[m] = item.get();
    menus_.push_back(std::move(item));
  }
}

void FormView::buildChildWindow(QMdiArea* area) {
  const bool fixed = form_->border() == Border::Fixed;
  auto* client = new QWidget;
  client_ = client;
  if (area) {
    auto* sub = new QMdiSubWindow;
    sub_ = sub;
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWidget(client);
    if (fixed) {
      sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    // A fixed-size window is never maximized, not even as the one the area activates while another
    // window is maximized (which would show it frameless in the corner, its caption in the main
    // window's): the area maximizes the window it activates only where that one is sizable. Set
    // before the area's own handler of the signal runs.
    QObject::connect(sub, &QMdiSubWindow::aboutToActivate, this, [area, fixed] {
      area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, fixed);
    });
    area->addSubWindow(sub);
    // The child's window menu would claim Ctrl+W (and Ctrl+F4) for its Close,
    // which makes the main menu's Ctrl+W ambiguous while a child is active.
    // The menu's shortcuts work whichever child is active; a child closes
    // from its title bar and its own buttons.
    if (QMenu* system = sub->systemMenu())
      for (QAction* a : system->actions()) a->setShortcuts({});
    sub->hide();
    window_ = sub;
  } else {
    client->setWindowFlags(fixed ? (Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) : Qt::Window);
    window_ = client;
  }
  client->setFocusPolicy(Qt::NoFocus);
}

void FormView::buildControls() {
  for (Control* c : form_->controls()) {
    auto peer = makePeer(*this, *c);
    if (!peer) continue;
    peer->build(client_);
    byControl_[c] = peer.get();
    peers_.push_back(std::move(peer));
  }
  // Frames and picture boxes hold their controls (positions inside them);
  // a tab strip only lies under the controls placed on its client area.
  for (auto& p : peers_) {
    Control* box = p->control().container();
    ControlPeer* holder = box ? peerOf(*box) : nullptr;
    if (holder && holder->holdsChildren() && p->widget() && holder->widget())
      p->widget()->setParent(holder->widget());
  }
  for (auto& p : peers_)
    if (p->control().kind() == ControlKind::TabStrip && p->widget()) p->widget()->lower();
  for (auto& p : peers_) {
    p->sync();
    p->control().setPeer(p.get());
  }
}

// ---------------------------------------------------------------------------
// Mirroring the form

void FormView::changed(Prop prop, int, int) {
  if (!live() || !window_) return;
  QtPlatform::Mirror m(platform_);
  switch (prop) {
    case Prop::Caption:
      window_->setWindowTitle(qs(form_->caption()));
      break;
    case Prop::Geometry:
      syncGeometry();
      break;
    case Prop::Shown:
      window_->show();
      if (sub_) sub_->raise();
      break;
    case Prop::Focus:
      // No control of the form has the focus any more: neither has any widget of its window, so
      // a key pressed now reaches no button that Qt chose on its own.
      if (QWidget* focus = QApplication::focusWidget();
          client_ && focus && client_->isAncestorOf(focus))
        client_->setFocus(Qt::OtherFocusReason);
      break;
    case Prop::Activated:
      if (sub_) {
        if (QMdiArea* area = sub_->mdiArea()) area->setActiveSubWindow(sub_);
      } else if (window_->isVisible()) {
        window_->raise();
        window_->activateWindow();
      }
      break;
    default:
      break;
  }
}

void FormView::syncGeometry() {
  QtPlatform::Mirror m(platform_);
  // Outer size in the kit is the client area plus a nominal frame; the
  // client area on screen is what the form's code measures (ScaleWidth).
  const QSize client(px(form_->width() - Form::kFrameWidth),
                     px(form_->height() - Form::kFrameHeight));
  const QPoint at(px(form_->left()), px(form_->top()));
  if (sub_) {
    sub_->ensurePolished();
    const QMargins mg = sub_->contentsMargins();
    const QSize outer(client.width() + mg.left() + mg.right(),
                      client.height() + mg.top() + mg.bottom());
    if (form_->border() == Border::Fixed) {
      sub_->setFixedSize(outer);
    } else {
      sub_->resize(outer);
    }
    sub_->move(at);
  } else {
    if (form_->border() == Border::Fixed && !form_->isMdi()) {
      window_->setFixedSize(client);
    } else {
      window_->resize(client);
    }
    window_->move(at);
  }
}

void FormView::syncMenu(MenuItem& item) {
  QAction* a = item.action;
  if (!a) return;
  QtPlatform::Mirror m(platform_);
  const Menu& menu = *item.menu;
  a->setSeparator(menu.caption() == "-");
  a->setText(qs(menu.caption()));
  // Only a checked entry shows a mark; an unchecked one shows no empty box, so the entries of
  // one menu look alike whichever of them was checked before.
  a->setCheckable(menu.checked());
  a->setChecked(menu.checked());
  a->setVisible(menu.visible());
  a->setEnabled(menu.enabled());
  a->setShortcut(QKeySequence(qs(menu.shortcut())));
}

void FormView::syncToolbar(int index) {
  if (!toolBar_ || !toolbar_) return;
  const Toolbar& bar = *toolbar_;
  auto decorate = [&](QAction* a, const ToolbarButton& b) {
    a->setIcon(pictureIcon(b.picture.empty() ? b.key : b.picture));
    a->setToolTip(qs(b.toolTip));
    a->setText(qs(b.toolTip.empty() ? b.key : b.toolTip));
  };
  if (index >= 1 && index <= static_cast<int>(buttons_.size()) && buttons_[index - 1]) {
    decorate(buttons_[static_cast<std::size_t>(index - 1)], bar.button(index));
    return;
  }
  for (int i = static_cast<int>(buttons_.size()) + 1; i <= bar.buttonCount(); ++i) {
    const ToolbarButton& b = bar.button(i);
    QAction* a = toolBar_->addAction(QString());
    a->setData(qs(b.key));
    decorate(a, b);
    const std::string key = b.key;
    QObject::connect(a, &QAction::triggered, this, [this, key] {
      if (!live() || !platform_.acceptsInput() || !toolbar_) return;
      const_cast<Toolbar*>(toolbar_)->userClickButton(key);
    });
    buttons_.emplace_back(a);
  }
}

void FormView::syncStatusBar(int n) {
  if (!statusBar_ || !statusbar_) return;
  const StatusBar& bar = *statusbar_;
  auto show = [&](QLabel* l, const StatusPanel& p) {
    const QString text = qs(p.text());
    l->setText(text);
    l->setFixedWidth(std::max(0, px(p.width())));
    // A text a little wider than its share of the screen shows whole, in a
    // smaller size.
    l->setFont(
        fittingFont(statusBar_->font(), text, l->width() - 2 * l->frameWidth() - l->indent()));
  };
  if (n >= 1 && n <= static_cast<int>(panels_.size()) && n <= bar.panelCount()) {
    if (QLabel* l = panels_[static_cast<std::size_t>(n - 1)]) show(l, bar.panel(n));
    return;
  }
  for (auto& l : panels_) delete l.data();
  panels_.clear();
  for (int i = 1; i <= bar.panelCount(); ++i) {
    auto* l = new QLabel;
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setTextFormat(Qt::PlainText);
    l->setIndent(2);
    panelRow_->insertWidget(panelRow_->count() - 1, l);
    show(l, bar.panel(i));
    panels_.emplace_back(l);
  }
}

void FormView::unloaded() {
  if (unloaded_) return;
  unloaded_ = true;
  // Every way back to the form is cut before the kit may free it: from now on live() is false,
  // which every handler of the window's and its widgets' events and signals asks first, and the
  // lists read no items. What Qt does with these widgets until it has deleted them (the focus
  // leaving a window it takes down, a list reading its items as it loses the focus) reaches none
  // of its controls, in whatever order the widgets go.
  for (auto& p : peers_) p->detach();
  QtPlatform::Mirror m(platform_);
  if (window_) {
    window_->hide();
    // The area activates another child as the window leaves it. Taken out now, under the mirror,
    // that is no choice of the user's: the kit activates the window that was active before, and
    // Qt deleting the window later, after the kit's loop has run or before, changes nothing.
    if (sub_ && sub_->mdiArea()) sub_->mdiArea()->removeSubWindow(sub_);
    window_->deleteLater();
  }
}

// ---------------------------------------------------------------------------
// Focus, tab order, access keys

void FormView::syncQtFocus() {
  Control* f = platform_.focused();
  if (!f) return;
  QWidget* w = platform_.widgetOf(*f);
  if (!w || w->hasFocus()) return;
  QtPlatform::Mirror m(platform_);
  w->setFocus(Qt::OtherFocusReason);
}

void FormView::syncStates() {
  for (auto& p : peers_) p->syncState();
}

bool FormView::accessKey(int letter, bool run) {
  if (!live()) return false;
  const int key = std::toupper(letter);
  for (Control* c : form_->controls()) {
    if (c->kind() != ControlKind::CommandButton) continue;
    auto* b = static_cast<CommandButton*>(c);
    if (b->accessKey() != key || !b->focusable()) continue;
    if (run) {
      form_->userAccessKey(key);
      if (live()) syncQtFocus();
    }
    return true;
  }
  return false;
}

void FormView::tab(bool back) {
  if (!live()) return;
  if (!back) {
    form_->userTab();
  } else {
    std::vector<Control*> order;
    for (Control* c : form_->controls())
      if (c->focusable()) order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), platform_.focused());
    Control* target = (it == order.end() || it == order.begin()) ? order.back() : *(it - 1);
    target->userFocus();
  }
  if (!live()) return;
  syncQtFocus();
  // A move by the keyboard shows the focus cue, as Qt's own Tab does: the kit moved the focus
  // already, so Qt did not learn that the keyboard moved it.
  showFocusCue();
}

void FormView::showFocusCue() {
  if (QWidget* focus = QApplication::focusWidget()) {
    focus->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    focus->update();
  }
}

void FormView::userActivated() {
  if (!live() || !form_->shown()) return;
  form_->userActivate();
  // The activation runs before the input that brought the window to the front reaches it: a
  // click into a cell of a window behind another activates it (its Activate rebuilds what it
  // shows) and then opens the cell's editor, as the headless driver runs what an action posted
  // before the next one. Run later, the rebuild would hide the editor the click had just opened.
  platform_.runDue();
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_ || !live()) return false;
  switch (event->type()) {
    case QEvent::Close:
      // The kit decides: QueryUnload and Unload may refuse.
      event->ignore();
      if (platform_.acceptsInput()) form_->userClose();
      return true;
    case QEvent::Resize:
      if (!platform_.mirroring()) {
        QSize client = static_cast<QResizeEvent*>(event)->size();
        if (sub_) client = sub_->contentsRect().size();
        form_->userResize(twips(client.width()) + Form::kFrameWidth,
                          twips(client.height()) + Form::kFrameHeight);
      }
      return false;
    case QEvent::Move:
      if (!platform_.mirroring()) {
        const QPoint at = window_->pos();
        form_->userMove(twips(at.x()), twips(at.y()));
      }
      return false;
    case QEvent::WindowActivate:
      if (!sub_ && !form_->isMdi() && !platform_.mirroring() && platform_.acceptsInput())
        userActivated();
      return false;
    default:
      return false;
  }
}

}  // namespace kit::qt
