#pragma once
// Controls bound to fields (data/fields.h). A window lists its settings as bindings, and the one
// table both shows the image in the controls and stores what the user changes, so an editor is
// its tables of bindings plus the handlers that really differ.
//
// Showing goes through each control's ordinary setter (list index, check value, text), so the
// control raises its event as for a user's change and that event stores the value back: a value
// beyond its list is stored as the list's last index, a check box stores 1 or 0. A control that
// already shows the value raises nothing and stores nothing (the kit's event rules).
//
//   class frm_x : public kit::Form {
//     // Every store is followed by the window's own step (here: mirroring a copy of the block).
//     fields::Bindings Settings{data_.Mem_Image, [this] { Mirror_Copy(); }};
//   };
//   // In the constructor, in the order the display sets the controls:
//   Settings.list(Combo_sql, fields::Field{...});  // Click stores the list index
//   Settings.check(Check_Lock, fields::Field{...}, fields::Tick::ClearFirst);
//   Settings.checks(fields::Place{...}, {{Check_a, 0x01}, {Check_b, 0x02}});  // bits of one byte
//   // A handler that does more than store stores through its binding and goes on:
//   Combo_mode.Click = [this] {
//     Settings.store(Combo_mode);
//     Check_sound.setEnabled(Combo_mode.listIndex() > 0);
//   };
//   // The display: Settings.show();
//
// A grid lists one Column per grid column; row r shows the record r - 1 rows below the field's:
//   for (const fields::Column& c : Columns) c.show(MSF_Chann, r, image, r - 1);
//   Columns[k].pick(image, r - 1, Combo_edit.listIndex());  // a pick from the list editor
//   Columns[k].store(image, r - 1, Text_Edit.text());       // a typed entry, once checked

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/fields.h"
#include "platform/kit.h"

namespace j5::fields {

// How a check box bound to a whole setting is shown: set once, or cleared and then ticked when
// the setting is not 0 (its store then runs twice, 0 and then 1).
enum class Tick { Once, ClearFirst };

// A check box standing for one bit of a shared byte.
struct BitBox {
  kit::CheckBox& box;
  int bit;
};

class Bindings {
 public:
  // `afterStore` runs after every store (a window that edits a working copy writes it out there).
  explicit Bindings(Cells cells, std::function<void()> afterStore = {});
  Bindings(const Bindings&) = delete;
  Bindings& operator=(const Bindings&) = delete;

  // A list: shows the field's number as its list index (a number beyond the list shows the last
  // item); its Click stores the index.
  void list(kit::ComboBox& box, Field field);
  // A check box: ticked when the field is not 0; its Click stores 1 or 0 (sets or clears a bit).
  void check(kit::CheckBox& box, Field field, Tick tick = Tick::Once);
  // Check boxes on the bits of one byte: the display reads the byte once, clears every box in
  // order, then ticks each box whose bit was set, so each bit ends as it was. A box's Click sets
  // or clears its own bit and keeps the others.
  void checks(Place byte, std::vector<BitBox> boxes);
  // A text box: shows the field's text; its Change stores the text, unless storeOnChange is false
  // (the window checks the entry in its own handler and stores through store()).
  void text(kit::TextBox& box, Field field, bool storeOnChange = true);
  // A control whose display and store the window writes itself (a tone list that shows a tone
  // off its list as text): returns the handler to wire to the event that stores, which runs
  // `store` and then afterStore; store(control) finds it too.
  std::function<void()> custom(const kit::Control& control, std::function<void()> show,
                               std::function<void()> store);
  // A display step that no field describes, at its place in the order.
  void step(std::function<void()> show);

  // Shows every binding in the order they were added.
  void show() const;
  // Stores what the control shows through its binding, then runs afterStore.
  void store(const kit::Control& control) const;
  // Stores every control in the order added, then runs afterStore once (a window that packs
  // its controls into an image at one moment rather than at each change).
  void storeAll() const;
  const Cells& cells() const { return cells_; }

 private:
  struct Entry {
    const kit::Control* control;
    std::function<void()> show;
    std::function<void()> store;
  };
  Cells cells_;
  std::function<void()> afterStore_;
  std::vector<Entry> entries_;

  // Adds an entry; returns the handler that runs its store from the control's event.
  std::function<void()> add(const kit::Control* control, std::function<void()> show,
                            std::function<void()> store);
};

// A grid column showing one setting of the record its row stands for; `rows` is how far that
// record lies below the field's own (channel c: c rows below channel 0).
struct Column {
  int col;
  Field field;
  Choice choice = {};  // a number field's texts and the items its list editor offers

  std::string text(const Cells& cells, int rows) const;
  void show(kit::Grid& grid, int gridRow, const Cells& cells, int rows) const;
  // Stores item `index` of the choice: a number field takes the index, a text field the item.
  void pick(const Cells& cells, int rows, int index) const;
  // Stores a cell's text (a text field through its codec, a number field as a whole number);
  // false when the text has no bytes.
  bool store(const Cells& cells, int rows, std::string_view text) const;
};

}  // namespace j5::fields
