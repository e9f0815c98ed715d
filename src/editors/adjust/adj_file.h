#pragma once
// The adjustment file: rows 0..15 of the adjustment table, one row a line in the number-file
// layout of the parameter file, CR LF.

#include <cstddef>
#include <string>

#include "data/shared_data.h"

namespace j5 {

inline constexpr std::size_t kAdjFileRows = 16;
inline constexpr std::size_t kAdjFileCols = 16;
inline constexpr std::size_t kAdjFileValues = kAdjFileRows * kAdjFileCols;

// The whole file for the table as it stands.
std::string Adj_File_Text(const AdjTable& table);

}  // namespace j5
