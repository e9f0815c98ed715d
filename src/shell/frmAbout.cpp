#include "shell/frmAbout.h"

#include "data/lang_text.h"
#include "shell/program.h"

namespace j5 {

namespace {

const std::string kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kSysInfoValue = "PATH";
const std::string kSysInfoLocKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kSysInfoLocValue = "MSINFO";
// The same text in both languages, under the platform's own title.
const std::string kUnavailable = "此时系统信息不可用";

// Size and places, in twips.
constexpr double kWidth = 6900;
constexpr double kHeight = 4000;  // with the title bar
constexpr double kTextLeft = 1200;
constexpr double kTextWidth = kWidth - kTextLeft - 300;
constexpr double kOkWidth = 1500;
constexpr double kSysInfoWidth = 2700;
constexpr double kButtonTop = 2880;
constexpr double kButtonHeight = 375;

}  // namespace

frmAbout::frmAbout(Program& program)
    : kit::Form(program.platform, "frmAbout", program.Main_Form()), prog_(program) {
  setBorder(kit::Border::Fixed);
  setCaption(prog_.Text("关于", "About"));
  move(0, 0, kWidth, kHeight);
  picIcon.setPicture("logo");
  picIcon.move(240, 240, 700, 700);
  lblTitle.move(kTextLeft, 240, kTextWidth, 480);
  lblVersion.move(kTextLeft, 780, kTextWidth, 300);
  lblDescription.move(kTextLeft, 1140, kTextWidth, 300);
  Line1[0].setPoints(120, 1620, kWidth - 240, 1620);
  Line1[1].setPoints(120, 1635, kWidth - 240, 1635);
  lblDisclaimer.move(240, 1800, kWidth - 540, 900);
  // Side by side at the bottom right, the system information button wide enough for its text.
  const double sysInfoLeft = kWidth - 420 - kSysInfoWidth;
  cmdOk.move(sysInfoLeft - 120 - kOkWidth, kButtonTop, kOkWidth, kButtonHeight);
  cmdSysInfo.move(sysInfoLeft, kButtonTop, kSysInfoWidth, kButtonHeight);
  cmdOk.setTabIndex(0);
  cmdSysInfo.setTabIndex(1);

  Load = [this] { Form_Load(); };
  cmdOk.Click = [this] { cmdOk_Click(); };
  cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
}

void frmAbout::Form_Load() {
  Shared_Data& d = prog_.data;
  Set_Lang_Text(d);
  setCaption(prog_.Text("关于", "About"));
  if (kit::MdiForm* main = prog_.Main_Form())
    move((main->scaleWidth() - width()) / 2, (main->scaleHeight() - height()) / 2 - 500, width(),
         height());
  lblTitle.setCaption(d.Lang_Text[0]);
  lblVersion.setCaption(d.Lang_Text[1]);
  lblDescription.setCaption(d.Lang_Text[2]);
  lblDisclaimer.setCaption(d.Lang_Text[3]);
  cmdOk.setCaption(d.Lang_Text[4]);
  cmdSysInfo.setCaption(d.Lang_Text[5]);
}

void frmAbout::cmdOk_Click() {
  unload();
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

void frmAbout::StartSysInfo() {
  kit::Platform& p = prog_.platform;
  std::string path;
  bool found = GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue, path);
  if (!found) {
    std::string folder;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoLocKey, kSysInfoLocValue, folder) &&
        p.fileExists(folder + "\\MSINFO32.EXE")) {
      path = folder + "\\MSINFO32.EXE";
      found = true;
    }
  }
  if (found && p.launchProgram(path)) return;
  p.messageBox(kUnavailable);
}

// The platform reads text and number values alike; a number comes back as its "&h" text.
bool frmAbout::GetKeyValue(std::uint32_t keyRoot, const std::string& keyName,
                           const std::string& subKeyRef, std::string& keyValue) {
  if (keyRoot != HKEY_LOCAL_MACHINE) {
    keyValue.clear();
    return false;
  }
  const auto value = prog_.platform.registryValue(keyName, subKeyRef);
  if (!value) {
    keyValue.clear();
    return false;
  }
  keyValue = *value;
  return true;
}

}  // namespace j5
