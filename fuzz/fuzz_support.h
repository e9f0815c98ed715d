#pragma once
// What the fuzz targets share: reading the fuzzer's bytes as a script, and stopping with a
// message when a property does not hold (libFuzzer then keeps the input that showed it).

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/shared_data.h"
#include "platform/headless.h"
#include "platform/utf8.h"

namespace j5fuzz {

// Every state a set of 16-byte rows went through since the last fresh start (a press that started
// a write): the frame checks hold a written frame to one of the states of its row, while what a
// completed write left in the radio is held to the rows as the write took them (Write_Watch).
class Held_Rows {
 public:
  using Row = std::array<std::int16_t, 16>;
  explicit Held_Rows(std::size_t count) : held_(count) {}
  std::size_t size() const { return held_.size(); }
  // Notes row n as it stands now; `fresh` forgets its earlier states first.
  void Hold(std::size_t n, const Row& row, bool fresh) {
    if (fresh) held_[n].clear();
    if (held_[n].empty() || held_[n].back() != row) held_[n].push_back(row);
  }
  // One state of row n is as `holds` wants it.
  template <class Pred>
  bool Any(std::size_t n, Pred&& holds) const {
    return std::any_of(held_[n].begin(), held_[n].end(), holds);
  }
  // The sixteen data bytes of a frame are one state of row n.
  bool Carries(std::size_t n, const std::uint8_t* data) const {
    return Any(n, [&](const Row& r) { return std::equal(r.begin(), r.end(), data); });
  }

 private:
  std::vector<std::vector<Row>> held_;
};

// Image row r's sixteen radio bytes as they stand.
inline Held_Rows::Row Image_Row(const j5::MemImage& image, std::size_t r) {
  Held_Rows::Row row;
  std::copy_n(image.row(r).begin(), row.size(), row.begin());
  return row;
}

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** property broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

inline void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// The message is put together only when the property does not hold.
template <class Why>
requires std::invocable<Why>
void Check(bool holds, Why&& why) {
  if (!holds) Fail(why());
}

// Whether a text holds a character that shows nothing or changes how the text around it reads,
// other than the line ends between a message's lines.
inline bool Holds_Invisible(const std::string& text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = kit::utf8::decode(text, pos);
    if (c != '\n' && kit::utf8::invisible(c)) return true;
  }
  return false;
}

// Every message box shown is the program's own word: no error escaped a handler (the kit reports
// one in a box without a title), and a message quotes what was read only where that is text that
// reads as it stands, so its text is UTF-8 throughout and holds no invisible character.
inline void Check_Messages(const kit::HeadlessPlatform& p) {
  for (const auto& box : p.messageBoxes()) {
    Check(!box.title.empty(), [&] { return "an error escaped a handler: " + box.text; });
    Check(kit::utf8::valid(box.text),
          [&] { return "a message carries bytes that are no UTF-8 text: " + box.text; });
    Check(!Holds_Invisible(box.text),
          [&] { return "a message carries a character that changes how it reads: " + box.text; });
  }
}

// The channel window shows an empty channel (first record byte 255) by emptying its record and
// name row; every load or activation of that window does it to the channels it shows.
inline void Normalise_Empty_Channels(j5::MemImage& image, int channTotal) {
  const int shown = channTotal < 1 ? 1 : channTotal > 128 ? 128 : channTotal;
  for (int c = 0; c < shown; ++c) {
    const auto ch = static_cast<std::size_t>(c);
    if (image(ch, 0) != j5::kEmptyByte) continue;
    image.fill(ch, ch, 0, 15, j5::kEmptyByte);
    image.fill(ch + 256, ch + 256, 0, 15, j5::kEmptyByte);
  }
}

// The range a number file's numbers must lie in: 16 bits, or less where the file holds bytes.
struct Number_Range {
  long low = -32768, high = 32767;
};

// A number file's numbers as the user would count them: decimal integers with an optional "-",
// between blanks and line ends. nullopt when the text does not begin with `count` such numbers in
// the range. `undecided` is set where the program may read more than this count does: a comma
// among the numbers (a file from a spreadsheet) or a byte order mark in front (an editor's).
inline std::optional<std::vector<std::int16_t>> Numbers_In(std::string_view text, std::size_t count,
                                                           bool& undecided,
                                                           Number_Range range = {}) {
  const auto separator = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  std::vector<std::int16_t> out;
  std::size_t i = 0;
  undecided = text.starts_with("\xEF\xBB\xBF");
  while (out.size() < count) {
    while (i < text.size() && (separator(text[i]) || text[i] == ',')) undecided |= text[i++] == ',';
    if (i >= text.size()) return std::nullopt;
    std::size_t end = i;
    while (end < text.size() && !separator(text[end]) && text[end] != ',') ++end;
    std::string_view item = text.substr(i, end - i);
    i = end;
    std::string_view digits = item.substr(item[0] == '-' ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
      return std::nullopt;
    long value = 0;
    for (char c : digits) {
      value = value * 10 + (c - '0');
      if (value > 40000) return std::nullopt;
    }
    if (item[0] == '-') value = -value;
    if (value < range.low || value > range.high) return std::nullopt;
    out.push_back(static_cast<std::int16_t>(value));
  }
  return out;
}

// The fuzzer's bytes read in order; past the end every read gives 0.
class Fuzz_Input {
 public:
  Fuzz_Input(const std::uint8_t* data, std::size_t size) : data_(data), pos_(0), size_(size) {}

  bool empty() const { return pos_ >= size_; }
  std::size_t left() const { return size_ - pos_; }

  std::uint8_t Byte() { return empty() ? 0 : data_[pos_++]; }
  int Word() { return Byte() | Byte() << 8; }
  std::int16_t Int16() { return static_cast<std::int16_t>(Word()); }
  // Up to n bytes.
  std::string_view Bytes(std::size_t n) {
    if (n > left()) n = left();
    std::string_view out(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return out;
  }
  std::string_view Rest() { return Bytes(left()); }
  // The next n bytes as an input of their own.
  Fuzz_Input Part(std::size_t n) {
    const std::string_view bytes = Bytes(n);
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  }

 private:
  const std::uint8_t* data_;
  std::size_t pos_, size_;
};

// Sends the radio's answer to a frame that arrived at `atMs` the way the fuzzer decides: on time
// or a little late, around the no-reply time, lost, with a byte changed, cut short, with stray
// bytes after or before it, or in two pieces. send(bytes, at) puts bytes on the line from `at` on.
// True when the answer went out unchanged (perhaps late).
template <class Send>
bool Send_Shaped(Fuzz_Input& in, std::vector<std::uint8_t> answer, double atMs, Send&& send) {
  const std::uint8_t how = in.Byte();
  const int amount = how >> 3;
  switch (how & 7) {
    case 0:  // as it is, a little late
      send(answer, atMs + amount * 4);
      return true;
    case 1:  // around the no-reply time
      send(answer, atMs + 900 + amount * 8);
      return false;
    case 2:  // lost
      return false;
    case 3: {  // one byte changed
      const std::size_t at = in.Byte() % answer.size();
      answer[at] = in.Byte();
      send(answer, atMs);
      return false;
    }
    case 4:  // cut short
      answer.resize(answer.size() - std::min<std::size_t>(answer.size(), amount % 8 + 1));
      send(answer, atMs);
      return false;
    case 5:  // followed by stray bytes
      for (int i = 0; i <= amount % 8; ++i) answer.push_back(in.Byte());
      send(answer, atMs);
      return false;
    case 6: {  // in two pieces with a pause between
      const std::size_t cut = in.Byte() % answer.size();
      send(std::vector<std::uint8_t>(answer.begin(),
                                     answer.begin() + static_cast<std::ptrdiff_t>(cut)),
           atMs);
      send(std::vector<std::uint8_t>(answer.begin() + static_cast<std::ptrdiff_t>(cut),
                                     answer.end()),
           atMs + amount * 40);
      return false;
    }
    default: {  // stray bytes before it
      std::vector<std::uint8_t> stray;
      for (int i = 0; i <= amount % 8; ++i) stray.push_back(in.Byte());
      stray.insert(stray.end(), answer.begin(), answer.end());
      send(stray, atMs);
      return false;
    }
  }
}

}  // namespace j5fuzz
