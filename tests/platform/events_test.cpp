// Rules 1 to 4: Change and Click, combo boxes, KeyPress, focus.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "test_window.h"

namespace {

using kit_test::Fixture;

TEST(ChangeAndClick, FireNestedAndOnlyOnARealChange) {
  Fixture f;
  auto& w = f.open();
  w.Text1.setText("abc");
  EXPECT_EQ(f.log.joined(), "Text1.Change:abc");  // before the setter returned
  w.Text1.setText("abc");
  w.Check1.setValue(1);
  w.Check1.setValue(1);
  w.Check1.setValue(0);
  EXPECT_EQ(f.log.joined(), "Text1.Change:abc Check1.Click:1 Check1.Click:0");
}

TEST(ChangeAndClick, ChangeRaisedInsideChangeRunsBeforeTheOuterHandlerGoesOn) {
  Fixture f;
  auto& w = f.open();
  w.Text1.Change = [&] {
    f.log("in");
    // A handler that normalises its own box re-enters once.
    if (w.Text1.text() != "X") w.Text1.setText("X");
    w.Text2.setText(w.Text1.text() + "2");
    f.log("out:" + w.Text1.text());
  };
  w.Text2.Change = [&] { f.log("Text2:" + w.Text2.text()); };
  w.Text1.setText("a");
  EXPECT_EQ(f.log.joined(), "in in Text2:X2 out:X out:X");
}

TEST(ChangeAndClick, ListIndexSetInsideChangeRaisesClickThere) {
  Fixture f;
  auto& w = f.open();
  for (const char* s : {"OFF", "ON"}) w.Combo1.addItem(s);
  w.Text1.Change = [&] {
    f.log("before");
    w.Combo1.setListIndex(1);
    f.log("after:" + w.Combo1.text());
  };
  w.Text1.setText("1");
  // Click, not Change, and nested inside the Change handler.
  EXPECT_EQ(f.log.joined(), "before Combo1.Click:ON after:ON");
}

TEST(ChangeAndClick, TypingDeletingAndPastingRaiseChange) {
  Fixture f;
  auto& w = f.open();
  f.driver.focus(w.Text1);
  f.driver.type("ab");
  f.driver.backspace();
  f.driver.paste("xy");
  f.driver.arrow(kit::Arrow::Left);
  f.driver.del();
  EXPECT_EQ(f.log.joined(),
            "Text1.Change:a Text1.Change:ab Text1.Change:a Text1.Change:axy "
            "Text1.Change:ax");
}

TEST(ComboBox, AddItemAndClearRaiseNothingAndSetTextSelectsExactItem) {
  Fixture f;
  auto& w = f.open();
  auto& c = w.Combo1;
  for (const char* s : {"67.0", "69.3", "67.0"}) c.addItem(s);
  c.setListIndex(1);
  f.log.clear();
  c.clear();
  EXPECT_EQ(c.text(), "");
  EXPECT_EQ(c.listIndex(), -1);
  EXPECT_EQ(c.listCount(), 0);
  for (const char* s : {"67.0", "69.3", "67.0"}) c.addItem(s);
  EXPECT_EQ(f.log.joined(), "");

  struct Case {
    const char* text;
    int index;
  };
  for (Case k : {Case{"67.0", 0}, Case{"69.3", 1}, Case{"69.30", -1}, Case{"67", -1}}) {
    c.setText(k.text);
    EXPECT_EQ(c.listIndex(), k.index) << k.text;
  }
  EXPECT_EQ(f.log.joined(),
            "Combo1.Change:67.0 Combo1.Change:69.3 Combo1.Change:69.30 "
            "Combo1.Change:67");
  EXPECT_THROW(c.setListIndex(3), std::out_of_range);
  EXPECT_THROW(c.setListIndex(-2), std::out_of_range);
  EXPECT_NO_THROW(c.setListIndex(-1));
}

TEST(ComboBox, UserPickFocusesThenClicks) {
  Fixture f;
  auto& w = f.open();
  for (const char* s : {"HIGH", "MID", "LOW"}) w.Combo1.addItem(s);
  f.driver.pick(w.Combo1, "LOW");
  f.driver.pick(w.Combo1, 2);  // the same item again still clicks
  // The window opened with the focus on its first box.
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Combo1.GotFocus Combo1.Click:LOW Combo1.Click:LOW");
  EXPECT_EQ(w.Combo1.listIndex(), 2);
}

TEST(KeyPress, ComesFirstAndMayChangeOrDiscardTheKey) {
  Fixture f;
  auto& w = f.open();
  w.Combo1.KeyPress = [&](int& key) {
    f.log("key:" + std::to_string(key));
    if (key >= 'a' && key <= 'z') key -= 32;   // replaced
    if (key == 'x' - 32 || key == 8) key = 0;  // discarded (Backspace too)
  };
  f.driver.focus(w.Combo1);
  f.log.clear();
  f.driver.type("dx");
  f.driver.backspace();
  f.driver.enter();      // passes KeyPress, changes no text
  f.driver.paste("xy");  // nor does paste
  f.driver.selectAll();
  f.driver.del();  // nor Delete
  EXPECT_EQ(f.log.joined(),
            "key:100 Combo1.Change:D key:120 key:8 key:13 Combo1.Change:Dxy Combo1.Change:");
}

TEST(KeyPress, KeyAppliesToTheTextAsTheHandlerLeftIt) {
  Fixture f;
  auto& w = f.open();
  w.Text1.KeyPress = [&](int& key) {
    if (key == '!') w.Text1.setText("");  // the handler empties the box first
  };
  f.driver.focus(w.Text1);
  f.driver.type("ab!");
  EXPECT_EQ(w.Text1.text(), "!");
  f.driver.type("中文");
  EXPECT_EQ(w.Text1.text(), "!中文");
  f.driver.backspace();
  EXPECT_EQ(w.Text1.text(), "!中");
}

TEST(Focus, MovesLostThenGotAndAButtonClickFocusesFirst) {
  Fixture f;
  auto& w = f.open();
  ASSERT_TRUE(w.Text1.hasFocus());  // the first control in tab order
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Command1.GotFocus Command1.Click");
  f.log.clear();
  w.Command1.setFocus();  // already there
  w.Text2.setVisible(false);
  w.Text2.setFocus();
  w.Text1.setEnabled(false);
  w.Text1.setFocus();
  EXPECT_EQ(f.log.joined(), "");
  EXPECT_TRUE(w.Command1.hasFocus());
}

TEST(Focus, SetFocusInLostFocusCancelsTheMoveAndTheClick) {
  Fixture f;
  auto& w = f.open();
  f.driver.focus(w.Text1);
  w.Text1.LostFocus = [&] {
    f.log("refuse");
    f.platform.messageBox("bad value", "Operate prompt", kit::MsgIcon::Exclamation);
    w.Text1.setFocus();
  };
  f.log.clear();
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "refuse");  // no GotFocus, no Click, no focus events from the box
  EXPECT_TRUE(w.Text1.hasFocus());
  ASSERT_EQ(f.platform.messageBoxes().size(), 1u);

  // Focus sent elsewhere from LostFocus also cancels the original target.
  w.Text1.LostFocus = [&] { w.Text2.setFocus(); };
  f.log.clear();
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Text2.GotFocus");
  EXPECT_TRUE(w.Text2.hasFocus());

  // SetFocus on a hidden or a disabled control does nothing, here too: the move goes on.
  f.driver.focus(w.Text1);
  w.Text2.setVisible(false);
  w.Check1.setEnabled(false);
  w.Text1.LostFocus = [&] {
    w.Text2.setFocus();
    w.Check1.setFocus();
  };
  f.log.clear();
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Command1.GotFocus Command1.Click");
  EXPECT_TRUE(w.Command1.hasFocus());
}

// What an action commits first: the leave of the box that has the focus, run once for the text it
// holds (the focus stays, and the leave that follows does not run it again), then the form's own
// commit. A focus request during the leave, a message box, or the form's commit saying no refuses.
TEST(Focus, APendingCommitRunsTheFocusedBoxsLeaveOnceAndReportsARefusal) {
  Fixture f;
  auto& w = f.open();
  f.driver.focus(w.Text1);
  f.driver.type("a");
  f.log.clear();
  EXPECT_TRUE(w.commitPending());
  EXPECT_TRUE(w.commitPending());
  EXPECT_TRUE(w.Text1.hasFocus());
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Command1.GotFocus Command1.Click");
  EXPECT_TRUE(w.commitPending());  // a button has the focus: nothing to commit

  // Typed into again, the box is committed again; a leave that keeps the focus refuses, and is
  // tried again by the next commit.
  f.driver.focus(w.Text1);
  f.driver.type("b");
  w.Text1.LostFocus = [&] {
    f.log("refuse");
    w.Text1.setFocus();
  };
  f.log.clear();
  EXPECT_FALSE(w.commitPending());
  EXPECT_FALSE(w.commitPending());
  EXPECT_EQ(f.log.joined(), "refuse refuse");
  EXPECT_TRUE(w.Text1.hasFocus());
  w.Text1.LostFocus = [&] { f.platform.messageBox("out of range"); };
  EXPECT_FALSE(w.commitPending());
  EXPECT_FALSE(f.driver.close(w));  // the close box commits first: a refusal keeps the window
  EXPECT_TRUE(f.slot.loaded());
  // A leave that says something as a click moves the focus (a value refused and replaced) lets
  // the focus go but ends the click there.
  f.log.clear();
  f.driver.click(w.Command1);
  EXPECT_EQ(f.log.joined(), "Command1.GotFocus");
  EXPECT_TRUE(w.Command1.hasFocus());

  // A form that says how it commits: its answer, and any message box it shows, decide.
  w.Text1.LostFocus = nullptr;
  bool answer = false;
  w.CommitPending = [&] { return answer; };
  EXPECT_FALSE(w.commitPending());
  answer = true;
  EXPECT_TRUE(w.commitPending());
  w.CommitPending = [&] {
    f.platform.messageBox("refused");
    return true;
  };
  EXPECT_FALSE(w.commitPending());
  w.CommitPending = [] { return true; };
  EXPECT_TRUE(f.driver.close(w));
}

// A focused control that is hidden or disabled, itself or by the frame it sits in, passes the
// focus on to the next control in tab order, as Tab would, with LostFocus and GotFocus; the next
// key goes there. A hidden control keeps no focus that would swallow keys.
TEST(Focus, AHiddenOrDisabledFocusedControlPassesItOnInTabOrder) {
  struct Case {
    const char* name;
    std::function<void(kit_test::TestWindow&)> away;
  };
  const Case cases[] = {
      {"hidden", [](auto& w) { w.Text1.setVisible(false); }},
      {"disabled", [](auto& w) { w.Text1.setEnabled(false); }},
      {"its frame hidden", [](auto& w) { w.Frame1.setVisible(false); }},
      {"its frame disabled", [](auto& w) { w.Frame1.setEnabled(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    auto& w = f.open();
    w.Text1.setContainer(w.Frame1);
    f.driver.focus(w.Text1);
    f.log.clear();
    c.away(w);
    EXPECT_EQ(f.log.joined(), "Text1.LostFocus Text2.GotFocus");
    f.driver.type("a");
    EXPECT_EQ(w.Text2.text(), "a");
    EXPECT_EQ(w.Text1.text(), "");
  }
}

TEST(Focus, PassedOnFromTheLastItStartsAgainAtTheFirstOrLeavesWhenNoneCanTakeIt) {
  Fixture f;
  auto& w = f.open();
  w.MSF_Grid.LostFocus = [&] { f.log("MSF_Grid.LostFocus"); };
  f.driver.focus(w.MSF_Grid);  // last in tab order
  f.log.clear();
  w.MSF_Grid.setVisible(false);
  EXPECT_EQ(f.log.joined(), "MSF_Grid.LostFocus Text1.GotFocus");

  // A LostFocus handler that sends the focus elsewhere decides where it goes.
  w.Text1.LostFocus = [&] { w.Combo1.setFocus(); };
  f.log.clear();
  w.Text1.setEnabled(false);
  EXPECT_EQ(f.log.joined(), "Combo1.GotFocus");
  EXPECT_TRUE(w.Combo1.hasFocus());

  for (kit::Control* c : std::vector<kit::Control*>{&w.Text2, &w.Check1, &w.Command1})
    c->setVisible(false);
  f.log.clear();
  w.Combo1.setVisible(false);
  EXPECT_EQ(f.log.joined(), "Combo1.LostFocus");
  EXPECT_EQ(f.platform.focused(), nullptr);
}

}  // namespace
