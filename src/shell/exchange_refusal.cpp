#include "shell/exchange_refusal.h"

#include "shell/program.h"
#include "shell/prompt.h"

namespace j5 {

namespace {

const Bilingual& Refusal(Waits_For_Exchange what) {
  static const Bilingual kExit{"正在与对讲机进行读写操作，读写结束后才能退出 ！",
                               "Read-write operating with transceiver; the program can be exited "
                               "when it has ended."};
  static const Bilingual kSwitch{"正在与对讲机进行读写操作，读写结束后才能切换语言 ！",
                                 "Read-write operating with transceiver; the language can be "
                                 "switched when it has ended."};
  static const Bilingual kOpen{"正在与对讲机进行读写操作，读写结束后才能打开文件 ！",
                               "Read-write operating with transceiver; a file can be opened when "
                               "it has ended."};
  static const Bilingual kSave{"正在与对讲机进行读写操作，读写结束后才能保存文件 ！",
                               "Read-write operating with transceiver; a file can be saved when "
                               "it has ended."};
  static const Bilingual kPort{"正在与对讲机进行读写操作，读写结束后才能设置端口 ！",
                               "Read-write operating with transceiver; the port can be set when "
                               "it has ended."};
  switch (what) {
    case Waits_For_Exchange::Exit:
      return kExit;
    case Waits_For_Exchange::Language_Switch:
      return kSwitch;
    case Waits_For_Exchange::File_Open:
      return kOpen;
    case Waits_For_Exchange::File_Save:
      return kSave;
    case Waits_For_Exchange::Port_Setup:
      return kPort;
  }
  return kExit;
}

}  // namespace

bool Exchange_Refused(Program& program, Waits_For_Exchange what) {
  if (!program.Exchange_Running()) return false;
  Prompt(program, Refusal(what));
  return true;
}

}  // namespace j5
