// Every reader of the program's files, as the user meets it when a load fails: the message names
// what is wrong, in the language of the moment, and never shows the file's bytes when they are
// no text or hold a character that changes how the message reads.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_FM.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "platform/utf8.h"
#include "shell/param_file.h"
#include "support/radio_program.h"
#include "support/temp_dir.h"

namespace j5 {
namespace {

// A reader: how the user gets it to load the file File_Path names.
struct Reader {
  const char* name;
  std::function<void(j5test::Program_On_Line&)> load;
};

// Raises a file dialog's request and lets the window's timer serve it.
void Served(j5test::Program_On_Line& p, std::int16_t Shared_Data::*request) {
  p.data.*request = kTrue;
  p.d.advance(500);
}

const Reader kReaders[] = {
    {"parameter file", [](auto& p) { Param_File_Load(p.program); }},
    {"channel file",
     [](auto& p) {
       p.data.Open_Adj_Req = kTrue;
       p.program.frm_chann.load().Poll_File_Req();
     }},
    {"adjustment file",
     [](auto& p) {
       p.program.frm_Adj_Txp.load();
       Served(p, &Shared_Data::Open_Adj_Req);
     }},
    {"option file",
     [](auto& p) {
       p.data.Open_File_Req = kTrue;
       p.program.frm_option.load().Timer4_Timer();
     }},
    {"option copy file",
     [](auto& p) {
       kit::FormSlot<frm_Adj_Tune> copy{[&] { return std::make_unique<frm_Adj_Tune>(p.program); }};
       copy.load();
       Served(p, &Shared_Data::Open_File_Req);
       copy.unload();
     }},
    {"two-tone signal file",
     [](auto& p) {
       p.program.frm_2tone.load();
       Served(p, &Shared_Data::Open_File_Req);
     }},
    {"five-tone signal file",
     [](auto& p) {
       p.program.frm_5tone.load();
       Served(p, &Shared_Data::Open_File_Req);
     }},
    {"FM file",
     [](auto& p) {
       p.program.frm_FM.load();
       Served(p, &Shared_Data::Open_Adj_Req);
     }},
};

std::string Utf16le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

struct Content {
  const char* what;
  std::string bytes;
  std::string chn, eng;  // the reason, the last line of the message
};

TEST(FileReaders, ShowABadLineOnlyWhenItIsText) {
  std::string garbage;
  for (int b = 0x80; b <= 0xFF; ++b) garbage += static_cast<char>(b);
  const std::string notText[] = {"文件不是文本文件 ！", "The file is not a text file."};
  const Content contents[] = {
      {"UTF-16LE with its byte order mark", Utf16le(" 1  2  3 \r\n 4  5  6 \r\n"), notText[0],
       notText[1]},
      {"a line of high bytes", " 1  2 \r\n" + garbage + "\r\n 3 \r\n", notText[0], notText[1]},
      {"another code page", " 1  2 \r\n caf\xE9 \r\n", notText[0], notText[1]},
      {"a character cut short", " 1  2 \r\n \xE5\x8F \r\n", notText[0], notText[1]},
      // A character that would turn the message backwards, or hide inside the number it quotes.
      {"a right-to-left override", " 1  2 \r\n 1\u202E23 \r\n", notText[0], notText[1]},
      {"a zero-width space", " 1  2 \r\n 1\u200B \r\n", notText[0], notText[1]},
      {"a line separator", " 1  2 \r\n 1\u2028x \r\n", notText[0], notText[1]},
      {"one bad line", " 1  2 \r\n 1x  3 \r\n", "第 2 行的“1x”不是整数 ！",
       "Line 2: \"1x\" is not a whole number."},
      {"one bad line of Chinese text", " 1  2 \r\n 参数 \r\n", "第 2 行的“参数”不是整数 ！",
       "Line 2: \"参数\" is not a whole number."},
  };
  test::TempDir dir;
  for (const Reader& reader : kReaders) {
    for (const Content& c : contents) {
      for (const bool chinese : {false, true}) {
        SCOPED_TRACE(std::string(reader.name) + ", " + c.what + (chinese ? ", Chinese" : ""));
        j5test::Program_On_Line p(std::nullopt, chinese);
        p.data.File_Path = dir / "bad.dat";
        test::writeFile(p.data.File_Path, c.bytes);
        reader.load(p);
        ASSERT_EQ(p.d.messageBoxes().size(), 1u);
        const std::string text = p.d.lastMessageBox().text;
        EXPECT_TRUE(kit::utf8::valid(text));
        EXPECT_EQ(text.substr(text.rfind('\n') + 1), chinese ? c.chn : c.eng);
      }
    }
  }
}

}  // namespace
}  // namespace j5
