#include "store/zip_archive.h"

#include <cstring>

#include <minizip/unzip.h>
#include <minizip/zip.h>

namespace {

// minizip's file layer over a string: the archive is made and read in memory.
struct MemoryFile {
    std::string* out = nullptr;   // writing
    std::string_view in;          // reading
    size_t position = 0;
    size_t Size() const { return out ? out->size() : in.size(); }
};

voidpf ZCALLBACK MemoryOpen(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK MemoryRead(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* file = static_cast<MemoryFile*>(stream);
    const std::string_view data = file->out ? std::string_view(*file->out) : file->in;
    size_t n = file->position < data.size() ? std::min<size_t>(size, data.size() - file->position) : 0;
    if (n > 0) std::memcpy(buffer, data.data() + file->position, n);
    file->position += n;
    return static_cast<uLong>(n);
}

uLong ZCALLBACK MemoryWrite(voidpf, voidpf stream, const void* buffer, uLong size) {
    auto* file = static_cast<MemoryFile*>(stream);
    if (!file->out) return 0;
    if (file->position > file->out->size()) file->out->resize(file->position);
    const size_t overlap = std::min<size_t>(size, file->out->size() - file->position);
    file->out->replace(file->position, overlap, static_cast<const char*>(buffer), size);
    file->position += size;
    return size;
}

ZPOS64_T ZCALLBACK MemoryTell(voidpf, voidpf stream) { return static_cast<MemoryFile*>(stream)->position; }

long ZCALLBACK MemorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* file = static_cast<MemoryFile*>(stream);
    ZPOS64_T base = origin == ZLIB_FILEFUNC_SEEK_CUR ? file->position
                    : origin == ZLIB_FILEFUNC_SEEK_END ? file->Size()
                                                       : 0;
    // The offsets come from the archive itself: a damaged one must not wrap around.
    if (!file->out && (base > file->Size() || offset > file->Size() - base)) return -1;
    file->position = static_cast<size_t>(base + offset);
    return 0;
}

int ZCALLBACK MemoryClose(voidpf, voidpf) { return 0; }
int ZCALLBACK MemoryError(voidpf, voidpf) { return 0; }

zlib_filefunc64_def MemoryFunctions(MemoryFile& file) {
    zlib_filefunc64_def f{};
    f.zopen64_file = MemoryOpen;
    f.zread_file = MemoryRead;
    f.zwrite_file = MemoryWrite;
    f.ztell64_file = MemoryTell;
    f.zseek64_file = MemorySeek;
    f.zclose_file = MemoryClose;
    f.zerror_file = MemoryError;
    f.opaque = &file;
    return f;
}

const wchar_t kDamaged[] = L"A mentés sérült, nem olvasható";

// Every entry of an archive's directory takes at least its fixed 46 bytes.
constexpr size_t kDirectoryEntryBytes = 46;

// Closes an archive being read whatever happens.
class Reader {
public:
    explicit Reader(std::string_view archive) {
        file_.in = archive;
        zlib_filefunc64_def functions = MemoryFunctions(file_);
        handle_ = unzOpen2_64("", &functions);
        if (!handle_) throw ZipError(kDamaged);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    ~Reader() { unzClose(handle_); }
    unzFile Get() const { return handle_; }

private:
    MemoryFile file_;
    unzFile handle_ = nullptr;
};

}  // namespace

ZipError::ZipError(const std::wstring& what) : AppError(what) {}

struct ZipWriter::State {
    std::string archive;
    MemoryFile file;
    zipFile zip = nullptr;
};

ZipWriter::ZipWriter() : state_(new State) {
    state_->file.out = &state_->archive;
    zlib_filefunc64_def functions = MemoryFunctions(state_->file);
    state_->zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
    if (!state_->zip) {
        delete state_;
        throw ZipError(L"A mentés nem készíthető el");
    }
}

ZipWriter::~ZipWriter() {
    if (state_->zip) zipClose(state_->zip, nullptr);
    delete state_;
}

void ZipWriter::Add(const std::string& name, std::string_view bytes) {
    zip_fileinfo info{};
    if (!state_->zip ||
        zipOpenNewFileInZip64(state_->zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, bytes.size() >= 0xFFFFFFFFu) != ZIP_OK ||
        zipWriteInFileInZip(state_->zip, bytes.data(), static_cast<unsigned>(bytes.size())) != ZIP_OK ||
        zipCloseFileInZip(state_->zip) != ZIP_OK)
        throw ZipError(L"A mentés nem készíthető el");
}

std::string ZipWriter::Finish() {
    const bool ok = state_->zip && zipClose(state_->zip, nullptr) == ZIP_OK;
    state_->zip = nullptr;
    if (!ok) throw ZipError(L"A mentés nem készíthető el");
    return std::move(state_->archive);
}

std::string MakeZip(const std::vector<ZipEntry>& entries) {
    ZipWriter zip;
    for (const ZipEntry& entry : entries) zip.Add(entry.name, entry.bytes);
    return zip.Finish();
}

namespace {

// The number of entries the directory claims, checked against the room it has.
size_t EntryCount(const Reader& reader, std::string_view archive) {
    unz_global_info64 info{};
    if (unzGetGlobalInfo64(reader.Get(), &info) != UNZ_OK || info.number_entry > archive.size() / kDirectoryEntryBytes)
        throw ZipError(kDamaged);
    return static_cast<size_t>(info.number_entry);
}

// The current entry's bytes. The size its header declares is only a claim: the bytes
// are taken as they come, so a damaged size never allocates more than the entry
// really holds.
std::string ReadCurrentEntry(const Reader& reader, uint64_t declared) {
    std::string bytes;
    char buffer[64 * 1024];
    int read = 0;
    while ((read = unzReadCurrentFile(reader.Get(), buffer, sizeof buffer)) > 0) {
        if (static_cast<uint64_t>(read) > declared - bytes.size()) throw ZipError(kDamaged);
        bytes.append(buffer, static_cast<size_t>(read));
    }
    if (read < 0 || bytes.size() != declared) throw ZipError(kDamaged);
    return bytes;
}

}  // namespace

size_t CountZipEntries(std::string_view archive) {
    Reader reader(archive);
    return EntryCount(reader, archive);
}

std::vector<ZipEntry> ReadZip(std::string_view archive) {
    Reader reader(archive);
    const size_t count = EntryCount(reader, archive);
    std::vector<ZipEntry> entries;
    for (int more = unzGoToFirstFile(reader.Get()); more == UNZ_OK; more = unzGoToNextFile(reader.Get())) {
        unz_file_info64 info{};
        char name[512] = {};
        if (entries.size() == count ||
            unzGetCurrentFileInfo64(reader.Get(), &info, name, sizeof name - 1, nullptr, 0, nullptr, 0) != UNZ_OK ||
            info.uncompressed_size > (1u << 30) || unzOpenCurrentFile(reader.Get()) != UNZ_OK)
            throw ZipError(kDamaged);
        ZipEntry entry{name, ReadCurrentEntry(reader, info.uncompressed_size)};
        // Closing checks the CRC once the whole entry has been read.
        if (unzCloseCurrentFile(reader.Get()) != UNZ_OK) throw ZipError(kDamaged);
        entries.push_back(std::move(entry));
    }
    // A directory that breaks off early is damage too: a snapshot read in part would
    // restore in part, and the notes it no longer lists would be removed.
    if (entries.size() != count) throw ZipError(kDamaged);
    return entries;
}
