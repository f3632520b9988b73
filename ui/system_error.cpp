#include "ui/system_error.h"

#include "platform/errors.h"
#include "ui/kernel_handles.h"

std::wstring SystemErrorText(DWORD code) {
    LocalMemory<wchar_t> buffer;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.Out()), 0, nullptr);
    std::wstring text = length && buffer.Get() ? std::wstring(buffer.Get(), length) : L"#" + std::to_wstring(code);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

void ThrowLastError(const std::wstring& what) {
    const DWORD code = GetLastError();
    throw AppError(what + L": " + SystemErrorText(code));
}
