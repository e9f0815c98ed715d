#pragma once
// The offscreen Qt platform's screen is 800 pixels wide unless told
// otherwise, and on a screen that small the program's start-up stops at its
// advice box. The benchmarks give it a 1024 x 768 screen instead.

#include <cstdio>
#include <filesystem>
#include <string>

namespace bench {

// The QT_QPA_PLATFORM value for an offscreen screen of 1024 x 768; empty
// when the screen file cannot be written.
inline std::string offscreen1024x768() {
  const std::string file =
      (std::filesystem::temp_directory_path() / "j5-bench-screen.json").string();
  std::FILE* f = std::fopen(file.c_str(), "w");
  if (!f) return {};
  std::fputs(
      "{\"screens\":[{\"name\":\"bench\",\"x\":0,\"y\":0,\"width\":1024,"
      "\"height\":768,\"logicalDpi\":96,\"dpr\":1}]}\n",
      f);
  std::fclose(f);
  return "offscreen:configfile=" + file;
}

}  // namespace bench
