// Binding of Window objects to their windows.
#include <gtest/gtest.h>

#include "FrameworkTestSupport.h"

TEST(FrameworkWindow, BindsTheObjectBeforeWmCreate) {
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    EXPECT_EQ(1, frame.created);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&frame),
              GetWindowLongPtrA(frame.Handle(), GWLP_USERDATA));
    EXPECT_EQ(&frame, Window::FromHandle(frame.Handle()));
}

TEST(FrameworkWindow, ExceptionInAHandlerDoesNotEscapeTheWindowProcedure) {
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    frame.throwOnCommand = true;
    SendMessageA(frame.Handle(), WM_COMMAND, 42, 0);
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(42u, frame.commands[0]);
    // The window keeps working after the failed message.
    frame.throwOnCommand = false;
    SendMessageA(frame.Handle(), WM_COMMAND, 43, 0);
    EXPECT_EQ(2u, frame.commands.size());
}

TEST(FrameworkWindow, DestroyingTheWindowUnbindsTheObject) {
    RecordingFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    HWND window = frame.Handle();
    DestroyWindow(window);
    EXPECT_EQ(nullptr, frame.Handle());
    EXPECT_FALSE(IsWindow(window));
}

TEST(FrameworkWindow, RegisteringAClassTwiceSucceeds) {
    WindowClass windowClass;
    windowClass.name = "VantrelTestTwice";
    EXPECT_TRUE(Window::RegisterWindowClass(windowClass));
    EXPECT_TRUE(Window::RegisterWindowClass(windowClass));
}
