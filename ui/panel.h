// A bevelled panel with a background colour and an optional caption; the container
// of most controls. Commands and notifications of its children go on to the form.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/accessible_parts.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/speed_button.h"
#include "ui/window.h"

enum class Bevel { None, Lowered, Raised };
enum class Alignment { Left, Center, Right };

class DrawnPanel;

// DT_LEFT, DT_CENTER or DT_RIGHT.
UINT TextAlignment(Alignment alignment);

// Draws one part that a window paints on its face (a drawn panel, a day cell) at
// the part's own origin, cut at its own edges, when it is in the clip box.
template <class Part>
void PaintPart(Canvas& canvas, const RECT& clip, Part& part) {
    const RECT& r = part.Bounds();
    RECT visible{};
    if (!IntersectRect(&visible, &r, &clip)) return;
    const int saved = SaveDC(canvas.Dc());
    IntersectClipRect(canvas.Dc(), r.left, r.top, r.right, r.bottom);
    OffsetViewportOrgEx(canvas.Dc(), r.left, r.top, nullptr);
    part.Paint(canvas);
    RestoreDC(canvas.Dc(), saved);
}

// A panel's frame: the outer bevel, the border in the panel's colour and the inner
// bevel, each drawn on `r` and taken off it.
void PaintPanelFrame(Canvas& canvas, RECT& r, Bevel outer, Bevel inner, int bevelWidth, int borderWidth,
                     COLORREF colour);

// How a panel's face is drawn: the same for a panel with a window and a drawn one.
struct PanelLook {
    Bevel BevelOuter = Bevel::Raised;
    Bevel BevelInner = Bevel::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    Alignment CaptionAlignment = Alignment::Center;
    COLORREF FontColour = 0;
};

// Its drawn panels (static texts) and picture buttons are its accessible parts, in
// that order.
class BevelPanel : public Window, public PanelLook, public AccessibleParts {
public:
    explicit BevelPanel(std::wstring name = {}) : Name(std::move(name)) {}
    ~BevelPanel() override;

    void Create(HWND parent, int x, int y, int w, int h, const std::wstring& caption = {});

    std::wstring Name;

    COLORREF Color() const { return colour_; }
    void SetColor(COLORREF colour);
    // The colour a window is designed with: taken unless a colour was set before,
    // so a scheme applied to a window whose insides are made later is kept.
    void SetDesignColor(COLORREF colour);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    void SetFont(const FontSpec& wanted);
    HFONT PanelFont() const;
    Graphics& Drawn() { return drawnItems_; }

    // Called on every size change with the new client size (outer size, no border).
    std::function<void(int, int)> OnResize;

    // The panel's face: bevels, colour, caption, drawn shapes and drawn panels.
    void Paint(Canvas& canvas) override;

    // The panels drawn on this one's face (DrawnPanel::Create adds one).
    void AddDrawnPanel(DrawnPanel& part);
    void RemoveDrawnPanel(DrawnPanel& part);
    // Asks for a part of the face to be painted again. Between BeginUpdate and
    // EndUpdate the parts are gathered into one request; a hidden panel asks for
    // nothing, as it is painted whole when it is shown.
    void InvalidatePart(const RECT& r);
    void BeginUpdate() { updating_ = true; }
    void EndUpdate();

    // The picture buttons drawn on this panel, which it hands its mouse (SpeedButton::
    // Create adds one).
    SpeedButtons& Buttons();

    int AccessiblePartCount() const override;
    AccessiblePart DescribePart(int index) const override;
    void DoPartAction(int index) override;
    int FocusedPart() const override;
    int PartOf(const SpeedButton& button) const;  // its part's index; -1: not this panel's
    std::wstring OwnName() const override;

protected:
    AccessibleParts* Accessible() override { return AccessiblePartCount() > 0 ? this : nullptr; }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintFrame(Canvas& canvas, RECT& r) const;
    virtual DWORD ExtraStyle() const { return 0; }
    // A control parent lets the dialog keys look into its children; a panel that is a
    // tab stop itself is none.
    virtual bool ControlParent() const { return true; }
    // Children clip the panel's painting, unless the panel paints under them itself.
    virtual bool ClipsChildren() const { return true; }
    virtual const wchar_t* ClassName() const { return L"TivornPanel"; }
    virtual HCURSOR Cursor() const { return nullptr; }

    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
    bool coloured_ = false;

private:
    std::wstring caption_;
    Font captionFont_;
    Graphics drawnItems_;
    std::vector<DrawnPanel*> drawnPanels_;
    std::unique_ptr<SpeedButtons> speedButtons_;
    bool updating_ = false;
    RECT pending_{};
};
