// Headless cost of the form kit's largest fills: a 129 x 14 grid cell by
// cell through Row/Col/Text (LeaveCell wired, as the channel editor has
// it) and four combo boxes of 2,211 items each. The Qt backend's figures
// come from its own benchmark; these are the kit's share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/kit.h"

namespace {

class Window : public kit::Form {
 public:
  explicit Window(kit::Platform& p) : Form(p, "bench") {
    MSF_Chann.LeaveCell = [this] { ++leaves; };
  }
  int leaves = 0;
  kit::Grid MSF_Chann{*this, "MSF_Chann"};
  kit::ControlArray<kit::ComboBox> Combo{*this, "Combo", 4};
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <class F>
double timeMs(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main() {
  kit::HeadlessPlatform platform;
  kit::FormSlot<Window> slot{[&] { return std::make_unique<Window>(platform); }};
  Window& w = slot.load();
  std::vector<std::string> items;
  for (int i = 0; i < 2211; ++i) items.push_back("D" + std::to_string(i) + "N");

  std::vector<double> grid, combos;
  for (int run = 0; run < 25; ++run) {
    grid.push_back(timeMs([&] {
      auto& g = w.MSF_Chann;
      g.setFixedCols(0);
      g.setFormatString(
          "^Channel|^  Band  |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|"
          "^CTCSS/DCS Enc|^TX Power|^ W/N |^PTT-ID|^BusyLock|^Scan_Add|^SigCode|"
          "^SCR|^CH-Name");
      g.setRows(129);
      for (int r = 1; r < 129; ++r) {
        g.setRow(r);
        for (int c = 0; c < 14; ++c) {
          g.setCol(c);
          g.setText(std::to_string(run + r * c));
        }
      }
    }));
    combos.push_back(timeMs([&] {
      for (int k = 0; k < 4; ++k) {
        auto& box = w.Combo[k];
        box.clear();
        for (const auto& s : items) box.addItem(s);
      }
    }));
  }
  std::printf("headless grid fill 129x14 cell by cell: median %.3f ms\n", median(grid));
  std::printf("headless fill of 4 combo boxes x 2211 items: median %.3f ms\n", median(combos));
  return 0;
}
