#include "data/bands.h"

#include <algorithm>

#include "data/shared_data.h"

namespace j5 {

Band_Span Band_Between(double a, double b) {
  return {std::min(a, b), std::max(a, b)};
}

Band_Span Radio_Band(const Shared_Data& data, int band) {
  switch (band) {
    case 1:
      return Band_Between(data.UHF0_Low, data.UHF0_High);
    case 2:
      return Band_Between(data.UHF1_Low, data.UHF1_High);
    default:
      return Band_Between(data.VHF_Low, data.VHF_High);
  }
}

bool In_Radio_Bands(const Shared_Data& data, double mhz) {
  for (int band = 0; band < 3; ++band)
    if (Radio_Band(data, band).Holds(mhz)) return true;
  return false;
}

}  // namespace j5
