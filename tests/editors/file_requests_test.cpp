// A file request that a dialog raised just before an exchange with the radio began: every window
// that serves such requests holds it while any exchange runs, its own or another window's, and
// serves it once the exchange has ended. A load would change rows a write is sending or be
// overwritten in part by a read; a save under a read would mix the rows of two images.
#include <gtest/gtest.h>

#include <functional>

#include "editors/adjust/frm_Adj_Txp.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_FM.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "link/Form_Comm_Read.h"
#include "support/radio_program.h"

namespace j5test {
namespace {

TEST(FileRequests, WaitWhileAnyExchangeWithTheRadioRuns) {
  using Flag = std::int16_t j5::Shared_Data::*;
  // Opens the serving window; what serves its requests beyond its own timer (nothing runs the
  // channel and option editors' polls, so the test does).
  using Open = std::function<std::function<void()>(Program_On_Line&)>;
  const struct {
    const char* name;
    Flag request;
    Open open;
  } cases[] = {
      {"channel editor", &j5::Shared_Data::Open_Adj_Req,
       [](Program_On_Line& p) { return [&p] { p.program.frm_chann.load().Poll_File_Req(); }; }},
      {"option editor", &j5::Shared_Data::Open_File_Req,
       [](Program_On_Line& p) {
         p.program.frm_option.load();
         return [&p] { p.program.frm_option.load().Timer4_Timer(); };
       }},
      {"adjustment editor", &j5::Shared_Data::Save_Adj_Req,
       [](Program_On_Line& p) {
         p.program.frm_Adj_Txp.load();
         return [] {};
       }},
      {"two-tone editor", &j5::Shared_Data::Open_File_Req,
       [](Program_On_Line& p) {
         p.program.frm_2tone.load();
         return [] {};
       }},
      {"FM editor", &j5::Shared_Data::Open_Adj_Req,
       [](Program_On_Line& p) {
         p.program.frm_FM.load();
         return [] {};
       }},
      {"option copy", &j5::Shared_Data::Save_File_Req,
       [](Program_On_Line& p) {
         auto slot = std::make_shared<kit::FormSlot<j5::frm_Adj_Tune>>(
             [&p] { return std::make_unique<j5::frm_Adj_Tune>(p.program); });
         slot->load();
         return [slot] {};
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program_On_Line p(sim::IdentForm::Ident14, true);
    const std::function<void()> serve = c.open(p);
    p.d.runUntilIdle();
    p.data.File_Path = "/nonexistent/request.dat";
    j5::Form_Comm_Read& read = p.program.Form_Comm_Read.load();
    p.d.click(read.Command_read);
    p.d.advance(300);
    ASSERT_TRUE(read.Transfer.Busy());
    p.data.*c.request = j5::kTrue;
    serve();
    p.d.advance(1000);
    serve();
    EXPECT_EQ(p.data.*c.request, j5::kTrue);
    ASSERT_TRUE(p.d.advanceUntil([&] { return !read.Transfer.Exchange_Open(); }, 30000));
    serve();
    p.d.advance(600);
    EXPECT_EQ(p.data.*c.request, j5::kFalse);
  }
}

}  // namespace
}  // namespace j5test
