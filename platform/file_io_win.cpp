// Win32 file layer. Paths are UTF-16 throughout; the ANSI code page is never used.
#include <windows.h>

#include "platform/errors.h"
#include "platform/file_io.h"

namespace {

struct FileHandle {
    HANDLE h;
    explicit FileHandle(HANDLE handle) : h(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    bool Valid() const { return h != INVALID_HANDLE_VALUE; }
    void Close() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }
};

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw FileOpenError(path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.h, &size) || size.QuadPart > 0x7FFFFFFF) throw FileOpenError(path);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    size_t total = 0;
    while (total < bytes.size()) {
        if (!ReadFile(file.h, bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &done, nullptr))
            throw FileOpenError(path);
        if (done == 0) break;
        total += done;
    }
    bytes.resize(total);
    return bytes;
}

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::wstring temp = path + L".tmp";
    FileHandle file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw FileCreateError(path);
    size_t total = 0;
    bool ok = true;
    while (ok && total < bytes.size()) {
        DWORD done = 0;
        ok = WriteFile(file.h, bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &done, nullptr) &&
             done > 0;
        total += done;
    }
    ok = ok && FlushFileBuffers(file.h);
    file.Close();
    // A read-only target must stay as it is: MoveFileEx would replace it regardless.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) ok = false;
    if (!ok || !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        throw FileCreateError(path);
    }
}

bool FileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != 0; }

bool DeleteFileIfExists(const std::wstring& path) {
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
