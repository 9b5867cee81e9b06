// The live main window, read back control by control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/program.h"
#include "win_test_support.h"

using calc::Control;
using calc::OptionalText;
using ui::ControlId;
using ui::MainWindow;
using ui_test::escaped;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.create(GetModuleHandleW(nullptr)));
        ui_test::pump();
    }
    void TearDown() override {
        if (window.handle()) DestroyWindow(window.handle());
        ui_test::pump();
    }
    std::string text_of(HWND control) {
        const int length = GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        return MainWindow::to_cp936(text);
    }
    MainWindow window;
};

// What every control must be, written out independently of the layout table.
struct ExpectedControl {
    ControlId id;
    const wchar_t* class_name;
    DWORD style;  // bits that must be set
    DWORD extended_style;
    int left, top, width, height;
    const char* text;  // code page 936
};

constexpr DWORD edit_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD radio_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER;
constexpr DWORD button_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD label_style = WS_CHILD | WS_VISIBLE;

const ExpectedControl expected_controls[] = {
    {ControlId::编辑框1, L"Edit", edit_style, WS_EX_CLIENTEDGE, 350, 60, 200, 20, ""},
    {ControlId::按钮1, L"Button", button_style, 0, 376, 216, 136, 32, "\xBC\xC6\xCB\xE3\xCB\xA5\xBC\xF5\xBA\xF3\xB5\xE7\xD1\xB9"},
    {ControlId::标签1, ui::label_class_name, label_style, 0, 257, 8, 64, 40, "\xD1\xA1\xD4\xF1\xCF\xDF\xB2\xC4"},
    {ControlId::编辑框2, L"Edit", edit_style, WS_EX_CLIENTEDGE, 350, 100, 200, 20, ""},
    {ControlId::标签2, ui::label_class_name, label_style, 0, 250, 48, 96, 40, "\xCF\xDF\xB2\xC4\xB3\xA4\xB6\xC8\xA3\xA8\xC3\xD7\xA3\xA9"},
    {ControlId::标签3, ui::label_class_name, label_style, 0, 248, 144, 88, 16, "\xB9\xA9\xB5\xE7\xB5\xE7\xD1\xB9\xA3\xA8v\xA3\xA9"},
    {ControlId::编辑框3, L"Edit", edit_style, WS_EX_CLIENTEDGE, 350, 140, 200, 20, ""},
    {ControlId::标签4, ui::label_class_name, label_style, 0, 216, 106, 128, 17, "\xCF\xDF\xB2\xC4\xBD\xD8\xC3\xE6\xA3\xA8\xC6\xBD\xB7\xBD\xBA\xC1\xC3\xD7\xA3\xA9"},
    {ControlId::单选框1, L"Button", radio_style, 0, 350, 16, 80, 24, "\xB9\xFA\xB1\xEA\xCD\xAD"},
    {ControlId::单选框2, L"Button", radio_style, 0, 430, 16, 80, 24, "\xB7\xC7\xB1\xEA\xCD\xAD"},
    {ControlId::单选框3, L"Button", radio_style, 0, 510, 16, 80, 24, "\xC2\xC1\xCF\xDF"},
    {ControlId::编辑框4, L"Edit", edit_style, WS_EX_CLIENTEDGE, 350, 264, 200, 20, "\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB"},
    {ControlId::标签5, ui::label_class_name, label_style, 0, 261, 259, 70, 32, "\xCB\xA5\xBC\xF5\xBA\xF3\xB5\xE7\xD1\xB9v"},
    {ControlId::编辑框5, L"Edit", edit_style, WS_EX_CLIENTEDGE, 350, 180, 200, 20, ""},
    {ControlId::标签6, ui::label_class_name, label_style, 0, 241, 184, 96, 16, "\xC9\xE8\xB1\xB8\xB9\xA4\xD7\xF7\xB5\xE7\xC1\xF7(A)"},
    {ControlId::标签7, ui::label_class_name, label_style, 0, 16, 24, 176, 256, nullptr},
    {ControlId::标签8, ui::label_class_name, label_style, 0, 94, 296, 386, 16, nullptr},
};

TEST_F(MainWindowTest, WindowStylesSizeAndPlace) {
    const HWND main = window.handle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(main, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN), WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0u);
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    EXPECT_EQ(GetMenu(main), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 571);
    EXPECT_EQ(r.bottom - r.top, 352);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 571) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 352) / 2);
    EXPECT_TRUE(IsWindowVisible(main));
    wchar_t title[64];
    GetWindowTextW(main, title, 64);
    // 电源线电压衰减计算工具--线衰通v1.0
    EXPECT_EQ(escaped(MainWindow::to_cp936(title)),
              escaped("\xB5\xE7\xD4\xB4\xCF\xDF\xB5\xE7\xD1\xB9\xCB\xA5\xBC\xF5\xBC\xC6\xCB\xE3\xB9\xA4\xBE\xDF--"
                      "\xCF\xDF\xCB\xA5\xCD\xA8v1.0"));
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, SeventeenControlsInCreationOrder) {
    std::vector<int> ids;
    for (HWND child = GetWindow(window.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ids.push_back(GetDlgCtrlID(child));
    }
    ASSERT_EQ(ids.size(), 17u);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i], static_cast<int>(expected_controls[i].id)) << "child " << i;
    }
}

TEST_F(MainWindowTest, EachControlsKindPlaceTextAndFont) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ExpectedControl& e : expected_controls) {
        const HWND c = window.control(e.id);
        ASSERT_NE(c, nullptr) << static_cast<int>(e.id);
        const int id = static_cast<int>(e.id);
        wchar_t class_name[64];
        GetClassNameW(c, class_name, 64);
        EXPECT_EQ(lstrcmpiW(class_name, e.class_name), 0) << id;
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(c, GWL_STYLE));
        EXPECT_EQ(style & e.style, e.style) << id << " style " << std::hex << style;
        EXPECT_EQ(style & WS_GROUP, 0u) << id;
        EXPECT_EQ(style & WS_DISABLED, 0u) << id;
        if (e.class_name == std::wstring(L"Button")) {
            EXPECT_NE(style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON)) << id;
            EXPECT_EQ(style & (BS_PUSHLIKE | BS_FLAT), 0u) << id;
        }
        if (e.class_name == std::wstring(L"Edit")) {
            EXPECT_EQ(style & (ES_READONLY | ES_PASSWORD | ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE | ES_MULTILINE |
                               ES_NOHIDESEL | ES_CENTER | ES_RIGHT),
                      0u)
                << id;
        }
        if (e.class_name == std::wstring(ui::label_class_name)) {
            EXPECT_EQ(style & WS_TABSTOP, 0u) << id;
        }
        const auto extended = static_cast<DWORD>(GetWindowLongPtrW(c, GWL_EXSTYLE));
        EXPECT_EQ(extended & WS_EX_CLIENTEDGE, e.extended_style) << id;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.left) << id;
        EXPECT_EQ(r.top, e.top) << id;
        EXPECT_EQ(r.right - r.left, e.width) << id;
        EXPECT_EQ(r.bottom - r.top, e.height) << id;
        if (e.text) {
            EXPECT_EQ(escaped(text_of(c)), escaped(e.text)) << id;
        }
        EXPECT_EQ(SendMessageW(c, WM_GETFONT, 0, 0), static_cast<LRESULT>(font)) << id;
    }
}

TEST_F(MainWindowTest, UsageTextAndContactLine) {
    const std::string usage = text_of(window.control(ControlId::标签7));
    // 线衰通使用说明：, then an empty line, then two-space indents.
    EXPECT_EQ(escaped(usage.substr(0, 20)), escaped("\xCF\xDF\xCB\xA5\xCD\xA8\xCA\xB9\xD3\xC3\xCB\xB5\xC3\xF7\xA3\xBA\r\n\r\n"));
    EXPECT_EQ(usage.substr(20, 2), "  ");
    EXPECT_EQ(usage.size(), 438u);
    EXPECT_NE(usage.find("RVV2X1.5"), std::string::npos);
    EXPECT_NE(usage.back(), '\n');
    // ...具体可咨询厂家。 with no line break after it
    EXPECT_EQ(escaped(usage.substr(usage.size() - 16)),
              escaped("\xBE\xDF\xCC\xE5\xBF\xC9\xD7\xC9\xD1\xAF\xB3\xA7\xBC\xD2\xA1\xA3"));
    const std::string contact = text_of(window.control(ControlId::标签8));
    // 穹岭科技, three spaces, 网址：
    EXPECT_EQ(escaped(contact.substr(0, 17)), escaped("\xF1\xB7\xC1\xEB\xBF\xC6\xBC\xBC   \xCD\xF8\xD6\xB7\xA3\xBA"));
    EXPECT_NE(contact.find(" QQ\xA3\xBA"), std::string::npos);
}

TEST_F(MainWindowTest, InitialStateThroughControlAccess) {
    EXPECT_EQ(window.read_text(Control::编辑框4), OptionalText("\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB"));
    for (const Control c : {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框5}) {
        EXPECT_EQ(window.read_text(c), std::nullopt);
    }
    EXPECT_EQ(window.read_checked(Control::单选框1), 1);
    EXPECT_EQ(window.read_checked(Control::单选框2), 0);
    EXPECT_EQ(window.read_checked(Control::单选框3), 0);
}

TEST_F(MainWindowTest, WriteThenReadGivesTheSameBytes) {
    const std::vector<std::string> texts = {
        "10.766",
        "\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB",          // 输出结果
        "\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5V",          // １２．５V
        "-1.#IND",
        std::string(30000, '7'),
        "tab\tand spaces ",
    };
    for (const std::string& text : texts) {
        window.write_text(Control::编辑框4, text);
        const OptionalText back = window.read_text(Control::编辑框4);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->size(), text.size());
        EXPECT_EQ(escaped(*back), escaped(text));
    }
    window.write_text(Control::编辑框4, std::nullopt);
    EXPECT_EQ(window.read_text(Control::编辑框4), std::nullopt);
    EXPECT_EQ(GetWindowTextLengthW(window.control(ControlId::编辑框4)), 0);
    window.write_text(Control::编辑框2, std::string("\xB9\xFA"));
    EXPECT_EQ(window.read_text(Control::编辑框2), OptionalText("\xB9\xFA"));
}

TEST_F(MainWindowTest, CharactersOutsideCodePage936ReadAsQuestionMarks) {
    // Thai ko kai (U+0E01) has no code page 936 form; it reads as '?' and
    // the rest of the text is kept.
    SetWindowTextW(window.control(ControlId::编辑框1), L"1\x0E01" L"5\x7535");  // 1, ko kai, 5, 电
    EXPECT_EQ(escaped(window.read_text(Control::编辑框1).value_or("")), escaped("1?5\xB5\xE7"));
    SetWindowTextW(window.control(ControlId::编辑框1), L"\x0E01\x0E01\x0E01" L"42");
    EXPECT_EQ(window.read_text(Control::编辑框1).value_or(""), "???42");
}

TEST_F(MainWindowTest, RadioButtonsExcludeOneAnother) {
    const ControlId radios[] = {ControlId::单选框1, ControlId::单选框2, ControlId::单选框3};
    const Control flags[] = {Control::单选框1, Control::单选框2, Control::单选框3};
    const int clicks[] = {1, 2, 2, 0, 2, 1, 0, 0};
    for (const int clicked : clicks) {
        SendMessageW(window.control(radios[clicked]), BM_CLICK, 0, 0);
        ui_test::pump();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(window.read_checked(flags[i]), i == clicked ? 1 : 0) << "after a click on " << clicked;
        }
    }
}

TEST(Conversion, ExplicitCodePage936WhateverTheAnsiCodePage) {
    EXPECT_EQ(MainWindow::to_utf16("\xB5\xE7"), L"\x7535");  // 电
    EXPECT_EQ(MainWindow::to_cp936(L"\x7535\xFF11"), "\xB5\xE7\xA3\xB1");
    wchar_t buffer[4];
    EXPECT_EQ(MainWindow::to_utf16("abcdef", buffer, 4), 3);
    EXPECT_EQ(std::wstring(buffer), L"abc");
}

}  // namespace
