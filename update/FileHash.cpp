#include "update/FileHash.h"

#include "forms/Handles.h"
#include "update/Bcrypt.h"

#include <windows.h>

#include <bcrypt.h>

#include <memory>
#include <vector>

using bcrypt::Succeeded;

namespace {

std::optional<UpdaterRules::Sha256> Finish(const bcrypt::Hash& hash) {
    UpdaterRules::Sha256 digest{};
    if (!Succeeded(
            BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0))) {
        return std::nullopt;
    }
    return digest;
}

} // namespace

std::optional<UpdaterRules::Sha256> FileSha256(const std::wstring& path) {
    forms::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    const bcrypt::Algorithm algorithm = bcrypt::Open(BCRYPT_SHA256_ALGORITHM);
    const bcrypt::Hash hash = bcrypt::NewSha256(algorithm);
    if (!file || !hash) {
        return std::nullopt;
    }
    std::vector<UCHAR> block(64 * 1024);
    DWORD got = 0;
    while (ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr) !=
               FALSE &&
           got > 0) {
        if (!Succeeded(BCryptHashData(hash.get(), block.data(), got, 0))) {
            return std::nullopt;
        }
    }
    return Finish(hash);
}

std::optional<UpdaterRules::Sha256> BytesSha256(std::string_view bytes) {
    const bcrypt::Algorithm algorithm = bcrypt::Open(BCRYPT_SHA256_ALGORITHM);
    const bcrypt::Hash hash = bcrypt::NewSha256(algorithm);
    // The input is only read, whatever the parameter's type says.
    auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
    if (!hash ||
        !Succeeded(BCryptHashData(hash.get(), data, static_cast<ULONG>(bytes.size()), 0))) {
        return std::nullopt;
    }
    return Finish(hash);
}
