// The monthly task list: the shown month's entries in a grid (date, both titles in
// the entry's colours, today in bold red) beside the note of the current row, with
// printing and closing buttons.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/control_table.h"
#include "ui/rich_edit.h"
#include "ui/scheme_colours.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"
#include "ui/string_grid.h"

struct Date;
class Diary;
class EntryStore;

// Case-insensitive order of texts under the user's regional settings.
int CompareUserText(const std::wstring& a, const std::wstring& b);
// List lines of the month of `date`, in list order.
std::vector<std::wstring> ListLinesOfMonth(const EntryStore& store, const Date& date);

class Tfrm_Lista : public Form {
public:
    Tfrm_Lista();
    ~Tfrm_Lista() override;
    void ApplyScheme(const SchemeColours& colours);

    // The month's list lines; kept while the window is open.
    std::vector<std::wstring> slLista;

    // Shows the month `title` with its list lines modally; the notes come from the diary.
    void ShowMonth(Diary& diary, std::vector<std::wstring> lines, const std::wstring& title);
    // The "Nyomtatás" button: the lines and the month title to print.
    std::function<void(const std::vector<std::wstring>& lines, const std::wstring& title)> OnPrint;

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbNyomtat{L"sbNyomtat"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    StringGrid sgLista;
    RichEdit reMegjegyzes;

    // The title strip's buttons and the working panel, in tab order; made at the
    // first opening with the grid and the note.
    static std::span<const ControlRow<Tfrm_Lista>> Controls();

    void sgListaDrawCell(HDC dc, int col, int row, const RECT& rect, GridCellState state);
    void sgListaSelectCell(int col, int row);
    // Loads the note of `row` into the pane; a note that cannot be read throws
    // FileOpenError and the pane keeps what it showed.
    void LoadRowNote(int row);
    void sbNyomtatClick();
    void sbBezarClick() { Close(mrCancel); }
    HFONT CellFont(bool bold) const { return bold ? cellBoldFont_.Get() : cellFont_.Get(); }

protected:
    void CreateInsides() override;
    void FormShow() override;
    void FormHide() override;
    bool FormKeyPress(wchar_t key) override;

private:
    Diary* diary_ = nullptr;  // while the window is open
    std::wstring title_;
    Font cellFont_;
    Font cellBoldFont_;
    bool filling_ = false;
    bool openedBefore_ = false;
    int rememberedRow_ = 1;
    int rememberedTop_ = 1;
};
