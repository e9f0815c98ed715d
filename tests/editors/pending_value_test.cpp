// A value typed into a box or cell and not yet stored (its box or cell not left, no Enter) is
// stored, as leaving it stores it, before anything takes the windows' values, replaces them (a
// read, the defaults, a file opened) or closes or rebuilds a window: the file, the radio and the
// rebuilt window get what the user typed, and nothing typed lands on what a read or a file brought
// when the user goes on. A value that leaving refuses stops the action with the same message, and
// nothing is saved, sent, read or rebuilt. An editor's own exchange takes its own window's value
// alone.
//
// Each case is played three times: once as the user leaves the box or cell first and then acts
// (what the program must match), once with the action straight after typing, and once with nothing
// typed (to see that the typed value itself reaches the file, the radio or the image, or that it
// is gone under what replaced it). The actions run by paths that leave the focus where it is
// wherever the program has one (a menu entry or its shortcut, the window's close box, a button's
// handler run as code runs it), so only the commit before the action can store the value.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

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
#include "platform/runtime.h"
#include "shell/file_dialogs.h"
#include "support/radio_program.h"
#include "support/temp_dir.h"

namespace j5test {
namespace {

using j5::File_Dialog;
constexpr const char* kNoFile = "(no file)";

// The program, the radio and a directory for files; the option copies are opened as a test must
// (nothing in the program opens them).
struct P : Program_On_Line {
  j5::test::TempDir dir;
  kit::FormSlot<j5::frm_Adj_Tune> tune{
      [this] { return std::make_unique<j5::frm_Adj_Tune>(program); }};
  kit::FormSlot<j5::frm_Adj_Mod> mod{[this] { return std::make_unique<j5::frm_Adj_Mod>(program); }};

  explicit P(sim::IdentForm form) : Program_On_Line(form, true) {
    platform.setCurrentDirectory(dir.path());
  }
  template <class T>
  T& open(kit::FormSlot<T>& slot) {
    T& w = slot.load();
    d.runUntilIdle();
    return w;
  }
  // Types over the whole text of the box that has the focus.
  void retype(const std::string& text) {
    d.selectAll();
    d.del();
    d.type(text);
  }
  // A file dialog shown with a name typed into it.
  void name_file(File_Dialog& dlg, const std::string& name) {
    dlg.show();
    d.runUntilIdle();
    d.focus(dlg.Text1);
    retype(name);
  }
  std::string file_text(const std::string& name) const {
    const std::string path = dir / name;
    return std::filesystem::exists(path) ? j5::test::readFile(path) : kNoFile;
  }
  bool radio_written() const {
    return !toRadio(sim::FrameKind::DataFrame).empty() ||
           !toRadio(sim::FrameKind::ShortRowFrame).empty();
  }
  bool radio_read() const { return !toRadio(sim::FrameKind::ReadRequest).empty(); }
  void until_exchange_ended() {
    EXPECT_TRUE(d.advanceUntil([&] { return !program.Exchange_Running(); }, 60000));
    d.advance(3000);  // a window that closes after its write has done so
  }
};

// A window the cases type into: how the radio answers its own exchange, how the user opens it,
// and its own file (the save or the open dialog shown with a name typed into it).
struct Window_Kind {
  sim::IdentForm form;
  sim::IdentForm own_form;  // the window's own read and write
  std::function<kit::Form&(P&)> open;
  std::function<kit::Form*(P&)> current;
  std::function<void(P&)> name_file;
  std::function<void(P&)> name_open;
  const char* file;
};

template <class T>
Window_Kind Menu_Window(kit::Menu j5::MDImain::*entry, kit::FormSlot<T> j5::Program::*slot) {
  return {sim::IdentForm::Ident14,
          sim::IdentForm::Ident8,
          [=](P& p) -> kit::Form& {
            p.d.click((*p.program.MDImain).*entry);
            return *(p.program.*slot).get();
          },
          [=](P& p) -> kit::Form* { return (p.program.*slot).get(); },
          [](P& p) {
            p.d.shortcut(*p.program.MDImain, "Ctrl+S");
            p.name_file(*p.program.Form_save_chann, "p.dat");
          },
          [](P& p) {
            p.d.shortcut(*p.program.MDImain, "Ctrl+O");
            p.name_file(*p.program.Form_open_chann, "p.dat");
          },
          "p.dat"};
}

// slot(p) is the window's slot; first runs before it opens.
template <class Slot_Of>
Window_Kind Own_Window(sim::IdentForm form, Slot_Of slot,
                       kit::FormSlot<File_Dialog> j5::Program::*save,
                       kit::FormSlot<File_Dialog> j5::Program::*open, const char* file,
                       std::function<void(P&)> first = {}) {
  return {form,
          form,
          [=](P& p) -> kit::Form& {
            if (first) first(p);
            return p.open(slot(p));
          },
          [=](P& p) -> kit::Form* { return slot(p).get(); },
          [=](P& p) { p.name_file(p.open(p.program.*save), file); },
          [=](P& p) { p.name_file(p.open(p.program.*open), file); },
          file};
}

// One value typed into a window and left waiting.
struct Pending {
  std::string what;
  Window_Kind window;
  // Types `text` (nothing when empty) and leaves it waiting; leaves the box or cell as a user does;
  // what the window shows of the value.
  std::function<void(P&, kit::Form&, const std::string&)> type;
  std::function<void(P&, kit::Form&)> leave;
  std::function<std::string(kit::Form&)> shown;
  const char* good;
  const char* refused;  // nullptr: the window takes anything
  bool in_file = true;  // the window's file holds the value
};

template <class W>
void Show_Page(P& p, W& w, int tab) {
  if constexpr (requires { w.TabStrip1; }) {
    if (tab > 0) p.d.clickTab(w.TabStrip1, tab);
  }
}

// Grid cell (row, col) on page `tab` (0: the page shown), typed into or picked from its list (a
// pick: `good` is the item's index); left for the cell below, where no editor opens.
template <class W>
Pending Cell(const char* what, const Window_Kind& k, kit::Grid W::*grid, int row, int col, int tab,
             const char* good, const char* refused, kit::ComboBox W::*list = nullptr) {
  return {what,
          k,
          [=](P& p, kit::Form& f, const std::string& t) {
            W& w = static_cast<W&>(f);
            Show_Page(p, w, tab);
            p.d.clickCell(w.*grid, row, col);
            if (t.empty()) return;
            if (list) {
              p.d.pick(w.*list, std::stoi(t));
            } else {
              p.retype(t);
            }
          },
          [=](P& p, kit::Form& f) {
            p.d.focus(static_cast<W&>(f).*grid);
            p.d.arrow(kit::Arrow::Down);
          },
          [=](kit::Form& f) { return (static_cast<W&>(f).*grid).textMatrix(row, col); },
          good,
          refused};
}

// A box on page `tab`, left for the control `away`.
template <class W, class Button>
Pending Box(const char* what, const Window_Kind& k, std::function<kit::TextBox&(W&)> box, int tab,
            Button away, const char* good, const char* refused) {
  return {what,
          k,
          [=](P& p, kit::Form& f, const std::string& t) {
            W& w = static_cast<W&>(f);
            Show_Page(p, w, tab);
            p.d.focus(box(w));
            if (!t.empty()) p.retype(t);
          },
          [=](P& p, kit::Form& f) { p.d.focus(static_cast<W&>(f).*away); },
          [=](kit::Form& f) { return box(static_cast<W&>(f)).text(); },
          good,
          refused};
}

// A value the window's file does not keep (the signal file holds nine rows of a block).
Pending Not_In_File(Pending c) {
  c.in_file = false;
  return c;
}

template <class W>
std::function<kit::TextBox&(W&)> Member(kit::TextBox W::*box) {
  return [box](W& w) -> kit::TextBox& { return w.*box; };
}

// The windows whose values live in the image: the parameter file, the whole write, the language
// switch and every way of closing a window.
std::vector<Pending> Image_Windows() {
  using j5::frm_chann;
  const Window_Kind chann = Menu_Window(&j5::MDImain::Channel_edit, &j5::Program::frm_chann);
  const Window_Kind option = Menu_Window(&j5::MDImain::Optional_edit, &j5::Program::frm_option);
  const Window_Kind dtmf = Menu_Window(&j5::MDImain::Dtmf_edit, &j5::Program::frm_dtmf);
  return {
      Cell("channel receive frequency", chann, &frm_chann::MSF_Chann, 1, frm_chann::kColRx, 0,
           "150.5", "50"),
      Cell("channel tone typed into its list", chann, &frm_chann::MSF_Chann, 1, frm_chann::kColDec,
           0, "88.5", nullptr),
      Box("option frequency", option, Member(&j5::frm_option::Text_Freq_a), 0,
          &j5::frm_option::Command_def, "146.5", "50"),
      Box<j5::frm_dtmf>(
          "DTMF encode group", dtmf,
          [](j5::frm_dtmf& w) -> kit::TextBox& { return w.Text_tx_Encode[2]; }, 0,
          &j5::frm_dtmf::Command_def, "777", nullptr),
  };
}

// The windows that keep their values to themselves: their own write and their own file.
std::vector<Pending> Own_Transfer_Windows() {
  using j5::frm_2tone, j5::frm_5tone, j5::frm_FM, j5::Option_Copy_Window;
  const Window_Kind fm = Own_Window(
      sim::IdentForm::Ident8Dec, [](P & p) -> auto& { return p.program.frm_FM; },
      &j5::Program::Form_save_adj, &j5::Program::Form_open_adj, "f.adj",
      [](P& p) {
        p.data.Band_A_Low = 136, p.data.Band_A_High = 175;
        p.data.Band_B_Low = 400, p.data.Band_B_High = 480;
      });
  const Window_Kind two = Own_Window(
      sim::IdentForm::Ident50, [](P & p) -> auto& { return p.program.frm_2tone; },
      &j5::Program::Form_save_sig, &j5::Program::Form_open_sig, "s.dat");
  const Window_Kind five = Own_Window(
      sim::IdentForm::Ident50, [](P & p) -> auto& { return p.program.frm_5tone; },
      &j5::Program::Form_save_sig, &j5::Program::Form_open_sig, "s.dat");
  const Window_Kind adj = Own_Window(
      sim::IdentForm::Ident14, [](P & p) -> auto& { return p.program.frm_Adj_Txp; },
      &j5::Program::Form_save_adj, &j5::Program::Form_open_adj, "f.adj");
  // The copies' first frequency lies in this band; the radio reports it too when read.
  auto vhf = [](P& p) {
    p.data.VHF_Low = 130, p.data.VHF_High = 179;
    p.radio.config().bands.vhfLow = 130, p.radio.config().bands.vhfHigh = 179;
  };
  const Window_Kind tune = Own_Window(
      sim::IdentForm::Ident8Dec, [](P & p) -> auto& { return p.tune; },
      &j5::Program::Form_save_menu, &j5::Program::Form_open_menu, "c.dat", vhf);
  const Window_Kind mod = Own_Window(
      sim::IdentForm::Ident8Dec, [](P & p) -> auto& { return p.mod; }, &j5::Program::Form_save_menu,
      &j5::Program::Form_open_menu, "c.dat", vhf);
  return {
      // The FM file leaves out the first channel.
      Cell("FM channel frequency", fm, &frm_FM::MSF_Chann, 2, 1, 0, "99.5", "50"),
      Box("FM band limit", fm, Member(&frm_FM::Text_pvfo1_A), 0, &frm_FM::Command_Clear, "140",
          "1"),
      Cell("two-tone encode tone", two, &frm_2tone::MSF_Encode, 1, 1, 0, "1500", "5"),
      Not_In_File(Cell("two-tone decode pair picked", two, &frm_2tone::MSF_Decode, 3, 1, 2, "1",
                       nullptr, &frm_2tone::Combo_Decode)),
      Not_In_File(Box("two-tone decode tone", two, Member(&frm_2tone::Text_A), 2,
                      &frm_2tone::Command_def, "1200", "5")),
      Not_In_File(
          Cell("five-tone encode code", five, &frm_5tone::MSF_Encode, 1, 1, 2, "54321", "12")),
      Not_In_File(Cell("five-tone standard period picked", five, &frm_5tone::MSF_Chann, 2, 1, 0,
                       "3", nullptr, &frm_5tone::Combo_edit)),
      Box<j5::frm_Adj_Txp>(
          "adjustment band limit", adj,
          [](j5::frm_Adj_Txp& w) -> kit::TextBox& { return w.Text_Freq_L[0]; }, 5,
          &j5::frm_Adj_Txp::Command_def, "135", "1"),
      Box("option copy (tune)", tune, Member(&Option_Copy_Window::Text_Freq_a), 0,
          &Option_Copy_Window::Command_def, "150", "50"),
      Box("option copy (modulation)", mod, Member(&Option_Copy_Window::Text_Freq_a), 0,
          &Option_Copy_Window::Command_def, "150", "50"),
  };
}

// What the user and the radio can see afterwards.
struct Outcome {
  j5::MemImage image;
  sim::Memory radio;
  std::string file;
  std::vector<std::string> boxes;
  // What the window shows of the value, without the blanks some boxes put before it when left.
  std::string shown;
  std::string shown_before;  // before the user typed
  bool ran = false;
};

// Where the typed value must show, against the same action with nothing typed. After a read, or
// anything else that replaces the values, the image holds what that brought, as if nothing had been
// typed; an editor's own read and its defaults show it too (the whole read leaves the windows as
// they were).
enum class Reach { File, Radio, Image, Replaced_In_Image, Replaced_In_Window };

bool Reached(Reach r, const Pending& c, const Outcome& typed, const Outcome& untouched) {
  switch (r) {
    case Reach::File:
      return !c.in_file || typed.file != untouched.file;
    case Reach::Radio:
      return !(typed.radio == untouched.radio);
    case Reach::Image:
      return !(typed.image == untouched.image);
    case Reach::Replaced_In_Image:
      return typed.image == untouched.image;
    case Reach::Replaced_In_Window:
      return typed.image == untouched.image && typed.shown == untouched.shown;
  }
  return false;
}

struct Action {
  const char* what;
  std::function<void(P&, const Pending&)> before;  // what the user does before typing
  std::function<void(P&, const Pending&, kit::Form&)> run;
  std::function<bool(P&, const Pending&, kit::Form&)> ran;
  Reach reach;
  bool reopen = false;  // the window is opened again to see what it shows
  bool own = false;     // the window's own exchange: the radio answers in its form
};

// text empty: the box or cell is gone to, and nothing typed.
Outcome Play(const Pending& c, const Action& a, const std::string& text, bool leaveFirst) {
  P p(a.own ? c.window.own_form : c.window.form);
  kit::Form& w = c.window.open(p);
  a.before(p, c);
  p.d.activate(w);
  Outcome out;
  out.shown_before = j5::rt::Trim(c.shown(w));
  c.type(p, w, text);
  if (leaveFirst) c.leave(p, w);
  a.run(p, c, w);
  out.ran = a.ran(p, c, w);
  if (a.reopen && p.program.MDImain.loaded()) c.window.open(p);
  out.image = p.data.Mem_Image;
  out.radio = p.radio.memory();
  out.file = p.file_text(c.window.file);
  out.boxes = p.box_texts();
  if (kit::Form* now = c.window.current(p)) out.shown = j5::rt::Trim(c.shown(*now));
  return out;
}

// The window's button of that name (found first: a Close click destroys the window).
kit::CommandButton& Button(kit::Form& w, const std::string& name) {
  for (kit::Control* b : w.controls())
    if (b->name() == name) return static_cast<kit::CommandButton&>(*b);
  throw std::invalid_argument("no button " + name);
}

std::vector<Action> Image_Actions() {
  auto nothing = [](P&, const Pending&) {};
  auto gone = [](P& p, const Pending& c, kit::Form& w) { return c.window.current(p) != &w; };
  return {
      {"File > Save", [](P& p, const Pending& c) { c.window.name_file(p); },
       [](P& p, const Pending&, kit::Form&) {
         p.d.click(p.program.Form_save_chann->Command_enter);
       },
       [](P& p, const Pending& c, kit::Form&) { return p.file_text(c.window.file) != kNoFile; },
       Reach::File},
      {"whole write", [](P& p, const Pending&) { p.d.shortcut(*p.program.MDImain, "Ctrl+W"); },
       [](P& p, const Pending&, kit::Form&) {
         p.d.click(p.program.Form_Comm_Write->Command_Write);
         p.until_exchange_ended();
       },
       [](P& p, const Pending&, kit::Form&) { return p.radio_written(); }, Reach::Radio},
      {"Language > English", nothing,
       [](P& p, const Pending&, kit::Form&) { p.d.click(p.program.MDImain->Language_eng); },
       [gone](P& p, const Pending& c, kit::Form& w) {
         return p.data.Lang_Chn == j5::kFalse && gone(p, c, w);
       },
       Reach::Image},
      {"Edit menu", nothing, [](P& p, const Pending& c, kit::Form&) { c.window.open(p); }, gone,
       Reach::Image},
      {"Close button", nothing,
       [](P& p, const Pending&, kit::Form& w) { p.d.click(Button(w, "Command_close")); }, gone,
       Reach::Image, true},
      {"close box", nothing, [](P& p, const Pending&, kit::Form& w) { p.d.close(w); }, gone,
       Reach::Image, true},
      {"Exit", nothing,
       [](P& p, const Pending&, kit::Form&) { p.d.click(p.program.MDImain->Menu_Exit); },
       [](P& p, const Pending&, kit::Form&) { return !p.program.MDImain.loaded(); }, Reach::Image},
  };
}

// Starts a read, waits for its end, then the user's next click in the window leaves the box or
// cell (a read that the value refused is not followed by one).
void Read_Then_Leave(P& p, const Pending& c, kit::Form& w, const std::function<void()>& start) {
  start();
  p.until_exchange_ended();
  if (p.radio_read()) c.leave(p, w);
}

const Action kWholeRead{
    "whole read", [](P& p, const Pending&) { p.d.shortcut(*p.program.MDImain, "Ctrl+R"); },
    [](P& p, const Pending& c, kit::Form& w) {
      Read_Then_Leave(p, c, w, [&p] { p.d.click(p.program.Form_Comm_Read->Command_read); });
    },
    [](P& p, const Pending&, kit::Form&) { return p.radio_read(); }, Reach::Replaced_In_Image};

// The windows' own Read and Write buttons are not all shown: the handlers run as code runs them.
std::vector<Action> Own_Transfers() {
  return {
      {"own write", [](P&, const Pending&) {},
       [](P& p, const Pending&, kit::Form& w) {
         Button(w, "Command_Write").Click();
         p.until_exchange_ended();
       },
       [](P& p, const Pending&, kit::Form&) { return p.radio_written(); }, Reach::Radio, false,
       true},
      // The radio holds what the window shows, so that the read brings back values it takes.
      {"own read",
       [](P& p, const Pending& c) {
         Button(*c.window.current(p), "Command_Write").Click();
         p.until_exchange_ended();
         p.radio.clearLog();
         p.d.clearMessageBoxes();
       },
       [](P& p, const Pending& c, kit::Form& w) {
         Read_Then_Leave(p, c, w, [&w] { Button(w, "Command_read").Click(); });
       },
       [](P& p, const Pending&, kit::Form&) { return p.radio_read(); }, Reach::Replaced_In_Window,
       false, true},
  };
}

// OK in the file dialog that is open.
void Confirm_File(P& p) {
  for (auto slot :
       {&j5::Program::Form_save_adj, &j5::Program::Form_save_sig, &j5::Program::Form_save_menu,
        &j5::Program::Form_open_adj, &j5::Program::Form_open_sig, &j5::Program::Form_open_menu,
        &j5::Program::Form_save_chann, &j5::Program::Form_open_chann})
    if (File_Dialog* dlg = (p.program.*slot).get()) p.d.click(dlg->Command_enter);
  p.d.advance(1000);  // an editor takes its request on its timer
}

const Action kOwnFile{
    "own file", [](P& p, const Pending& c) { c.window.name_file(p); },
    [](P& p, const Pending&, kit::Form&) { Confirm_File(p); },
    [](P& p, const Pending& c, kit::Form&) { return p.file_text(c.window.file) != kNoFile; },
    Reach::File};

// The window's file, saved before anything is typed, is opened again, and the user goes on in the
// window (the one the file opened, where it is made anew).
const Action kFileOpen{
    "file open",
    [](P& p, const Pending& c) {
      c.window.name_file(p);
      Confirm_File(p);
      p.d.clearMessageBoxes();
    },
    [](P& p, const Pending& c, kit::Form&) {
      c.window.name_open(p);
      Confirm_File(p);
      if (kit::Form* now = c.window.current(p)) c.leave(p, *now);
    },
    [](P& p, const Pending& c, kit::Form&) { return p.file_text(c.window.file) != kNoFile; },
    Reach::Replaced_In_Window};

// The factory values replace the window's, and the user goes on in the window.
const Action kDefaults{"Default button", [](P&, const Pending&) {},
                       [](P& p, const Pending& c, kit::Form& w) {
                         p.d.click(Button(w, "Command_def"));
                         c.leave(p, w);
                       },
                       [](P&, const Pending&, kit::Form&) { return true; },
                       Reach::Replaced_In_Window};

// Every action on a window whose values live in the image, reads among them.
std::vector<Action> Image_Window_Actions() {
  std::vector<Action> out = Image_Actions();
  out.push_back(kWholeRead);
  for (const Action& a : Own_Transfers()) out.push_back(a);
  return out;
}

std::vector<Action> Own_Window_Actions() {
  std::vector<Action> out = Own_Transfers();
  out.push_back(kOwnFile);
  return out;
}

void Expect_As_Left_First(const std::vector<Pending>& cases, const std::vector<Action>& actions) {
  for (const Pending& c : cases) {
    for (const Action& a : actions) {
      SCOPED_TRACE(c.what + ", " + a.what);
      const Outcome left = Play(c, a, c.good, true);
      const Outcome pending = Play(c, a, c.good, false);
      const Outcome untouched = Play(c, a, "", false);
      ASSERT_TRUE(left.ran);
      ASSERT_TRUE(Reached(a.reach, c, left, untouched));
      // The window took the value (unless what the action brought replaced it).
      const bool replaced =
          a.reach == Reach::Replaced_In_Image || a.reach == Reach::Replaced_In_Window;
      if (!left.shown.empty() && !replaced) {
        ASSERT_NE(left.shown, left.shown_before);
      }
      EXPECT_TRUE(pending.ran);
      EXPECT_TRUE(pending.image == left.image);
      EXPECT_TRUE(pending.radio == left.radio);
      EXPECT_EQ(pending.file, left.file);
      EXPECT_EQ(pending.boxes, left.boxes);
      EXPECT_EQ(pending.shown, left.shown);
      EXPECT_TRUE(Reached(a.reach, c, pending, untouched));
    }
  }
}

// What the user does before the action, then nothing but leaving the box or cell.
Action Leave_Only(const Action& a) {
  return {"",
          a.before,
          [](P&, const Pending&, kit::Form&) {},
          [](P&, const Pending&, kit::Form&) { return false; },
          a.reach,
          false,
          a.own};
}

void Expect_Refusal_Stops(const std::vector<Pending>& cases, const std::vector<Action>& actions) {
  for (const Pending& c : cases) {
    if (!c.refused) continue;
    for (const Action& a : actions) {
      SCOPED_TRACE(c.what + ", " + a.what);
      // Leaving shows the message and keeps or replaces the value, and nothing more happens.
      const Outcome left = Play(c, Leave_Only(a), c.refused, true);
      const Outcome pending = Play(c, a, c.refused, false);
      ASSERT_EQ(left.boxes.size(), 1u);
      EXPECT_FALSE(pending.ran);
      EXPECT_EQ(pending.boxes, left.boxes);
      EXPECT_TRUE(pending.image == left.image);
      EXPECT_TRUE(pending.radio == left.radio);
      EXPECT_EQ(pending.file, kNoFile);
      EXPECT_EQ(pending.shown, left.shown);
    }
  }
}

// An editor opened over a cell and left as it came holds nothing to commit, even where leaving
// would refuse what the cell shows (a frequency outside the bands the radio reported): every
// action runs with no range message and the channel stays as it was.
void Expect_Nothing_Typed_Nothing_Committed(const std::vector<Action>& actions) {
  using j5::frm_chann;
  const Window_Kind chann = Menu_Window(&j5::MDImain::Channel_edit, &j5::Program::frm_chann);
  for (const Action& a : actions) {
    SCOPED_TRACE(a.what);
    P p(chann.form);
    p.data.UHF1_Low = 400, p.data.UHF1_High = 520;  // channel 0's 245.625 MHz lies in no band
    auto channel0 = [&p] {
      std::vector<int> bytes;
      for (std::size_t k = 0; k < 16; ++k)
        bytes.push_back(p.data.Mem_Image(j5::Channel_Record.first, k));
      return bytes;
    };
    const std::vector<int> before = channel0();
    kit::Form& f = chann.open(p);
    const Pending looked{"", chann, {}, {}, {}, "", nullptr};
    a.before(p, looked);
    p.d.activate(f);
    auto& w = static_cast<frm_chann&>(f);
    p.d.clickCell(w.MSF_Chann, 1, frm_chann::kColRx);
    ASSERT_TRUE(w.Text_Edit.visible());
    a.run(p, looked, f);
    EXPECT_TRUE(a.ran(p, looked, f));
    for (const std::string& box : p.box_texts()) EXPECT_EQ(box.find("超出范围"), std::string::npos);
    EXPECT_EQ(channel0(), before);
  }
}

const Pending& Row(const std::vector<Pending>& rows, const std::string& what) {
  for (const Pending& c : rows)
    if (c.what == what) return c;
  throw std::invalid_argument("no row " + what);
}

TEST(PendingValue, ReachesTheFileTheRadioAndTheRebuiltWindowButNoRead) {
  Expect_As_Left_First(Image_Windows(), Image_Window_Actions());
}

TEST(PendingValue, ReachesTheWindowsOwnWriteAndFileButNotItsRead) {
  Expect_As_Left_First(Own_Transfer_Windows(), Own_Window_Actions());
}

// The rows whose values the defaults replace (the two-tone defaults leave the decode pairs).
TEST(PendingValue, NothingTypedBeforeTheDefaultsLandsOnThem) {
  const std::vector<Pending> image = Image_Windows(), own = Own_Transfer_Windows();
  Expect_As_Left_First(
      {Row(image, "channel receive frequency"), Row(image, "channel tone typed into its list"),
       Row(image, "option frequency"), Row(own, "two-tone encode tone"),
       Row(own, "five-tone encode code"), Row(own, "five-tone standard period picked"),
       Row(own, "adjustment band limit"), Row(own, "option copy (tune)")},
      {kDefaults});
}

TEST(PendingValue, NothingTypedBeforeAFileIsOpenedLandsOnIt) {
  std::vector<Pending> rows;
  for (const std::vector<Pending>& list : {Image_Windows(), Own_Transfer_Windows()})
    for (const Pending& c : list)
      if (c.in_file) rows.push_back(c);
  Expect_As_Left_First(rows, {kFileOpen});
}

// A value typed while the window's own read runs was typed over values the read then replaces:
// when the user goes on after the read, the window and the image hold what the radio sent.
// (A box the read shows anew holds nothing of what was typed: the grids' cells are what count.)
TEST(PendingValue, NothingTypedDuringAReadLandsOnWhatItBrought) {
  const std::vector<Pending> image = Image_Windows(), own = Own_Transfer_Windows();
  for (const Pending& c :
       {Row(image, "channel receive frequency"), Row(image, "channel tone typed into its list"),
        Row(own, "FM channel frequency"), Row(own, "two-tone encode tone"),
        Row(own, "two-tone decode pair picked"), Row(own, "five-tone encode code"),
        Row(own, "five-tone standard period picked")}) {
    SCOPED_TRACE(c.what);
    P p(c.window.own_form);
    kit::Form& w = c.window.open(p);
    // The radio holds what the window shows.
    Button(w, "Command_Write").Click();
    p.until_exchange_ended();
    c.type(p, w, "");
    const std::string sent = j5::rt::Trim(c.shown(w));
    Button(w, "Command_read").Click();
    p.d.advance(300);
    ASSERT_TRUE(p.program.Exchange_Running());
    c.type(p, w, c.good);
    p.until_exchange_ended();
    const j5::MemImage read = p.data.Mem_Image;
    c.leave(p, w);
    EXPECT_EQ(j5::rt::Trim(c.shown(w)), sent);
    EXPECT_TRUE(p.data.Mem_Image == read);
  }
}

TEST(PendingValue, AnEditorOnlyOpenedHoldsNothingToCommit) {
  Expect_Nothing_Typed_Nothing_Committed(Image_Actions());
}

TEST(PendingValue, ARefusedValueStopsTheActionWithItsMessage) {
  Expect_Refusal_Stops(Image_Windows(), Image_Window_Actions());
  Expect_Refusal_Stops(Own_Transfer_Windows(), Own_Window_Actions());
}

// An editor's own read or write moves its own window's values alone: a value refused when left,
// waiting in another window, neither stops the exchange nor shows its message, and still waits
// there (leaving it then refuses it).
TEST(PendingValue, AnOwnExchangeLeavesAValueInAnotherWindowWaiting) {
  const std::vector<Pending> image = Image_Windows(), own = Own_Transfer_Windows();
  const Pending& channel = Row(image, "channel receive frequency");
  const Pending& two_tone = Row(own, "two-tone encode tone");
  const std::vector<const Pending*> windows = {
      &channel,
      &Row(image, "option frequency"),
      &Row(image, "DTMF encode group"),
      &Row(own, "FM channel frequency"),
      &two_tone,
      &Row(own, "five-tone encode code"),
      &Row(own, "adjustment band limit"),
      &Row(own, "option copy (tune)"),
      &Row(own, "option copy (modulation)"),
  };
  for (const Pending* target : windows) {
    const Pending& other = target == &channel ? two_tone : channel;
    for (const Action& a : Own_Transfers()) {
      SCOPED_TRACE(target->what + ", " + a.what);
      const Action nothing_first{"", [](P&, const Pending&) {}, {}, {}, a.reach};
      const std::vector<std::string> refusal =
          Play(other, Leave_Only(nothing_first), other.refused, true).boxes;
      ASSERT_EQ(refusal.size(), 1u);

      P p(target->window.own_form);
      kit::Form& o = other.window.open(p);
      p.d.activate(o);
      other.type(p, o, other.refused);
      kit::Form& w = target->window.open(p);
      p.d.activate(w);
      a.before(p, *target);
      a.run(p, *target, w);
      EXPECT_TRUE(a.ran(p, *target, w));
      for (const std::string& box : p.box_texts()) EXPECT_NE(box, refusal[0]);
      p.d.clearMessageBoxes();
      other.leave(p, o);
      EXPECT_EQ(p.box_texts(), refusal);
    }
  }
}

}  // namespace
}  // namespace j5test
