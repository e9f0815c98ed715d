#include "shell/program.h"

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
#include "shell/Form_type.h"
#include "shell/MDImain.h"
#include "shell/file_dialogs.h"
#include "shell/frmAbout.h"

namespace j5 {

namespace {

template <class T>
auto maker(Program& p) {
  return [&p] { return std::make_unique<T>(p); };
}

auto dialog(Program& p, File_Dialog::Kind kind) {
  return [&p, kind] { return std::make_unique<File_Dialog>(p, kind); };
}

}  // namespace

Program::Program(kit::Platform& platform_)
    : platform(platform_),
      MDImain(maker<j5::MDImain>(*this)),
      frm_chann(maker<j5::frm_chann>(*this)),
      frm_option(maker<j5::frm_option>(*this)),
      frm_dtmf(maker<j5::frm_dtmf>(*this)),
      frm_Adj_Txp(maker<j5::frm_Adj_Txp>(*this)),
      frm_2tone(maker<j5::frm_2tone>(*this)),
      frm_5tone(maker<j5::frm_5tone>(*this)),
      frm_FM(maker<j5::frm_FM>(*this)),
      Form_type(maker<j5::Form_type>(*this)),
      frmAbout(maker<j5::frmAbout>(*this)),
      Form_setup(maker<j5::Form_setup>(*this)),
      Form_Comm_Read(maker<j5::Form_Comm_Read>(*this)),
      Form_Comm_Write(maker<j5::Form_Comm_Write>(*this)),
      Form_Write_PassWord(maker<j5::Form_Write_PassWord>(*this)),
      Form_open_menu(dialog(*this, File_Dialog::Kind::Form_open_menu)),
      Form_save_menu(dialog(*this, File_Dialog::Kind::Form_save_menu)),
      Form_open_adj(dialog(*this, File_Dialog::Kind::Form_open_adj)),
      Form_save_adj(dialog(*this, File_Dialog::Kind::Form_save_adj)),
      Form_open_sig(dialog(*this, File_Dialog::Kind::Form_open_sig)),
      Form_save_sig(dialog(*this, File_Dialog::Kind::Form_save_sig)),
      Form_open_chann(dialog(*this, File_Dialog::Kind::Form_open_chann)),
      Form_save_chann(dialog(*this, File_Dialog::Kind::Form_save_chann)) {
  // The kit's report of an error that escaped a handler, in the language of the moment; what the
  // error itself says is for programmers, in English, and is left out.
  platform.setHandlerErrorText([this](const std::string&) {
    return Chinese() ? "程序出错，本次操作没有完成 ！" : "A program error stopped this operation.";
  });
}

Program::~Program() {
  platform.setHandlerErrorText({});
  // Children first, then the main window, while every slot still exists.
  MDImain.unload();
  for (kit::FormSlotBase* slot : std::initializer_list<kit::FormSlotBase*>{&frm_chann,
                                                                           &frm_option,
                                                                           &frm_dtmf,
                                                                           &frm_Adj_Txp,
                                                                           &frm_2tone,
                                                                           &frm_5tone,
                                                                           &frm_FM,
                                                                           &Form_type,
                                                                           &frmAbout,
                                                                           &Form_setup,
                                                                           &Form_Comm_Read,
                                                                           &Form_Comm_Write,
                                                                           &Form_Write_PassWord,
                                                                           &Form_open_menu,
                                                                           &Form_save_menu,
                                                                           &Form_open_adj,
                                                                           &Form_save_adj,
                                                                           &Form_open_sig,
                                                                           &Form_save_sig,
                                                                           &Form_open_chann,
                                                                           &Form_save_chann})
    slot->unload();
}

kit::MdiForm* Program::Main_Form() const {
  return MDImain.get();
}

void Program::Set_Panel(int n, const std::string& text) {
  if (j5::MDImain* main = MDImain.get()) main->Show_Panel(n, text);
}

std::string Program::Panel(int n) const {
  if (j5::MDImain* main = MDImain.get()) return main->StatusBar1.panel(n).text();
  return {};
}

}  // namespace j5
