#pragma once
// The whole write: the image rows of Row_Skip_List into the radio, one 16-byte row per frame.

#include <optional>

#include "link/transfer_window.h"
#include "link/transfers.h"

namespace j5 {

// A row whose first byte is 0xFF goes out as a Short_Row_Frame (channel records and names).
bool Short_Row(const Shared_Data& data, int row);

class Form_Comm_Write : public Transfer_Window {
 public:
  explicit Form_Comm_Write(Program& program);

  kit::CommandButton Command_Write{*this, "Command_Write"};

 private:
  void Form_Load();
  void Command_Write_Click();
  void Command_Cancel_Click();
  void Write_Start(Write_Plan plan);

  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
};

}  // namespace j5
