#pragma once
// What went wrong with a file, in the user's words and both languages, for the windows that read
// and save the program's files. Lines are named as an editor counts them, from 1.

#include <cstddef>
#include <string>

#include "platform/number_file.h"
#include "shell/prompt.h"

namespace j5 {

// The reason alone ("The file is read-only."), to stand after a window's own headline.
Bilingual File_Problem_Text(const rt::FileProblem& problem);

// The message of a failed load or save: the window's headline ("参数文件调入失败 ！" /
// "Fail to load the parameter file."), the file's full name and the reason, one a line.
void Prompt_File_Problem(Program& program, const Bilingual& headline, const std::string& path,
                         const rt::FileProblem& problem, Prompt_Title title = Prompt_Title::Lower);

// "Line 30 of the parameter file" for image row 29: the line a user opens the file at.
Bilingual Param_File_Line_Text(std::size_t imageRow);

}  // namespace j5
