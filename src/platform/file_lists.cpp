#include "platform/file_lists.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "platform/form.h"

namespace kit {

namespace fs = std::filesystem;

namespace {

std::string normalise(const std::string& base, const std::string& p) {
  fs::path path(p);
  if (path.is_relative()) path = fs::path(base) / path;
  std::string s = path.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s.empty() ? std::string("/") : s;
}

bool matchOne(const char* n, const char* p) {
  for (; *p; ++p, ++n) {
    if (*p == '*') {
      for (const char* k = n;; ++k) {
        if (matchOne(k, p + 1)) return true;
        if (!*k) return false;
      }
    }
    if (!*n) return false;
    if (*p != '?' && std::tolower(static_cast<unsigned char>(*p)) !=
                         std::tolower(static_cast<unsigned char>(*n)))
      return false;
  }
  return *n == 0;
}

}  // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t semi = pattern.find(';', start);
    const std::string one = pattern.substr(start, semi == std::string::npos ? semi : semi - start);
    // "*.*" is every file, with or without a dot, as users expect.
    if (one == "*.*" || matchOne(name.c_str(), one.c_str())) return true;
    if (semi == std::string::npos) return false;
    start = semi + 1;
  }
}

// ---------------------------------------------------------------------------

DriveListBox::DriveListBox(Form& owner, std::string name, int index)
    : Control(owner, std::move(name), index) {
  refresh();
  // The drive holding the current directory: the longest matching mount.
  const std::string cwd = platform().currentDirectory();
  for (const auto& d : drives_) {
    const bool under = d == "/" || cwd == d || cwd.rfind(d + "/", 0) == 0;
    if (under && d.size() >= drive_.size()) drive_ = d;
  }
  if (drive_.empty() && !drives_.empty()) drive_ = drives_.front();
}

void DriveListBox::refresh() {
  drives_ = platform().drives();
  notify(Prop::ItemsCleared);
}

void DriveListBox::setDrive(const std::string& d) {
  if (d == drive_) return;
  drive_ = d;
  notify(Prop::Path);
  raise(Change);
}

void DriveListBox::userPick(int index) {
  if (index < 0 || index >= static_cast<int>(drives_.size()))
    throw std::out_of_range("no such drive");
  if (!userFocus()) return;
  setDrive(drives_[static_cast<std::size_t>(index)]);
}

// ---------------------------------------------------------------------------

DirListBox::DirListBox(Form& owner, std::string name, int index)
    : Control(owner, std::move(name), index) {
  path_ = normalise("/", platform().currentDirectory());
  reread();
}

void DirListBox::reread() {
  subdirs_ = platform().listDirectories(path_);
}

void DirListBox::setPath(const std::string& p) {
  const std::string next = normalise(path_, p);
  if (next == path_) return;
  path_ = next;
  // An unreadable directory lists nothing; the user can still go elsewhere.
  reread();
  notify(Prop::Path);
  raise(Change);
}

void DirListBox::userOpen(const std::string& name) {
  if (!userFocus()) return;
  setPath(name == ".." ? fs::path(path_).parent_path().string() : path_ + "/" + name);
}

// ---------------------------------------------------------------------------

FileListBox::FileListBox(Form& owner, std::string name, int index)
    : Control(owner, std::move(name), index) {
  path_ = normalise("/", platform().currentDirectory());
  refresh();
}

void FileListBox::setPath(const std::string& p) {
  const std::string next = normalise(path_, p);
  if (next == path_) return;
  path_ = next;
  notify(Prop::Path);
  refresh();
}

void FileListBox::setPattern(const std::string& p) {
  if (p == pattern_) return;
  pattern_ = p;
  notify(Prop::Pattern);
  refresh();
}

void FileListBox::refresh() {
  files_.clear();
  for (auto& f : platform().listFiles(path_))
    if (matchesPattern(f, pattern_)) files_.push_back(f);
  listIndex_ = -1;
  notify(Prop::ItemsCleared);
}

std::string FileListBox::fileName() const {
  return listIndex_ >= 0 ? files_[static_cast<std::size_t>(listIndex_)] : std::string();
}

void FileListBox::userPick(int index) {
  if (index < 0 || index >= static_cast<int>(files_.size()))
    throw std::out_of_range("no such file");
  if (!userFocus()) return;
  listIndex_ = index;
  notify(Prop::ListIndex);
  raise(Click);
}

void FileListBox::userDoubleClick(int index) {
  userPick(index);
  if (hasFocus()) raise(DblClick);
}

}  // namespace kit
