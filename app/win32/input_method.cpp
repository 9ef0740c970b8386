#include "win32/input_method.h"

#include <imm.h>

namespace pelmora {

namespace {

// The composition string's length in bytes, 0 for none.
LONG composition_length(HIMC context) {
    return context != nullptr ? ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0) : 0;
}

}  // namespace

bool composing(HWND box) {
    HIMC context = ImmGetContext(box);
    const bool composing = composition_length(context) > 0;
    ImmReleaseContext(box, context);
    return composing;
}

bool settle_composition() {
    HWND focus = GetFocus();
    if (focus == nullptr || !composing(focus)) {
        return false;
    }
    HIMC context = ImmGetContext(focus);
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ImmReleaseContext(focus, context);
    // The input method hands the result over as characters, posted: they are taken in now, so
    // that the text stands in its box, at its caret, before the focus moves on (a box the focus
    // leaves puts its caret at the start) or a menu takes the characters for its own.
    MSG message;
    while (PeekMessageW(&message, focus, WM_IME_CHAR, WM_IME_CHAR, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    while (PeekMessageW(&message, focus, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace pelmora
