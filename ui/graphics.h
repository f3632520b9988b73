// Window-less controls painted by their container: labels and bevel lines.
// Painting them with the container keeps overlapping labels (a shadow under a
// text) exact and flicker-free.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"

class Canvas;

struct DrawnLabel {
    std::wstring name;
    int x = 0;
    int y = 0;
    std::wstring text;
    Font font;           // empty: the container's font
    COLORREF colour = 0;
    bool visible = true;
};

struct DrawnBevelLine {  // a lowered rule along the bottom of its box, or down its middle
    int x = 0, y = 0, width = 0, height = 0;
    bool vertical = false;
};

class Graphics {
public:
    DrawnLabel& AddLabel(const std::wstring& name, int x, int y, const std::wstring& text, Font font = {},
                         COLORREF colour = 0);
    void AddBevelLine(int x, int y, int width, int height, bool vertical = false);
    DrawnLabel* Label(const std::wstring& name);
    void SetFallbackFont(HFONT font) { fallbackFont_ = font; }
    void Paint(Canvas& canvas) const;

private:
    std::vector<std::unique_ptr<DrawnLabel>> labels_;
    std::vector<DrawnBevelLine> lines_;
    HFONT fallbackFont_ = nullptr;
};
