#include "login/core/PageCommand.h"

#include "browser/core/NewWindowGate.h"
#include "browser/core/OperatorHosts.h"
#include "browser/core/WebAddress.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using browser::Navigation;
using browser::OperatorHosts;
using browser::ParseWebAddress;
using login::DecidePageCommand;
using login::PageCommandKind;
using login::ParsePageCommand;

std::wstring Parts(const std::wstring& url) {
    const auto parsed = ParseWebAddress(url);
    return parsed ? parsed->scheme + L" " + parsed->host + L" " + std::to_wstring(parsed->port) +
                        (parsed->namesPort ? L" named" : L"")
                  : L"refused";
}

TEST(WebAddress, ReadsSchemeHostAndPortOfPlainAddresses) {
    for (const auto& [url, parts] :
         std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"http://Op.Example.COM/micro/", L"http op.example.com 80"},
             {L"HTTPS://op.example.com:8443?x=1", L"https op.example.com 8443 named"},
             {L"https://op.example.com#top", L"https op.example.com 443"},
             {L"http://op.example.com.#top", L"http op.example.com 80"},
             {L"http://127.0.0.1:8641", L"http 127.0.0.1 8641 named"},
             {L"https://op.com:80/", L"https op.com 80 named"},
             {L"http://op.com:00080/", L"http op.com 80 named"},
             {L"http://op.com:65535/", L"http op.com 65535 named"},
             {L"http://[::1]:8641/", L"http [::1] 8641 named"},
             {L"http://[FE80::1]/", L"http [fe80::1] 80"},
             {L"http://op.com/a\\b@c%20d:1", L"http op.com 80"},
         }) {
        EXPECT_EQ(Parts(url), parts) << url;
    }
}

TEST(WebAddress, RefusesWhatCouldBeReadTwoWays) {
    for (const wchar_t* url : {
             L"http://op.com@evil.com/",
             L"http://user:pw@op.com/",
             L"http://evil.com\\@op.com/",
             L"http://op.com\\.evil.com/",
             L"http://op%2ecom/",
             L"http://op.com%00.evil.com/",
             L"http://op.com:80:80/",
             L"http://op.com:/",
             L"http://op.com:99999/",
             L"http://op.com:65536/",
             L"http://op.com:-1/",
             L"http://op.com:8o/",
             L"http://[::1/",
             L"http://[::1]x/",
             L"http://[op.com]/",
             L"http://op..com/",
             L"http://.op.com/",
             L"http://op.com../",
             L"http:///op.com/",
             L"http:op.com/",
             L"http://op.com /",
             L"http://op.com\t/",
             L"http://op.com\n.evil/",
             L"http://ор.com/",
             L"http://op_com/",
             L"ftp://op.com/",
             L"file:///C:/",
             L"\\\\op.com\\share",
             L" http://op.com/",
             L"javascript:alert(1)",
             L"http://",
             L"",
         }) {
        EXPECT_EQ(Parts(url), L"refused") << url;
    }
}

TEST(OperatorHosts, HostsAndPortsOfTheAddressesAndTheExtraListInAnyCase) {
    const OperatorHosts hosts(
        {L"http://127.0.0.1:8640/update.txt", L"http://Game.Example.com/"},
        L" cdn.example.net ; *.Example.org;bad/entry;op.com:80;[::1]:8641;*.example.net:8443;"
        L"h.example:443;*.com;*.;*;*.[::2];x.example:99999;u@y.example;;");
    for (const auto& [url, trusted] : std::initializer_list<std::pair<const wchar_t*, bool>>{
             {L"http://127.0.0.1:8640/", true},
             {L"http://127.0.0.1/", false},
             {L"http://127.0.0.1:8641/", false},
             {L"http://game.example.com/", true},
             {L"https://game.example.com/", true},
             {L"http://game.example.com:8080/", true},
             {L"HTTP://GAME.EXAMPLE.COM./play", true},
             {L"http://cdn.example.net:1234/", true},
             {L"http://a.example.org/", true},
             {L"http://a.b.example.org/", true},
             {L"http://example.org/", false},
             {L"http://badexample.org/", false},
             {L"http://op.com/", true},
             {L"http://op.com:80/", true},
             {L"https://op.com/", false},
             {L"http://op.com:8080/", false},
             {L"http://[::1]:8641/", true},
             {L"http://[::1]/", false},
             {L"https://a.example.net:8443/", true},
             {L"https://a.example.net/", false},
             {L"https://example.net:8443/", false},
             {L"https://h.example/", true},
             {L"http://h.example/", false},
             {L"http://evil.com/", false},
             {L"http://[::2]/", false},
             {L"http://x.example/", false},
             {L"http://y.example/", false},
             {L"http://bad/", false},
             {L"http://game.example.com@evil.com/", false},
             {L"http://game.example.com.evil.com/", false},
             {L"ftp://game.example.com/", false},
             {L"", false},
         }) {
        EXPECT_EQ(hosts.IsOperatorPage(url), trusted) << url;
    }
}

TEST(PageCommand, TheAddressMustStartWithTheCommand) {
    EXPECT_EQ(ParsePageCommand(L"app://exitgame").kind, PageCommandKind::ExitGame);
    EXPECT_EQ(ParsePageCommand(L"APP://ExitGame/").kind, PageCommandKind::ExitGame);
    EXPECT_EQ(ParsePageCommand(L"app://minimize?from=page").kind, PageCommandKind::Minimize);
    EXPECT_EQ(ParsePageCommand(L"app://minimizeX").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"app://exitgame|x").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"http://x/a?next=app://minimize").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"xx app://exitgame").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"app://loadgame").kind, PageCommandKind::None);
    EXPECT_EQ(ParsePageCommand(L"app://other").kind, PageCommandKind::None);
}

TEST(PageCommand, LoadGameTakesTheSecondPieceOnly) {
    const auto plain = ParsePageCommand(L"App://LoadGame|http://game/?u=1");
    EXPECT_EQ(plain.kind, PageCommandKind::LoadGame);
    EXPECT_EQ(plain.gameUrl.value_or(L"-"), L"http://game/?u=1");
    EXPECT_EQ(ParsePageCommand(L"app://loadgame|http://g/a|b|c").gameUrl.value_or(L"-"),
              L"http://g/a");
    for (const wchar_t* url : {L"app://loadgame|", L"app://loadgame||http://g/"}) {
        const auto command = ParsePageCommand(url);
        EXPECT_EQ(command.kind, PageCommandKind::LoadGame) << url;
        EXPECT_FALSE(command.gameUrl) << url;
    }
}

TEST(NavigationFailure, AnHttpStatusBringsAPageAnyOtherFailureNone) {
    using browser::FailureOfStatus;
    using browser::NavigationFailure;
    for (long status : {100l, 404l, 500l, 503l, 599l}) {
        EXPECT_EQ(FailureOfStatus(status), NavigationFailure::ErrorPage) << status;
    }
    for (unsigned long result : {0x800C0005ul /* name not found */, 0x800C0004ul /* connect */,
                                 0x800C000Bul /* time-out */, 0x80040154ul /* no renderer */,
                                 0x800C000Eul /* security */, 0ul, 99ul, 600ul}) {
        EXPECT_EQ(FailureOfStatus(static_cast<long>(result)), NavigationFailure::NoPage) << result;
    }
}

TEST(NewWindowGate, OnlyWhatTheUserAskedForAndOneASecond) {
    browser::NewWindowGate gate;
    EXPECT_FALSE(gate.Allow(false, 5000)) << "a script's pop-up";
    EXPECT_TRUE(gate.Allow(true, 5000));
    EXPECT_FALSE(gate.Allow(true, 5999));
    EXPECT_FALSE(gate.Allow(false, 7000));
    EXPECT_TRUE(gate.Allow(true, 6000));
    EXPECT_FALSE(gate.Allow(true, 6001));
}

class PageCommandTrust : public testing::Test {
protected:
    using Documents = std::vector<std::wstring>;
    login::PageCommandDecision Decide(const std::wstring& url, bool topLevel = true,
                                      Documents documents = {L"http://op.com/micro/"}) {
        return DecidePageCommand(Navigation{url, topLevel, std::move(documents)}, hosts);
    }
    OperatorHosts hosts{{L"http://op.com/micro/"}, L"*.op.net"};
};

// Nothing says which document navigates: every one of them must be the
// operator's, whichever frame the request names.
TEST_F(PageCommandTrust, CommandsCountOnlyFromPagesWhoseEveryDocumentIsTheOperators) {
    EXPECT_EQ(Decide(L"app://exitgame").command.kind, PageCommandKind::ExitGame);
    EXPECT_EQ(Decide(L"app://minimize", false, {L"http://op.com/micro/", L"http://ads.op.net/f"})
                  .command.kind,
              PageCommandKind::Minimize)
        << "frames of the operator's own";
    for (const Documents& documents :
         std::initializer_list<Documents>{{L"http://op.com/micro/", L"http://ads.example/frame"},
                                          {L"http://evil.com/", L"http://op.com/micro/"},
                                          {L"http://op.com/micro/", L""},
                                          {L"about:blank"},
                                          {L"http://op.com@ads.example/"},
                                          {}}) {
        for (const bool top : {true, false}) {
            const auto decision = Decide(L"app://exitgame", top, documents);
            EXPECT_TRUE(decision.cancel) << documents.size();
            EXPECT_EQ(decision.command.kind, PageCommandKind::None) << documents.size();
        }
    }
}

TEST_F(PageCommandTrust, TheLoginTopDocumentStaysOnOperatorPagesFramesGoAnywhere) {
    const auto keeps = [&](const std::wstring& url, bool topLevel) {
        return login::KeepsLoginOnOperatorHosts(Navigation{url, topLevel, {}}, hosts);
    };
    EXPECT_TRUE(keeps(L"https://a.op.net/next", true));
    EXPECT_TRUE(keeps(L"javascript:void(0)", true)) << "runs in place";
    EXPECT_TRUE(keeps(L"http://ads.example/", false)) << "a frame";
    for (const wchar_t* away : {L"http://evil.com/micro/", L"http://op.com@evil.com/",
                                L"about:blank", L"http://op.net/"}) {
        EXPECT_FALSE(keeps(away, true)) << away;
    }
}

TEST_F(PageCommandTrust, EveryAppAddressIsCancelledAndOthersPass) {
    EXPECT_TRUE(Decide(L"APP:whatever").cancel);
    EXPECT_TRUE(Decide(L"app://loadgame").cancel);
    EXPECT_TRUE(Decide(L"app://exitgame", false, {L"http://evil.com/"}).cancel);
    const auto plain = Decide(L"http://op.com/?r=app://exitgame");
    EXPECT_FALSE(plain.cancel);
    EXPECT_EQ(plain.command.kind, PageCommandKind::None);
}

TEST_F(PageCommandTrust, TheGameMustBeTheOperatorsWebPage) {
    const auto good = Decide(L"app://loadgame|HTTPS://a.op.net:8443/game/");
    EXPECT_EQ(good.command.kind, PageCommandKind::LoadGame);
    EXPECT_EQ(good.command.gameUrl.value_or(L"-"), L"HTTPS://a.op.net:8443/game/");
    const std::wstring longest = L"http://op.com/" + std::wstring(2048 - 14, L'a');
    EXPECT_EQ(Decide(L"app://loadgame|" + longest).command.kind, PageCommandKind::LoadGame);
    for (const std::wstring& game : std::initializer_list<std::wstring>{
             L"http://evil.com/", L"file:///C:/", L"\\\\op.com\\share", L"//op.com/game",
             L"javascript:alert(1)", L"http://op.com@evil.com/", L"http://op.com/\x01",
             longest + L"a", std::wstring()}) {
        const auto decision = Decide(L"app://loadgame|" + game);
        EXPECT_TRUE(decision.cancel) << game;
        EXPECT_EQ(decision.command.kind, PageCommandKind::None) << game;
    }
}

} // namespace
