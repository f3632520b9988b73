// "Keresés a naplóban": full-text search over the whole diary. The words typed are
// looked for in the title words of every day and in the text of every note and the
// notepad; the days found are listed newest first with their titles in their own
// colours and a piece of the note around the first hit. Enter or a double click
// opens the day in the entry editor, exactly as a click on its cell does.
//
// Made at its first use (nothing of it runs at start) and kept for the rest of the
// run, so the texts it has read stay in memory and later searches are fast.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "appearance/draw_colours.h"
#include "store/diary.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/scheme_colours.h"
#include "ui/speed_button.h"

class Tfrm_Kereses : public Form {
public:
    // The diary searched; the texts it has read stay in its search cache.
    explicit Tfrm_Kereses(Diary& diary);

    // What a result opens: a day (as a click on its cell does) and the notepad.
    std::function<void(const Date& day)> OpenDay;
    std::function<void()> OpenNotepad;

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    Edit edtKeres;               // the words to look for
    Button cbPontos;             // "Pontos egyezés": case and accents count
    ListView lvTalalatok;        // the days found
    BevelPanel pDarab{L"pDarab"};     // the count of days found

    // The window's controls at its designed size, in tab order; they follow the
    // window's size from there.
    static std::span<const ControlRow<Tfrm_Kereses>> Controls();

    // The rows shown, in order.
    const std::vector<SearchHit>& Hits() const { return hits_; }
    // Runs the search for the text in the box now, reading what is left to read.
    void SearchNow();
    // Opens the result in row `row` (the selected one when -1).
    void OpenResult(int row = -1);
    // Row texts as the list shows them: date "yyyy.mm.dd.", titles, snippet.
    std::wstring CellText(int row, int column) const;
    void ApplyScheme(const SchemeColours& colours);  // face: slot 1, strips: 6, the list: 2

    void edtKeresChange();
    void cbPontosClick() { SearchNow(); }
    void sbBezarClick();

    static constexpr const wchar_t* kWidthValue = L"KeresesSzelesseg";
    static constexpr const wchar_t* kHeightValue = L"KeresesMagassag";

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormHide() override;
    bool FormKeyPress(wchar_t key) override;
    void OnSize(int w, int h) override;
    void OnTimer(UINT_PTR id) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void BindResultList();
    void StartReading();
    void ShowHits();
    void ShowCount();
    void EnterPressed();
    LRESULT DrawResultRow(NMLVCUSTOMDRAW& draw);
    void ReadAll();

    Diary& diary_;
    std::vector<SearchHit> hits_;
    bool searchWanted_ = false;  // a search waits for the notes to be read
    COLORREF listColour_ = 0xC0C0C0;
    FaceColours listFace_ = kDesignedFace;  // the titles as the day cells draw them
    Diary::Subscription changes_;  // results shown are searched again after a change
};
