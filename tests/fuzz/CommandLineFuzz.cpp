// The command lines the client and the updater are started with.
#include "forms/core/CommandLine.h"
#include "tests/fuzz/FuzzText.h"
#include "update/core/UpdaterRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring commandLine = fuzz::WideText(fuzz::Bytes(data, size));
    const std::wstring tail = forms::ArgumentTail(commandLine);
    fuzz::Require(tail.size() <= commandLine.size());
    if (const auto argument = UpdaterRules::SplitArgument(tail)) {
        fuzz::Require(!argument->dir.empty() && argument->dir.back() == L'\\');
        // The elevated copy gets back the digest it was given.
        const UpdaterRules::Sha256 digest{0x5A, 0xA5};
        const auto elevated = UpdaterRules::SplitArgument(
            UpdaterRules::ElevatedArgument(*argument, argument->manifest, digest));
        fuzz::Require(elevated && elevated->elevated && elevated->manifestSha256 == digest);
    }
    return 0;
}
