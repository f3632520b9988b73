// The printed monthly task list: its report layout (page header with the program's
// name, the title and the month, column titles; one detail row per task; page
// footer with the print time, the maker and the page number) and its preview.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "report/report.h"

class TqrLista {
public:
    TqrLista() = default;
    TqrLista(const TqrLista&) = delete;
    TqrLista& operator=(const TqrLista&) = delete;
    ~TqrLista();

    // The window the preview belongs to.
    void Create(HWND owner) { owner_ = owner; }

    static constexpr const wchar_t* kTitle = L"Események";

    // The month shown in the page header.
    std::wstring qrlHonap;
    // Report lines: date (1-11), title 1 (12-31), title 2 (32-51).
    std::vector<std::wstring> Lines;

    // The layout with the current month and the given print time text.
    ReportDefinition Definition(const std::wstring& printedAt) const;
    // The pages of the current lines, wrapped texts measured on `device`.
    ReportDocument Build(const std::wstring& printedAt, const ReportDevice& device) const;
    // The report for the preview and the printer: A4 portrait.
    ReportJob Job(const std::wstring& printedAt) const;

    // Shows the preview of `lines` under `month` and waits until it is closed. While
    // a preview is open a further request does nothing (returns false).
    bool Preview(std::vector<std::wstring> lines, const std::wstring& month);
    bool Busy() const { return busy_; }

    // Date and time in the user's regional format, as the page footer prints them.
    static std::wstring PrintTimeText();

private:
    HWND owner_ = nullptr;
    bool busy_ = false;
};

