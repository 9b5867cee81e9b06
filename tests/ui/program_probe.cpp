// A test program around start_program: each mode arranges one situation,
// drives the running program from inside its own process (a timer on the
// window's thread, or a watcher thread for the fatal-error box) and prints
// what it saw, one "key=value" line each, for program_test to check.
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "ui/main_window.h"
#include "ui/program.h"
#include "win_test_support.h"

using ui::ControlId;

using ui_test::hex;

namespace {

std::wstring mode;
HWND main_window() { return FindWindowW(ui::main_class_name, nullptr); }
HWND control(ControlId id) { return GetDlgItem(main_window(), static_cast<int>(id)); }

void print(const char* key, const std::string& value) {
    std::printf("%s=%s\n", key, value.c_str());
    std::fflush(stdout);
}

std::string text_of(HWND window) {
    wchar_t text[4096];
    const int length = GetWindowTextW(window, text, 4096);
    return ui::MainWindow::to_cp936(std::wstring_view(text, static_cast<std::size_t>(length)));
}

unsigned short control_word() {
    unsigned short word = 0;
#if defined(__x86_64__) || defined(__i386__)
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
#endif
    return word;
}

// Counts the texts written into 编辑框4 and notes the control word then.
WNDPROC edit_procedure = nullptr;
int result_writes = 0;
unsigned short control_word_in_handler = 0;
LRESULT CALLBACK counting_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_SETTEXT) {
        ++result_writes;
        control_word_in_handler = control_word();
    }
    return CallWindowProcW(edit_procedure, window, message, w, l);
}

void set_text(ControlId id, const wchar_t* text) { SetWindowTextW(control(id), text); }

// Creation goes through here: in "build-click" mode the button is clicked
// as soon as the last control exists, while events are still blocked; in
// "fatal-window" mode the fifth control cannot be created.
int controls_created = 0;
HWND WINAPI creating(DWORD ex, LPCWSTR class_name, LPCWSTR name, DWORD style, int x, int y, int w, int h,
                     HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    if (parent && mode == L"fatal-window" && ++controls_created == 5) return nullptr;
    const HWND created = CreateWindowExW(ex, class_name, name, style, x, y, w, h, parent, menu, instance, parameter);
    if (parent && mode == L"build-click" && reinterpret_cast<INT_PTR>(menu) == static_cast<int>(ControlId::标签8)) {
        SendMessageW(GetDlgItem(parent, static_cast<int>(ControlId::按钮1)), BM_CLICK, 0, 0);
        print("clicked_while_building", std::to_string(ui::event_block_count));
    }
    return created;
}

// Watches for the fatal-error box, reports it, then presses OK.
void watch_for_error_box() {
    HWND box = nullptr;
    for (int i = 0; i < 400 && !box; ++i) {
        Sleep(25);
        box = FindWindowW(L"#32770", nullptr);
    }
    if (!box) {
        print("box", "none");
        return;
    }
    print("box_title", hex(text_of(box)));
    print("box_text", hex(text_of(GetDlgItem(box, 0xFFFF))));
    print("box_owner", GetWindow(box, GW_OWNER) ? "yes" : "none");
    int buttons = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t class_name[32];
        GetClassNameW(child, class_name, 32);
        if (lstrcmpiW(class_name, L"Button") == 0) ++buttons;
    }
    print("box_buttons", std::to_string(buttons));
    print("box_ok", GetDlgItem(box, IDOK) ? "yes" : "no");
    const HWND main = main_window();
    print("main_window", main ? "yes" : "none");
    if (main) {
        // The window still takes input, but the click runs nothing now.
        set_text(ControlId::编辑框1, L"100");
        SendMessageW(control(ControlId::按钮1), BM_CLICK, 0, 0);
        print("result_after_click", hex(text_of(control(ControlId::编辑框4))));
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Fails the one request for the bytes that reading a 1000-character box
// asks for: 1001 characters and the terminator, two bytes each.
void* failing_allocation(std::size_t bytes) {
    if (bytes == 2004) return nullptr;
    return std::malloc(bytes != 0 ? bytes : 1);
}

void CALLBACK on_timer(HWND, UINT, UINT_PTR timer, DWORD) {
    if (ui::event_block_count > 0 || !main_window()) return;  // still building: try again
    KillTimer(nullptr, timer);
    const HWND result = control(ControlId::编辑框4);
    print("initial_result", hex(text_of(result)));
    if (mode == L"cwd") {
        wchar_t directory[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, directory);
        print("cwd", hex(ui::MainWindow::to_cp936(directory)));
    } else if (mode == L"click" || mode == L"build-click") {
        edit_procedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(result, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_procedure)));
        // Radio clicks, typing and focus changes run nothing.
        SendMessageW(control(ControlId::单选框2), BM_CLICK, 0, 0);
        SendMessageW(control(ControlId::单选框1), BM_CLICK, 0, 0);
        SendMessageW(control(ControlId::编辑框2), WM_CHAR, '5', 0);
        SetFocus(control(ControlId::按钮1));
        SetFocus(control(ControlId::编辑框1));
        set_text(ControlId::编辑框1, L"100");
        set_text(ControlId::编辑框2, L"1.5");
        set_text(ControlId::编辑框3, L"12");
        set_text(ControlId::编辑框5, L"0.5");
        print("writes_before_click", std::to_string(result_writes));
        SendMessageW(control(ControlId::按钮1), BM_CLICK, 0, 0);
        print("writes_after_click", std::to_string(result_writes));
        print("result", text_of(result));
        char word[8];
        std::snprintf(word, sizeof word, "%04X", control_word_in_handler);
        print("control_word", word);
        ++ui::event_block_count;
        set_text(ControlId::编辑框4, L"x");
        const int writes = result_writes;
        SendMessageW(control(ControlId::按钮1), BM_CLICK, 0, 0);
        print("writes_while_blocked", std::to_string(result_writes - writes));
        --ui::event_block_count;
    } else if (mode == L"fatal-data") {
        std::thread(watch_for_error_box).detach();
        ui::report_fatal_error(ui::window_data_error);
    } else if (mode == L"fatal-memory") {
        set_text(ControlId::编辑框1, std::wstring(1000, L'1').c_str());
        ui::allocate_bytes = failing_allocation;
        std::thread(watch_for_error_box).detach();
        SendMessageW(control(ControlId::按钮1), BM_CLICK, 0, 0);
        print("returned_from_click", "yes");  // never: the report ends the process
    }
    if (mode == L"close-button") {
        PostMessageW(main_window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (mode == L"end-session") {
        print("query_end_session", std::to_string(SendMessageW(main_window(), WM_QUERYENDSESSION, 0, 0)));
        PostMessageW(main_window(), WM_CLOSE, 0, 0);
    } else {
        PostMessageW(main_window(), WM_CLOSE, 0, 0);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    mode = argc > 1 ? argv[1] : L"";
    ui::create_window = creating;
    if (mode == L"fatal-window") std::thread(watch_for_error_box).detach();
    // Start as Windows starts a process: 53-bit precision (control word 027F).
    const unsigned short start_word = 0x027F;
#if defined(__x86_64__) || defined(__i386__)
    __asm__ __volatile__("fldcw %0" : : "m"(start_word));
#endif
    SetTimer(nullptr, 0, 50, on_timer);
    const int code = ui::start_program(GetModuleHandleW(nullptr));
    print("start_program_returned", std::to_string(code));
    return code;
}
