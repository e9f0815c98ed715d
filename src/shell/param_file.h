#pragma once
// The parameter file: image rows 0..480, columns 0..15, one row a line in the number-file layout,
// CR LF. Other windows' files share the layout with other row ranges.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/shared_data.h"
#include "platform/number_file.h"

namespace j5 {

class Program;

inline constexpr std::size_t kParamFileRows = kImageLastFileRow + 1;  // 481
inline constexpr std::size_t kParamFileCols = 16;
inline constexpr std::size_t kParamFileValues = kParamFileRows * kParamFileCols;  // 7,696

// The whole file for the image as it stands.
std::string Param_File_Text(const MemImage& image);

// Reads the 7,696 numbers of the file at path (anything after them is not read).
rt::NumberRead Read_Param_File(const std::string& path);

// The load and the save as the open and save dialogs run them on File_Path. A failure is reported
// in a message box and changes neither the image nor an existing file; true when the operation
// was done and the dialog may close.
bool Param_File_Load(Program& program);
bool Param_File_Save(Program& program);

}  // namespace j5
