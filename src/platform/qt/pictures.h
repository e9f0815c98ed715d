// The program's pictures (toolbar buttons, the about box), drawn rather
// than loaded, so the program needs no image files.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace kit::qt {

// A picture by name ("open", "save", "edit_chann", "read", "write", "exit",
// "logo"); any other name draws its first letter on a badge.
QPixmap drawPicture(const std::string& name, int size);
QIcon pictureIcon(const std::string& name);

}  // namespace kit::qt
