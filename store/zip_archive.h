// Zip archives in memory, made and read by zlib's minizip: the snapshots of the
// data folder. The bytes reach the disk through the program's own file layer, so a
// snapshot file is written atomically and paths with accents work everywhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"

struct ZipEntry {
    std::string name;   // name inside the archive (plain ASCII file names here)
    std::string bytes;  // the file's contents
};

// A damaged or unreadable archive.
class ZipError : public AppError {
public:
    explicit ZipError(const std::wstring& what);
};

// A deflated archive made one entry at a time, so a large one can be made in slices.
class ZipWriter {
public:
    ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter();
    void Add(const std::string& name, std::string_view bytes);  // throws ZipError
    std::string Finish();                                       // the archive; throws ZipError

private:
    struct State;
    State* state_;
};

// A deflated archive of the entries, in their order.
std::string MakeZip(const std::vector<ZipEntry>& entries);
// Every entry of an archive, checked against its CRC. Throws ZipError.
std::vector<ZipEntry> ReadZip(std::string_view archive);
// The number of entries, from the archive's directory alone. Throws ZipError.
size_t CountZipEntries(std::string_view archive);
