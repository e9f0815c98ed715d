#pragma once
// The order in which handlers ran, as the tests of the event rules read it.

#include <string>
#include <vector>

namespace test {

struct Log {
  std::vector<std::string> lines;
  void operator()(const std::string& s) { lines.push_back(s); }
  std::string joined() const {
    std::string out;
    for (const auto& l : lines) out += (out.empty() ? "" : " ") + l;
    return out;
  }
  void clear() { lines.clear(); }
};

}  // namespace test
