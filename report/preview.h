// The print preview of a report: a maximised modal window showing one page at a time
// at full width or at 100 %, with paging (buttons, Page Up / Page Down), printing
// through the printer dialog on the paper the report is made for (laid out again for
// the chosen printer) and closing (button, Esc).
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <span>
#include <string>

#include "report/report.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

// Parts tests replace: the whole preview (to see the pages without a modal window)
// and the printer dialog.
struct ReportPreviewHooks {
    std::function<void(const ReportDocument&)> Run;
    std::function<bool(PRINTDLGW&)> PrintDialog;
};
ReportPreviewHooks& CurrentPreviewHooks();

// Shows the preview of `job` owned by `owner` and returns when it has been closed.
// The hook sees the pages as the preview lays them out.
void PreviewReport(const ReportJob& job, HWND owner);

// The page area: grey desk, white paper, scroll bars when the page is larger.
class ReportPageView : public Window {
public:
    void Create(HWND parent, int x, int y, int w, int h);
    const ReportDocument* Document = nullptr;
    int Page = 0;           // from 0
    bool FitWidth = true;   // otherwise 100 %
    double Scale() const;   // device pixels per millimetre
    std::function<void(UINT vk)> OnKey;
    void Refresh();
    void Paint(Canvas& canvas) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Scroll(int bar, int code, int track);
    void UpdateBars();
    int scrollX_ = 0, scrollY_ = 0;
};

class TReportPreview : public Form {
public:
    explicit TReportPreview(const ReportJob& job);

    BevelPanel pEszkoz{L"pEszkoz"};
    SpeedButton sbElozo{L"sbElozo"};
    SpeedButton sbKovetkezo{L"sbKovetkezo"};
    SpeedButton sbNyomtat{L"sbNyomtat"};
    SpeedButton sbBezar{L"sbBezar"};
    Button btnNagyitas;
    BevelPanel pOldal{L"pOldal"};
    ReportPageView View;

    // The tool strip's controls, in tab order.
    static std::span<const ControlRow<TReportPreview>> Controls();

    int PageIndex() const { return View.Page; }
    void ShowPage(int index);
    void SetFitWidth(bool fit);
    void PrintClick();
    void sbElozoClick() { ShowPage(PageIndex() - 1); }
    void sbKovetkezoClick() { ShowPage(PageIndex() + 1); }
    void btnNagyitasClick() { SetFitWidth(!View.FitWidth); }
    void sbBezarClick() { Close(mrCancel); }

protected:
    void FormCreate() override;
    void FormShow() override;
    void OnSize(int w, int h) override;
    bool FormKeyPress(wchar_t key) override;
    bool UsesDialogKeys() const override { return false; }

private:
    void KeyDown(UINT vk);
    const ReportJob& job_;
    ReportDocument doc_;  // laid out for the screen
};
