// Times a window program from its process start: until its main window is
// visible, and until the first click on its button (1002) has put a text
// into its result box (1012). Prints both in milliseconds, then closes it.
//   startup_timer <program.exe>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK find_visible(HWND window, LPARAM l) {
    auto* search = reinterpret_cast<Search*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window) && GetDlgItem(window, 1002)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return 3;
    }
    Search search{process.dwProcessId, nullptr};
    while (!search.found) {
        EnumWindows(find_visible, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
        if (since(start) > 30000) return 4;
    }
    const double shown = since(start);
    const HWND window = search.found;
    // The Overview's example; the result box must change from what it shows.
    SetDlgItemTextW(window, 1001, L"100");
    SetDlgItemTextW(window, 1004, L"1.5");
    SetDlgItemTextW(window, 1007, L"12");
    SetDlgItemTextW(window, 1014, L"0.5");
    // A window may show itself before it takes clicks: click until one counts.
    wchar_t result[64] = L"";
    while (lstrcmpW(result, L"10.766") != 0) {
        SendMessageW(GetDlgItem(window, 1002), BM_CLICK, 0, 0);
        GetDlgItemTextW(window, 1012, result, 64);
        if (since(start) > 30000) return 5;
    }
    const double clicked = since(start);
    std::printf("%.1f %.1f\n", shown, clicked);
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    return 0;
}
