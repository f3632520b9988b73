// The questions the calendar sync left for the user ("Továbbiak" / "Szinkronizálási
// kérdések…"): each day changed on both sides, or whose note's text the server
// changed, with the two versions side by side; the user keeps the one on this computer
// or takes the server's. The answer goes to the sync, which applies it on its thread
// (the server's version only after the day's snapshot). House style: outer panel,
// title strip with its close button, Escape closes. Made at each use.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <vector>

#include "sync/sync_questions.h"
#include "ui/control_table.h"
#include "ui/drawn_panel.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_SzinkronKerdesek : public Form {
public:
    using Answer = std::function<void(const Date& date, bool takeServer)>;
    Tfrm_SzinkronKerdesek(std::vector<QuestionView> questions, MonthNames months, Answer answer, COLORREF outer,
                          COLORREF inner);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    ListView lvKerdesek;
    Edit memItt, memOtt;
    Button btnItteni, btnOtteni, btnBezar;

    static std::span<const ControlRow<Tfrm_SzinkronKerdesek>> Controls();
    const std::vector<QuestionView>& Questions() const { return questions_; }

    void btnItteniClick();
    void btnOtteniClick();
    void sbBezarClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    void ShowSelected();
    void Decide(bool takeServer);
    std::wstring CellText(int row, int column) const;

    std::vector<QuestionView> questions_;
    MonthNames months_;
    Answer answer_;
    COLORREF outer_, inner_;
};
