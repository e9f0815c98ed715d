#include "shell/language_switch.h"

#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "shell/file_dialogs.h"
#include "shell/program.h"

namespace j5 {

namespace {

template <class T>
void Reload_If(Program& program, std::int16_t Shared_Data::*flag, kit::FormSlot<T>& slot) {
  // The flag is read at its turn: reloading an earlier window may change it.
  if (program.data.*flag != 0) Reload(program, slot);
}

}  // namespace

void Reload_Flagged_Windows(Program& p) {
  Reload_If(p, &Shared_Data::Win_Option, p.frm_option);
  Reload_If(p, &Shared_Data::Win_Chann, p.frm_chann);
  Reload_If(p, &Shared_Data::Win_Setup, p.Form_setup);
  Reload_If(p, &Shared_Data::Win_Save_Chann, p.Form_save_chann);
  Reload_If(p, &Shared_Data::Win_Open_Chann, p.Form_open_chann);
  Reload_If(p, &Shared_Data::Win_Comm_Read, p.Form_Comm_Read);
  Reload_If(p, &Shared_Data::Win_Comm_Write, p.Form_Comm_Write);
  Reload_If(p, &Shared_Data::Win_Dtmf, p.frm_dtmf);
}

}  // namespace j5
