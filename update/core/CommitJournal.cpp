#include "update/core/CommitJournal.h"

#include "forms/core/Text.h"

#include <algorithm>

namespace CommitJournal {

namespace {

constexpr std::wstring_view kHeader = L"tavrin-journal 1";
constexpr std::wstring_view kEnd = L"end";
constexpr std::wstring_view kReplaced = L"replace|";
constexpr std::wstring_view kAdded = L"add|";

std::vector<std::wstring_view> Lines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            lines.push_back(text.substr(start)); // no newline: torn
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::wstring Stage(const Entry& entry) {
    return entry.name + kStageSuffix;
}
std::wstring Backup(const Entry& entry) {
    return entry.name + kBackupSuffix;
}

} // namespace

std::wstring Text(const std::vector<Entry>& entries) {
    std::wstring text(kHeader);
    text += L'\n';
    for (const Entry& entry : entries) {
        text += std::wstring(entry.hadOld ? kReplaced : kAdded) + entry.name + L'\n';
    }
    return text + std::wstring(kEnd) + L'\n';
}

std::optional<std::vector<Entry>> Parse(std::wstring_view text) {
    if (text.empty() || text.back() != L'\n') {
        return std::nullopt;
    }
    const std::vector<std::wstring_view> lines = Lines(text);
    if (lines.size() < 2 || lines.front() != kHeader || lines.back() != kEnd) {
        return std::nullopt;
    }
    std::vector<Entry> entries;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::wstring_view line = lines[i];
        const bool replaced = forms::StartsWith(line, kReplaced);
        if (!replaced && !forms::StartsWith(line, kAdded)) {
            return std::nullopt;
        }
        const std::wstring_view name = line.substr(replaced ? kReplaced.size() : kAdded.size());
        if (name.empty()) {
            return std::nullopt;
        }
        entries.push_back({std::wstring(name), replaced});
    }
    return entries;
}

std::vector<Step> CommitSteps(const std::vector<Entry>& entries) {
    using Kind = Step::Kind;
    std::vector<Step> steps{{Kind::WriteJournal, {}, {}}};
    for (const Entry& entry : entries) {
        if (entry.hadOld) {
            steps.push_back({Kind::Move, entry.name, Backup(entry)});
        }
        steps.push_back({Kind::Move, Stage(entry), entry.name});
    }
    for (const Entry& entry : entries) {
        if (entry.hadOld) {
            steps.push_back({Kind::Delete, Backup(entry), {}});
        }
    }
    steps.push_back({Kind::RemoveJournal, {}, {}});
    return steps;
}

std::vector<Step> RecoverySteps(const std::optional<std::vector<Entry>>& journal,
                                const std::function<bool(const std::wstring&)>& exists) {
    using Kind = Step::Kind;
    std::vector<Step> steps;
    if (!journal) {
        return steps;
    }
    const bool allPlaced = std::none_of(journal->begin(), journal->end(),
                                        [&](const Entry& entry) { return exists(Stage(entry)); });
    if (allPlaced) {
        for (const Entry& entry : *journal) {
            if (exists(Backup(entry))) {
                steps.push_back({Kind::Delete, Backup(entry), {}});
            }
        }
        return steps;
    }
    for (auto it = journal->rbegin(); it != journal->rend(); ++it) {
        const bool backedUp = exists(Backup(*it));
        // A new file in place goes back to its stage, but never the only
        // copy of an old one.
        if (!exists(Stage(*it)) && exists(it->name) && (!it->hadOld || backedUp)) {
            steps.push_back({Kind::Move, it->name, Stage(*it)});
        }
        if (it->hadOld && backedUp) {
            steps.push_back({Kind::Move, Backup(*it), it->name});
        }
    }
    return steps;
}

bool IsLeftover(std::wstring_view name) {
    const std::wstring lower = forms::LowerAscii(name);
    return lower != kJournalName && !forms::StartsWith(lower, kProbeName) &&
           lower.find(L".tavrin-") != std::wstring::npos;
}

bool IsOwnName(std::wstring_view name) {
    const std::wstring lower = forms::LowerAscii(name);
    return forms::StartsWith(lower, kProbeName) || lower.find(L".tavrin-") != std::wstring::npos;
}

} // namespace CommitJournal
