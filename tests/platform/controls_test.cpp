// Containers, option groups, tab strips, tab order, access keys and the
// file list boxes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "test_window.h"

namespace {

class Panel : public kit::Form {
 public:
  explicit Panel(kit::Platform& p) : Form(p, "Panel") {
    for (auto* o : {&Option1, &Option2}) o->setContainer(Frame1);
    Option3.setContainer(Frame2);
    Text_in_frame.setContainer(Frame1);
    Command_read.setVisible(false);
    Command_read.setTabIndex(0);
    Command_def.setTabIndex(1);
    Command_def.setCaption("&Default");
    Command_def.Click = [this] { ++defaults; };
    Load = [this] { show(); };
  }
  int defaults = 0;
  kit::Frame Frame1{*this, "Frame1"};
  kit::Frame Frame2{*this, "Frame2"};
  kit::OptionButton Option1{*this, "Option1"};
  kit::OptionButton Option2{*this, "Option2"};
  kit::OptionButton Option3{*this, "Option3"};
  kit::TextBox Text_in_frame{*this, "Text_in_frame"};
  kit::TabStrip TabStrip1{*this, "TabStrip1"};
  kit::ControlArray<kit::TextBox> Text1{*this, "Text1", 12, 15};
  kit::CommandButton Command_read{*this, "Command_read"};
  kit::CommandButton Command_def{*this, "Command_def"};
};

struct PanelFixture {
  kit::HeadlessPlatform platform;
  kit::FormSlot<Panel> slot{[this] { return std::make_unique<Panel>(platform); }};
  kit::Driver driver{platform};
  Panel& w = slot.load();
  PanelFixture() { platform.runUntilIdle(); }
};

TEST(Controls, TabOrderSkipsHiddenControlsAndAccessKeysClick) {
  PanelFixture f;
  EXPECT_TRUE(f.w.Command_def.hasFocus());  // Command_read is first but hidden
  f.driver.accessKey(f.w, 'd');
  EXPECT_EQ(f.w.defaults, 1);
  EXPECT_EQ(f.w.Command_def.accessKey(), 'D');
}

TEST(Controls, OptionButtonsAreExclusiveWithinTheirContainerAndHiddenFramesHideTheirControls) {
  PanelFixture f;
  std::string clicks;
  f.w.Option1.Click = [&] { clicks += "1"; };
  f.w.Option2.Click = [&] { clicks += "2"; };
  f.w.Option3.setValue(true);
  f.w.Option1.setValue(true);
  f.driver.click(f.w.Option2);
  f.driver.click(f.w.Option2);
  EXPECT_EQ(clicks, "12");
  EXPECT_FALSE(f.w.Option1.value());
  EXPECT_TRUE(f.w.Option3.value());  // another container

  f.w.Frame1.setVisible(false);
  EXPECT_FALSE(f.w.Text_in_frame.shownOnForm());
  f.w.Text_in_frame.setFocus();
  EXPECT_FALSE(f.w.Text_in_frame.hasFocus());
}

TEST(Controls, ControlArrayElementsKnowTheirIndex) {
  PanelFixture f;
  std::vector<int> changed;
  for (int i : f.w.Text1.indices()) f.w.Text1[i].Change = [&, i] { changed.push_back(i); };
  f.w.Text1[14].setText("5");
  f.w.Text1[12].setText("7");
  EXPECT_EQ(changed, (std::vector<int>{14, 12}));
  EXPECT_EQ(f.w.Text1.lbound(), 12);
  EXPECT_EQ(f.w.Text1[15].index(), 15);
  EXPECT_THROW(f.w.Text1[16], std::out_of_range);
}

TEST(Controls, TabStripSelectsByIndexAndKeyAndClicksOnChange) {
  PanelFixture f;
  auto& t = f.w.TabStrip1;
  t.move(120, 120, 6000, 4000);
  int clicks = 0;
  t.Click = [&] { ++clicks; };
  t.addTab("Adj_Txp_High", "发射功率（高）");
  t.addTab("Adj_Other", "频率范围");
  EXPECT_EQ(t.selectedIndex(), 1);
  t.setSelectedIndex(2);
  t.setSelectedIndex(2);
  f.driver.clickTab(t, 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(t.selectedKey(), "Adj_Txp_High");
  EXPECT_GT(t.clientTop(), t.top());
  EXPECT_LT(t.clientWidth(), t.width());
  t.clearTabs();
  EXPECT_EQ(t.selectedIndex(), 0);
}

class Files : public kit::Form {
 public:
  explicit Files(kit::Platform& p) : Form(p, "Files") {
    File1.setPattern("*.dat");
    Dir1.Change = [this] { File1.setPath(Dir1.path()); };
    File1.Click = [this] { Text1.setText(File1.fileName()); };
    Load = [this] { show(); };
  }
  kit::DriveListBox Drive1{*this, "Drive1"};
  kit::DirListBox Dir1{*this, "Dir1"};
  kit::FileListBox File1{*this, "File1"};
  kit::TextBox Text1{*this, "Text1"};
};

TEST(FileLists, ListTheCurrentDirectoryFollowAChosenDirAndSurviveAnUnreadableOne) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("kit_files_" + std::to_string(::getpid()));
  fs::create_directories(root / "sub");
  for (const char* n : {"a.dat", "B.DAT", "c.adj"}) std::ofstream(root / n) << "x";
  std::ofstream(root / "sub" / "d.dat") << "x";

  kit::HeadlessPlatform p;
  p.setCurrentDirectory(root.string());
  p.setDrives({"/", root.string()});
  kit::Driver d(p);
  kit::FormSlot<Files> slot{[&] { return std::make_unique<Files>(p); }};
  Files& w = slot.load();
  EXPECT_EQ(w.Drive1.drive(), root.string());
  EXPECT_EQ(w.Dir1.subdirs(), std::vector<std::string>{"sub"});
  EXPECT_EQ(w.File1.files(), (std::vector<std::string>{"B.DAT", "a.dat"}));
  d.pick(w.File1, 1);
  EXPECT_EQ(w.Text1.text(), "a.dat");
  d.open(w.Dir1, "sub");
  EXPECT_EQ(w.File1.files(), std::vector<std::string>{"d.dat"});
  EXPECT_TRUE(p.fileExists((root / "sub" / "d.dat").string()));
  EXPECT_FALSE(p.fileExists((root / "sub").string()));

  w.Dir1.setPath((root / "missing").string());  // lists nothing, no error
  EXPECT_TRUE(w.File1.files().empty());
  EXPECT_TRUE(d.messageBoxes().empty());
  d.open(w.Dir1, "..");
  EXPECT_EQ(w.Dir1.path(), root.string());
  fs::remove_all(root);

  EXPECT_FALSE(p.registryValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH").has_value());
  EXPECT_FALSE(p.launchProgram("/bin/true"));
}

}  // namespace
