// The month grid: weekday headers, 42 day cells, navigation, hover, click,
// deletion and layout.
#include "app/main.h"
#include "ui/dpi.h"
#include "platform/emil.h"
#include "platform/kerdes.h"
#include "ui/application.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kWeekdays[7] = {L"Hétfő",  L"Kedd",    L"Szerda",  L"Csütörtök",
                                         L"Péntek", L"Szombat", L"Vasárnap"};

}  // namespace

void Tfrm_Main::CreateGrid() {
    for (int tag = 0; tag < 7; ++tag) {
        auto header = std::make_unique<DrawnPanel>(L"p" + std::to_wstring(tag + 1));
        header->BevelInner = Bevel::Lowered;
        header->FontColour = tag >= 5 ? 0x00FFFF : 0xFFFFFF;  // yellow at the weekend, else white
        header->SetFont(FontSpec{L"MS Sans Serif", 0, 11, true});
        CellBox box = HeaderBox(tag, 786);
        header->Create(Panel, box.left, box.top, box.width, box.height, kWeekdays[tag]);
        Headers[static_cast<size_t>(tag)] = std::move(header);
    }

    static const MenuItemRow<Tfrm_Main> menu[] = {
        {L"mniBejegyzTorol", L"Bejegyzés törlése", 6, L"Bejegyzés törlése (nem visszavonható)",
         &Tfrm_Main::mniBejegyzTorolClick},
        {L"mniEmlekezteto", L"Emlékeztető…", -1, L"A nap emlékeztetői és a „minden évben” jelölés",
         &Tfrm_Main::mniEmlekeztetoClick},
    };
    pm.Create(*this, std::span<const MenuItemRow<Tfrm_Main>>(menu), &ImageListMain);

    for (int k = 1; k <= kGridCells; ++k) {
        auto cell = std::make_unique<TJPanel>(L"n" + std::to_wstring(k));
        cell->Tag = (k - 1) % kGridColumns;
        CellBox box = DayCellBox(k, 786, 493);
        cell->Create(Panel, box.left, box.top, box.width, box.height);
        cell->PopupMenu = pm.Handle();
        cell->OnClick = [this](TJPanel& c) { n1Click(c); };
        cell->OnMouseMove = [this](TJPanel& c) { n1MouseMove(c); };
        cell->OnPopup = [this](TJPanel& c, int, int) { HoverDay = c.Nap(); };
        cell->OnKeyNavigate = [this](TJPanel& c, UINT key) { CellKeyNavigate(c, key); };
        Cells[static_cast<size_t>(k - 1)] = std::move(cell);
    }
}

std::wstring Tfrm_Main::MonthCaption() const { return FormatYearMonth(CurrentDate, Months()) + L"  "; }

void Tfrm_Main::ShowMonth(const Date& date) {
    ShownYear = YearOfDate(date);
    ShownMonth = MonthOfDate(date);
    ShownDay = DayOfDate(date);
    CurrentDate = date;
    pFejlec.SetCaption(MonthCaption());
    FirstCell = MondayFirstDayOfWeek(AddDays(date, 1 - ShownDay));
    FillMonthCells();
}

void Tfrm_Main::FillMonthCells() {
    const MonthCells contents = diary_.Month(ShownYear, ShownMonth, ActiveWorkCalendar());
    Panel.BeginUpdate();  // one repaint request for the changed cells, not one each
    for (size_t i = 0; i < Cells.size(); ++i) {
        TJPanel& cell = *Cells[i];
        const CellContent& c = contents[i];
        if (!c.visible) {
            cell.SetShown(false);
            cell.SetHint({});
            continue;
        }
        cell.SetContent(c);
        cell.SetHint(c.hint);
        cell.SetShown(true);
    }
    Panel.EndUpdate();
    Panel.FacesRefilled();
}

void Tfrm_Main::CellKeyNavigate(TJPanel& cell, UINT key) {
    // Arrows move between the days of the month, Page Up and Page Down between months;
    // the focus keeps the same day number (or the month's last day).
    const int original = cell.Nap();  // the cell shows another day after a month step
    int day = original;
    switch (key) {
        case VK_LEFT: day -= 1; break;
        case VK_RIGHT: day += 1; break;
        case VK_UP: day -= 7; break;
        case VK_DOWN: day += 7; break;
        case VK_PRIOR:
            tbVisszaClick();
            break;
        case VK_NEXT:
            tbEloreClick();
            break;
        default:
            return;
    }
    const int days = DaysInMonth(ShownYear, ShownMonth);
    if (day < 1 || day > days) day = std::min(std::max(day, 1), days);
    if (key == VK_PRIOR || key == VK_NEXT) day = std::min(original, days);
    TJPanel& target = *Cells[static_cast<size_t>(FirstCell + day - 2)];
    HoverDay = day;
    target.Focus();
}

void Tfrm_Main::tbEloreClick() { ShowMonth(AddMonthsClamped(CurrentDate, 1)); }

void Tfrm_Main::tbVisszaClick() { ShowMonth(AddMonthsClamped(CurrentDate, -1)); }

void Tfrm_Main::n1MouseMove(TJPanel& cell) { HoverDay = cell.Nap(); }

void Tfrm_Main::n1Click(TJPanel& cell) {
    int k = std::stoi(cell.Name.substr(1));
    ShownDay = k - FirstCell + 1;
    CurrentDate = Date{ShownYear, ShownMonth, ShownDay};
    EditDay(CurrentDate);
}

void Tfrm_Main::mniBejegyzTorolClick() {
    if (!ShowQuestionWindow(L"Valóban töröljem a bejegyzést?")) return;
    if (HoverDay < 1 || HoverDay > DaysInMonth(ShownYear, ShownMonth)) return;
    // The note and the line go together, the index saved at once; when either cannot
    // be changed, the error is shown and the day keeps both. The month follows from
    // the change notice.
    diary_.Delete(Date{ShownYear, ShownMonth, HoverDay});
}

void Tfrm_Main::PanelResize(int w, int h) {
    Panel.BeginUpdate();  // the old and new places of everything: one repaint request
    for (auto& header : Headers) {
        if (!header) continue;
        const int tag = header->Name[1] - L'1';
        CellBox box = HeaderBox(tag, w, Dpi());
        header->SetBounds(box.left, box.top, box.width, box.height);
    }
    for (size_t i = 0; i < Cells.size(); ++i) {
        if (!Cells[i]) continue;
        CellBox box = DayCellBox(static_cast<int>(i) + 1, w, h, Dpi());
        Cells[i]->SetBounds(box.left, box.top, box.width, box.height);
    }
    Panel.EndUpdate();
}

void Tfrm_Main::tbHlpClick() { OpenFileWithShell(ProgramDir + L"\\doc.lnk"); }

void Tfrm_Main::tbLevelClick() { OpenMailLink(ProgramDir); }

void Tfrm_Main::tbHonlapClick() { OpenHomepageLink(ProgramDir); }
