#include "platform/win/Win32Window.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class Win32WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuarnelTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"QuarnelTestWindow", L"Quarnel", WS_OVERLAPPEDWINDOW, 40, 50, 300, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }

    void TearDown() override
    {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }

    HWND window = nullptr;
};

} // namespace

TEST_F(Win32WindowTest, BecomesTopMostWithoutMovingOrResizing)
{
    RECT before = {};
    ASSERT_TRUE(GetWindowRect(window, &before));
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    ASSERT_TRUE(win32::setWindowTopMost(window));

    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT after = {};
    ASSERT_TRUE(GetWindowRect(window, &after));
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(before.bottom, after.bottom);
}

TEST(Win32Window, RejectsMissingWindow)
{
    EXPECT_FALSE(win32::setWindowTopMost(nullptr));
}
