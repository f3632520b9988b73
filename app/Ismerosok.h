// "Névnapok – ismerőseim…" (the "Továbbiak" menu): the people whose name days the
// program reminds of, with how many days before. A name typed in offers all its name
// days from the name-day table as check boxes; the ones kept are remembered. Made at
// each use.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "store/diary.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Ismerosok : public Form {
public:
    Tfrm_Ismerosok(Diary& diary, COLORREF outer, COLORREF panels);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    ListView lvLista;
    Edit edtNev;
    ComboBox cmbElotte;
    static constexpr size_t kDayBoxes = 8;  // more name days than any name has in the table
    std::array<Button, kDayBoxes> cbNapok;   // the typed name's name days
    Button btnHozzaad;
    Button btnModosit;
    Button btnTorol;
    Button btnBezar;

    static std::span<const ControlRow<Tfrm_Ismerosok>> Controls();

    const std::vector<Person>& People() const { return people_; }
    std::wstring CellText(int row, int column) const;
    // The name days offered for the typed name (NameDaysOf), the kept ones checked.
    const std::vector<MonthDay>& Offered() const { return offered_; }

    void edtNevChange() { OfferNameDays(edtNev.Text(), {}); }
    void btnHozzaadClick();
    void btnModositClick();
    void btnTorolClick();
    void sbBezarClick() { Close(mrCancel); }

protected:
    void FormCreate() override;
    bool FormKeyPress(wchar_t key) override;

private:
    void FillList(const std::wstring& selected);
    void OfferNameDays(const std::wstring& name, const std::vector<MonthDay>& kept);
    Person FromFields() const;  // AppError when no name day is kept
    int SelectedRow() const;
    std::wstring DayText(const MonthDay& day) const;
    Diary& diary_;
    COLORREF outer_, panels_;
    MonthNames months_;
    std::vector<Person> people_;
    std::vector<MonthDay> offered_;
};
