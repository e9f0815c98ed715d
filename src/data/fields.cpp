#include "data/fields.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "platform/runtime.h"

namespace j5::fields {

namespace {

int lowestBit(int mask) {
  return mask == 0 ? 0 : std::countr_zero(static_cast<unsigned>(mask));
}

}  // namespace

std::int16_t& Cells::operator()(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
    throw std::out_of_range("field cell out of range");
  return first_(table_)[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
                        static_cast<std::size_t>(col)];
}

std::span<std::int16_t> Cells::span(int row, int col, int width) const {
  if (width < 1 || col + width > cols_) throw std::out_of_range("field bytes out of range");
  return {&(*this)(row, col), static_cast<std::size_t>(width)};
}

Field Field::shifted(int rows) const {
  Field out = *this;
  out.rows_ += rows;
  return out;
}

Place Field::place() const {
  const Place p = std::visit([](const auto& f) { return f.at; }, *f_);
  return {p.row + rows_, p.col};
}

int Field::number(const Cells& cells) const {
  return numberAt(cells, 0);
}

void Field::setNumber(const Cells& cells, int value) const {
  setNumberAt(cells, 0, value);
}

std::string Field::text(const Cells& cells) const {
  return textAt(cells, 0);
}

bool Field::setText(const Cells& cells, std::string_view text) const {
  return setTextAt(cells, 0, text);
}

int Field::numberAt(const Cells& cells, int rows) const {
  if (const auto* b = std::get_if<Bits>(f_.get())) {
    const int readMask = b->readMask != 0 ? b->readMask : b->mask;
    const int byte = cells(b->at.row + rows_ + rows, b->at.col) & 0xFF;
    const int raw = (byte & readMask) >> lowestBit(readMask);
    if (b->values.empty()) return raw;
    const auto it = std::find(b->values.begin(), b->values.end(), raw);
    return it == b->values.end() ? 0 : static_cast<int>(it - b->values.begin());
  }
  return static_cast<int>(rt::Val_Or_Zero(textAt(cells, rows)));
}

void Field::setNumberAt(const Cells& cells, int rows, int value) const {
  const auto* b = std::get_if<Bits>(f_.get());
  if (!b) {
    setTextAt(cells, rows, std::to_string(value));
    return;
  }
  int raw = value;
  if (!b->values.empty()) {
    if (value < 0 || value >= static_cast<int>(b->values.size())) return;
    raw = b->values[static_cast<std::size_t>(value)];
  }
  // Cells hold bytes; anything else (a hand-made file) is taken by its low eight bits, so every
  // store leaves a byte behind.
  std::int16_t& cell = cells(b->at.row + rows_ + rows, b->at.col);
  const int kept = (cell & 0xFF) & ~b->mask;
  cell = static_cast<std::int16_t>(kept | ((raw << lowestBit(b->mask)) & b->mask));
}

std::string Field::textAt(const Cells& cells, int rows) const {
  if (const auto* c = std::get_if<Coded>(f_.get()))
    return c->codec.decode(cells.span(c->at.row + rows_ + rows, c->at.col, c->codec.width));
  return std::to_string(numberAt(cells, rows));
}

bool Field::setTextAt(const Cells& cells, int rows, std::string_view text) const {
  if (const auto* c = std::get_if<Coded>(f_.get()))
    return c->codec.encode(cells.span(c->at.row + rows_ + rows, c->at.col, c->codec.width), text);
  try {
    setNumberAt(cells, rows, rt::CInt(rt::Val_Unbounded(text)));
    return true;
  } catch (const rt::OverflowError&) {
    return false;
  }
}

std::string Choice::text(int index) const {
  if (shown) return shown(index);
  if (index < 0 || index >= static_cast<int>(items.size())) return "";
  return items[static_cast<std::size_t>(index)];
}

}  // namespace j5::fields
