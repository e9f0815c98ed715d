#pragma once
// The adjustment file: rows 0..15 of the adjustment table, one row a line in the number-file
// layout of the parameter file, CR LF.

#include <cstddef>
#include <string>

#include "data/shared_data.h"
#include "platform/number_file.h"

namespace j5 {

inline constexpr std::size_t kAdjFileRows = 16;
inline constexpr std::size_t kAdjFileCols = 16;
inline constexpr std::size_t kAdjFileValues = kAdjFileRows * kAdjFileCols;

// The whole file for the table as it stands.
std::string Adj_File_Text(const AdjTable& table);

// The 256 values of an adjustment file, rows 0 to 15 in order; every one a byte, as the table
// holds the radio's bytes (a file that holds anything else is refused).
rt::NumberRead Read_Adj_File(const std::string& path);

}  // namespace j5
