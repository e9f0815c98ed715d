#include "shell/program.h"

#include <gtest/gtest.h>

#include "editors/options/frm_option.h"
#include "support/driver.h"
#include "shell/MDImain.h"

namespace j5 {
namespace {

TEST(Program, PlaceholderWindowKeepsItsFlagAndCaption) {
  kit::HeadlessPlatform platform;
  Program program(platform);
  program.data.Lang_Chn = kTrue;
  program.MDImain.load();
  program.frm_option.load();
  EXPECT_EQ(program.data.Win_Option, kTrue);
  EXPECT_EQ(program.frm_option->caption(), "可选参数编辑");
  EXPECT_TRUE(program.frm_option->shown());
  program.frm_option.unload();
  EXPECT_EQ(program.data.Win_Option, kFalse);
  EXPECT_FALSE(program.frm_option.loaded());
  program.setPanel(3, "COM7");
  EXPECT_EQ(program.panel(3), "COM7");
}

}  // namespace
}  // namespace j5
