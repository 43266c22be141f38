#include "update/core/SignedManifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::wstring kHash = L"|sha256=" + std::wstring(64, L'c');

TEST(SignedManifest, TheGameRightAfterTheVersionAndADigestOnEveryFileLine) {
    const std::wstring files = L"0|http://h/a.dll" + kHash + L"\r\n1|http://h/T.exe" + kHash;
    struct Case {
        std::wstring manifest;
        bool whole;
    };
    const Case cases[] = {
        {L"version=1.2.0\r\ngame=brnq2\r\n" + files + L"\r\n", true},
        {L"[update]\nVersion=1.2.0\ngame=brnq2\n" + files, true},
        {L"version=1.2.0\r\ngame=brnq2\r\n", true},
        {L"version=1.2.0\r\n" + files, false},
        {L"version=1.2.0\r\ngame=other\r\n" + files, false},
        {L"version=1.2.0\r\ngame=brnq2x\r\n" + files, false},
        {L"version=1.2.0\r\ngame=BRNQ2\r\n" + files, false},
        {L"version=1.2.0\r\ngame= brnq2\r\n" + files, false},
        {L"game=brnq2\r\nversion=1.2.0\r\n" + files, false},
        {L"version=1.2.0\r\n\r\ngame=brnq2\r\n" + files, false},
        {L"version=1.2.0\r\n" + files + L"\r\ngame=brnq2\r\n", false},
        {L"game=brnq2\r\n" + files, false},
        {L"version=1.2.0\r\ngame=brnq2\r\n" + files + L"\r\n2|http://h/b.dat\r\n", false},
        {L"version=1.2.0\r\ngame=brnq2\r\n2|http://h/b.dat|sha256=abc\r\n", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SignedManifest::Whole(c.manifest, L"brnq2"), c.whole) << c.manifest;
    }
}

} // namespace
