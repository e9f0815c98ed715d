// The signal file reader, as a tone window serves an open request raised by its file dialog
// (File_Path set, Open_File_Req raised, Timer4's next tick). Whatever the file holds:
// - nothing escapes a handler, and the window answers with one message;
// - the load succeeds exactly when the file begins with 144 numbers of 0..255;
// - after a failure the staged block is as it was; after a success its rows 0..8 hold the
//   numbers and nothing else of it changed;
// - the image (the channel records and all after them) never changes;
// - saving the staged block and loading the file again gives the same nine rows.
//
// Input: a set-up byte (language, which window), then the file's bytes.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "file_harness.h"
#include "fuzz_support.h"

using j5fuzz::Check;

namespace {

constexpr std::size_t kValues = 144;

struct Harness : j5fuzz::File_Harness {
  j5::Shared_Data& data = program.data;
  j5::Tone_Window* window = nullptr;

  explicit Harness(std::uint8_t setup) : File_Harness("sig") {
    data.Lang_Chn = setup & 1 ? j5::kTrue : j5::kFalse;
    if (setup & 2)
      window = &program.frm_5tone.load();
    else
      window = &program.frm_2tone.load();
    platform.runUntilIdle();
    // An image with values of every kind, outside 0..255 too.
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c)
        data.Mem_Image(r, c) = static_cast<std::int16_t>((r * 37 + c * 11 + setup) % 600 - 150);
    platform.clearMessageBoxes();
  }

  // One open or save request served by Timer4; true when the window reported success.
  bool Serve(std::int16_t j5::Shared_Data::*request, const char* what) {
    platform.clearMessageBoxes();
    data.*request = j5::kTrue;
    platform.advance(600);
    platform.runUntilIdle();
    Check(data.*request == 0, [&] { return std::string(what) + " request was not served"; });
    j5fuzz::Check_Messages(platform);
    const auto& boxes = platform.messageBoxes();
    Check(boxes.size() == 1, [&] {
      return std::string(what) + " gave " + std::to_string(boxes.size()) + " messages";
    });
    const std::string& t = boxes[0].text;
    return t == "信令参数从文件调入成功 ！" ||
           t == "Succeed fold the Signal parameters from file." || t == "信令参数保存完毕 ！" ||
           t == "Complete storing Signal parameters.";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  j5fuzz::Fuzz_Input in(bytes, size);
  Harness h(in.Byte());
  j5::Shared_Data& d = h.data;
  j5::ToneStage& stage = h.window->Tone_Stage;
  const j5::MemImage image = d.Mem_Image;
  const j5::ToneStage before = stage;

  const std::string_view text = in.Rest();
  d.File_Path = h.Write("fuzz.dat", text);
  const bool loaded = h.Serve(&j5::Shared_Data::Open_File_Req, "the open");
  Check(d.Mem_Image == image, "a signal file load changed the image");

  bool undecided = false;
  auto numbers = j5fuzz::Numbers_In(text, kValues, undecided);
  // The file holds bytes for the radio.
  const auto notByte = [](int v) { return v < 0 || v > 255; };
  if (numbers && std::any_of(numbers->begin(), numbers->end(), notByte)) numbers.reset();
  if (!undecided)
    Check(loaded == numbers.has_value(),
          loaded ? "a file without 144 bytes loaded" : "a file of 144 bytes did not load");
  j5::ToneStage expected = before;
  if (loaded)
    for (std::size_t i = 0; i < kValues; ++i)
      expected(i / 16, i % 16) = numbers && !undecided ? (*numbers)[i] : stage(i / 16, i % 16);
  Check(stage == expected, loaded ? "a load changed more than the file's nine rows"
                                  : "a failed load changed the staged block");
  for (std::size_t i = 0; i < kValues; ++i) {
    const int v = stage(i / 16, i % 16);
    Check(v >= 0 && v <= 255,
          [&] { return "a staged value that is no byte: " + std::to_string(v); });
  }

  // Save the block as the window builds it, spoil the nine rows, load the file back.
  Check(h.Serve(&j5::Shared_Data::Save_File_Req, "the save"),
        "the staged block could not be saved");
  const j5::ToneStage saved = stage;
  for (std::size_t i = 0; i < kValues; ++i) stage(i / 16, i % 16) = 7;
  Check(h.Serve(&j5::Shared_Data::Open_File_Req, "the reopen"), "the saved file did not load");
  Check(stage == saved, "save then load changed the staged block");
  Check(d.Mem_Image == image, "a signal file save or load changed the image");
  return 0;
}
