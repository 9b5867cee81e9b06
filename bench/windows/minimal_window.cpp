// The baseline for the start-up figures: the least Win32 program with the
// same parts, a window, an edit box and a button whose click writes a text,
// built exactly as the real program is.
#include <windows.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(w) == 1002 && HIWORD(w) == BN_CLICKED) SetDlgItemTextW(window, 1012, L"10.766");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = L"MinimalWindow";
    RegisterClassW(&c);
    const HWND window = CreateWindowExW(0, c.lpszClassName, L"minimal", WS_CAPTION | WS_SYSMENU, 100, 100, 571, 352,
                                        nullptr, nullptr, instance, nullptr);
    CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 350, 264, 200, 20, window,
                    reinterpret_cast<HMENU>(1012), instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"go", WS_CHILD | WS_VISIBLE, 376, 216, 136, 32, window,
                    reinterpret_cast<HMENU>(1002), instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
