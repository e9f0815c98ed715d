#include "link/transfers.h"

#include "data/shared_data.h"
#include "platform/runtime.h"

namespace j5 {

namespace {

// The bar value Int(n / total * 100) and the number n beside it.
Progress_Mark Mark(int n, double total, int number) {
  return {static_cast<int>(rt::Int(n / total * 100)), number};
}

// The read windows show, when block k (k >= 1) is requested, the Block_Buf row its reply fills
// (k + 2) and that row over the last row plus one.
// Block k goes to rows firstDest + 4 k of a table of 16-byte rows.
Read_Plan Block_Read(std::uint16_t base, int blocks, bool firstBare, bool ackFirst, int firstDest) {
  Read_Plan p{.base = base, .first_reply_bare = firstBare, .ack_before_first = ackFirst};
  for (int k = 0; k < blocks; ++k) {
    const auto address = static_cast<std::uint16_t>(base + 64 * k);
    p.steps.push_back(
        {address, k == 0 ? Progress_Mark{} : Mark(k + 2, blocks + 1, k + 2), firstDest + 4 * k});
  }
  return p;
}

// Reply k kept whole in Block_Buf row k + 2.
Read_Plan Reply_Rows(Read_Plan p) {
  for (std::size_t k = 0; k < p.steps.size(); ++k) p.steps[k].dest = static_cast<int>(k) + 2;
  return p;
}

// The editors' writes show, when frame n (n >= 1) is queued, n over `total` (the last frame's
// number, or the number of frames) and the number of the frame just acknowledged.
Write_Plan Row_Write(std::uint16_t base, int firstRow, int rows, int total) {
  Write_Plan p{.ack_before_each = true};
  for (int n = 0; n < rows; ++n) {
    const auto address = static_cast<std::uint16_t>(base + 16 * n);
    p.steps.push_back(
        {address, firstRow + n, false, n == 0 ? Progress_Mark{} : Mark(n, total, n - 1)});
  }
  return p;
}

Transfer_Texts Whole_Texts() {
  Transfer_Texts t;
  t.read_done_label = {"对讲机数据读出正常 ！", "Read Signal parameters in gear. "};
  t.read_done_message = {"从对讲机中读取数据完毕 ！",
                         "Complete reading the data from transceiver."};
  t.write_done_label = {"参数写入完毕 ！", "Complete writing parameters "};
  t.write_done_message = {"向对讲机写入参数完毕 ！",
                          "Complete writing parameters to the transceiver."};
  t.connecting_bar = false;
  t.fail_bar = Transfer_Texts::Bar::Hide;
  t.fail_label = {"与对讲机通讯故障 ！", "Communication fault."};
  t.fail_panel = {};
  return t;
}

const Bilingual kConnectedShort{"与对讲机连接正常", "Connect well with radio."};
const Bilingual kPortOpenError{"通讯端口打开错误，请正确设置通讯端口 ！",
                               "Communication Port Open Error ！"};
// The editors' close message without the blank before its comma.
const Bilingual kCloseBusyTight{"正在进行读写操作,请勿关窗口 ！,",
                                "Read-write operating，don't close the window.,"};
const Bilingual kReadDone{"从对讲机中读取数据完毕 ！",
                          "Complete reading the data from transceiver."};

Transfer_Description Editor_Direct(Transfer_Texts texts) {
  return {Link_Description{.opening = {.code_len = 8,
                                       .stx = false,
                                       .ident = Ident_Form::Ident8_Leading,
                                       .ack_exchange = false},
                           .sender = {.burst = false, .byte_ms = 20, .skip_leading_ack = true},
                           .times = {.byte_watch_ms = 2000, .report_ms = 1500},
                           .restarts = 1},
          std::move(texts)};
}

Transfer_Description Alt_Dec(Transfer_Texts texts) {
  return {Link_Description{.opening = {.code = Code_Kind::Alt,
                                       .code_len = 8,
                                       .stx = false,
                                       .ident = Ident_Form::Ident8_Dec,
                                       .ack_exchange = false},
                           .sender = {.burst = false, .byte_ms = 10},
                           .times = {.byte_watch_ms = 2000, .report_ms = 1500},
                           .restarts = 3},
          std::move(texts)};
}

}  // namespace

const Transfer_Description& Whole_Read_Link() {
  static const Transfer_Description d{Link_Description{}, Whole_Texts()};
  return d;
}

const Transfer_Description& Whole_Write_Link() {
  static const Transfer_Description d{Link_Description{.clear_output = true}, Whole_Texts()};
  return d;
}

const Transfer_Description& Port_Window_Link() {
  static const Transfer_Description d = [] {
    Transfer_Description d{
        Link_Description{.opening = {.ident = Ident_Form::Ident8_Or_14, .ack_exchange = false},
                         .times = {.ident_end_ms = 50}}};
    // The window has no label or bar; the window writes its connected text once the bands are
    // shown, the failure shows at the time-out, a second before the window closes.
    d.texts.connecting_bar = false;
    d.texts.connected = kConnectedShort;
    d.texts.fail_message = {};
    d.texts.time_out_panel = d.texts.fail_panel;
    d.texts.fail_panel = {};
    return d;
  }();
  return d;
}

const Transfer_Description& Startup_Ident_Link() {
  static const Transfer_Description d = [] {
    Transfer_Description d{Link_Description{.opening = {.ack_exchange = false}}};
    // The main window has no label or bar; it writes its connected text itself.
    d.holds_program = false;
    d.texts.port_error = {};
    d.texts.connecting_bar = false;
    d.texts.connected = kConnectedShort;
    d.texts.fail_message = {};
    return d;
  }();
  return d;
}

const Transfer_Description& Password_Link() {
  static const Transfer_Description d = [] {
    Transfer_Description d{Link_Description{.opening = {.code_len = 8, .ident = Ident_Form::Ident8},
                                            .sender = {.byte_ms = 0},
                                            .times = {.byte_watch_ms = 2000},
                                            .clear_output = true}};
    Transfer_Texts& t = d.texts;
    // The window has no label or bar: the opening shows in status panel 2, the connected text as
    // soon as the identification is accepted, before the ACK exchange.
    t.connecting = {"正在与对讲机进行连接...", "Connecting with transceiver... "};
    t.connecting_panel = 2;
    t.connecting_bar = false;
    t.connected = kConnectedShort;
    t.connected_at_ident = true;
    // The read ends without its write only when the old password typed is not the radio's.
    t.read_done_bar = false;
    t.read_done_message = {"原密码错误，禁止写入", "Old PassWord Error, Writeing Stop"};
    t.write_done_message = {"密码修改成功 ", "PassWord Modify Success ! "};
    d.close_after_write_ms = 500;
    // The boxes empty once the success message has been read.
    d.done_after_report = true;
    return d;
  }();
  return d;
}

const Transfer_Description& Channel_Link() {
  static const Transfer_Description d = [] {
    Transfer_Description d{Link_Description{.opening = {.code_len = 8,
                                                        .stx = false,
                                                        .ident = Ident_Form::Ident8_Leading,
                                                        .ack_exchange = false},
                                            .times = {.report_ms = 1500},
                                            .restarts = 1}};
    Transfer_Texts& t = d.texts;
    t.close_busy = t.unload_busy = kCloseBusyTight;
    t.writing = {{"正在写入  ", "Writeing  "}, {"  信道", "  Channel"}};
    t.read_done_bar = false;
    t.read_done_label = {"信道数据读出正常 ！", "Read Channel Data is Ok ！"};
    t.read_done_message = {"从对讲机中读取数据完毕 ！",
                           "Complete reading data from the transceiver."};
    t.write_done_label = {"信道数据写入完毕 ！", "Channel Data Writed ！"};
    t.write_done_message = {"向对讲机写入数据完毕 ！", "Complete writing the data to transceiver."};
    t.done_title = Prompt_Title::Lower;
    return d;
  }();
  return d;
}

const Transfer_Description& Option_Link() {
  static const Transfer_Description d = [] {
    Transfer_Texts t;
    t.port_error = kPortOpenError;
    t.port_error_title = Prompt_Title::Upper;
    t.close_busy = t.unload_busy = kCloseBusyTight;
    t.read_done_label = {"可选参数读出正常 ！", "Read optional parameters in gear. "};
    t.read_done_message = kReadDone;
    t.write_done_label = {"可选参数写入完毕 ！", "Complete writing optional parameters "};
    t.write_done_message = {"向对讲机写入可选参数完毕 ！",
                            "Complete writing optional parameters to the transceiver."};
    return Editor_Direct(t);
  }();
  return d;
}

const Transfer_Description& Dtmf_Link() {
  static const Transfer_Description d = [] {
    Transfer_Texts t = Option_Link().texts;
    t.read_done_label = {"信令参数读出正常 ！", "Read Signal parameters in gear. "};
    t.write_done_label = {"信令参数写入完毕 ！", "Complete writing Signal parameters "};
    t.write_done_message = {"向对讲机写入信令参数完毕 ！",
                            "Complete writing Signal parameters to the transceiver."};
    return Editor_Direct(t);
  }();
  return d;
}

const Transfer_Description& Adjust_Link() {
  static const Transfer_Description d = [] {
    Transfer_Description d{Link_Description{.times = {.report_ms = 2000}, .restarts = 3}};
    Transfer_Texts& t = d.texts;
    t.close_busy = t.unload_busy = kCloseBusyTight;
    t.port_error = kPortOpenError;
    t.port_error_title = Prompt_Title::Upper;
    t.read_done_label = {"调整参数读出正常 ！", "Read optional parameters in gear. "};
    t.read_done_message = {"从对讲机中读取调整数据完毕 ！",
                           "Complete reading the data from transceiver."};
    t.write_done_label = {"调整参数写入完毕 ！", "Complete writing optional parameters "};
    t.write_done_message = {"调整参数写入完毕 ！",
                            "Complete writing optional parameters to the transceiver."};
    t.fail_message = {};
    return d;
  }();
  return d;
}

const Transfer_Description& Signalling_Link() {
  static const Transfer_Description d = [] {
    Transfer_Description d{Link_Description{.opening = {.code = Code_Kind::Alt,
                                                        .code_len = 8,
                                                        .stx = false,
                                                        .ident = Ident_Form::Ident50,
                                                        .ack_exchange = false},
                                            .sender = {.byte_ms = 0},
                                            .times = {.byte_watch_ms = 2000, .report_ms = 3000},
                                            .restarts = 3}};
    Transfer_Texts& t = d.texts;
    t.port_error = kPortOpenError;
    t.port_error_title = Prompt_Title::Upper;
    // Close, and any other way of closing the window, answer with the busy message.
    t.close_busy = t.unload_busy = t.busy;
    // The identification writes panels 2, 4, 6, 8 and 10 itself.
    t.connected_panel = 0;
    t.read_done_label = {"信令参数读出正常 ！", "Read Signal parameters in gear. "};
    t.read_done_message = kReadDone;
    t.write_done_label = {"信令参数写入完毕 ！", "Complete writing Signal parameters "};
    t.write_done_message = {"向对讲机写入信令参数完毕 ！",
                            "Complete writing Signal parameters to the transceiver."};
    t.fail_bar = Transfer_Texts::Bar::Zero;
    t.fail_label = {"与对讲机通讯故障 ！", "Communication fault."};
    t.fail_panel = {};
    return d;
  }();
  return d;
}

const Transfer_Description& Fm_Link() {
  static const Transfer_Description d = [] {
    Transfer_Texts t;
    t.unload_busy = kCloseBusyTight;
    t.connected_panel = 4;
    t.connected = {"与对讲机数据通讯正常", "与对讲机数据通讯正常"};
    t.read_done_label = {" FM 收音机参数读出正常 ！", "Read FM Radio parameters in gear. "};
    t.read_done_message = kReadDone;
    t.write_done_label = {"FM 收音机参数写入完毕 ！", "Complete writing FM Radio parameters "};
    t.write_done_message = {"向对讲机写入 FM 收音机参数完毕 ！",
                            "Complete writing FM Radio parameters to the transceiver."};
    t.fail_message = {};
    return Alt_Dec(t);
  }();
  return d;
}

const Transfer_Description& Option_Copy_Link() {
  static const Transfer_Description d = [] {
    Transfer_Texts t = Option_Link().texts;
    t.fail_message = {};
    return Alt_Dec(t);
  }();
  return d;
}

Read_Plan Whole_Read_Plan() {
  return Block_Read(0, (kImageLastRadioRow + 1) / kBlockRows, true, false, 0);
}

Write_Plan Whole_Write_Plan() {
  Write_Plan p;
  for (const Row_Run& run : Row_Skip_List)
    for (int row = run.first; row <= run.last; ++row) {
      p.steps.push_back(
          {Row_Address(row), row, Whole_Write_May_Shorten(row),
           row == 0 ? Progress_Mark{} : Mark(row, Row_Skip_List.back().last, row - 1)});
    }
  return p;
}

Read_Plan Password_Read_Plan() {
  return {.base = 0,
          .steps = {{Password_Block, {}}},
          .length = 0x10,
          .ack_before_first = true,
          .reply_length = 0x40,
          .then_write = true};
}

Write_Plan Password_Write_Plan(bool lead_ack) {
  return {.steps = {{Password_Block, 0, false, {}}},
          .ack_before_each = lead_ack,
          .any_answer_ends = true};
}

Read_Plan Channel_Read_Plan(int chann_total) {
  const int pairs = static_cast<int>(rt::Int(chann_total / 4.0 + 0.9)) + 1;
  Read_Plan p{.ack_before_first = true};
  for (int q = 0; q < pairs; ++q) {
    const Progress_Mark chann = q == 0 ? Progress_Mark{} : Mark(q + 1, pairs + 1, q + 1);
    const int records = Channel_Record.first + kBlockRows * q;
    const int names = Channel_Name_Row.first + kBlockRows * q;
    p.steps.push_back({Row_Address(records), chann, records});
    p.steps.push_back({Row_Address(names), Mark(q + 2, pairs + 1, q + 2), names});
  }
  return p;
}

Write_Plan Channel_Write_Plan(int chann_last) {
  Write_Plan p{.ack_before_each = true};
  for (int n = 1; n <= chann_last; ++n) {
    const Progress_Mark mark = n == 1 ? Progress_Mark{} : Mark(n, chann_last, n - 1);
    const int record = Channel_Record.first + n - 1, name = Channel_Name_Row.first + n - 1;
    p.steps.push_back({Row_Address(record), record, n != 1, mark});
    p.steps.push_back({Row_Address(name), name, true, {}});
  }
  return p;
}

Read_Plan Option_Read_Plan() {
  return Block_Read(Row_Address(Option_Area.first), 5, false, true, Option_Area.first);
}

// Each row goes to its own address, the work-channel row to 0x0E70 as in the whole write, and the
// rows run on to the power-on lines, which the window edits and a write must carry.
Write_Plan Option_Write_Plan() {
  return Row_Write(Row_Address(Option_Area.first), Option_Area.first, Option_Area.Count(),
                   Option_Area.Count() - 1);
}

Read_Plan Dtmf_Read_Plan() {
  return Block_Read(Row_Address(Dtmf_Block.first), 7, false, true, Dtmf_Block.first);
}

Write_Plan Dtmf_Write_Plan() {
  return Row_Write(Row_Address(Dtmf_Block.first), Dtmf_Block.first, 29, 28);
}

Read_Plan Adjust_Read_Plan() {
  Read_Plan p = Block_Read(0x1F00, 5, true, false, 0);
  p.steps[4].address = 0x1EC0;
  return p;
}

Write_Plan Adjust_Write_Plan() {
  Write_Plan p;
  p.steps.push_back({0x0DF0, Adj_Tag_Source, false, {}});
  for (int r = 0; r < 16; ++r)
    p.steps.push_back(
        {static_cast<std::uint16_t>(0x1F00 + 16 * r), r, false, Mark(r + 1, 16, r + 1)});
  return p;
}

Read_Plan Tone2_Read_Plan() {
  return Reply_Rows(Block_Read(0x2D00, 12, false, true, 0));
}

Write_Plan Tone2_Write_Plan() {
  return Row_Write(0x2D00, 0, 48, 48);
}

Read_Plan Tone5_Read_Plan() {
  return Reply_Rows(Block_Read(0x2400, 20, false, true, 0));
}

Write_Plan Tone5_Write_Plan() {
  return Row_Write(0x2000, 0, 144, 144);
}

Read_Plan Fm_Read_Plan() {
  Read_Plan p = Reply_Rows(Block_Read(0x3000, 5, false, true, 0));
  p.steps[4].address = 0x3F80;  // the band row
  return p;
}

Write_Plan Fm_Write_Plan() {
  Write_Plan p = Row_Write(0x3000, 0, 17, 16);
  p.steps[16].address = 0x3F80;
  return p;
}

Read_Plan Option_Copy_Read_Plan() {
  Read_Plan p = Block_Read(Row_Address(Option_Block.first), 5, false, true, 0);
  constexpr std::array<int, 5> kDest = {0, 4, -1, 8, 12};
  for (std::size_t k = 0; k < kDest.size(); ++k) p.steps[k].dest = kDest[k];
  return p;
}

Write_Plan Option_Copy_Write_Plan() {
  Write_Plan p = Row_Write(Row_Address(Option_Block.first), 0, 10, 9);
  constexpr int o = Option_Block.first, v = Vfo_Record.first;
  constexpr std::array<int, 10> kRow = {o, o + 1, o + 2, o + 3, v, v, v, v + 1, v + 2, v + 3};
  for (std::size_t n = 0; n < kRow.size(); ++n) p.steps[n].address = Row_Address(kRow[n]);
  // The two frames to 0x0F00 before record A's own carry its first row too: a write cut off
  // there leaves that row in the radio, not zeros.
  p.steps[4].source = p.steps[5].source = 6;
  return p;
}

std::optional<std::array<std::uint8_t, 16>> Image_Row_Bytes(const Shared_Data& data, int row) {
  return Row_Bytes(data.Mem_Image, row);
}

}  // namespace j5
