// The adjustment file reader, as the adjustment window's timer runs it on the file a dialog
// named. A load succeeds exactly when the file begins with 256 numbers from 0 to 255; after a
// failure the table is as it was; after a success rows 0..15 hold the numbers, except the power
// boxes the page shows refuse a number outside their range and put their default in; rows 16..19
// never change; saving and loading again gives the same table.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "data/defaults.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "fuzz_support.h"
#include "platform/headless.h"
#include "shell/MDImain.h"
#include "shell/program.h"

using j5fuzz::Check;

namespace {

constexpr std::size_t kValues = 16 * 16;
// The highest value the power boxes of the first page take, by table row.
constexpr int kPowerMax[3] = {15, 15, 63};

struct Harness {
  kit::HeadlessPlatform platform;
  j5::Program program{platform};
  j5::frm_Adj_Txp* window = nullptr;
  std::string dir;

  Harness() {
    program.MDImain.load();
    platform.advance(5000);
    window = &program.frm_Adj_Txp.load();
    platform.runUntilIdle();
    dir = (std::filesystem::temp_directory_path() / ("j5-fuzz-adj-" + std::to_string(getpid())))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~Harness() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  // Raises the request as the open or save dialog does; the window's timer serves it.
  bool Serve(std::int16_t j5::Shared_Data::*request, const char* done) {
    program.data.*request = j5::kTrue;
    platform.clearMessageBoxes();
    platform.advance(500);
    j5fuzz::Check_Messages(platform);
    for (const auto& box : platform.messageBoxes())
      if (box.text == done) return true;
    return false;
  }
};

Harness& The_Harness() {
  static Harness h;
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Harness& h = The_Harness();
  j5::Shared_Data& d = h.program.data;
  j5fuzz::Fuzz_Input in(data, size);

  // The table before the load: every row, the read-only ones too, with values of every kind.
  const std::uint8_t seed = in.Byte();
  d.Lang_Chn = j5::kTrue;
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 16; ++c)
      d.Adj_Value(r, c) = static_cast<std::int16_t>((r * 16 + c) * (seed | 1) % 300);
  h.window->Show_Adj_Page();
  const j5::AdjTable before = d.Adj_Value;

  const std::string_view text = in.Rest();
  d.File_Path = h.dir + "/fuzz.adj";
  {
    std::ofstream out(d.File_Path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  const bool loaded = h.Serve(&j5::Shared_Data::Open_Adj_Req, "调整参数从文件调入成功 ！");

  bool undecided = false;
  const auto numbers = j5fuzz::Numbers_In(text, kValues, undecided, {0, 255});
  if (!undecided) {
    Check(loaded == numbers.has_value(),
          loaded ? "a file without 256 bytes loaded" : "a file of 256 bytes did not load");
  }
  if (!loaded) {
    Check(d.Adj_Value == before, "a failed load changed the table");
    return 0;
  }
  j5::AdjTable expected = before;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) {
      int v = numbers && !undecided ? (*numbers)[static_cast<std::size_t>(r * 16 + c)]
                                    : d.Adj_Value(r, c);
      if (r < 3 && (v < 0 || v > kPowerMax[r])) v = d.Adj_Default(r, c);
      expected(r, c) = static_cast<std::int16_t>(v);
    }
  Check(d.Adj_Value == expected, "the table after a load is not the file's numbers");

  const j5::AdjTable loadedTable = d.Adj_Value;
  Check(h.Serve(&j5::Shared_Data::Save_Adj_Req, "调整参数保存完毕 ！"),
        "the loaded table could not be saved");
  d.Adj_Value = before;
  h.window->Show_Adj_Page();
  Check(h.Serve(&j5::Shared_Data::Open_Adj_Req, "调整参数从文件调入成功 ！"),
        "the saved file did not load");
  Check(d.Adj_Value == loadedTable, "save then load changed the table");
  return 0;
}
