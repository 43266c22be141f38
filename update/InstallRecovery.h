#pragma once

#include "update/core/CommitJournal.h"

#include <string>
#include <vector>

// The commit journal on the disk, and what a start does with one: the
// install directory is brought back to all old or all new files, the
// updater's leftovers are swept and the journal goes. `dir` ends in a
// backslash.
namespace InstallRecovery {

// Written through and flushed before the commit's first rename.
bool WriteJournal(const std::wstring& dir, const std::vector<CommitJournal::Entry>& entries);
void RemoveJournal(const std::wstring& dir);

// One rename, written through; false when it did not happen.
bool Move(const std::wstring& from, const std::wstring& to);
// Deletes a file, read-only or not; false when it is still there.
bool RemoveFile(const std::wstring& path);

// Completes or rolls back what a journal names, each move checked and
// retried, then sweeps the leftovers and removes the journal. False when a
// move still failed: the journal stays for the next start.
bool Recover(const std::wstring& dir);

// The client's start: the same, unless an updater is running right now.
void RecoverAtStart(const std::wstring& dir);

// Held by the running updater.
inline constexpr wchar_t kUpdaterMutex[] = L"Local\\Quelmo.Tavrin.Update";

} // namespace InstallRecovery
