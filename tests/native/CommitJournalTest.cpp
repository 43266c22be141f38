#include "update/core/CommitJournal.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using CommitJournal::Entry;
using CommitJournal::Journal;
using CommitJournal::Step;
using Files = std::map<std::wstring, std::wstring>;

// A directory in memory, where a name is one of a file's hard links: the
// commit's and the recovery's steps applied to it. `links` false stands
// for a file system without hard links.
struct Disk final : CommitJournal::Facts {
    std::map<std::wstring, int> names;
    std::map<int, std::wstring> contents;
    std::optional<std::wstring> journal;
    bool links = true;

    explicit Disk(const Files& files) {
        for (const auto& [name, content] : files) {
            Put(name, content);
        }
    }
    void Put(const std::wstring& name, const std::wstring& content) {
        const int file = static_cast<int>(contents.size());
        names[name] = file;
        contents[file] = content;
    }
    bool Has(const std::wstring& name) const { return names.count(name) != 0; }
    bool Exists(const std::wstring& name) const override { return Has(name); }
    bool SameFile(const std::wstring& a, const std::wstring& b) const override {
        return Has(a) && Has(b) && names.at(a) == names.at(b);
    }
    Files View() const {
        Files files;
        for (const auto& [name, file] : names) {
            files[name] = contents.at(file);
        }
        return files;
    }

    void Apply(const Step& step, const std::vector<Entry>& entries) {
        if (step.kind == Step::Kind::Move || step.kind == Step::Kind::SetAside) {
            ASSERT_FALSE(Has(step.to)) << "never onto an existing name: " << step.to;
        }
        switch (step.kind) {
        case Step::Kind::WriteJournal:
            journal = CommitJournal::Text(entries);
            break;
        case Step::Kind::SetAside:
        case Step::Kind::Replace:
        case Step::Kind::Move:
            ASSERT_TRUE(Has(step.from)) << "moves a missing file: " << step.from;
            names[step.to] = names[step.from];
            if (step.kind != Step::Kind::SetAside || !links) {
                names.erase(step.from);
            }
            break;
        case Step::Kind::Delete: {
            const auto leftover = CommitJournal::ParseLeftover(step.from);
            ASSERT_TRUE(leftover && leftover->backup && Has(leftover->base))
                << "deletes a backup whose name is absent: " << step.from;
            names.erase(step.from);
            break;
        }
        case Step::Kind::RemoveJournal:
            journal.reset();
            break;
        }
    }
    // What the next start does: false when it must leave the journal.
    bool Recover() {
        if (journal) {
            const auto plan = CommitJournal::RecoveryPlan(CommitJournal::Parse(*journal), *this);
            if (!plan.settles) {
                return false;
            }
            for (const Step& step : plan.steps) {
                Apply(step, {});
            }
        }
        for (auto it = names.begin(); it != names.end();) {
            const auto leftover = CommitJournal::ParseLeftover(it->first);
            const bool sweep = leftover && (!leftover->backup || Has(leftover->base));
            it = sweep ? names.erase(it) : std::next(it);
        }
        return true;
    }
};

const std::vector<Entry> kEntries{
    {L"game.dll", true}, {L"added.dat", false}, {L"Tavrin.exe", true}};
const Files kBefore{{L"game.dll", L"old dll"}, {L"Tavrin.exe", L"old exe"}, {L"keep.txt", L"k"}};
const Files kAfter{{L"game.dll", L"new dll"},
                   {L"added.dat", L"new dat"},
                   {L"Tavrin.exe", L"new exe"},
                   {L"keep.txt", L"k"}};

// The old files with every stage downloaded, cut after `k` commit steps.
Disk CutCommit(std::size_t k, bool links) {
    Disk disk(kBefore);
    disk.links = links;
    disk.Put(L"game.dll.tavrin-new", L"new dll");
    disk.Put(L"added.dat.tavrin-new", L"new dat");
    disk.Put(L"Tavrin.exe.tavrin-new", L"new exe");
    disk.Put(L"Tavrin.exe.tavrin-new.123.download", L"partial");
    const auto steps = CommitJournal::CommitSteps(kEntries);
    for (std::size_t i = 0; i < k; ++i) {
        disk.Apply(steps[i], kEntries);
    }
    return disk;
}

TEST(CommitJournal, OnlyAWholeOrCutShortJournalIsRead) {
    const std::wstring text = CommitJournal::Text({{L"game.dll", true}, {L"新文件.dat", false}});
    const Journal whole = CommitJournal::Parse(text);
    ASSERT_EQ(whole.state, Journal::State::Whole);
    ASSERT_EQ(whole.entries.size(), 2u);
    EXPECT_EQ(whole.entries[0].name, L"game.dll");
    EXPECT_TRUE(whole.entries[0].hadOld);
    EXPECT_EQ(whole.entries[1].name, L"新文件.dat");
    EXPECT_FALSE(whole.entries[1].hadOld);
    const std::size_t header = std::wstring(L"tavrin-journal 1\n").size();
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        EXPECT_EQ(CommitJournal::Parse(text.substr(0, cut)).state,
                  cut < header ? Journal::State::Unknown : Journal::State::Torn)
            << cut;
    }
    for (const wchar_t* unknown :
         {L"tavrin-journal 2\nreplace|game.dll\nend\n", L"tavrin-journal 1\nmove|x\nend\n",
          L"tavrin-journal 1\nadd|\nend\n", L"tavrin-journal 1\nadd|..\\..\\x\nend\n",
          L"tavrin-journal 1\nadd|C:x\nend\n", L"tavrin-journal 1\nadd|con.dll\nend\n",
          L"tavrin-journal 1\nadd|a.dll.tavrin-old\nend\n",
          L"tavrin-journal 1\nadd|a.dll\nreplace|A.DLL\nend\n", L"tavrin-journal 1\nend\nrest\n",
          L"tavrin-journal 1\nadd|..\\x\n"}) {
        EXPECT_EQ(CommitJournal::Parse(unknown).state, Journal::State::Unknown) << unknown;
    }
}

TEST(CommitJournal, TheCommitStepsInOrder) {
    const auto steps = CommitJournal::CommitSteps({{L"a.dll", true}, {L"b.exe", false}});
    const std::vector<Step> expected{{Step::Kind::WriteJournal, L"", L""},
                                     {Step::Kind::SetAside, L"a.dll", L"a.dll.tavrin-old"},
                                     {Step::Kind::Replace, L"a.dll.tavrin-new", L"a.dll"},
                                     {Step::Kind::Move, L"b.exe.tavrin-new", L"b.exe"},
                                     {Step::Kind::RemoveJournal, L"", L""},
                                     {Step::Kind::Delete, L"a.dll.tavrin-old", L""}};
    EXPECT_EQ(steps, expected);
}

// A stop after every step of the commit, then the next start: every listed
// file is all old or all new together, none is missing, nothing else stays.
// With hard links no name is ever absent, not even before the recovery.
TEST(CommitJournal, AStopAfterAnyStepRecoversToAllOldOrAllNew) {
    const std::size_t count = CommitJournal::CommitSteps(kEntries).size();
    ASSERT_EQ(count, 9u);
    for (const bool links : {true, false}) {
        for (std::size_t k = 0; k <= count; ++k) {
            Disk disk = CutCommit(k, links);
            if (links) {
                EXPECT_TRUE(disk.Has(L"game.dll") && disk.Has(L"Tavrin.exe")) << k;
            }
            EXPECT_TRUE(disk.Recover());
            EXPECT_EQ(disk.View(), k >= 6 ? kAfter : kBefore) << "links " << links << ", " << k;
            EXPECT_FALSE(disk.journal);
        }
    }
}

// The roll-back is itself cut off after any of its steps, then taken up,
// also when the last stage vanished (a scanner's quarantine).
TEST(CommitJournal, ARollBackCutOffIsTakenUpAgainAsOne) {
    const auto cut = [](std::size_t k, bool links, bool vanished) {
        Disk disk = CutCommit(k, links);
        if (vanished) {
            disk.names.erase(L"Tavrin.exe.tavrin-new");
        }
        return disk;
    };
    for (const bool links : {true, false}) {
        for (const bool vanished : {false, true}) {
            for (std::size_t k = 1; k < 6; ++k) {
                Disk first = cut(k, links, vanished);
                const auto plan =
                    CommitJournal::RecoveryPlan(CommitJournal::Parse(*first.journal), first);
                for (std::size_t j = 0; j < plan.steps.size(); ++j) {
                    Disk disk = cut(k, links, vanished);
                    for (std::size_t i = 0; i < j; ++i) {
                        disk.Apply(plan.steps[i], {});
                    }
                    EXPECT_TRUE(disk.Recover());
                    EXPECT_EQ(disk.View(), kBefore)
                        << "links " << links << ", vanished " << vanished << ", " << k << ", " << j;
                }
            }
        }
    }
}

// Cut after Tavrin.exe was set aside, then the world moves on.
TEST(CommitJournal, WhatVanishedOrCannotBeReadCostsNoName) {
    for (const bool links : {true, false}) {
        Disk disk = CutCommit(5, links);
        disk.names.erase(L"Tavrin.exe.tavrin-new"); // quarantined
        EXPECT_TRUE(disk.Recover());
        EXPECT_EQ(disk.View(), kBefore) << "links " << links;
    }
    for (const wchar_t* journal : {L"", L"tavrin-journal 2\nreplace|game.dll\n"}) {
        Disk disk = CutCommit(5, true);
        disk.journal = journal;
        const Files cut = disk.View();
        EXPECT_FALSE(disk.Recover()) << "reported";
        EXPECT_EQ(disk.journal, journal) << "kept";
        EXPECT_EQ(disk.View(), cut) << "nothing moved or deleted";
        for (const Entry& entry : kEntries) {
            EXPECT_TRUE(disk.Has(entry.name)) << entry.name;
        }
    }
}

TEST(CommitJournal, TheBackupIsNeverTheOnlyCopyToGo) {
    // Backups of names that are gone stay, whatever the journal says.
    Disk disk({{L"game.dll.tavrin-old", L"old dll"}, {L"Tavrin.exe.tavrin-old", L"old exe"}});
    disk.journal = CommitJournal::Text(kEntries);
    EXPECT_TRUE(disk.Recover());
    EXPECT_EQ(disk.View(), (Files{{L"game.dll", L"old dll"}, {L"Tavrin.exe", L"old exe"}}));
    Disk orphan(
        {{L"a.dll.tavrin-old", L"only copy"}, {L"b.dll.tavrin-old", L"b"}, {L"b.dll", L"b"}});
    EXPECT_TRUE(orphan.Recover());
    EXPECT_EQ(orphan.View(), (Files{{L"a.dll.tavrin-old", L"only copy"}, {L"b.dll", L"b"}}));
}

TEST(CommitJournal, OnlyTheExactFormsTheUpdaterMakesAreLeftovers) {
    for (const wchar_t* name : {L"a.dll.tavrin-new", L"A.DLL.TAVRIN-OLD",
                                L"x.tavrin-new.5.download", L"x.tavrin-new.download"}) {
        EXPECT_TRUE(CommitJournal::ParseLeftover(name)) << name;
    }
    EXPECT_EQ(CommitJournal::ParseLeftover(L"A.DLL.TAVRIN-OLD")->base, L"A.DLL");
    for (const wchar_t* name :
         {L"update.tavrin-journal", L"tavrin-write-probe.tmp", L"notes.tavrin-old.txt",
          L"x.tavrin-new.5a.download", L"x.tavrin-old.tavrin-old", L"con.tavrin-new",
          L".tavrin-new", L"game.dll"}) {
        EXPECT_FALSE(CommitJournal::ParseLeftover(name)) << name;
    }
    EXPECT_TRUE(CommitJournal::IsOwnName(L"update.tavrin-journal"));
    EXPECT_TRUE(CommitJournal::IsOwnName(L"tavrin-write-probe.tmp"));
    EXPECT_FALSE(CommitJournal::IsOwnName(L"tavrin.exe"));
}

} // namespace
