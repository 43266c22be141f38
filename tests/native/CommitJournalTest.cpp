#include "update/core/CommitJournal.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using CommitJournal::Entry;
using CommitJournal::Step;
using Files = std::map<std::wstring, std::wstring>;

// A directory in memory: the commit's and the recovery's steps applied to it.
struct Disk {
    Files files;
    std::optional<std::wstring> journal;

    void Apply(const Step& step, const std::vector<Entry>& entries) {
        switch (step.kind) {
        case Step::Kind::WriteJournal:
            journal = CommitJournal::Text(entries);
            break;
        case Step::Kind::Move:
            ASSERT_EQ(files.count(step.from), 1u) << "moves a missing file";
            files[step.to] = files[step.from];
            files.erase(step.from);
            break;
        case Step::Kind::Delete:
            files.erase(step.from);
            break;
        case Step::Kind::RemoveJournal:
            journal.reset();
            break;
        }
    }
    // What the next start does.
    void Recover() {
        if (journal) {
            const auto steps = CommitJournal::RecoverySteps(
                CommitJournal::Parse(*journal),
                [this](const std::wstring& name) { return files.count(name) != 0; });
            for (const Step& step : steps) {
                Apply(step, {});
            }
        }
        for (auto it = files.begin(); it != files.end();) {
            it = CommitJournal::IsLeftover(it->first) ? files.erase(it) : std::next(it);
        }
        journal.reset();
    }
};

TEST(CommitJournal, TextRoundTripsAndATornJournalIsNoJournal) {
    const std::vector<Entry> entries{{L"game.dll", true}, {L"新文件.dat", false}};
    const std::wstring text = CommitJournal::Text(entries);
    const auto parsed = CommitJournal::Parse(text);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[0].name, L"game.dll");
    EXPECT_TRUE((*parsed)[0].hadOld);
    EXPECT_EQ((*parsed)[1].name, L"新文件.dat");
    EXPECT_FALSE((*parsed)[1].hadOld);
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        EXPECT_FALSE(CommitJournal::Parse(text.substr(0, cut))) << cut;
    }
    EXPECT_FALSE(CommitJournal::Parse(L"tavrin-journal 1\nmove|x\nend\n"));
    EXPECT_FALSE(CommitJournal::Parse(L"tavrin-journal 1\nadd|\nend\n"));
    EXPECT_FALSE(CommitJournal::Parse(L"tavrin-journal 2\nend\n"));
}

TEST(CommitJournal, TheCommitStepsInOrder) {
    const auto steps = CommitJournal::CommitSteps({{L"a.dll", true}, {L"b.exe", false}});
    const std::vector<Step> expected{{Step::Kind::WriteJournal, L"", L""},
                                     {Step::Kind::Move, L"a.dll", L"a.dll.tavrin-old"},
                                     {Step::Kind::Move, L"a.dll.tavrin-new", L"a.dll"},
                                     {Step::Kind::Move, L"b.exe.tavrin-new", L"b.exe"},
                                     {Step::Kind::Delete, L"a.dll.tavrin-old", L""},
                                     {Step::Kind::RemoveJournal, L"", L""}};
    EXPECT_EQ(steps, expected);
}

// A stop after every step of the commit, then the next start: every listed
// file is all old or all new together, none is missing, nothing else stays.
TEST(CommitJournal, AStopAfterAnyStepRecoversToAllOldOrAllNew) {
    const std::vector<Entry> entries{
        {L"game.dll", true}, {L"added.dat", false}, {L"Tavrin.exe", true}};
    const Files before{{L"game.dll", L"old dll"}, {L"Tavrin.exe", L"old exe"}, {L"keep.txt", L"k"}};
    const Files after{{L"game.dll", L"new dll"},
                      {L"added.dat", L"new dat"},
                      {L"Tavrin.exe", L"new exe"},
                      {L"keep.txt", L"k"}};
    const auto steps = CommitJournal::CommitSteps(entries);
    ASSERT_EQ(steps.size(), 9u);
    for (std::size_t k = 0; k <= steps.size(); ++k) {
        Disk disk;
        disk.files = before;
        disk.files[L"game.dll.tavrin-new"] = L"new dll";
        disk.files[L"added.dat.tavrin-new"] = L"new dat";
        disk.files[L"Tavrin.exe.tavrin-new"] = L"new exe";
        disk.files[L"Tavrin.exe.tavrin-new.123.download"] = L"partial";
        for (std::size_t i = 0; i < k; ++i) {
            disk.Apply(steps[i], entries);
        }
        disk.Recover();
        EXPECT_TRUE(disk.files == before || disk.files == after) << "stopped after step " << k;
        EXPECT_EQ(disk.files == after, k >= 6) << "complete once every stage is in place: " << k;
        EXPECT_FALSE(disk.journal);
    }
}

TEST(CommitJournal, ARecoveryStoppedHalfWayIsTakenUpAgain) {
    const std::vector<Entry> entries{{L"a.dll", true}, {L"b.exe", true}};
    const auto steps = CommitJournal::CommitSteps(entries);
    Disk disk;
    disk.files = {{L"a.dll", L"old a"},
                  {L"b.exe", L"old b"},
                  {L"a.dll.tavrin-new", L"new a"},
                  {L"b.exe.tavrin-new", L"new b"}};
    for (std::size_t i = 0; i < 4; ++i) { // a replaced, b set aside
        disk.Apply(steps[i], entries);
    }
    const auto exists = [&disk](const std::wstring& name) { return disk.files.count(name) != 0; };
    const auto recovery = CommitJournal::RecoverySteps(CommitJournal::Parse(*disk.journal), exists);
    ASSERT_GE(recovery.size(), 2u);
    disk.Apply(recovery[0], {}); // then the power goes again
    disk.Recover();
    EXPECT_EQ(disk.files, (Files{{L"a.dll", L"old a"}, {L"b.exe", L"old b"}}));
}

TEST(CommitJournal, WithoutAWholeJournalNothingMoves) {
    const auto exists = [](const std::wstring&) { return true; };
    EXPECT_TRUE(CommitJournal::RecoverySteps(std::nullopt, exists).empty());
}

TEST(CommitJournal, TheUpdatersOwnNames) {
    for (const wchar_t* name :
         {L"a.dll.tavrin-new", L"A.DLL.TAVRIN-OLD", L"x.tavrin-new.5.download",
          L"update.tavrin-journal", L"tavrin-write-probe.tmp"}) {
        EXPECT_TRUE(CommitJournal::IsOwnName(name)) << name;
    }
    EXPECT_FALSE(CommitJournal::IsOwnName(L"game.dll"));
    EXPECT_FALSE(CommitJournal::IsOwnName(L"tavrin.exe"));
    EXPECT_TRUE(CommitJournal::IsLeftover(L"a.dll.tavrin-old"));
    EXPECT_FALSE(CommitJournal::IsLeftover(L"update.tavrin-journal"));
    EXPECT_FALSE(CommitJournal::IsLeftover(L"game.dll"));
}

} // namespace
