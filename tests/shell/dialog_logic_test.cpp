// The dialogs' behaviour without a display: focus, keys, mouse, results and
// the chain of confirmations.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "shell/sdl/dialog_logic.h"

namespace {

using namespace velno::dialog;

// Answers message boxes from a script and records what was asked.
class ScriptedBoxes : public MessageBoxes {
public:
    explicit ScriptedBoxes(std::deque<int> answers) : answers_(std::move(answers)) {}
    int show(const std::string& text, const std::string& caption, Buttons buttons,
             Icon icon) override {
        asked.push_back({text, caption, buttons, icon});
        if (buttons == Buttons::Ok) return CMD_OK;
        int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    struct Asked {
        std::string text, caption;
        Buttons buttons;
        Icon icon;
    };
    std::vector<Asked> asked;

private:
    std::deque<int> answers_;
};

int indexOf(const Template& t, int id) {
    for (std::size_t i = 0; i < t.controls.size(); ++i) {
        if (t.controls[i].id == id) return static_cast<int>(i);
    }
    return -1;
}

TEST(IntroDialog, AgreeEndsWithOneAndAsksNothing) {
    ScriptedBoxes boxes({});
    EXPECT_EQ(introCommand(CMD_OK, boxes), 1);
    EXPECT_TRUE(boxes.asked.empty());
}

TEST(IntroDialog, RefusalConfirmedThreeTimesEndsWithTwo) {
    ScriptedBoxes boxes({CMD_YES, CMD_YES, CMD_YES});
    EXPECT_EQ(introCommand(CMD_CANCEL, boxes), 2);
    ASSERT_EQ(boxes.asked.size(), 4u);
    const char* questions[] = {
        "\x82\xA6\x81[\x81H\x81@\x82\xBB\x82\xEA\x82\xCD\x96{\x93\x96\x81H",
        "\x96{\x93\x96\x82\xC9\x96{\x93\x96\x81H",
        "\x96{\x93\x96\x82\xC9\x96{\x93\x96\x82\xC9\x96{\x93\x96\x81H",
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes.asked[i].text, questions[i]);
        EXPECT_EQ(boxes.asked[i].caption, "\x8E\xBF\x96\xE2");  // 質問
        EXPECT_EQ(boxes.asked[i].buttons, Buttons::YesNo);
        EXPECT_EQ(boxes.asked[i].icon, Icon::Question);
    }
    EXPECT_EQ(boxes.asked[3].text, "\x83P\x83`!!");         // ケチ!!
    EXPECT_EQ(boxes.asked[3].caption, "\x89\xF1\x93\x9A");  // 回答
    EXPECT_EQ(boxes.asked[3].buttons, Buttons::Ok);
    EXPECT_EQ(boxes.asked[3].icon, Icon::Stop);
}

TEST(IntroDialog, AnyNoStopsTheQuestionsAndKeepsTheDialogOpen) {
    for (int noAt = 0; noAt < 3; ++noAt) {
        std::deque<int> answers(static_cast<std::size_t>(noAt), CMD_YES);
        answers.push_back(CMD_NO);
        ScriptedBoxes boxes(answers);
        EXPECT_EQ(introCommand(CMD_CANCEL, boxes), std::nullopt) << noAt;
        EXPECT_EQ(boxes.asked.size(), static_cast<std::size_t>(noAt + 1)) << noAt;
    }
    // After a No the player can still agree.
    ScriptedBoxes boxes({});
    EXPECT_EQ(introCommand(CMD_OK, boxes), 1);
}

TEST(IntroDialog, EscapeAndCloseBoxGiveTheRefusal) {
    DialogState state(introTemplate());
    EXPECT_EQ(state.key(Key::Escape), CMD_CANCEL);
    EXPECT_EQ(state.close(), CMD_CANCEL);
}

TEST(IntroDialog, KeyboardFocusAndMnemonics) {
    const Template& t = introTemplate();
    DialogState state(t);
    const int agree = indexOf(t, CMD_OK), refuse = indexOf(t, CMD_CANCEL), story = indexOf(t, ID_STORY);
    EXPECT_EQ(state.focus(), agree);  // the first tab stop
    EXPECT_EQ(state.key(Key::Enter), CMD_OK);
    state.key(Key::Tab);
    EXPECT_EQ(state.focus(), refuse);
    EXPECT_EQ(state.defaultButton(), refuse);  // Enter follows the focused button
    EXPECT_EQ(state.key(Key::Enter), CMD_CANCEL);
    state.key(Key::Tab);
    EXPECT_EQ(state.focus(), story);
    EXPECT_EQ(state.defaultButton(), agree);
    EXPECT_EQ(state.key(Key::Enter), CMD_OK);
    EXPECT_EQ(state.letter('a', false), std::nullopt);  // the text box takes typing
    EXPECT_EQ(state.letter('n', true), CMD_CANCEL);     // Alt+N
    EXPECT_EQ(state.focus(), refuse);
    EXPECT_EQ(state.letter('A', false), CMD_OK);
    state.key(Key::Tab, true);
    EXPECT_EQ(state.focus(), story);  // Shift+Tab goes back, wrapping
}

TEST(IntroDialog, SpacePressesOnReleaseAndMouseOnlyOverTheSameButton) {
    const Template& t = introTemplate();
    DialogState state(t);
    const int agree = indexOf(t, CMD_OK), refuse = indexOf(t, CMD_CANCEL);
    EXPECT_EQ(state.key(Key::SpaceDown), std::nullopt);
    EXPECT_EQ(state.pressed(), agree);
    EXPECT_EQ(state.key(Key::SpaceUp), CMD_OK);

    EXPECT_EQ(state.mouseDown(refuse), std::nullopt);
    EXPECT_EQ(state.mouseUp(-1), std::nullopt);  // released elsewhere: no command
    EXPECT_EQ(state.focus(), refuse);
    state.mouseDown(refuse);
    EXPECT_EQ(state.mouseUp(refuse), CMD_CANCEL);
}

TEST(IntroDialog, StoryScrollsWithinItsLines) {
    const Template& t = introTemplate();
    DialogState state(t);
    state.setStoryLines(20, 8);
    state.mouseDown(indexOf(t, ID_STORY));
    state.key(Key::Down);
    state.key(Key::Down);
    EXPECT_EQ(state.scrollTop(), 2);
    state.key(Key::PageDown);
    EXPECT_EQ(state.scrollTop(), 9);
    state.key(Key::End);
    EXPECT_EQ(state.scrollTop(), 12);
    state.scrollBy(5);
    EXPECT_EQ(state.scrollTop(), 12);
    state.key(Key::Home);
    EXPECT_EQ(state.scrollTop(), 0);
    state.scrollBy(-3);
    EXPECT_EQ(state.scrollTop(), 0);
    state.setStoryLines(5, 8);  // everything fits: no scrolling
    state.key(Key::Down);
    EXPECT_EQ(state.scrollTop(), 0);
}

TEST(CourseDialog, CourseRuleReadsOnlyTheFirstThreeButtons) {
    EXPECT_EQ(courseFromChecks(true, false, false), 0);
    EXPECT_EQ(courseFromChecks(false, true, false), 1);
    EXPECT_EQ(courseFromChecks(false, false, true), 2);
    EXPECT_EQ(courseFromChecks(false, false, false), 3);
    EXPECT_EQ(courseFromChecks(true, true, true), 0);  // the first checked wins
}

// Runs keys on a fresh course dialog with dial-up checked, then presses OK.
std::optional<int> courseAfter(const std::vector<Key>& keys) {
    const Template& t = courseTemplate();
    DialogState state(t);
    state.checkRadio(indexOf(t, ID_RADIO_DIALUP));
    for (Key k : keys) {
        if (auto cmd = state.key(k)) return courseCommand(*cmd, state);
    }
    return courseCommand(CMD_OK, state);
}

TEST(CourseDialog, KeyboardPicksACourse) {
    using K = Key;
    EXPECT_EQ(courseAfter({K::Enter}), 0);  // untouched: dial-up
    EXPECT_EQ(courseAfter({K::Tab, K::Tab, K::Down, K::Enter}), 1);
    EXPECT_EQ(courseAfter({K::Tab, K::Tab, K::Down, K::Down, K::Enter}), 2);
    EXPECT_EQ(courseAfter({K::Tab, K::Tab, K::Up, K::Enter}), 3);  // arrows wrap
    EXPECT_EQ(courseAfter({K::Tab, K::Tab, K::Right, K::Right, K::Right, K::Enter}), 3);
    EXPECT_EQ(courseAfter({K::Tab, K::Enter}), -1);  // Cancel focused
    EXPECT_EQ(courseAfter({K::Escape}), -1);
    // Shift+Tab from OK lands on the group at its checked button.
    EXPECT_EQ(courseAfter({K::Tab, K::Tab, K::Down, K::Down, K::Tab, K::Tab, K::Tab, K::Enter}), 2);
}

TEST(CourseDialog, TabEntersTheRadioGroupAtItsCheckedButton) {
    const Template& t = courseTemplate();
    DialogState state(t);
    state.checkRadio(indexOf(t, ID_RADIO_ADSL));
    state.key(Key::Tab);
    state.key(Key::Tab);
    EXPECT_EQ(state.focus(), indexOf(t, ID_RADIO_ADSL));
    state.key(Key::Tab);
    EXPECT_EQ(state.focus(), indexOf(t, CMD_OK));
    state.key(Key::Tab, true);
    EXPECT_EQ(state.focus(), indexOf(t, ID_RADIO_ADSL));
}

TEST(CourseDialog, MouseAndSpaceCheckOneRadioAtATime) {
    const Template& t = courseTemplate();
    DialogState state(t);
    state.checkRadio(indexOf(t, ID_RADIO_DIALUP));
    const int hikari = indexOf(t, ID_RADIO_HIKARI), isdn = indexOf(t, ID_RADIO_ISDN);
    state.mouseDown(hikari);
    EXPECT_FALSE(state.checked(hikari));  // a click checks on release
    EXPECT_EQ(state.mouseUp(hikari), std::nullopt);
    EXPECT_TRUE(state.checked(hikari));
    EXPECT_FALSE(state.checkedId(ID_RADIO_DIALUP));
    EXPECT_EQ(courseCommand(CMD_OK, state), 3);

    state.mouseDown(isdn);
    state.mouseUp(isdn);
    EXPECT_FALSE(state.checked(hikari));
    state.key(Key::Down);
    state.key(Key::SpaceDown);
    state.key(Key::SpaceUp);
    EXPECT_EQ(courseCommand(CMD_OK, state), 2);
    EXPECT_EQ(courseCommand(42, state), std::nullopt);
}

TEST(MessageBox, YesNoCannotBeEscapedButOkCan) {
    Template yesNo = messageBoxTemplate("q", "c", Buttons::YesNo);
    DialogState q(yesNo);
    EXPECT_EQ(q.key(Key::Escape), std::nullopt);
    EXPECT_EQ(q.close(), std::nullopt);
    EXPECT_EQ(q.key(Key::Enter), CMD_YES);
    q.key(Key::Right);
    EXPECT_EQ(q.key(Key::Enter), CMD_NO);
    EXPECT_EQ(q.letter('y', true), CMD_YES);
    EXPECT_EQ(q.letter('n', false), CMD_NO);

    Template ok = messageBoxTemplate("t", "c", Buttons::Ok);
    DialogState o(ok);
    EXPECT_EQ(o.key(Key::Escape), CMD_OK);
    EXPECT_EQ(o.key(Key::Enter), CMD_OK);
}

TEST(Mnemonic, MarkerIsFoundAndRemovedInShiftJis) {
    int at = -2;
    // 同意する(&A): the A sits after 8 bytes of text and the '('.
    EXPECT_EQ(stripMnemonic("\x93\xAF\x88\xD3\x82\xB7\x82\xE9(&A)", &at),
              "\x93\xAF\x88\xD3\x82\xB7\x82\xE9(A)");
    EXPECT_EQ(at, 9);
    EXPECT_EQ(stripMnemonic("a&&b", &at), "a&b");
    EXPECT_EQ(at, -1);
    EXPECT_EQ(mnemonicOf("OK"), 0);
    EXPECT_EQ(mnemonicOf("&Yes"), 'Y');
    EXPECT_EQ(stripMnemonic("x&", &at), "x&");  // a trailing marker is kept
}

}  // namespace
