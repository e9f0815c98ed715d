#pragma once
// What the window benchmarks share: the median of their runs, and start-up's
// tables and factory image with the band limits of band variant 0.

#include <algorithm>
#include <vector>

#include "data/defaults.h"
#include "data/shared_data.h"
#include "data/tables.h"
#include "median.h"

namespace bench {

inline void startImage(j5::Shared_Data& d) {
  j5::Init_Model_Band(d);
  d.VHF_Low = 130, d.VHF_High = 179, d.UHF0_Low = 240, d.UHF0_High = 260;
  d.UHF1_Low = 400, d.UHF1_High = 520;
  j5::Init_Tone_Table(d);
  j5::Init_Opt_Id(d);
  d.Chann_Total = 128;
  j5::Init_Factory_Image(d);
}

}  // namespace bench
