#include "shell/sdl/dialog_logic.h"

#include <algorithm>

namespace velno::dialog {
namespace {

// Shift-JIS texts of the dialogs.
const char* const INTRO_CAPTION = "\x96\xCD\x91\xA2MassPoster";  // 模造MassPoster
const char* const AGREE = "\x93\xAF\x88\xD3\x82\xB7\x82\xE9(&A)";  // 同意する(&A)
const char* const REFUSE = "\x93\xAF\x88\xD3\x82\xB5\x82\xC8\x82\xA2(&N)";  // 同意しない(&N)
// はじめにお読みください。
const char* const READ_FIRST =
    "\x82\xCD\x82\xB6\x82\xDF\x82\xC9\x82\xA8\x93\xC7\x82\xDD\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "B";
// The maker's notice at the intro's foot:
// "velno ― 新たに書き起こした再実装版です。" and a copyright line.
const char* const MAKER_NOTICE =
    "velno \x81\x5C \x90V\x82\xBD\x82\xC9\x8F\x91\x82\xAB\x8BN\x82\xB1\x82\xB5\x82\xBD"
    "\x8D\xC4\x8E\xC0\x91\x95\x94\xC5\x82\xC5\x82\xB7\x81" "B\x0D\x0A(C) velno developers";
const char* const COURSE_CAPTION = "\x83R\x81[\x83X\x91I\x91\xF0";  // コース選択
const char* const CANCEL = "\x83L\x83\x83\x83\x93\x83Z\x83\x8B";   // キャンセル
// コースを選んでください。
const char* const CHOOSE =
    "\x83R\x81[\x83X\x82\xF0\x91I\x82\xF1\x82\xC5\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// ダイヤルアップコース ……… 最遅。初心者向け。
const char* const RADIO_DIALUP =
    "\x83_\x83" "C\x83\x84\x83\x8B\x83" "A\x83" "b\x83v\x83R\x81[\x83X \x81" "c\x81" "c\x81" "c "
    "\x8D\xC5\x92x\x81" "B\x8F\x89\x90S\x8E\xD2\x8C\xFC\x82\xAF\x81" "B";
// ＩＳＤＮコース　　　　　  ……… 中級者向け。
const char* const RADIO_ISDN =
    "\x82h\x82r\x82" "c\x82m\x83R\x81[\x83X\x81@\x81@\x81@\x81@\x81@  \x81" "c\x81" "c\x81" "c "
    "\x92\x86\x8B\x89\x8E\xD2\x8C\xFC\x82\xAF\x81" "B";
// ＡＤＳＬコース　　　　　 ……… 上級者向け。
const char* const RADIO_ADSL =
    "\x82`\x82" "c\x82r\x82k\x83R\x81[\x83X\x81@\x81@\x81@\x81@\x81@ \x81" "c\x81" "c\x81" "c "
    "\x8F\xE3\x8B\x89\x8E\xD2\x8C\xFC\x82\xAF\x81" "B";
// 光コース　　　　　　　　 ……… 最速。超上級者向け。
const char* const RADIO_HIKARI =
    "\x8C\xF5\x83R\x81[\x83X\x81@\x81@\x81@\x81@\x81@\x81@\x81@\x81@ \x81" "c\x81" "c\x81" "c "
    "\x8D\xC5\x91\xAC\x81" "B\x92\xB4\x8F\xE3\x8B\x89\x8E\xD2\x8C\xFC\x82\xAF\x81" "B";

const char* const QUESTION_CAPTION = "\x8E\xBF\x96\xE2";  // 質問
const char* const QUESTIONS[3] = {
    "\x82\xA6\x81[\x81H\x81@\x82\xBB\x82\xEA\x82\xCD\x96{\x93\x96\x81H",  // えー？　それは本当？
    "\x96{\x93\x96\x82\xC9\x96{\x93\x96\x81H",                              // 本当に本当？
    "\x96{\x93\x96\x82\xC9\x96{\x93\x96\x82\xC9\x96{\x93\x96\x81H",          // 本当に本当に本当？
};
const char* const STINGY = "\x83P\x83`!!";                 // ケチ!!
const char* const ANSWER_CAPTION = "\x89\xF1\x93\x9A";     // 回答
const char* const YES_TEXT = "\x82\xCD\x82\xA2(&Y)";       // はい(&Y)
const char* const NO_TEXT = "\x82\xA2\x82\xA2\x82\xA6(&N)";  // いいえ(&N)

const char* const STORY =
    "\x81@\x8E\x9E\x82\xCD\x82Q\x82O\x82\x98\x82\x98\x94N\x81" "B\x0D\x0A\x0D\x0A\x81@\x90\xA2\x8A"
    "E\x93I\x82\xC8\x88\xAB\x93\xBF\x8A\xE9\x8B\xC6zuzerid\x8E\xD0\x82\xCD\x81" "A\x88\xAB\x93\xBF"
    "\x83_\x83" "C\x83\x8C\x83N\x83g\x83\x81\x81[\x83\x8B\x82\xF0\x8A\xC8\x92P\x82\xC9\x91\xE5\x97"
    "\xCA\x82\xC9\x91\x97\x90M\x82\xB7\x82\xE9\x82\xBD\x82\xDF\x82\xCC\x83\x5C\x83t\x83g\x83" "E\x83"
    "F\x83" "A\x81uMassPoster API\x81v\x82\xF0\x8AJ\x94\xAD\x82\xB5\x82\xBD\x81" "B\x0D\x0A\x81@\x82"
    "\xB1\x82\xCCMassPoster API\x82\xC9\x82\xE6\x82\xC1\x82\xC4\x91\xE5\x97\xCA\x82\xC9\x91\x97\x90"
    "M\x82\xB3\x82\xEA\x82\xBD\x88\xAB\x93\xBF\x83_\x83" "C\x83\x8C\x83N\x83g\x83\x81\x81[\x83\x8B"
    "\x82\xC9\x82\xE6\x82\xE8\x81" "A\x83" "C\x83\x93\x83^\x81[\x83l\x83" "b\x83g\x82\xCC\x90\xA2\x8A"
    "E\x82\xCD\x8D\xAC\x97\x90\x82\xB5\x82\xBD\x81" "B\x0D\x0A\x0D\x0A\x81@\x82\xBB\x82\xB1\x82\xC5"
    "\x81" "A\x88\xAB\x93\xBF\x83_\x83" "C\x83\x8C\x83N\x83g\x83\x81\x81[\x83\x8B\x82\xF0\x8F\x9C\x8B"
    "\x8E\x82\xB5\x81" "A\x90\xB3\x82\xB5\x82\xA2\x83\x81\x81[\x83\x8B\x82\xF0\x95\xDB\x8C\xEC\x82"
    "\xB7\x82\xE9\x83\x8F\x83N\x83`\x83\x93\x83\x5C\x83t\x83g\x83" "E\x83" "F\x83" "A\x81uzavi\x81v"
    "\x82\xAA\x8AJ\x94\xAD\x82\xB3\x82\xEA\x82\xBD\x81" "B\x0D\x0A\x81@\x82\xA0\x82\xC8\x82\xBD\x82"
    "\xCD\x83\x8F\x83N\x83`\x83\x93\x83\x5C\x83t\x83g\x83" "E\x83" "F\x83" "A\x81uzavi\x81v\x82\xC6"
    "\x82\xC8\x82\xE8\x81" "A\x83" "C\x83\x93\x83^\x81[\x83l\x83" "b\x83g\x82\xCC\x90\xA2\x8A" "E\x82"
    "\xC9\x96\xA0\x89\x84\x82\xB7\x82\xE9\x88\xAB\x93\xBF\x83_\x83" "C\x83\x8C\x83N\x83g\x83\x81\x81"
    "[\x83\x8B\x82\xF0\x8F\x9C\x8B\x8E\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B\x0D"
    "\x0A\x0D\x0A\x81@\x93\xAF\x88\xD3\x82\xB3\x82\xEA\x82\xDC\x82\xB7\x82\xA9\x81H";

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

const Template& introTemplate() {
    static const Template tmpl{
        INTRO_CAPTION,
        271,
        149,
        {
            {ControlKind::DefaultButton, CMD_OK, AGREE, 156, 128, 50, 14, true},
            {ControlKind::Button, CMD_CANCEL, REFUSE, 214, 128, 50, 14, true},
            {ControlKind::Label, 0, READ_FIRST, 7, 7, 72, 8, false},
            {ControlKind::Story, ID_STORY, "", 7, 24, 257, 90, true},
            {ControlKind::EtchedLine, 0, "", 7, 121, 257, 1, false},
            {ControlKind::Label, 0, MAKER_NOTICE, 7, 126, 141, 16, false},
        },
        CMD_CANCEL,
    };
    return tmpl;
}

const Template& courseTemplate() {
    static const Template tmpl{
        COURSE_CAPTION,
        271,
        115,
        {
            {ControlKind::DefaultButton, CMD_OK, "OK", 158, 94, 50, 14, true},
            {ControlKind::Button, CMD_CANCEL, CANCEL, 214, 94, 50, 14, true},
            {ControlKind::Label, 0, CHOOSE, 7, 7, 72, 8, false},
            {ControlKind::Radio, ID_RADIO_DIALUP, RADIO_DIALUP, 7, 30, 160, 10, false},
            {ControlKind::Radio, ID_RADIO_ISDN, RADIO_ISDN, 7, 45, 141, 10, false},
            {ControlKind::Radio, ID_RADIO_ADSL, RADIO_ADSL, 7, 60, 141, 10, false},
            {ControlKind::Radio, ID_RADIO_HIKARI, RADIO_HIKARI, 7, 75, 167, 10, false},
        },
        CMD_CANCEL,
    };
    return tmpl;
}

const char* storyText() { return STORY; }

Template messageBoxTemplate(const std::string& text, const std::string& caption, Buttons buttons) {
    Template tmpl{caption, 0, 0, {}, 0};
    // Geometry is filled in by the drawing layer from the measured text.
    tmpl.controls.push_back({ControlKind::Label, 0, text, 0, 0, 0, 0, false});
    if (buttons == Buttons::YesNo) {
        tmpl.controls.push_back({ControlKind::DefaultButton, CMD_YES, YES_TEXT, 0, 0, 0, 0, true});
        tmpl.controls.push_back({ControlKind::Button, CMD_NO, NO_TEXT, 0, 0, 0, 0, true});
        tmpl.cancelCommand = 0;
    } else {
        tmpl.controls.push_back({ControlKind::DefaultButton, CMD_OK, "OK", 0, 0, 0, 0, true});
        tmpl.cancelCommand = CMD_OK;
    }
    return tmpl;
}

// ---- DialogState ---------------------------------------------------------

DialogState::DialogState(const Template& tmpl)
    : tmpl_(&tmpl), checked_(tmpl.controls.size(), false) {
    tab(false);  // the first tab stop takes the focus
}

bool DialogState::isButton(int index) const {
    if (index < 0 || index >= static_cast<int>(tmpl_->controls.size())) return false;
    ControlKind kind = tmpl_->controls[static_cast<std::size_t>(index)].kind;
    return kind == ControlKind::DefaultButton || kind == ControlKind::Button;
}

bool DialogState::isRadio(int index) const {
    return index >= 0 && index < static_cast<int>(tmpl_->controls.size()) &&
           tmpl_->controls[static_cast<std::size_t>(index)].kind == ControlKind::Radio;
}

bool DialogState::focusable(int index) const {
    return isButton(index) || isRadio(index) ||
           tmpl_->controls[static_cast<std::size_t>(index)].kind == ControlKind::Story;
}

bool DialogState::checkedId(int id) const {
    for (std::size_t i = 0; i < tmpl_->controls.size(); ++i) {
        if (tmpl_->controls[i].id == id) return checked_[i];
    }
    return false;
}

void DialogState::checkRadio(int index) {
    if (!isRadio(index)) return;
    // The group is the run of radio buttons around it.
    int first = index;
    while (isRadio(first - 1)) --first;
    for (int i = first; isRadio(i); ++i) checked_[static_cast<std::size_t>(i)] = false;
    checked_[static_cast<std::size_t>(index)] = true;
}

int DialogState::defaultButton() const {
    if (isButton(focus_)) return focus_;
    for (std::size_t i = 0; i < tmpl_->controls.size(); ++i) {
        if (tmpl_->controls[i].kind == ControlKind::DefaultButton) return static_cast<int>(i);
    }
    return -1;
}

int DialogState::storyIndex() const {
    for (std::size_t i = 0; i < tmpl_->controls.size(); ++i) {
        if (tmpl_->controls[i].kind == ControlKind::Story) return static_cast<int>(i);
    }
    return -1;
}

void DialogState::moveFocus(int index) {
    if (index == focus_) return;
    focus_ = index;
    pressed_ = -1;
    spaceHeld_ = false;
}

void DialogState::tab(bool backwards) {
    // The tab stops: controls with the tab-stop style, and a run of radio
    // buttons as one more stop, entered at its checked button (or its first).
    std::vector<int> stops;
    const int count = static_cast<int>(tmpl_->controls.size());
    for (int i = 0; i < count; ++i) {
        if (isRadio(i)) {
            if (isRadio(i - 1)) continue;
            int target = i;
            for (int j = i; isRadio(j); ++j) {
                if (checked_[static_cast<std::size_t>(j)]) target = j;
            }
            stops.push_back(target);
        } else if (tmpl_->controls[static_cast<std::size_t>(i)].tabStop) {
            stops.push_back(i);
        }
    }
    if (stops.empty()) return;
    // Where the focus lies among the stops (a radio counts as its group's).
    int current = -1;
    for (int s = 0; s < static_cast<int>(stops.size()); ++s) {
        int stop = stops[static_cast<std::size_t>(s)];
        bool same = stop == focus_;
        if (!same && isRadio(stop) && isRadio(focus_)) {
            int a = stop, b = focus_;
            while (isRadio(a - 1)) --a;
            while (isRadio(b - 1)) --b;
            same = a == b;
        }
        if (same) current = s;
    }
    int n = static_cast<int>(stops.size());
    int next;
    if (current < 0) {
        next = backwards ? n - 1 : 0;
    } else {
        next = (current + (backwards ? n - 1 : 1)) % n;
    }
    moveFocus(stops[static_cast<std::size_t>(next)]);
}

void DialogState::arrow(bool forwards) {
    // Arrows move among push buttons, or among the radio buttons of a group,
    // wrapping around; a radio button reached this way is checked.
    if (!isButton(focus_) && !isRadio(focus_)) return;
    const bool radio = isRadio(focus_);
    const int count = static_cast<int>(tmpl_->controls.size());
    int first = focus_, last = focus_;
    if (radio) {
        while (isRadio(first - 1)) --first;
        while (isRadio(last + 1)) ++last;
    } else {
        first = 0;
        last = count - 1;
    }
    int i = focus_;
    for (int step = 0; step < count; ++step) {
        i += forwards ? 1 : -1;
        if (i > last) i = first;
        if (i < first) i = last;
        if (radio ? isRadio(i) : isButton(i)) break;
    }
    moveFocus(i);
    if (radio) checkRadio(i);
}

std::optional<int> DialogState::press(int index) {
    if (isButton(index)) return tmpl_->controls[static_cast<std::size_t>(index)].id;
    if (isRadio(index)) {
        moveFocus(index);
        checkRadio(index);
    }
    return std::nullopt;
}

std::optional<int> DialogState::key(Key key, bool shift) {
    const bool onStory = focus_ >= 0 && focus_ == storyIndex();
    switch (key) {
        case Key::Tab:
            tab(shift);
            return std::nullopt;
        case Key::Left:
        case Key::Up:
            if (onStory) {
                scrollBy(-1);
            } else {
                arrow(false);
            }
            return std::nullopt;
        case Key::Right:
        case Key::Down:
            if (onStory) {
                scrollBy(1);
            } else {
                arrow(true);
            }
            return std::nullopt;
        case Key::PageUp:
            if (onStory) scrollBy(-std::max(1, storyVisible_ - 1));
            return std::nullopt;
        case Key::PageDown:
            if (onStory) scrollBy(std::max(1, storyVisible_ - 1));
            return std::nullopt;
        case Key::Home:
            if (onStory) scrollTo(0);
            return std::nullopt;
        case Key::End:
            if (onStory) scrollTo(storyLines_);
            return std::nullopt;
        case Key::SpaceDown:
            if (isButton(focus_) || isRadio(focus_)) {
                spaceHeld_ = true;
                pressed_ = focus_;
            }
            return std::nullopt;
        case Key::SpaceUp:
            if (spaceHeld_ && pressed_ == focus_) {
                spaceHeld_ = false;
                pressed_ = -1;
                return press(focus_);
            }
            spaceHeld_ = false;
            pressed_ = -1;
            return std::nullopt;
        case Key::Enter: {
            int button = defaultButton();
            if (button < 0) return std::nullopt;
            return tmpl_->controls[static_cast<std::size_t>(button)].id;
        }
        case Key::Escape:
            return close();
    }
    return std::nullopt;
}

std::optional<int> DialogState::letter(char c, bool alt) {
    // A plain letter works only where the focused control does not take
    // typing; the story box does (it is an edit box).
    if (!alt && focus_ == storyIndex() && focus_ >= 0) return std::nullopt;
    for (int i = 0; i < static_cast<int>(tmpl_->controls.size()); ++i) {
        const Control& control = tmpl_->controls[static_cast<std::size_t>(i)];
        if (!focusable(i)) continue;
        char m = mnemonicOf(control.text);
        if (m != 0 && upper(m) == upper(c)) {
            if (isButton(i)) moveFocus(i);
            return press(i);
        }
    }
    return std::nullopt;
}

std::optional<int> DialogState::mouseDown(int index) {
    if (index < 0 || !focusable(index)) return std::nullopt;
    moveFocus(index);
    if (isButton(index) || isRadio(index)) pressed_ = index;
    return std::nullopt;
}

std::optional<int> DialogState::mouseUp(int index) {
    int was = pressed_;
    if (spaceHeld_) return std::nullopt;  // Space still holds the button
    pressed_ = -1;
    if (was >= 0 && was == index) return press(index);
    return std::nullopt;
}

std::optional<int> DialogState::close() {
    if (tmpl_->cancelCommand == 0) return std::nullopt;
    return tmpl_->cancelCommand;
}

void DialogState::setStoryLines(int total, int visible) {
    storyLines_ = std::max(0, total);
    storyVisible_ = std::max(1, visible);
    scrollTo(scrollTop_);
}

void DialogState::scrollBy(int lines) { scrollTo(scrollTop_ + lines); }

void DialogState::scrollTo(int line) {
    scrollTop_ = std::clamp(line, 0, std::max(0, storyLines_ - storyVisible_));
}

// ---- The dialogs' procedures ---------------------------------------------

std::optional<int> introCommand(int command, MessageBoxes& boxes) {
    if (command == CMD_OK) return 1;
    if (command != CMD_CANCEL) return std::nullopt;
    for (const char* question : QUESTIONS) {
        if (boxes.show(question, QUESTION_CAPTION, Buttons::YesNo, Icon::Question) != CMD_YES) {
            return std::nullopt;
        }
    }
    boxes.show(STINGY, ANSWER_CAPTION, Buttons::Ok, Icon::Stop);
    return 2;
}

int courseFromChecks(bool dialup, bool isdn, bool adsl) {
    if (dialup) return 0;
    if (isdn) return 1;
    if (adsl) return 2;
    return 3;
}

std::optional<int> courseCommand(int command, const DialogState& state) {
    if (command == CMD_OK) {
        return courseFromChecks(state.checkedId(ID_RADIO_DIALUP), state.checkedId(ID_RADIO_ISDN),
                                state.checkedId(ID_RADIO_ADSL));
    }
    if (command == CMD_CANCEL) return -1;
    return std::nullopt;
}

char mnemonicOf(const std::string& text) {
    int at = -1;
    std::string plain = stripMnemonic(text, &at);
    return at >= 0 ? plain[static_cast<std::size_t>(at)] : 0;
}

std::string stripMnemonic(const std::string& text, int* underlineAt) {
    std::string out;
    int at = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c) && i + 1 < text.size()) {
            out.push_back(text[i]);
            out.push_back(text[++i]);
            continue;
        }
        if (c == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && at < 0) at = static_cast<int>(out.size());
            out.push_back(text[i]);
            if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
                out.push_back(text[++i]);
            }
            continue;
        }
        out.push_back(text[i]);
    }
    if (underlineAt != nullptr) *underlineAt = at;
    return out;
}

}  // namespace velno::dialog
