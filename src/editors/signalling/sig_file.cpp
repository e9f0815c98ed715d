#include "editors/signalling/sig_file.h"

#include "platform/runtime.h"

namespace j5 {

std::string Sig_File_Text(const ToneStage& stage) {
  return rt::formatNumberRows(kSigFileRows, 16,
                              [&](std::size_t r, std::size_t c) { return stage(r, c); });
}

namespace {

constexpr rt::NumberRange kBytes{0, 255};

}  // namespace

rt::NumberRead Read_Sig_Text(std::string_view text) {
  return rt::readNumbers(text, kSigFileValues, kBytes);
}

rt::NumberRead Read_Sig_File(const std::string& path) {
  return rt::readNumberFile(path, kSigFileValues, kBytes);
}

void Store_Sig_Values(ToneStage& stage, const std::vector<std::int16_t>& values) {
  for (std::size_t i = 0; i < kSigFileValues && i < values.size(); ++i)
    stage(i / 16, i % 16) = values[i];
}

}  // namespace j5
