#include <filesystem>

#include "platform/errors.h"
#include "platform/folder_list.h"

std::vector<FolderEntry> ListFolder(const std::wstring& folder) {
    std::string path = WideToUtf8(folder);
    for (char& c : path)
        if (c == '\\') c = '/';
    std::vector<FolderEntry> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError)) continue;
        FolderEntry entry;
        entry.name = Utf8ToWide(it->path().filename().string());
        entry.size = it->file_size(fileError);
        entry.writeTime = static_cast<int64_t>(it->last_write_time(fileError).time_since_epoch().count());
        out.push_back(std::move(entry));
    }
    return out;
}
