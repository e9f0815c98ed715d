#pragma once
// The settings of the optional features window as tables: which control shows
// which bits of the option block or of a frequency-mode record, in the order
// the display sets them. The fields count from the record's first byte, so a
// window that keeps the same records elsewhere (the option window copies keep
// them in an image of their own) binds the same tables at its own rows, and
// finds its controls by name.

#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "editors/fields.h"
#include "platform/form.h"

namespace j5::opt {

enum class Setting_Kind {
  List,         // a list: the index
  Check,        // a check box on a whole byte, set once
  Check_Twice,  // the same, cleared first and then ticked
  Bit,          // a check box on one bit; neighbouring Bit entries of one byte show together
  Step,         // a display step of the window's own (the control's name tells which)
};

struct Setting {
  std::string_view control;
  Setting_Kind kind;
  fields::Field field;  // from the option block's first byte
  int bit = 0;          // the bit of a Bit entry
};

// The general settings, in display order.
std::span<const Setting> General_Settings();

// A list of a frequency-mode record's packed bytes +28 to +31, with the names
// of its control on side A and on side B; the field counts from the record's
// first byte.
struct Vfo_Setting {
  std::string_view control_a, control_b;
  fields::Field field;
};
std::span<const Vfo_Setting> Vfo_Lists();

// The control of that name on the form; throws std::logic_error when there is
// none of that kind.
template <class T>
T& Named(kit::Form& form, std::string_view name) {
  for (kit::Control* c : form.controls())
    if (c->name() == name)
      if (auto* t = dynamic_cast<T*>(c)) return *t;
  throw std::logic_error("no control " + std::string(name));
}

// Binds the settings whose record starts at `row` to the form's controls of
// their names, in order; a Step entry calls `step` with its name.
void Bind_Settings(fields::Bindings& bindings, kit::Form& form, std::span<const Setting> settings,
                   int row, const std::function<void(std::string_view)>& step);
// Binds the lists of one side (0 A, 1 B) of a record starting at `row`.
void Bind_Vfo_Lists(fields::Bindings& bindings, kit::Form& form, int side, int row);

}  // namespace j5::opt
