// The DTMF window on the Qt platform offscreen: opened from the Edit menu in either language,
// every text on screen fits its control, and an own ID typed on screen reaches the image.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editors/dtmf/frm_dtmf.h"
#include "qt/qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

using qt_test::waitUntil;

struct DtmfOnScreen : ::testing::Test {
  qt_test::AppFirst app_;
  qt_test::BoxCloser boxes_;
  kit::qt::QtPlatform platform;
  j5::Program program{platform};

  j5::frm_dtmf& open(bool chinese) {
    program.MDImain.show();
    program.MDImain->move(0, 0, 15360, 11520);
    program.data.Lang_Chn = chinese ? j5::kTrue : j5::kFalse;
    program.MDImain->Dtmf_edit.userClick();
    j5::frm_dtmf& w = *program.frm_dtmf;
    waitUntil([&] { return platform.activeForm() == &w && platform.focused(); });
    return w;
  }
  void TearDown() override {
    if (program.MDImain.loaded()) program.MDImain.unload();
    qt_test::pump(10);
  }
};

// The width a widget needs for its text: what its style asks for labels and check boxes, the
// text and a little room for buttons and frame titles (their styles ask for more than a text).
int needed(const QWidget* w) {
  if (auto* b = qobject_cast<const QPushButton*>(w))
    return b->fontMetrics().horizontalAdvance(b->text()) + 8;
  if (auto* g = qobject_cast<const QGroupBox*>(w))
    return g->fontMetrics().horizontalAdvance(g->title()) + 8;
  return w->sizeHint().width();
}

TEST_F(DtmfOnScreen, EveryTextFitsItsControlInBothLanguages) {
  for (bool chinese : {true, false}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    j5::frm_dtmf& w = open(chinese);
    int checked = 0;
    for (kit::Control* c : w.controls()) {
      QWidget* widget = platform.widgetOf(*c);
      if (!widget || !widget->isVisible()) continue;
      if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget) &&
          !qobject_cast<QGroupBox*>(widget))
        continue;
      ++checked;
      EXPECT_LE(needed(widget), widget->width()) << c->name() << " " << c->index();
    }
    // Frames, titles, numbers, labels, boxes, buttons and the empty progress label.
    EXPECT_EQ(checked, 2 + 2 + 15 + 3 + 2 + 2 + 1);
  }
}

TEST_F(DtmfOnScreen, TheOwnIdTypedOnScreenReachesTheImage) {
  j5::frm_dtmf& w = open(false);
  auto* edit = qobject_cast<QLineEdit*>(platform.widgetOf(w.Text_Ani));
  ASSERT_NE(edit, nullptr);
  qt_test::click(edit, edit->rect().center());
  ASSERT_TRUE(waitUntil([&] { return w.Text_Ani.hasFocus(); }));
  qt_test::key(edit, Qt::Key_A, {}, Qt::ControlModifier);
  qt_test::type(edit, "4x2*71");
  ASSERT_TRUE(waitUntil([&] { return w.Text_Ani.text() == "4271"; }));
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(program.data.Mem_Image(202, 10 + k), (std::array<int, 5>{4, 2, 7, 1, 255}[k])) << k;
}

}  // namespace
