#pragma once
// The radio's 64 KiB parameter memory and its parameter file (".dat"): 481 lines of sixteen
// numbers, line k holding the bytes at address (k - 1) * 16 onwards.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class Memory {
 public:
  static constexpr std::size_t kSize = 0x10000;

  Memory() { erase(); }

  void erase() { bytes_.fill(0xFF); }

  std::uint8_t at(std::uint16_t address) const { return bytes_[address]; }
  void set(std::uint16_t address, std::uint8_t value) { bytes_[address] = value; }

  // Addresses wrap at the end of the 64 KiB, as the radio's 16-bit address does.
  std::vector<std::uint8_t> read(std::uint16_t address, std::size_t length) const;
  void write(std::uint16_t address, std::span<const std::uint8_t> data);

  const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

  friend bool operator==(const Memory&, const Memory&) = default;

 private:
  std::array<std::uint8_t, kSize> bytes_;
};

inline constexpr int kParamFileRows = 481;
inline constexpr int kParamFileValues = kParamFileRows * 16;

struct ParamFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The file text of rows 0 to 480: each value as a sign position, its digits and one blank;
// CR LF after every line.
std::string formatParamFile(const Memory& memory);

// Reads the first 7,696 numbers, separated by any blanks and line ends, into rows 0 to 480.
// Anything that is not a number from 0 to 255, or a text with fewer numbers, throws
// ParamFileError and leaves the memory as it was. Numbers after the 7,696th are ignored.
void parseParamFile(std::string_view text, Memory& memory);

void loadParamFile(const std::string& path, Memory& memory);

// Writes beside the target first and renames over it, so a failed dump keeps the old file.
void saveParamFile(const std::string& path, const Memory& memory);

}  // namespace sim
