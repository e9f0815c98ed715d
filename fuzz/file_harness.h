#pragma once
// What the file targets share: the program on the headless platform past its start-up, with a
// folder of its own for the file each input becomes, and the check that no error escaped.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"

namespace j5fuzz {

struct File_Harness {
  kit::HeadlessPlatform platform;
  j5::Program program{platform};
  std::string dir;

  explicit File_Harness(const std::string& tag) {
    program.MDImain.load();
    platform.advance(5000);
    dir = (std::filesystem::temp_directory_path() /
           ("j5-fuzz-" + tag + "-" + std::to_string(getpid())))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~File_Harness() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  // The bytes as the file `name` in the folder; its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string path = dir + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
};

}  // namespace j5fuzz
