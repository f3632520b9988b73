// "Biztonsági mentések": the snapshots of the data folder with their date, the
// number of files they hold and their size; restoring one of them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/snapshots.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Mentesek : public Form {
public:
    Tfrm_Mentesek();

    Panel p{L"p"};
    Panel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    Panel Panel1{L"Panel1"};
    HWND lvMentesek = nullptr;        // the snapshots, newest first
    HWND btnVisszaallit = nullptr;    // "Visszaállítás…"
    Panel pInfo{L"pInfo"};

    struct Row {
        SnapshotFile file;
        std::wstring entries;  // the number of files, or the reason it cannot be read
    };
    const std::vector<Row>& Rows() const { return rows_; }
    std::wstring CellText(int row, int column) const;

    void FillList();
    void btnVisszaallitClick();
    void sbBezarClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    int SelectedRow() const;
    std::vector<Row> rows_;
    std::map<std::wstring, std::pair<uint64_t, std::wstring>> counted_;  // name -> size, count: read once
    std::wstring cellText_;
};
