#pragma once
// What the fuzz targets share: reading the fuzzer's bytes as a script, and stopping with a
// message when a property does not hold (libFuzzer then keeps the input that showed it).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/shared_data.h"

namespace j5fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** property broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

inline void Check(bool holds, const std::string& what) {
  if (!holds) Fail(what);
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

// The fuzzer's bytes read from both ends: a script of steps from the front, and decisions taken
// as things happen (how the radio answers) from the back, so that the two do not shift each
// other when the fuzzer inserts a byte. Past the end every read gives 0.
class Fuzz_Input {
 public:
  Fuzz_Input(const std::uint8_t* data, std::size_t size) : data_(data), front_(0), back_(size) {}

  bool empty() const { return front_ >= back_; }
  std::size_t left() const { return back_ - front_; }

  std::uint8_t Byte() { return empty() ? 0 : data_[front_++]; }
  int Word() { return Byte() | Byte() << 8; }
  std::int16_t Int16() { return static_cast<std::int16_t>(Word()); }
  // Up to n bytes from the front.
  std::string_view Bytes(std::size_t n) {
    if (n > left()) n = left();
    std::string_view out(reinterpret_cast<const char*>(data_ + front_), n);
    front_ += n;
    return out;
  }
  std::string_view Rest() { return Bytes(left()); }

  std::uint8_t Back_Byte() { return empty() ? 0 : data_[--back_]; }

 private:
  const std::uint8_t* data_;
  std::size_t front_, back_;
};

}  // namespace j5fuzz
