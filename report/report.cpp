#include "report/report.h"

#include <algorithm>
#include <cmath>

#include "ui/canvas.h"

namespace {

// Measuring resolution: ten device pixels per millimetre (254 dpi).
constexpr double kMeasurePerMm = 10.0;

int Px(double mm, double scale) { return static_cast<int>(std::lround(mm * scale)); }

Font MakeReportFont(const ReportFont& f, double devicePerMm) {
    LOGFONTW lf{};
    lf.lfHeight = -std::max(1, Px(f.points * 25.4 / 72.0, devicePerMm));
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lstrcpynW(lf.lfFaceName, f.face.c_str(), LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
}

UINT AlignFlags(ReportAlign a) {
    switch (a) {
        case ReportAlign::Center: return DT_CENTER;
        case ReportAlign::Right: return DT_RIGHT;
        case ReportAlign::Left: break;
    }
    return DT_LEFT;
}

ReportText Placed(ReportText t, double dx, double dy) {
    t.left += dx;
    t.top += dy;
    return t;
}

void AddBand(ReportPage& page, const ReportBand& band, double left, double top, double width) {
    page.bands.push_back(ReportArea{left, top, width, band.height});
    for (const auto& t : band.texts) {
        ReportText placed = Placed(t, left, top);
        if (placed.pageNumber) placed.text += std::to_wstring(page.number);
        page.texts.push_back(std::move(placed));
    }
    for (const auto& r : band.rules) page.rules.push_back(ReportRule{r.left + left, r.top + top, r.width});
}

void DrawReportText(HDC dc, const ReportText& t, double scale, int ox, int oy) {
    Font font = MakeReportFont(t.font, scale);
    SelectGuard guard(dc, font.Get());
    RECT box{ox + Px(t.left, scale), oy + Px(t.top, scale), ox + Px(t.left + t.width, scale),
             oy + Px(t.top + t.height, scale)};
    const UINT flags = AlignFlags(t.align) | DT_NOPREFIX | (t.wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (t.opaque) {
        // The box of an opaque label is as large as its text.
        RECT ext = box;
        DrawTextW(dc, t.text.c_str(), static_cast<int>(t.text.size()), &ext, flags | DT_CALCRECT);
        const int w = ext.right - ext.left;
        if (t.align == ReportAlign::Right) ext.left = box.right - w;
        if (t.align == ReportAlign::Center) ext.left = (box.left + box.right - w) / 2;
        ext.right = ext.left + w;
        Canvas(dc).Fill(ext, t.background);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, t.colour);
    DrawTextW(dc, t.text.c_str(), static_cast<int>(t.text.size()), &box, flags | DT_NOCLIP);
}

}  // namespace

int MeasureLines(const std::wstring& text, const ReportFont& font, double widthMm) {
    if (text.empty()) return 1;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    int lines = 1;
    {
        Font f = MakeReportFont(font, kMeasurePerMm);
        SelectGuard guard(dc, f.Get());
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        RECT r{0, 0, Px(widthMm, kMeasurePerMm), 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        if (tm.tmHeight > 0) lines = std::max(1, static_cast<int>((r.bottom - r.top + tm.tmHeight / 2) / tm.tmHeight));
    }
    DeleteDC(dc);
    return lines;
}

ReportDocument BuildReport(const ReportDefinition& def, const std::vector<std::vector<std::wstring>>& rows) {
    const ReportGeometry& g = def.geometry;
    std::vector<int> lineCounts;
    lineCounts.reserve(rows.size());
    for (const auto& row : rows) {
        int lines = 1;
        for (size_t c = 0; c < def.detailColumns.size() && c < row.size(); ++c)
            if (def.detailColumns[c].wordWrap)
                lines = std::max(lines, MeasureLines(row[c], def.detailTemplate.font, def.detailColumns[c].width));
        lineCounts.push_back(lines);
    }

    ReportDocument doc;
    doc.title = def.title;
    doc.pageWidth = g.pageWidth;
    doc.pageHeight = g.pageHeight;
    for (const auto& layout : LayOutPages(g, lineCounts)) {
        ReportPage page;
        page.number = layout.number;
        AddBand(page, def.pageHeader, g.margin, layout.headerTop, g.BandWidth());
        for (const auto& placed : layout.rows) {
            page.bands.push_back(ReportArea{g.margin, placed.top, g.BandWidth(), placed.height});
            const auto& row = rows[placed.index];
            const int lines = lineCounts[placed.index];
            for (size_t c = 0; c < def.detailColumns.size(); ++c) {
                ReportText t = def.detailColumns[c];
                t.font = def.detailTemplate.font;
                t.colour = def.detailTemplate.colour;
                t.height = def.detailTemplate.height + (t.wordWrap ? g.lineHeight * (lines - 1) : 0.0);
                t.text = c < row.size() ? row[c] : std::wstring();
                page.texts.push_back(Placed(std::move(t), g.margin, placed.top));
            }
            page.rows.push_back(row);
        }
        AddBand(page, def.pageFooter, g.margin, layout.footerTop, g.BandWidth());
        doc.pages.push_back(std::move(page));
    }
    return doc;
}

void PaintReportPage(HDC dc, const ReportPage& page, double scale, int ox, int oy) {
    Canvas canvas(dc);
    for (const auto& b : page.bands)
        canvas.Fill(RECT{ox + Px(b.left, scale), oy + Px(b.top, scale), ox + Px(b.left + b.width, scale),
                         oy + Px(b.top + b.height, scale)},
                    0xFFFFFF);
    const int thickness = std::max(1, Px(0.25, scale));
    for (const auto& r : page.rules) {
        const int y = oy + Px(r.top, scale);
        canvas.Fill(RECT{ox + Px(r.left, scale), y, ox + Px(r.left + r.width, scale), y + thickness}, 0x000000);
    }
    for (const auto& t : page.texts) DrawReportText(dc, t, scale, ox, oy);
}

int PrintReport(HDC printer, const ReportDocument& doc, const std::wstring& jobName) {
    const double scaleX = GetDeviceCaps(printer, LOGPIXELSX) / 25.4;
    // Paper millimetres are measured from the paper's edge, the printer's origin is
    // the corner of its printable area.
    const int ox = -GetDeviceCaps(printer, PHYSICALOFFSETX);
    const int oy = -GetDeviceCaps(printer, PHYSICALOFFSETY);
    DOCINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = jobName.c_str();
    if (StartDocW(printer, &info) <= 0) return 0;
    int printed = 0;
    for (const auto& page : doc.pages) {
        if (StartPage(printer) <= 0) break;
        PaintReportPage(printer, page, scaleX, ox, oy);
        if (EndPage(printer) <= 0) break;
        ++printed;
    }
    if (printed == static_cast<int>(doc.pages.size()))
        EndDoc(printer);
    else
        AbortDoc(printer);
    return printed;
}
