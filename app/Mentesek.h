// "Biztonsági mentések": the snapshots of the data folder with their date, the
// number of files they hold and their size; restoring one of them.
#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/MentesTartalma.h"
#include "store/diary.h"
#include "store/snapshots.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Mentesek : public Form {
public:
    explicit Tfrm_Mentesek(Diary& diary);
    // The scheme's colours: the outer frame and the panels.
    void SetSchemeColours(COLORREF outer, COLORREF panels);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    BevelPanel pInfo{L"pInfo"};
    ListView lvMentesek;     // the snapshots, newest first
    Button btnMegnyit;       // "Megnyitás…": the snapshot's days, one of them back alone
    Button btnVisszaallit;   // "Visszaállítás…"

    // The window's controls below its title strip, in tab order.
    static std::span<const ControlRow<Tfrm_Mentesek>> Controls();

    struct Row {
        SnapshotFile file;
        std::wstring entries;  // the number of files, or the reason it cannot be read
    };
    const std::vector<Row>& Rows() const { return rows_; }
    std::wstring CellText(int row, int column) const;

    // Lists the snapshots newest first and selects the named one (the first when none is named).
    void FillList(const std::wstring& selected = {});
    void btnVisszaallitClick();
    void btnMegnyitClick();
    void sbBezarClick();
    // The snapshot's days, made at the first opening.
    std::unique_ptr<Tfrm_MentesTartalma> Tartalma;

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    int SelectedRow() const;
    // Asks, restores the whole snapshot (the diary keeps the present state first) and
    // says so. False when the user declined.
    bool Restore(const SnapshotFile& file);
    Diary& diary_;
    COLORREF outer_ = 0x8080FF, panels_ = 0xA8A8A8;
    std::vector<Row> rows_;
    std::map<std::wstring, std::pair<uint64_t, std::wstring>> counted_;  // name -> size, count: read once
};
