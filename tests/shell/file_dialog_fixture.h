#pragma once
// A program on the headless platform with its main window, whose current directory (where the
// file dialogs open) is a fresh temporary directory, and the user's steps in a file dialog.

#include <gtest/gtest.h>

#include <string>

#include "shell/MDImain.h"
#include "shell/file_dialogs.h"
#include "shell/program.h"
#include "support/driver.h"
#include "support/temp_dir.h"

namespace j5::test {

class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest() {
    platform.setCurrentDirectory(dir.path());
    program.MDImain.load();
    program.data.Lang_Chn = kFalse;
  }

  // Replaces the dialog's name as the user would: click into the box, select all, type.
  void typeName(File_Dialog& dlg, const std::string& name) {
    driver.focus(dlg.Text1);
    driver.selectAll();
    if (name.empty())
      driver.del();
    else
      driver.type(name);
  }

  // Types the name and clicks OK.
  void confirm(File_Dialog& dlg, const std::string& name) {
    typeName(dlg, name);
    driver.click(dlg.Command_enter);
  }

  // The message boxes shown since the last clear, as texts.
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& box : driver.messageBoxes()) out.push_back(box.text);
    return out;
  }

  TempDir dir;
  kit::HeadlessPlatform platform;
  Program program{platform};
  kit::Driver driver{platform};
};

}  // namespace j5::test
