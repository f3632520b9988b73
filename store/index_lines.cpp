#include "store/index_lines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
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

// Eight bytes at once: a mask with the top bit of every byte of `word` that equals
// `byte`. Only the lowest marked byte is sure (a borrow can mark bytes above it),
// which is all the packer asks for.
constexpr uint64_t kLowBits = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

constexpr uint64_t BytesEqualTo(uint64_t word, char byte) {
    const uint64_t x = word ^ (kLowBits * static_cast<unsigned char>(byte));
    return (x - kLowBits) & ~x & kHighBits;
}

uint64_t LoadWord(const char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof(word));
    return word;
}

bool ContainsEscape(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    for (; end - p >= 8; p += 8)
        if (BytesEqualTo(LoadWord(p), kEscape)) return true;
    return std::find(p, end, kEscape) != end;
}

// Position (0-7) of the first byte of `word` that ends a stretch of plain bytes, or 8.
template <bool toLineEnd>
int FirstSpecialByte(uint64_t word) {
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    uint64_t mask = BytesEqualTo(word, ' ') | BytesEqualTo(word, kEscape);
    if constexpr (toLineEnd) mask |= BytesEqualTo(word, '\r') | BytesEqualTo(word, '\n');
    return mask ? std::countr_zero(mask) / 8 : 8;
}

// Packs bytes from `p` into `out` (room enough: one byte per byte, two per escape
// byte) up to `end`, or with `toLineEnd` up to the first CR or LF; moves `p` past
// what it packed and gives the end of what it wrote. `out` may be `p` itself when the
// bytes hold no escape byte: the output never overtakes the input then, and plain
// bytes are moved eight at a time only while all eight are plain.
template <bool toLineEnd>
char* PackInto(const char*& p, const char* end, char* out) {
    while (p < end) {
        while (end - p >= 8) {
            const uint64_t word = LoadWord(p);
            const int plain = FirstSpecialByte<toLineEnd>(word);
            if (plain == 8) {
                std::memcpy(out, &word, sizeof(word));
                out += 8;
                p += 8;
                continue;
            }
            for (int k = 0; k < plain; ++k) *out++ = *p++;
            break;
        }
        if (p == end) break;
        const char c = *p;
        if (c == ' ') {
            const char* limit = end - p > static_cast<ptrdiff_t>(kLongestRun) ? p + kLongestRun : end;
            const char* q = p + 1;
            while (limit - q >= 8 && LoadWord(q) == kLowBits * ' ') q += 8;
            while (q < limit && *q == ' ') ++q;
            const auto run = static_cast<size_t>(q - p);
            if (run >= kShortestRun) {
                *out++ = kEscape;
                *out++ = static_cast<char>(run);
            } else {
                std::memset(out, ' ', run);
                out += run;
            }
            p = q;
        } else if (toLineEnd && (c == '\r' || c == '\n')) {
            break;
        } else if (c == kEscape) {
            *out++ = kEscape;
            *out++ = '\0';
            ++p;
        } else {
            *out++ = c;
            ++p;
        }
    }
    return out;
}

size_t PackedRoom(std::string_view raw) {
    return raw.size() + static_cast<size_t>(std::count(raw.begin(), raw.end(), kEscape));
}

void Pack(std::string_view raw, std::string& out) {
    const size_t old = out.size();
    out.resize(old + PackedRoom(raw));
    const char* p = raw.data();
    char* written = PackInto<false>(p, raw.data() + raw.size(), out.data() + old);
    out.resize(static_cast<size_t>(written - out.data()));
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

// One pass over the file, packing straight into `base` (which may be the file's own
// bytes, see below): loading is most of a start's own work with a big diary.
size_t IndexLines::PackFile(std::string_view text, char* base) {
    records_.reserve(text.size() / 66 + 1);
    const char* p = text.data();
    const char* const end = p + text.size();
    char* out = base;
    while (p < end) {
        const char* start = p;
        const auto offset = static_cast<uint32_t>(out - base);
        out = PackInto<true>(p, end, out);
        records_.push_back(Record{offset, static_cast<uint32_t>(p - start), 0});
        if (p == end) break;
        p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
    }
    return static_cast<size_t>(out - base);
}

IndexLines IndexLines::FromFileText(std::string&& text) {
    // A file without escape bytes packs into its own buffer (the packed bytes never
    // overtake the ones still to be read): no second buffer of the file's size.
    if (ContainsEscape(text)) return FromFileText(std::string_view(text));
    IndexLines lines;
    text.resize(lines.PackFile(text, text.data()));
    text.shrink_to_fit();
    lines.bytes_ = std::move(text);
    return lines;
}

IndexLines IndexLines::FromFileText(std::string_view text) {
    IndexLines lines;
    lines.bytes_.resize(PackedRoom(text));
    lines.bytes_.resize(lines.PackFile(text, lines.bytes_.data()));
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

void IndexLines::push_back(std::wstring_view line) {
    records_.push_back(Store(line));
    ++changes_;
}

void IndexLines::Set(size_t i, std::wstring_view line) {
    if (i >= size()) throw std::out_of_range("index line");
    unused_ += StoredSize(records_[i]);
    records_[i] = Store(line);
    ++changes_;
    Compact();
}

void IndexLines::insert(size_t i, std::wstring_view line) {
    if (i > size()) throw std::out_of_range("index line");
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(i), Store(line));
    ++changes_;
}

void IndexLines::erase(size_t i) {
    if (i >= size()) throw std::out_of_range("index line");
    unused_ += StoredSize(records_[i]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(i));
    ++changes_;
    Compact();
}

void IndexLines::clear() {
    bytes_.clear();
    records_.clear();
    unused_ = 0;
    ++changes_;
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
