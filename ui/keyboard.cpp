#include "ui/keyboard.h"

#include <algorithm>

namespace ui {

namespace {

bool takes_focus(ControlKind kind) { return kind != ControlKind::label; }

std::array<ControlId, 9> compute_focus_order() {
    std::array<const ControlDescription*, control_table.size()> rows{};
    std::size_t count = 0;
    for (const auto& row : control_table) {
        if (takes_focus(row.kind)) rows[count++] = &row;
    }
    std::stable_sort(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(count),
                     [](const auto* a, const auto* b) { return a->focus_order < b->focus_order; });
    std::array<ControlId, 9> order{};
    for (std::size_t i = 0; i < order.size() && i < count; ++i) order[i] = rows[i]->id;
    return order;
}

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The position of the focused control in `order`, or -1.
template <std::size_t N>
int position_of(const MainWindow& window, const std::array<ControlId, N>& order, HWND focus) {
    for (std::size_t i = 0; i < N; ++i) {
        if (window.control(order[i]) == focus) return static_cast<int>(i);
    }
    return -1;
}

void move_focus(const MainWindow& window, bool backwards) {
    const auto& order = focus_order();
    const int count = static_cast<int>(order.size());
    const int here = position_of(window, order, GetFocus());
    int next;
    if (here < 0) next = backwards ? count - 1 : 0;
    else next = (here + (backwards ? count - 1 : 1)) % count;
    SetFocus(window.control(order[static_cast<std::size_t>(next)]));
}

std::array<ControlId, 3> compute_radio_buttons() {
    std::array<ControlId, 3> radios{};
    std::size_t count = 0;
    for (const ControlId id : focus_order()) {
        if (description_of(id).kind == ControlKind::radio_button && count < radios.size()) radios[count++] = id;
    }
    return radios;
}

bool move_check(const MainWindow& window, bool backwards) {
    const auto& radios = radio_buttons();
    const int here = position_of(window, radios, GetFocus());
    if (here < 0) return false;
    const int count = static_cast<int>(radios.size());
    const ControlId chosen = radios[static_cast<std::size_t>((here + (backwards ? count - 1 : 1)) % count)];
    for (const ControlId id : radios) SendMessageW(window.control(id), BM_SETCHECK, BST_UNCHECKED, 0);
    const HWND button = window.control(chosen);
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(static_cast<int>(chosen), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    SetFocus(button);
    return true;
}

}  // namespace

const std::array<ControlId, 9>& focus_order() {
    static const std::array<ControlId, 9> order = compute_focus_order();
    return order;
}

const std::array<ControlId, 3>& radio_buttons() {
    static const std::array<ControlId, 3> radios = compute_radio_buttons();
    return radios;
}

bool translate_window_key(MainWindow& window, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const HWND main = window.handle();
    if (!main || (message.hwnd != main && !IsChild(main, message.hwnd))) return false;
    const bool ctrl = held(VK_CONTROL), shift = held(VK_SHIFT), alt = held(VK_MENU);
    switch (message.wParam) {
    case VK_TAB:
        if (ctrl || alt) return false;
        move_focus(window, shift);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        return move_check(window, false);
    case VK_LEFT:
    case VK_UP:
        return move_check(window, true);
    case VK_ESCAPE:
        if (ctrl || shift || alt) return false;
        SendMessageW(main, WM_CLOSE, 0, 0);
        return true;
    case VK_F1:
        return true;  // no help file
    default:
        return false;
    }
}

}  // namespace ui
