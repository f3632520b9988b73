// The day entry editor: two coloured title words and the rich-text note of one day.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "editors/RichEditBar.h"
#include "editors/title_colours.h"
#include "store/diary.h"
#include "ui/popup_menu.h"
#include "ui/standard_controls.h"

// One colour menu item: the background (navy when highlighted), the caption in its
// own colour from x = 27, and a framed swatch at the left.
void DrawColorItem(HDC dc, const RECT& item, const std::wstring& caption, COLORREF colour, bool highlighted,
                   HFONT font);

// What the editor gives back when the user saves: the entry and the note's RTF.
struct EditedDay {
    DayEntry entry;
    std::string noteRtf;
};

class Tfrm_Reszlet : public TRichNoteForm {
public:
    Tfrm_Reszlet();
    ~Tfrm_Reszlet() override;

    Edit Cimszo1;
    Edit Cimszo2;
    SpeedButton sbEmlekezteto{L"sbEmlekezteto"};  // the day's reminders and yearly mark
    PopupMenu pmSzinek;
    // Field entered last: 1 Cimszo1, 2 Cimszo2, 3 Megjegyzes, 0 none yet.
    int FEditTarget = 0;

    // The window's controls in tab order: the frame's rows, then those made at the
    // first showing (between the file bar and the format bar).
    static std::span<const ControlRow<Tfrm_Reszlet>> Controls();
    // The colour menu's items in menu order.
    static std::span<const MenuItemRow<Tfrm_Reszlet>> ColourMenu();

    // Where a save goes: the owner stores the day (Diary::Store) or throws.
    using StoreDay = std::function<void(const Date& day, const EditedDay& edited)>;
    // The one way to open the editor: reads the day through the diary (its note
    // first) and shows the window modally. Saving hands the edited day to `store`, and
    // the window closes only when that succeeded: a failed save keeps the text in the
    // window. Gives the stored day; nothing when the window was left without saving or
    // stayed closed: a note that exists but cannot be read is reported through the
    // general error handler, as its box must never offer a text it has not read.
    std::optional<EditedDay> EditDay(Diary& diary, const Date& day, StoreDay store);

    void sbMentBezarClick() override;
    void sbBezarClick() override;
    // "Emlékeztető…": the day's reminders (a small modal window of their own).
    void sbEmlekeztetoClick();
    void Cimszo1Enter() { FEditTarget = 1; }
    void Cimszo2Enter() { FEditTarget = 2; }
    void MegjegyzesEnter() { FEditTarget = 3; }
    // A colour menu item: the colour goes to the field entered last.
    void SzinClick(COLORREF colour);
    void Fekete1Click() { SzinClick(clBlack); }
    void Fehr1Click() { SzinClick(clWhite); }
    void Piros1Click() { SzinClick(clRed); }
    void Srga1Click() { SzinClick(clYellow); }
    void Zld1Click() { SzinClick(clLime); }
    void Kk1Click() { SzinClick(clBlue); }
    void Lila1Click() { SzinClick(clFuchsia); }
    void Barna1Click() { SzinClick(clMaroon); }
    void Trkisz1Click() { SzinClick(clAqua); }
    void Stttrkisz1Click() { SzinClick(clTeal); }
    void Sttkk1Click() { SzinClick(clNavy); }
    void Sttzld1Click() { SzinClick(clGreen); }

    // Font colour of title 1 or 2 (as stored: a colour value).
    int32_t TitleColour(int field) const { return field == 1 ? colour1_ : colour2_; }

    // Opens the colour menu at a screen point; tests replace it.
    std::function<void(POINT)> PopupColourMenu;

protected:
    void CreateInsides() override;
    void FormShow() override;
    bool FormSysKey(UINT vk) override;
    void ClipboardOnTarget(ClipboardCommand command) override;
    void ColourDropDown(POINT screen) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Shown only through EditDay, which reads the day first.
    using TRichNoteForm::ShowModal;
    // Fills the window with the opened day; false when its note is damaged and the
    // user chose not to open it.
    bool LoadDay(const OpenedDay& opened);
    void CreateColourMenu();
    bool OneOfTheFieldsFocused() const;
    void SetTitles(const std::wstring& title1, const std::wstring& title2, int32_t colour1, int32_t colour2);
    static LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    int32_t colour1_ = 0;
    int32_t colour2_ = 0;
    Date day_{};
    Diary* diary_ = nullptr;  // while EditDay runs
    StoreDay store_;
    std::optional<EditedDay> stored_;
    Font menuFont_;
};

