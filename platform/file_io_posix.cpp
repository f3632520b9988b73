// POSIX file layer for the native build of the core and its tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/errors.h"
#include "platform/file_io.h"

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

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    const std::string temp = target + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw FileCreateError(path);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            ::unlink(temp.c_str());
            throw FileCreateError(path);
        }
        done += static_cast<size_t>(n);
    }
    bool ok = ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // Like on Windows, a read-only target is never replaced.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0) ok = false;
    if (!ok || std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw FileCreateError(path);
    }
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
