#include "update/core/CommitJournal.h"

#include "forms/core/Text.h"
#include "update/core/FileNameRules.h"

#include <algorithm>

namespace CommitJournal {

namespace {

constexpr std::wstring_view kHeader = L"tavrin-journal 1\n";
constexpr std::wstring_view kEnd = L"end\n";
constexpr std::wstring_view kReplaced = L"replace|";
constexpr std::wstring_view kAdded = L"add|";
constexpr std::wstring_view kDownload = L".download";

bool IsJournalName(std::wstring_view name) {
    return UpdaterRules::IsSafeFileName(name) && !IsOwnName(name);
}

// The unfinished last line of a torn journal: the start of a line the
// writer writes.
bool IsCutLine(std::wstring_view line) {
    for (const std::wstring_view start : {kEnd.substr(0, 3), kReplaced, kAdded}) {
        if (forms::StartsWith(line, start) || forms::StartsWith(start, line)) {
            return true;
        }
    }
    return false;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view tail) {
    return text.size() >= tail.size() &&
           forms::EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

// `name` without `.tavrin-new` and any partial-download form after it.
std::optional<std::wstring_view> StageBase(std::wstring_view name) {
    if (EndsWithNoCase(name, kDownload)) {
        name.remove_suffix(kDownload.size());
        const std::size_t dot = name.find_last_of(L'.');
        const std::wstring_view digits =
            dot == std::wstring_view::npos ? L"" : name.substr(dot + 1);
        if (!digits.empty() && std::all_of(digits.begin(), digits.end(),
                                           [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
            name = name.substr(0, dot);
        }
    }
    const std::wstring_view stage = kStageSuffix;
    if (!EndsWithNoCase(name, stage)) {
        return std::nullopt;
    }
    return name.substr(0, name.size() - stage.size());
}

} // namespace

std::wstring Stage(std::wstring_view name) {
    return std::wstring(name) + kStageSuffix;
}

std::wstring Backup(std::wstring_view name) {
    return std::wstring(name) + kBackupSuffix;
}

std::wstring Text(const std::vector<Entry>& entries) {
    std::wstring text(kHeader);
    for (const Entry& entry : entries) {
        text += std::wstring(entry.hadOld ? kReplaced : kAdded) + entry.name + L'\n';
    }
    return text + std::wstring(kEnd);
}

Journal Parse(std::wstring_view text) {
    Journal journal;
    if (!forms::StartsWith(text, kHeader)) {
        return journal;
    }
    text.remove_prefix(kHeader.size());
    for (;;) {
        const std::size_t end = text.find(L'\n');
        if (end == std::wstring_view::npos) {
            if (IsCutLine(text)) {
                journal.entries.clear();
                journal.state = Journal::State::Torn;
            }
            return journal;
        }
        const std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line == kEnd.substr(0, 3)) {
            if (!text.empty()) {
                return {};
            }
            journal.state = Journal::State::Whole;
            return journal;
        }
        const bool replaced = forms::StartsWith(line, kReplaced);
        if (!replaced && !forms::StartsWith(line, kAdded)) {
            return {};
        }
        const std::wstring_view name = line.substr(replaced ? kReplaced.size() : kAdded.size());
        const bool twice =
            std::any_of(journal.entries.begin(), journal.entries.end(),
                        [&](const Entry& e) { return forms::EqualsNoCase(e.name, name); });
        if (!IsJournalName(name) || twice) {
            return {};
        }
        journal.entries.push_back({std::wstring(name), replaced});
    }
}

std::vector<Step> CommitSteps(const std::vector<Entry>& entries) {
    using Kind = Step::Kind;
    std::vector<Step> steps{{Kind::WriteJournal, {}, {}}};
    for (const Entry& entry : entries) {
        if (entry.hadOld) {
            steps.push_back({Kind::SetAside, entry.name, Backup(entry.name)});
            steps.push_back({Kind::Replace, Stage(entry.name), entry.name});
        } else {
            steps.push_back({Kind::Move, Stage(entry.name), entry.name});
        }
    }
    // Without the journal the backups are plain leftovers beside their names.
    steps.push_back({Kind::RemoveJournal, {}, {}});
    for (const Entry& entry : entries) {
        if (entry.hadOld) {
            steps.push_back({Kind::Delete, Backup(entry.name), {}});
        }
    }
    return steps;
}

namespace {

// While the journal is there no backup was deleted: a replaced name has
// its backup beside it, another file than its own. An untouched name whose
// stage vanished has not.
bool Placed(const Entry& entry, const Facts& facts) {
    const std::wstring backup = Backup(entry.name);
    const bool replaced =
        !entry.hadOld || (facts.Exists(backup) && !facts.SameFile(entry.name, backup));
    return facts.Exists(entry.name) && !facts.Exists(Stage(entry.name)) && replaced;
}

// The one step that puts an entry back as it was before the commit;
// false when the facts cannot say which copy is the old one.
bool RollBack(const Entry& entry, const Facts& facts, std::vector<Step>& steps) {
    using Kind = Step::Kind;
    const std::wstring stage = Stage(entry.name), backup = Backup(entry.name);
    const bool name = facts.Exists(entry.name), staged = facts.Exists(stage);
    if (!entry.hadOld) {
        if (name && !staged) {
            steps.push_back({Kind::Move, entry.name, stage});
        }
        return true;
    }
    if (facts.Exists(backup)) {
        if (!name) {
            steps.push_back({Kind::Move, backup, entry.name});
        } else if (facts.SameFile(entry.name, backup)) {
            // The name is the old file: the second name goes with the
            // leftovers, even while a running client holds it.
        } else if (!staged) {
            steps.push_back({Kind::Replace, backup, entry.name});
        } else {
            return false; // a name, a backup and a stage, all different
        }
    } else if (!name && staged) {
        // The old copy is gone: the new one is all there is.
        steps.push_back({Kind::Move, stage, entry.name});
    }
    return true;
}

} // namespace

Plan RecoveryPlan(const Journal& journal, const Facts& facts) {
    using Kind = Step::Kind;
    Plan plan;
    if (journal.state != Journal::State::Whole) {
        plan.settles = journal.state == Journal::State::Torn;
        if (plan.settles) {
            plan.steps.push_back({Kind::RemoveJournal, {}, {}});
        }
        return plan;
    }
    const std::vector<Entry>& entries = journal.entries;
    const bool finish = std::all_of(entries.begin(), entries.end(),
                                    [&](const Entry& e) { return Placed(e, facts); });
    if (finish) {
        for (const Entry& entry : entries) {
            if (entry.hadOld && facts.Exists(Backup(entry.name))) {
                plan.steps.push_back({Kind::Delete, Backup(entry.name), {}});
            }
        }
    } else {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            plan.settles = RollBack(*it, facts, plan.steps) && plan.settles;
        }
    }
    plan.steps.push_back({Kind::RemoveJournal, {}, {}});
    return plan;
}

std::optional<Leftover> ParseLeftover(std::wstring_view name) {
    Leftover leftover;
    std::optional<std::wstring_view> base = StageBase(name);
    const std::wstring_view backup = kBackupSuffix;
    if (!base && EndsWithNoCase(name, backup)) {
        base = name.substr(0, name.size() - backup.size());
        leftover.backup = true;
    }
    if (!base || !IsJournalName(*base)) {
        return std::nullopt;
    }
    leftover.base = std::wstring(*base);
    return leftover;
}

bool IsOwnName(std::wstring_view name) {
    const std::wstring lower = forms::LowerAscii(name);
    return forms::StartsWith(lower, kProbeName) || lower.find(L".tavrin-") != std::wstring::npos;
}

} // namespace CommitJournal
