// The "Továbbiak" drop-down tool button of the main window: every feature that
// goes beyond the program's classic tool bar lives in its menu, each with a
// keyboard shortcut that works anywhere in the main window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Tfrm_Main;

struct TovabbiakItem {
    const wchar_t* name;            // field name of the menu item (mniKereses, ...); null for a separator
    const wchar_t* caption;         // menu text without the shortcut
    WORD key = 0;                   // virtual key of the shortcut ('F', VK_F3, ...); 0: none
    BYTE modifiers = 0;             // FCONTROL, FSHIFT, FALT
    void (Tfrm_Main::*handler)() = nullptr;
};

// The menu, top to bottom. Features add their rows to this one table (tovabbiak.cpp).
const std::vector<TovabbiakItem>& TovabbiakItems();

// "Ctrl+F", "Ctrl+Shift+E", "F3": the shortcut as the menu shows it; empty for none.
std::wstring ShortcutText(WORD key, BYTE modifiers);

// The menu item's text: the caption, a tab and the shortcut.
std::wstring MenuText(const TovabbiakItem& item);

// The main window's accelerator table of the shortcuts; destroyed with the object.
class AcceleratorTable {
public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(const std::vector<ACCEL>& entries);
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    AcceleratorTable(AcceleratorTable&& o) noexcept;
    AcceleratorTable& operator=(AcceleratorTable&& o) noexcept;
    ~AcceleratorTable();
    HACCEL Get() const { return table_; }

private:
    HACCEL table_ = nullptr;
};
