#pragma once
// The whole write: the image rows of Row_Skip_List into the radio, one 16-byte row per frame.

#include <array>
#include <optional>

#include "link/transfer_window.h"

namespace j5 {

// The image rows the whole write sends, in this order (first and last row of each run).
struct Row_Run {
  int first, last;
};
inline constexpr std::array<Row_Run, 5> Row_Skip_List = {
    {{0, 128}, {160, 206}, {224, 232}, {240, 246}, {256, 384}}};

// A row whose first byte is 0xFF goes out as a Short_Row_Frame (channel records and names).
bool Short_Row(const SharedData& data, int row);
// The first row of Row_Skip_List whose bytes to be sent are not all 0 to 255.
std::optional<int> First_Unsendable_Row(const SharedData& data);

class Form_Comm_Write : public Transfer_Window {
 public:
  explicit Form_Comm_Write(Program& program);

  kit::CommandButton Command_Write{*this, "Command_Write"};

  // The image row to be sent next.
  int Next_Row = 0;

  static constexpr int kLastRow = 384;

 private:
  void Form_Load();
  void Command_Write_Click();
  void Command_Cancel_Click();
  void Write_Start();
  void Block_Phase();
  void Block_Step();
  void Unsendable_Message(int row);
  // Queues the frame of a row and starts the sender; false (nothing queued) when the row holds a
  // value that is not a byte.
  bool Send_Row(int row);
  void Stop_Unsendable(int row);
};

}  // namespace j5
