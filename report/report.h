// A small banded report: a page header, detail rows made of text columns and a page
// footer, laid out in millimetres on the paper the report is made for
// (report_layout.h) and drawn by one painter into any device context — the preview
// window, a test bitmap or a printer — at the device's own pixels per millimetre
// across and down. Wrapped texts are measured on the device they are drawn on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "report/report_layout.h"
#include "ui/canvas.h"

struct ReportFont {
    std::wstring face = L"Arial";
    double points = 10;
    bool bold = false;
};

enum class ReportAlign { Left, Center, Right };

// A text box; in a band its place is relative to the band's top left corner, on a
// page relative to the paper's.
struct ReportText {
    std::wstring name;
    double left = 0, top = 0, width = 0, height = 0;
    std::wstring text;
    ReportFont font;
    COLORREF colour = 0;
    ReportAlign align = ReportAlign::Left;
    bool wordWrap = false;     // further lines go below, the box grows with them
    bool opaque = false;       // the box is filled with `background` behind the text
    COLORREF background = 0xFFFFFF;
    bool pageNumber = false;   // the page's number is added to the text
};

// A horizontal line of the given width.
struct ReportRule {
    double left = 0, top = 0, width = 0;
};

struct ReportBand {
    double height = 0;
    std::vector<ReportText> texts;
    std::vector<ReportRule> rules;
};

// The definition: bands and the detail columns (one text per column, the row's
// pieces fill them in order).
struct ReportDefinition {
    std::wstring title;
    ReportGeometry geometry;
    ReportBand pageHeader;
    ReportText detailTemplate;              // font and height of detail texts
    std::vector<ReportText> detailColumns;  // left, top, width, align, wordWrap
    ReportBand pageFooter;
};

// One printed page: everything in paper millimetres.
struct ReportArea {
    double left = 0, top = 0, width = 0, height = 0;
};

// A picture its page's maker draws itself (the month calendar's day cells) into the
// device box of `area` (corner and size rounded, so equal areas are equal boxes),
// at the device's pixels per millimetre across and down.
struct ReportDrawing {
    ReportArea area;
    std::function<void(HDC dc, const RECT& box, double perMmX, double perMmY)> paint;
};

struct ReportPage {
    int number = 1;
    std::vector<ReportArea> bands;  // white band areas
    std::vector<ReportText> texts;
    std::vector<ReportRule> rules;
    std::vector<ReportDrawing> drawings;  // drawn after the bands and rules, before the texts
    // Texts of the detail rows on this page, row by row (for checks and the preview).
    std::vector<std::vector<std::wstring>> rows;
};

struct ReportDocument {
    std::wstring title;
    PaperSize paper = PaperSize::A4;
    PaperOrientation orientation = PaperOrientation::Portrait;
    double pageWidth = 210, pageHeight = 297;
    std::vector<ReportPage> pages;
};

// Device pixels per millimetre, across (x) and down (y); printers may differ in the two.
struct ReportScale {
    double x = 1, y = 1;
};
// The device's own resolutions (LOGPIXELSX, LOGPIXELSY).
ReportScale DeviceScale(HDC dc);

// A device the report is measured on: a DC and its scale.
struct ReportDevice {
    HDC dc = nullptr;
    ReportScale scale;
};

// The lines a text takes in a box `widthMm` wide on `device`, as the painter draws
// them there (words longer than the box are broken); at least one.
std::vector<std::wstring> WrapReportText(const ReportDevice& device, const std::wstring& text, const ReportFont& font,
                                         double widthMm);

// Lays the rows out into pages: header and footer on every page, rows growing by
// the lines their wrapping columns need on `device`.
ReportDocument BuildReport(const ReportDefinition& def, const std::vector<std::vector<std::wstring>>& rows,
                           const ReportDevice& device);

// A screen-compatible device at ten pixels per millimetre, for layouts that are not
// (yet) meant for a printer: the preview's pages.
class ReferenceDevice {
public:
    ReferenceDevice();
    ReferenceDevice(const ReferenceDevice&) = delete;
    ReferenceDevice& operator=(const ReferenceDevice&) = delete;
    const ReportDevice& Get() const { return device_; }

private:
    MemoryDc dc_;
    ReportDevice device_;
};

// Draws a page: paper millimetre (x, y) goes to device (originX + x·scale.x, originY + y·scale.y).
void PaintReportPage(HDC dc, const ReportPage& page, ReportScale scale, int originX = 0, int originY = 0);
inline void PaintReportPage(HDC dc, const ReportPage& page, double devicePerMm, int originX = 0, int originY = 0) {
    PaintReportPage(dc, page, ReportScale{devicePerMm, devicePerMm}, originX, originY);
}

// Prints every page as one job named `jobName`; returns the number of pages. A job
// the printer refuses or breaks off throws PrintError.
int PrintReport(HDC printer, const ReportDocument& doc, const std::wstring& jobName);

// A report ready for the preview and the printer: its title (the preview's caption
// and the print job's name), the paper it is made for, and its layout, made again
// for every device it goes to so wrapped texts fit there.
struct ReportJob {
    std::wstring title;
    PaperSize paper = PaperSize::A4;
    PaperOrientation orientation = PaperOrientation::Portrait;
    std::function<ReportDocument(const ReportDevice&)> layout;

    ReportDocument LayOut(const ReportDevice& device) const;
};

// Lays the job out on the printer and prints it (PrintReport).
int PrintReport(HDC printer, const ReportJob& job);
