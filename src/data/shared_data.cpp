#include "data/shared_data.h"

#include <algorithm>

#include "data/access_code.h"
#include "data/fields.h"

namespace j5 {

void Fill_Access_Code(Shared_Data& data) {
  std::copy(kAccessCode.begin(), kAccessCode.end(), data.Access_Code.begin());
}

namespace {

constexpr int kOptionBytes = Option_Block.Count() * kRowBytes;

std::int16_t& Option_Byte(MemImage& image, int n) {
  const fields::Place at = fields::At(Option_Block.first, n);
  return image(at.row, at.col);
}

}  // namespace

void Option_Val_To_Block(Shared_Data& data) {
  for (int n = 0; n < kOptionBytes; ++n)
    Option_Byte(data.Mem_Image, n) = data.Option_Val[static_cast<std::size_t>(n)];
}

void Option_Block_To_Val(Shared_Data& data) {
  for (int n = 0; n < kOptionBytes; ++n)
    data.Option_Val[static_cast<std::size_t>(n)] = Option_Byte(data.Mem_Image, n);
}

}  // namespace j5
