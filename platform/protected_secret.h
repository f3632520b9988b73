// The sync account's password at rest: encrypted by the system for the current user
// (CryptProtectData, no UI, with an entropy string of the program's own) and kept as
// base64 text in the registry. It is never stored as plain text.
#pragma once

#include <string>
#include <string_view>

// The stored form of a password (UTF-8 in, base64 text out).
std::string ProtectSecret(std::string_view plain);
// The password back from its stored form. Throws AppError (platform/errors.h) when the
// text is damaged or was protected by another user or on another computer.
std::string UnprotectSecret(std::string_view stored);

// Bytes as one line of base64 text (crypt32's coder; also the Basic credentials of HTTP).
std::string Base64Encode(std::string_view bytes);
