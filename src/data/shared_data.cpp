#include "data/shared_data.h"

#include <algorithm>

#include "data/access_code.h"

namespace j5 {

void Fill_Access_Code(SharedData& data) {
  std::copy(kAccessCode.begin(), kAccessCode.end(), data.Access_Code.begin());
}

}  // namespace j5
