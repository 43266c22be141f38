#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Files downloaded beside their targets in the install directory, put in
// place all together or not at all. Until every replace has succeeded the
// old files stay, renamed; a failure puts them back. What is not committed
// is deleted when the object goes.
class StagedFiles {
public:
    explicit StagedFiles(std::wstring dir) : dir_(std::move(dir)) {}
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where the new copy of `name` is downloaded to.
    std::wstring StagePath(const std::wstring& name) const;
    // `name` arrived whole at its stage path; a name listed twice counts once.
    void Add(const std::wstring& name);

    // Replaces every target. A target that is still held (an exiting client)
    // is tried again until `patience` milliseconds have passed or `stop`
    // says so; then everything is put back as it was and false returned.
    bool Commit(DWORD patience, const std::function<bool()>& stop);

private:
    struct Entry {
        std::wstring name;
        bool hadOld = false;
        bool replaced = false;
    };
    std::wstring Target(const Entry& entry) const { return dir_ + entry.name; }
    std::wstring Backup(const Entry& entry) const;
    bool Replace(Entry& entry, ULONGLONG deadline, const std::function<bool()>& stop);
    void RollBack();
    void Discard();

    std::wstring dir_;
    std::vector<Entry> entries_;
};
