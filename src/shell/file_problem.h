#pragma once
// What went wrong with a file, in the user's words and both languages, for the windows that read
// and save the program's files. Lines are named as an editor counts them, from 1.

#include <cstddef>

#include "platform/number_file.h"
#include "shell/prompt.h"

namespace j5 {

// The reason alone ("The file is read-only."), to stand after a window's own headline.
Bilingual File_Problem_Text(const rt::FileProblem& problem);

// "Line 30 of the parameter file" for image row 29: the line a user opens the file at.
Bilingual Param_File_Line_Text(std::size_t imageRow);

}  // namespace j5
