#include "sync/dav_url.h"

#include <vector>

#include "platform/utf8.h"

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Lower(c);
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimmedAscii(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

void AppendEscape(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// The path with what a URL cannot carry as it is percent-encoded: blanks, control
// characters, non-ASCII bytes (some servers write hrefs in raw UTF-8) and a "%" that
// starts no escape. Escapes already there stay as they are.
std::string EncodeLoosePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        const bool escape = c == '%' && i + 2 < path.size() && IsHex(path[i + 1]) && IsHex(path[i + 2]);
        const bool unsafe = std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
        if (c <= 0x20 || c >= 0x7F || unsafe || (c == '%' && !escape))
            AppendEscape(out, c);
        else
            out += static_cast<char>(c);
    }
    return out;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && IsHex(text[i + 1]) && IsHex(text[i + 2])) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "." and ".." segments resolved as a browser does (RFC 3986, 5.2.4); the query after
// "?" is left alone.
std::string WithoutDotSegments(std::string_view pathAndQuery) {
    const size_t q = pathAndQuery.find('?');
    const std::string_view path = pathAndQuery.substr(0, q);
    std::vector<std::string_view> kept;
    bool trailingSlash = false;
    size_t i = 1;
    for (;;) {
        const size_t slash = path.find('/', i);
        const bool last = slash == std::string_view::npos;
        const std::string_view segment = path.substr(i, last ? std::string_view::npos : slash - i);
        if (segment == "." || segment == "..") {
            if (segment == ".." && !kept.empty()) kept.pop_back();
            trailingSlash = last;
        } else {
            kept.push_back(segment);
        }
        if (last) break;
        i = slash + 1;
    }
    std::string out;
    for (const std::string_view& segment : kept) (out += '/') += segment;
    if (out.empty() || trailingSlash) out += '/';
    if (q != std::string_view::npos) out += pathAndQuery.substr(q);
    return out;
}

bool ValidHostName(std::string_view host) {
    if (host.empty() || host.size() > 253) return false;
    size_t label = 0;
    for (char c : host) {
        if (c == '.') {
            if (label == 0) return false;
            label = 0;
        } else if (IsAlpha(c) || IsDigit(c) || c == '-' || c == '_') {
            ++label;
        } else {
            return false;
        }
    }
    return label > 0;
}

bool ValidIpv6(std::string_view bracketed) {
    if (bracketed.size() < 4 || bracketed.front() != '[' || bracketed.back() != ']') return false;
    bool colon = false;
    for (char c : bracketed.substr(1, bracketed.size() - 2)) {
        if (c == ':') colon = true;
        else if (!IsHex(c) && c != '.') return false;
    }
    return colon;
}

// The scheme at the start of `text` ("http" of "http://..."), or "" when it has none.
// A digit after the colon makes it a port ("localhost:5232").
std::string_view SchemeOf(std::string_view text) {
    if (text.empty() || !IsAlpha(text[0])) return {};
    size_t i = 1;
    auto schemeChar = [](char c) { return IsAlpha(c) || IsDigit(c) || c == '+' || c == '-' || c == '.'; };
    while (i < text.size() && schemeChar(text[i])) ++i;
    if (i == text.size() || text[i] != ':') return {};
    if (i + 1 < text.size() && IsDigit(text[i + 1])) return {};
    return text.substr(0, i);
}

int DefaultPort(const std::string& scheme) { return scheme == "https" ? 443 : 80; }

}  // namespace

std::optional<Url> ParseUrl(std::string_view text) {
    const size_t colon = text.find("://");
    if (colon == std::string_view::npos) return std::nullopt;
    Url url;
    url.scheme = LowerText(text.substr(0, colon));
    if (url.scheme != "http" && url.scheme != "https") return std::nullopt;
    std::string_view rest = text.substr(colon + 3);
    rest = rest.substr(0, rest.find('#'));
    const size_t authorityEnd = rest.find_first_of("/?");
    const std::string_view authority = rest.substr(0, authorityEnd);
    std::string_view path = authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);

    std::string_view host = authority, port;
    if (!authority.empty() && authority[0] == '[') {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = authority.substr(0, close + 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && after[0] != ':') return std::nullopt;
        if (!after.empty()) port = after.substr(1);
        if (!ValidIpv6(host)) return std::nullopt;
    } else {
        const size_t portColon = authority.find(':');
        if (portColon != std::string_view::npos) {
            host = authority.substr(0, portColon);
            port = authority.substr(portColon + 1);
        }
        if (!ValidHostName(host)) return std::nullopt;  // a user name ("@") ends here too
    }
    url.host = LowerText(host);
    url.port = DefaultPort(url.scheme);
    if (!port.empty()) {
        if (port.size() > 5) return std::nullopt;
        int value = 0;
        for (char c : port) {
            if (!IsDigit(c)) return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (value < 1 || value > 65535) return std::nullopt;
        url.port = value;
    }
    url.path = (path.empty() || path[0] != '/' ? "/" : "") + EncodeLoosePath(path);
    return url;
}

std::string UrlText(const Url& url) {
    std::string text = url.scheme + "://" + url.host;
    if (url.port != DefaultPort(url.scheme)) text += ":" + std::to_string(url.port);
    return text + url.path;
}

std::optional<std::string> AddressFromUserText(std::wstring_view text) {
    std::string utf8;
    ForEachCodePoint(text, [&](char32_t c) { AppendUtf8(utf8, c); });
    const std::string_view typed = TrimmedAscii(utf8);
    if (typed.empty()) return std::nullopt;
    const std::string_view scheme = SchemeOf(typed);
    std::optional<Url> url;
    if (scheme.empty())
        url = ParseUrl("https://" + std::string(typed));
    else if (typed.substr(scheme.size(), 3) == "://")
        url = ParseUrl(typed);
    if (!url) return std::nullopt;
    return UrlText(*url);
}

std::optional<std::string> ResolveHref(const std::string& base, std::string_view href) {
    const std::optional<Url> baseUrl = ParseUrl(base);
    href = TrimmedAscii(href);
    href = href.substr(0, href.find('#'));
    if (!baseUrl || href.empty()) return std::nullopt;
    Url url = *baseUrl;
    if (!SchemeOf(href).empty()) {
        std::optional<Url> absolute = ParseUrl(href);
        if (!absolute) return std::nullopt;
        url = std::move(*absolute);
    } else if (href.substr(0, 2) == "//") {
        std::optional<Url> sameScheme = ParseUrl(url.scheme + ":" + std::string(href));
        if (!sameScheme) return std::nullopt;
        url = std::move(*sameScheme);
    } else if (href[0] == '/') {
        url.path = EncodeLoosePath(href);
    } else {
        const std::string_view basePath = std::string_view(url.path).substr(0, url.path.find('?'));
        const std::string_view directory = href[0] == '?' ? basePath : basePath.substr(0, basePath.rfind('/') + 1);
        url.path = std::string(directory) + EncodeLoosePath(href);
    }
    url.path = WithoutDotSegments(url.path);
    return UrlText(url);
}

bool SameOrigin(std::string_view a, std::string_view b) {
    const std::optional<Url> x = ParseUrl(a), y = ParseUrl(b);
    return x && y && x->scheme == y->scheme && x->host == y->host && x->port == y->port;
}

bool SameResource(std::string_view a, std::string_view b) {
    if (!SameOrigin(a, b)) return false;
    auto comparable = [](std::string_view text) {
        std::string path = PercentDecoded(ParseUrl(text)->path);
        if (!path.empty() && path.back() == '/') path.pop_back();
        return path;
    };
    return comparable(a) == comparable(b);
}

std::string PercentEncodePathSegment(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        if (IsAlpha(c) || IsDigit(c) || c == '-' || c == '.' || c == '_' || c == '~')
            out += c;
        else
            AppendEscape(out, static_cast<unsigned char>(c));
    }
    return out;
}
