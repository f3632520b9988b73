#include "report/report.h"

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "report/text_wrap.h"
#include "ui/canvas.h"

namespace {

// Reference resolution: ten device pixels per millimetre (254 dpi).
constexpr double kReferencePerMm = 10.0;

int Px(double mm, double scale) { return static_cast<int>(std::lround(mm * scale)); }

// Average character width of a font of `height` pixels on square pixels.
int SquareAverageWidth(const LOGFONTW& lf) {
    MemoryDc dc(nullptr);
    Font font(CreateFontIndirectW(&lf));
    TEXTMETRICW tm{};
    SelectGuard guard(dc.Get(), font.Get());
    GetTextMetricsW(dc.Get(), &tm);
    return tm.tmAveCharWidth;
}

// The font at its size on the device: the height by the vertical resolution; on a
// device whose pixels are not square, the width by the horizontal one, so letters
// keep their shape on paper.
Font MakeReportFont(const ReportFont& f, ReportScale scale) {
    LOGFONTW lf{};
    lf.lfHeight = -std::max(1, Px(f.points * 25.4 / 72.0, scale.y));
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = EASTEUROPE_CHARSET;  // Hungarian texts: ő and ű
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lstrcpynW(lf.lfFaceName, f.face.c_str(), LF_FACESIZE);
    if (std::abs(scale.x - scale.y) > 1e-6 * scale.y)
        lf.lfWidth = std::max(1L, std::lround(SquareAverageWidth(lf) * scale.x / scale.y));
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

// Lines of `text` with the font already selected into `dc`.
std::vector<std::wstring> WrapSelected(HDC dc, const std::wstring& text, int width) {
    return WrapText(text, width, [dc](std::wstring_view piece) {
        SIZE size{};
        GetTextExtentPoint32W(dc, piece.data(), static_cast<int>(piece.size()), &size);
        return static_cast<int>(size.cx);
    });
}

void DrawReportText(HDC dc, const ReportText& t, ReportScale scale, int ox, int oy) {
    Font font = MakeReportFont(t.font, scale);
    SelectGuard guard(dc, font.Get());
    RECT box{ox + Px(t.left, scale.x), oy + Px(t.top, scale.y), ox + Px(t.left + t.width, scale.x),
             oy + Px(t.top + t.height, scale.y)};
    const UINT flags = AlignFlags(t.align) | DT_NOPREFIX | DT_SINGLELINE;
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
    if (!t.wordWrap) {
        DrawTextW(dc, t.text.c_str(), static_cast<int>(t.text.size()), &box, flags | DT_NOCLIP);
        return;
    }
    // Wrapped lines, measured here, on this device, one below the other.
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT line = box;
    for (const auto& text : WrapSelected(dc, t.text, box.right - box.left)) {
        line.bottom = line.top + tm.tmHeight;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line, flags | DT_NOCLIP);
        line.top = line.bottom;
    }
}

}  // namespace

ReportScale DeviceScale(HDC dc) {
    return ReportScale{GetDeviceCaps(dc, LOGPIXELSX) / 25.4, GetDeviceCaps(dc, LOGPIXELSY) / 25.4};
}

std::vector<std::wstring> WrapReportText(const ReportDevice& device, const std::wstring& text, const ReportFont& font,
                                         double widthMm) {
    Font f = MakeReportFont(font, device.scale);
    SelectGuard guard(device.dc, f.Get());
    return WrapSelected(device.dc, text, Px(widthMm, device.scale.x));
}

ReferenceDevice::ReferenceDevice() : dc_(nullptr) {
    device_.dc = dc_.Get();
    device_.scale = ReportScale{kReferencePerMm, kReferencePerMm};
}

ReportDocument BuildReport(const ReportDefinition& def, const std::vector<std::vector<std::wstring>>& rows,
                           const ReportDevice& device) {
    const ReportGeometry& g = def.geometry;
    std::vector<int> lineCounts;
    lineCounts.reserve(rows.size());
    for (const auto& row : rows) {
        size_t lines = 1;
        for (size_t c = 0; c < def.detailColumns.size() && c < row.size(); ++c)
            if (def.detailColumns[c].wordWrap)
                lines = std::max(
                    lines, WrapReportText(device, row[c], def.detailTemplate.font, def.detailColumns[c].width).size());
        lineCounts.push_back(static_cast<int>(lines));
    }

    ReportDocument doc;
    doc.title = def.title;
    doc.paper = g.paper;
    doc.orientation = g.orientation;
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

void PaintReportPage(HDC dc, const ReportPage& page, ReportScale scale, int ox, int oy) {
    Canvas canvas(dc);
    for (const auto& b : page.bands)
        canvas.Fill(RECT{ox + Px(b.left, scale.x), oy + Px(b.top, scale.y), ox + Px(b.left + b.width, scale.x),
                         oy + Px(b.top + b.height, scale.y)},
                    0xFFFFFF);
    const int thickness = std::max(1, Px(0.25, scale.y));
    for (const auto& r : page.rules) {
        const int y = oy + Px(r.top, scale.y);
        canvas.Fill(RECT{ox + Px(r.left, scale.x), y, ox + Px(r.left + r.width, scale.x), y + thickness}, 0x000000);
    }
    for (const auto& d : page.drawings) {
        if (!d.paint) continue;
        const int left = ox + Px(d.area.left, scale.x), top = oy + Px(d.area.top, scale.y);
        const RECT box{left, top, left + Px(d.area.width, scale.x), top + Px(d.area.height, scale.y)};
        const int saved = SaveDC(dc);
        d.paint(dc, box, scale.x, scale.y);
        RestoreDC(dc, saved);
    }
    for (const auto& t : page.texts) DrawReportText(dc, t, scale, ox, oy);
}

int PrintReport(HDC printer, const ReportDocument& doc, const std::wstring& jobName) {
    const ReportScale scale = DeviceScale(printer);
    // Paper millimetres are measured from the paper's edge, the printer's origin is
    // the corner of its printable area.
    const int ox = -GetDeviceCaps(printer, PHYSICALOFFSETX);
    const int oy = -GetDeviceCaps(printer, PHYSICALOFFSETY);
    DOCINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = jobName.c_str();
    if (StartDocW(printer, &info) <= 0) throw PrintError(jobName);
    int printed = 0;
    for (const auto& page : doc.pages) {
        if (StartPage(printer) <= 0) break;
        PaintReportPage(printer, page, scale, ox, oy);
        if (EndPage(printer) <= 0) break;
        ++printed;
    }
    if (printed != static_cast<int>(doc.pages.size())) {
        AbortDoc(printer);
        throw PrintError(jobName);
    }
    if (EndDoc(printer) <= 0) throw PrintError(jobName);
    return printed;
}

ReportDocument ReportJob::LayOut(const ReportDevice& device) const {
    ReportDocument doc = layout ? layout(device) : ReportDocument{};
    doc.title = title;
    return doc;
}

int PrintReport(HDC printer, const ReportJob& job) {
    const ReportDocument doc = job.LayOut(ReportDevice{printer, DeviceScale(printer)});
    return PrintReport(printer, doc, job.title);
}
