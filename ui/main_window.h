// MainWindow: the one window of the program, its seventeen controls, and
// the calculation's view of them (ControlAccess).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

#include "calc/control_access.h"
#include "ui/window_layout.h"

namespace ui {

class MainWindow final : public calc::ControlAccess {
public:
    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls as the layout describes, centred
    // on the primary screen, and shows and activates it. On failure nothing
    // remains and false is returned.
    bool create(HINSTANCE instance);

    HWND handle() const { return window_; }
    HWND control(ControlId id) const { return GetDlgItem(window_, static_cast<int>(id)); }

    // ControlAccess over the live controls. An empty box reads as absent.
    calc::OptionalText read_text(calc::Control edit_box) override;
    int read_checked(calc::Control radio_button) override;
    void write_text(calc::Control edit_box, const calc::OptionalText& text) override;

    // The window's only text conversions, always with code page 936 and
    // never the system's ANSI code page. A character that code page 936
    // lacks becomes '?' (3F), its default character.
    static std::wstring to_utf16(std::string_view cp936);
    static std::string to_cp936(std::wstring_view utf16);
    // Without allocating, for the fatal-error report: writes at most
    // capacity - 1 characters and a NUL, and returns the count written.
    static int to_utf16(std::string_view cp936, wchar_t* buffer, int capacity);

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle_message(UINT message, WPARAM w, LPARAM l);
    bool on_create();
    void on_command(int id, int code, HWND control);
    void on_activate(bool active);
    void on_set_focus();
    HWND create_control(const ControlDescription& row);
    HWND control_of(calc::Control control) const;

    HWND window_ = nullptr;
    HWND remembered_focus_ = nullptr;
};

// How windows are created; tests replace it to make a creation fail.
extern decltype(&CreateWindowExW) create_window;

// The window class of the self-painted labels.
inline constexpr wchar_t label_class_name[] = L"XianShuaiTongLabel";
inline constexpr wchar_t main_class_name[] = L"XianShuaiTongMain";

}  // namespace ui
