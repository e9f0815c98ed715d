#include "editors/fields.h"

#include <algorithm>
#include <stdexcept>

namespace j5::fields {

Bindings::Bindings(Cells cells, std::function<void()> afterStore)
    : cells_(cells), afterStore_(std::move(afterStore)) {}

std::function<void()> Bindings::add(const kit::Control* control, std::function<void()> show,
                                    std::function<void()> store) {
  entries_.push_back({control, std::move(show), std::move(store)});
  const std::size_t i = entries_.size() - 1;
  return [this, i] {
    entries_[i].store();
    if (afterStore_) afterStore_();
  };
}

void Bindings::list(kit::ComboBox& box, Field field) {
  box.Click = add(
      &box,
      [this, &box, field] {
        if (box.listCount() == 0) return;
        box.setListIndex(std::clamp(field.number(cells_), 0, box.listCount() - 1));
      },
      [this, &box, field] {
        if (box.listIndex() >= 0) field.setNumber(cells_, box.listIndex());
      });
}

void Bindings::check(kit::CheckBox& box, Field field, Tick tick) {
  box.Click = add(
      &box,
      [this, &box, field, tick] {
        const bool set = field.number(cells_) != 0;
        if (tick == Tick::ClearFirst) box.setValue(0);
        box.setValue(set ? 1 : 0);
      },
      [this, &box, field] { field.setNumber(cells_, box.value() == 1 ? 1 : 0); });
}

void Bindings::checks(Place byte, std::vector<BitBox> boxes) {
  const std::vector<BitBox> group = std::move(boxes);
  step([this, byte, group] {
    const int copy = Field(Bits{byte}).number(cells_);
    for (const BitBox& b : group) b.box.setValue(0);
    for (const BitBox& b : group)
      if (copy & b.bit) b.box.setValue(1);
  });
  for (const BitBox& b : group) {
    const Field bit{Bits{byte, b.bit}};
    kit::CheckBox& box = b.box;
    box.Click =
        add(&box, {}, [this, &box, bit] { bit.setNumber(cells_, box.value() == 1 ? 1 : 0); });
  }
}

void Bindings::text(kit::TextBox& box, Field field, bool storeOnChange) {
  auto store = add(
      &box, [this, &box, field] { box.setText(field.text(cells_)); },
      [this, &box, field] { field.setText(cells_, box.text()); });
  if (storeOnChange) box.Change = std::move(store);
}

std::function<void()> Bindings::custom(const kit::Control& control, std::function<void()> show,
                                       std::function<void()> store) {
  return add(&control, std::move(show), std::move(store));
}

void Bindings::step(std::function<void()> show) {
  add(nullptr, std::move(show), {});
}

void Bindings::show() const {
  for (const Entry& e : entries_)
    if (e.show) e.show();
}

void Bindings::store(const kit::Control& control) const {
  for (const Entry& e : entries_) {
    if (e.control != &control || !e.store) continue;
    e.store();
    if (afterStore_) afterStore_();
    return;
  }
  throw std::logic_error("no binding for " + control.name());
}

void Bindings::storeAll() const {
  for (const Entry& e : entries_)
    if (e.store) e.store();
  if (afterStore_) afterStore_();
}

std::string Column::text(const Cells& cells, int rows) const {
  return field.isText() ? field.textAt(cells, rows) : choice.text(field.numberAt(cells, rows));
}

void Column::show(kit::Grid& grid, int gridRow, const Cells& cells, int rows) const {
  grid.setTextMatrix(gridRow, col, text(cells, rows));
}

void Column::pick(const Cells& cells, int rows, int index) const {
  if (!field.isText()) {
    field.setNumberAt(cells, rows, index);
  } else if (index >= 0 && index < static_cast<int>(choice.items.size())) {
    field.setTextAt(cells, rows, choice.items[static_cast<std::size_t>(index)]);
  }
}

bool Column::store(const Cells& cells, int rows, std::string_view text) const {
  return field.setTextAt(cells, rows, text);
}

}  // namespace j5::fields
