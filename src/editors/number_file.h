#pragma once
// An editor's own file of numbers (a signal file, an FM file): read whole and checked before
// anything is stored, so a file that is not one changes nothing and says why.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/prompt.h"

namespace j5 {

// Where the values stand: `head` values on lines of their own first (a count), then lines of
// `per_line` values whose first `bytes` go to the radio and must be bytes.
struct Number_Layout {
  std::size_t count;
  std::size_t head;
  std::size_t per_line;
  std::size_t bytes;
};

struct Number_File_Read {
  std::vector<std::int16_t> values;
  Bilingual why;
  bool ok() const { return why.chn.empty(); }
};

Number_File_Read Refused_File(std::string chn, std::string eng);
Number_File_Read Read_Number_Text(std::string_view text, const Number_Layout& layout);
// A name that is no plain file, or that cannot be read, is refused like a bad file.
Number_File_Read Read_Number_File(const std::string& path, const Number_Layout& layout);

}  // namespace j5
