#include "ui/control_table.h"

#include "ui/application.h"
#include "ui/secondary_frame.h"

namespace control_table_detail {

void CreatePanel(Form&, BevelPanel& panel, HWND parent, const wchar_t* text, int x, int y, int w, int h,
                 COLORREF colour) {
    if (colour != CLR_INVALID) {
        CreateFramePanel(panel, parent, x, y, w, h, colour);
        if (text) panel.SetCaption(text);
    } else {
        panel.Create(parent, x, y, w, h, text ? text : L"");
    }
}

void CreateLabel(Form& form, BevelPanel* parent, const wchar_t* name, int x, int y, const wchar_t* text) {
    Graphics& face = parent ? parent->Drawn() : form.Drawn();
    face.AddLabel(name, x, y, text ? text : L"");
}

void CreateSpeedButton(SpeedButton& button, BevelPanel* parent, int x, int y, int w, int h, int picture,
                       const wchar_t* hint, bool tooltip) {
    if (!parent) throw std::logic_error("a speed button is drawn on a parent panel");
    button.Create(*parent, x, y, w, h, picture, hint ? hint : L"", tooltip);
}

static int IdFor(Form& form, int id) { return id ? id : form.NewControlId(); }

int CreateEdit(Form& form, Edit& edit, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    edit.Create(parent, x, y, w, h, IdFor(form, id), form.FormFont(), style);
    return edit.Id();
}

int CreateComboBox(Form& form, ComboBox& box, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    box.Create(parent, x, y, w, h, IdFor(form, id), form.FormFont(), style);
    return box.Id();
}

void CreateUpDown(Form& form, UpDown& arrows, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    arrows.Create(parent, x, y, w, h, IdFor(form, id), style);
}

int CreateButton(Form& form, Button& button, HWND parent, int x, int y, int w, int h, DWORD style, int id,
                 const wchar_t* caption) {
    button.Create(parent, x, y, w, h, IdFor(form, id), form.FormFont(), style, caption ? caption : L"");
    return button.Id();
}

int CreateRichEdit(Form& form, RichEdit& box, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    box.Create(parent, x, y, w, h, IdFor(form, id), style, form.FormFont());
    return box.Id();
}

void CreateListView(Form& form, ListView& list, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    list.Create(parent, x, y, w, h, IdFor(form, id), form.FormFont(), style);
}

void CreateDatePicker(Form& form, DatePicker& picker, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    picker.Create(parent, x, y, w, h, IdFor(form, id), form.FormFont(), style);
}

void CreateCheckList(Form& form, CheckList& list, HWND parent, int x, int y, int w, int h, DWORD style, int id) {
    list.Create(parent, x, y, w, h, IdFor(form, id), form.FormFont(), style);
}

void SetHint(const StandardControl& control, const wchar_t* hint) {
    if (hint) Application::Get().SetHint(control.Handle(), hint);
}

}  // namespace control_table_detail
