#include "sync/sync_state.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "store/entry_store.h"

namespace {

constexpr std::string_view kHeader = "TIVORN-SZINKRON 1";

// A field may hold any text: tab, line breaks and the backslash are escaped.
std::string Escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::string DateText(const Date& d) { return WideToUtf8(DateKey(d)); }

std::optional<Date> ParseDate(std::string_view text) {
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const Date d{std::stoi(std::string(text.substr(0, 4))), std::stoi(std::string(text.substr(4, 2))),
                 std::stoi(std::string(text.substr(6, 2)))};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

std::optional<uint64_t> ParseHash(std::string_view text) {
    if (text.empty() || text.size() > 16) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
    }
    return value;
}

std::string HashText(uint64_t hash) {
    static const char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<size_t>(i)] = digits[hash & 15];
    return out;
}

}  // namespace

SyncRecord* SyncState::ByHref(std::string_view href) {
    const auto it = std::find_if(records.begin(), records.end(), [&](const SyncRecord& r) { return r.href == href; });
    return it == records.end() ? nullptr : &*it;
}

SyncRecord* SyncState::ByDate(const Date& date) {
    const auto it = std::find_if(records.begin(), records.end(), [&](const SyncRecord& r) { return r.date == date; });
    return it == records.end() ? nullptr : &*it;
}

const SyncQuestion* SyncState::QuestionOn(const Date& date) const {
    const auto it =
        std::find_if(questions.begin(), questions.end(), [&](const SyncQuestion& q) { return q.date == date; });
    return it == questions.end() ? nullptr : &*it;
}

void SyncState::DropRecord(std::string_view href) {
    std::erase_if(records, [&](const SyncRecord& r) { return r.href == href; });
}

std::string SyncStateText(const SyncState& state) {
    std::string out(kHeader);
    out += "\r\n";
    auto line = [&out](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& f : fields) {
            if (!first) out += '\t';
            out += Escape(f);
            first = false;
        }
        out += "\r\n";
    };
    line({"naptar", state.calendar});
    line({"token", state.syncToken});
    line({"egyeztetve", state.matched ? "1" : "0"});
    for (const SyncRecord& r : state.records)
        line({"esemeny", r.href, r.etag, WideToUtf8(r.uid), DateText(r.date), HashText(r.localHash)});
    for (const SyncQuestion& q : state.questions)
        line({"kerdes", q.kind == SyncQuestion::Kind::NoteText ? "jegyzet" : "mindketto", DateText(q.date), q.href,
              q.etag, q.remote});
    for (const auto& [href, etag] : state.passedOver) line({"kihagyva", href, etag});
    return out;
}

SyncState ParseSyncState(std::string_view text) {
    SyncState state;
    size_t start = 0;
    bool headerSeen = false;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (!headerSeen) {
            if (raw != kHeader) return {};
            headerSeen = true;
            continue;
        }
        std::vector<std::string> f;
        for (std::string_view field : Fields(raw)) f.push_back(Unescape(field));
        if (f.empty()) continue;
        const std::string& kind = f[0];
        if (kind == "naptar" && f.size() == 2) {
            state.calendar = f[1];
        } else if (kind == "token" && f.size() == 2) {
            state.syncToken = f[1];
        } else if (kind == "egyeztetve" && f.size() == 2) {
            state.matched = f[1] == "1";
        } else if (kind == "esemeny" && f.size() == 6) {
            const auto date = ParseDate(f[4]);
            const auto hash = ParseHash(f[5]);
            if (!date || !hash || f[1].empty() || state.ByHref(f[1]) || state.ByDate(*date)) continue;
            state.records.push_back({f[1], f[2], Utf8ToWide(f[3]), *date, *hash});
        } else if (kind == "kerdes" && f.size() == 6) {
            const auto date = ParseDate(f[2]);
            if (!date || (f[1] != "jegyzet" && f[1] != "mindketto") || state.QuestionOn(*date)) continue;
            state.questions.push_back({f[1] == "jegyzet" ? SyncQuestion::Kind::NoteText : SyncQuestion::Kind::BothChanged,
                                       *date, f[3], f[4], f[5]});
        } else if (kind == "kihagyva" && f.size() == 3) {
            state.passedOver[f[1]] = f[2];
        }
    }
    return state;
}

std::wstring SyncStatePath(const std::wstring& programDir) {
    return EntryStore::DataDir(programDir) + L"\\" + kSyncStateFile;
}

SyncState LoadSyncState(const std::wstring& programDir) {
    const std::wstring path = SyncStatePath(programDir);
    try {
        if (!FileExists(path)) return {};
        return ParseSyncState(ReadWholeFile(path));
    } catch (const AppError&) {
        return {};
    }
}

void SaveSyncState(const std::wstring& programDir, const SyncState& state) {
    WriteFileAtomically(SyncStatePath(programDir), SyncStateText(state));
}
