#pragma once

#include "forms/core/Event.h"
#include "update/core/CommitJournal.h"

#include <string>
#include <vector>

class InstallLock;

// The commit journal on the disk, and what a start does with one. `dir`
// ends in a backslash.
namespace InstallRecovery {

// Created new (never over another journal), written through and flushed
// before the commit's first rename. False when it was not; a journal made
// here and not written whole is removed.
bool WriteJournal(const std::wstring& dir, const std::vector<CommitJournal::Entry>& entries);
bool RemoveJournal(const std::wstring& dir);

enum class Outcome {
    Settled,    // no journal, or its plan carried out and the journal gone
    Unfinished, // the journal stays: unreadable, unknown, or a step failed
    Busy,       // another program holds the install lock: nothing looked at
};

// Under the lock: carries out the journal's plan, attempting every step,
// and once all is settled sweeps the updater's leftovers and removes the
// journal. `waiting` is raised between the tries of a held file.
Outcome Recover(const std::wstring& dir, const InstallLock& lock,
                const forms::Event<>& waiting = {});
// A start's: the same, when the install lock can be taken.
Outcome Recover(const std::wstring& dir);

} // namespace InstallRecovery
