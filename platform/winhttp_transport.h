// The calendar sync's HTTP over the system's WinHTTP: the system's proxy settings,
// its TLS and certificate store, and one session per account whose connections are
// kept for reuse. Redirects are followed here (not by WinHTTP), so the credentials
// never go to a server other than the account's.
#pragma once

#include <memory>
#include <string>

#include "sync/http.h"

class WinHttpTransport : public HttpTransport {
public:
    // `user` and `password` (UTF-8) go as Basic credentials with every request to the
    // origin (scheme, host, port) of the first request sent, and to no other origin.
    WinHttpTransport(std::string user, std::string password, HttpLimits limits = {});
    ~WinHttpTransport() override;
    WinHttpTransport(const WinHttpTransport&) = delete;
    WinHttpTransport& operator=(const WinHttpTransport&) = delete;

    HttpResponse Send(const HttpRequest& request) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
