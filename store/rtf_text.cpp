#include "store/rtf_text.h"

#include <cstdint>
#include <string>
#include <vector>

#include "editors/note_format.h"
#include "platform/codec1250.h"
#include "platform/utf8.h"

namespace {

// Destinations whose text is not part of the document's visible text.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {
        "fonttbl", "colortbl", "stylesheet", "info",    "pict",   "object",  "header",   "footer",
        "headerl", "headerr",  "headerf",    "footerl", "footerr", "footerf", "footnote", "pntext",
        "listtext", "themedata", "colorschememapping", "datastore", "latentstyles", "xmlnstbl",
        "listtable", "listoverridetable", "rsidtbl", "generator", "filetbl", "revtbl", "fldinst",
    };
    for (std::string_view skipped : kSkipped)
        if (word == skipped) return true;
    return false;
}

// A few control words stand for one character of their own.
wchar_t SymbolOf(std::string_view word) {
    if (word == "emdash") return 0x2014;
    if (word == "endash") return 0x2013;
    if (word == "bullet") return 0x2022;
    if (word == "lquote") return 0x2018;
    if (word == "rquote") return 0x2019;
    if (word == "ldblquote") return 0x201C;
    if (word == "rdblquote") return 0x201D;
    if (word == "emspace" || word == "enspace" || word == "qmspace") return L' ';
    return 0;
}

// The 256 characters of Windows-1250, decoded once.
const std::wstring& Windows1250() {
    static const std::wstring table = [] {
        std::string bytes(256, '\0');
        for (int i = 0; i < 256; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(i);
        return DecodeCp1250(bytes);
    }();
    return table;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
public:
    explicit Reader(std::string_view rtf) : in_(rtf) {}

    std::wstring Read() {
        out_.reserve(in_.size() / 2);
        while (pos_ < in_.size()) {
            char c = in_[pos_++];
            switch (c) {
                case '{':
                    fallbackLeft_ = 0;  // the fallback of a \uN never reaches past a brace
                    stack_.push_back(state_);
                    state_.destinationPending = true;
                    break;
                case '}':
                    fallbackLeft_ = 0;
                    if (!stack_.empty()) {
                        state_ = stack_.back();
                        stack_.pop_back();
                        // The document's own group has closed: what follows (the rich-edit
                        // control adds a NUL) is not part of it.
                        if (stack_.empty()) return out_;
                    }
                    break;
                case '\\':
                    ControlSequence();
                    break;
                case '\0':
                case '\r':
                case '\n':
                    break;  // line breaks of the file itself mean nothing; NUL is never text
                default:
                    state_.destinationPending = false;
                    Byte(static_cast<unsigned char>(c));
                    PlainRun();
                    break;
            }
        }
        return out_;
    }

private:
    struct State {
        bool skip = false;               // inside a destination that is not shown
        bool destinationPending = false; // nothing but control words seen in the group yet
        int unicodeSkip = 1;             // \ucN: fallback characters after each \uN
    };

    void Emit(wchar_t c) {
        if (!state_.skip) out_ += c;
    }

    // A UTF-16 unit of \uN: where wchar_t holds whole code points, a surrogate pair
    // becomes the one character it stands for.
    void EmitUnit(char32_t unit) {
        if constexpr (sizeof(wchar_t) == 4) {
            if (unit >= 0xDC00 && unit <= 0xDFFF && !state_.skip && !out_.empty()) {
                const auto high = static_cast<char32_t>(out_.back());
                if (high >= 0xD800 && high <= 0xDBFF) {
                    out_.back() = static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
                    return;
                }
            }
        }
        Emit(static_cast<wchar_t>(unit));
    }

    // One character of the document (a plain byte or \'xx): either the fallback of
    // the last \uN, which is dropped, or Windows-1250 text.
    void Byte(unsigned char b) {
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return;
        }
        if (state_.skip) return;
        out_ += Windows1250()[b];
    }

    // The rest of a run of ordinary text, in one go: most of a note is such runs.
    void PlainRun() {
        if (state_.skip || fallbackLeft_ > 0) return;
        const auto& table = Windows1250();
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\0') break;
            out_ += table[static_cast<unsigned char>(c)];
            ++pos_;
        }
    }

    void ControlSequence() {
        if (pos_ >= in_.size()) return;
        char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
        std::string_view word = in_.substr(start, pos_ - start);
        bool hasParameter = false;
        bool negative = false;
        int64_t parameter = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParameter = true;
            if (parameter < 100000000) parameter = parameter * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (negative) parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting blank belongs to the word
        ControlWord(word, hasParameter, parameter);
    }

    void ControlSymbol(char c) {
        switch (c) {
            case '\'': {
                int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
                int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
                if (high < 0 || low < 0) return;
                pos_ += 2;
                state_.destinationPending = false;
                Byte(static_cast<unsigned char>(high * 16 + low));
                return;
            }
            case '*':
                // An optional destination: a reader that does not know it skips it,
                // and this one shows none of them.
                state_.skip = true;
                return;
            case '\\':
            case '{':
            case '}':
                state_.destinationPending = false;
                Byte(static_cast<unsigned char>(c));
                return;
            case '~':
                Fallback(0x00A0);
                return;
            case '_':
                Fallback(0x2011);
                return;
            case '\r':
            case '\n':
                Fallback(L'\n');  // "\" before a line break is an old spelling of \par
                return;
            default:
                return;  // \- (optional hyphen), \| and the rest show nothing
        }
    }

    // Characters that count as one fallback character when they follow \uN.
    void Fallback(wchar_t c) {
        state_.destinationPending = false;
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return;
        }
        Emit(c);
    }

    void ControlWord(std::string_view word, bool hasParameter, int64_t parameter) {
        bool atGroupStart = state_.destinationPending;
        state_.destinationPending = false;
        if (atGroupStart && IsSkippedDestination(word)) {
            state_.skip = true;
            return;
        }
        if (word == "bin") {
            // Binary data: the given number of bytes, whatever they are.
            size_t length = hasParameter && parameter > 0 ? static_cast<size_t>(parameter) : 0;
            pos_ = length > in_.size() - pos_ ? in_.size() : pos_ + length;
            return;
        }
        if (word == "uc") {
            state_.unicodeSkip = hasParameter && parameter >= 0 ? static_cast<int>(parameter) : 1;
            return;
        }
        if (word == "u" && hasParameter) {
            int32_t unit = static_cast<int32_t>(parameter);
            if (unit < 0) unit += 65536;
            fallbackLeft_ = 0;
            if (unit >= 0 && unit <= 0xFFFF) EmitUnit(static_cast<char32_t>(unit));
            fallbackLeft_ = state_.unicodeSkip;
            return;
        }
        // Any other control word ends the fallback of a \uN: it counts as one character.
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return;
        }
        if (word == "par" || word == "line" || word == "row" || word == "sect" || word == "page") {
            Emit(L'\n');
        } else if (word == "tab" || word == "cell") {
            Emit(L'\t');
        } else if (wchar_t symbol = SymbolOf(word)) {
            Emit(symbol);
        }
    }

    std::string_view in_;
    size_t pos_ = 0;
    State state_;
    std::vector<State> stack_;
    int fallbackLeft_ = 0;
    std::wstring out_;
};

}  // namespace

std::wstring RtfToPlainText(std::string_view rtf) {
    if (rtf.substr(0, 5) != "{\\rtf") return DecodeCp1250(rtf);
    return Reader(rtf).Read();
}

std::string PlainTextToRtf(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl{\\f0\\fnil\\fcharset238 ";
    for (const wchar_t* face = kNoteFace; *face; ++face) rtf += static_cast<char>(*face);  // ASCII
    rtf += ";}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs" + std::to_string(kNotePoints * 2) + " ";
    bool afterCr = false;
    ForEachCodePoint(text, [&](char32_t c) {
        const bool lfOfCrLf = afterCr && c == U'\n';
        afterCr = c == U'\r';
        if (lfOfCrLf) return;
        switch (c) {
            case U'\r':
            case U'\n': rtf += "\\par\r\n"; return;
            case U'\t': rtf += "\\tab "; return;
            case U'\\':
            case U'{':
            case U'}':
                rtf += '\\';
                rtf += static_cast<char>(c);
                return;
            default: break;
        }
        if (c < 0x20) return;
        if (c < 0x80) {
            rtf += static_cast<char>(c);
            return;
        }
        size_t missing = 0;
        const std::string byte = c <= 0xFFFF ? EncodeCp1250(std::wstring(1, static_cast<wchar_t>(c)), &missing) : "";
        if (c <= 0xFFFF && missing == 0) {
            rtf += "\\'";
            rtf += kHex[static_cast<unsigned char>(byte[0]) >> 4];
            rtf += kHex[static_cast<unsigned char>(byte[0]) & 0xF];
            return;
        }
        // \uN takes a signed 16-bit number; a character beyond the BMP is its surrogate pair.
        auto unit = [&](char32_t u) { rtf += "\\u" + std::to_string(static_cast<int16_t>(static_cast<uint16_t>(u))) + "?"; };
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    });
    rtf += "\\par\r\n}\r\n";
    return rtf;
}
