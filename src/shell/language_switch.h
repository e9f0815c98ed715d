#pragma once
// Closing and reopening windows so they come back built afresh from the
// shared data in the current language: the menu commands do it for one
// window, the language switch for every window whose window-open flag is set.

#include "platform/form.h"
#include "shell/program.h"

namespace j5 {

// Unloads the window (nothing when it is not open), then loads it anew. A
// window that refuses to close (its transfer is running, or a value typed
// into it is refused) stays as it is.
template <class T>
void Reload(Program& program, kit::FormSlot<T>& slot) {
  if (T* open = slot.get(); open && !program.Commit_Pending(*open)) return;
  if (slot.unload()) slot.load();
}

// Reloads, in this order, each window whose flag is set: frm_option
// (Win_Option), frm_chann, Form_setup, Form_save_chann, Form_open_chann,
// Form_Comm_Read, Form_Comm_Write, frm_dtmf. Each reloaded window shows
// itself in front of the one before.
void Reload_Flagged_Windows(Program& program);

}  // namespace j5
