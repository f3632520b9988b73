// "Emlékeztetők": the one window of the reminders that came due. Not modal: it
// gathers what the timer finds (never a second window), and each item is snoozed
// ("Szundi": 10 perc, 1 óra, holnap), ended ("Kész", "Mind kész") or opened (double
// click, Enter: the day in the entry editor). Hidden when nothing is left in it.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "store/diary.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/scheme_colours.h"
#include "ui/speed_button.h"

class Tfrm_Emlekeztetok : public Form {
public:
    explicit Tfrm_Emlekeztetok(Diary& diary);
    // The scheme's colours: the outer frame and the panels.
    void ApplyScheme(const SchemeColours& colours);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    ListView lvLista;  // the due items, oldest first
    Button btn10Perc;
    Button btn1Ora;
    Button btnHolnap;
    Button btnKesz;
    Button btnMindKesz;

    static std::span<const ControlRow<Tfrm_Emlekeztetok>> Controls();

    // Adds what came due (an item already listed is not listed twice) and shows the
    // window without taking the focus from the user's work.
    void AddDue(const std::vector<Occurrence>& due);
    const std::vector<Occurrence>& Items() const { return items_; }
    std::wstring CellText(int row, int column) const;

    // Opens a day as a click on its cell does (the main window's).
    std::function<void(const Date&)> OpenDay;

    void btn10PercClick() { SnoozeSelected(SnoozeFor::TenMinutes); }
    void btn1OraClick() { SnoozeSelected(SnoozeFor::OneHour); }
    void btnHolnapClick() { SnoozeSelected(SnoozeFor::Tomorrow); }
    void btnKeszClick();
    void btnMindKeszClick();
    void OpenSelected();
    void sbBezarClick();

protected:
    void FormCreate() override;
    bool FormKeyPress(wchar_t key) override;

private:
    void SnoozeSelected(SnoozeFor span);
    int SelectedRow() const;
    void RemoveRow(int row);
    void Refill(int selected);
    Diary& diary_;
    std::vector<Occurrence> items_;
    std::vector<std::wstring> titles_;
    COLORREF outer_ = 0x8080FF, panels_ = 0xA8A8A8;
};
