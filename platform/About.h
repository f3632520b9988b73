// The About window: the program's picture on a framed panel.
#pragma once

#include <span>

#include "platform/jpeg_image.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/scheme_colours.h"
#include "ui/speed_button.h"

// A bevelled panel showing a picture inside its frame.
class PicturePanel : public BevelPanel {
public:
    using BevelPanel::BevelPanel;
    void SetPicture(DecodedImage image) {
        picture_ = std::move(image);
        Invalidate();
    }
    const DecodedImage& Picture() const { return picture_; }
    void Paint(Canvas& canvas) override;

private:
    DecodedImage picture_;
};

class Tfrm_About : public Form {
public:
    Tfrm_About();
    void ApplyScheme(const SchemeColours& colours);

    BevelPanel pAbout{L"pAbout"};
    BevelPanel pBezar{L"pBezar"};
    SpeedButton sbAboutBezar{L"sbAboutBezar"};
    PicturePanel Panel6{L"Panel6"};

    // The close button of the title strip.
    static std::span<const ControlRow<Tfrm_About>> Controls();
    void sbAboutBezarClick() { Close(mrCancel); }

protected:
    void CreateInsides() override;
    bool FormKeyPress(wchar_t key) override;
};
