// The name-day search: the Hungarian name-day calendar ("Data\Névnapok.rtf") in a
// read-only box, with a search for the first and the next occurrence of a text.
#pragma once

#include <span>
#include <string>

#include "ui/rich_edit.h"
#include "ui/scheme_colours.h"
#include "lists/name_search.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_NevnapKeres : public Form {
public:
    Tfrm_NevnapKeres();
    // The folder of the name-day document ("Data\\Névnapok.rtf").
    void SetProgramDir(std::wstring dir) { programDir_ = std::move(dir); }
    ~Tfrm_NevnapKeres() override;

    static std::wstring DocumentPath(const std::wstring& programDir);
    // The window's controls below its title strip, in tab order.
    static std::span<const ControlRow<Tfrm_NevnapKeres>> Controls();

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    BevelPanel Panel2{L"Panel2"};
    Edit edtKeres;
    SpeedButton sbKeres{L"sbKeres"};
    SpeedButton sbTovabbKeres{L"sbTovabbKeres"};
    RichEdit Megjegyzes;

    void sbKeresClick();
    void sbTovabbKeresClick();
    void sbBezarClick();

    // The document's background follows the panels' colour.
    void ApplyScheme(const SchemeColours& colours);
    // Length of the document's plain text, a paragraph end counted as one character.
    int32_t DocumentLength() const;

protected:
    void CreateInsides() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    std::wstring programDir_;
    std::wstring SearchText() const;
    int32_t FindInDocument(const std::wstring& what, TextRange where) const;
    void ShowMatch(const std::optional<TextRange>& match);
    static LRESULT CALLBACK DocumentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

    Font documentFont_;
    COLORREF documentColour_ = 0xC0C0C0;
};
