#ifndef PELMORA_TESTS_WIN32_INPUT_H
#define PELMORA_TESTS_WIN32_INPUT_H

#include <windows.h>

#include <vector>

// Input as the keyboard hands it to Windows: a key going down or up, or a character typed, as an
// input method hands it over.
inline INPUT key_input(WORD key, bool up, wchar_t character = 0) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = character != 0 ? 0 : key;
    input.ki.wScan = character;
    input.ki.dwFlags = (character != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// A key pressed and released, with modifiers held around it.
inline std::vector<INPUT> key_press(WORD key, const std::vector<WORD>& modifiers = {}) {
    std::vector<INPUT> inputs;
    for (const WORD modifier : modifiers) {
        inputs.push_back(key_input(modifier, false));
    }
    inputs.push_back(key_input(key, false));
    inputs.push_back(key_input(key, true));
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
        inputs.push_back(key_input(*modifier, true));
    }
    return inputs;
}

inline void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

#endif
