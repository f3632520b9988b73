// "Emlékeztetők…" (the "Továbbiak" menu): every reminder that comes within a year,
// by the time it comes, those already done marked; an entry's reminder changed (the
// day's own reminders window) or deleted. The start with Windows in the notification
// area is turned on and off here, and the time of the all-day reminders set. Made at each use.
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

class Tfrm_EmlekeztetoLista : public Form {
public:
    Tfrm_EmlekeztetoLista(Diary& diary, COLORREF outer, COLORREF panels);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    ListView lvLista;
    Button btnModosit;
    Button btnTorol;
    Edit edtEgeszNap;  // the time of "egész nap" reminders and name days
    Button cbIndulas;  // start with Windows, in the notification area
    Button btnBezar;

    static std::span<const ControlRow<Tfrm_EmlekeztetoLista>> Controls();
    static constexpr Instant kAhead = 366 * 24 * 60 * 60;  // how far the list looks: a year, in seconds

    const std::vector<Occurrence>& Items() const { return items_; }
    std::wstring CellText(int row, int column) const;
    void FillList(int selected = 0);

    void btnModositClick();
    void btnTorolClick();
    void edtEgeszNapChange();
    void cbIndulasClick();
    void sbBezarClick() { Close(mrCancel); }

protected:
    void FormCreate() override;
    bool FormKeyPress(wchar_t key) override;

private:
    // The selected entry's reminder; none (and told why) for a name day.
    const Occurrence* SelectedEntry() const;
    Diary& diary_;
    COLORREF outer_, panels_;
    std::vector<Occurrence> items_;
    std::vector<std::wstring> titles_;
};
