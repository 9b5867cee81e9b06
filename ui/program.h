// The life of the process: start-up, the event loop, the one event binding,
// the shutdown and the fatal-error report.
#pragma once

#include <cstddef>
#include <string_view>

#include "ui/main_window.h"

namespace ui {

enum class Event { clicked };

// Handlers run only while this is 0. It is raised while the window is
// built, and for good once the shutdown or a fatal-error report begins.
extern int event_block_count;

// The program: makes the program's directory the current one, sets the
// floating-point state, builds and shows the window with events blocked,
// runs the event loop and shuts down. Returns the exit code, 0.
int start_program(HINSTANCE instance);

// Takes and dispatches messages until the quit request; returns its code.
int run_event_loop(MainWindow& window);

// Runs the handler bound to (source, event) unless events are blocked.
// Returns true when a handler ran. The only binding: 按钮1 clicked runs
// the voltage calculation over the main window.
bool dispatch_event(ControlId source, Event event);

// Called by the main window when it is destroyed: posts the quit request
// while the event loop runs.
void window_destroyed();

// Blocks events, shows the owner-less "错误" box with the stop icon, one OK
// button and the text "运行时出错!\r\n\r\n错误信息：" + message + "\r\n", and
// ends the process with exit code -1 once it is dismissed. Allocates
// nothing, so it also serves when memory has run out. `message` is code
// page 936.
[[noreturn]] void report_fatal_error(std::string_view message);

// The report for a failed request for `bytes` bytes: "分配 <bytes> 字节内存失败!".
[[noreturn]] void report_allocation_failure(std::size_t bytes);

// Sets the x87 unit to 64-bit precision, round to nearest, all exceptions
// masked, flags and stack cleared (control word 037F); a no-op elsewhere.
void set_floating_point_state();

// The fatal-error messages, code page 936.
inline constexpr std::string_view window_data_error =  // 载入窗口模板数据段出错!
    "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!";
inline constexpr std::string_view window_creation_error =  // 载入启动窗口失败
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";

// How the program asks for memory; tests replace it to make a request fail.
extern void* (*allocate_bytes)(std::size_t bytes);

}  // namespace ui
