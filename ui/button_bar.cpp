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

SpeedButton* ButtonBar::Add(const wchar_t* name, int picture, const wchar_t* hint, BYTE style, int width) {
    if (!host_) throw std::logic_error("a button bar is made before its buttons");
    const bool grouped = name && style == BTNS_CHECKGROUP;
    if (grouped && !inGroup_) ++lastGroup_;
    inGroup_ = grouped;
    if (!name) {  // a separator: `picture` is its width
        host_->Drawn().AddBevelLine(nextX_, y_, picture, buttonHeight_, true);
        nextX_ += picture;
        host_->InvalidatePart(RECT{Px(nextX_ - picture), Px(y_), Px(nextX_), Px(y_ + buttonHeight_)});
        return nullptr;
    }
    auto button = std::make_unique<SpeedButton>(name);
    button->DropDown = style == BTNS_WHOLEDROPDOWN || style == BTNS_DROPDOWN;
    button->Split = style == BTNS_DROPDOWN;
    button->TwoState = style == BTNS_CHECK || style == BTNS_CHECKGROUP;
    if (width == 0) width = buttonWidth_ + (button->DropDown ? SpeedButton::kArrowWidth : 0);
    const RECT bounds{Px(nextX_), Px(y_), Px(nextX_ + width), Px(y_) + Px(buttonHeight_)};
    const bool tip = hint && *hint;
    button->Create(*host_, bounds, *pictures_, picture, tip ? hint : L"", tip);
    nextX_ += width;
    buttons_.push_back(std::move(button));
    groups_.push_back(grouped ? lastGroup_ : 0);
    return buttons_.back().get();
}

RECT ButtonBar::AddGap(int width) {
    if (!host_) throw std::logic_error("a button bar is made before its gaps");
    inGroup_ = false;
    const RECT gap{Px(nextX_), Px(y_), Px(nextX_ + width), Px(y_) + Px(buttonHeight_)};
    nextX_ += width;
    return gap;
}

// A two-state button changes its state before its handler runs, as the handler asks
// for the new one.
void ButtonBar::Bind(SpeedButton& button, BYTE style, std::function<void()> handler) {
    if (style == BTNS_CHECK) {
        button.OnClick = [&button, handler = std::move(handler)] {
            button.SetDown(!button.Down());
            if (handler) handler();
        };
    } else if (style == BTNS_CHECKGROUP) {
        // The one that is down stays down when clicked again.
        button.OnClick = [this, &button, handler = std::move(handler)] {
            PushInGroup(button);
            if (handler) handler();
        };
    } else {
        button.OnClick = std::move(handler);
    }
}

void ButtonBar::PushInGroup(const SpeedButton& pushed) {
    int group = 0;
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].get() == &pushed) group = groups_[i];
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].get() == &pushed || (group != 0 && groups_[i] == group))
            buttons_[i]->SetDown(buttons_[i].get() == &pushed);
}

void ButtonBar::OnDropDown(const std::wstring& name, std::function<void()> handler) {
    SpeedButton* button = Button(name);
    if (!button) throw std::logic_error("the button bar has no such button");
    button->OnDropDown = std::move(handler);
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

void ButtonBar::OpenBelow(const std::wstring& name, const std::function<void(POINT)>& open) {
    SpeedButton* button = Button(name);
    if (!button) return;
    POINT below{button->Bounds().left, button->Bounds().bottom};
    ClientToScreen(Handle(), &below);
    struct Release {
        SpeedButton& button;
        ~Release() { button.SetDown(false); }
    } release{*button};
    button->SetDown(true);
    open(below);
}

void ButtonBar::SetEnabled(const std::wstring& name, bool enabled) {
    if (SpeedButton* button = Button(name)) button->SetEnabled(enabled);
}

bool ButtonBar::Enabled(const std::wstring& name) const {
    const SpeedButton* button = Find(name);
    return button && button->Enabled();
}

void ButtonBar::SetChecked(const std::wstring& name, bool down) {
    if (SpeedButton* button = Button(name); button && button->TwoState) button->SetDown(down);
}

bool ButtonBar::Checked(const std::wstring& name) const {
    const SpeedButton* button = Find(name);
    return button && button->TwoState && button->Down();
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

void PanelButtonBar::Create(BevelPanel& parent, int x, int y, int w, int h, const ImageList& pictures,
                            int buttonWidth, int buttonHeight, int indent) {
    panel_.BevelOuter = Bevel::None;
    panel_.SetDesignColor(parent.Color());
    panel_.Create(parent.Handle(), x, y, w, h);
    ButtonBar::Create(panel_, 0, 0, w, h, pictures, buttonWidth, buttonHeight, indent);
}
