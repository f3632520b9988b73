// The day entry editor: two coloured title words and the rich-text note of one day.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "editors/RichEditBar.h"
#include "ui/popup_menu.h"

// The colour menu's items, in menu order, with their Alt shortcut letters.
struct ColourMenuItem {
    const wchar_t* name;
    const wchar_t* caption;
    wchar_t key;
    COLORREF colour;
};
extern const std::array<ColourMenuItem, 12> kColourMenuItems;

// One colour menu item: the background (navy when highlighted), the caption in its
// own colour from x = 27, and a framed swatch at the left.
void DrawColorItem(HDC dc, const RECT& item, const std::wstring& caption, COLORREF colour, bool highlighted,
                   HFONT font);

class Tfrm_Reszlet : public TRichNoteForm {
public:
    Tfrm_Reszlet();
    ~Tfrm_Reszlet() override;

    HWND Cimszo1 = nullptr;
    HWND Cimszo2 = nullptr;
    MenuHandle pmSzinek;
    // Field entered last: 1 Cimszo1, 2 Cimszo2, 3 Megjegyzes, 0 none yet.
    int FEditTarget = 0;

    // Fills the window for the main window's CurrentDate and CurrentLine. Throws
    // FileOpenError (and changes nothing) when the day's note exists but cannot be read.
    void LoadCurrentDay();

    void sbMentBezarClick() override;
    void sbBezarClick() override;
    void Cimszo1Enter() { FEditTarget = 1; }
    void Cimszo2Enter() { FEditTarget = 2; }
    void MegjegyzesEnter() { FEditTarget = 3; }
    // A colour menu item: the colour goes to the field entered last.
    void SzinClick(COLORREF colour);
    int ColourItemId(const std::wstring& name) const;

    // Font colour of title 1 or 2 (as stored: a colour value).
    int32_t TitleColour(int field) const { return field == 1 ? colour1_ : colour2_; }

    // Opens the colour menu at a screen point; tests replace it.
    std::function<void(POINT)> PopupColourMenu;

protected:
    void FormCreate() override;
    void CreateInsides() override;
    void FormShow() override;
    bool FormSysKey(UINT vk) override;
    HWND ClipboardTarget() const override;
    void ColourDropDown(const RECT& screenButton) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateColourMenu();
    void SetTitles(const std::wstring& title1, const std::wstring& title2, int32_t colour1, int32_t colour2);
    static LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    int32_t colour1_ = 0;
    int32_t colour2_ = 0;
    std::array<int, 12> colourIds_{};
    Font menuFont_;
};

extern Tfrm_Reszlet* frm_Reszlet;
