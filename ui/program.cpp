#include "ui/program.h"

#include <string>

#include "calc/voltage_drop.h"
#include "ui/keyboard.h"

namespace ui {

int event_block_count = 0;

namespace {

MainWindow* main_window = nullptr;
bool event_loop_running = false;

void run_calculation() { calc::run_voltage_calculation(*main_window); }

struct Binding {
    ControlId source;
    Event event;
    void (*handler)();
};

constexpr Binding bindings[] = {
    {ControlId::按钮1, Event::clicked, run_calculation},
};

// 1. The program's directory becomes the current directory.
void enter_program_directory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t split = path.rfind(L'\\');
    if (split == std::wstring::npos) return;
    path.resize(split == 2 && path[1] == L':' ? split + 1 : split);  // "C:\" keeps its backslash
    SetCurrentDirectoryW(path.c_str());
}

// Dispatches what is waiting, but leaves a quit request for the event loop.
void dispatch_waiting_messages() {
    MSG message;
    bool quit = false;
    int quit_code = 0;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            quit_code = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (quit) PostQuitMessage(quit_code);
}

void shut_down() {
    ++event_block_count;
    main_window = nullptr;  // the window is gone; the process ends next
}

void append(char*& out, const char* end, std::string_view text) {
    for (const char c : text) {
        if (out == end) return;
        *out++ = c;
    }
}

}  // namespace

void set_floating_point_state() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __asm__ __volatile__("fninit");
#endif
}

int start_program(HINSTANCE instance) {
    enter_program_directory();
    set_floating_point_state();

    static MainWindow window;
    main_window = &window;
    dispatch_waiting_messages();
    ++event_block_count;
    if (!window.create(instance)) report_fatal_error(window_creation_error);
    dispatch_waiting_messages();
    --event_block_count;

    const int exit_code = run_event_loop(window);
    shut_down();
    return exit_code;
}

int run_event_loop(MainWindow& window) {
    event_loop_running = true;
    MSG message{};
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1) break;
        if (translate_window_key(window, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    event_loop_running = false;
    return result == 0 ? static_cast<int>(message.wParam) : 0;
}

bool dispatch_event(ControlId source, Event event) {
    if (event_block_count > 0 || main_window == nullptr) return false;
    for (const Binding& binding : bindings) {
        if (binding.source == source && binding.event == event) {
            binding.handler();
            return true;
        }
    }
    return false;
}

void window_destroyed() {
    if (event_loop_running) PostQuitMessage(0);
}

void report_fatal_error(std::string_view message) {
    ++event_block_count;
    // 运行时出错!\r\n\r\n 错误信息： <message> \r\n, built without allocating.
    char text[1024];
    char* out = text;
    const char* const end = text + sizeof text - 2;
    append(out, end, "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n");
    append(out, end, "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA");
    append(out, end, message);
    append(out, text + sizeof text, "\r\n");
    wchar_t wide_text[1024];
    wchar_t wide_title[16];
    MainWindow::to_utf16(std::string_view(text, static_cast<std::size_t>(out - text)), wide_text, 1024);
    MainWindow::to_utf16("\xB4\xED\xCE\xF3", wide_title, 16);  // 错误
    MessageBoxW(nullptr, wide_text, wide_title, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    ExitProcess(static_cast<UINT>(-1));
}

void report_allocation_failure(std::size_t bytes) {
    // 分配 %d 字节内存失败!, with the full count in decimal.
    char digits[24];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + bytes % 10);
        bytes /= 10;
    } while (bytes != 0);
    char message[64];
    char* out = message;
    append(out, message + sizeof message, "\xB7\xD6\xC5\xE4 ");
    append(out, message + sizeof message, std::string_view(first, static_cast<std::size_t>(digits + sizeof digits - first)));
    append(out, message + sizeof message, " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!");
    report_fatal_error(std::string_view(message, static_cast<std::size_t>(out - message)));
}

}  // namespace ui
