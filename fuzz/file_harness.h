#pragma once
// What the file targets share: the program on the headless platform past its start-up, with a
// folder of its own for the file each input becomes (a folder other targets use too), and the
// check that no error escaped.

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

// A folder of this process for the files a target writes, removed with it.
struct Fuzz_Folder {
  std::string dir;

  explicit Fuzz_Folder(const std::string& tag) {
    dir = (std::filesystem::temp_directory_path() /
           ("j5-fuzz-" + tag + "-" + std::to_string(getpid())))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~Fuzz_Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  Fuzz_Folder(const Fuzz_Folder&) = delete;
  Fuzz_Folder& operator=(const Fuzz_Folder&) = delete;
  // The bytes as the file `name` in the folder; its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string path = dir + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
};

struct File_Harness : Fuzz_Folder {
  kit::HeadlessPlatform platform;
  j5::Program program{platform};

  explicit File_Harness(const std::string& tag) : Fuzz_Folder(tag) {
    program.MDImain.load();
    platform.advance(5000);
  }
};

}  // namespace j5fuzz
