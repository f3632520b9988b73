#include "store/ics_reader.h"

#include "platform/text_file.h"

namespace {

std::string UpperAscii(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::wstring Trimmed(std::wstring_view text) {
    size_t first = 0, last = text.size();
    while (first < last && (text[first] == L' ' || text[first] == L'\t')) ++first;
    while (last > first && (text[last - 1] == L' ' || text[last - 1] == L'\t' || text[last - 1] == L'\r')) --last;
    return std::wstring(text.substr(first, last - first));
}

std::wstring LineError(size_t line, const std::wstring& what) {
    return L"Az iCalendar fájl hibás a(z) " + std::to_wstring(line) + L". sorban: " + what;
}

// One logical line split into name, parameters and value. A line without a colon
// outside quotes is no content line.
bool SplitContentLine(std::wstring_view line, IcsProperty& property) {
    size_t i = 0;
    while (i < line.size() && line[i] != L';' && line[i] != L':') ++i;
    if (i == line.size()) return false;
    property.name = UpperAscii(Trimmed(line.substr(0, i)));
    property.parameters.clear();
    while (line[i] == L';') {
        const size_t nameStart = ++i;
        while (i < line.size() && line[i] != L'=' && line[i] != L';' && line[i] != L':') ++i;
        if (i == line.size()) return false;
        IcsParameter parameter;
        parameter.name = UpperAscii(Trimmed(line.substr(nameStart, i - nameStart)));
        if (line[i] == L'=') {
            ++i;
            // Values: plain text up to ";", ":" or ",", or quoted; a list keeps its commas.
            while (i < line.size() && line[i] != L';' && line[i] != L':') {
                if (line[i] == L'"') {
                    const size_t close = line.find(L'"', i + 1);
                    if (close == std::wstring_view::npos) return false;
                    parameter.value.append(line.substr(i + 1, close - i - 1));
                    i = close + 1;
                } else {
                    parameter.value += line[i++];
                }
            }
            if (i == line.size()) return false;
        }
        property.parameters.push_back(std::move(parameter));
    }
    property.value.assign(line.substr(i + 1));
    while (!property.value.empty() && property.value.back() == L'\r') property.value.pop_back();
    return !property.name.empty();
}

class Reader {
public:
    Reader(const IcsLimits& limits) : limits_(limits) {}

    IcsComponent Read(const std::wstring& text) {
        // Physical lines end at LF (CR LF or bare); a line starting with a blank or
        // a tab continues the one before.
        std::wstring logical;
        size_t logicalLine = 0, lineNo = 0;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find(L'\n', pos);
            if (end == std::wstring::npos) end = text.size();
            std::wstring_view line(text.data() + pos, end - pos);
            if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
            ++lineNo;
            pos = end + 1;
            if (!line.empty() && (line[0] == L' ' || line[0] == L'\t')) {
                if (logicalLine != 0) logical.append(line.substr(1));
                continue;
            }
            if (logicalLine != 0) Take(logical, logicalLine);
            logical.assign(line);
            logicalLine = lineNo;
        }
        if (logicalLine != 0) Take(logical, logicalLine);
        if (!stack_.empty()) {
            throw IcsError(L"Az iCalendar fájl csonka: a(z) " + std::to_wstring(stack_.back().line) +
                           L". sorban kezdődő " + std::wstring(stack_.back().name.begin(), stack_.back().name.end()) +
                           L" elemnek nincs vége.");
        }
        if (!seenCalendar_) throw IcsError(L"A fájl nem iCalendar naptár: nincs benne BEGIN:VCALENDAR sor.");
        return std::move(calendar_);
    }

private:
    void Take(const std::wstring& line, size_t lineNo) {
        if (line.empty()) return;
        IcsProperty property;
        if (!SplitContentLine(line, property)) return;  // not a content line: passed over
        property.line = lineNo;
        if (property.name == "BEGIN") {
            Begin(UpperAscii(Trimmed(property.value)), lineNo);
        } else if (property.name == "END") {
            End(UpperAscii(Trimmed(property.value)), lineNo);
        } else if (!stack_.empty()) {
            if (++properties_ > limits_.maxProperties)
                throw IcsError(L"Az iCalendar fájlban túl sok sor van: legfeljebb " +
                               std::to_wstring(limits_.maxProperties) + L" olvasható be.");
            stack_.back().properties.push_back(std::move(property));
        }
        // Properties outside VCALENDAR belong to nothing.
    }

    void Begin(std::string name, size_t lineNo) {
        if (stack_.empty() && name != "VCALENDAR") {
            throw IcsError(LineError(lineNo, L"a BEGIN:" + std::wstring(name.begin(), name.end()) +
                                                 L" sor egy naptáron kívül áll."));
        }
        if (stack_.size() >= limits_.maxDepth)
            throw IcsError(LineError(lineNo, L"túl mélyen egymásba ágyazott elemek."));
        if (++components_ > limits_.maxComponents)
            throw IcsError(L"Az iCalendar fájlban túl sok elem van: legfeljebb " +
                           std::to_wstring(limits_.maxComponents) + L" olvasható be.");
        IcsComponent component;
        component.name = std::move(name);
        component.line = lineNo;
        stack_.push_back(std::move(component));
    }

    void End(const std::string& name, size_t lineNo) {
        if (stack_.empty() || stack_.back().name != name)
            throw IcsError(LineError(lineNo, L"az END:" + std::wstring(name.begin(), name.end()) +
                                                 L" sor nem zár le nyitott elemet."));
        IcsComponent done = std::move(stack_.back());
        stack_.pop_back();
        if (!stack_.empty()) {
            stack_.back().children.push_back(std::move(done));
        } else if (!seenCalendar_) {
            calendar_ = std::move(done);
            seenCalendar_ = true;
        } else {
            // Calendars written one after the other into one file are read as one.
            for (auto& p : done.properties) calendar_.properties.push_back(std::move(p));
            for (auto& c : done.children) calendar_.children.push_back(std::move(c));
        }
    }

    const IcsLimits& limits_;
    std::vector<IcsComponent> stack_;
    IcsComponent calendar_;
    bool seenCalendar_ = false;
    size_t components_ = 0;
    size_t properties_ = 0;
};

}  // namespace

std::wstring IcsProperty::Parameter(std::string_view name) const {
    for (const IcsParameter& p : parameters)
        if (p.name == name) return p.value;
    return {};
}

const IcsProperty* IcsComponent::Find(std::string_view name) const {
    for (const IcsProperty& p : properties)
        if (p.name == name) return &p;
    return nullptr;
}

std::wstring IcsComponent::Text(std::string_view name) const {
    const IcsProperty* p = Find(name);
    return p ? UnescapeIcsText(p->value) : std::wstring();
}

void CheckIcsSize(uint64_t size, const IcsLimits& limits) {
    if (size > limits.maxBytes) {
        throw IcsError(L"Az iCalendar fájl túl nagy: legfeljebb " + std::to_wstring(limits.maxBytes >> 20) +
                       L" MB olvasható be.");
    }
}

IcsComponent ReadIcs(std::string_view bytes, const IcsLimits& limits) {
    CheckIcsSize(bytes.size(), limits);
    return Reader(limits).Read(DecodeTextFile(bytes));
}

std::wstring UnescapeIcsText(std::wstring_view value) {
    std::wstring out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != L'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const wchar_t next = value[++i];
        out += next == L'n' || next == L'N' ? L'\n' : next;
    }
    return out;
}

std::vector<std::wstring> SplitIcsList(std::wstring_view value) {
    std::vector<std::wstring> items(1);
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == L'\\' && i + 1 < value.size()) {
            items.back() += value[i];
            items.back() += value[++i];
        } else if (value[i] == L',') {
            items.emplace_back();
        } else {
            items.back() += value[i];
        }
    }
    return items;
}
