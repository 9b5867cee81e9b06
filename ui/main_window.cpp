#include "ui/main_window.h"

#include <algorithm>
#include <array>

#include "ui/keyboard.h"
#include "ui/program.h"

namespace ui {

decltype(&CreateWindowExW) create_window = &CreateWindowExW;

namespace {

constexpr UINT code_page = 936;
constexpr DWORD window_style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

struct KindStyle {
    const wchar_t* class_name;
    DWORD style;
    DWORD extended_style;
};

KindStyle style_of(ControlKind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case ControlKind::edit_box:
        return {L"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::push_button:
        return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    case ControlKind::radio_button:
        return {L"BUTTON", child | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER, 0};
    case ControlKind::label:
        break;
    }
    return {label_class_name, child, 0};
}

const ControlDescription* row_of(HWND control) {
    const int id = GetDlgCtrlID(control);
    for (const auto& row : control_table) {
        if (static_cast<int>(row.id) == id) return &row;
    }
    return nullptr;
}

// Labels fill their rectangle with the face colour and draw their caption
// over it, one line centred or wrapped from the top, as their row says.
LRESULT CALLBACK label_procedure(HWND label, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_SETFONT:
        SetWindowLongPtrW(label, GWLP_USERDATA, static_cast<LONG_PTR>(w));
        if (LOWORD(l)) InvalidateRect(label, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(label, GWLP_USERDATA);
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills everything
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(label, &paint);
        RECT area;
        GetClientRect(label, &area);
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
        const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(label, GWLP_USERDATA));
        const HGDIOBJ previous_font = font ? SelectObject(dc, font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        const int length = GetWindowTextLengthW(label);
        std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(label, caption.data(), length + 1);
        const ControlDescription* row = row_of(label);
        const UINT format = row && row->word_wrap ? DT_LEFT | DT_WORDBREAK : DT_LEFT | DT_SINGLELINE | DT_VCENTER;
        DrawTextW(dc, caption.c_str(), length, &area, format);
        if (previous_font) SelectObject(dc, previous_font);
        EndPaint(label, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(label, message, w, l);
    }
}

// Automatic radio buttons check themselves when they gain the focus other
// than by the mouse. Here the focus moves by Tab without changing the
// check, so the check states are put back after the button's own handling.
WNDPROC button_procedure = nullptr;
HWND radio_gaining_focus = nullptr;

LRESULT CALLBACK radio_procedure(HWND radio, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_SETFOCUS) return CallWindowProcW(button_procedure, radio, message, w, l);
    const HWND parent = GetParent(radio);
    const auto& radios = radio_buttons();
    std::array<LRESULT, 3> states{};
    for (std::size_t i = 0; i < states.size(); ++i) {
        states[i] = SendDlgItemMessageW(parent, static_cast<int>(radios[i]), BM_GETCHECK, 0, 0);
    }
    radio_gaining_focus = radio;
    const LRESULT result = CallWindowProcW(button_procedure, radio, message, w, l);
    radio_gaining_focus = nullptr;
    for (std::size_t i = 0; i < states.size(); ++i) {
        const int id = static_cast<int>(radios[i]);
        if (SendDlgItemMessageW(parent, id, BM_GETCHECK, 0, 0) != states[i]) {
            SendDlgItemMessageW(parent, id, BM_SETCHECK, static_cast<WPARAM>(states[i]), 0);
        }
    }
    return result;
}

bool register_classes(HINSTANCE instance, WNDPROC main_procedure, HICON icon) {
    WNDCLASSEXW label{};
    label.cbSize = sizeof label;
    label.lpfnWndProc = label_procedure;
    label.hInstance = instance;
    label.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    label.lpszClassName = label_class_name;
    WNDCLASSEXW main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = main_procedure;
    main.hInstance = instance;
    main.hIcon = icon;
    main.hIconSm = icon;
    main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = main_class_name;
    auto registered = [instance](const WNDCLASSEXW& c) {
        WNDCLASSEXW existing;
        return GetClassInfoExW(instance, c.lpszClassName, &existing) || RegisterClassExW(&c) != 0;
    };
    return registered(label) && registered(main);
}

}  // namespace

int MainWindow::to_utf16(std::string_view cp936, wchar_t* buffer, int capacity) {
    if (capacity <= 0) return 0;
    // A byte of code page 936 never gives more than one UTF-16 unit, so this
    // many bytes always fit.
    const auto fitting = static_cast<int>(std::min<std::size_t>(cp936.size(), static_cast<std::size_t>(capacity - 1)));
    const int written = fitting > 0 ? MultiByteToWideChar(code_page, 0, cp936.data(), fitting, buffer, capacity - 1) : 0;
    buffer[written] = L'\0';
    return written;
}

std::wstring MainWindow::to_utf16(std::string_view cp936) {
    cp936 = cp936.substr(0, cp936.find('\0'));
    if (cp936.empty()) return {};
    const int length = static_cast<int>(cp936.size());
    const int needed = MultiByteToWideChar(code_page, 0, cp936.data(), length, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(code_page, 0, cp936.data(), length, utf16.data(), needed);
    return utf16;
}

std::string MainWindow::to_cp936(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int length = static_cast<int>(utf16.size());
    const int needed = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, utf16.data(), length, nullptr, 0,
                                           nullptr, nullptr);
    std::string cp936(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, utf16.data(), length, cp936.data(), needed, nullptr,
                        nullptr);
    return cp936;
}

bool MainWindow::create(HINSTANCE instance) {
    const auto icon = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
    if (!register_classes(instance, window_procedure, icon)) return false;

    const WindowDescription& d = main_window_description;
    // Centred on the whole primary screen, not its work area.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - d.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - d.height) / 2;
    const std::wstring title = to_utf16(d.title);
    const HWND window = create_window(0, main_class_name, title.c_str(), window_style, left, top, d.width,
                                      d.height, nullptr, nullptr, instance, this);
    if (!window) return false;  // window_ is set only while the window exists
    RECT placed;
    GetWindowRect(window, &placed);
    if (placed.right - placed.left != d.width || placed.bottom - placed.top != d.height) {
        SetWindowPos(window, nullptr, left, top, d.width, d.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (icon) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    return true;
}

HWND MainWindow::create_control(const ControlDescription& row) {
    const KindStyle kind = style_of(row.kind);
    const std::wstring text = to_utf16(row.text);
    const HWND control = create_window(kind.extended_style, kind.class_name, text.c_str(), kind.style, row.left,
                                       row.top, row.width, row.height, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
                                       nullptr);
    if (!control) return nullptr;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (row.kind == ControlKind::radio_button) {
        const auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(radio_procedure)));
        if (!button_procedure) button_procedure = previous;
        if (row.checked) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    }
    return control;
}

bool MainWindow::on_create() {
    for (const ControlDescription& row : control_table) {
        if (!create_control(row)) return false;
    }
    return true;
}

LRESULT CALLBACK MainWindow::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle_message(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::handle_message(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_CREATE:
        return on_create() ? 0 : -1;
    case WM_COMMAND:
        on_command(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        return 0;
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(w);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const auto dc = reinterpret_cast<HDC>(w);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
        on_activate(LOWORD(w) != WA_INACTIVE);
        return DefWindowProcW(window_, message, w, l);
    case WM_SETFOCUS:
        on_set_focus();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_DESTROY:
        remembered_focus_ = nullptr;
        window_destroyed();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return 0;
    default:
        return DefWindowProcW(window_, message, w, l);
    }
}

void MainWindow::on_command(int id, int code, HWND control) {
    if (code != BN_CLICKED || control == nullptr) return;
    if (control == radio_gaining_focus) return;  // the focus click of a radio button is swallowed
    dispatch_event(static_cast<ControlId>(id), Event::clicked);
}

void MainWindow::on_activate(bool active) {
    if (active) return;
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) remembered_focus_ = focus;
}

void MainWindow::on_set_focus() {
    if (remembered_focus_ && IsWindow(remembered_focus_) && IsChild(window_, remembered_focus_)) {
        SetFocus(remembered_focus_);
    } else {
        SetFocus(control(focus_order().front()));
    }
}

HWND MainWindow::control_of(calc::Control c) const {
    switch (c) {
    case calc::Control::编辑框1: return control(ControlId::编辑框1);
    case calc::Control::编辑框2: return control(ControlId::编辑框2);
    case calc::Control::编辑框3: return control(ControlId::编辑框3);
    case calc::Control::编辑框4: return control(ControlId::编辑框4);
    case calc::Control::编辑框5: return control(ControlId::编辑框5);
    case calc::Control::单选框1: return control(ControlId::单选框1);
    case calc::Control::单选框2: return control(ControlId::单选框2);
    case calc::Control::单选框3: return control(ControlId::单选框3);
    }
    return nullptr;
}

calc::OptionalText MainWindow::read_text(calc::Control edit_box) {
    const HWND box = control_of(edit_box);
    const int length = GetWindowTextLengthW(box);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    if (text.empty()) return std::nullopt;
    return to_cp936(text);
}

int MainWindow::read_checked(calc::Control radio_button) {
    return SendMessageW(control_of(radio_button), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void MainWindow::write_text(calc::Control edit_box, const calc::OptionalText& text) {
    const std::wstring utf16 = text ? to_utf16(*text) : std::wstring();
    SetWindowTextW(control_of(edit_box), utf16.c_str());
}

}  // namespace ui
