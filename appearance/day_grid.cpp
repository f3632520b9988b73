#include "appearance/day_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include <oleacc.h>

#include "store/spoken_day.h"
#include "ui/application.h"
#include "ui/cursors.h"

namespace {

// Posted when the focused day was given another content: told to the clients once the
// keys' handling is over, which may move the focus on to another day.
constexpr UINT kAnnounceFocus = WM_APP + 2;

}  // namespace

DayGrid::~DayGrid() {
    for (TJPanel* face : faces_) face->grid_ = nullptr;
    if (Handle()) Application::Get().ForgetHint(Handle());
}

void DayGrid::AddFace(TJPanel& face) {
    faces_.push_back(&face);
    face.grid_ = this;
    RegisterHint();
}

void DayGrid::RemoveFace(TJPanel& face) {
    if (face.shown_) InvalidatePart(face.bounds_);
    faces_.erase(std::remove(faces_.begin(), faces_.end(), &face), faces_.end());
    if (hovered_ == &face) hovered_ = nullptr;
    if (pressed_ == &face) pressed_ = nullptr;
    if (focused_ == &face) focused_ = nullptr;
    face.grid_ = nullptr;
}

void DayGrid::RegisterHint() {
    if (hintRegistered_ || !Handle()) return;
    hintRegistered_ = true;
    Application::Get().SetHintProvider(Handle(), [this](POINT client) {
        const TJPanel* cell = CellAt(client);
        return cell ? cell->Hint() : std::wstring();
    });
}

TJPanel* DayGrid::CellAt(POINT client) const {
    for (TJPanel* face : faces_)
        if (face->Shown() && PtInRect(&face->Bounds(), client)) return face;
    return nullptr;
}

HCURSOR DayGrid::CursorAt(POINT client) const { return CellAt(client) ? HandCursor() : ArrowCursor(); }

void DayGrid::Paint(Canvas& canvas) {
    BevelPanel::Paint(canvas);
    RECT clip{};
    GetClipBox(canvas.Dc(), &clip);
    for (TJPanel* face : faces_)
        if (face->Shown()) PaintPart(canvas, clip, *face);
}

void DayGrid::HoverOver(TJPanel* cell) {
    if (cell == hovered_) return;
    if (hovered_) hovered_->CellMouseLeave();
    hovered_ = cell;
    if (cell) cell->CellMouseEnter();
    if (cell && !trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
    }
}

void DayGrid::CellHidden(TJPanel& cell) {
    if (hovered_ == &cell) {
        // The mouse has left it: shown again in another month, it is at rest.
        hovered_ = nullptr;
        cell.CellMouseLeave();
    }
    if (pressed_ == &cell) pressed_ = nullptr;
    if (focused_ == &cell) focused_ = nullptr;
}

void DayGrid::SetFocusedCell(TJPanel* cell) {
    if (cell == focused_) return;
    // The focus rectangle moves: both faces repaint (a hidden one is not drawn at all).
    for (TJPanel* changed : {focused_, cell})
        if (changed && changed->Shown()) InvalidatePart(changed->Bounds());
    focused_ = cell;
    if (!cell) return;
    NotifyPartEvent(Handle(), EVENT_OBJECT_SELECTION, PartOf(*cell));
    if (hasFocus_) AnnounceFocus();
}

void DayGrid::AnnounceFocus() {
    announcePending_ = false;
    if (focused_ && hasFocus_) NotifyPartEvent(Handle(), EVENT_OBJECT_FOCUS, PartOf(*focused_));
}

int DayGrid::PartOf(const TJPanel& face) const {
    const auto it = std::find(faces_.begin(), faces_.end(), &face);
    return it == faces_.end() ? -1 : BevelPanel::AccessiblePartCount() + static_cast<int>(it - faces_.begin());
}

void DayGrid::FaceChanged(const TJPanel& face, DWORD event) {
    if (!AccessibilityClientsSeen()) return;
    facesChanged_ = true;
    NotifyPartEvent(Handle(), event, PartOf(face));
    if (&face == focused_ && hasFocus_ && !announcePending_ && Handle()) {
        announcePending_ = true;
        PostMessageW(Handle(), kAnnounceFocus, 0, 0);
    }
}

void DayGrid::FacesRefilled() {
    if (!std::exchange(facesChanged_, false)) return;
    NotifyPartEvent(Handle(), EVENT_OBJECT_REORDER, -1);
}

int DayGrid::AccessiblePartCount() const {
    return BevelPanel::AccessiblePartCount() + static_cast<int>(faces_.size());
}

AccessiblePart DayGrid::DescribePart(int index) const {
    const int headers = BevelPanel::AccessiblePartCount();
    if (index < headers) return BevelPanel::DescribePart(index);
    const TJPanel& face = *faces_.at(static_cast<size_t>(index - headers));
    AccessiblePart part{.role = PartRole::Cell, .bounds = face.Bounds()};
    if (!face.Shown()) {
        part.states = kPartOtherMonth;
        return part;
    }
    CellContent shown = face.Content();
    shown.visible = true;
    part.name = SpokenDayName(shown, Today());
    part.action = L"Megnyitás";
    part.states = kPartFocusable;
    if (&face == FocusedCell()) part.states |= kPartFocused;
    if (&face == focused_) part.states |= kPartSelected;
    if (&face == pressed_) part.states |= kPartPressed;
    if (face.Hovered()) part.states |= kPartHot;
    return part;
}

void DayGrid::DoPartAction(int index) {
    const int at = index - BevelPanel::AccessiblePartCount();
    if (at < 0) return BevelPanel::DoPartAction(index);
    TJPanel* face = faces_.at(static_cast<size_t>(at));
    if (face->Shown() && face->OnClick) face->OnClick(*face);
}

int DayGrid::FocusedPart() const {
    const TJPanel* cell = FocusedCell();
    return cell ? PartOf(*cell) : -1;
}

long DayGrid::OwnRole() const { return ROLE_SYSTEM_TABLE; }

void DayGrid::FocusCell(TJPanel& cell) {
    if (cell.grid_ != this || !cell.Shown()) return;
    SetFocusedCell(&cell);
    if (!hasFocus_ && Handle()) SetFocus(Handle());
}

TJPanel* DayGrid::NextShown(const TJPanel* from, bool backwards) const {
    auto next = [&](auto begin, auto end) -> TJPanel* {
        auto it = from ? std::find(begin, end, from) : begin;
        if (from && it != end) ++it;
        for (; it != end; ++it)
            if ((*it)->Shown()) return *it;
        return nullptr;
    };
    return backwards ? next(faces_.rbegin(), faces_.rend()) : next(faces_.begin(), faces_.end());
}

void DayGrid::ShowPopup(TJPanel& cell, POINT screen) {
    if (cell.OnPopup) cell.OnPopup(cell, screen.x, screen.y);
    if (!cell.PopupMenu || !Handle()) return;
    HWND form = GetAncestor(Handle(), GA_ROOT);
    SetForegroundWindow(form);
    TrackPopupMenu(cell.PopupMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, form,
                   nullptr);
}

bool DayGrid::MouseMessage(UINT msg, POINT client) {
    TJPanel* cell = CellAt(client);
    switch (msg) {
        case WM_MOUSEMOVE:
            HoverOver(cell);
            if (cell && cell->OnMouseMove) cell->OnMouseMove(*cell);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (msg == WM_LBUTTONDOWN) {
                // The release then comes here wherever it is, and only a release over
                // the pressed day is its click.
                pressed_ = cell;
                if (cell && Handle()) SetCapture(Handle());
                // The pressed day is the focused one, as in a list.
                if (cell) SetFocusedCell(cell);
            }
            if (!cell) return false;
            // The mouse is over the cell even if no move came before the press.
            HoverOver(cell);
            cell->CellMouseDown();
            return true;
        case WM_LBUTTONUP: {
            // A release without a press on the same cell is no click; every release
            // ends the press.
            const TJPanel* was = std::exchange(pressed_, nullptr);
            const bool click = cell && was == cell;
            if (Handle() && GetCapture() == Handle()) ReleaseCapture();
            if (!cell) return false;
            if (click && cell->OnClick) cell->OnClick(*cell);
            cell->CellMouseUp();
            return true;
        }
        case WM_MBUTTONUP:
        case WM_RBUTTONUP:
            if (!cell) return false;
            cell->CellMouseUp();
            if (msg == WM_RBUTTONUP) {
                POINT cellPoint{client.x - cell->Bounds().left, client.y - cell->Bounds().top};
                ShowPopup(*cell, cell->ToScreen(cellPoint));
            }
            return true;
        default:
            return false;
    }
}

UINT DayGrid::DialogCode(const MSG* msg) const {
    UINT code = DLGC_WANTARROWS;
    if (msg && msg->message == WM_KEYDOWN) {
        // Enter must reach the cell instead of pressing the form's default button.
        if ((msg->wParam == VK_RETURN || msg->wParam == VK_SPACE) && focused_) code |= DLGC_WANTMESSAGE;
        // Tab walks the shown cells, and past the last one round to the first (Shift+Tab
        // the other way), as the month's day windows did.
        if (msg->wParam == VK_TAB && focused_) code |= DLGC_WANTTAB;
    }
    return code;
}

bool DayGrid::KeyDown(WPARAM key, LPARAM flags) {
    const bool repeated = (flags & (1 << 30)) != 0;
    switch (key) {
        case VK_RETURN:
        case VK_SPACE:
            if (focused_ && !repeated && focused_->OnClick) focused_->OnClick(*focused_);
            return focused_ != nullptr;
        case VK_TAB: {
            const bool backwards = GetKeyState(VK_SHIFT) < 0;
            TJPanel* next = NextShown(focused_, backwards);
            if (!next) next = NextShown(nullptr, backwards);
            if (next) SetFocusedCell(next);
            return true;
        }
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            if (!focused_) {
                // The focused day was hidden by a month step: the keys start again at the first day.
                SetFocusedCell(NextShown(nullptr, false));
                return true;
            }
            if (focused_->OnKeyNavigate) focused_->OnKeyNavigate(*focused_, static_cast<UINT>(key));
            return true;
        default:
            return false;
    }
}

LRESULT DayGrid::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            if (MouseMessage(msg, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) return 0;
            break;
        case WM_CAPTURECHANGED:
            // A menu, a dialog or another program took the mouse: the press is over.
            if (reinterpret_cast<HWND>(lp) != Handle()) pressed_ = nullptr;
            break;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            HoverOver(nullptr);
            return 0;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wp) == Handle() && LOWORD(lp) == HTCLIENT) {
                const DWORD at = GetMessagePos();
                POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
                ScreenToClient(Handle(), &p);
                SetCursor(CursorAt(p));
                return TRUE;
            }
            break;
        case WM_CONTEXTMENU: {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (p.x == -1 && p.y == -1) {  // from the keyboard: below the focused day's number
                if (!focused_) return 0;
                ShowPopup(*focused_, focused_->ToScreen(POINT{5, 24}));
                return 0;
            }
            POINT client = p;
            ScreenToClient(Handle(), &client);
            if (TJPanel* cell = CellAt(client)) {
                ShowPopup(*cell, p);
                return 0;
            }
            break;
        }
        case WM_GETDLGCODE:
            return DialogCode(reinterpret_cast<const MSG*>(lp));
        case WM_KEYDOWN:
            if (KeyDown(wp, lp)) return 0;
            break;
        case WM_SETFOCUS: {
            hasFocus_ = true;
            // Entered with Tab: the first shown day, with Shift+Tab the last; otherwise
            // the day that had the focus before, if it is still shown.
            const TJPanel* before = focused_;
            const bool tabbed = GetKeyState(VK_TAB) < 0;
            if (tabbed || !focused_) SetFocusedCell(NextShown(nullptr, tabbed && GetKeyState(VK_SHIFT) < 0));
            if (focused_) InvalidatePart(focused_->Bounds());
            if (focused_ == before) AnnounceFocus();  // else told as it moved
            return 0;
        }
        case kAnnounceFocus:
            if (announcePending_) AnnounceFocus();
            return 0;
        case WM_KILLFOCUS:
            hasFocus_ = false;
            if (focused_) InvalidatePart(focused_->Bounds());
            return 0;
        case WM_UPDATEUISTATE: {
            const LRESULT result = BevelPanel::HandleMessage(msg, wp, lp);
            if (focused_) InvalidatePart(focused_->Bounds());
            return result;
        }
        case WM_DESTROY:
            Application::Get().ForgetHint(Handle());
            hintRegistered_ = false;
            break;
        default:
            break;
    }
    return BevelPanel::HandleMessage(msg, wp, lp);
}
