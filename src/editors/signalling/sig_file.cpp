#include "editors/signalling/sig_file.h"

#include <filesystem>
#include <system_error>

#include "platform/runtime.h"

namespace j5 {

std::string Sig_File_Text(const ToneStage& stage) {
  return rt::formatNumberRows(kSigFileRows, 16,
                              [&](std::size_t r, std::size_t c) { return stage(r, c); });
}

namespace {

Sig_File_Read Refused(std::string chn, std::string eng) {
  return {{}, {std::move(chn), std::move(eng)}};
}

}  // namespace

Sig_File_Read Read_Sig_Text(std::string_view text) {
  rt::NumberRead read = rt::readNumbers(text, kSigFileValues);
  if (!read.ok())
    return Refused("文件中的数据不完整或有误：" + read.error,
                   "The file is short or holds a bad number: " + read.error + ".");
  for (std::size_t i = 0; i < read.values.size(); ++i) {
    const int v = read.values[i];
    if (v < 0 || v > 255) {
      const std::string where = std::to_string(i / 16 + 1);
      return Refused("第 " + where + " 行的数值 " + std::to_string(v) + " 不在 0 - 255 之间",
                     "Line " + where + " holds " + std::to_string(v) +
                         ", which is not a byte (0 to 255).");
    }
  }
  return {std::move(read.values), {}};
}

Sig_File_Read Read_Sig_File(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  // A folder cannot be read, and a pipe or a device would hold the program up.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return Refused("所选名称不是一个普通文件 ！", "The name chosen is not a plain file.");
  std::string text, error;
  if (!rt::readTextFile(path, text, error))
    return Refused("文件无法打开 ！", "The file cannot be opened.");
  return Read_Sig_Text(text);
}

void Store_Sig_Values(ToneStage& stage, const std::vector<std::int16_t>& values) {
  for (std::size_t i = 0; i < kSigFileValues && i < values.size(); ++i)
    stage(i / 16, i % 16) = values[i];
}

}  // namespace j5
