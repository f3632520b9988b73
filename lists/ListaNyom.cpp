#include "lists/ListaNyom.h"

#include "store/task_lines.h"
#include "report/preview.h"
#include "store/entry_store.h"


namespace {

ReportText Label(const wchar_t* name, double left, double top, double width, double height, std::wstring text,
                 ReportFont font, ReportAlign align = ReportAlign::Left) {
    ReportText t;
    t.name = name;
    t.left = left;
    t.top = top;
    t.width = width;
    t.height = height;
    t.text = std::move(text);
    t.font = std::move(font);
    t.align = align;
    return t;
}

// A right-aligned label whose right edge stands at `right`.
ReportText RightLabel(const wchar_t* name, double right, double top, double height, std::wstring text,
                      ReportFont font) {
    constexpr double kRoom = 120.0;
    return Label(name, right - kRoom, top, kRoom, height, std::move(text), std::move(font), ReportAlign::Right);
}

// The two horizontal lines of a rectangle: its top and bottom edges.
void AddHorizontalLines(ReportBand& band, double left, double top, double width, double height) {
    band.rules.push_back(ReportRule{left, top, width});
    band.rules.push_back(ReportRule{left, top + height, width});
}

}  // namespace

TqrLista::~TqrLista() = default;

ReportDefinition TqrLista::Definition(const std::wstring& printedAt) const {
    ReportDefinition def;
    def.title = kTitle;
    def.geometry.SetPaper(PaperSize::A4, PaperOrientation::Portrait);

    // QRBand1: the page header.
    ReportBand& header = def.pageHeader;
    header.height = def.geometry.headerHeight;
    ReportText name = Label(L"QRLabel5", 1.1, 4.2, 120.0, 12.0, L"Tivorn V1.0", {L"Tahoma", 26, true});
    name.colour = 0xDADADA;
    name.opaque = true;
    header.texts.push_back(name);
    AddHorizontalLines(header, 101.6, 2.1, 88.1, 16.1);  // QRShape1
    header.texts.push_back(RightLabel(L"qrlCim", 188.9, 3.2, 7.5, L"Havi feladatok", {L"Arial", 18, true}));
    header.texts.push_back(RightLabel(L"qrlHonap", 188.9, 10.6, 5.0, qrlHonap, {L"Arial", 11, true}));
    AddHorizontalLines(header, 12.7, 22.2, 160.1, 6.6);  // QRShape2
    header.texts.push_back(
        Label(L"QRLabel2", 13.8, 23.3, 36.2, 4.5, L"Dátum", {L"Verdana", 10, true}, ReportAlign::Center));
    header.texts.push_back(Label(L"QRLabel3", 50.8, 23.3, 59.5, 4.5, L"Címszó I.", {L"Verdana", 10, true}));
    header.texts.push_back(Label(L"QRLabel4", 111.1, 23.3, 59.5, 4.5, L"Címszó II.", {L"Verdana", 10, true}));

    // QRStringsBand1: one row per line.
    def.detailTemplate = Label(L"QRStringsBand1", 0, 0.3, 0, 4.5, L"", {L"Garamond", 11, false});
    def.geometry.rowHeight = 5.0;
    def.geometry.lineHeight = 4.5;
    def.detailColumns.push_back(Label(L"qrDatum", 13.8, 0.3, 36.2, 4.5, L"", {}, ReportAlign::Center));
    ReportText title1 = Label(L"qrCimszo1", 50.8, 0.3, 59.5, 4.5, L"", {});
    title1.wordWrap = true;
    def.detailColumns.push_back(title1);
    ReportText title2 = Label(L"qrCimszo2", 111.1, 0.3, 59.5, 4.5, L"", {});
    title2.wordWrap = true;
    def.detailColumns.push_back(title2);

    // QRBand2: the page footer.
    ReportBand& footer = def.pageFooter;
    footer.height = def.geometry.footerHeight;
    const ReportFont small{L"Arial", 8, false};
    footer.texts.push_back(Label(L"QRSysData1", 0.0, 4.2, 70.0, 4.0, printedAt, small));
    footer.texts.push_back(Label(L"QRLabel1", 40.0, 4.2, 110.0, 4.0,
                                 L"Tivorn V1.0 - www.ketrabo.example", small, ReportAlign::Center));
    ReportText page = RightLabel(L"QRSysData2", 190.0, 4.2, 4.0, L"Oldal: ", small);
    page.pageNumber = true;
    footer.texts.push_back(page);
    return def;
}

ReportDocument TqrLista::Build(const std::wstring& printedAt, const ReportDevice& device) const {
    std::vector<std::vector<std::wstring>> rows;
    rows.reserve(Lines.size());
    for (const auto& line : Lines) rows.push_back({ListDateText(line), ListTitle1Text(line), ListTitle2Text(line)});
    return BuildReport(Definition(printedAt), rows, device);
}

ReportJob TqrLista::Job(const std::wstring& printedAt) const {
    const ReportDefinition def = Definition(printedAt);
    ReportJob job;
    job.title = kTitle;
    job.paper = def.geometry.paper;
    job.orientation = def.geometry.orientation;
    job.layout = [this, printedAt](const ReportDevice& device) { return Build(printedAt, device); };
    return job;
}

bool TqrLista::Preview(std::vector<std::wstring> lines, const std::wstring& month) {
    if (busy_) return false;
    busy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{busy_};
    Lines = std::move(lines);
    qrlHonap = month;
    const ReportJob job = Job(PrintTimeText());
    // The preview belongs to the window that asked for it (the list window is modal
    // over the main window), so closing it gives the focus back there.
    HWND active = GetActiveWindow();
    PreviewReport(job, active ? active : owner_);
    return true;
}

std::wstring TqrLista::PrintTimeText() {
    wchar_t date[128] = L"", time[128] = L"";
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
    return std::wstring(date) + L" " + time;
}
