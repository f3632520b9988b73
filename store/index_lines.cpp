#include "store/index_lines.h"

#include <cstring>
#include <stdexcept>

#include "platform/codec1250.h"

IndexLines::IndexLines(std::initializer_list<std::wstring_view> lines) {
    reserve(lines.size());
    for (std::wstring_view line : lines) push_back(line);
}

IndexLines::IndexLines(const std::vector<std::wstring>& lines) {
    reserve(lines.size());
    for (const std::wstring& line : lines) push_back(line);
}

IndexLines IndexLines::FromFileText(std::string_view text) {
    IndexLines lines;
    lines.bytes_.reserve(text.size());
    lines.records_.reserve(text.size() / 66 + 1);
    size_t start = 0;
    while (start < text.size()) {
        // A plain scan: find_first_of would call the library once per character.
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        // Every byte is a Windows-1250 character: the line's bytes are kept as they are.
        lines.records_.push_back(Record{static_cast<uint32_t>(lines.bytes_.size()),
                                        static_cast<uint32_t>(end - start), 0});
        lines.bytes_.append(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string IndexLines::FileText() const {
    std::string out;
    out.reserve(bytes_.size() - unused_ + 2 * size());
    for (const Record& r : records_) {
        if (r.wide)
            out += EncodeCp1250((*this)[static_cast<size_t>(&r - records_.data())]);
        else
            out.append(bytes_, r.offset, r.length);
        out += "\r\n";
    }
    return out;
}

const std::wstring IndexLines::operator[](size_t i) const {
    std::wstring text;
    CopyTo(i, text);
    return text;
}

void IndexLines::CopyTo(size_t i, std::wstring& text) const {
    const Record& r = records_[i];
    text.resize(r.length);
    if (r.wide) {
        std::memcpy(text.data(), bytes_.data() + r.offset, r.length * sizeof(wchar_t));
        return;
    }
    for (size_t k = 0; k < r.length; ++k) text[k] = DecodeCp1250Byte(static_cast<unsigned char>(bytes_[r.offset + k]));
}

const std::wstring IndexLines::at(size_t i) const {
    if (i >= size()) throw std::out_of_range("index line");
    return (*this)[i];
}

wchar_t IndexLines::Char(size_t i, size_t pos) const {
    const Record& r = records_[i];
    if (r.wide) {
        wchar_t c;
        std::memcpy(&c, bytes_.data() + r.offset + pos * sizeof(wchar_t), sizeof(c));
        return c;
    }
    return DecodeCp1250Byte(static_cast<unsigned char>(bytes_[r.offset + pos]));
}

bool IndexLines::StartsWith(size_t i, std::wstring_view prefix) const {
    const Record& r = records_[i];
    if (r.length < prefix.size()) return false;
    for (size_t k = 0; k < prefix.size(); ++k)
        if (Char(i, k) != prefix[k]) return false;
    return true;
}

IndexLines::Record IndexLines::Store(std::wstring_view line) {
    size_t unconvertible = 0;
    const std::string narrow = EncodeCp1250(line, &unconvertible);
    const Record record{static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(line.size()),
                        unconvertible != 0};
    if (record.wide)
        bytes_.append(reinterpret_cast<const char*>(line.data()), line.size() * sizeof(wchar_t));
    else
        bytes_ += narrow;
    return record;
}

void IndexLines::Forget(const Record& record) {
    unused_ += record.length * (record.wide ? sizeof(wchar_t) : 1);
}

void IndexLines::push_back(std::wstring_view line) { records_.push_back(Store(line)); }

void IndexLines::Set(size_t i, std::wstring_view line) {
    if (i >= size()) throw std::out_of_range("index line");
    Forget(records_[i]);
    records_[i] = Store(line);
    Compact();
}

void IndexLines::insert(size_t i, std::wstring_view line) {
    if (i > size()) throw std::out_of_range("index line");
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(i), Store(line));
}

void IndexLines::erase(size_t i) {
    if (i >= size()) throw std::out_of_range("index line");
    Forget(records_[i]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(i));
    Compact();
}

void IndexLines::clear() {
    bytes_.clear();
    records_.clear();
    unused_ = 0;
}

void IndexLines::reserve(size_t lines) {
    records_.reserve(lines);
    bytes_.reserve(lines * 64);
}

std::vector<std::wstring> IndexLines::ToVector() const { return {begin(), end()}; }

// Replaced and removed lines leave their bytes behind; once they are half the buffer
// the live lines are copied together, so years of editing never double the memory.
void IndexLines::Compact() {
    if (unused_ < 4096 || unused_ * 2 < bytes_.size()) return;
    std::string packed;
    packed.reserve(bytes_.size() - unused_);
    for (Record& r : records_) {
        const size_t size = r.length * (r.wide ? sizeof(wchar_t) : 1);
        const uint32_t offset = static_cast<uint32_t>(packed.size());
        packed.append(bytes_, r.offset, size);
        r.offset = offset;
    }
    bytes_ = std::move(packed);
    unused_ = 0;
}

bool operator==(const IndexLines& a, const IndexLines& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}
