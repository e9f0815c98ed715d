#include "editors/signalling/sig_file.h"

namespace j5 {

rt::FileProblem Save_Sig_File(const std::string& path, const ToneStage& stage) {
  const auto cell = [&](std::size_t r, std::size_t c) { return stage(r, c); };
  return rt::saveNumberLines(path, rt::tableLines(kSigFileRows, 16, cell));
}

namespace {

constexpr rt::NumberRange kBytes{0, 255};

}  // namespace

rt::NumberRead Read_Sig_File(const std::string& path) {
  return rt::readNumberFile(path, kSigFileValues, kBytes);
}

void Store_Sig_Values(ToneStage& stage, const std::vector<std::int16_t>& values) {
  for (std::size_t i = 0; i < kSigFileValues && i < values.size(); ++i)
    stage(i / 16, i % 16) = values[i];
}

}  // namespace j5
