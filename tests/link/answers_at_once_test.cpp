// The windows with their own openings against a radio that hands over each whole answer at once
// (its ACK and its identification in one arrival, each reply whole): each identifies the radio
// and finishes its transfers as when the bytes come one by one.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "link/Form_Write_PassWord.h"
#include "support/radio_program.h"

namespace j5test {
namespace {

using Texts = std::vector<std::string>;

struct Answers_At_Once : Radio_Program {
  Answers_At_Once() : Radio_Program(sim::IdentForm::Ident8, true) { device.answersTogether = true; }
  // Runs press() and the clock until the transfer's closing box.
  Texts Run(const std::function<void()>& press) {
    d.clearMessageBoxes();
    press();
    d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 30000);
    d.advance(2000);
    return box_texts();
  }
};

TEST_F(Answers_At_Once, ThePasswordWindowChangesThePassword) {
  const std::vector<std::uint8_t> blank(6, 0x20);
  radio.memory().write(0x1FF0, blank);
  program.MDImain->PC_PassWord_Click();
  d.runUntilIdle();
  j5::Form_Write_PassWord& w = *program.Form_Write_PassWord;
  EXPECT_EQ(Run([&] {
              d.focus(w.Text_New_Password_1);
              d.type("ab");
              d.focus(w.Text_New_PassWord_2);
              d.type("ab");
              d.click(w.Command_Write);
            }),
            Texts{"密码修改成功 "});
  EXPECT_EQ(radio.memory().read(0x1FF0, 6),
            (std::vector<std::uint8_t>{'a', 'b', 0x20, 0x20, 0x20, 0x20}));
}

TEST_F(Answers_At_Once, TheChannelEditorWritesAndReads) {
  j5::frm_chann& w = program.frm_chann.load();
  EXPECT_EQ(Run([&] { w.Command_Write.Click(); }), Texts{"向对讲机写入数据完毕 ！"});
  EXPECT_EQ(Run([&] { w.Command_read.Click(); }), Texts{"从对讲机中读取数据完毕 ！"});
}

TEST_F(Answers_At_Once, TheOptionEditorWritesAndReads) {
  j5::frm_option& w = program.frm_option.load();
  EXPECT_EQ(Run([&] { w.Command_Write.Click(); }), Texts{"向对讲机写入可选参数完毕 ！"});
  EXPECT_EQ(Run([&] { w.Command_read.Click(); }), Texts{"从对讲机中读取数据完毕 ！"});
}

TEST_F(Answers_At_Once, TheDtmfEditorWritesAndReads) {
  j5::frm_dtmf& w = program.frm_dtmf.load();
  EXPECT_EQ(Run([&] { w.Command_Write.Click(); }), Texts{"向对讲机写入信令参数完毕 ！"});
  EXPECT_EQ(Run([&] { w.Command_read.Click(); }), Texts{"从对讲机中读取数据完毕 ！"});
}

}  // namespace
}  // namespace j5test
