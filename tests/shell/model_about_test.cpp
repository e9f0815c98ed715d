// The model window and the about box, opened as their hidden menu entries open them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "data/tables.h"
#include "main_window_fixture.h"
#include "shell/Form_type.h"
#include "shell/frmAbout.h"

namespace j5::test {
namespace {

struct ModelWindow : MainWindowTest {
  Shared_Data& data = program.data;
  ModelWindow() {
    start();
    // The identification had set other limits.
    data.VHF_Low = 136, data.VHF_High = 174, data.UHF0_Low = 400, data.UHF0_High = 480;
    data.UHF1_Low = 350, data.UHF1_High = 390;
    program.Set_Panel(7, "p7");
    program.Set_Panel(8, "p8");
    program.Set_Panel(9, "p9");
  }
  Form_type& open() {
    main().Band_Range_Click();
    platform.runUntilIdle();
    return *program.Form_type;
  }
  void expectVariant0Limits() {
    EXPECT_EQ(data.VHF_Low, 130);
    EXPECT_EQ(data.VHF_High, 179);
    EXPECT_EQ(data.UHF0_Low, 240);
    EXPECT_EQ(data.UHF0_High, 260);
    EXPECT_EQ(data.UHF1_Low, 350);
    EXPECT_EQ(data.UHF1_High, 390);
  }
};

TEST_F(ModelWindow, OpeningSetsTheLimitsAndOkWritesThePanels) {
  EXPECT_FALSE(main().Band_Range.visible());
  Form_type& w = open();
  EXPECT_EQ(w.caption(), "机型选择");
  EXPECT_EQ(w.Label1.caption(), "机  型");
  EXPECT_EQ(w.Command_enter.caption(), "确 定");
  ASSERT_EQ(w.Combo_type.listCount(), 1);
  EXPECT_EQ(w.Combo_type.text(), "VHF/UHF0/UHF1");
  EXPECT_EQ(w.Label_VHF.caption(), "VHF/");
  EXPECT_EQ(w.Label_UHF.caption(), "HF0/");
  EXPECT_EQ(w.Text_VHF.text(), " 130MHZ  -   179MHZ");
  EXPECT_EQ(w.Text_UHF.text(), " 240MHZ  -   260MHZ");
  EXPECT_FALSE(w.Text_VHF.enabled());
  expectVariant0Limits();
  EXPECT_EQ(panel(7), "p7");

  drive.click(w.Command_enter);
  EXPECT_FALSE(program.Form_type.loaded());
  EXPECT_EQ(data.Model_Index, 0);
  EXPECT_EQ(panel(7), "VHF/: 130 -   179MHZ");
  EXPECT_EQ(panel(8), "HF0/: 240 -   260MHZ");
  EXPECT_EQ(panel(9), "p9");
}

TEST_F(ModelWindow, CancelKeepsTheNewLimitsButNotThePanels) {
  data.Lang_Chn = kFalse;
  Form_type& w = open();
  EXPECT_EQ(w.caption(), "Model Select");
  EXPECT_EQ(w.Command_Cancel.caption(), "Cancel");
  drive.click(w.Command_Cancel);
  EXPECT_FALSE(program.Form_type.loaded());
  expectVariant0Limits();
  EXPECT_EQ(panel(7), "p7");
  EXPECT_EQ(panel(8), "p8");
}

// Typing never reaches the list's text; a paste empties it, and OK with nothing picked does
// nothing rather than look up entry -1.
TEST_F(ModelWindow, TypedTextIsRefusedAndOkWithoutAPickIsIgnored) {
  Form_type& w = open();
  drive.focus(w.Combo_type);
  drive.type("x");
  EXPECT_EQ(w.Combo_type.text(), "VHF/UHF0/UHF1");
  drive.paste("UHF");
  EXPECT_EQ(w.Combo_type.text(), "");
  EXPECT_EQ(w.Combo_type.listIndex(), -1);
  EXPECT_EQ(drive.focused(), &w.Combo_type);
  drive.click(w.Command_enter);
  EXPECT_TRUE(program.Form_type.loaded());
  EXPECT_EQ(panel(7), "p7");
  EXPECT_TRUE(drive.messageBoxes().empty());
  // Picking the entry again makes OK work.
  drive.pick(w.Combo_type, 0);
  drive.click(w.Command_enter);
  EXPECT_FALSE(program.Form_type.loaded());
  EXPECT_EQ(panel(7), "VHF/: 130 -   179MHZ");
}

TEST(ModelTexts, PairNamesAndRanges) {
  EXPECT_EQ(Form_type::First_Pair_Name("VHF1/UHF1"), "VHF1");
  EXPECT_EQ(Form_type::Second_Pair_Name("VHF1/UHF1"), "UHF1");
  EXPECT_EQ(Form_type::Second_Pair_Name(" VHF "), "");
  EXPECT_EQ(Form_type::Range_Text(400, 520), " 400MHZ  -   520MHZ");
}

// ---- The about box -----------------------------------------------------------------------

// A platform whose registry and program launch a test controls.
struct RegistryPlatform : kit::HeadlessPlatform {
  std::map<std::string, std::string> values;  // "key|value name" -> value
  std::vector<std::string> files, launched;
  bool launchWorks = true;
  std::optional<std::string> registryValue(const std::string& key,
                                           const std::string& name) const override {
    auto it = values.find(key + "|" + name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool fileExists(const std::string& path) const override {
    return std::find(files.begin(), files.end(), path) != files.end();
  }
  bool launchProgram(const std::string& path) override {
    launched.push_back(path);
    return launchWorks;
  }
};

struct AboutBox : ::testing::Test {
  RegistryPlatform platform;
  Program program{platform};
  kit::Driver drive{platform};
  static inline const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
  static inline const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
  AboutBox() {
    program.MDImain.load();
    platform.runUntilIdle();
    drive.clearMessageBoxes();
  }
  frmAbout& open() {
    program.MDImain->about_Click();
    platform.runUntilIdle();
    return *program.frmAbout;
  }
};

TEST_F(AboutBox, ShowsTheLanguageTextsAndOkCloses) {
  program.data.Lang_Chn = kFalse;
  frmAbout& w = open();
  EXPECT_EQ(w.cmdOk.caption(), "Confirm");
  EXPECT_EQ(w.cmdSysInfo.caption(), "System Information(&S)...");
  EXPECT_EQ(w.lblTitle.caption(), program.data.Lang_Text[0]);
  EXPECT_EQ(w.lblDisclaimer.caption(), program.data.Lang_Text[3]);
  EXPECT_FALSE(w.lblDisclaimer.caption().empty());
  // 500 twips above the centre of the main window's client area.
  const auto& m = *program.MDImain;
  EXPECT_DOUBLE_EQ(w.top(), (m.scaleHeight() - w.height()) / 2 - 500);
  drive.click(w.cmdOk);
  EXPECT_FALSE(program.frmAbout.loaded());
}

// The system information program: the first key's path as it stands, else the folder's program
// when it exists; anything else ends in the same Chinese message under the default title.
TEST_F(AboutBox, SystemInformationLookUp) {
  const std::string kUnavailable = "此时系统信息不可用";
  struct Case {
    const char* name;
    std::map<std::string, std::string> values;
    std::vector<std::string> files;
    bool launchWorks;
    std::vector<std::string> launched;
    bool message;
  };
  const std::vector<Case> cases = {
      {"nothing (Linux)", {}, {}, true, {}, true},
      {"path first, unchecked",
       {{kPathKey, "C:\\x.exe"}, {kFolderKey, "C:\\f"}},
       {"C:\\f\\MSINFO32.EXE"},
       true,
       {"C:\\x.exe"},
       false},
      {"path that does not start", {{kPathKey, "C:\\x.exe"}}, {}, false, {"C:\\x.exe"}, true},
      {"folder with the program",
       {{kFolderKey, "C:\\f"}},
       {"C:\\f\\MSINFO32.EXE"},
       true,
       {"C:\\f\\MSINFO32.EXE"},
       false},
      {"folder without it", {{kFolderKey, "C:\\f"}}, {}, true, {}, true},
  };
  program.data.Lang_Chn = kFalse;
  frmAbout& w = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform.values = c.values;
    platform.files = c.files;
    platform.launchWorks = c.launchWorks;
    platform.launched.clear();
    drive.clearMessageBoxes();
    drive.click(w.cmdSysInfo);
    EXPECT_EQ(platform.launched, c.launched);
    ASSERT_EQ(drive.messageBoxes().size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(drive.lastMessageBox().text, kUnavailable);
      EXPECT_EQ(drive.lastMessageBox().title, "");
      EXPECT_EQ(drive.lastMessageBox().icon, kit::MsgIcon::None);
    }
    EXPECT_TRUE(program.frmAbout.loaded());
  }
}

}  // namespace
}  // namespace j5::test
