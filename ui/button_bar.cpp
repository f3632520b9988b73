#include "ui/button_bar.h"

#include <stdexcept>

#include "ui/application.h"
#include "ui/dpi.h"

void ButtonBar::Create(BevelPanel& host, int x, int y, int w, int h, const ImageList& pictures, int buttonWidth,
                       int buttonHeight, int indent) {
    host_ = &host;
    bounds_ = RECT{Px(x), Px(y), Px(x) + Px(w), Px(y) + Px(h)};
    pictures_ = &pictures;
    y_ = y;
    buttonWidth_ = buttonWidth;
    buttonHeight_ = buttonHeight;
    nextX_ = x + indent;
}

SpeedButton* ButtonBar::Add(const wchar_t* name, int picture, const wchar_t* hint, BYTE style) {
    if (!host_) throw std::logic_error("a button bar is made before its buttons");
    if (!name) {  // a separator: `picture` is its width
        host_->Drawn().AddBevelLine(nextX_, y_, picture, buttonHeight_, true);
        nextX_ += picture;
        host_->InvalidatePart(RECT{Px(nextX_ - picture), Px(y_), Px(nextX_), Px(y_ + buttonHeight_)});
        return nullptr;
    }
    auto button = std::make_unique<SpeedButton>(name);
    button->DropDown = style == BTNS_WHOLEDROPDOWN;
    const int width = buttonWidth_ + (button->DropDown ? SpeedButton::kArrowWidth : 0);
    const RECT bounds{Px(nextX_), Px(y_), Px(nextX_ + width), Px(y_) + Px(buttonHeight_)};
    button->Create(*host_, bounds, *pictures_, picture, hint ? hint : L"", true);
    nextX_ += width;
    buttons_.push_back(std::move(button));
    return buttons_.back().get();
}

const SpeedButton* ButtonBar::Find(const std::wstring& name) const {
    for (const auto& button : buttons_)
        if (button->Name == name) return button.get();
    return nullptr;
}

SpeedButton* ButtonBar::Button(const std::wstring& name) {
    return const_cast<SpeedButton*>(static_cast<const ButtonBar*>(this)->Find(name));
}

// Through the general error handler, as a click that comes with the mouse goes.
void ButtonBar::Click(const std::wstring& name) {
    if (SpeedButton* button = Button(name)) Application::Get().Guard([button] { button->Click(); });
}

void ButtonBar::SetPressed(const std::wstring& name, bool pressed) {
    if (SpeedButton* button = Button(name)) button->SetDown(pressed);
}

RECT ButtonBar::ButtonRect(const std::wstring& name) const {
    const SpeedButton* button = Find(name);
    return button ? button->Bounds() : RECT{};
}

std::wstring ButtonBar::HintAt(POINT hostClient) const {
    for (const auto& button : buttons_)
        if (PtInRect(&button->Bounds(), hostClient)) return button->Hint();
    return {};
}

HWND ButtonBar::Tips() const { return host_ ? host_->Buttons().Tooltip() : nullptr; }

std::vector<const SpeedButton*> ButtonBar::Buttons() const {
    std::vector<const SpeedButton*> all;
    for (const auto& button : buttons_) all.push_back(button.get());
    return all;
}
