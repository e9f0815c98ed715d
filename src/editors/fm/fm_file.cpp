#include "editors/fm/fm_file.h"

#include "platform/runtime.h"

namespace j5::fm {

namespace {

constexpr std::size_t kCols = FmImage::kCols;

// The count and the radio bytes, checked once every number has been read.
rt::NumberRead Checked(rt::NumberRead read) {
  if (!read.ok()) return read;
  const auto refuse = [&](std::size_t i, int low, int high) {
    read.problem.kind = rt::FileProblem::Kind::OutOfRange;
    read.problem.line = i == 0 ? 1 : (i - 1) / kCols + 2;
    read.problem.low = low;
    read.problem.high = high;
    read.problem.item = std::to_string(read.values[i]);
    return read;
  };
  if (read.values[0] != kFileRows) return refuse(0, kFileRows, kFileRows);
  for (std::size_t i = 1; i < read.values.size(); ++i)
    if ((i - 1) % kCols < 16 && (read.values[i] < 0 || read.values[i] > 255))
      return refuse(i, 0, 255);
  return read;
}

}  // namespace

std::string Fm_File_Text(const FmImage& image) {
  return rt::formatNumber(kFileRows) + "\r\n" +
         rt::formatNumberRows(kFileRows, kCols,
                              [&](std::size_t r, std::size_t c) { return image(r + 1, c); });
}

rt::NumberRead Read_Fm_Text(std::string_view text) {
  return Checked(rt::readNumbers(text, kFileValues));
}

rt::NumberRead Read_Fm_File(const std::string& path) {
  return Checked(rt::readNumberFile(path, kFileValues));
}

void Store_Fm_Values(FmImage& image, const rt::NumberRead& read) {
  for (std::size_t i = 1; i < read.values.size() && i < kFileValues; ++i)
    image((i - 1) / kCols + 1, (i - 1) % kCols) = read.values[i];
}

}  // namespace j5::fm
