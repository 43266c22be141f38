#include "login/PageCommand.h"

#include <gtest/gtest.h>

namespace {

using login::PageCommandKind;
using login::ParsePageCommand;

TEST(PageCommand, SubstringTestsInTheirOrderAndCaseSensitive) {
    EXPECT_EQ(ParsePageCommand(L"app://exitgame").kind, PageCommandKind::ExitGame);
    EXPECT_EQ(ParsePageCommand(L"http://x/a?next=app://minimize").kind, PageCommandKind::Minimize);
    EXPECT_EQ(ParsePageCommand(L"app://loadgame|app://minimize").kind, PageCommandKind::Minimize);
    EXPECT_EQ(ParsePageCommand(L"app://minimize app://exitgame").kind, PageCommandKind::ExitGame);
    EXPECT_EQ(ParsePageCommand(L"APP://EXITGAME").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"http://127.0.0.1/micro/").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"app://other").kind, PageCommandKind::None);
    EXPECT_FALSE(ParsePageCommand(L"app://exitgame|http://x/").gameUrl);
}

TEST(PageCommand, LoadGameTakesTheSecondPieceOnly) {
    const auto plain = ParsePageCommand(L"app://loadgame|http://game/?u=1");
    EXPECT_EQ(plain.kind, PageCommandKind::LoadGame);
    EXPECT_EQ(plain.gameUrl.value_or(L"-"), L"http://game/?u=1");
    EXPECT_EQ(ParsePageCommand(L"app://loadgame|http://g/a|b|c").gameUrl.value_or(L"-"),
              L"http://g/a");
    EXPECT_EQ(ParsePageCommand(L"xx app://loadgame yy|http://g/").gameUrl.value_or(L"-"),
              L"http://g/")
        << "the first piece only has to contain the command";
}

TEST(PageCommand, LoadGameWithoutAnAddressCarriesNone) {
    for (const wchar_t* url :
         {L"app://loadgame", L"app://loadgame|", L"app://loadgame||http://g/"}) {
        const auto command = ParsePageCommand(url);
        EXPECT_EQ(command.kind, PageCommandKind::LoadGame) << url;
        EXPECT_FALSE(command.gameUrl) << url;
    }
}

} // namespace
