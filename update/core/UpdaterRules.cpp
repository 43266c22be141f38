#include "update/core/UpdaterRules.h"

#include "forms/core/Text.h"
#include "update/core/CommitJournal.h"
#include "update/core/UpdateRules.h"

#include <algorithm>

namespace UpdaterRules {

namespace {

std::wstring_view Unquoted(std::wstring_view text) {
    text = forms::Trim(text, L" \t");
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

std::vector<std::wstring_view> Fields(std::wstring_view line) {
    std::vector<std::wstring_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t bar = line.find(L'|', start);
        fields.push_back(line.substr(start, bar == std::wstring_view::npos ? bar : bar - start));
        if (bar == std::wstring_view::npos) {
            return fields;
        }
        start = bar + 1;
    }
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    c = forms::LowerAscii(c);
    return c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
}

std::optional<Sha256> ParseSha256(std::wstring_view hex) {
    Sha256 digest{};
    if (hex.size() != 2 * digest.size()) {
        return std::nullopt;
    }
    for (std::size_t b = 0; b < digest.size(); ++b) {
        const int high = HexDigit(hex[2 * b]);
        const int low = HexDigit(hex[2 * b + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        digest[b] = static_cast<unsigned char>(high * 16 + low);
    }
    return digest;
}

// Nothing when absent; `bad` when present but malformed.
std::optional<Sha256> HashField(const std::vector<std::wstring_view>& fields, bool& bad) {
    constexpr std::wstring_view key = L"sha256=";
    for (std::size_t i = 2; i < fields.size(); ++i) {
        const std::wstring_view field = Unquoted(fields[i]);
        if (forms::StartsWithNoCase(field, key)) {
            const std::optional<Sha256> digest = ParseSha256(field.substr(key.size()));
            bad = !digest;
            return digest;
        }
    }
    return std::nullopt;
}

bool IsWebUrl(std::wstring_view url) {
    return forms::StartsWithNoCase(url, L"http://") || forms::StartsWithNoCase(url, L"https://");
}

} // namespace

std::optional<Argument> SplitArgument(std::wstring_view tail) {
    // Quotes cannot be part of a path: whatever quoting the tail arrived
    // with, as a whole or piece by piece, is dropped.
    std::wstring bare(tail);
    bare.erase(std::remove(bare.begin(), bare.end(), L'"'), bare.end());
    const std::vector<std::wstring_view> pieces = Fields(bare);
    const auto piece = [&pieces](std::size_t i) {
        return i < pieces.size() ? std::wstring(Unquoted(pieces[i])) : std::wstring();
    };
    Argument argument{piece(0), piece(1), piece(2), ParseSha256(piece(4)),
                      piece(3) == kElevatedMarker};
    if (argument.dir.empty()) {
        return std::nullopt;
    }
    if (argument.dir.back() != L'\\') {
        argument.dir += L'\\';
    }
    return argument;
}

std::wstring ElevatedArgument(const Argument& argument, const std::wstring& manifestPath,
                              const Sha256& manifestSha256) {
    std::wstring hex(2 * manifestSha256.size(), L'0');
    for (std::size_t i = 0; i < manifestSha256.size(); ++i) {
        hex[2 * i] = L"0123456789abcdef"[manifestSha256[i] >> 4];
        hex[2 * i + 1] = L"0123456789abcdef"[manifestSha256[i] & 15];
    }
    return argument.dir + L"|" + argument.exe + L"|" + manifestPath + L"|" + kElevatedMarker +
           L"|" + hex;
}

bool AcceptsManifest(const Argument& argument, const Sha256& manifestSha256) {
    return !argument.elevated || argument.manifestSha256 == manifestSha256;
}

std::optional<std::wstring> ElevatedUpdateArgument(std::wstring_view command) {
    const std::wstring_view trimmed = forms::Trim(command, L" \t");
    if (!forms::StartsWithNoCase(trimmed, kElevatedUpdateSwitch)) {
        return std::nullopt;
    }
    return std::wstring(trimmed.substr(std::wstring_view(kElevatedUpdateSwitch).size()));
}

RightsStep DecideRights(bool canWrite, const Argument& argument, bool runsElevated) {
    if (canWrite) {
        return RightsStep::Proceed;
    }
    return argument.elevated || runsElevated ? RightsStep::GiveUp : RightsStep::Relaunch;
}

std::wstring GetFileName(std::wstring_view url) {
    const std::size_t slash = url.find_last_of(L'/');
    return std::wstring(slash == std::wstring_view::npos ? url : url.substr(slash + 1));
}

std::vector<FileLine> FileLines(std::wstring_view manifest) {
    std::vector<FileLine> lines;
    UpdateRules::ForEachLine(manifest, [&lines](std::wstring_view text) {
        const std::vector<std::wstring_view> fields = Fields(text);
        if (UpdateRules::NamesAVersion(text) || fields.size() < 2) {
            return true;
        }
        FileLine line;
        line.url = std::wstring(Unquoted(fields[1]));
        line.name = GetFileName(line.url);
        bool badHash = false;
        line.sha256 = HashField(fields, badHash);
        line.refused = badHash || !IsWebUrl(line.url) || !IsSafeFileName(line.name) ||
                       CommitJournal::IsOwnName(line.name);
        lines.push_back(std::move(line));
        return true;
    });
    // Two lines would download into one stage, and the later one wins.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const bool sameFile = lines[i].sha256 && lines[i].sha256 == lines[j].sha256;
            if (forms::EqualsNoCase(lines[i].name, lines[j].name) && !sameFile) {
                lines[i].refused = lines[j].refused = true;
            }
        }
    }
    return lines;
}

std::wstring FileToOpen(const Argument& argument, const std::vector<FileLine>& lines,
                        bool complete) {
    const auto isExe = [](std::wstring_view name) {
        return name.size() > 4 && forms::LowerAscii(name.substr(name.size() - 4)) == L".exe";
    };
    if (complete && !lines.empty() && !lines.back().refused && isExe(lines.back().name)) {
        return argument.dir + lines.back().name;
    }
    const std::wstring_view exe = argument.exe;
    const bool inPlace = exe.size() > argument.dir.size() &&
                         forms::StartsWithNoCase(exe, argument.dir) &&
                         IsSafeFileName(exe.substr(argument.dir.size())) && isExe(exe);
    return inPlace ? argument.exe : std::wstring();
}

int Percent(unsigned long long received, unsigned long long total) {
    if (total == 0) {
        return 0;
    }
    return static_cast<int>(std::min<unsigned long long>(received, total) * 100ULL / total);
}

} // namespace UpdaterRules
