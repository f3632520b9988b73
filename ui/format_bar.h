// The format tool bar of a rich-text window: the font list (each name in its own
// typeface behind a marker picture) and the size box with its arrows stand first;
// the owner's style, alignment and bullet buttons follow, drawn on the bar's panel.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/button_bar.h"
#include "ui/image_list.h"
#include "ui/standard_controls.h"

class Form;

struct FormatBarParts {
    int firstPicture, pictureCount;  // icon resources of the buttons, in image order
    int marker;                      // 32x32 icon resource drawn before each font name
    const wchar_t* fontHint;         // status hints of the font list and the size box
    const wchar_t* sizeHint;
    int smallestSize, largestSize;   // range of the arrows
};

// The screen's installed font families as the system lists them (unsorted, repeated).
std::vector<std::wstring> InstalledFontFamilies();
// The system's comparison of font names: invariant, without regard to letter case.
int CompareFontNames(const std::wstring& a, const std::wstring& b);

class FormatBar : public PanelButtonBar {
public:
    ComboBox cbBetuTipus;
    Edit edtBetuMeret;
    UpDown UpDown1;

    // What the owner hears: a name chosen from the list, the size box left, an arrow clicked.
    std::function<void()> OnFontChange;
    std::function<void()> OnSizeExit;
    std::function<void()> OnArrowClick;

    // The bar on `parent` with the owner's buttons after the font list and the size box.
    template <class Owner>
    void Create(Owner& owner, BevelPanel& parent, int x, int y, int w, int h, const FormatBarParts& parts,
                std::span<const ToolButtonRow<Owner>> buttons) {
        CreateBar(owner, parent, x, y, w, h, parts);
        AddButtons(owner, buttons);
    }

    // Fills the font list with `names` in their order.
    void SetFontNames(std::vector<std::wstring> names);
    const std::vector<std::wstring>& FontNames() const { return fonts_; }
    // Selects name `index` of the list; -1 selects none.
    void ShowFontAt(int index) const { cbBetuTipus.SetSelectedIndex(index); }
    // Adds a name the system did not list (a substituted face such as "MS Sans Serif"
    // under Wine) before the first name `compare` puts after it; gives its index.
    int InsertFontName(const std::wstring& name, int (*compare)(const std::wstring&, const std::wstring&));
    // The chosen name's index; -1 when none is chosen.
    int ChosenFontIndex() const;
    std::wstring FontText() const { return cbBetuTipus.Text(); }
    // The size box's text and where the arrows stand.
    void ShowSize(const std::wstring& text, int arrowPosition) const;
    std::wstring SizeText() const { return edtBetuMeret.Text(); }

private:
    // The panel, the font list and the size box in their gaps, and the separators.
    void CreateBar(Form& form, BevelPanel& parent, int x, int y, int w, int h, const FormatBarParts& parts);
    void DrawFontItem(DRAWITEMSTRUCT& item) const;

    ImageList images_;
    IconHandle marker_;
    std::vector<std::wstring> fonts_;
};
