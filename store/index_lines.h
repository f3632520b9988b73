// The lines of the entry index in memory, kept compactly: one buffer of their
// Windows-1250 bytes (runs of blanks shortened) and a small record per line. A
// century of daily entries takes 2 MB or less this way instead of a string object
// per line.
// A line with a character Windows-1250 cannot hold (typed by the user, not yet
// saved) keeps its UTF-16 text in the same buffer, so every line reads back exactly
// as it was put in; the file gets '?' for such characters only when it is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

class IndexLines {
public:
    IndexLines() = default;
    IndexLines(std::initializer_list<std::wstring_view> lines);
    IndexLines(const std::vector<std::wstring>& lines);  // NOLINT: a list of lines is an index

    // Index file text <-> lines. A line ends at CR LF, CR or LF. A NUL byte is kept as a
    // character like any other, so a damaged line and every line after it survive a save.
    static IndexLines FromFileText(std::string_view bytes);
    // The same, reusing the file's own buffer for the packed lines.
    static IndexLines FromFileText(std::string&& bytes);
    std::string FileText() const;

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    // Counts every change of the lines (a line stored, replaced, inserted or removed):
    // equal counts mean nothing was changed in between.
    uint64_t Changes() const { return changes_; }
    // Copies, const so that `lines[i] = text` does not compile: Set changes a line.
    const std::wstring operator[](size_t i) const;
    const std::wstring at(size_t i) const;  // std::out_of_range past the end
    const std::wstring front() const { return at(0); }
    const std::wstring back() const { return at(size() - 1); }
    // Line i, or its first `count` characters, into `text`, reusing its storage (for
    // loops over every line).
    void CopyTo(size_t i, std::wstring& text, size_t count = std::wstring::npos) const;
    size_t Length(size_t i) const { return records_[i].length; }
    // Whether line i begins with `prefix`, without making a string of the line.
    bool StartsWith(size_t i, std::wstring_view prefix) const;

    void push_back(std::wstring_view line);
    void Set(size_t i, std::wstring_view line);  // std::out_of_range past the end
    void insert(size_t i, std::wstring_view line);
    void erase(size_t i);
    void clear();
    void reserve(size_t lines);

    std::vector<std::wstring> ToVector() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::wstring;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::wstring;
        const_iterator() = default;
        const_iterator(const IndexLines* lines, size_t i) : lines_(lines), i_(i) {}
        std::wstring operator*() const { return (*lines_)[i_]; }
        const_iterator& operator++() { ++i_; return *this; }
        const_iterator operator++(int) { auto was = *this; ++i_; return was; }
        bool operator==(const const_iterator& other) const { return i_ == other.i_; }

    private:
        const IndexLines* lines_ = nullptr;
        size_t i_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::wstring;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const IndexLines& a, const IndexLines& b);

private:
    struct Record {
        uint32_t offset;      // into bytes_
        uint32_t length : 31; // characters
        uint32_t wide : 1;    // UTF-16 units rather than Windows-1250 bytes
    };
    Record Store(std::wstring_view line);
    // Packs a file's lines into `base`, adding their records; gives the bytes written.
    size_t PackFile(std::string_view text, char* base);
    template <class Visit>
    size_t Unpack(const Record& r, Visit visit) const;
    size_t StoredSize(const Record& r) const;

    std::string bytes_;
    std::vector<Record> records_;
    size_t unused_ = 0;  // bytes of lines replaced or removed, given back by Compact
    uint64_t changes_ = 0;
    void Compact();
};
