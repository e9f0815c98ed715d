#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "platform/qt/form_view.h"
#include "platform/qt/peers.h"
#include "platform/qt/qt_util.h"
#include "platform/qt/serial_line.h"

namespace kit::qt {

namespace {
// Room a window manager's title bar takes beside the title: icon, close button and margins.
constexpr int kTitleBarButtonsPx = 120;
}  // namespace

int codePointsBefore(const QString& s, int utf16Pos) {
  int n = 0;
  for (int i = 0; i < utf16Pos && i < s.size(); ++i) {
    if (s[i].isLowSurrogate() && i > 0 && s[i - 1].isHighSurrogate()) continue;
    ++n;
  }
  return n;
}

int utf16Offset(const QString& s, int codePoints) {
  int i = 0;
  for (int n = 0; n < codePoints && i < s.size(); ++n) {
    i += (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
  }
  return i;
}

QtPlatform::QtPlatform(int& argc, char** argv) {
  if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc, argv);
  init();
}

QtPlatform::QtPlatform() {
  if (!QApplication::instance()) throw std::logic_error("QtPlatform needs a QApplication");
  init();
}

void QtPlatform::init() {
  clock_.start();
  // The windows are laid out for a 9-point dialog font at 96 dpi; fontconfig
  // supplies the CJK glyphs of the Chinese captions.
  QFont font = QApplication::font();
  font.setPixelSize(12);
  QApplication::setFont(font);
  // The program ends when its main window unloads, not when Qt thinks the
  // last window went.
  QApplication::setQuitOnLastWindowClosed(false);
  wakeTimer_ = std::make_unique<QTimer>();
  wakeTimer_->setSingleShot(true);
  wakeTimer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(wakeTimer_.get(), &QTimer::timeout, [this] { onWake(); });
}

QtPlatform::~QtPlatform() {
  closing_ = true;
  wakeTimer_->stop();
  // Forms still loaded belong to the program, which is gone or going; their
  // widgets go now, before the QApplication.
  auto views = std::move(views_);
  views_.clear();
  for (auto& [form, view] : views) {
    view->unloaded();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (auto& [form, view] : views) delete view;
  wakeTimer_.reset();
  // The application may outlive this platform (tests share one): it speaks English again.
  useChineseTexts(false);
  app_.reset();
}

int QtPlatform::exec() {
  if (loadedForms().empty()) return 0;
  running_ = true;
  const int rc = QApplication::exec();
  running_ = false;
  return rc;
}

double QtPlatform::nowMs() const {
  return static_cast<double>(clock_.nsecsElapsed()) / 1e6;
}

void QtPlatform::pauseMs(double ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms));
}

ScreenSize QtPlatform::screen() const {
  ScreenSize s;
  if (QScreen* scr = QGuiApplication::primaryScreen()) {
    s.width = twips(scr->geometry().width());
    s.height = twips(scr->geometry().height());
  }
  return s;
}

double QtPlatform::gridTextWidthTwips(const std::string& text) const {
  // Grids draw in the application's font (see init()).
  return twips(QFontMetrics(QApplication::font()).horizontalAdvance(qs(text)));
}

// Labels and status panels draw in the application's font too; a word-wrapped label breaks its
// text as this measure does.
double QtPlatform::labelTextWidthTwips(const std::string& text) const {
  return gridTextWidthTwips(text);
}

double QtPlatform::labelTextHeightTwips(const std::string& text, double width) const {
  const QRect room(0, 0, std::max(1, static_cast<int>(width / kTwipsPerPixel)), 1 << 20);
  return twips(
      QFontMetrics(QApplication::font()).boundingRect(room, Qt::TextWordWrap, qs(text)).height());
}

double QtPlatform::scrollBarTwips() const {
  return twips(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

bool QtPlatform::acceptsInput() const {
  return !closing_ && !messageBoxOpen() && !QApplication::activeModalWidget();
}

void QtPlatform::useChineseTexts(bool chinese) {
  Platform::useChineseTexts(chinese);
  if (chinese && !translator_) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
  } else if (!chinese && translator_) {
    QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
  }
}

// ---------------------------------------------------------------------------
// The kit's loop runs from one Qt timer armed for its earliest entry.

void QtPlatform::wake(double atMs) {
  armWake(atMs);
}

void QtPlatform::armWake(double atMs) {
  if (closing_) return;
  if (wakeArmed_ && wakeAt_ <= atMs) return;
  wakeArmed_ = true;
  wakeAt_ = atMs;
  const double wait = std::max(0.0, std::ceil(atMs - nowMs()));
  wakeTimer_->start(static_cast<int>(std::min(wait, 1e9)));
}

void QtPlatform::onWake() {
  wakeArmed_ = false;
  if (closing_) return;
  if (inHandler() && !messageBoxOpen()) {
    // Some nested loop other than a message box: the handler first.
    armWake(nowMs() + 1);
    return;
  }
  runDue();
  if (auto next = loop().nextDue()) armWake(*next);
}

// ---------------------------------------------------------------------------

void QtPlatform::showMessageBox(const MessageBoxInfo& box) {
  if (closing_) return;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  if (box.icon == MsgIcon::Exclamation) icon = QMessageBox::Warning;
  if (box.icon == MsgIcon::Information) icon = QMessageBox::Information;
  QString title = qs(box.title.empty() ? defaultTitle_ : box.title);
  if (title.isEmpty()) title = QGuiApplication::applicationDisplayName();
  QWidget* parent = mainWindow();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox mb(icon, title, qs(box.text), QMessageBox::Ok, parent);
  // A short message makes a narrow box whose title bar would cut the title: the box is at least
  // as wide as its title and the title bar's buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(mb.layout())) {
    const int titleWidth =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title) +
        kTitleBarButtonsPx;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  // Timers and receive events go on under the box: the wake timer fires in
  // its nested loop, and runDue lets them run while a box is open.
  if (loop().nextDue()) armWake(*loop().nextDue());
  mb.exec();
}

std::unique_ptr<SerialLine> QtPlatform::createSerialLine(int comPort, SerialReceiver receiver) {
  return openTermiosLine(comPort, std::move(receiver));
}

// ---------------------------------------------------------------------------
// Forms

void QtPlatform::formLoading(Form& form) {
  if (closing_) return;
  // A form object loaded again after an unload: a fresh window.
  dropView(form);
  views_[&form] = new FormView(*this, form);
}

void QtPlatform::formUnloaded(Form& form) {
  dropView(form);
  if (running_ && (form.isMdi() || loadedForms().empty())) QCoreApplication::exit(0);
}

void QtPlatform::formDestroyed(Form& form) {
  dropView(form);
}

void QtPlatform::dropView(const Form& form) {
  auto it = views_.find(&form);
  if (it == views_.end()) return;
  FormView* view = it->second;
  views_.erase(it);
  view->unloaded();
  view->deleteLater();
}

FormView* QtPlatform::viewOf(const Form& form) const {
  auto it = views_.find(&form);
  return it == views_.end() ? nullptr : it->second;
}

FormView* QtPlatform::viewOfWindow(const QWidget* window) const {
  for (auto& [form, view] : views_)
    if (view->window() == window) return view;
  return nullptr;
}

QWidget* QtPlatform::windowOf(const Form& form) const {
  FormView* v = viewOf(form);
  return v ? v->window() : nullptr;
}

QWidget* QtPlatform::widgetOf(const Control& control) const {
  FormView* v = viewOf(control.form());
  ControlPeer* p = v ? v->peerOf(control) : nullptr;
  return p ? p->widget() : nullptr;
}

QMainWindow* QtPlatform::mainWindow() const {
  for (auto& [form, view] : views_)
    if (form->isMdi() && view->live()) return view->mainWindow();
  return nullptr;
}

QAction* QtPlatform::actionOf(const Menu& menu) const {
  FormView* v = viewOf(menu.form());
  return v ? v->actionOf(menu) : nullptr;
}

QAction* QtPlatform::toolbarAction(const Toolbar& bar, const std::string& key) const {
  FormView* v = viewOf(bar.form());
  return v ? v->toolbarAction(key) : nullptr;
}

QLabel* QtPlatform::statusPanel(const StatusBar& bar, int n) const {
  FormView* v = viewOf(bar.form());
  return v ? v->statusPanel(n) : nullptr;
}

}  // namespace kit::qt
