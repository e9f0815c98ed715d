// The channel editor's channel file, as its file poll loads it. A load succeeds exactly when the
// file begins with 7,920 numbers of 16 bits (495 lines of 16); after a failure the image is as it
// was; after a success rows 0..494 hold the numbers (the rebuilt grid empties empty channels) and
// nothing else changed; saving and loading again gives the same numbers.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editors/channels/frm_chann.h"
#include "fuzz_support.h"
#include "platform/headless.h"
#include "platform/number_file.h"
#include "shell/MDImain.h"
#include "shell/program.h"

using j5fuzz::Check;

namespace {

constexpr std::size_t kRows = 495;

struct Harness {
  kit::HeadlessPlatform platform;
  j5::Program program{platform};
  std::string dir;

  Harness() {
    program.MDImain.load();
    platform.advance(5000);
    dir = (std::filesystem::temp_directory_path() / ("j5-fuzz-chann-" + std::to_string(getpid())))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~Harness() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

Harness& The_Harness() {
  static Harness h;
  return h;
}

// Loads or saves through the poll, as the file dialogs' requests reach it; true without a
// message of failure.
bool Poll(Harness& h, bool open) {
  j5::Shared_Data& d = h.program.data;
  (open ? d.Open_Adj_Req : d.Save_Adj_Req) = j5::kTrue;
  h.platform.clearMessageBoxes();
  h.program.frm_chann->Poll_File_Req();
  h.platform.runUntilIdle();
  const auto& boxes = h.platform.messageBoxes();
  j5fuzz::Check_Messages(h.platform);
  Check(boxes.size() == 1, "a load or save without exactly one message");
  return boxes[0].text.find("Fail") != 0 && boxes[0].text.find("失败") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Harness& h = The_Harness();
  j5::Shared_Data& d = h.program.data;
  j5fuzz::Fuzz_Input in(data, size);

  const std::uint8_t seed = in.Byte();
  d.Lang_Chn = seed & 1 ? j5::kTrue : j5::kFalse;
  d.Chann_Total = static_cast<std::int16_t>(1 + seed % 128);
  if (!h.program.frm_chann.loaded()) h.program.frm_chann.load();
  j5::MemImage& image = d.Mem_Image;
  for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
    for (std::size_t c = 0; c < j5::MemImage::kCols; ++c)
      image(r, c) = static_cast<std::int16_t>((r * 51 + c) * (seed | 1) % 700 - 200);
  const j5::MemImage before = image;

  const std::string_view text = in.Rest();
  d.File_Path = h.dir + "/fuzz.dat";
  {
    std::ofstream out(d.File_Path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  const bool loaded = Poll(h, true);
  const j5::rt::NumberRead numbers = j5::rt::readNumbers(text, kRows * 16);
  Check(loaded == numbers.ok(),
        loaded ? "a file without 7,920 numbers loaded" : "a file of 7,920 numbers did not load");
  if (!loaded) {
    Check(image == before, "a failed load changed the image");
    return 0;
  }
  j5::MemImage expected = before;
  for (std::size_t i = 0; i < kRows * 16; ++i) expected(i / 16, i % 16) = numbers.values[i];
  j5fuzz::Normalise_Empty_Channels(expected, d.Chann_Total);
  Check(image == expected, "the image after a load is not the file's numbers");

  const j5::MemImage loadedImage = image;
  Check(Poll(h, false), "the loaded image could not be saved");
  for (std::size_t r = 0; r < kRows; ++r)
    for (std::size_t c = 0; c < 16; ++c) image(r, c) = 0;
  Check(Poll(h, true), "the saved file did not load");
  Check(image == loadedImage, "save then load changed the numbers");
  return 0;
}
