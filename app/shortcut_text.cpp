#include "app/shortcut_text.h"

std::wstring ShortcutText(const ShortcutKeys& keys) {
    if (!keys.key) return {};
    std::wstring text;
    if (keys.control) text += L"Ctrl+";
    if (keys.shift) text += L"Shift+";
    if (keys.alt) text += L"Alt+";
    if (keys.key >= kKeyF1 && keys.key <= kKeyF24)
        text += L"F" + std::to_wstring(keys.key - kKeyF1 + 1);
    else
        text += static_cast<wchar_t>(keys.key);
    return text;
}
