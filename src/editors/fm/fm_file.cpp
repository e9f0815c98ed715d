#include "editors/fm/fm_file.h"

#include <filesystem>
#include <system_error>

#include "platform/runtime.h"

namespace j5::fm {

namespace {

Fm_File_Read Refused(std::string chn, std::string eng) {
  return {{}, {std::move(chn), std::move(eng)}};
}

constexpr std::size_t kCols = FmImage::kCols;

}  // namespace

std::string Fm_File_Text(const FmImage& image) {
  return rt::formatNumber(kFileRows) + "\r\n" +
         rt::formatNumberRows(kFileRows, kCols,
                              [&](std::size_t r, std::size_t c) { return image(r + 1, c); });
}

Fm_File_Read Read_Fm_Text(std::string_view text) {
  rt::NumberRead read = rt::readNumbers(text, kFileValues);
  if (!read.ok())
    return Refused("文件中的数据不完整或有误：" + read.error,
                   "The file is short or holds a bad number: " + read.error + ".");
  if (read.values[0] != kFileRows)
    return Refused("文件第一行不是 16 ！", "The first line of the file is not 16.");
  for (std::size_t i = 1; i < read.values.size(); ++i) {
    const int v = read.values[i];
    const std::size_t cell = (i - 1) % kCols;
    if (cell < 16 && (v < 0 || v > 255)) {
      const std::string where = std::to_string((i - 1) / kCols + 2);
      return Refused("第 " + where + " 行的数值 " + std::to_string(v) + " 不在 0 - 255 之间",
                     "Line " + where + " holds " + std::to_string(v) +
                         ", which is not a byte (0 to 255).");
    }
  }
  return {std::move(read.values), {}};
}

Fm_File_Read Read_Fm_File(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  // A folder cannot be read, and a pipe or a device would hold the program up.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return Refused("所选名称不是一个普通文件 ！", "The name chosen is not a plain file.");
  std::string text, error;
  if (!rt::readTextFile(path, text, error))
    return Refused("文件无法打开 ！", "The file cannot be opened.");
  return Read_Fm_Text(text);
}

void Store_Fm_Values(FmImage& image, const Fm_File_Read& read) {
  for (std::size_t i = 1; i < read.values.size() && i < kFileValues; ++i)
    image((i - 1) / kCols + 1, (i - 1) % kCols) = read.values[i];
}

}  // namespace j5::fm
