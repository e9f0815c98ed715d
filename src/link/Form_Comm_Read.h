#pragma once
// The whole read: the radio's parameter memory 0x0000-0x17FF in 96 blocks of 64 bytes into image
// rows 0 to 383.

#include <array>
#include <cstdint>

#include "data/image_rows.h"
#include "link/transfer_window.h"

namespace j5 {

class Form_Comm_Read : public Transfer_Window {
 public:
  explicit Form_Comm_Read(Program& program);

  kit::CommandButton Command_read{*this, "Command_read"};

  static constexpr int kBlocks = (kImageLastRadioRow + 1) / kBlockRows;

 private:
  // The replies of the read under way, by the image row they go to; the image takes them only
  // once all have come.
  std::array<std::array<std::uint8_t, 64>, kBlocks> Blocks{};
  std::array<int, kBlocks> Block_Dest{};

  void Form_Load();
  void Command_read_Click();
  void Read_Start();
  void Blocks_To_Image();

  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  void Link_Done() override;
};

}  // namespace j5
