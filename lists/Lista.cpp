#include "lists/Lista.h"

#include "lists/search_rows.h"
#include "store/task_lines.h"
#include "platform/errors.h"
#include "store/diary.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/secondary_frame.h"


namespace {

COLORREF TitleColour(const std::wstring& field) { return ResolveColour(ReadColourField(field)); }

}  // namespace

int CompareUserText(const std::wstring& a, const std::wstring& b) {
    const int r = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                  b.c_str(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    return r == 0 ? a.compare(b) : r - CSTR_EQUAL;
}

std::vector<std::wstring> ListLinesOfMonth(const EntryStore& store, const Date& date) {
    return MonthListLines(store, MonthKey(date), CompareUserText);
}

Tfrm_Lista::Tfrm_Lista() : Form(SecondaryWindowOptions(L"TivornListaWindow", 694, 349)) {}

Tfrm_Lista::~Tfrm_Lista() = default;

void Tfrm_Lista::ApplyScheme(const SchemeColours& colours) {
    p.SetColor(ResolveColour(colours[1]));
    Panel1.SetColor(ResolveColour(colours[6]));  // the grid's title row takes it too
    pCim.SetColor(ResolveColour(colours[6]));
    sgLista.Invalidate();
}

std::span<const ControlRow<Tfrm_Lista>> Tfrm_Lista::Controls() {
    using T = Tfrm_Lista;
    static const ControlRow<T> rows[] = {
        {.name = L"sbNyomtat", .field = &T::sbNyomtat, .parent = &T::pCim, .x = 592, .y = 2, .w = 23, .h = 22,
         .text = L"Nyomtatás", .handler = &T::sbNyomtatClick, .picture = IDI_SB_PRINT, .tooltip = true},
        {.name = L"sbBezar", .field = &T::sbBezar, .parent = &T::pCim, .x = 620, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás", .handler = &T::sbBezarClick, .picture = IDI_SB_CLOSE, .tooltip = true},
        {.name = L"Panel1", .field = &T::Panel1, .parent = &T::p, .x = 4, .y = 32, .w = 685, .h = 313,
         .colour = 0xC0C0C0},
    };
    return rows;
}

// Everything is made at the first showing: a start makes only the window itself.
void Tfrm_Lista::CreateInsides() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, 649);
    BuildControls(*this, Controls());
    cellFont_ = MakeFont(FontSpec{L"MS Sans Serif", 8, 0, false, false, false, EASTEUROPE_CHARSET});
    cellBoldFont_ = MakeFont(FontSpec{L"MS Sans Serif", 8, 0, true, false, false, EASTEUROPE_CHARSET});

    sgLista.FixedRows = 1;
    sgLista.DefaultRowHeight = 16;
    sgLista.SetColumnWidths({82, 125, 125});
    sgLista.Create(Panel1.Handle(), 4, 4, 353, 301);
    sgLista.SetRowCount(1);
    sgLista.SetCell(0, 0, L"Dátum");
    sgLista.SetCell(1, 0, L"Címszó I.");
    sgLista.SetCell(2, 0, L"Címszó II.");
    sgLista.OnDrawCell = [this](HDC dc, int col, int row, const RECT& r, GridCellState s) {
        sgListaDrawCell(dc, col, row, r, s);
    };
    sgLista.OnSelectCell = [this](int col, int row) { sgListaSelectCell(col, row); };

    reMegjegyzes.Create(Panel1.Handle(), 364, 4, 317, 301, NewControlId(), ES_READONLY, FormFont());
    UseArrowCursor(reMegjegyzes.Handle());
}

void Tfrm_Lista::FormShow() {
    const int rows = 1 + static_cast<int>(slLista.size());
    sgLista.SetRowCount(rows);
    for (int i = 0; i < static_cast<int>(slLista.size()); ++i) {
        const std::wstring& line = slLista[static_cast<size_t>(i)];
        sgLista.SetCell(0, i + 1, ListDateText(line));
        sgLista.SetCell(1, i + 1, ListTitle1Text(line));
        sgLista.SetCell(2, i + 1, ListTitle2Text(line));
    }
    if (slLista.empty()) {
        reMegjegyzes.Clear();
    } else {
        // The first opening starts on the first entry; later ones where the last one
        // was left (the last row when the new list is shorter).
        const int row = std::min(openedBefore_ ? rememberedRow_ : 1, rows - 1);
        filling_ = true;
        sgLista.SetTopRow(openedBefore_ ? rememberedTop_ : 1);
        sgLista.SetRow(row);
        filling_ = false;
        Application::Get().Guard([this] { LoadRowNote(sgLista.Row()); });
    }
    sgLista.Invalidate();
    SetFocus(sgLista.Handle());
}

void Tfrm_Lista::FormHide() {
    if (sgLista.Row() > 0) {
        openedBefore_ = true;
        rememberedRow_ = sgLista.Row();
        rememberedTop_ = sgLista.TopRow();
    }
}

bool Tfrm_Lista::FormKeyPress(wchar_t key) {
    if (key == L'\x1B') {
        sbBezarClick();
        return true;
    }
    return false;
}

void Tfrm_Lista::ShowMonth(Diary& diary, std::vector<std::wstring> lines, const std::wstring& title) {
    slLista = std::move(lines);
    diary_ = &diary;
    title_ = title;
    EnsureInsides();  // the caption goes to the title strip made there
    pCim.SetCaption(L"   " + title);
    ShowModal();
    slLista.clear();
    diary_ = nullptr;
}

void Tfrm_Lista::sgListaSelectCell(int, int row) {
    if (filling_) return;  // the opening loads the first note itself
    Application::Get().Guard([this, row] { LoadRowNote(row); });
}

void Tfrm_Lista::LoadRowNote(int row) {
    if (row < 1 || !diary_) return;
    std::optional<std::string> note;
    try {
        note = diary_->Open(DateOfKey(NoteFileOfRow(sgLista.Cell(0, row)))).note;
    } catch (const AppError&) {
        reMegjegyzes.Clear();  // never the previous row's note under this row
        throw;
    }
    if (note)
        reMegjegyzes.LoadAny(*note);
    else
        reMegjegyzes.Clear();  // a day without a note file has an empty note
}

void Tfrm_Lista::sgListaDrawCell(HDC dc, int col, int row, const RECT& rect, GridCellState) {
    Canvas canvas(dc);
    COLORREF back = 0xFFFFFF, text = 0;
    bool bold = row == 0;
    const int selTop = sgLista.Selection().top;
    if (row > 0 && row == selTop) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        bold = false;
    } else if (row == 0) {
        back = Panel1.Color();
    } else {
        const size_t line = static_cast<size_t>(row - 1);
        const std::wstring listLine = line < slLista.size() ? slLista[line] : std::wstring();
        if (col == 0) {
            if (sgLista.Cell(0, row) == FormatDottedDate(Today())) {
                text = 0x0000FF;
                bold = true;
            }
        } else if (col == 1) {
            text = TitleColour(ListColour1Text(listLine));
        } else {
            text = TitleColour(ListColour2Text(listLine));
        }
    }
    canvas.Fill(rect, back);
    canvas.Text(rect.left + 3, rect.top + 1, sgLista.Cell(col, row), bold ? cellBoldFont_.Get() : cellFont_.Get(),
                text);
}

void Tfrm_Lista::sbNyomtatClick() {
    if (OnPrint) OnPrint(slLista, title_);
}
