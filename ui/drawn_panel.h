// A bevelled panel with a caption that its host panel draws on its own face: it has
// no window of its own, which under Wine saves some forty server round trips to make
// it and a dozen at every painting. The week-day headers and the status bar's two
// texts are such panels.
#pragma once

#include <windows.h>

#include <string>

#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/panel.h"

class DrawnPanel : public PanelLook {
public:
    explicit DrawnPanel(std::wstring name = {}) : Name(std::move(name)) {}
    ~DrawnPanel();
    DrawnPanel(const DrawnPanel&) = delete;
    DrawnPanel& operator=(const DrawnPanel&) = delete;

    // Places the panel on its host at a designed position and size (scaled to the DPI).
    void Create(BevelPanel& host, int x, int y, int w, int h, const std::wstring& caption = {});

    std::wstring Name;

    COLORREF Color() const { return colour_; }
    void SetColor(COLORREF colour);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    void SetFont(const FontSpec& wanted);
    // Its own font when one was set, else its host's.
    HFONT PanelFont() const;

    // Place and size in the host's client area, in device pixels.
    void SetBounds(int x, int y, int w, int h);
    const RECT& Bounds() const { return bounds_; }
    BevelPanel* Host() const { return host_; }

    // The panel with its top-left corner at the canvas's origin.
    void Paint(Canvas& canvas) const;

private:
    friend class BevelPanel;
    void Invalidate() const;

    BevelPanel* host_ = nullptr;
    RECT bounds_{};
    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
    std::wstring caption_;
    Font font_;
};
