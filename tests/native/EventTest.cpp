#include "forms/core/Event.h"

#include <gtest/gtest.h>

namespace {

TEST(Event, ReachesTheConnectedOwnerWhoCanAnswerThroughReferences) {
    forms::Event<int, bool&> closing;
    int seen = 0;
    const forms::Connection connection = closing.Connect([&](int tab, bool& cancel) {
        seen = tab;
        cancel = tab == 2;
    });
    bool cancel = false;
    closing(2, cancel);
    EXPECT_EQ(seen, 2);
    EXPECT_TRUE(cancel);
}

TEST(Event, WithoutAnOwnerNothingHappens) {
    forms::Event<bool&> event;
    bool flag = false;
    event(flag);
    EXPECT_FALSE(event.Connected());
    EXPECT_FALSE(flag);
}

TEST(Event, AHandlerMayDisconnectItselfWhileRunning) {
    forms::Event<> click;
    int calls = 0;
    forms::Connection connection;
    connection = click.Connect([&] {
        ++calls;
        connection.Disconnect();
        ++calls; // still alive: the event runs a copy
    });
    click();
    click();
    EXPECT_EQ(calls, 2);
}

TEST(Event, TheConnectionGoingDisconnectsOnlyItsOwnHandler) {
    forms::Event<> click;
    int first = 0, second = 0;
    {
        const forms::Connection connection = click.Connect([&] { ++first; });
        click();
    }
    click();
    EXPECT_EQ(first, 1) << "gone with its connection";
    EXPECT_FALSE(click.Connected());

    forms::Connection replaced = click.Connect([&] { ++first; });
    const forms::Connection current = click.Connect([&] { ++second; });
    replaced.Disconnect(); // a replaced connection leaves the newer handler alone
    click();
    EXPECT_EQ(second, 1);
}

} // namespace
