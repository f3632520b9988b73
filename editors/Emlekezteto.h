// "Emlékeztető": the reminders of one day, opened from the entry editor (and the
// day's popup menu): a list of them; a reminder added, changed or deleted (a time of
// day or "egész nap", and how long before the day it comes); and the day's "minden
// évben" mark, with its count ("sorszámmal": "(42.)"). "Rendben" stores it all in the
// diary; the day must have an entry by then. Made at each use.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "store/diary.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Emlekezteto : public Form {
public:
    Tfrm_Emlekezteto(Diary& diary, const Date& day, const std::wstring& dayText, COLORREF outer, COLORREF panels);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    ListView lvLista;     // the day's reminders
    Button cbEgeszNap;    // "egész nap": at the all-day time instead of the time typed
    Edit edtIdo;          // "18:30"
    ComboBox cmbElotte;   // "a napján", "1 nappal előtte", …
    Button btnHozzaad;
    Button btnModosit;
    Button btnTorol;
    Button cbEvente;      // "minden évben"
    Button cbSorszam;     // with the year's count
    Button btnRendben;
    Button btnMegse;

    static std::span<const ControlRow<Tfrm_Emlekezteto>> Controls();
    // Set once the start with Windows has been offered.
    static constexpr const wchar_t* kStartOfferedValue = L"InditasFelajanlva";

    const std::vector<Reminder>& Reminders() const { return reminders_; }
    std::wstring CellText(int row, int column) const;

    void btnHozzaadClick();
    void btnModositClick();
    void btnTorolClick();
    void btnRendbenClick();
    void cbEgeszNapClick() { edtIdo.SetEnabled(!cbEgeszNap.Checked()); }
    // A count belongs to a yearly entry: ticking it marks the entry yearly, and a day
    // that stops repeating loses its count. (Greyed instead, the box could not be read.)
    void cbEventeClick() {
        if (!cbEvente.Checked()) cbSorszam.SetChecked(false);
    }
    void cbSorszamClick() {
        if (cbSorszam.Checked()) cbEvente.SetChecked(true);
    }
    void sbBezarClick() { Close(mrCancel); }

protected:
    void FormCreate() override;
    bool FormKeyPress(wchar_t key) override;

private:
    // The reminder the fields describe; a time that is not one is told (AppError).
    Reminder FromFields() const;
    void ShowInFields(const Reminder& reminder);
    void OfferStartWithWindows();
    void Refill(int selected);
    int SelectedRow() const;
    Diary& diary_;
    const Date day_;
    const std::wstring dayText_;
    COLORREF outer_, panels_;
    std::vector<Reminder> reminders_, stored_;
    std::optional<YearlyMark> yearly_;
};
