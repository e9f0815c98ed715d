#pragma once
// Where an editor's setting lives and how its bytes read as the value a control shows. A setting
// is written down once as a Field, and that one description both shows the image in a control
// and stores the control's value back (editors/fields.h binds fields to controls), so no bit
// layout is spelt out twice.
//
//   Cells image{data.Mem_Image};                           // the table the bytes live in
//   const Field step{Bits{At(Vfo_Record.first, 30), 0xF0}}; // high nibble of byte +30 of record A
//   const Field power{Bits{{0, 14}, 0x03, {}, 0x07}};       // writes bits 0-1, reads bits 0-2
//   const Field width{Bits{{0, 15}, 0x40, {1, 0}}};         // index 0 is raw 1 (W), 1 raw 0 (N)
//   const Field rx{Coded{{0, 0}, Freq_Bcd4_Codec()}};       // four bytes through a codec
//   step.number(image);                    // the high nibble, 0..15
//   step.shifted(2).setNumber(image, 7);   // record B's step; the low nibble stays
//   rx.shifted(c).text(image);             // channel c's receive frequency, "145.01250"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/image_rows.h"
#include "data/shared_data.h"

namespace j5::fields {

struct Column;

// A view of a table of 16-bit cells holding radio bytes, addressed (row, column): the image, the
// adjustment table, a page buffer, or a flat array such as Option_Val as one row. A cell outside
// the table throws std::out_of_range, so a bad description never touches foreign memory.
class Cells {
 public:
  template <std::size_t R, std::size_t C>
  Cells(Table2D<std::int16_t, R, C>& table)
      : table_(&table),
        first_([](void* t) { return &(*static_cast<Table2D<std::int16_t, R, C>*>(t))(0, 0); }),
        rows_(static_cast<int>(R)),
        cols_(static_cast<int>(C)) {}
  template <std::size_t N>
  Cells(std::array<std::int16_t, N>& row)
      : table_(&row),
        first_([](void* t) { return static_cast<std::array<std::int16_t, N>*>(t)->data(); }),
        rows_(1),
        cols_(static_cast<int>(N)) {}

  std::int16_t& operator()(int row, int col) const;
  // `width` cells from (row, col), all of them in that row.
  std::span<std::int16_t> span(int row, int col, int width) const;

 private:
  // The table's cells are looked up at each access, so a table assigned anew stays in view.
  void* table_;
  std::int16_t* (*first_)(void*);
  int rows_, cols_;
};

// Row and column of a setting's (first) byte.
struct Place {
  int row = 0;
  int col = 0;
};

// Byte `offset` of a record laid out in 16-byte rows from column 0 of `row` (Vfo_Record +28 is
// At(Vfo_Record.first, 28), row 241 column 12).
constexpr Place At(int row, int offset) {
  return {row + offset / kRowBytes, offset % kRowBytes};
}

// Bytes <-> text of a multi-byte encoding (a BCD frequency, a tone code, a name). decode must
// accept any cell contents; encode returns false, and leaves the bytes as they were, for a text
// that has no bytes.
struct Codec {
  int width = 1;
  std::function<std::string(std::span<const std::int16_t> bytes)> decode;
  std::function<bool(std::span<std::int16_t> bytes, std::string_view text)> encode;
};

// A number held in the bits `mask` of one byte, shifted down to the mask's lowest bit. A store
// rewrites only those bits and keeps the others (read-modify-write); a value wider than its bits
// is cut to them. `values`, when given, lists the raw value of each index (index i stores
// values[i]; a raw value not in it reads as index 0). `readMask`, when given, is wider than the
// bits written: the display looks at more bits than an entry changes.
struct Bits {
  Place at;
  int mask = 0xFF;
  std::vector<int> values = {};
  int readMask = 0;
};

// A text spread over codec.width bytes from `at`.
struct Coded {
  Place at;
  Codec codec;
};

// One setting: a number in bits or a text through a codec. Every access is given the Cells the
// setting lives in, so one description serves the image and a working copy alike.
class Field {
 public:
  // Implicit, so a table of fields can list Bits and Coded entries as they are.
  Field(Bits bits) : f_(std::make_shared<const Desc>(std::move(bits))) {}
  Field(Coded coded) : f_(std::make_shared<const Desc>(std::move(coded))) {}

  // The same setting `rows` rows further down: record B after record A, channel c after channel 0.
  Field shifted(int rows) const;
  Place place() const;
  bool isText() const { return std::holds_alternative<Coded>(*f_); }

  // A number field's index; a text field's text read as a number (0 when it is none).
  int number(const Cells& cells) const;
  // Stores an index (a number field) or its decimal text (a text field). An index beyond the
  // values table stores nothing.
  void setNumber(const Cells& cells, int value) const;
  // A text field's text; a number field's index in decimal digits.
  std::string text(const Cells& cells) const;
  // Stores a text; a number field takes the text's number rounded to a whole index. False when
  // the text has no bytes (nothing changes then).
  bool setText(const Cells& cells, std::string_view text) const;

 private:
  // The description is shared and never changed: a shifted copy differs only in its row offset.
  using Desc = std::variant<Bits, Coded>;
  std::shared_ptr<const Desc> f_;
  int rows_ = 0;

  // The accesses `rows` further down without a copy, for a grid that shows every row of a column.
  friend struct Column;
  int numberAt(const Cells& cells, int rows) const;
  void setNumberAt(const Cells& cells, int rows, int value) const;
  std::string textAt(const Cells& cells, int rows) const;
  bool setTextAt(const Cells& cells, int rows, std::string_view text) const;
};

// The texts of a number field: items[i] names index i and is what a list offers; `shown` gives the
// text of an index where the cell shows something else (a value beyond the list, a number with a
// blank kept for its sign). Without `shown` an index beyond the items shows as "".
struct Choice {
  std::vector<std::string> items;
  std::function<std::string(int index)> shown = {};

  std::string text(int index) const;
};

}  // namespace j5::fields
