#include "shell/file_problem.h"

#include <string>

namespace j5 {

namespace {

using Kind = rt::FileProblem::Kind;

std::string n(std::size_t v) {
  return std::to_string(v);
}

}  // namespace

Bilingual File_Problem_Text(const rt::FileProblem& p) {
  const std::string line = n(p.line);
  switch (p.kind) {
    case Kind::None:
      return {};
    case Kind::NotFound:
      return {"文件不存在 ！", "The file does not exist."};
    case Kind::NoAccess:
      return {"没有使用该文件的权限 ！", "Access to the file is not permitted."};
    case Kind::IsDirectory:
      return {"所选名称是一个目录，不是文件 ！", "The name chosen is a directory."};
    case Kind::NotPlainFile:
      return {"所选名称不是一个普通文件 ！", "The name chosen is not a plain file."};
    case Kind::ReadOnly:
      return {"文件是只读的 ！", "The file is read-only."};
    case Kind::ReadOnlyDisk:
      return {"磁盘是只读的 ！", "The disk is read-only."};
    case Kind::FolderRefuses:
      return {"不允许在该目录中新建文件 ！", "No new file may be made in this directory."};
    case Kind::NoSpace:
      return {"磁盘空间不足 ！", "The disk is full."};
    case Kind::NameTooLong:
      return {"文件名太长 ！", "The file name is too long."};
    case Kind::TooLarge:
      return {"文件太大 ！", "The file is too large."};
    case Kind::LinkLoop:
      return {"路径中的符号链接绕成了环，或链接层数过多 ！",
              "The path goes round in symbolic links, or through too many of them."};
    case Kind::SystemError:
      return {"系统错误（代码 " + std::to_string(p.sys_error) + "）！",
              "System error (code " + std::to_string(p.sys_error) + ")."};
    case Kind::Empty:
      return {"文件是空的 ！", "The file is empty."};
    case Kind::NotText:
      return {"文件不是文本文件 ！", "The file is not a text file."};
    case Kind::TooFewNumbers:
      return {"文件只有 " + n(p.found) + " 个数（最后一个在第 " + line + " 行），需要 " +
                  n(p.wanted) + " 个 ！",
              "The file holds only " + n(p.found) + " of " + n(p.wanted) +
                  " numbers (the last on line " + line + ")."};
    case Kind::NotANumber:
      return {"第 " + line + " 行的“" + p.item + "”不是整数 ！",
              "Line " + line + ": \"" + p.item + "\" is not a whole number."};
    case Kind::OutOfRange:
      return {"第 " + line + " 行的 " + p.item + " 超出 " + std::to_string(p.low) + " 至 " +
                  std::to_string(p.high) + " 的范围 ！",
              "Line " + line + ": " + p.item + " is out of the range " + std::to_string(p.low) +
                  " to " + std::to_string(p.high) + "."};
    case Kind::EmptyField:
      return {"第 " + line + " 行有一个空的数据项 ！",
              "Line " + line + ": an empty field between commas."};
  }
  return {};
}

void Prompt_File_Problem(Program& program, const Bilingual& headline, const std::string& path,
                         const rt::FileProblem& problem, Prompt_Title title) {
  const Bilingual why = File_Problem_Text(problem);
  Prompt(program,
         {headline.chn + "\n" + path + "\n" + why.chn, headline.eng + "\n" + path + "\n" + why.eng},
         title);
}

Bilingual Param_File_Line_Text(std::size_t imageRow) {
  return {"参数文件第 " + n(imageRow + 1) + " 行",
          "Line " + n(imageRow + 1) + " of the parameter file"};
}

}  // namespace j5
