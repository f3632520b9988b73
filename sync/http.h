// One HTTP exchange as the calendar sync sees it. The core speaks the protocol over
// this interface; the system's HTTP stack (platform/winhttp_transport) carries it, and
// the core's tests can put a server of their own behind it.
#pragma once

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct HttpRequest {
    std::string method;  // "PROPFIND", "REPORT", "GET", "PUT", "DELETE", "MKCALENDAR"
    std::string url;     // absolute: "https://host:port/path"
    std::vector<std::pair<std::string, std::string>> headers;  // e.g. {"Depth", "1"}, {"If-Match", "\"e1\""}
    std::string body;    // UTF-8
};

struct HttpResponse {
    int status = 0;
    std::map<std::string, std::string> headers;  // names in lower case ("etag", "location", ...)
    std::string body;
    std::string Header(const std::string& lowerName) const {
        auto it = headers.find(lowerName);
        return it == headers.end() ? std::string() : it->second;
    }
};

// A failure before an HTTP status came back: no connection, a timeout, a TLS error,
// too many redirects, a body over the limit. `what()` is a Hungarian sentence for the user.
class HttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // Sends the request and returns the final answer (redirects already followed, within
    // the limit). Throws HttpError when no answer came. Any thread; one call at a time.
    virtual HttpResponse Send(const HttpRequest& request) = 0;
};

// Limits against a server that answers with garbage.
struct HttpLimits {
    size_t maxBody = 32u << 20;   // bytes of one answer
    int maxRedirects = 5;
    int connectTimeoutMs = 10000;
    int receiveTimeoutMs = 30000;
};
