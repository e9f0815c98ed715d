// File > Save and File > Open of the real program, on screen: the dialog's directory list, file
// list, name box and OK, worked with mouse and keys as a user would.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "qt/qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/file_dialogs.h"
#include "shell/param_file.h"
#include "shell/program.h"
#include "support/temp_dir.h"

namespace j5 {
namespace {

namespace fs = std::filesystem;

void settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

// The row of a list that shows text, clicked once or twice.
void clickRow(QListWidget* list, const QString& text, bool twice) {
  ASSERT_NE(list, nullptr);
  const auto found = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  const QPoint at = list->visualItemRect(found[0]).center();
  if (twice)
    qt_test::doubleClick(list->viewport(), at);
  else
    qt_test::click(list->viewport(), at);
  settle();
}

// Clicks into the box, selects its text and types over it.
void typeOver(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  qt_test::click(edit);
  edit->selectAll();
  qt_test::type(edit, text);
}

class FileDialogOnScreen : public ::testing::Test {
 protected:
  FileDialogOnScreen() {
    fs::create_directory(dir / "configs");
    // The dialogs open on the program's current directory; start-up probes no real port.
    fs::current_path(dir.path());
    if (const char* ports = std::getenv("J5_SERIAL_PORTS")) oldPorts = ports;
    setenv("J5_SERIAL_PORTS", (dir / "no-port").c_str(), 1);
    // Every message box is answered as soon as it shows; its text is kept.
    QObject::connect(&answer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back(box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
      }
    });
    answer.start(5);
  }
  ~FileDialogOnScreen() override {
    program.MDImain.unload();
    settle();
    fs::current_path(startDir);
    if (oldPorts)
      setenv("J5_SERIAL_PORTS", oldPorts->c_str(), 1);
    else
      unsetenv("J5_SERIAL_PORTS");
  }

  template <class W>
  W* widget(const kit::Control& c) const {
    return qobject_cast<W*>(platform.widgetOf(c));
  }

  qt_test::AppFirst app_;
  const fs::path startDir = fs::current_path();
  std::optional<std::string> oldPorts;
  test::TempDir dir;
  QTimer answer;
  std::vector<std::string> boxes;
  kit::qt::QtPlatform platform;
  Program program{platform};
};

TEST_F(FileDialogOnScreen, SaveThenOpenThroughTheListsAndOk) {
  program.MDImain.show();
  settle();
  MDImain& main = *program.MDImain;
  program.data.Mem_Image(3, 4) = 123;
  program.data.Mem_Image(480, 15) = -7;
  const MemImage saved = program.data.Mem_Image;

  // File > Save, into the sub-directory, under a typed name.
  boxes.clear();
  platform.actionOf(main.File_save)->trigger();
  settle();
  File_Dialog* save = program.Form_save_chann.get();
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(platform.windowOf(*save)->isVisible());
  // Each step stops the test where it failed: a dialog that went meanwhile is not used again.
  ASSERT_NO_FATAL_FAILURE(clickRow(widget<QListWidget>(save->Dir1), "configs", true));
  ASSERT_TRUE(program.Form_save_chann.loaded());
  ASSERT_NO_FATAL_FAILURE(typeOver(widget<QLineEdit>(save->Text1), "radio one.dat"));
  qt_test::click(widget<QPushButton>(save->Command_enter));
  settle();
  EXPECT_EQ(boxes, std::vector<std::string>{"参数保存完毕 ！"});
  EXPECT_FALSE(program.Form_save_chann.loaded());
  const std::string file = dir / "configs/radio one.dat";
  EXPECT_EQ(test::readFile(file), Param_File_Text(saved));

  // File > Open: the file list offers the file; picking it and OK load it back.
  program.data.Mem_Image.fill(0, 480, 0, 15, 0);
  boxes.clear();
  platform.actionOf(main.File_Open)->trigger();
  settle();
  File_Dialog* open = program.Form_open_chann.get();
  ASSERT_NE(open, nullptr);
  ASSERT_NO_FATAL_FAILURE(clickRow(widget<QListWidget>(open->Dir1), "configs", true));
  ASSERT_TRUE(program.Form_open_chann.loaded());
  ASSERT_NO_FATAL_FAILURE(clickRow(widget<QListWidget>(open->File1), "radio one.dat", false));
  ASSERT_TRUE(program.Form_open_chann.loaded());
  EXPECT_EQ(widget<QLineEdit>(open->Text1)->text(), "radio one.dat");
  qt_test::click(widget<QPushButton>(open->Command_enter));
  settle();
  EXPECT_EQ(boxes, std::vector<std::string>{"参数从文件调入成功 ！"});
  EXPECT_FALSE(program.Form_open_chann.loaded());
  EXPECT_EQ(program.data.Mem_Image, saved);
  EXPECT_EQ(program.data.File_Path, file);
  ASSERT_TRUE(program.frm_chann.loaded());
  EXPECT_TRUE(platform.windowOf(*program.frm_chann.form())->isVisible());
}

}  // namespace
}  // namespace j5
