// The optional features window on the Qt platform offscreen, opened from the
// Edit menu in each language: every text a user sees fits its control, and
// every control lies inside the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "qt/qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace {

using qt_test::waitUntil;

struct OptionOnScreen : ::testing::TestWithParam<bool> {
  qt_test::AppFirst app_;
  qt_test::BoxCloser boxes_;
  kit::qt::QtPlatform platform;
  j5::Program program{platform};
  j5::Shared_Data& data = program.data;

  void TearDown() override {
    if (program.MDImain.loaded()) program.MDImain.unload();
    qt_test::pump(10);
  }
};

// The width a combo box needs to show this item in full.
int Combo_Width(QComboBox* box, const QString& item) {
  QStyleOptionComboBox opt;
  opt.initFrom(box);
  const QSize text(box->fontMetrics().horizontalAdvance(item), box->fontMetrics().height());
  return box->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, box).width();
}

TEST_P(OptionOnScreen, EveryTextFitsItsControl) {
  program.MDImain.show();
  program.MDImain->move(0, 0, 15360, 11520);
  data.Lang_Chn = GetParam() ? j5::kTrue : j5::kFalse;
  j5::Init_Tone_Table(data);
  j5::Init_Opt_Id(data);
  data.VHF_Low = 130, data.VHF_High = 179, data.UHF0_Low = 240, data.UHF0_High = 260;
  data.UHF1_Low = 400, data.UHF1_High = 520;
  j5::Init_Factory_Image(data);
  program.MDImain->Optional_edit.userClick();
  ASSERT_TRUE(
      waitUntil([&] { return program.frm_option.loaded() && program.frm_option->shown(); }));
  qt_test::pump(50);
  j5::frm_option& w = *program.frm_option;
  // The whole window within the main window's client area of a 1024 x 768 screen.
  EXPECT_GE(w.left(), 0);
  EXPECT_GE(w.top(), 0);
  EXPECT_LE(w.left() + w.width(), program.MDImain->scaleWidth());
  EXPECT_LE(w.top() + w.height(), program.MDImain->scaleHeight());
  const QWidget* window = platform.widgetOf(w.Command_def)->window();

  int checked = 0;
  for (kit::Control* c : w.controls()) {
    if (!c->shownOnForm()) continue;
    QWidget* widget = platform.widgetOf(*c);
    if (!widget) continue;
    const std::string where = c->name() + (GetParam() ? " (Chinese)" : " (English)");
    // Inside the window's client area.
    const QRect r(widget->mapTo(window, QPoint(0, 0)), widget->size());
    EXPECT_TRUE(window->rect().contains(r)) << where;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (label->text().isEmpty()) continue;
      EXPECT_LE(label->heightForWidth(label->width()), label->height()) << where;
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
      // Its drop-down button stays inside the frame that holds it.
      EXPECT_TRUE(box->parentWidget()->contentsRect().contains(box->geometry())) << where;
      for (int i = 0; i < box->count(); ++i)
        EXPECT_LE(Combo_Width(box, box->itemText(i)), box->width())
            << where << " " << box->itemText(i).toStdString();
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      EXPECT_LE(check->sizeHint().width(), check->width()) << where;
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width()) << where;
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()) + 8, edit->width()) << where;
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
      EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()), frame->width()) << where;
    } else {
      continue;
    }
    ++checked;
  }
  EXPECT_GT(checked, 80);
  // A display-way label that wraps leaves its last character alone on a line against the next
  // row: in Chinese each stays on one line.
  if (GetParam()) {
    for (kit::Label* l : {&w.Label_MDF_A, &w.Label_MDF_B}) {
      auto* label = qobject_cast<QLabel*>(platform.widgetOf(*l));
      ASSERT_NE(label, nullptr);
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                label->contentsRect().width())
          << l->name();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, OptionOnScreen, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Chinese" : "English"; });

}  // namespace
