// The parameter file reader, as File > Open runs it on the file the user picked. A load succeeds
// exactly when the file holds 7,696 numbers of 16 bits; after a failure the image is as it was;
// after a success rows 0..480 hold the numbers and nothing else changed; saving and loading again
// gives the same numbers.

#include "shell/param_file.h"

#include <vector>

#include "file_harness.h"

using j5fuzz::Check;

namespace {

constexpr std::size_t kValues = 481 * 16;

j5fuzz::File_Harness& The_Harness() {
  static j5fuzz::File_Harness h("param");
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  j5fuzz::File_Harness& h = The_Harness();
  j5::Shared_Data& d = h.program.data;
  j5fuzz::Fuzz_Input in(data, size);

  // An image before the load with values of every kind, outside 0..255 too.
  const std::uint8_t seed = in.Byte();
  d.Lang_Chn = seed & 1 ? j5::kTrue : j5::kFalse;
  j5::MemImage& image = d.Mem_Image;
  for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
    for (std::size_t c = 0; c < j5::MemImage::kCols; ++c)
      image(r, c) = static_cast<std::int16_t>((r * 51 + c) * (seed | 1) % 700 - 200);
  const j5::MemImage before = image;

  const std::string_view text = in.Rest();
  d.File_Path = h.Write("fuzz.dat", text);
  h.platform.clearMessageBoxes();
  const bool loaded = j5::Param_File_Load(h.program);
  h.platform.runUntilIdle();
  j5fuzz::Check_Messages(h.platform);

  bool undecided = false;
  const auto numbers = j5fuzz::Numbers_In(text, kValues, undecided);
  if (!undecided) {
    Check(loaded == numbers.has_value(),
          loaded ? "a file without 7,696 numbers loaded" : "a file of 7,696 numbers did not load");
  }
  if (!loaded) {
    Check(image == before, "a failed load changed the image");
    return 0;
  }
  // The file's numbers, as the reopened channel window shows them (it empties the records and
  // name rows of empty channels).
  j5::MemImage expected = before;
  for (std::size_t r = 0; r <= 480; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      expected(r, c) = numbers && !undecided ? (*numbers)[r * 16 + c] : image(r, c);
  j5fuzz::Normalise_Empty_Channels(expected, d.Chann_Total);
  Check(image == expected, "the image after a load is not the file's numbers");

  const j5::MemImage loadedImage = image;
  Check(j5::Param_File_Save(h.program), "the loaded image could not be saved");
  image = before;
  Check(j5::Param_File_Load(h.program), "the saved file did not load");
  h.platform.runUntilIdle();  // the reopened channel window's activation, before the next input
  Check(image == loadedImage, "save then load changed the numbers");
  j5fuzz::Check_Messages(h.platform);
  return 0;
}
