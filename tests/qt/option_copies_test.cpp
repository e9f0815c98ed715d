// The option window copies on the real platform, in both languages: every caption fits its
// control on a 1024 x 768 screen's main window. J5_SHOT=folder saves a picture of each window.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

#include "editors/option_copies/option_copy_window.h"
#include "program_on_screen.h"

namespace {

TEST(OptionCopiesQt, CaptionsFitTheirControlsInBothLanguages) {
  qt_test::Program_On_Screen on_screen;
  kit::qt::QtPlatform& platform = on_screen.platform;
  j5::Program& program = on_screen.program;
  kit::FormSlot<j5::frm_Adj_Tune> slot{[&] { return std::make_unique<j5::frm_Adj_Tune>(program); }};
  for (const bool chinese : {true, false}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    program.data.Lang_Chn = chinese ? j5::kTrue : j5::kFalse;
    j5::frm_Adj_Tune& w = slot.load();
    qt_test::pump(50);
    for (kit::Control* c : w.controls()) {
      QWidget* widget = platform.widgetOf(*c);
      if (!widget || !c->visible()) continue;
      if (auto* l = qobject_cast<QLabel*>(widget)) {
        EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->contentsRect().width())
            << c->name();
      } else if (auto* b = qobject_cast<QAbstractButton*>(widget)) {
        const int indicator = qobject_cast<QCheckBox*>(b)
                                  ? b->style()->pixelMetric(QStyle::PM_IndicatorWidth)
                                  : b->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
        const int room = b->width() - (b->inherits("QPushButton") ? 8 : indicator + 6);
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), room) << c->name();
      }
    }
    QWidget* window = platform.windowOf(w);
    ASSERT_NE(window, nullptr);
    EXPECT_LE(window->width(), 1024);
    if (const QByteArray dir = qgetenv("J5_SHOT"); !dir.isEmpty())
      window->grab().save(QString::fromUtf8(dir) + (chinese ? "/copy_chn.png" : "/copy_eng.png"));
    slot.unload();
    qt_test::pump(20);
  }
}

}  // namespace
