// Whatever is pasted into the boxes, a click neither crashes nor loses the
// text: the result is the one the calculation gives for what read_text
// returns.
#include <gtest/gtest.h>

#include <string>

#include "calc/voltage_drop.h"
#include "ui/main_window.h"
#include "win_test_support.h"

using calc::Control;
using ui::ControlId;

namespace {

bool paste(HWND box, const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, target);
    GlobalUnlock(memory);
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    SetWindowTextW(box, L"");
    SendMessageW(box, WM_PASTE, 0, 0);
    return set;
}

std::string text_or_empty(const calc::OptionalText& t) { return t.value_or(""); }

TEST(HostileInput, PastedTextsThenAClick) {
    ui::MainWindow window;
    ASSERT_TRUE(window.create(GetModuleHandleW(nullptr)));
    const struct {
        const char* what;
        std::wstring text;
    } cases[] = {
        {"100 000 digits", std::wstring(100000, L'7')},
        {"100 000 full-width digits", std::wstring(100000, L'\xFF13')},
        {"characters outside code page 936", L"1\x0E01\x0E02" L"5\xD83D\xDE00" L"0"},
        {"embedded CR LF", L"12\r\n34"},
        {"only CR LF", L"\r\n\r\n"},
        {"a lone surrogate", L"\xD800" L"3"},
        {"NUL-free control characters", L"\x01\x02\x1B" L"9"},
    };
    const ControlId boxes[] = {ControlId::编辑框1, ControlId::编辑框2, ControlId::编辑框3, ControlId::编辑框5};
    const Control names[] = {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框5};
    for (const auto& c : cases) {
        for (int b = 0; b < 4; ++b) {
            for (int other = 0; other < 4; ++other) SetWindowTextW(window.control(boxes[other]), L"2");
            ASSERT_TRUE(paste(window.control(boxes[b]), c.text)) << c.what;
            ui_test::pump();
            const std::string texts[4] = {text_or_empty(window.read_text(Control::编辑框1)),
                                          text_or_empty(window.read_text(Control::编辑框2)),
                                          text_or_empty(window.read_text(Control::编辑框3)),
                                          text_or_empty(window.read_text(Control::编辑框5))};
            // Every character the box holds reads as at least one byte (a
            // single-line box keeps a pasted text up to its first line break).
            const int length = GetWindowTextLengthW(window.control(boxes[b]));
            EXPECT_GE(texts[b].size(), static_cast<std::size_t>(length) / 2) << c.what << ": text was lost";
            if (length > 0) {
                EXPECT_FALSE(texts[b].empty()) << c.what;
            }
            calc::run_voltage_calculation(window);
            const std::string expected =
                calc::compute_end_voltage(texts[0], texts[1], texts[2], texts[3], calc::material_table[0].resistivity);
            EXPECT_EQ(text_or_empty(window.read_text(Control::编辑框4)), expected)
                << c.what << " in box " << static_cast<int>(names[b]);
        }
    }
    DestroyWindow(window.handle());
}

}  // namespace
