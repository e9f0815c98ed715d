// Drive, directory and file list boxes. On Linux a "drive" is the file-system
// root or a mounted volume; a directory that cannot be read shows empty and
// the program stays usable.
#pragma once

#include <string>
#include <vector>

#include "platform/control.h"

namespace kit {

class DriveListBox : public Control {
 public:
  DriveListBox(Form& owner, std::string name, int index = -1);
  ControlKind kind() const override { return ControlKind::DriveListBox; }
  bool canTakeFocus() const override { return true; }
  const std::vector<std::string>& drives() const { return drives_; }
  // The chosen drive (a mount point path); initially the one holding the
  // program's current directory.
  const std::string& drive() const { return drive_; }
  // A different drive raises Change.
  void setDrive(const std::string& d);
  void refresh();
  std::function<void()> Change;
  void userPick(int index);

 private:
  std::vector<std::string> drives_;
  std::string drive_;
};

class DirListBox : public Control {
 public:
  DirListBox(Form& owner, std::string name, int index = -1);
  ControlKind kind() const override { return ControlKind::DirListBox; }
  bool canTakeFocus() const override { return true; }
  // Initially the program's current directory.
  const std::string& path() const { return path_; }
  // A different path raises Change. A drive sets its root directory.
  void setPath(const std::string& p);
  // Sub-directories of path(), sorted.
  const std::vector<std::string>& subdirs() const { return subdirs_; }
  std::function<void()> Change;
  // The user opened a sub-directory by name, or ".." for the parent.
  void userOpen(const std::string& name);

 private:
  std::string path_;
  std::vector<std::string> subdirs_;
  void reread();
};

class FileListBox : public Control {
 public:
  FileListBox(Form& owner, std::string name, int index = -1);
  ControlKind kind() const override { return ControlKind::FileListBox; }
  bool canTakeFocus() const override { return true; }
  const std::string& path() const { return path_; }
  void setPath(const std::string& p);
  // Semicolon-separated wildcards ("*.dat"), matched without regard to case.
  const std::string& pattern() const { return pattern_; }
  void setPattern(const std::string& p);
  const std::vector<std::string>& files() const { return files_; }
  int listIndex() const { return listIndex_; }
  // The chosen file name (without directory), "" when none.
  std::string fileName() const;
  void refresh();
  std::function<void()> Click;
  std::function<void()> DblClick;
  void userPick(int index);
  void userDoubleClick(int index);

 private:
  std::string path_;
  std::string pattern_ = "*.*";
  std::vector<std::string> files_;
  int listIndex_ = -1;
};

// Wildcard match of "*" and "?" without regard to ASCII case.
bool matchesPattern(const std::string& name, const std::string& pattern);

}  // namespace kit
