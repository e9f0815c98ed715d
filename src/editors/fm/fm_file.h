#pragma once
// The FM file: a line holding the count 16, then Fm_Image rows 1 to 16 (channels 2 to 16 and the
// band row), 22 values a line in the number-file layout, CR LF. Channel 1 is not in the file.

#include <cstddef>
#include <string>
#include <string_view>

#include "data/shared_data.h"
#include "platform/number_file.h"

namespace j5::fm {

inline constexpr int kFileRows = 16;  // Fm_Image rows 1..16
inline constexpr std::size_t kFileValues = 1 + kFileRows * FmImage::kCols;

std::string Fm_File_Text(const FmImage& image);

// The values of an FM file: the count first, then each row's 22 cells. The count must be 16 and
// every radio byte (cells 0-15 of a row) a byte; cells 16-21 may hold any 16-bit number.
rt::NumberRead Read_Fm_Text(std::string_view text);
rt::NumberRead Read_Fm_File(const std::string& path);

// Rows 1 to 16 take the values of a successful read.
void Store_Fm_Values(FmImage& image, const rt::NumberRead& read);

}  // namespace j5::fm
