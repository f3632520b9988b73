// A top-level window of the program: created once (or per use), shown modeless or
// modal, hidden rather than destroyed, with member handlers for commands,
// notifications and owner drawing looked up in small tables.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/button_keys.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/window.h"

enum ModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

enum class BorderStyle { Sizeable, ToolWindow, Dialog };

struct FormOptions {
    const wchar_t* className = L"TivornFormWindow";
    BorderStyle border = BorderStyle::ToolWindow;
    int clientWidth = 300;
    int clientHeight = 200;
    bool centred = true;  // in the middle of the desktop; otherwise at left, top
    int left = 0;
    int top = 0;
    std::wstring caption;
    bool captionIsAppTitle = true;  // caption := application title at every show
    bool keyPreview = true;
    bool topMost = false;
    bool resizable = false;  // a tool or dialog window that the user can size too
    FontSpec font{L"MS Sans Serif", 8};
};

// A form's accessible object lists its child windows' objects, so a client can walk
// from the window down to every drawn part of its panels.
class Form : public Window, public AccessibleParts {
public:
    explicit Form(FormOptions options) : options_(std::move(options)) {}

    void Create(HWND owner = nullptr);
    // As Create, but a message-only window until the first showing (EnsureInsides),
    // which makes it an ordinary top-level window owned by `owner`. The long-lived
    // windows are made hidden at start: as top-level windows each would cost the
    // start its screen window and monitor look-ups (some forty round trips to the
    // server under Wine), and owned, each would be re-stacked with the main window
    // at its showing and activation.
    void CreateOwnedFromFirstShowing(HWND owner);
    // Makes the window's expensive insides (rich-edit boxes, font lists, pictures)
    // once; the first showing does it, so a window that is never shown never pays.
    void EnsureInsides();
    bool HasInsides() const { return insides_; }
    void Show();
    void Hide();
    // Shows the form and runs the message loop until a modal result is set.
    int ShowModal();
    bool IsModal() const { return modal_; }
    // Modal: ends the loop with `result`. Modeless: closes (hides) the form.
    void Close(int result = mrCancel);
    int GetModalResult() const { return modalResult_; }

    HFONT FormFont() const { return formFont_.Get(); }
    const FormOptions& Options() const { return options_; }

    // Keys reach the form before its controls when key preview is on.
    bool PreviewKey(const MSG& msg);
    virtual bool UsesDialogKeys() const { return true; }

    // Tables of member handlers.
    int NewControlId() { return nextId_++; }
    void OnCommand(int id, std::function<void()> handler, int code = -1);
    void OnNotify(int id, UINT code, std::function<LRESULT(NMHDR*)> handler);
    void OnDrawItem(int id, std::function<void(DRAWITEMSTRUCT&)> handler);
    void OnMeasureItem(int id, std::function<void(MEASUREITEMSTRUCT&)> handler);
    // A control's scroll messages (an up-down's arrows), with their scroll code.
    void OnScroll(int id, std::function<void(int code)> handler);
    // The hint a menu item shows in the status panel while it is highlighted.
    void SetMenuHint(int id, std::wstring hint);

    // Items painted on the form's own surface (labels, bevel lines).
    Graphics& Drawn() { return drawnItems_; }
    // Keyboard shortcuts of the form, looked at before anything else sees a key
    // (the table stays owned by the caller).
    void SetAccelerators(HACCEL table) { accelerators_ = table; }
    HACCEL Accelerators() const { return accelerators_; }

    // Controls that show the arrow cursor instead of their own (read-only texts).
    void UseArrowCursor(HWND control) { arrowCursorControls_.push_back(control); }

    int AccessiblePartCount() const override { return 0; }
    AccessiblePart DescribePart(int) const override { return {}; }
    void DoPartAction(int) override {}

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    AccessibleParts* Accessible() override { return this; }

    virtual void FormCreate() {}
    // The parts made at the first showing (EnsureInsides), after FormCreate.
    virtual void CreateInsides() {}
    virtual void FormShow() {}
    virtual void FormHide() {}
    // Key character pressed anywhere in the form (key preview); true = handled.
    virtual bool FormKeyPress(wchar_t key) {
        (void)key;
        return false;
    }
    // Keys with Alt (menu shortcuts) seen before the controls; true = handled.
    virtual bool FormSysKey(UINT vk) {
        (void)vk;
        return false;
    }
    // The close box. Default: close with Cancel (long-lived forms are only hidden).
    virtual void FormCloseQuery() { Close(mrCancel); }
    virtual void OnSize(int w, int h) {
        (void)w;
        (void)h;
    }
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    void Paint(Canvas& canvas) override;
    virtual COLORREF BackgroundColour() const { return GetSysColor(COLOR_BTNFACE); }

    FormOptions options_;

private:
    LRESULT RouteCommand(WPARAM wp, LPARAM lp);
    static BOOL CALLBACK DisableForModal(HWND hwnd, LPARAM self);

    Font formFont_;
    Graphics drawnItems_;
    std::map<std::pair<int, int>, std::function<void()>> commands_;
    std::map<std::pair<int, UINT>, std::function<LRESULT(NMHDR*)>> notifications_;
    std::map<int, std::function<void(DRAWITEMSTRUCT&)>> drawers_;
    std::map<int, std::function<void(MEASUREITEMSTRUCT&)>> measurers_;
    std::map<int, std::function<void(int)>> scrolls_;
    std::map<int, std::wstring> menuHints_;
    std::vector<HWND> arrowCursorControls_;
    ButtonKeys buttonKeys_;  // F10 and the arrows over the picture buttons
    HACCEL accelerators_ = nullptr;
    std::vector<HWND> disabledForModal_;
    int nextId_ = 1000;
    bool modal_ = false;
    HWND focusBeforeDeactivation_ = nullptr;
    int modalResult_ = mrNone;
    bool created_ = false;
    bool insides_ = false;
    HWND ownerFromFirstShowing_ = nullptr;  // see CreateOwnedFromFirstShowing
    bool messageOnly_ = false;
};

// Routes a message that a child sent to its parent (command, notification, owner
// drawing) to the form that owns the handlers.
LRESULT RouteToForm(HWND from, UINT msg, WPARAM wp, LPARAM lp);
