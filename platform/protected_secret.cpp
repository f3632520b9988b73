#include "platform/protected_secret.h"

#include <windows.h>

#include <wincrypt.h>

#include <string>

#include "platform/errors.h"

namespace {

// Mixed into the encryption, so another program of the same user that calls
// CryptUnprotectData on our registry value alone gets nothing.
constexpr std::string_view kEntropy = "Tivorn naptár-szinkron jelszó 1";

DATA_BLOB Blob(std::string_view bytes) {
    return {static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

// A buffer CryptProtectData/CryptUnprotectData allocated: wiped and LocalFree'd.
class SystemBlob {
public:
    SystemBlob() = default;
    SystemBlob(const SystemBlob&) = delete;
    SystemBlob& operator=(const SystemBlob&) = delete;
    ~SystemBlob() {
        if (blob.pbData) {
            SecureZeroMemory(blob.pbData, blob.cbData);
            LocalFree(blob.pbData);
        }
    }
    std::string Bytes() const { return {reinterpret_cast<const char*>(blob.pbData), blob.cbData}; }
    DATA_BLOB blob{};
};

[[noreturn]] void CannotRead(DWORD code) {
    throw AppError(L"A tárolt jelszó nem olvasható vissza (hibakód " + std::to_wstring(code) +
                   L"); add meg újra a jelszót.");
}

std::string Base64Decode(std::string_view text) {
    DWORD size = 0;
    const DWORD length = static_cast<DWORD>(text.size());
    if (text.empty() || !CryptStringToBinaryA(text.data(), length, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr))
        CannotRead(text.empty() ? ERROR_INVALID_DATA : GetLastError());
    std::string bytes(size, '\0');
    if (!CryptStringToBinaryA(text.data(), length, CRYPT_STRING_BASE64, reinterpret_cast<BYTE*>(bytes.data()), &size,
                              nullptr, nullptr))
        CannotRead(GetLastError());
    bytes.resize(size);
    return bytes;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    if (bytes.empty()) return {};
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    DWORD size = 0;
    if (!CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, nullptr, &size))
        throw AppError(L"A base64 kódolás nem sikerült (hibakód " + std::to_wstring(GetLastError()) + L").");
    std::string text(size, '\0');
    if (!CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, text.data(), &size))
        throw AppError(L"A base64 kódolás nem sikerült (hibakód " + std::to_wstring(GetLastError()) + L").");
    text.resize(size);
    // Some versions of crypt32 end the text with a line break even with NOCRLF.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\0')) text.pop_back();
    return text;
}

std::string ProtectSecret(std::string_view plain) {
    DATA_BLOB in = Blob(plain), entropy = Blob(kEntropy);
    SystemBlob out;
    if (!CryptProtectData(&in, L"Tivorn", &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob))
        throw AppError(L"A jelszó nem menthető titkosítva (hibakód " + std::to_wstring(GetLastError()) + L").");
    return Base64Encode(out.Bytes());
}

std::string UnprotectSecret(std::string_view stored) {
    const std::string sealed = Base64Decode(stored);
    DATA_BLOB in = Blob(sealed), entropy = Blob(kEntropy);
    SystemBlob out;
    if (!CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob))
        CannotRead(GetLastError());
    return out.Bytes();
}
