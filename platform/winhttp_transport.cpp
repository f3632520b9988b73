#include "platform/winhttp_transport.h"

#include <windows.h>

#include <versionhelpers.h>
#include <winhttp.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/protected_secret.h"
#include "ui/unique_handle.h"

namespace {

struct CloseInternet {
    void operator()(HINTERNET h) const { WinHttpCloseHandle(h); }
};
using InternetHandle = UniqueHandle<HINTERNET, CloseInternet>;

// Texts WinHTTP hands over in GlobalAlloc'd memory (proxy settings).
struct FreeGlobal {
    void operator()(wchar_t* p) const { GlobalFree(p); }
};
using GlobalText = UniqueHandle<wchar_t*, FreeGlobal>;

// A wide text that may hold the credentials: wiped when it goes.
struct WipedText {
    std::wstring text;
    ~WipedText() { SecureZeroMemory(text.data(), text.size() * sizeof(wchar_t)); }
};

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

struct Url {
    bool secure = false;
    std::string host;  // lower case, an IPv6 address without its brackets
    int port = 0;
    std::string path;  // from the first '/', with the query, without the fragment

    std::string HostPort() const {
        const bool v6 = host.find(':') != std::string::npos;
        return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
    }
    std::string Origin() const { return (secure ? "https://" : "http://") + HostPort(); }
    std::string Text() const { return Origin() + path; }
    bool Loopback() const { return host == "localhost" || host.starts_with("127.") || host == "::1"; }
};

std::optional<Url> ParseUrl(std::string_view text) {
    const auto schemeEnd = text.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    Url url;
    const std::string scheme = Lower(text.substr(0, schemeEnd));
    if (scheme == "https")
        url.secure = true;
    else if (scheme != "http")
        return std::nullopt;
    const std::string_view rest = text.substr(schemeEnd + 3);
    const auto authorityEnd = rest.find_first_of("/?#");
    const std::string_view authority = rest.substr(0, authorityEnd);
    if (authority.find('@') != std::string_view::npos) return std::nullopt;  // no credentials in addresses
    if (authorityEnd != std::string_view::npos) url.path = rest.substr(authorityEnd);
    url.path = url.path.substr(0, url.path.find('#'));
    if (!url.path.starts_with('/')) url.path.insert(0, "/");

    std::string_view portText;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        url.host = Lower(authority.substr(1, close - 1));
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !after.starts_with(':')) return std::nullopt;
        if (!after.empty()) portText = after.substr(1);
    } else {
        const auto colon = authority.rfind(':');
        url.host = Lower(authority.substr(0, colon));
        if (colon != std::string_view::npos) portText = authority.substr(colon + 1);
    }
    if (url.host.empty()) return std::nullopt;
    url.port = url.secure ? 443 : 80;
    if (!portText.empty()) {
        if (portText.size() > 5 || portText.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        url.port = std::atoi(std::string(portText).c_str());
        if (url.port < 1 || url.port > 65535) return std::nullopt;
    }
    return url;
}

// "/a/b/../c/./d" -> "/a/c/d" (the query, after '?', is left as it is).
std::string WithoutDotSegments(const std::string& path) {
    const size_t queryAt = std::min(path.find('?'), path.size());
    std::vector<std::string_view> kept;
    std::string_view rest = std::string_view(path).substr(1, queryAt - 1);
    bool endsInFolder = false;
    for (;;) {
        const size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        endsInFolder = segment == "." || segment == "..";
        if (segment == "..") {
            if (!kept.empty()) kept.pop_back();
        } else if (segment != ".") {
            kept.push_back(segment);
        }
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    std::string out;
    for (const std::string_view segment : kept) out.append("/").append(segment);
    if (out.empty() || endsInFolder) out += '/';
    return out + path.substr(queryAt);
}

// The address a Location header points to, which may be relative to the request's.
std::optional<Url> Resolve(const Url& base, std::string_view location) {
    const auto schemeEnd = location.find("://");
    if (schemeEnd != std::string_view::npos && location.find_first_of("/?#") > schemeEnd) return ParseUrl(location);
    if (location.starts_with("//")) return ParseUrl((base.secure ? "https:" : "http:") + std::string(location));
    Url next = base;
    const std::string_view reference = location.substr(0, location.find('#'));
    const std::string basePath = base.path.substr(0, base.path.find('?'));
    if (reference.empty())
        return next;
    else if (reference.starts_with('/'))
        next.path = reference;
    else if (reference.starts_with('?'))
        next.path = basePath + std::string(reference);
    else
        next.path = basePath.substr(0, basePath.rfind('/') + 1) + std::string(reference);
    next.path = WithoutDotSegments(next.path);
    return next;
}

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string SizeText(size_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MB" : std::to_string(bytes) + " bájt";
}

// Why the system refused the server's certificate, from the flags of the secure
// failure notice or, where it gave none, from the error code.
std::string TlsReason(DWORD code, DWORD flags) {
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_REVOKED || code == ERROR_WINHTTP_SECURE_CERT_REVOKED)
        return "a kiszolgáló tanúsítványát visszavonták";
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CA || code == ERROR_WINHTTP_SECURE_INVALID_CA)
        return "a kiszolgáló tanúsítványát nem megbízható kiadó állította ki";
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_CN_INVALID || code == ERROR_WINHTTP_SECURE_CERT_CN_INVALID)
        return "a kiszolgáló tanúsítványa más névre szól";
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_DATE_INVALID || code == ERROR_WINHTTP_SECURE_CERT_DATE_INVALID)
        return "a kiszolgáló tanúsítványa lejárt vagy még nem érvényes";
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_REV_FAILED || code == ERROR_WINHTTP_SECURE_CERT_REV_FAILED)
        return "a kiszolgáló tanúsítványának visszavonási állapota nem ellenőrizhető";
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_CERT_WRONG_USAGE || code == ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE)
        return "a kiszolgáló tanúsítványa nem erre a célra szól";
    if (flags & WINHTTP_CALLBACK_STATUS_FLAG_SECURITY_CHANNEL_ERROR || code == ERROR_WINHTTP_SECURE_CHANNEL_ERROR)
        return "a titkosított csatorna nem épült fel";
    return "a kiszolgáló tanúsítványa nem fogadható el";
}

bool IsTlsError(DWORD code) {
    switch (code) {
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
    case ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void Fail(DWORD code, const Url& url, DWORD tlsFlags = 0) {
    const std::string where = url.HostPort(), codeText = " (hibakód " + std::to_string(code) + ").";
    if (IsTlsError(code))
        throw HttpError("A biztonságos (TLS) kapcsolat nem jött létre a kiszolgálóval (" + where +
                        "): " + TlsReason(code, tlsFlags) + codeText);
    // Wine passes some socket errors on as they are.
    switch (code) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:
        throw HttpError("Időtúllépés: a kiszolgáló (" + where + ") nem válaszolt időben" + codeText);
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        throw HttpError("A kiszolgáló nem érhető el: a(z) " + url.host + " név nem található" + codeText);
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case WSAECONNREFUSED:
    case WSAEHOSTUNREACH:
    case WSAENETUNREACH:
        throw HttpError("A kiszolgáló nem érhető el: " + where + codeText);
    case ERROR_WINHTTP_CONNECTION_ERROR:
    case WSAECONNRESET:
    case WSAECONNABORTED:
        throw HttpError("A kapcsolat megszakadt a kiszolgálóval: " + where + codeText);
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        throw HttpError("A kiszolgáló érthetetlen választ adott: " + where + codeText);
    default:
        throw HttpError("A kérés nem jutott el a kiszolgálóhoz: " + where + codeText);
    }
}

void CALLBACK OnSecureFailure(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD length) {
    if (status == WINHTTP_CALLBACK_STATUS_SECURE_FAILURE && context && info && length >= sizeof(DWORD))
        *reinterpret_cast<DWORD*>(context) = *static_cast<const DWORD*>(info);
}

bool RunsOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

template <class T>
void SetOption(HINTERNET h, DWORD option, T value) {
    WinHttpSetOption(h, option, &value, sizeof(value));  // an option the system lacks is done without
}

// Lower-case names; a header that comes more than once is joined with ", ".
std::map<std::string, std::string> ParseHeaders(const std::wstring& raw) {
    std::map<std::string, std::string> headers;
    const std::string text = WideToUtf8(raw);
    size_t start = text.find("\r\n");  // after the status line
    while (start != std::string::npos && start + 2 < text.size()) {
        start += 2;
        const size_t end = text.find("\r\n", start);
        const std::string_view line = std::string_view(text).substr(start, end - start);
        if (const auto colon = line.find(':'); colon != std::string_view::npos && colon > 0) {
            std::string& value = headers[Lower(Trim(line.substr(0, colon)))];
            value += (value.empty() ? "" : ", ") + Trim(line.substr(colon + 1));
        }
        start = end;
    }
    return headers;
}

// A proxy for one origin, found through the automatic configuration (WPAD or a PAC
// file): `access` 0 leaves the session's own.
struct ProxyChoice {
    DWORD access = 0;
    std::wstring proxy, bypass;
};

}  // namespace

struct WinHttpTransport::Impl {
    WipedText credentials;  // "Authorization: Basic …\r\n"
    HttpLimits limits;
    std::string origin;  // of the first request: the only one the credentials go to
    InternetHandle session;
    // Where WinHTTP cannot follow the system's proxy settings itself (before Windows 8.1)
    // the automatic ones are resolved here, per origin.
    bool autoDetect = false;
    std::wstring autoConfigUrl;
    std::map<std::string, ProxyChoice> proxies;
    std::map<std::string, InternetHandle> connections;  // by host and port, closed before the session

    void OpenSession();
    HINTERNET Connection(const Url& url);
    void ApplyProxy(HINTERNET request, const Url& url);
    HttpResponse Exchange(const std::string& method, const Url& url,
                          const std::vector<std::pair<std::string, std::string>>& headers, const std::string& body);
    void ReadBody(HINTERNET request, const Url& url, HttpResponse& response) const;
};

void WinHttpTransport::Impl::OpenSession() {
    if (session) return;
    const wchar_t* agent = L"Tivorn/2.3";
    // Wine's WinHTTP takes the automatic type but then goes direct, past the proxy
    // it knows (its registry setting, the http_proxy variable): there the settings are read here.
    if (!RunsOnWine())
        session.Reset(WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie{};
        if (WinHttpGetIEProxyConfigForCurrentUser(&ie)) {
            GlobalText configUrl(ie.lpszAutoConfigUrl), proxy(ie.lpszProxy), bypass(ie.lpszProxyBypass);
            autoDetect = ie.fAutoDetect;
            if (configUrl) autoConfigUrl = configUrl.Get();
            if (proxy && *proxy.Get())
                session.Reset(WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.Get(),
                                          bypass ? bypass.Get() : WINHTTP_NO_PROXY_BYPASS, 0));
        }
        if (!session)
            session.Reset(WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                      WINHTTP_NO_PROXY_BYPASS, 0));
        if (!session)
            throw HttpError("A rendszer HTTP-szolgáltatása nem indul (hibakód " + std::to_string(GetLastError()) + ").");
    }
    WinHttpSetTimeouts(session.Get(), limits.connectTimeoutMs, limits.connectTimeoutMs, limits.receiveTimeoutMs,
                       limits.receiveTimeoutMs);
    SetOption<DWORD>(session.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, limits.receiveTimeoutMs);
    SetOption<DWORD>(session.Get(), WINHTTP_OPTION_REDIRECT_POLICY, WINHTTP_OPTION_REDIRECT_POLICY_NEVER);
    // Windows 7's WinHTTP speaks only TLS 1.0 unless asked for more (where its update
    // for TLS 1.1 and 1.2 is installed); later versions choose well themselves.
    if (!IsWindows8OrGreater())
        SetOption<DWORD>(session.Get(), WINHTTP_OPTION_SECURE_PROTOCOLS,
                         WINHTTP_FLAG_SECURE_PROTOCOL_TLS1 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_1 |
                             WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2);
}

HINTERNET WinHttpTransport::Impl::Connection(const Url& url) {
    InternetHandle& connection = connections[url.HostPort()];
    if (!connection) {
        connection.Reset(WinHttpConnect(session.Get(), Utf8ToWide(url.host).c_str(),
                                        static_cast<INTERNET_PORT>(url.port), 0));
        if (!connection) Fail(GetLastError(), url);
    }
    return connection.Get();
}

void WinHttpTransport::Impl::ApplyProxy(HINTERNET request, const Url& url) {
    if (url.Loopback()) {  // a server on this computer is never reached through a proxy
        WINHTTP_PROXY_INFO direct{WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr};
        SetOption(request, WINHTTP_OPTION_PROXY, direct);
        return;
    }
    if (!autoDetect && autoConfigUrl.empty()) return;
    auto [it, added] = proxies.try_emplace(url.Origin());
    if (added) {
        WINHTTP_AUTOPROXY_OPTIONS options{};
        options.dwFlags = (autoDetect ? WINHTTP_AUTOPROXY_AUTO_DETECT : 0) |
                          (autoConfigUrl.empty() ? 0 : WINHTTP_AUTOPROXY_CONFIG_URL);
        options.dwAutoDetectFlags = autoDetect ? WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A : 0;
        options.lpszAutoConfigUrl = autoConfigUrl.empty() ? nullptr : autoConfigUrl.c_str();
        options.fAutoLogonIfChallenged = TRUE;
        WINHTTP_PROXY_INFO info{};
        if (WinHttpGetProxyForUrl(session.Get(), Utf8ToWide(url.Text()).c_str(), &options, &info)) {
            GlobalText proxy(info.lpszProxy), bypass(info.lpszProxyBypass);
            if (info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && proxy) {
                it->second = {WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.Get(), bypass ? bypass.Get() : L""};
            } else {
                it->second.access = WINHTTP_ACCESS_TYPE_NO_PROXY;  // the script said DIRECT
            }
        }  // else no script found: the session's own setting
    }
    ProxyChoice& choice = it->second;
    if (choice.access == 0) return;
    WINHTTP_PROXY_INFO info{choice.access, choice.proxy.empty() ? nullptr : choice.proxy.data(),
                            choice.bypass.empty() ? nullptr : choice.bypass.data()};
    SetOption(request, WINHTTP_OPTION_PROXY, info);
}

HttpResponse WinHttpTransport::Impl::Exchange(const std::string& method, const Url& url,
                                              const std::vector<std::pair<std::string, std::string>>& headers,
                                              const std::string& body) {
    WipedText head;
    for (const auto& [name, value] : headers) head.text += Utf8ToWide(name) + L": " + Utf8ToWide(value) + L"\r\n";
    if (url.Origin() == origin) head.text += credentials.text;

    DWORD tlsFlags = 0;  // filled by OnSecureFailure
    const HINTERNET connection = Connection(url);
    InternetHandle request(WinHttpOpenRequest(connection, Utf8ToWide(method).c_str(), Utf8ToWide(url.path).c_str(),
                                              nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              url.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request) Fail(GetLastError(), url);
    SetOption<DWORD>(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_REDIRECTS);
    // Never the Windows logon (NTLM, Kerberos) to a server that asks: only our Basic credentials.
    SetOption<DWORD>(request.Get(), WINHTTP_OPTION_AUTOLOGON_POLICY, WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH);
    ApplyProxy(request.Get(), url);
    if (url.secure) {
        SetOption(request.Get(), WINHTTP_OPTION_CONTEXT_VALUE, reinterpret_cast<DWORD_PTR>(&tlsFlags));
        WinHttpSetStatusCallback(request.Get(), OnSecureFailure, WINHTTP_CALLBACK_FLAG_SECURE_FAILURE, 0);
    }

    auto send = [&] {
        return WinHttpSendRequest(request.Get(), head.text.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : head.text.c_str(),
                                  head.text.empty() ? 0 : static_cast<DWORD>(-1),
                                  body.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(body.data()),
                                  static_cast<DWORD>(body.size()), static_cast<DWORD>(body.size()), 0);
    };
    BOOL sent = send();
    if (!sent && GetLastError() == ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED) {
        // A server that asks for a client certificate but takes an answer without one.
        WinHttpSetOption(request.Get(), WINHTTP_OPTION_CLIENT_CERT_CONTEXT, WINHTTP_NO_CLIENT_CERT_CONTEXT, 0);
        sent = send();
    }
    BOOL received = sent && WinHttpReceiveResponse(request.Get(), nullptr);
    // WinHTTP asks for the request again after it has renegotiated the TLS session.
    for (int again = 0; sent && !received && GetLastError() == ERROR_WINHTTP_RESEND_REQUEST && again < 2; ++again)
        received = (sent = send()) && WinHttpReceiveResponse(request.Get(), nullptr);
    if (!received) Fail(GetLastError(), url, tlsFlags);

    HttpResponse response;
    DWORD status = 0, size = sizeof(status);
    if (!WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        Fail(GetLastError(), url);
    response.status = static_cast<int>(status);
    DWORD bytes = 0;
    WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &bytes, WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
        if (WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                                raw.data(), &bytes, WINHTTP_NO_HEADER_INDEX)) {
            raw.resize(bytes / sizeof(wchar_t));
            response.headers = ParseHeaders(raw);
        }
    }
    // A redirect's own body is of no use; the next request goes on.
    if (!(IsRedirect(response.status) && !response.Header("location").empty()))
        ReadBody(request.Get(), url, response);
    return response;
}

void WinHttpTransport::Impl::ReadBody(HINTERNET request, const Url& url, HttpResponse& response) const {
    const auto tooBig = [&] {
        throw HttpError("A kiszolgáló válasza túl nagy (több mint " + SizeText(limits.maxBody) + "): " + url.Text());
    };
    if (const std::string length = response.Header("content-length"); !length.empty()) {
        const unsigned long long announced = std::strtoull(length.c_str(), nullptr, 10);
        if (announced > limits.maxBody) tooBig();
        response.body.reserve(static_cast<size_t>(announced));
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &got))
            Fail(GetLastError(), url);
        if (got == 0) break;
        if (response.body.size() + got > limits.maxBody) tooBig();
        response.body.append(buffer.data(), got);
    }
}

WinHttpTransport::WinHttpTransport(std::string user, std::string password, HttpLimits limits)
    : impl_(std::make_unique<Impl>()) {
    impl_->limits = limits;
    std::string pair = user + ":" + password;
    std::string encoded = Base64Encode(pair);
    impl_->credentials.text = L"Authorization: Basic " + Utf8ToWide(encoded) + L"\r\n";
    for (std::string* secret : {&user, &password, &pair, &encoded}) SecureZeroMemory(secret->data(), secret->size());
}

WinHttpTransport::~WinHttpTransport() = default;

HttpResponse WinHttpTransport::Send(const HttpRequest& request) {
    std::optional<Url> url = ParseUrl(request.url);
    if (!url) throw HttpError("Érvénytelen kiszolgálócím: " + request.url);
    impl_->OpenSession();
    if (impl_->origin.empty()) impl_->origin = url->Origin();

    std::string method = request.method;
    auto headers = request.headers;
    bool withBody = true;
    for (int redirects = 0;; ++redirects) {
        HttpResponse response = impl_->Exchange(method, *url, headers, withBody ? request.body : std::string());
        const std::string location = response.Header("location");
        if (!IsRedirect(response.status) || location.empty()) return response;
        if (redirects >= impl_->limits.maxRedirects)
            throw HttpError("Túl sok átirányítás (több mint " + std::to_string(impl_->limits.maxRedirects) +
                            "): " + request.url);
        url = Resolve(*url, location);
        if (!url) throw HttpError("A kiszolgáló érvénytelen címre irányított át: " + location);
        if (response.status == 303 && method != "HEAD") {  // "see other": fetch the answer
            method = "GET";
            withBody = false;
            std::erase_if(headers, [](const auto& h) { return Lower(h.first) == "content-type"; });
        }
    }
}
