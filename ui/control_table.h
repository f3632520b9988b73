// A window's controls as one table: which field each control lives in, its parent,
// position and size as designed (96-dpi pixels), caption or hint, and the member
// handler of its click, change or choice. The rows are in tab order: controls are
// created in the order of the rows, and the Tab key follows the creation order.
//
// A misspelt field or handler does not compile; tests read the same table the window
// is built from and compare it with the designed numbers.
#pragma once

#include <windows.h>

#include <span>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <variant>

#include "ui/button_bar.h"
#include "ui/check_list.h"
#include "ui/date_picker.h"
#include "ui/drawn_panel.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/member_handler.h"
#include "ui/panel.h"
#include "ui/rich_edit.h"
#include "ui/speed_button.h"
#include "ui/standard_controls.h"

// The field a row creates; monostate is a label drawn on its parent's face, and a
// drawn panel and a speed button are drawn there too (they need a parent panel). A tool
// bar is made by its row's handler (its pictures and buttons are the owner's), at
// its place among the other controls; its row gives where it sits.
template <class Owner>
using ControlField = std::variant<std::monostate, BevelPanel Owner::*, DrawnPanel Owner::*, SpeedButton Owner::*,
                                  Edit Owner::*, ComboBox Owner::*, UpDown Owner::*, Button Owner::*,
                                  RichEdit Owner::*, ListView Owner::*,
                                  ButtonBar Owner::*, DatePicker Owner::*, CheckList Owner::*>;

template <class Owner>
struct ControlRow {
    const wchar_t* name;                 // the field's name (hints, tests)
    ControlField<Owner> field;           // where the control lives
    BevelPanel Owner::*parent = nullptr;      // null: the form itself
    int x = 0, y = 0, w = 0, h = 0;
    const wchar_t* text = nullptr;       // caption; a picture button's hint; a label's text
    void (Owner::*handler)() = nullptr;  // click (buttons), change (edits), choice (combo boxes);
                                         // a tool bar: makes it
    int code = 0;                        // the notification the handler answers instead (EN_SETFOCUS, ...)
    int picture = 0;                     // picture button: its icon resource
    DWORD style = 0;                     // styles added to the kind's own (WS_GROUP, BS_AUTOCHECKBOX, ...)
    COLORREF colour = CLR_INVALID;       // a panel with a lowered inner bevel in this colour
    int id = 0;                          // command id; 0: a new one (IDOK, IDCANCEL for dialog keys)
    bool tooltip = false;                // picture button: shows its hint as a tool tip too
    const wchar_t* hint = nullptr;       // status-bar hint of an edit, combo box, button or list
};

// The row called `name`; throws when there is none (a test or a caller misspelt it).
template <class Owner>
const ControlRow<Owner>& RowOf(std::span<const ControlRow<Owner>> rows, std::wstring_view name) {
    for (const auto& row : rows)
        if (name == row.name) return row;
    throw std::out_of_range("no control row of that name");
}

namespace control_table_detail {
// Creation of each kind, written once for every window.
void CreatePanel(Form& form, BevelPanel& panel, HWND parent, const wchar_t* text, int x, int y, int w, int h,
                 COLORREF colour);
void CreateLabel(Form& form, BevelPanel* parent, const wchar_t* name, int x, int y, const wchar_t* text);
void CreateSpeedButton(SpeedButton& button, BevelPanel* parent, int x, int y, int w, int h, int picture,
                       const wchar_t* hint, bool tooltip);
int CreateEdit(Form& form, Edit& edit, HWND parent, int x, int y, int w, int h, DWORD style, int id);
int CreateComboBox(Form& form, ComboBox& box, HWND parent, int x, int y, int w, int h, DWORD style, int id);
void CreateUpDown(Form& form, UpDown& arrows, HWND parent, int x, int y, int w, int h, DWORD style, int id);
int CreateButton(Form& form, Button& button, HWND parent, int x, int y, int w, int h, DWORD style, int id,
                 const wchar_t* caption);
int CreateRichEdit(Form& form, RichEdit& box, HWND parent, int x, int y, int w, int h, DWORD style, int id);
void CreateListView(Form& form, ListView& list, HWND parent, int x, int y, int w, int h, DWORD style, int id);
void CreateDatePicker(Form& form, DatePicker& picker, HWND parent, int x, int y, int w, int h, DWORD style, int id);
void CreateCheckList(Form& form, CheckList& list, HWND parent, int x, int y, int w, int h, DWORD style, int id);
void SetHint(const StandardControl& control, const wchar_t* hint);

template <class T>
struct MemberType {
    using type = void;
};
template <class Owner, class Member>
struct MemberType<Member Owner::*> {
    using type = Member;
};
}  // namespace control_table_detail

// Creates every control of `rows` in order and binds its handler.
template <class Owner>
void BuildControls(Owner& owner, std::span<const ControlRow<Owner>> rows) {
    using namespace control_table_detail;
    Form& form = owner;
    for (const auto& row : rows) {
        BevelPanel* parentPanel = row.parent ? &(owner.*row.parent) : nullptr;
        HWND parent = parentPanel ? parentPanel->Handle() : form.Handle();
        auto bind = [&owner, &form, &row](int id, int code) {
            if (row.handler)
                form.OnCommand(id, MemberHandler(owner, row.handler), row.code ? row.code : code);
        };
        std::visit(
            [&](auto field) {
                using Field = decltype(field);
                if constexpr (std::is_same_v<Field, std::monostate>) {
                    CreateLabel(form, parentPanel, row.name, row.x, row.y, row.text);
                } else if constexpr (std::is_same_v<Field, BevelPanel Owner::*>) {
                    CreatePanel(form, owner.*field, parent, row.text, row.x, row.y, row.w, row.h, row.colour);
                } else if constexpr (std::is_same_v<Field, DrawnPanel Owner::*>) {
                    if (!parentPanel) throw std::logic_error("a drawn panel is drawn on a parent panel");
                    (owner.*field).Create(*parentPanel, row.x, row.y, row.w, row.h, row.text ? row.text : L"");
                } else if constexpr (std::is_same_v<Field, SpeedButton Owner::*>) {
                    SpeedButton& button = owner.*field;
                    CreateSpeedButton(button, parentPanel, row.x, row.y, row.w, row.h, row.picture, row.text,
                                      row.tooltip);
                    if (row.handler) button.OnClick = MemberHandler(owner, row.handler);
                } else if constexpr (std::is_same_v<Field, Edit Owner::*>) {
                    bind(CreateEdit(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id),
                         EN_CHANGE);
                } else if constexpr (std::is_same_v<Field, ComboBox Owner::*>) {
                    bind(CreateComboBox(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id),
                         CBN_SELCHANGE);
                } else if constexpr (std::is_same_v<Field, UpDown Owner::*>) {
                    CreateUpDown(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id);
                } else if constexpr (std::is_same_v<Field, Button Owner::*>) {
                    bind(CreateButton(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id,
                                      row.text),
                         BN_CLICKED);
                } else if constexpr (std::is_same_v<Field, RichEdit Owner::*>) {
                    bind(CreateRichEdit(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id),
                         EN_CHANGE);
                } else if constexpr (std::is_same_v<Field, ListView Owner::*>) {
                    CreateListView(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id);
                } else if constexpr (std::is_same_v<Field, DatePicker Owner::*>) {
                    CreateDatePicker(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id);
                } else if constexpr (std::is_same_v<Field, CheckList Owner::*>) {
                    CreateCheckList(form, owner.*field, parent, row.x, row.y, row.w, row.h, row.style, row.id);
                } else if constexpr (std::is_same_v<Field, ButtonBar Owner::*>) {
                    if (row.handler) (owner.*row.handler)();
                }
                if constexpr (std::is_base_of_v<StandardControl, typename MemberType<Field>::type>)
                    SetHint(owner.*field, row.hint);
            },
            row.field);
    }
}
