#pragma once

#include "forms/core/Event.h"
#include "update/core/CommitJournal.h"

#include <windows.h>

#include <string>

// The file steps of a commit and of a recovery, on the disk. A step that
// finds a file held (an exiting client, a scanner) is tried again; one
// that cannot succeed (a missing source, a target already there) fails at
// once.
namespace FileSteps {

bool Exists(const std::wstring& path);
// An existing file that is neither a directory nor a reparse point.
bool IsPlainFile(const std::wstring& path);
// Two names of one file (hard links).
bool SameFile(const std::wstring& a, const std::wstring& b);
// Deletes a file, read-only or not; false when it is still there.
bool RemoveFile(const std::wstring& path);

// A Move, SetAside, Replace or Delete step in `dir`, tried until it is done,
// fails for good, or `budget` milliseconds have passed; `waiting` is
// raised between tries.
bool Apply(const std::wstring& dir, const CommitJournal::Step& step, DWORD budget,
           const forms::Event<>& waiting);

} // namespace FileSteps
