#include "shell/MDImain.h"

#include <array>

#include "data/defaults.h"
#include "data/lang_text.h"
#include "data/tables.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/fm/frm_FM.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_Write_PassWord.h"
#include "link/Form_setup.h"
#include "platform/runtime.h"
#include "shell/Form_type.h"
#include "shell/exchange_refusal.h"
#include "shell/file_dialogs.h"
#include "shell/frmAbout.h"
#include "shell/language_switch.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Captions of the menu entries: the one they carry before start-up, then
// the Chinese and English ones. Entries without language captions keep
// their first caption for good.
struct Menu_Caption {
  kit::Menu MDImain::*menu;
  const char* start;
  const char* chn;
  const char* eng;
};

constexpr std::array<Menu_Caption, 24> kMenuCaptions = {{
    {&MDImain::about, "关于", "关于", "About"},
    {&MDImain::Menu_Exit, "退出", "退出", "Exit"},
    {&MDImain::Language_Setup, "语言", "语言", "Language"},
    {&MDImain::proc_setup, "端口", "端口", "Communication"},
    {&MDImain::Edit, "Edit", "编辑", "Edit"},
    {&MDImain::Channel_edit, "Channel Infomation", "信道信息", "Channel Information "},
    {&MDImain::Optional_edit, "Optional Features ", "可选功能", "Optional Features"},
    {&MDImain::Dtmf_edit, "DTMF", "DTMF(双音多频)", "DTMF"},
    {&MDImain::Program, "Program", "编程", "Program"},
    {&MDImain::Prog_read, "Read form radio", "从对讲机读取数据", "Read from radio"},
    {&MDImain::Prog_write, "Write to radio", "向对讲机写入数据", "Write to radio"},
    {&MDImain::File, "File", "文件", "File"},
    {&MDImain::File_New, "New", "新建", "New"},
    {&MDImain::File_Open, "Open", "打开", "Open"},
    {&MDImain::File_save, "Save", "保存", "Save"},
    {&MDImain::File_saveas, "Save As", "另存为", "Save As"},
    {&MDImain::File_exit, "Exit", "退出", "Exit"},
    {&MDImain::Band_Range, "频段", "机型", "Model"},
    {&MDImain::PC_PassWord, "修改密码", "通行字", "PassWord"},
    {&MDImain::Adj, "调试", nullptr, nullptr},
    {&MDImain::Adj_Edit, "参数编辑", nullptr, nullptr},
    {&MDImain::Adj_Online, "在线测试", nullptr, nullptr},
    {&MDImain::Language_chn, "中文", nullptr, nullptr},
    {&MDImain::Language_eng, "English", nullptr, nullptr},
}};

struct Toolbar_Entry {
  const char* key;
  const char* chn;
  const char* eng;
};

constexpr std::array<Toolbar_Entry, 6> kToolbar = {{
    {"open", "打开参数文件", "Open Parameter file"},
    {"save", "保存参数", "Save Parameter"},
    {"edit_chann", "信道参数编辑", "Channel Information"},
    {"read", "从对讲机读取数据", "Read Data From Radio"},
    {"write", "将参数写入对讲机", "Write Data to Radio"},
    {"exit", "退出", "Exit"},
}};

// Share of the screen width of each status panel, in per cent (they add up
// to 98).
constexpr std::array<double, 11> kPanelShare = {5, 15, 5, 6, 6, 6, 10, 10, 10, 1, 24};
// What a panel takes beside its text: its sunken frame and the indent before the text, with a
// pixel to spare for rounding.
constexpr double kPanelPad = 90;

// The screen below which start-up advises 1024 x 768, in twips.
constexpr double kAdviceMinHeight = 11500;
constexpr double kAdviceMinWidth = 15300;

// Characters from position start (counted from 1) of an ASCII text, as many
// as there are up to count.
std::string Mid(const std::string& s, std::size_t start, std::size_t count) {
  if (start < 1 || start > s.size()) return {};
  return s.substr(start - 1, count);
}

std::string Band_Text(const std::string& label, double low, double high) {
  return label + ":" + rt::Str(low) + " -  " + rt::Str(high) + "MHZ";
}

}  // namespace

MDImain::MDImain(j5::Program& program)
    : kit::MdiForm(program.platform, "MDImain"), Ident(*this, program), prog_(program) {
  for (const Menu_Caption& c : kMenuCaptions) (this->*c.menu).setCaption(c.start);
  File_New.setShortcut("Ctrl+N");
  File_Open.setShortcut("Ctrl+O");
  File_save.setShortcut("Ctrl+S");
  Prog_read.setShortcut("Ctrl+R");
  Prog_write.setShortcut("Ctrl+W");
  // Hidden entries stay out of reach for good: nothing ever shows them.
  for (kit::Menu* m : {&Band_Range, &Adj, &PC_PassWord, &about}) {
    m->setVisible(false);
    m->setEnabled(false);
  }
  for (const Toolbar_Entry& b : kToolbar) Toolbar1.addButton(b.key, b.chn, b.key);
  StatusBar1.setPanelCount(static_cast<int>(kPanelShare.size()));

  Load = [this] { MDIForm_Load(); };
  // The close box ends the program as Exit does, and is refused as Exit is: before anything typed
  // into a window is committed under the exchange.
  CloseRefused = [this] { return Exchange_Refused(prog_, Waits_For_Exchange::Exit); };
  QueryUnload = [this](int& cancel, int) {
    if (Exchange_Refused(prog_, Waits_For_Exchange::Exit)) cancel = 1;
  };
  File_Open.Click = [this] { File_Open_Click(); };
  File_save.Click = [this] { File_save_Click(); };
  File_exit.Click = [this] { File_exit_Click(); };
  Band_Range.Click = [this] { Band_Range_Click(); };
  Channel_edit.Click = [this] { Channel_edit_Click(); };
  Optional_edit.Click = [this] { Optional_edit_Click(); };
  Dtmf_edit.Click = [this] { Dtmf_edit_Click(); };
  Prog_read.Click = [this] { Prog_read_Click(); };
  Prog_write.Click = [this] { Prog_write_Click(); };
  Adj_Edit.Click = [this] { Adj_Edit_Click(); };
  PC_PassWord.Click = [this] { PC_PassWord_Click(); };
  proc_setup.Click = [this] { proc_setup_Click(); };
  Language_chn.Click = [this] { Language_chn_Click(); };
  Language_eng.Click = [this] { Language_eng_Click(); };
  about.Click = [this] { about_Click(); };
  Menu_Exit.Click = [this] { Menu_Exit_Click(); };
  Toolbar1.ButtonClick = [this](const kit::ToolbarButton& b) { Toolbar1_ButtonClick(b); };
}

void MDImain::Show_Panel(int n, const std::string& text) {
  StatusBar1.panel(n).setText(text);
  Lay_Out_Panels();
}

// A panel whose text is wider than its share (a radio's identification writes longer texts than
// a share of one per cent can hold) takes the width the text needs. The room comes out of the
// shares the other texts leave unused, the right-most panel's first (the company text leaves the
// most), so the bar keeps its width while it can; only texts that need more than the whole bar
// all shrink alike.
void MDImain::Lay_Out_Panels() {
  const double screen = prog_.platform.screen().width;
  constexpr std::size_t n = kPanelShare.size();
  std::array<double, n> width{}, need{};
  double room = 0, total = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double share = kPanelShare[i] / 100 * screen;
    const std::string& text = StatusBar1.panel(static_cast<int>(i) + 1).text();
    need[i] = prog_.platform.labelTextWidthTwips(text) + kPanelPad;
    width[i] = std::max(share, need[i]);
    room += share;
    total += width[i];
  }
  for (std::size_t i = n; i-- > 0 && total > room;) {
    const double given = std::min(total - room, width[i] - need[i]);
    width[i] -= given;
    total -= given;
  }
  for (std::size_t i = 0; i < n; ++i)
    StatusBar1.panel(static_cast<int>(i) + 1)
        .setWidth(total > room ? width[i] * room / total : width[i]);
}

void MDImain::MDIForm_Load() {
  Shared_Data& d = prog_.data;
  kit::Platform& platform = prog_.platform;

  Version_Text = "V18.01.28";
  Title_Chn = "J5 系列对讲机编程软件";
  Company_Chn = "";
  Title_Eng = "TOLVEK J5 Series Program Software. ";
  Company_Eng = "XX Electronics ";

  Fill_Access_Code(d);

  d.Lang_Chn = kTrue;
  Set_Lang_Text(d);
  platform.useChineseTexts(true);

  const kit::ScreenSize screen = platform.screen();
  Lay_Out_Panels();

  Caption_Commands(true);
  prog_.Set_Panel(1, "状态");
  prog_.Set_Panel(4, "软件版本");
  prog_.Set_Panel(5, Version_Text);
  prog_.Set_Panel(6, "工作频段");
  prog_.Set_Panel(9, "");
  prog_.Set_Panel(10, "");
  prog_.Set_Panel(11, Company_Chn);
  setCaption(Title_Chn);

  move(left(), top(), screen.width, screen.height);
  show();

  // Start-up always runs in Chinese, so the advice has no English form.
  if (screen.height < kAdviceMinHeight || screen.width < kAdviceMinWidth)
    platform.messageBox("建议将计算机的显示模式设置为 1024 X 768 ", "操作提示",
                        kit::MsgIcon::Exclamation);

  // COM16 is never probed.
  for (int n = 15; n >= 1; --n) {
    d.Comm_Port = static_cast<std::int16_t>(n);
    Open_Port();
    if (d.Port_Error == 0) break;
  }
  if (d.Port_Error != 0) d.Comm_Port = 1;
  prog_.Set_Panel(3, "COM" + std::to_string(d.Comm_Port));

  Init_Model_Band(d);
  d.Model_Index = 0;
  d.VHF_Low = d.Model_Band(0, 0);
  d.VHF_High = d.Model_Band(0, 1);
  d.UHF0_Low = d.Model_Band(0, 2);
  d.UHF0_High = d.Model_Band(0, 3);
  d.UHF1_Low = d.Model_Band(0, 4);
  d.UHF1_High = d.Model_Band(0, 5);

  const std::string name = rt::Trim(d.Model_Name[static_cast<std::size_t>(d.Model_Index)]);
  prog_.Set_Panel(7, Band_Text(Mid(name, 1, 3), d.VHF_Low, d.VHF_High));
  prog_.Set_Panel(8, Band_Text(Mid(name, 5, 4), d.UHF0_Low, d.UHF0_High));
  prog_.Set_Panel(9, Band_Text(Mid(name, 10, 4), d.UHF1_Low, d.UHF1_High));

  d.Chann_Total = 128;

  Init_Tone_Table(d);
  Init_Opt_Id(d);
  Init_Model_Band(d);
  d.Tone_Tick = kToneTick;

  if (MSC.portOpen()) {
    Ident.Link.Close_Port();
    prog_.Set_Panel(2, "正在与对讲机进行连接...");
    Link_Start();
  }

  Init_Adj_Default(d);
  Copy_Adj_Default(d);

  Init_Factory_Image(d);
  Init_Adj_Default(d);
  Copy_Adj_Default(d);

  prog_.frm_chann.load();

  // The channel editor stays open with its flag cleared, so the language
  // switch leaves it alone until it has been reopened once.
  for (std::int16_t Shared_Data::*flag :
       {&Shared_Data::Win_Option, &Shared_Data::Win_Dtmf, &Shared_Data::Win_Chann,
        &Shared_Data::Win_Setup, &Shared_Data::Win_Save_Chann, &Shared_Data::Win_Open_Chann,
        &Shared_Data::Win_Comm_Read, &Shared_Data::Win_Comm_Write})
    d.*flag = kFalse;
}

void MDImain::Open_Port() {
  Ident.Open_Port();
}

void MDImain::Link_Start() {
  Ident.Link_Start();
}

void MDImain::Caption_Commands(bool chinese) {
  for (int i = 0; i < static_cast<int>(kToolbar.size()); ++i) {
    const Toolbar_Entry& b = kToolbar[static_cast<std::size_t>(i)];
    Toolbar1.setToolTip(i + 1, chinese ? b.chn : b.eng);
  }
  (chinese ? Language_eng : Language_chn).setChecked(false);
  (chinese ? Language_chn : Language_eng).setChecked(true);
  for (const Menu_Caption& c : kMenuCaptions)
    if (c.chn) (this->*c.menu).setCaption(chinese ? c.chn : c.eng);
}

// --- commands ---------------------------------------------------------------

void MDImain::File_Open_Click() {
  if (Exchange_Refused(prog_, Waits_For_Exchange::File_Open) || Pending_Refused()) return;
  Reload(prog_, prog_.Form_open_chann);
}

void MDImain::File_save_Click() {
  if (Pending_Refused()) return;
  Reload(prog_, prog_.Form_save_chann);
}

void MDImain::File_exit_Click() {
  Exit_Program();
}

void MDImain::Band_Range_Click() {
  Reload(prog_, prog_.Form_type);
}

void MDImain::Channel_edit_Click() {
  Reload(prog_, prog_.frm_chann);
}

void MDImain::Optional_edit_Click() {
  Reload(prog_, prog_.frm_option);
}

void MDImain::Dtmf_edit_Click() {
  Reload(prog_, prog_.frm_dtmf);
}

void MDImain::Prog_read_Click() {
  if (Pending_Refused()) return;
  Reload(prog_, prog_.Form_Comm_Read);
}

void MDImain::Prog_write_Click() {
  if (Pending_Refused()) return;
  Reload(prog_, prog_.Form_Comm_Write);
}

void MDImain::Adj_Edit_Click() {
  prog_.frm_Adj_Txp.load();
}

void MDImain::PC_PassWord_Click() {
  Reload(prog_, prog_.Form_Write_PassWord);
}

void MDImain::proc_setup_Click() {
  prog_.Form_setup.load();
}

void MDImain::about_Click() {
  prog_.frmAbout.show();
}

void MDImain::Menu_Exit_Click() {
  Exit_Program();
}

void MDImain::Language_chn_Click() {
  Switch_Language(true);
}

void MDImain::Language_eng_Click() {
  Switch_Language(false);
}

void MDImain::Toolbar1_ButtonClick(const kit::ToolbarButton& button) {
  const std::string& key = button.key;
  if (key == "open") {
    File_Open_Click();
  } else if (key == "save") {
    File_save_Click();
  } else if (key == "edit_chann") {
    Channel_edit_Click();
  } else if (key == "read") {
    Prog_read_Click();
  } else if (key == "write") {
    Prog_write_Click();
  } else if (key == "exit") {
    Exit_Program();
  }
}

bool MDImain::Pending_Refused() {
  return !prog_.Exchange_Running() && !prog_.Commit_Pending();
}

void MDImain::Exit_Program() {
  if (Exchange_Refused(prog_, Waits_For_Exchange::Exit) || !prog_.Commit_Pending()) return;
  prog_.Form_type.unload();
  prog_.frm_chann.unload();
  prog_.frm_option.unload();
  prog_.frmAbout.unload();
  // The other children close with the main window, and so does the program.
  prog_.MDImain.unload();
}

void MDImain::Switch_Language(bool chinese) {
  // The reload rebuilds windows from the image: what was typed into them goes there first.
  if (Exchange_Refused(prog_, Waits_For_Exchange::Language_Switch) || !prog_.Commit_Pending())
    return;
  Shared_Data& d = prog_.data;
  const std::int16_t want = chinese ? kTrue : kFalse;
  if (d.Lang_Chn != want) {
    d.Lang_Chn = want;
    Set_Lang_Text(d);
  }
  prog_.platform.useChineseTexts(chinese);
  Caption_Commands(chinese);
  prog_.Set_Panel(1, chinese ? "状态" : "State");
  prog_.Set_Panel(4, chinese ? "版本" : "Version");
  prog_.Set_Panel(5, Version_Text);
  prog_.Set_Panel(6, chinese ? "频段" : "Band");
  prog_.Set_Panel(9, "");
  prog_.Set_Panel(10, "");
  prog_.Set_Panel(11, chinese ? Company_Chn : Company_Eng);
  setCaption(chinese ? Title_Chn : Title_Eng);
  Reload_Flagged_Windows(prog_);
}

// --- procedures nothing calls -------------------------------------------------

void MDImain::Load_Chann() {
  prog_.frm_chann.load();
}

void MDImain::Load_FM() {
  prog_.frm_chann.unload();
  prog_.frm_FM.load();
}

void MDImain::Load_Type() {
  prog_.Form_type.load();
}

void MDImain::Load_2tone() {
  prog_.frm_2tone.load();
}

void MDImain::Load_5tone() {
  prog_.frm_5tone.load();
}

void MDImain::Load_Dtmf() {
  prog_.frm_dtmf.load();
}

void MDImain::Load_Option() {
  prog_.frm_option.load();
}

void MDImain::Load_Unknown() {
  // It named a window that is not part of the program: there is nothing to
  // load.
}

}  // namespace j5
