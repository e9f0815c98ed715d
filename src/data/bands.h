#pragma once
// The radio's bands. A radio reports each band as two limits in MHz, and the three bands in any
// order: a band above another, bands that overlap, a band given high-first. A band is whatever
// lies between its two limits, both included; every check of a frequency or a limit against the
// radio's bands, and every store of a band's limits, takes the band from here.

#include <array>

namespace j5 {

struct Shared_Data;

struct Band_Span {
  double low = 0;   // never above high
  double high = 0;  // never below low

  bool Holds(double mhz) const { return mhz >= low && mhz <= high; }
};

// The band between two limits, whichever comes first.
Band_Span Band_Between(double a, double b);

// The radio's band 0 (VHF_Low, VHF_High), 1 (UHF0_Low, UHF0_High) or 2 (UHF1_Low, UHF1_High).
Band_Span Radio_Band(const Shared_Data& data, int band);

// Whether a frequency lies inside any of the radio's three bands.
bool In_Radio_Bands(const Shared_Data& data, double mhz);

}  // namespace j5
