#include "shell/param_file.h"

#include <algorithm>

#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "platform/runtime.h"
#include "shell/file_problem.h"
#include "shell/program.h"
#include "shell/prompt.h"

namespace j5 {

std::string Param_File_Text(const MemImage& image) {
  return rt::formatNumberRows(kParamFileRows, kParamFileCols,
                              [&](std::size_t r, std::size_t c) { return image(r, c); });
}

rt::NumberRead Read_Param_File(const std::string& path) {
  return rt::readNumberFile(path, kParamFileValues);
}

bool Param_File_Load(Program& program) {
  Shared_Data& d = program.data;
  // The dialog has just pointed File_Path at a parameter file; a pending adjustment open must
  // not read it as an adjustment file.
  d.Open_Adj_Req = kFalse;

  const rt::NumberRead read = Read_Param_File(d.File_Path);
  if (!read.ok()) {
    Prompt_File_Problem(program, {"参数文件调入失败 ！", "Fail to load the parameter file."},
                        d.File_Path, read.problem);
    return false;
  }
  for (std::size_t r = 0; r < kParamFileRows; ++r)
    std::copy_n(read.values.begin() + static_cast<std::ptrdiff_t>(r * kParamFileCols),
                kParamFileCols, d.Mem_Image.row(r).begin());

  Prompt(program, {"参数从文件调入成功 ！", "Succeed fold the parameter from file."});

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
  Shared_Data& d = program.data;
  // A pending adjustment save would write over the file chosen here.
  d.Save_Adj_Req = kFalse;

  if (const auto problem = rt::saveFile(d.File_Path, Param_File_Text(d.Mem_Image))) {
    Prompt_File_Problem(program, {"参数保存失败 ！", "Fail to store the parameter file."},
                        d.File_Path, problem);
    return false;
  }
  Prompt(program, {"参数保存完毕 ！", "Complete storing  parameter."});
  return true;
}

}  // namespace j5
