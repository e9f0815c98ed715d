#pragma once
// The option file of the option window copies: rows 0 to 11 of Copy_Image, sixteen values a line
// in the number-file layout, CR LF.

#include <string>
#include <string_view>
#include <vector>

#include "editors/option_copies/option_copy_window.h"
#include "platform/number_file.h"

namespace j5::copy {

inline constexpr std::size_t kFileRows = 12;
inline constexpr std::size_t kFileValues = kFileRows * 16;

std::string Option_File_Text(const CopyImage& image);
// The 192 values, every one a byte: the file holds bytes meant for the radio.
rt::NumberRead Read_Option_Text(std::string_view text);
rt::NumberRead Read_Option_File(const std::string& path);
// Rows 0 to 11 take the values read; rows 12 to 15 stay.
void Store_Option_Values(CopyImage& image, const std::vector<std::int16_t>& values);

}  // namespace j5::copy
