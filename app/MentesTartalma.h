// "Mentés tartalma": the days one snapshot holds (date, title words, the note's first
// line) and the notepad, the chosen one's text in the snapshot beside today's, and
// putting back that one day alone.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "store/diary.h"
#include "store/snapshot_days.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/rich_edit.h"
#include "ui/speed_button.h"

class Tfrm_MentesTartalma : public Form {
public:
    explicit Tfrm_MentesTartalma(Diary& diary);
    // The scheme's colours: the outer frame and the panels.
    void SetSchemeColours(COLORREF outer, COLORREF panels);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    ListView lvNapok;       // the snapshot's days, newest first, then the notepad
    RichEdit reMentett;     // the chosen one's text in the snapshot
    RichEdit reMost;        // and today
    Button btnNapVissza;    // "Ez a nap vissza…"

    static std::span<const ControlRow<Tfrm_MentesTartalma>> Controls();

    // The one way to open the window: reads the snapshot `name` (shown as `when`),
    // lists what it holds and shows the window modally. A snapshot that cannot be read
    // is reported and the window stays closed (false).
    bool Open(const std::wstring& name, const std::wstring& when);
    // Reads and lists without showing; throws the snapshot's read errors.
    void Load(const std::wstring& name, const std::wstring& when);
    const std::vector<SnapshotDay>& Days() const { return days_; }
    std::wstring CellText(int row, int column) const;
    // Shows the chosen row's two texts.
    void ShowPreview();
    void btnNapVisszaClick();
    void sbBezarClick() { Close(mrCancel); }

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    using Form::ShowModal;  // only through Open
    Diary& diary_;
    COLORREF outer_ = 0x8080FF, panels_ = 0xA8A8A8;
    std::vector<ZipEntry> files_;
    std::vector<SnapshotDay> days_;
    std::wstring when_;
};
