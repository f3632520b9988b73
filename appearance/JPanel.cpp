#include "appearance/JPanel.h"
#include "ui/dpi.h"

#include <windowsx.h>

#include <utility>

#include "appearance/day_face.h"
#include "ui/application.h"
#include "ui/cursors.h"
#include "ui/ui_state.h"

TJPanel::TJPanel(std::wstring name) : Panel(std::move(name)) {
    BevelOuter = Bevel::Raised;
    BevelInner = Bevel::Lowered;
    BevelWidth = 1;
    BorderWidth = 0;
}

TJPanel::~TJPanel() {
    if (Handle()) Application::Get().ForgetHint(Handle());
}

void TJPanel::Create(HWND parent, int x, int y, int w, int h) {
    Panel::Create(parent, x, y, w, h);
    if (!Handle()) return;
    // A cell is a tab stop of its own, not a container the dialog keys look into.
    SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_TABSTOP);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & ~WS_EX_CONTROLPARENT);
    if (!hint_.empty()) Application::Get().SetHint(Handle(), hint_);
}

HCURSOR TJPanel::Cursor() const { return HandCursor(); }

void TJPanel::Repaint() {
    ++repaintCount_;
    // A month fill changes up to nine properties of a cell: ask for one repaint.
    if (paintPending_) return;
    paintPending_ = true;
    InvalidateFace();
}

void TJPanel::InvalidateFace() {
    if (!faceOwner_) {
        Invalidate();
        return;
    }
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, faceOwner_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    faceOwner_->InvalidateFaceRect(r);
}

void FacePanel::AddFace(TJPanel& face) {
    faces_.push_back(&face);
    face.faceOwner_ = this;
}

void FacePanel::InvalidateFaceRect(const RECT& r) {
    if (!updating_) {
        InvalidateArea(r);
        return;
    }
    if (IsRectEmpty(&pending_))
        pending_ = r;
    else
        UnionRect(&pending_, &pending_, &r);
}

void FacePanel::EndUpdate() {
    updating_ = false;
    if (!IsRectEmpty(&pending_)) InvalidateArea(pending_);
    pending_ = RECT{};
}

void FacePanel::InvalidateArea(const RECT& r) {
    // The faces are drawn here: the cell windows above need no paint of their own,
    // which would only cost three window calls per cell and a second paint of the grid.
    RedrawWindow(Handle(), &r, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

void FacePanel::Paint(Canvas& canvas) {
    Panel::Paint(canvas);
    RECT clip{};
    GetClipBox(canvas.Dc(), &clip);
    for (TJPanel* face : faces_) {
        if (!face || !face->Shown()) continue;
        RECT r{};
        GetWindowRect(face->Handle(), &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        RECT visible{};
        if (!IntersectRect(&visible, &r, &clip)) continue;
        // Each face is drawn at its own origin and cut at its own edges, as in its own window.
        const int saved = SaveDC(canvas.Dc());
        IntersectClipRect(canvas.Dc(), r.left, r.top, r.right, r.bottom);
        OffsetViewportOrgEx(canvas.Dc(), r.left, r.top, nullptr);
        face->Paint(canvas);
        RestoreDC(canvas.Dc(), saved);
    }
}

void TJPanel::SetNap(int value) {
    if (value == nap_) return;
    nap_ = value;
    Repaint();
}

void TJPanel::SetNevNap(const std::wstring& value) {
    if (value == nevNap_) return;
    nevNap_ = value;
    Repaint();
}

void TJPanel::SetTxt1(const std::wstring& value) {
    if (value == txt1_) return;
    txt1_ = value;
    Repaint();
}

void TJPanel::SetTxt2(const std::wstring& value) {
    if (value == txt2_) return;
    txt2_ = value;
    Repaint();
}

void TJPanel::SetVanFile(bool value) {
    if (value == vanFile_) return;
    vanFile_ = value;
    Repaint();
}

void TJPanel::SetDatum(const Date& value) {
    if (value == datum_) return;
    datum_ = value;
    Repaint();
}

void TJPanel::SetMSzin1(COLORREF value) {
    if (value == mSzin1_) return;
    mSzin1_ = value;
    Repaint();
}

void TJPanel::SetMSzin2(COLORREF value) {
    if (value == mSzin2_) return;
    mSzin2_ = value;
    Repaint();
}

bool TJPanel::Shown() const {
    // The cell's own flag: the whole grid counts as hidden while the main window is.
    return Handle() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TJPanel::SetShown(bool shown) {
    if (!Handle() || shown == Shown()) return;
    if (!shown && focused_) {
        ShowWindow(Handle(), SW_HIDE);  // moves the focus to the grid area
    } else {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                         (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    InvalidateFace();
}

void TJPanel::SetHint(const std::wstring& hint) {
    hint_ = hint;
    if (Handle()) Application::Get().SetHint(Handle(), hint_);
}

DayFace TJPanel::Face() const {
    return DayFace{nap_, nevNap_, txt1_, txt2_, vanFile_, datum_, mSzin1_, mSzin2_};
}

DayCellLook TJPanel::Look() const { return DayCellLook{BevelOuter, BevelInner, BevelWidth, BorderWidth, colour_}; }

void TJPanel::Paint(Canvas& canvas) {
    paintPending_ = false;
    const RECT client = ClientRect();
    DayCellPainter::Screen().Paint(canvas, client, Face(), Look());
    if (focused_ && !FocusCuesHidden(Handle())) {
        const int inset = FocusInset(BevelOuter != Bevel::None, BevelInner != Bevel::None, BevelWidth, BorderWidth);
        RECT focus = client;
        InflateRect(&focus, -inset, -inset);
        SetBkColor(canvas.Dc(), RGB(255, 255, 255));
        SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        DrawFocusRect(canvas.Dc(), &focus);
    }
}

void TJPanel::DrawContent(Canvas& canvas) { DayCellPainter::Screen().PaintFace(canvas, ClientRect(), Face()); }

void TJPanel::CellMouseDown() {
    colour_ = ColorClick;
    Repaint();
}

void TJPanel::CellMouseUp() {
    // A window the click opened may have taken the mouse away from the cell.
    colour_ = tracking_ ? ColorOn : ColorOff;
    Repaint();
}

LRESULT TJPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&tme);
                tracking_ = true;
                colour_ = ColorOn;
                Repaint();
            }
            if (OnMouseMove) OnMouseMove(*this);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            colour_ = ColorOff;
            Repaint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // Button-up messages without a press in this cell are no click.
            if (msg == WM_LBUTTONDOWN) pressed_ = true;
            // The mouse is over the cell even if no move came before the press.
            if (!tracking_) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&tme);
                tracking_ = true;
            }
            CellMouseDown();
            return 0;
        case WM_LBUTTONUP: {
            const bool click = std::exchange(pressed_, false);
            if (click && OnClick) OnClick(*this);
            CellMouseUp();
            return 0;
        }
        case WM_MBUTTONUP:
            CellMouseUp();
            return 0;
        case WM_RBUTTONUP: {
            CellMouseUp();
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(Handle(), &p);
            ShowPopup(p.x, p.y);
            return 0;
        }
        case WM_CONTEXTMENU: {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (p.x == -1 && p.y == -1) {  // from the keyboard: below the day number
                p = POINT{5, 24};
                ClientToScreen(Handle(), &p);
            }
            ShowPopup(p.x, p.y);
            return 0;
        }
        case WM_GETDLGCODE: {
            // Enter must reach the cell instead of pressing the form's default button.
            auto* m = reinterpret_cast<const MSG*>(lp);
            if (m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_SPACE))
                return DLGC_WANTMESSAGE;
            return OnKeyNavigate ? DLGC_WANTARROWS : 0;
        }
        case WM_KEYDOWN:
            if ((wp == VK_RETURN || wp == VK_SPACE) && !(lp & (1 << 30))) {
                if (OnClick) OnClick(*this);
                return 0;
            }
            if (OnKeyNavigate && (wp == VK_LEFT || wp == VK_RIGHT || wp == VK_UP || wp == VK_DOWN ||
                                  wp == VK_PRIOR || wp == VK_NEXT)) {
                OnKeyNavigate(*this, static_cast<UINT>(wp));
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused_ = msg == WM_SETFOCUS;
            InvalidateFace();
            break;
        case WM_UPDATEUISTATE: {
            LRESULT result = Panel::HandleMessage(msg, wp, lp);
            InvalidateFace();
            return result;
        }
        case WM_PAINT:
            if (faceOwner_) {
                // Whatever made the cell invalid (a colour, an uncovered window):
                // its face is repainted by the parent.
                InvalidateFace();
                ValidateRect(Handle(), nullptr);
                return 0;
            }
            break;
        case WM_DESTROY:
            Application::Get().ForgetHint(Handle());
            break;
        default:
            break;
    }
    return Panel::HandleMessage(msg, wp, lp);
}

void TJPanel::ShowPopup(int x, int y) {
    if (OnPopup) OnPopup(*this, x, y);
    if (!PopupMenu || !Handle()) return;
    HWND form = GetAncestor(Handle(), GA_ROOT);
    SetForegroundWindow(form);
    TrackPopupMenu(PopupMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, form, nullptr);
}
