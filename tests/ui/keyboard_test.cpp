// The window's keys with real key input. The window runs under
// start_program on the main thread, exactly as in the program; a driver
// thread presses keys with SendInput and reads the outcome.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "win_test_support.h"

using ui::ControlId;

namespace {

DWORD gui_thread = 0;

HWND main_window() { return FindWindowW(ui::main_class_name, nullptr); }
HWND control(ControlId id) { return GetDlgItem(main_window(), static_cast<int>(id)); }

HWND focused() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(gui_thread, &info);
    return info.hwndFocus;
}

std::string name_of(HWND window) {
    for (const auto& row : ui::control_table) {
        if (control(row.id) == window) return "control " + std::to_string(static_cast<int>(row.id));
    }
    return window == main_window() ? "the main window" : "another window";
}

bool wait_until(const std::function<bool()>& condition, DWORD milliseconds = 3000) {
    const DWORD until = GetTickCount() + milliseconds;
    while (!condition()) {
        if (static_cast<LONG>(until - GetTickCount()) <= 0) return false;
        Sleep(10);
    }
    return true;
}

void key_event(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof input);
}

// Presses and releases `key`, with Shift held when asked, then gives the
// window's thread time to handle it.
void press(WORD key, bool shift = false) {
    if (shift) key_event(VK_SHIFT, false);
    key_event(key, false);
    key_event(key, true);
    if (shift) key_event(VK_SHIFT, true);
    Sleep(60);
    SendMessageW(main_window(), WM_NULL, 0, 0);  // the window's thread is idle again
}

void focus(ControlId id) {
    const HWND target = control(id);
    PostMessageW(main_window(), WM_APP, 0, reinterpret_cast<LPARAM>(target));
    ASSERT_TRUE(wait_until([&] { return focused() == target; })) << "could not focus " << name_of(target);
}

int checked_radio() {
    int checked = -1, count = 0;
    const ControlId radios[] = {ControlId::单选框1, ControlId::单选框2, ControlId::单选框3};
    for (int i = 0; i < 3; ++i) {
        if (SendMessageW(control(radios[i]), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            checked = i + 1;
            ++count;
        }
    }
    return count == 1 ? checked : -count;
}

std::wstring text_of(ControlId id) {
    wchar_t text[256];
    const int length = GetWindowTextW(control(id), text, 256);
    return std::wstring(text, static_cast<std::size_t>(length));
}

// Moves the focus on the window's own thread, where SetFocus must be called.
LRESULT CALLBACK focusing_hook(int code, WPARAM w, LPARAM l) {
    const auto* message = reinterpret_cast<const MSG*>(l);
    if (code == HC_ACTION && message->message == WM_APP && message->hwnd == main_window()) {
        SetFocus(reinterpret_cast<HWND>(message->lParam));
    }
    return CallNextHookEx(nullptr, code, w, l);
}

// Runs the program with `drive` on a second thread; returns start_program's code.
int run_program(const std::function<void()>& drive) {
    gui_thread = GetCurrentThreadId();
    ui::event_block_count = 0;  // each run here starts as a fresh process would
    bool drove = false;
    const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, focusing_hook, nullptr, gui_thread);
    std::thread driver([&] {
        if (wait_until([] { return main_window() != nullptr && ui::event_block_count == 0; }, 10000)) {
            EXPECT_TRUE(wait_until([] { return GetForegroundWindow() == main_window(); }, 2000));
            drive();
            drove = true;
        }
        if (main_window()) PostMessageW(main_window(), WM_CLOSE, 0, 0);
    });
    const int code = ui::start_program(GetModuleHandleW(nullptr));
    driver.join();
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(drove) << "the window was not ready";
    return code;
}

const ControlId tab_order[] = {ControlId::编辑框1, ControlId::按钮1,   ControlId::编辑框2,
                               ControlId::编辑框3, ControlId::单选框1, ControlId::单选框2,
                               ControlId::单选框3, ControlId::编辑框4, ControlId::编辑框5};

TEST(Keyboard, FocusOrderComesFromTheTable) {
    const auto& order = ui::focus_order();
    ASSERT_EQ(order.size(), 9u);
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], tab_order[i]) << i;
}

TEST(Keyboard, FirstFocusThenTabAndShiftTabFromEveryCandidate) {
    run_program([] {
        EXPECT_TRUE(wait_until([] { return focused() == control(ControlId::编辑框1); }))
            << "first focus on " << name_of(focused());
        for (int i = 0; i < 9; ++i) {
            const ControlId from = tab_order[i];
            focus(from);
            press(VK_TAB);
            const HWND next = control(tab_order[(i + 1) % 9]);
            EXPECT_TRUE(wait_until([&] { return focused() == next; }, 1000))
                << "Tab from " << name_of(control(from)) << " went to " << name_of(focused());
            focus(from);
            press(VK_TAB, true);
            const HWND previous = control(tab_order[(i + 8) % 9]);
            EXPECT_TRUE(wait_until([&] { return focused() == previous; }, 1000))
                << "Shift+Tab from " << name_of(control(from)) << " went to " << name_of(focused());
        }
        EXPECT_EQ(checked_radio(), 1) << "Tab over the radio buttons changed the check";
    });
}

TEST(Keyboard, ArrowsOnRadioButtonsMoveCheckAndFocusWithWrap) {
    struct Case {
        ControlId from;
        WORD key;
        ControlId to;
        int checked;
    };
    const Case cases[] = {
        {ControlId::单选框1, VK_RIGHT, ControlId::单选框2, 2}, {ControlId::单选框2, VK_RIGHT, ControlId::单选框3, 3},
        {ControlId::单选框3, VK_RIGHT, ControlId::单选框1, 1}, {ControlId::单选框1, VK_DOWN, ControlId::单选框2, 2},
        {ControlId::单选框3, VK_DOWN, ControlId::单选框1, 1},  {ControlId::单选框1, VK_LEFT, ControlId::单选框3, 3},
        {ControlId::单选框3, VK_LEFT, ControlId::单选框2, 2},  {ControlId::单选框2, VK_UP, ControlId::单选框1, 1},
        {ControlId::单选框1, VK_UP, ControlId::单选框3, 3},
    };
    run_program([&] {
        for (const Case& c : cases) {
            focus(c.from);
            press(c.key);
            const HWND to = control(c.to);
            EXPECT_TRUE(wait_until([&] { return focused() == to; }, 1000))
                << "key " << c.key << " from " << name_of(control(c.from)) << " focused " << name_of(focused());
            EXPECT_EQ(checked_radio(), c.checked) << "key " << c.key << " from " << name_of(control(c.from));
        }
    });
}

TEST(Keyboard, TabOntoAnUncheckedRadioButtonDoesNotCheckIt) {
    run_program([] {
        focus(ControlId::单选框1);
        press(VK_TAB);
        EXPECT_TRUE(wait_until([] { return focused() == control(ControlId::单选框2); }, 1000));
        EXPECT_EQ(checked_radio(), 1);
        press(VK_TAB);
        EXPECT_TRUE(wait_until([] { return focused() == control(ControlId::单选框3); }, 1000));
        EXPECT_EQ(checked_radio(), 1);
        press(VK_TAB, true);
        press(VK_TAB, true);
        EXPECT_EQ(checked_radio(), 1);
    });
}

TEST(Keyboard, EnterOnTheButtonDoesNothingAndSpaceClicksIt) {
    run_program([] {
        SetWindowTextW(control(ControlId::编辑框1), L"100");
        SetWindowTextW(control(ControlId::编辑框2), L"1.5");
        SetWindowTextW(control(ControlId::编辑框3), L"12");
        SetWindowTextW(control(ControlId::编辑框5), L"0.5");
        focus(ControlId::按钮1);
        press(VK_RETURN);
        Sleep(200);
        EXPECT_EQ(text_of(ControlId::编辑框4), L"\x8F93\x51FA\x7ED3\x679C") << "Enter clicked the button";  // 输出结果
        EXPECT_EQ(focused(), control(ControlId::按钮1)) << "Enter moved the focus";
        press(VK_F1);
        EXPECT_EQ(focused(), control(ControlId::按钮1));
        press(VK_SPACE);
        EXPECT_TRUE(wait_until([] { return text_of(ControlId::编辑框4) == L"10.766"; }, 2000))
            << "Space did not click the button";
        // Enter in an edit box changes nothing either.
        focus(ControlId::编辑框3);
        press(VK_RETURN);
        Sleep(100);
        EXPECT_EQ(text_of(ControlId::编辑框3), L"12");
        EXPECT_EQ(focused(), control(ControlId::编辑框3));
    });
}

TEST(Keyboard, EscInEachEditBoxClosesTheWindow) {
    for (const ControlId box :
         {ControlId::编辑框1, ControlId::编辑框2, ControlId::编辑框3, ControlId::编辑框4, ControlId::编辑框5}) {
        bool closed = false;
        const int code = run_program([&] {
            focus(box);
            press(VK_ESCAPE);
            closed = wait_until([] { return main_window() == nullptr; }, 2000);
        });
        EXPECT_TRUE(closed) << "Esc in control " << static_cast<int>(box);
        EXPECT_EQ(code, 0);
    }
}

TEST(Keyboard, ArrowsInAnEditBoxMoveTheCaret) {
    run_program([] {
        focus(ControlId::编辑框2);
        SetWindowTextW(control(ControlId::编辑框2), L"12345");
        SendMessageW(control(ControlId::编辑框2), EM_SETSEL, 5, 5);
        press(VK_LEFT);
        press(VK_LEFT);
        DWORD start = 0, end = 0;
        SendMessageW(control(ControlId::编辑框2), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 3u);
        EXPECT_EQ(end, 3u);
        press(VK_DOWN);
        press(VK_RIGHT);
        EXPECT_EQ(focused(), control(ControlId::编辑框2)) << "an arrow moved the focus";
        EXPECT_EQ(checked_radio(), 1);
    });
}

TEST(Keyboard, FocusReturnsAfterSwitchingToAnotherWindow) {
    run_program([] {
        focus(ControlId::编辑框3);
        // Another program's window takes the foreground, then gives it back.
        const HWND other = CreateWindowExW(0, L"Static", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(other);
        SetFocus(other);
        const bool switched = wait_until([&] {
            ui_test::pump();
            return GetForegroundWindow() == other;
        });
        EXPECT_TRUE(switched);
        SetForegroundWindow(main_window());
        EXPECT_TRUE(wait_until([] {
            ui_test::pump();
            return GetForegroundWindow() == main_window();
        }));
        EXPECT_TRUE(wait_until([] { return focused() == control(ControlId::编辑框3); }))
            << "focus came back to " << name_of(focused());
        DestroyWindow(other);
    });
}

}  // namespace
