#include "lists/HaviNaptar.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "appearance/red_letter_day.h"
#include "lists/calendar_page.h"
#include "report/preview.h"
#include "ui/canvas.h"

namespace {

constexpr const wchar_t* kWeekdays[7] = {L"Hétfő",  L"Kedd",    L"Szerda",  L"Csütörtök",
                                         L"Péntek", L"Szombat", L"Vasárnap"};
// Paper colours: near-black ink, a printer's red, grey for the lines and the small texts.
constexpr COLORREF kInk = 0x202020, kRed = 0x0000CC, kLine = 0x606060, kSmallInk = 0x404040;
constexpr double kLineMm = 0.25;

ReportArea AreaOf(const MmBox& b) { return ReportArea{b.left, b.top, b.width, b.height}; }

int Pixels(double mm, double perMm) { return std::max(1, static_cast<int>(std::lround(mm * perMm))); }

Font PaperFont(const wchar_t* face, double points, bool bold, double perMm) {
    LOGFONTW lf{};
    lf.lfHeight = -Pixels(points * 25.4 / 72.0, perMm);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
}

// A week-day's name centred over its column, a thin line under it; the weekend in red.
void PaintHeader(HDC dc, const RECT& box, int tag, double perMm) {
    Canvas canvas(dc);
    const Font font = PaperFont(L"Arial", 10, true, perMm);
    RECT text = box;
    text.bottom -= Pixels(kLineMm, perMm);
    canvas.TextInRect(text, kWeekdays[tag], font.Get(), tag >= 5 ? kRed : kInk, DT_CENTER);
    canvas.Fill(RECT{box.left, box.bottom - Pixels(kLineMm, perMm), box.right, box.bottom}, kLine);
}

// One day: a thin frame, the number, under it the holiday's name (or the moved day's
// word) and the name day, then the title words; nothing more.
void PaintDay(HDC dc, const RECT& box, const CellContent& c, double perMm) {
    Canvas canvas(dc);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    const int line = Pixels(kLineMm, perMm);
    canvas.Fill(RECT{box.left, box.top, box.right, box.top + line}, kLine);
    canvas.Fill(RECT{box.left, box.bottom - line, box.right, box.bottom}, kLine);
    canvas.Fill(RECT{box.left, box.top, box.left + line, box.bottom}, kLine);
    canvas.Fill(RECT{box.right - line, box.top, box.right, box.bottom}, kLine);

    const DayMarks marks = c.marks ? *c.marks : DayMarks{IsRedLetterDay(c.date), false};
    const int x = box.left + Pixels(2.0, perMm);
    const Font number = PaperFont(L"Arial", 16, true, perMm);
    canvas.Text(x, box.top + Pixels(1.2, perMm), std::to_wstring(c.day), number.Get(), marks.redLetter ? kRed : kInk);

    const Font small = PaperFont(L"Arial", 8, false, perMm);
    const Font title = PaperFont(L"Times New Roman", 9, false, perMm);
    int y = box.top + Pixels(8.0, perMm);
    const int smallStep = Pixels(3.4, perMm), titleStep = Pixels(3.8, perMm);
    if (!c.dayLabel.empty()) {
        canvas.Text(x, y, c.dayLabel, small.Get(), marks.redLetter ? kRed : kSmallInk);
        y += smallStep;
    }
    canvas.Text(x, y, c.nameDay, small.Get(), kSmallInk);
    y += smallStep + Pixels(0.6, perMm);
    for (const auto& [text, colour] : {std::pair{&c.txt1, c.colour1}, std::pair{&c.txt2, c.colour2}}) {
        const std::wstring words = Trim(*text);
        if (words.empty()) continue;
        canvas.Text(x, y, words, title.Get(), InkOnWhite(ResolveColour(colour)));
        y += titleStep;
    }
    RestoreDC(dc, saved);
}

}  // namespace

std::wstring CalendarMonthTitle(int year, int month, const MonthNames& names) {
    return std::to_wstring(year) + L". " + names[static_cast<size_t>(month - 1)];
}

ReportDocument TqrNaptar::Build(const std::wstring& monthTitle, const MonthCells& cells) {
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
    title.font = ReportFont{L"Arial", 24, true};
    title.colour = kInk;
    title.align = ReportAlign::Center;
    page.texts.push_back(title);

    for (int tag = 0; tag < kGridColumns; ++tag)
        page.drawings.push_back(ReportDrawing{AreaOf(layout.headers[static_cast<size_t>(tag)]),
                                              [tag](HDC dc, const RECT& box, double perMmX, double) {
                                                  PaintHeader(dc, box, tag, perMmX);
                                              }});

    for (size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i].visible) continue;  // other months' cells stay blank
        page.drawings.push_back(ReportDrawing{AreaOf(layout.cells[i]),
                                              [cell = cells[i]](HDC dc, const RECT& box, double perMmX, double) {
                                                  PaintDay(dc, box, cell, perMmX);
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
