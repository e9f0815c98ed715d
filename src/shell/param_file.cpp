#include "shell/param_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"
#include "shell/prompt.h"

namespace j5 {

namespace fs = std::filesystem;

namespace {

// A message box is no place for a whole stray line of text.
std::string shortened(const std::string& s) {
  constexpr int kMax = 120;
  if (kit::utf8::length(s) <= kMax) return s;
  return s.substr(0, kit::utf8::offset(s, kMax)) + "...";
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Control characters other than line layout mark a file that is not text at all.
bool isBinary(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return (c < 0x20 && !isBlank(ch)) || c == 0x7F;
  });
}

bool fail(Param_File_Failure& why, std::string chn, std::string eng) {
  why = {std::move(chn), std::move(eng)};
  return false;
}

}  // namespace

std::string Param_File_Text(const MemImage& image) {
  return rt::formatNumberRows(kParamFileRows, kParamFileCols,
                              [&](std::size_t r, std::size_t c) { return image(r, c); });
}

bool Read_Param_File(const std::string& path, std::vector<std::int16_t>& values,
                     Param_File_Failure& why) {
  return Read_Number_File(path, kParamFileValues, values, why);
}

bool Read_Number_File(const std::string& path, std::size_t count,
                      std::vector<std::int16_t>& values, Param_File_Failure& why) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (fs::is_directory(status))
    return fail(why, "所选名称是一个目录，不是参数文件 ！", "The name chosen is a directory.");
  // A pipe or device would hang the program or never end.
  if (fs::exists(status) && !fs::is_regular_file(status))
    return fail(why, "所选名称不是一个普通文件 ！", "The name chosen is not a plain file.");

  std::string text, error;
  if (!rt::readTextFile(path, text, error))
    return fail(why, "参数文件无法打开 ！", "The parameter file cannot be opened.");
  if (std::all_of(text.begin(), text.end(), isBlank))
    return fail(why, "参数文件是空的 ！", "The parameter file is empty.");

  rt::NumberRead read = rt::readNumbers(text, count);
  if (!read.ok()) {
    // Trailing matter after the last number wanted is allowed, so a binary file is only named
    // as such once the numbers themselves went wrong.
    if (isBinary(text))
      return fail(why, "参数文件不是文本文件 ！", "The parameter file is not a text file.");
    const std::string detail = shortened(read.error);
    return fail(why, "参数文件中的数据不完整或有误：" + detail,
                "The parameter file is short or holds a bad number: " + detail + ".");
  }
  values = std::move(read.values);
  return true;
}

void Operate_Prompt(Program& program, const std::string& chn, const std::string& eng) {
  Prompt(program, {chn, eng});
}

bool Param_File_Load(Program& program) {
  SharedData& d = program.data;
  // The dialog has just pointed File_Path at a parameter file; a pending adjustment open must
  // not read it as an adjustment file.
  d.Open_Adj_Req = kFalse;

  std::vector<std::int16_t> values;
  Param_File_Failure why;
  if (!Read_Param_File(d.File_Path, values, why)) {
    Operate_Prompt(program, "参数文件调入失败 ！\n" + d.File_Path + "\n" + why.chn,
                   "Fail to load the parameter file.\n" + d.File_Path + "\n" + why.eng);
    return false;
  }
  for (std::size_t r = 0; r < kParamFileRows; ++r)
    std::copy_n(values.begin() + static_cast<std::ptrdiff_t>(r * kParamFileCols), kParamFileCols,
                d.Mem_Image.row(r).begin());

  Operate_Prompt(program, "参数从文件调入成功 ！", "Succeed fold the parameter from file.");

  // Every editor showing the image shows the loaded one; the channel editor opens in any case.
  program.frm_chann.unload();
  program.frm_chann.load();
  if (d.Win_Option) {
    program.frm_option.unload();
    program.frm_option.load();
  }
  if (d.Win_Dtmf) {
    program.frm_dtmf.unload();
    program.frm_dtmf.load();
  }
  return true;
}

bool Param_File_Save(Program& program) {
  SharedData& d = program.data;
  // A pending adjustment save would write over the file chosen here.
  d.Save_Adj_Req = kFalse;

  std::string error;
  if (!rt::writeTextFileReplacing(d.File_Path, Param_File_Text(d.Mem_Image), error)) {
    const std::string detail = shortened(error);
    Operate_Prompt(program, "参数保存失败 ！\n" + detail,
                   "Fail to store the parameter file.\n" + detail);
    return false;
  }
  Operate_Prompt(program, "参数保存完毕 ！", "Complete storing  parameter.");
  return true;
}

}  // namespace j5
