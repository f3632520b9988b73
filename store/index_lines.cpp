#include "store/index_lines.h"

#include <cstring>
#include <stdexcept>

#include "platform/codec1250.h"

namespace {

// Lines are fixed-width fields padded with blanks: a run of blanks is kept as the
// escape byte and its length, and an escape byte of the line itself as the escape
// and 0. Every byte value may occur in a line, so nothing else is special.
constexpr char kEscape = '\x01';
constexpr size_t kShortestRun = 3;
constexpr size_t kLongestRun = 255;

void Pack(std::string_view raw, std::string& out) {
    for (size_t i = 0; i < raw.size();) {
        size_t run = 0;
        while (i + run < raw.size() && raw[i + run] == ' ' && run < kLongestRun) ++run;
        if (run >= kShortestRun) {
            out += kEscape;
            out += static_cast<char>(run);
            i += run;
        } else if (raw[i] == kEscape) {
            out += kEscape;
            out += '\0';
            ++i;
        } else {
            out += raw[i++];
        }
    }
}

}  // namespace

// Hands the line's bytes, as the file holds them, to `visit` until it returns false
// or the line ends; gives the number of stored bytes read.
template <class Visit>
size_t IndexLines::Unpack(const Record& r, Visit visit) const {
    const char* start = bytes_.data() + r.offset;
    const char* p = start;
    size_t chars = 0;
    while (chars < r.length) {
        if (*p != kEscape) {
            ++chars;
            if (!visit(*p++)) break;
            continue;
        }
        const auto run = static_cast<unsigned char>(p[1]);
        p += 2;
        if (run == 0) {
            ++chars;
            if (!visit(kEscape)) break;
            continue;
        }
        bool more = true;
        for (unsigned k = 0; k < run && more; ++k) {
            ++chars;
            more = visit(' ');
        }
        if (!more) break;
    }
    return static_cast<size_t>(p - start);
}

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
    lines.bytes_.reserve(text.size() / 2);
    lines.records_.reserve(text.size() / 66 + 1);
    size_t start = 0;
    while (start < text.size()) {
        // A plain scan: find_first_of would call the library once per character.
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        // Every byte is a Windows-1250 character: the line's bytes are kept as they are.
        lines.records_.push_back(Record{static_cast<uint32_t>(lines.bytes_.size()),
                                        static_cast<uint32_t>(end - start), 0});
        Pack(text.substr(start, end - start), lines.bytes_);
        if (end == text.size()) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    lines.bytes_.shrink_to_fit();
    return lines;
}

std::string IndexLines::FileText() const {
    std::string out;
    out.reserve(records_.size() * 66);
    for (size_t i = 0; i < records_.size(); ++i) {
        const Record& r = records_[i];
        if (r.wide) {
            out += EncodeCp1250((*this)[i]);
        } else {
            Unpack(r, [&](char b) {
                out += b;
                return true;
            });
        }
        out += "\r\n";
    }
    return out;
}

const std::wstring IndexLines::operator[](size_t i) const {
    std::wstring text;
    CopyTo(i, text);
    return text;
}

void IndexLines::CopyTo(size_t i, std::wstring& text, size_t count) const {
    const Record& r = records_[i];
    const size_t length = count < r.length ? count : r.length;
    text.resize(length);
    if (length == 0) return;
    if (r.wide) {
        std::memcpy(text.data(), bytes_.data() + r.offset, length * sizeof(wchar_t));
        return;
    }
    size_t k = 0;
    Unpack(r, [&](char b) {
        text[k++] = DecodeCp1250Byte(static_cast<unsigned char>(b));
        return k < length;
    });
}

const std::wstring IndexLines::at(size_t i) const {
    if (i >= size()) throw std::out_of_range("index line");
    return (*this)[i];
}

bool IndexLines::StartsWith(size_t i, std::wstring_view prefix) const {
    const Record& r = records_[i];
    if (r.length < prefix.size()) return false;
    if (prefix.empty()) return true;
    if (r.wide) return (*this)[i].compare(0, prefix.size(), prefix) == 0;
    size_t k = 0;
    bool same = true;
    Unpack(r, [&](char b) {
        same = DecodeCp1250Byte(static_cast<unsigned char>(b)) == prefix[k++];
        return same && k < prefix.size();
    });
    return same;
}

IndexLines::Record IndexLines::Store(std::wstring_view line) {
    size_t unconvertible = 0;
    const std::string narrow = EncodeCp1250(line, &unconvertible);
    const Record record{static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(line.size()),
                        unconvertible != 0};
    if (record.wide)
        bytes_.append(reinterpret_cast<const char*>(line.data()), line.size() * sizeof(wchar_t));
    else
        Pack(narrow, bytes_);
    return record;
}

size_t IndexLines::StoredSize(const Record& r) const {
    return r.wide ? r.length * sizeof(wchar_t) : Unpack(r, [](char) { return true; });
}

void IndexLines::push_back(std::wstring_view line) { records_.push_back(Store(line)); }

void IndexLines::Set(size_t i, std::wstring_view line) {
    if (i >= size()) throw std::out_of_range("index line");
    unused_ += StoredSize(records_[i]);
    records_[i] = Store(line);
    Compact();
}

void IndexLines::insert(size_t i, std::wstring_view line) {
    if (i > size()) throw std::out_of_range("index line");
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(i), Store(line));
}

void IndexLines::erase(size_t i) {
    if (i >= size()) throw std::out_of_range("index line");
    unused_ += StoredSize(records_[i]);
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
    bytes_.reserve(lines * 40);
}

std::vector<std::wstring> IndexLines::ToVector() const { return {begin(), end()}; }

// Replaced and removed lines leave their bytes behind; once they are half the buffer
// the live lines are copied together, so years of editing never double the memory.
void IndexLines::Compact() {
    if (unused_ < 4096 || unused_ * 2 < bytes_.size()) return;
    std::string packed;
    packed.reserve(bytes_.size() - unused_);
    for (Record& r : records_) {
        const size_t size = StoredSize(r);
        const uint32_t offset = static_cast<uint32_t>(packed.size());
        packed.append(bytes_, r.offset, size);
        r.offset = offset;
    }
    bytes_ = std::move(packed);
    unused_ = 0;
}

bool operator==(const IndexLines& a, const IndexLines& b) {
    if (a.size() != b.size()) return false;
    std::wstring x, y;
    for (size_t i = 0; i < a.size(); ++i) {
        a.CopyTo(i, x);
        b.CopyTo(i, y);
        if (x != y) return false;
    }
    return true;
}
