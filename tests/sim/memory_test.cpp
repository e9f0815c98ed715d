#include "sim/memory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace {

using j5::test::readFile;

std::string numbers(int count, const char* separator, int value = 7) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(value) + separator;
  return text;
}

TEST(ParamFile, LayoutOfTheErasedMemory) {
  std::string text = sim::formatParamFile(sim::Memory());
  EXPECT_EQ(text.size(), 481u * 82u);
  std::string line;
  for (int i = 0; i < 16; ++i) line += " 255 ";
  EXPECT_EQ(text.substr(0, 82), line + "\r\n");
  EXPECT_TRUE(text.ends_with(line + "\r\n"));
}

TEST(ParamFile, DumpAndLoadRoundTrip) {
  sim::Memory memory;
  for (int a = 0; a < 481 * 16; ++a) {
    memory.set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7));
  }
  memory.set(0x2000, 0x42);  // beyond the file: not carried
  std::string text = sim::formatParamFile(memory);
  EXPECT_EQ(text.substr(0, 22), " 0  7  14  21  28  35 ");

  const j5::test::TempDir temp;
  const std::filesystem::path dir = temp.path();
  auto path = (dir / "image.dat").string();
  sim::saveParamFile(path, memory);
  EXPECT_EQ(readFile(path), text);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

  sim::Memory loaded;
  sim::loadParamFile(path, loaded);
  EXPECT_EQ(loaded.read(0, 481 * 16), memory.read(0, 481 * 16));
  EXPECT_EQ(loaded.at(0x2000), 0xFF);
}

TEST(ParamFile, ReadsNumbersHoweverTheLinesAreSplit) {
  for (const char* sep : {" ", "\r\n", "\n", "   \t "}) {
    sim::Memory memory;
    sim::parseParamFile(numbers(481 * 16, sep) + "300 -1 x", memory);  // extra items ignored
    EXPECT_EQ(memory.at(0), 7);
    EXPECT_EQ(memory.at(481 * 16 - 1), 7);
    EXPECT_EQ(memory.at(481 * 16), 0xFF);
  }
}

TEST(ParamFile, RejectsFilesThatAreNotAByteImageAndKeepsTheMemory) {
  const std::string good = numbers(481 * 16 - 1, " ");
  for (const std::string& text :
       {good, good + "256", good + "-1", good + "1x", "abc " + good, good + "+3", std::string()}) {
    sim::Memory memory;
    memory.set(0, 0x11);
    EXPECT_THROW(sim::parseParamFile(text, memory), sim::ParamFileError) << text.substr(0, 10);
    EXPECT_EQ(memory.at(0), 0x11);
  }
  sim::Memory memory;
  EXPECT_THROW(sim::loadParamFile("/nonexistent/dir/file.dat", memory), sim::ParamFileError);
  EXPECT_THROW(sim::saveParamFile("/nonexistent/dir/file.dat", memory), sim::ParamFileError);
}

}  // namespace
