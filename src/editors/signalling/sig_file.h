#pragma once
// The signal file: the first nine rows of a tone window's staged block, one row a line of sixteen
// values in the number-file layout, CR LF. Either tone window reads any signal file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/shared_data.h"
#include "platform/number_file.h"

namespace j5 {

inline constexpr std::size_t kSigFileRows = 9;
inline constexpr std::size_t kSigFileValues = kSigFileRows * 16;

// Saves rows 0 to 8 of the stage carefully.
rt::FileProblem Save_Sig_File(const std::string& path, const ToneStage& stage);

// The 144 values of a signal file, rows 0 to 8 in order; every one a byte, as the file holds
// bytes meant for the radio.
rt::NumberRead Read_Sig_File(const std::string& path);

// Rows 0 to 8 of the stage take the values read.
void Store_Sig_Values(ToneStage& stage, const std::vector<std::int16_t>& values);

}  // namespace j5
