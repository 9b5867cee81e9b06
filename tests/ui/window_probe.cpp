// Looks at the running program from another process, as a person's tools
// would: window_probe <command> [control id]
//   wait            until the main window is shown and takes input
//   text <id>       prints the control's text (WM_GETTEXT) as UTF-8
//   center <id>     prints the screen position of the control's centre
//   focus           prints the identifier of the focused control
//   close-button    sends the close button's message (WM_SYSCOMMAND SC_CLOSE)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND main_window() { return FindWindowW(L"XianShuaiTongMain", nullptr); }

int fail(const char* why) {
    std::fprintf(stderr, "window_probe: %s\n", why);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return fail("no command");
    const std::wstring command = argv[1];
    if (command == L"wait") {
        for (int i = 0; i < 600; ++i) {
            const HWND window = main_window();
            if (window && IsWindowVisible(window) && IsWindowEnabled(window)) {
                std::puts("ready");
                return 0;
            }
            Sleep(50);
        }
        return fail("no window");
    }
    const HWND window = main_window();
    if (!window) return fail("no window");
    if (command == L"close-button") {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (command == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
        return 0;
    }
    if (argc < 3) return fail("no control id");
    const HWND control = GetDlgItem(window, _wtoi(argv[2]));
    if (!control) return fail("no such control");
    if (command == L"text") {
        wchar_t text[4096];
        const auto length = static_cast<int>(SendMessageW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text)));
        char utf8[16384];
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, sizeof utf8, nullptr, nullptr);
        std::fwrite(utf8, 1, static_cast<std::size_t>(bytes), stdout);
        std::puts("");
        return 0;
    }
    if (command == L"center") {
        RECT r;
        GetWindowRect(control, &r);
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    return fail("unknown command");
}
