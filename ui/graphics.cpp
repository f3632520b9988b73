#include "ui/graphics.h"
#include "ui/dpi.h"

DrawnLabel& Graphics::AddLabel(const std::wstring& name, int x, int y, const std::wstring& text, Font font,
                               COLORREF colour) {
    auto label = std::make_unique<DrawnLabel>();
    label->name = name;
    label->x = x;
    label->y = y;
    label->text = text;
    label->font = std::move(font);
    label->colour = colour;
    labels_.push_back(std::move(label));
    return *labels_.back();
}

void Graphics::AddBevelLine(int x, int y, int width, int height, bool vertical) {
    lines_.push_back({x, y, width, height, vertical});
}

DrawnLabel* Graphics::Label(const std::wstring& name) {
    for (auto& l : labels_)
        if (l->name == name) return l.get();
    return nullptr;
}

void Graphics::Paint(Canvas& canvas) const {
    for (const auto& line : lines_) {
        RECT dark, light;
        if (line.vertical) {
            const int x = Px(line.x) + (Px(line.width) - 2) / 2;
            dark = RECT{x, Px(line.y), x + 1, Px(line.y + line.height)};
            light = RECT{x + 1, Px(line.y), x + 2, Px(line.y + line.height)};
        } else {
            const int y = Px(line.y + line.height) - 2;
            dark = RECT{Px(line.x), y, Px(line.x + line.width), y + 1};
            light = RECT{Px(line.x), y + 1, Px(line.x + line.width), y + 2};
        }
        canvas.Fill(dark, GetSysColor(COLOR_BTNSHADOW));
        canvas.Fill(light, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    for (const auto& label : labels_) {
        if (!label->visible) continue;
        HFONT font = label->font ? label->font.Get() : fallbackFont_;
        if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        if (label->text.find(L'&') == std::wstring::npos) {
            canvas.Text(Px(label->x), Px(label->y), label->text, font, label->colour);
            continue;
        }
        // A label that names the control after it: "&" underlines its key (the window's
        // Alt+key moves the focus there).
        SelectGuard selected(canvas.Dc(), font);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        SetTextColor(canvas.Dc(), label->colour);
        RECT box{Px(label->x), Px(label->y), Px(label->x) + 2000, Px(label->y) + 200};
        DrawTextW(canvas.Dc(), label->text.c_str(), static_cast<int>(label->text.size()), &box,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    }
}
