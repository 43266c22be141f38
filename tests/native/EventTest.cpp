#include "forms/core/Event.h"

#include <gtest/gtest.h>

namespace {

TEST(Event, ReachesTheConnectedOwnerWhoCanAnswerThroughReferences) {
    forms::Event<int, bool&> closing;
    int seen = 0;
    closing.Connect([&](int tab, bool& cancel) {
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
    click.Connect([&] {
        ++calls;
        click.Disconnect();
        ++calls; // still alive: the event runs a copy
    });
    click();
    click();
    EXPECT_EQ(calls, 2);
}

} // namespace
