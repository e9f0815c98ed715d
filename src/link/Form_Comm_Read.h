#pragma once
// The whole read: the radio's parameter memory 0x0000-0x17FF in 96 blocks of 64 bytes into image
// rows 0 to 383.

#include "link/transfer_window.h"

namespace j5 {

class Form_Comm_Read : public Transfer_Window {
 public:
  explicit Form_Comm_Read(Program& program);

  kit::CommandButton Command_read{*this, "Command_read"};

  // The Block_Buf row that receives the next reply (2 for the first, 97 for the last).
  int Block_Index = 0;

  static constexpr int kBlocks = 96;

 private:
  void Form_Load();
  void Command_read_Click();
  void Command_Cancel_Click();
  void Read_Start();
  void Block_Phase();
  void Block_Step();
  void Blocks_To_Image();
  // Where the data of the reply stored in a Block_Buf row begin: four columns after its Cmd_Data.
  std::size_t Reply_Data_Column(std::size_t row) const;
  void Request_Block(int address);
};

}  // namespace j5
