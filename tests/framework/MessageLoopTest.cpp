// Idle processing, key handlers and the end of the message loop.
#include <gtest/gtest.h>

#include "FrameworkTestSupport.h"
#include "MessageLoop.h"

namespace {

class CountingKeys : public KeyHandler {
public:
    explicit CountingKeys(bool consume) : consume_(consume) {}
    bool PreTranslate(MSG& message) override {
        if (message.message == WM_KEYDOWN) ++keys;
        return consume_ && message.message == WM_KEYDOWN;
    }
    int keys = 0;

private:
    bool consume_;
};

class FrameworkMessageLoop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.CreateFrame());
        PumpWaiting();
        loop.AddIdleHandler([this] { ++idleRuns; });
    }
    RecordingFrame frame;
    MessageLoop loop;
    int idleRuns = 0;
};

}  // namespace

TEST_F(FrameworkMessageLoop, IdleRunsOncePerBurstOfMessages) {
    for (int i = 0; i < 3; ++i) PostMessageA(frame.Handle(), WM_COMMAND, 100 + i, 0);
    ASSERT_TRUE(loop.PumpPending());
    EXPECT_EQ(3u, frame.commands.size());
    EXPECT_EQ(1, idleRuns);
    EXPECT_FALSE(loop.IsIdleDue());
    // Nothing new arrived: idle is not due again.
    loop.PumpPending();
    EXPECT_EQ(1, idleRuns);
}

TEST_F(FrameworkMessageLoop, IdleIsDueAgainAfterACommandButNotAfterAMouseMove) {
    loop.PumpPending();
    const int afterStart = idleRuns;
    PostMessageA(frame.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    loop.PumpPending();
    EXPECT_EQ(afterStart, idleRuns);
    PostMessageA(frame.Handle(), WM_COMMAND, 7, 0);
    loop.PumpPending();
    EXPECT_EQ(afterStart + 1, idleRuns);
}

TEST(FrameworkIdleMessages, OnlyStateChangingMessagesMakeIdleDue) {
    EXPECT_FALSE(MessageMakesIdleDue(WM_PAINT));
    EXPECT_FALSE(MessageMakesIdleDue(WM_MOUSEMOVE));
    EXPECT_FALSE(MessageMakesIdleDue(WM_NCMOUSEMOVE));
    EXPECT_FALSE(MessageMakesIdleDue(0x0118));
    EXPECT_TRUE(MessageMakesIdleDue(WM_COMMAND));
    EXPECT_TRUE(MessageMakesIdleDue(WM_KEYDOWN));
    EXPECT_TRUE(MessageMakesIdleDue(WM_TIMER));
}

TEST_F(FrameworkMessageLoop, KeyHandlersAreAskedInOrderUntilOneConsumes) {
    CountingKeys first(true);
    CountingKeys second(false);
    loop.AddKeyHandler(&first);
    loop.AddKeyHandler(&second);
    PostMessageA(frame.Handle(), WM_KEYDOWN, 'A', 0);
    loop.PumpPending();
    EXPECT_EQ(1, first.keys);
    EXPECT_EQ(0, second.keys);
    loop.RemoveKeyHandler(&first);
    PostMessageA(frame.Handle(), WM_KEYDOWN, 'A', 0);
    loop.PumpPending();
    EXPECT_EQ(1, second.keys);
}

TEST_F(FrameworkMessageLoop, AcceleratorsTurnKeysIntoCommands) {
    ACCEL entry = {FVIRTKEY | FCONTROL, 'N', 57600};
    HACCEL table = CreateAcceleratorTableA(&entry, 1);
    AcceleratorKeys accelerators(frame.Handle(), table);
    loop.AddKeyHandler(&accelerators);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(frame.Handle(), WM_KEYDOWN, 'N', 0);
    loop.PumpPending();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    DestroyAcceleratorTable(table);
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(57600u, frame.commands[0]);
}

TEST_F(FrameworkMessageLoop, RunReturnsTheQuitCodeAfterProcessingWhatCameFirst) {
    PostMessageA(frame.Handle(), WM_COMMAND, 9, 0);
    PostQuitMessage(7);
    EXPECT_EQ(7, loop.Run());
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(9u, frame.commands[0]);
    // Messages were waiting all along: idle had to wait for an empty queue.
    EXPECT_EQ(0, idleRuns);
}

TEST_F(FrameworkMessageLoop, RunRunsIdleOnceTheQueueIsEmpty) {
    loop.AddIdleHandler([] { PostQuitMessage(5); });
    PostMessageA(frame.Handle(), WM_COMMAND, 9, 0);
    EXPECT_EQ(5, loop.Run());
    EXPECT_EQ(1u, frame.commands.size());
    EXPECT_EQ(1, idleRuns);
}

TEST_F(FrameworkMessageLoop, PumpPendingStopsAtQuit) {
    PostQuitMessage(3);
    EXPECT_FALSE(loop.PumpPending());
    EXPECT_EQ(3, loop.QuitCode());
}

TEST_F(FrameworkMessageLoop, RemovedIdleHandlerNoLongerRuns) {
    int other = 0;
    const int id = loop.AddIdleHandler([&other] { ++other; });
    loop.RunIdleHandlers();
    loop.RemoveIdleHandler(id);
    loop.RunIdleHandlers();
    EXPECT_EQ(1, other);
    EXPECT_EQ(2, idleRuns);
}
