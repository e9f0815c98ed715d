// The transfer labels on the real platform: in every window that shows its transfer's progress,
// in both languages, every text the label can show stands whole inside it, and the label lies
// inside its window, clear of the window's other controls, on a 1024 x 768 screen's main window.
#include <QFontMetrics>
#include <QLabel>
#include <functional>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/fm/frm_FM.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "program_on_screen.h"

namespace {

// A window: opens it and gives its transfer; closes it.
struct Window {
  std::string name;
  std::function<j5::Transfer_Link&()> open;
  std::function<void()> close;
};

template <class W>
Window Of(const char* name, kit::FormSlot<W>& slot) {
  return {name, [&slot]() -> j5::Transfer_Link& { return slot.load().Transfer; },
          [&slot] { slot.unload(); }};
}

TEST(TransferLabelsQt, ShowEveryTextWholeInBothLanguages) {
  qt_test::Program_On_Screen on_screen;
  kit::qt::QtPlatform& platform = on_screen.platform;
  j5::Program& program = on_screen.program;
  program.frm_chann.unload();  // opened at start-up: again, in the main window's size
  kit::FormSlot<j5::frm_Adj_Tune> tune{[&] { return std::make_unique<j5::frm_Adj_Tune>(program); }};
  kit::FormSlot<j5::frm_Adj_Mod> mod{[&] { return std::make_unique<j5::frm_Adj_Mod>(program); }};
  const std::vector<Window> windows = {
      Of("frm_option", program.frm_option),
      Of("frm_dtmf", program.frm_dtmf),
      Of("frm_chann", program.frm_chann),
      Of("frm_Adj_Txp", program.frm_Adj_Txp),
      Of("frm_2tone", program.frm_2tone),
      Of("frm_5tone", program.frm_5tone),
      Of("frm_FM", program.frm_FM),
      Of("frm_Adj_Tune", tune),
      Of("frm_Adj_Mod", mod),
      Of("Form_Comm_Read", program.Form_Comm_Read),
      Of("Form_Comm_Write", program.Form_Comm_Write),
  };
  for (const bool chinese : {true, false}) {
    program.data.Lang_Chn = chinese ? j5::kTrue : j5::kFalse;
    for (const Window& window : windows) {
      SCOPED_TRACE(window.name + (chinese ? " Chinese" : " English"));
      j5::Transfer_Progress& progress = window.open().Progress;
      qt_test::pump(30);
      kit::Label& label = progress.Label_tr_count;
      auto* l = qobject_cast<QLabel*>(platform.widgetOf(label));
      ASSERT_NE(l, nullptr);
      QWidget* parent = l->parentWidget();
      EXPECT_TRUE(parent->rect().contains(l->geometry()));
      for (kit::Control* c : label.form().controls()) {
        QWidget* other = platform.widgetOf(*c);
        if (c == &label || !other || !c->visible() || other->parentWidget() != parent) continue;
        EXPECT_FALSE(other->geometry().intersects(l->geometry())) << c->name();
      }
      for (const std::string& text : progress.Label_Texts()) {
        label.setCaption(text);
        qt_test::pump(5);
        const QRect room = l->contentsRect();
        const QRect need = QFontMetrics(l->font()).boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                                Qt::TextWordWrap, l->text());
        EXPECT_LE(need.width(), room.width()) << text;
        EXPECT_LE(need.height(), room.height()) << text;
      }
      progress.Clear();
      window.close();
      qt_test::pump(20);
    }
  }
}

}  // namespace
