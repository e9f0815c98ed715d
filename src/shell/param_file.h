#pragma once
// The parameter file: image rows 0..480, columns 0..15, one row a line in the number-file layout,
// CR LF. Other windows' files share the layout with other row ranges.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/shared_data.h"

namespace j5 {

class Program;

inline constexpr std::size_t kParamFileRows = kImageLastFileRow + 1;  // 481
inline constexpr std::size_t kParamFileCols = 16;
inline constexpr std::size_t kParamFileValues = kParamFileRows * kParamFileCols;  // 7,696

// The whole file for the image as it stands.
std::string Param_File_Text(const MemImage& image);

// Why a file could not be read, in both languages.
struct Param_File_Failure {
  std::string chn, eng;
};

// Reads the 7,696 numbers of the file at path (anything after them is ignored). On failure
// `values` is unusable and `why` says what was wrong with the file.
bool Read_Param_File(const std::string& path, std::vector<std::int16_t>& values,
                     Param_File_Failure& why);

// The same for a file of `count` numbers in the parameter file's layout.
bool Read_Number_File(const std::string& path, std::size_t count,
                      std::vector<std::int16_t>& values, Param_File_Failure& why);

// The load and the save as the open and save dialogs run them on File_Path. A failure is reported
// in a message box and changes neither the image nor an existing file; true when the operation
// was done and the dialog may close.
bool Param_File_Load(Program& program);
bool Param_File_Save(Program& program);

// The message box of the file dialogs and the parameter file: exclamation icon, OK, titled
// "操作提示" / "Operate prompt", in the language of the moment.
void Operate_Prompt(Program& program, const std::string& chn, const std::string& eng);

}  // namespace j5
