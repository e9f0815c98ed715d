#include "editors/fm/fm_file.h"

#include "platform/runtime.h"

namespace j5::fm {

namespace {

constexpr std::size_t kCols = FmImage::kCols;
constexpr Number_Layout kLayout{kFileValues, 1, kCols, 16};

Fm_File_Read Counted(Fm_File_Read read) {
  if (read.ok() && read.values[0] != kFileRows)
    return Refused_File("文件第一行不是 16 ！", "The first line of the file is not 16.");
  return read;
}

}  // namespace

std::string Fm_File_Text(const FmImage& image) {
  return rt::formatNumber(kFileRows) + "\r\n" +
         rt::formatNumberRows(kFileRows, kCols,
                              [&](std::size_t r, std::size_t c) { return image(r + 1, c); });
}

Fm_File_Read Read_Fm_Text(std::string_view text) {
  return Counted(Read_Number_Text(text, kLayout));
}

Fm_File_Read Read_Fm_File(const std::string& path) {
  return Counted(Read_Number_File(path, kLayout));
}

void Store_Fm_Values(FmImage& image, const Fm_File_Read& read) {
  for (std::size_t i = 1; i < read.values.size() && i < kFileValues; ++i)
    image((i - 1) / kCols + 1, (i - 1) % kCols) = read.values[i];
}

}  // namespace j5::fm
