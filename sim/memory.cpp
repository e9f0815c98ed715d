#include "sim/memory.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace sim {

std::vector<std::uint8_t> Memory::read(std::uint16_t address, std::size_t length) const {
  std::vector<std::uint8_t> out(length);
  for (std::size_t i = 0; i < length; ++i) out[i] = bytes_[(address + i) % kSize];
  return out;
}

void Memory::write(std::uint16_t address, std::span<const std::uint8_t> data) {
  for (std::size_t i = 0; i < data.size(); ++i) bytes_[(address + i) % kSize] = data[i];
}

std::string formatParamFile(const Memory& memory) {
  std::string text;
  text.reserve(kParamFileRows * 82);
  for (int row = 0; row < kParamFileRows; ++row) {
    for (int col = 0; col < 16; ++col) {
      text += ' ';
      text += std::to_string(memory.at(static_cast<std::uint16_t>(row * 16 + col)));
      text += ' ';
    }
    text += "\r\n";
  }
  return text;
}

void parseParamFile(std::string_view text, Memory& memory) {
  std::vector<std::uint8_t> values;
  values.reserve(kParamFileValues);
  std::size_t pos = 0;
  auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (values.size() < kParamFileValues) {
    while (pos < text.size() && isSpace(text[pos])) ++pos;
    if (pos == text.size()) {
      throw ParamFileError("parameter file holds " + std::to_string(values.size()) + " numbers, " +
                           std::to_string(kParamFileValues) + " needed");
    }
    std::size_t start = pos;
    bool negative = text[pos] == '-';
    if (negative) ++pos;
    long value = 0;
    std::size_t digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 6) {
      value = value * 10 + (text[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || (pos < text.size() && !isSpace(text[pos])) || negative || value > 255) {
      std::size_t end = text.find_first_of(" \t\r\n", start);
      throw ParamFileError("parameter file item " + std::to_string(values.size() + 1) + " (\"" +
                           std::string(text.substr(start, end - start)) +
                           "\") is not a byte value 0 to 255");
    }
    values.push_back(static_cast<std::uint8_t>(value));
  }
  memory.write(0, values);
}

void loadParamFile(const std::string& path, Memory& memory) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ParamFileError("cannot open parameter file " + path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ParamFileError("cannot read parameter file " + path);
  parseParamFile(text.str(), memory);
}

void saveParamFile(const std::string& path, const Memory& memory) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << formatParamFile(memory);
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      throw ParamFileError("cannot write parameter file " + temp);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    throw ParamFileError("cannot replace parameter file " + path);
  }
}

}  // namespace sim
