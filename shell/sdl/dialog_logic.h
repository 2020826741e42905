// The behaviour of the game's dialogs and message boxes without any drawing:
// their controls, keyboard focus, buttons, radio buttons and the scroll
// position of the story box, and what each dialog returns. The SDL layer
// (dialogs.cpp) feeds it keys and clicks and draws what it holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velno::dialog {

// Command numbers, as the buttons send them.
constexpr int CMD_OK = 1;
constexpr int CMD_CANCEL = 2;
constexpr int CMD_YES = 6;
constexpr int CMD_NO = 7;

// Control numbers of the templates.
constexpr int ID_STORY = 1000;
constexpr int ID_RADIO_DIALUP = 1001;
constexpr int ID_RADIO_ISDN = 1002;
constexpr int ID_RADIO_ADSL = 1003;
constexpr int ID_RADIO_HIKARI = 1004;

enum class ControlKind { DefaultButton, Button, Label, Story, EtchedLine, Radio };

// One control. Position and size are in dialog units for the templates, in
// pixels for message boxes (which are laid out from their text).
struct Control {
    ControlKind kind;
    int id;            // 0 for controls that send nothing
    std::string text;  // Shift-JIS; '&' marks the mnemonic letter
    int x, y, width, height;
    bool tabStop;
};

struct Template {
    std::string caption;  // Shift-JIS
    int width, height;    // dialog units, or pixels for message boxes
    std::vector<Control> controls;
    // The command that Escape and the close box give; 0 when they do nothing
    // (a Yes/No message box can only be answered).
    int cancelCommand;
};

const Template& introTemplate();
const Template& courseTemplate();
// The story put into the intro's text box (Shift-JIS, CR LF line breaks).
const char* storyText();

// A message box with the given text and caption and either Yes/No or OK.
enum class Buttons { YesNo, Ok };
enum class Icon { Question, Stop };
Template messageBoxTemplate(const std::string& text, const std::string& caption, Buttons buttons);

enum class Key {
    Tab, Left, Right, Up, Down, PageUp, PageDown, Home, End,
    SpaceDown, SpaceUp, Enter, Escape,
};

// The live state of one dialog. Every input returns the command it gives,
// or nothing.
class DialogState {
public:
    explicit DialogState(const Template& tmpl);

    const Template& layout() const { return *tmpl_; }
    int focus() const { return focus_; }  // control index
    bool checked(int index) const { return checked_[static_cast<std::size_t>(index)]; }
    bool checkedId(int id) const;
    void checkRadio(int index);  // checks it and clears the rest of its group
    // The push button that Enter presses: the focused one if a push button has
    // the focus, else the template's default button.
    int defaultButton() const;
    // The button drawn pushed in (Space held on it, or the mouse held on it).
    int pressed() const { return pressed_; }

    std::optional<int> key(Key key, bool shift = false);
    // A letter typed, with or without Alt: the control whose mnemonic it is.
    std::optional<int> letter(char c, bool alt);
    std::optional<int> mouseDown(int index);  // index -1: outside every control
    std::optional<int> mouseUp(int index);
    std::optional<int> close();

    // The story box's scroll position, in lines.
    int scrollTop() const { return scrollTop_; }
    void setStoryLines(int total, int visible);
    void scrollBy(int lines);
    void scrollTo(int line);
    int storyLines() const { return storyLines_; }
    int storyVisible() const { return storyVisible_; }

private:
    bool isButton(int index) const;
    bool isRadio(int index) const;
    bool focusable(int index) const;
    void moveFocus(int index);
    void tab(bool backwards);
    void arrow(bool forwards);
    std::optional<int> press(int index);
    int storyIndex() const;

    const Template* tmpl_;
    std::vector<bool> checked_;
    int focus_ = -1;
    int pressed_ = -1;
    bool spaceHeld_ = false;
    int scrollTop_ = 0;
    int storyLines_ = 0;
    int storyVisible_ = 1;
};

// The two dialogs' procedures, with the message boxes they ask as a callback.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns CMD_YES or CMD_NO (or CMD_OK for an OK box).
    virtual int show(const std::string& text, const std::string& caption, Buttons buttons,
                     Icon icon) = 0;
};

// The intro's answer to a command: 1 to agree, 2 after the refusal has been
// confirmed three times, nothing while the dialog stays open.
std::optional<int> introCommand(int command, MessageBoxes& boxes);

// The course from the check states of the first three radio buttons: the
// first one checked gives 0, 1 or 2; none checked gives 3.
int courseFromChecks(bool dialup, bool isdn, bool adsl);
// The course dialog's answer to a command: the course for OK, -1 for cancel.
std::optional<int> courseCommand(int command, const DialogState& state);

// The mnemonic letter of a control text ("同意する(&A)" gives 'A'), or 0.
char mnemonicOf(const std::string& text);
// The text with the '&' markers removed ("&&" gives one '&'), and the byte
// offset of the underlined character in it, or -1.
std::string stripMnemonic(const std::string& text, int* underlineAt);

}  // namespace velno::dialog
