// Exit, the language switch and a file dialog's confirm while an exchange with the radio is open
// (a window's transfer or the port window's identification): each is refused before anything is
// closed, changed, loaded or saved, with a message that names what was refused, and the exchange
// runs on to its end.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "data/defaults.h"
#include "editors/channels/frm_chann.h"
#include "editors/options/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "shell/file_dialogs.h"
#include "shell/param_file.h"
#include "support/radio_program.h"
#include "support/temp_dir.h"

namespace j5test {
namespace {

struct RefusedWhileBusy : Radio_Program {
  RefusedWhileBusy() : Radio_Program(sim::IdentForm::Ident14, true) {}

  // A whole read under way, in the language asked for.
  j5::Form_Comm_Read& Reading(bool chinese) {
    set_language(chinese);
    j5::Form_Comm_Read& w = program.Form_Comm_Read.load();
    d.click(w.Command_read);
    d.advance(500);
    EXPECT_TRUE(w.Link.Link_Busy());
    d.clearMessageBoxes();
    return w;
  }
  bool Read_Ended(const j5::Form_Comm_Read& w) {
    return d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 20000);
  }
};

// Exit from the menu, the File menu, the toolbar or the main window's close box: nothing is
// unloaded, not even the channel editor that Exit closes first.
TEST_F(RefusedWhileBusy, ExitLeavesEveryWindowAsItWas) {
  j5::MDImain& m = *program.MDImain;
  const struct {
    const char* way;
    std::function<void()> press;
  } ways[] = {
      {"Exit", [&] { d.click(m.Menu_Exit); }},
      {"File > Exit", [&] { d.click(m.File_exit); }},
      {"toolbar", [&] { d.clickToolbar(m.Toolbar1, "exit"); }},
      {"close box", [&] { program.MDImain.unload(); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    j5::Form_Comm_Read& read = Reading(true);
    ASSERT_TRUE(program.frm_chann.loaded());
    const j5::frm_chann* chann = &*program.frm_chann;
    w.press();
    EXPECT_EQ(box_texts(),
              std::vector<std::string>{"正在与对讲机进行读写操作，读写结束后才能退出 ！"});
    EXPECT_TRUE(program.MDImain.loaded());
    ASSERT_TRUE(program.frm_chann.loaded());
    EXPECT_EQ(&*program.frm_chann, chann);
    EXPECT_EQ(&*program.Form_Comm_Read, &read);
    ASSERT_TRUE(Read_Ended(read));
    EXPECT_EQ(d.lastMessageBox().text, "从对讲机中读取数据完毕 ！");
  }
  d.click(m.Menu_Exit);
  EXPECT_FALSE(program.MDImain.loaded());
}

// A value typed into a box and not yet left while an exchange runs: a close of its window is
// refused for the exchange before anything is committed (the main window's close box as Exit is,
// the window's own close box as its Close button is), so no range message shows, the box keeps
// what was typed and nothing is stored into the image under the exchange.
TEST_F(RefusedWhileBusy, ACloseIsRefusedForTheExchangeBeforeATypedValueIsCommitted) {
  const struct {
    const char* way;
    bool chinese, wholeRead, mainWindow;
    const char* refusal;
  } cases[] = {
      {"main close box, whole read", true, true, true,
       "正在与对讲机进行读写操作，读写结束后才能退出 ！"},
      {"main close box, the window's own read", false, false, true,
       "Read-write operating with transceiver; the program can be exited when it has ended."},
      {"the window's close box, its own read", true, false, false,
       "正在进行读写操作,请勿关窗口 ！,"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    set_language(c.chinese);
    j5::Transfer_Link* exchange = nullptr;
    if (c.wholeRead) exchange = &Reading(c.chinese).Transfer;
    d.click(program.MDImain->Optional_edit);
    j5::frm_option& w = *program.frm_option;
    if (!c.wholeRead) {
      w.Command_read.Click();
      d.advance(200);
      exchange = &w.Transfer;
    }
    ASSERT_TRUE(exchange->Busy());
    d.focus(w.Text_Freq_a);
    d.selectAll();
    d.type("999");
    d.clearMessageBoxes();
    const j5::MemImage before = data.Mem_Image;
    EXPECT_FALSE(d.close(c.mainWindow ? static_cast<kit::Form&>(*program.MDImain) : w));
    EXPECT_EQ(box_texts(), std::vector<std::string>{c.refusal});
    ASSERT_TRUE(program.frm_option.loaded());
    EXPECT_EQ(&*program.frm_option, &w);
    EXPECT_EQ(w.Text_Freq_a.text(), "999");
    EXPECT_EQ(data.Mem_Image, before);
    ASSERT_TRUE(d.advanceUntil([&] { return !exchange->Exchange_Open(); }, 30000));
    if (c.wholeRead) program.Form_Comm_Read.unload();
    d.focus(w.Command_def);
    program.frm_option.unload();
  }
}

// Either language entry, from either language: the language, the menu's check marks, the
// captions, the panels and the open windows stay as they were; the read completes in the
// language it began in.
TEST_F(RefusedWhileBusy, ALanguageSwitchIsRefusedBeforeAnythingChanges) {
  j5::MDImain& m = *program.MDImain;
  const struct {
    bool chinese;
    kit::Menu j5::MDImain::*entry;
    const char* refusal;
    const char* done;
    const char* cancel;
  } cases[] = {
      {true, &j5::MDImain::Language_eng, "正在与对讲机进行读写操作，读写结束后才能切换语言 ！",
       "从对讲机中读取数据完毕 ！", "取消"},
      {true, &j5::MDImain::Language_chn, "正在与对讲机进行读写操作，读写结束后才能切换语言 ！",
       "从对讲机中读取数据完毕 ！", "取消"},
      {false, &j5::MDImain::Language_chn,
       "Read-write operating with transceiver; the language can be switched when it has ended.",
       "Complete reading the data from transceiver.", "Cancel"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    // The menu as the last switch left it.
    d.click(c.chinese ? m.Language_chn : m.Language_eng);
    const std::string caption = m.caption(), panel1 = program.Panel(1), panel10 = "kept";
    program.Set_Panel(10, panel10);
    j5::Form_Comm_Read& read = Reading(c.chinese);
    const j5::frm_chann* chann = program.frm_chann.loaded() ? &*program.frm_chann : nullptr;
    d.click(m.*c.entry);
    EXPECT_EQ(box_texts(), std::vector<std::string>{c.refusal});
    EXPECT_EQ(data.Lang_Chn, c.chinese ? j5::kTrue : j5::kFalse);
    EXPECT_EQ(m.Language_chn.checked(), c.chinese);
    EXPECT_EQ(m.Language_eng.checked(), !c.chinese);
    EXPECT_EQ(m.caption(), caption);
    EXPECT_EQ(program.Panel(1), panel1);
    EXPECT_EQ(program.Panel(10), panel10);
    EXPECT_EQ(&*program.Form_Comm_Read, &read);
    EXPECT_EQ(read.Command_Cancel.caption(), c.cancel);
    if (chann) {
      EXPECT_EQ(&*program.frm_chann, chann);
    }
    ASSERT_TRUE(Read_Ended(read));
    EXPECT_EQ(box_texts(), (std::vector<std::string>{c.refusal, c.done}));
  }
}

constexpr const char* kOpenRefusal = "正在与对讲机进行读写操作，读写结束后才能打开文件 ！";
constexpr const char* kSaveRefusal = "正在与对讲机进行读写操作，读写结束后才能保存文件 ！";
constexpr const char* kOpenRefusalEng =
    "Read-write operating with transceiver; a file can be opened when it has ended.";
constexpr const char* kSaveRefusalEng =
    "Read-write operating with transceiver; a file can be saved when it has ended.";

// A parameter-file dialog opened before the exchange began and confirmed while it runs: refused,
// the dialog stays with its name, and the confirm after the exchange does what it would have done.
// A load under a write would show an image the radio does not get, one under a read would be
// overwritten in part when the read ends; a save under a read would mix the rows of two images.
TEST_F(RefusedWhileBusy, AParameterFileDialogIsConfirmedOnlyOnceTheExchangeHasEnded) {
  j5::test::TempDir dir;
  platform.setCurrentDirectory(dir.path());
  j5::MemImage file = data.Mem_Image;
  for (std::size_t r = 0; r < j5::kParamFileRows; ++r)
    for (std::size_t c = 0; c < 16; ++c) file(r, c) = static_cast<std::int16_t>((r + c) % 200);
  j5::test::writeFile(dir / "in.dat", j5::Param_File_Text(file));
  auto file_rows_loaded = [&] {
    for (std::size_t r = 0; r < j5::kParamFileRows; ++r)
      for (std::size_t c = 0; c < 16; ++c)
        if (data.Mem_Image(r, c) != file(r, c)) return false;
    return true;
  };

  j5::MDImain& m = *program.MDImain;
  const struct {
    bool open, writing, chinese;
  } cases[] = {
      {true, true, true},
      {true, false, false},
      {false, false, true},
      {false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.open ? "open" : "save") +
                 (c.writing ? " during a write" : " during a read"));
    set_language(c.chinese);
    j5::Init_Factory_Image(data);
    std::remove((dir / "out.dat").c_str());
    d.click(c.open ? m.File_Open : m.File_save);
    j5::File_Dialog& dlg = c.open ? *program.Form_open_chann : *program.Form_save_chann;
    dlg.Text1.setText(c.open ? "in.dat" : "out.dat");

    j5::Transfer_Link* transfer = nullptr;
    if (c.writing) {
      j5::Form_Comm_Write& w = program.Form_Comm_Write.load();
      transfer = &w.Transfer;
      d.click(w.Command_Write);
    } else {
      j5::Form_Comm_Read& w = program.Form_Comm_Read.load();
      transfer = &w.Transfer;
      d.click(w.Command_read);
    }
    const j5::MemImage start = data.Mem_Image;
    d.advance(1000);
    ASSERT_TRUE(transfer->Busy());
    d.clearMessageBoxes();
    d.click(dlg.Command_enter);
    const char* refusal = c.open ? (c.chinese ? kOpenRefusal : kOpenRefusalEng)
                                 : (c.chinese ? kSaveRefusal : kSaveRefusalEng);
    EXPECT_EQ(box_texts(), std::vector<std::string>{refusal});
    const bool stays = (c.open ? program.Form_open_chann : program.Form_save_chann).loaded();
    EXPECT_TRUE(stays);
    if (!stays) {
      ASSERT_TRUE(d.advanceUntil([&] { return !transfer->Exchange_Open(); }, 30000));
      continue;
    }
    EXPECT_EQ(dlg.Text1.text(), c.open ? "in.dat" : "out.dat");
    EXPECT_FALSE(file_rows_loaded());
    ASSERT_TRUE(d.advanceUntil([&] { return !transfer->Exchange_Open(); }, 30000));
    EXPECT_EQ(box_texts().size(), 2u);
    if (c.writing) {
      EXPECT_EQ(data.Mem_Image, start);
    }
    const j5::MemImage ended = data.Mem_Image;

    d.click(dlg.Command_enter);
    EXPECT_FALSE((c.open ? program.Form_open_chann : program.Form_save_chann).loaded());
    if (c.open) {
      EXPECT_TRUE(file_rows_loaded());
    } else {
      EXPECT_EQ(j5::test::readFile(dir / "out.dat"), j5::Param_File_Text(ended));
    }
    (c.writing ? program.Form_Comm_Write.unload() : program.Form_Comm_Read.unload());
  }
}

// The six dialogs that raise a request for an editor: confirmed while an exchange runs, they are
// refused as the parameter-file dialogs are, raise nothing and stay; once it has ended they raise
// their request and close.
TEST_F(RefusedWhileBusy, AnEditorsFileDialogRaisesNoRequestWhileAnExchangeRuns) {
  using Slot = kit::FormSlot<j5::File_Dialog> j5::Program::*;
  using Flag = std::int16_t j5::Shared_Data::*;
  const struct {
    Slot dialog;
    Flag request;
    const char* name;
    const char* refusal;
  } cases[] = {
      {&j5::Program::Form_open_adj, &j5::Shared_Data::Open_Adj_Req, "a.adj", kOpenRefusal},
      {&j5::Program::Form_save_adj, &j5::Shared_Data::Save_Adj_Req, "a.adj", kSaveRefusal},
      {&j5::Program::Form_open_menu, &j5::Shared_Data::Open_File_Req, "a.dat", kOpenRefusal},
      {&j5::Program::Form_save_menu, &j5::Shared_Data::Save_File_Req, "a.dat", kSaveRefusal},
      {&j5::Program::Form_open_sig, &j5::Shared_Data::Open_File_Req, "a.dat", kOpenRefusal},
      {&j5::Program::Form_save_sig, &j5::Shared_Data::Save_File_Req, "a.dat", kSaveRefusal},
  };
  j5::Form_Comm_Read& read = Reading(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    j5::File_Dialog& dlg = (program.*c.dialog).load();
    dlg.show();
    dlg.Text1.setText(c.name);
    d.clearMessageBoxes();
    d.click(dlg.Command_enter);
    EXPECT_EQ(box_texts(), std::vector<std::string>{c.refusal});
    EXPECT_EQ(data.*c.request, j5::kFalse);
    EXPECT_TRUE((program.*c.dialog).loaded());
  }
  ASSERT_TRUE(Read_Ended(read));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    data.*c.request = j5::kFalse;
    d.click((program.*c.dialog)->Command_enter);
    EXPECT_EQ(data.*c.request, j5::kTrue);
    EXPECT_FALSE((program.*c.dialog).loaded());
  }
}

// What the user may do while the radio is being identified, and the refusal each gets.
struct Step_Under_Exchange {
  const char* name;
  std::function<void(j5::Program&, kit::Driver&)> press;
  const char* refusal;
};
const Step_Under_Exchange kStepsUnderIdentification[] = {
    {"Language > English", [](j5::Program& p, kit::Driver& d) { d.click(p.MDImain->Language_eng); },
     "正在与对讲机进行读写操作，读写结束后才能切换语言 ！"},
    {"Exit", [](j5::Program& p, kit::Driver& d) { d.click(p.MDImain->Menu_Exit); },
     "正在与对讲机进行读写操作，读写结束后才能退出 ！"},
    {"File > Open", [](j5::Program& p, kit::Driver& d) { d.click(p.MDImain->File_Open); },
     kOpenRefusal},
    {"a save confirmed",
     [](j5::Program& p, kit::Driver& d) {
       d.click(p.MDImain->File_save);
       p.Form_save_chann->Text1.setText("a.dat");
       d.click(p.Form_save_chann->Command_enter);
     },
     kSaveRefusal},
};

// The port window's identification with a radio that takes 800 ms over each answer: what would
// close or reload the window, or load or save a file, is refused; the identification ends with
// its bands and panels set and the window closes by itself.
TEST(Identifications, ThePortWindowsIsAnExchange) {
  for (const auto& step : kStepsUnderIdentification) {
    SCOPED_TRACE(step.name);
    Program_On_Line p(sim::IdentForm::Ident8, true);
    j5::test::TempDir dir;
    p.platform.setCurrentDirectory(dir.path());
    p.radio.config().replyDelay = 800'000;
    j5::Form_setup& w = p.program.Form_setup.load();
    p.d.click(w.Command_ok);
    p.d.advance(500);
    step.press(p.program, p.d);
    EXPECT_EQ(p.box_texts(), std::vector<std::string>{step.refusal});
    const bool kept = p.program.MDImain.loaded() && p.program.Form_setup.loaded();
    EXPECT_TRUE(kept);
    if (!kept) continue;
    EXPECT_EQ(&*p.program.Form_setup, &w);
    EXPECT_TRUE(p.d.advanceUntil([&] { return !p.program.Form_setup.loaded(); }, 5000));
    EXPECT_EQ(p.program.Panel(2), "与对讲机连接正常");
    EXPECT_EQ(p.program.Panel(7), "VHF: 136-- 174 MHZ");
    EXPECT_EQ(p.program.Panel(8), "UHF: 400-- 520 MHZ");
    EXPECT_EQ(p.data.UHF0_High, 520);
    EXPECT_EQ(p.box_texts().size(), 1u);
  }
}

// The start-up's identification stores nothing of the image, so nothing waits for it. With the
// same slow radio: the language switches (the outcome in panel 2 takes the new language), a file
// opens and saves, the port window tries the port the identification holds and is told so, and
// the program ends at once, after which the line stays quiet and the program goes safely.
TEST(Identifications, TheStartUpsHoldsNothingBack) {
  const struct {
    const char* name;
    std::function<void(j5::Program&, kit::Driver&)> press;
    const char* message;  // "" for none
    const char* outcome;  // panel 2 once the identification is over; nullptr: the program ended
  } steps[] = {
      {"Language > English",
       [](j5::Program& p, kit::Driver& d) { d.click(p.MDImain->Language_eng); }, "",
       "Connect well with radio."},
      {"File > Open",
       [](j5::Program& p, kit::Driver& d) {
         d.click(p.MDImain->File_Open);
         EXPECT_TRUE(p.Form_open_chann.loaded());
       },
       "", "与对讲机连接正常"},
      {"a save confirmed",
       [](j5::Program& p, kit::Driver& d) {
         d.click(p.MDImain->File_save);
         p.Form_save_chann->Text1.setText("a.dat");
         d.click(p.Form_save_chann->Command_enter);
         EXPECT_FALSE(p.Form_save_chann.loaded());
       },
       "参数保存完毕 ！", "与对讲机连接正常"},
      {"the port window on the same port",
       [](j5::Program& p, kit::Driver& d) { d.click(p.Form_setup.load().Command_ok); },
       "通讯端口打开错误，请正确设置通讯端口 ！", "与对讲机连接正常"},
      {"Exit", [](j5::Program& p, kit::Driver& d) { d.click(p.MDImain->Menu_Exit); }, "", nullptr},
      {"the close box", [](j5::Program& p, kit::Driver& d) { d.close(*p.MDImain); }, "", nullptr},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    kit::HeadlessPlatform platform;
    j5::test::TempDir dir;
    platform.setCurrentDirectory(dir.path());
    Sim_Device device;
    device.radio.config().replyDelay = 800'000;
    device.attach(platform, 1);
    auto program = std::make_unique<j5::Program>(platform);
    kit::Driver d{platform};
    program->MDImain.load();
    d.advance(500);
    step.press(*program, d);
    std::vector<std::string> texts;
    for (const auto& box : d.messageBoxes()) texts.push_back(box.text);
    EXPECT_EQ(texts,
              *step.message ? std::vector<std::string>{step.message} : std::vector<std::string>{});
    EXPECT_EQ(program->MDImain.loaded(), step.outcome != nullptr);
    if (!step.outcome) {
      d.advance(5000);
      EXPECT_TRUE(To_Radio(device.radio, sim::FrameKind::Stx).empty());
      EXPECT_TRUE(d.messageBoxes().empty());
      program.reset();
      d.advance(5000);
      continue;
    }
    d.advance(5000);
    EXPECT_EQ(program->Panel(2), step.outcome);
    EXPECT_EQ(program->Panel(7), "VHF: 136-- 174 MHZ");
    EXPECT_EQ(program->data.UHF1_High, 260);
    EXPECT_EQ(d.messageBoxes().size(), texts.size());
  }
}

// The port window left open while a whole read began: its confirm is refused before the port or
// a panel changes, and the window stays for a confirm once the exchange has ended.
TEST(PortWindow, ItsConfirmWaitsForAnExchangeThatRuns) {
  Program_On_Line p(sim::IdentForm::Ident14, true);
  p.d.click(p.program.Form_Comm_Read.load().Command_read);
  p.d.advance(500);
  ASSERT_TRUE(p.program.Exchange_Running());
  const std::string panel2 = p.program.Panel(2), panel3 = p.program.Panel(3);
  j5::Form_setup& w = p.program.Form_setup.load();
  p.d.click(w.Option_Port[1]);
  p.d.clearMessageBoxes();
  p.d.click(w.Command_ok);
  EXPECT_EQ(p.box_texts(),
            std::vector<std::string>{"正在与对讲机进行读写操作，读写结束后才能设置端口 ！"});
  EXPECT_EQ(p.data.Comm_Port, 1);
  EXPECT_EQ(p.program.Panel(2), panel2);
  EXPECT_EQ(p.program.Panel(3), panel3);
  ASSERT_TRUE(p.program.Form_setup.loaded());
  ASSERT_TRUE(p.d.advanceUntil([&] { return !p.program.Exchange_Running(); }, 30000));
  EXPECT_EQ(p.program.Panel(7), "VHF: 136-- 174 MHZ");
  p.radio.config().replyDelay = 0;
  p.d.click(w.Option_Port[0]);
  p.d.clearMessageBoxes();
  p.d.click(w.Command_ok);
  EXPECT_TRUE(p.d.advanceUntil([&] { return !p.program.Form_setup.loaded(); }, 5000));
  EXPECT_EQ(p.program.Panel(2), "与对讲机连接正常");
  EXPECT_TRUE(p.box_texts().empty());
}

}  // namespace
}  // namespace j5test
