// The intro and course dialogs and their message boxes as SDL windows, run
// before the game window exists. Their behaviour lives in dialog_logic.h;
// this is the drawing and the event loops.
#pragma once

#include <string>

typedef struct _TTF_Font TTF_Font;

namespace velno {

// What all dialogs share: the 9-point gothic face and the pixel scale.
class DialogUi {
public:
    DialogUi() = default;
    ~DialogUi();
    DialogUi(const DialogUi&) = delete;
    DialogUi& operator=(const DialogUi&) = delete;

    // Opens the dialog face (IPA P Gothic, else any Japanese face). Without
    // one the dialogs still work, without text; `error` says why.
    bool init(int scale, std::string& error);
    TTF_Font* font() const { return font_; }
    TTF_Font* iconFont() const { return iconFont_; }
    int scale() const { return scale_; }
    // Dialog base units in pixels, from the face as Windows computes them.
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }
    int lineHeight() const { return lineHeight_; }

private:
    TTF_Font* font_ = nullptr;
    TTF_Font* iconFont_ = nullptr;
    int scale_ = 1;
    int baseX_ = 6;
    int baseY_ = 12;
    int lineHeight_ = 12;
};

// Results of the dialogs; QUIT when the program was asked to end (a signal
// or the session closing) while a dialog was open.
constexpr int DIALOG_QUIT = -100;
// The dialog's window could not be made (SDL_GetError() says why).
constexpr int DIALOG_FAILED = -101;

// 1 when the player agrees, 2 when the refusal was confirmed.
int runIntroDialog(DialogUi& ui);
// The course 0..3, or -1 when cancelled.
int runCourseDialog(DialogUi& ui);

}  // namespace velno
