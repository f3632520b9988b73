#include "app/SzinkronKerdesek.h"

#include "ui/list_texts.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 660, kHeight = 440;
constexpr int kPanelW = kWidth - 8, kPanelH = kHeight - 36;
constexpr int kHalf = (kPanelW - 24 - 8) / 2;
constexpr int kMemoTop = 156, kMemoH = kPanelH - kMemoTop - 48;

}  // namespace

Tfrm_SzinkronKerdesek::Tfrm_SzinkronKerdesek(std::vector<QuestionView> questions, MonthNames months, Answer answer,
                                             COLORREF outer, COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornSzinkronKerdesekWindow", kWidth, kHeight)),
      questions_(std::move(questions)),
      months_(std::move(months)),
      answer_(std::move(answer)),
      outer_(outer),
      inner_(inner) {}

std::span<const ControlRow<Tfrm_SzinkronKerdesek>> Tfrm_SzinkronKerdesek::Controls() {
    using T = Tfrm_SzinkronKerdesek;
    constexpr int y = kPanelH - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 44, &T::sbBezarClick),
        WorkingPanelRow<T>(kPanelW, kPanelH),
        {.name = L"lvKerdesek", .field = &T::lvKerdesek, .parent = &T::Panel1, .x = 12, .y = 8, .w = kPanelW - 24,
         .h = 118, .hint = L"A napok, amelyekről Önnek kell döntenie"},
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 12, .y = kMemoTop - 18, .text = L"Ezen a gépen:"},
        {.name = L"Label2", .field = {}, .parent = &T::Panel1, .x = 12 + kHalf + 8, .y = kMemoTop - 18,
         .text = L"A kiszolgálón:"},
        {.name = L"btnItteni", .field = &T::btnItteni, .parent = &T::Panel1, .x = 12, .y = y, .w = kHalf, .h = 25,
         .text = L"Az ezen a gépen &lévőt tartom meg", .handler = &T::btnItteniClick,
         .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
         .hint = L"A kiszolgálóra ez a változat kerül a következő szinkronizáláskor"},
        {.name = L"btnOtteni", .field = &T::btnOtteni, .parent = &T::Panel1, .x = 12 + kHalf + 8, .y = y,
         .w = kHalf - 92, .h = 25, .text = L"A &kiszolgálóét veszem át", .handler = &T::btnOtteniClick,
         .style = BS_PUSHBUTTON | WS_TABSTOP,
         .hint = L"A nap a kiszolgáló változatát kapja; az előző állapot a napi mentésben marad"},
        {.name = L"btnBezar", .field = &T::btnBezar, .parent = &T::Panel1, .x = kPanelW - 12 - 84, .y = y, .w = 84,
         .h = 25, .text = L"Bezárás", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_SzinkronKerdesek::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Szinkronizálási kérdések");
    pCim.SetColor(inner_);
    BuildControls(*this, Controls());
    Panel1.SetColor(inner_);
    // Read-only boxes that wrap their lines and can be reached with Tab to read them.
    const DWORD memo = ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    memItt.CreateMemo(Panel1.Handle(), 12, kMemoTop, kHalf, kMemoH, NewControlId(), FormFont(), memo);
    memOtt.CreateMemo(Panel1.Handle(), 12 + kHalf + 8, kMemoTop, kHalf, kMemoH, NewControlId(), FormFont(), memo);
    SetWindowPos(memItt.Handle(), lvKerdesek.Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(memOtt.Handle(), memItt.Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    lvKerdesek.AddColumn(L"Nap", 150);
    lvKerdesek.AddColumn(L"Mi történt", kPanelW - 24 - 150 - 24);
    ServeCellTexts(*this, lvKerdesek, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvKerdesek.Id(), LVN_ITEMCHANGED, [this](NMHDR*) {
        ShowSelected();
        return 0;
    });
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
    lvKerdesek.SetItemCount(static_cast<int>(questions_.size()));
    if (!questions_.empty()) lvKerdesek.Select(0);
    ShowSelected();
}

void Tfrm_SzinkronKerdesek::FormShow() { lvKerdesek.Focus(); }

std::wstring Tfrm_SzinkronKerdesek::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= questions_.size()) return {};
    const QuestionView& q = questions_[static_cast<size_t>(row)];
    return column == 0 ? FormatLongDate(q.date, months_) : q.what;
}

void Tfrm_SzinkronKerdesek::ShowSelected() {
    const int row = lvKerdesek.SelectedIndex();
    const bool any = row >= 0 && static_cast<size_t>(row) < questions_.size();
    memItt.SetText(any ? questions_[static_cast<size_t>(row)].here : L"");
    memOtt.SetText(any ? questions_[static_cast<size_t>(row)].there : L"");
    btnItteni.SetEnabled(any);
    btnOtteni.SetEnabled(any);
}

void Tfrm_SzinkronKerdesek::Decide(bool takeServer) {
    const int row = lvKerdesek.SelectedIndex();
    if (row < 0 || static_cast<size_t>(row) >= questions_.size()) return;
    answer_(questions_[static_cast<size_t>(row)].date, takeServer);
    questions_.erase(questions_.begin() + row);
    lvKerdesek.SetItemCount(static_cast<int>(questions_.size()));
    if (questions_.empty()) return Close(mrOk);
    lvKerdesek.Select(std::min(row, static_cast<int>(questions_.size()) - 1));
    lvKerdesek.Redraw();
    ShowSelected();
}

void Tfrm_SzinkronKerdesek::btnItteniClick() { Decide(false); }
void Tfrm_SzinkronKerdesek::btnOtteniClick() { Decide(true); }
void Tfrm_SzinkronKerdesek::sbBezarClick() { Close(mrCancel); }

bool Tfrm_SzinkronKerdesek::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
