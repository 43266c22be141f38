#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The commit's plan and its journal, apart from files: what the updater
// writes before its first rename, the steps it then takes, and what the
// next start does with a journal it finds. Recovery acts on what it can
// see, never on a guess: a name is put back, or the commit finished, only
// where the facts say which copy is which; every listed name keeps a copy.
// Names are relative to the install directory.
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

std::wstring Stage(std::wstring_view name);
std::wstring Backup(std::wstring_view name);

// The journal's text; it ends in a line that tells a whole journal from a
// torn one.
std::wstring Text(const std::vector<Entry>& entries);

struct Journal {
    // Torn: the known first line, then cut short before its end (the
    // writer was stopped before any rename). Unknown: anything else that
    // is not whole; nothing may then be moved or deleted.
    enum class State { Whole, Torn, Unknown };
    State state = State::Unknown;
    std::vector<Entry> entries;
};
// Names must pass the manifest's name rules, each once.
Journal Parse(std::wstring_view text);

struct Step {
    // SetAside: `to` becomes a second name of `from` (a hard link; done
    // when it already is one), or, where links are refused, `from` is
    // renamed to `to`. Replace: a move
    // onto an existing `to`. Move: a move that never replaces.
    enum class Kind { WriteJournal, SetAside, Replace, Move, Delete, RemoveJournal };
    Kind kind = Kind::Move;
    std::wstring from; // the source, or Delete's file
    std::wstring to;
    bool operator==(const Step& other) const {
        return kind == other.kind && from == other.from && to == other.to;
    }
};

// The commit, step by step: journal; per entry the old file set aside as
// its backup and the stage moved onto the name; the journal gone; the
// backups deleted.
std::vector<Step> CommitSteps(const std::vector<Entry>& entries);

// What recovery may ask of the disk.
class Facts {
public:
    virtual bool Exists(const std::wstring& name) const = 0;
    // Two names of one file (hard links).
    virtual bool SameFile(const std::wstring& a, const std::wstring& b) const = 0;

protected:
    ~Facts() = default;
};

struct Plan {
    std::vector<Step> steps;
    // False when some of it cannot be settled from the facts: the journal
    // must then stay, and the update is unfinished.
    bool settles = true;
};

// A whole journal: the commit is finished when every entry is placed (its
// name exists and its stage does not; a replaced one has a backup that is
// another file); otherwise every old file goes back. Each roll-back step
// leaves its entry unplaced, so a roll-back cut off is taken up as one. A torn journal: nothing was
// renamed; the plan only removes it. An unknown one: nothing at all, and it does not settle.
Plan RecoveryPlan(const Journal& journal, const Facts& facts);

// A name the updater makes of a manifest name: its stage, a partial
// download of the stage, its backup. Nothing for any other name.
struct Leftover {
    std::wstring base;
    bool backup = false;
};
std::optional<Leftover> ParseLeftover(std::wstring_view name);

// A name the manifest may not use, since it would collide with the
// updater's own files.
bool IsOwnName(std::wstring_view name);

} // namespace CommitJournal
