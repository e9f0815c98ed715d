#pragma once
// Small text rules of the channel editor shared by its display, its editors
// and its commit.

#include <string>

#include "platform/runtime.h"
#include "platform/utf8.h"

namespace j5::chann {

// The first n characters (not bytes) of text.
inline std::string Left_Chars(const std::string& text, int n) {
  return text.substr(0, kit::utf8::offset(text, n));
}

inline bool Is_Name_Char(char32_t ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z');
}

// Holds a flag raised for the lifetime of a scope.
class Commit_Guard {
 public:
  explicit Commit_Guard(bool& flag) : flag_(flag) { flag_ = true; }
  ~Commit_Guard() { flag_ = false; }
  Commit_Guard(const Commit_Guard&) = delete;
  Commit_Guard& operator=(const Commit_Guard&) = delete;

 private:
  bool& flag_;
};

}  // namespace j5::chann
