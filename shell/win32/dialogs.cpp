// The intro dialog, which shows the story and asks for agreement, and the
// course dialog. Both answer TRUE for what they handle and leave the rest to
// the dialog manager (keyboard navigation, Enter, Escape, the close box).
#include <windows.h>

#include "shell/win32/dialog_texts.h"
#include "shell/win32/shell.h"

namespace {

// Asks the three questions in turn; true only if every one is answered Yes.
bool confirmRefusal(HWND dialog) {
    for (const char* question : QUESTIONS) {
        if (MessageBoxA(dialog, question, QUESTION_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return false;
        }
    }
    return true;
}

}  // namespace

INT_PTR CALLBACK introDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, CONTROL_STORY, STORY_TEXT);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            if (confirmRefusal(dialog)) {
                MessageBoxA(dialog, REFUSAL_TEXT, REFUSAL_CAPTION, MB_OK | MB_ICONERROR);
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK courseDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(dialog, CONTROL_COURSE_DIALUP, BST_CHECKED);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            // The first checked of the first three buttons decides; with none
            // of them checked the choice is the fourth, which is never read.
            INT_PTR course = COURSE_HIKARI;
            if (IsDlgButtonChecked(dialog, CONTROL_COURSE_DIALUP) == BST_CHECKED) {
                course = COURSE_DIALUP;
            } else if (IsDlgButtonChecked(dialog, CONTROL_COURSE_ISDN) == BST_CHECKED) {
                course = COURSE_ISDN;
            } else if (IsDlgButtonChecked(dialog, CONTROL_COURSE_ADSL) == BST_CHECKED) {
                course = COURSE_ADSL;
            }
            EndDialog(dialog, course);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, -1);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
