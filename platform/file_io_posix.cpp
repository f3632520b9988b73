// POSIX file layer for the native build of the core and its tests.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/temp_files.h"

namespace {

std::string NativePath(const std::wstring& path) {
    std::string p = WideToUtf8(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) throw FileOpenError(path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) throw FileOpenError(path);
    return buffer.str();
}

namespace {

constexpr int kTemporaryNameTries = 64;

// A new, exclusively created temporary file beside `path` (its descriptor, or -1).
int CreateTemporaryBeside(const std::wstring& path, std::string& temp) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temp = NativePath(TemporaryFileName(path, RandomTemporaryNumber()));
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    temp.clear();
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The rename itself is made durable by syncing the folder that holds both names.
void SyncFolderOf(const std::string& target) {
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + (slash == 0 ? 1 : 0));
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    std::string temp;
    int fd = CreateTemporaryBeside(path, temp);
    if (fd < 0) throw FileCreateError(path);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // Like on Windows, a read-only target is never replaced.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0) ok = false;
    if (!ok || std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw FileCreateError(path);
    }
    SyncFolderOf(target);
}

std::wstring MoveFileAside(const std::wstring& path) {
    const std::string from = NativePath(path);
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        std::wstring aside = AsideFileName(path, RandomTemporaryNumber());
        // link + unlink: never replaces a file that happens to have the new name.
        if (::link(from.c_str(), NativePath(aside).c_str()) == 0) {
            if (::unlink(from.c_str()) == 0) return aside;
            ::unlink(NativePath(aside).c_str());
            break;
        }
        if (errno != EEXIST) break;
    }
    throw FileDeleteError(path);
}

bool RenameFile(const std::wstring& from, const std::wstring& to) {
    const std::string target = NativePath(to);
    if (::link(NativePath(from).c_str(), target.c_str()) != 0) return false;
    if (::unlink(NativePath(from).c_str()) == 0) return true;
    ::unlink(target.c_str());
    return false;
}

bool FileExists(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::wstring& path) { return ::mkdir(NativePath(path).c_str(), 0755) == 0; }

bool DeleteFileIfExists(const std::wstring& path) {
    return ::unlink(NativePath(path).c_str()) == 0 || errno == ENOENT;
}

bool RemoveTemporaryFile(const std::wstring& path) { return DeleteFileIfExists(path); }

std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    DIR* dir = ::opendir(NativePath(folder).c_str());
    if (!dir) return names;
    const std::string wildcards = WideToUtf8(pattern);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (::fnmatch(wildcards.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
        struct stat st {};
        if (::stat((NativePath(folder) + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(Utf8ToWide(name));
    }
    ::closedir(dir);
    return names;
}
