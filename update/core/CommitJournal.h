#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The commit's plan and its journal, apart from files: what the updater
// writes before its first rename, the steps it then takes, and what the
// next start does with a journal it finds, so that every listed file ends
// either all old or all new and never missing. Names are relative to the
// install directory.
namespace CommitJournal {

inline constexpr wchar_t kStageSuffix[] = L".tavrin-new";
inline constexpr wchar_t kBackupSuffix[] = L".tavrin-old";
inline constexpr wchar_t kJournalName[] = L"update.tavrin-journal";
// The start of the updater's write probes, each named anew.
inline constexpr wchar_t kProbeName[] = L"tavrin-write-probe";

struct Entry {
    std::wstring name;
    bool hadOld = false; // a target existed before the commit
};

// The journal's text; it ends in a line that tells a whole journal from a
// torn one.
std::wstring Text(const std::vector<Entry>& entries);
// The entries of a whole journal; nothing when it is torn or unknown.
std::optional<std::vector<Entry>> Parse(std::wstring_view text);

struct Step {
    enum class Kind { WriteJournal, Move, Delete, RemoveJournal };
    Kind kind = Kind::Move;
    std::wstring from; // Move's source, Delete's file
    std::wstring to;   // Move's destination
    bool operator==(const Step& other) const {
        return kind == other.kind && from == other.from && to == other.to;
    }
};

// The commit, step by step: journal, then per entry the old target aside
// and the stage in place, then the backups deleted, then the journal gone.
std::vector<Step> CommitSteps(const std::vector<Entry>& entries);

// A whole journal found at start: completes the commit when every stage
// was put in place, otherwise puts every old file back. `exists` tells
// whether a name is present. Without a whole journal nothing was renamed,
// and there is nothing to move.
std::vector<Step> RecoverySteps(const std::optional<std::vector<Entry>>& journal,
                                const std::function<bool(const std::wstring&)>& exists);

// A file the updater itself made: a stage, a backup, a partial download.
// The journal is not one of them; it goes last.
bool IsLeftover(std::wstring_view name);
// A name the manifest may not use, since it would collide with the
// updater's own files.
bool IsOwnName(std::wstring_view name);

} // namespace CommitJournal
