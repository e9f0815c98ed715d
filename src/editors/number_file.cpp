#include "editors/number_file.h"

#include <filesystem>
#include <system_error>

#include "platform/runtime.h"

namespace j5 {

Number_File_Read Refused_File(std::string chn, std::string eng) {
  return {{}, {std::move(chn), std::move(eng)}};
}

Number_File_Read Read_Number_Text(std::string_view text, const Number_Layout& layout) {
  rt::NumberRead read = rt::readNumbers(text, layout.count);
  if (!read.ok())
    return Refused_File("文件中的数据不完整或有误：" + read.error,
                        "The file is short or holds a bad number: " + read.error + ".");
  for (std::size_t i = layout.head; i < read.values.size(); ++i) {
    const int v = read.values[i];
    const std::size_t at = i - layout.head;
    if (at % layout.per_line < layout.bytes && (v < 0 || v > 255)) {
      const std::string where = std::to_string(layout.head + at / layout.per_line + 1);
      return Refused_File("第 " + where + " 行的数值 " + std::to_string(v) + " 不在 0 - 255 之间",
                          "Line " + where + " holds " + std::to_string(v) +
                              ", which is not a byte (0 to 255).");
    }
  }
  return {std::move(read.values), {}};
}

Number_File_Read Read_Number_File(const std::string& path, const Number_Layout& layout) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  // A folder cannot be read, and a pipe or a device would hold the program up.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return Refused_File("所选名称不是一个普通文件 ！", "The name chosen is not a plain file.");
  std::string text, error;
  if (!rt::readTextFile(path, text, error))
    return Refused_File("文件无法打开 ！", "The file cannot be opened.");
  return Read_Number_Text(text, layout);
}

}  // namespace j5
