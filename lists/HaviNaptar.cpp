#include "lists/HaviNaptar.h"

#include <cmath>
#include <memory>

#include "appearance/day_cell_painter.h"
#include "lists/calendar_page.h"
#include "report/preview.h"

namespace {

constexpr const wchar_t* kWeekdays[7] = {L"Hétfő",  L"Kedd",    L"Szerda",  L"Csütörtök",
                                         L"Péntek", L"Szombat", L"Vasárnap"};
constexpr COLORREF kMaroon = 0x000080;  // the month view's title colour
constexpr COLORREF kWhite = 0xFFFFFF, kYellow = 0x00FFFF;

ReportArea AreaOf(const MmBox& b) { return ReportArea{b.left, b.top, b.width, b.height}; }

int Scaled(int designed, double scale) { return std::max(1, static_cast<int>(std::lround(designed * scale))); }

// A week-day header as in the month view: a bevelled box in the header colour with
// the day's name centred, bold, white (yellow at the weekend).
void PaintHeader(HDC dc, const RECT& box, int tag, COLORREF colour, double faceScale) {
    Canvas canvas(dc);
    RECT r = box;
    const int bevel = Scaled(1, faceScale);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    canvas.Frame3D(r, light, shadow, bevel);
    canvas.Frame3D(r, shadow, light, bevel);
    canvas.Fill(r, colour);
    // The screen's bitmap face does not enlarge: a scalable sans-serif face instead.
    LOGFONTW lf{};
    lf.lfHeight = -Scaled(11, faceScale);
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    Font font(CreateFontIndirectW(&lf));
    canvas.TextInRect(r, kWeekdays[tag], font.Get(), tag >= 5 ? kYellow : kWhite, DT_CENTER);
}

DayFace FaceOf(const CellContent& c) {
    return DayFace{c.day, c.nameDay, c.txt1, c.txt2, c.hasEntry, c.date, ResolveColour(c.colour1),
                   ResolveColour(c.colour2)};
}

}  // namespace

std::wstring CalendarMonthTitle(int year, int month, const MonthNames& names) {
    return std::to_wstring(year) + L". " + names[static_cast<size_t>(month - 1)];
}

ReportDocument TqrNaptar::Build(const std::wstring& monthTitle, const MonthCells& cells,
                                const CalendarPageColours& colours) {
    const CalendarPageLayout layout = MonthCalendarPage();
    ReportDocument doc;
    doc.title = kTitle;
    doc.paper = PaperSize::A4;
    doc.orientation = PaperOrientation::Landscape;
    doc.pageWidth = layout.pageWidth;
    doc.pageHeight = layout.pageHeight;
    ReportPage page;

    ReportText title;
    title.name = L"qrlHonap";
    title.left = layout.title.left;
    title.top = layout.title.top;
    title.width = layout.title.width;
    title.height = layout.title.height;
    title.text = monthTitle;
    title.font = ReportFont{L"Tahoma", 24, true};
    title.colour = kMaroon;
    title.align = ReportAlign::Center;
    page.texts.push_back(title);

    // A device's pixels per millimetre times this: its pixels per designed face pixel.
    const double mmPerFacePixel = layout.faceMmPerPixel;
    for (int tag = 0; tag < kGridColumns; ++tag)
        page.drawings.push_back(ReportDrawing{
            AreaOf(layout.headers[static_cast<size_t>(tag)]),
            [tag, colour = colours.header, mmPerFacePixel](HDC dc, const RECT& box, double perMmX, double) {
                PaintHeader(dc, box, tag, colour, perMmX * mmPerFacePixel);
            }});

    for (size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i].visible) continue;  // other months' cells stay blank
        page.drawings.push_back(ReportDrawing{
            AreaOf(layout.cells[i]),
            // The face keeps its proportions: it is scaled by the resolution across.
            [face = FaceOf(cells[i]), colour = colours.cell, mmPerFacePixel](HDC dc, const RECT& box, double perMmX,
                                                                            double) {
                const DayCellPainter painter(perMmX * mmPerFacePixel);
                const int bevel = std::max(1, painter.Px(1));
                Canvas canvas(dc);
                painter.Paint(canvas, box, face, DayCellLook{Bevel::Raised, Bevel::Lowered, bevel, 0, colour});
            }});
    }
    doc.pages.push_back(std::move(page));
    return doc;
}

bool TqrNaptar::Preview(const ReportDocument& doc) {
    if (busy_) return false;
    busy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{busy_};
    // The page is the same on every device: its texts do not wrap.
    ReportJob job;
    job.title = doc.title;
    job.paper = doc.paper;
    job.orientation = doc.orientation;
    job.layout = [&doc](const ReportDevice&) { return doc; };
    HWND active = GetActiveWindow();
    PreviewReport(job, active ? active : owner_);
    return true;
}
