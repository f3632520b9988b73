// Win32 file layer. Paths are UTF-16 throughout; the ANSI code page is never used.
#include <windows.h>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/temp_files.h"

#include <algorithm>

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

namespace {

constexpr int kTemporaryNameTries = 64;

// A new, exclusively created temporary file beside `path`; its name goes to `temp`.
// Another file of that name (ours or not) is never opened: another number is tried.
HANDLE CreateTemporaryBeside(const std::wstring& path, std::wstring& temp) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temp = TemporaryFileName(path, RandomTemporaryNumber());
        HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    temp.clear();
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    size_t total = 0;
    while (total < bytes.size()) {
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - total, 1u << 30));
        if (!WriteFile(file, bytes.data() + total, chunk, &done, nullptr) || done == 0) return false;
        total += done;
    }
    return true;
}

}  // namespace

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    std::wstring temp;
    FileHandle file(CreateTemporaryBeside(path, temp));
    if (!file.Valid()) throw FileCreateError(path);
    bool ok = WriteAll(file.h, bytes) && FlushFileBuffers(file.h);
    file.Close();
    // A read-only target must stay as it is: MoveFileEx would replace it regardless.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) ok = false;
    if (!ok || !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        throw FileCreateError(path);
    }
}

std::wstring MoveFileAside(const std::wstring& path) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        std::wstring aside = AsideFileName(path, RandomTemporaryNumber());
        if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) return aside;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    throw FileDeleteError(path);
}

bool RenameFile(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
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

bool RemoveTemporaryFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileIfExists(path);
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    // Short names are not asked for: a folder of many thousand notes is read faster.
    HANDLE h = FindFirstFileExW((folder + L"\\" + pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}
