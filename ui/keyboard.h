// The window's own keys, seen before the focused control: Tab and
// Shift+Tab through the focus order, the arrows among the radio buttons,
// Esc to close. Enter and every other key go on to the focused control.
#pragma once

#include <array>

#include "ui/main_window.h"

namespace ui {

// The controls that take the focus, in Tab order: by focus-order number,
// then by creation order.
const std::array<ControlId, 9>& focus_order();

// The radio buttons, in focus order: one group, among which the arrow keys
// move the check.
const std::array<ControlId, 3>& radio_buttons();

// Handles a key press meant for the window or one of its controls and
// returns true, or returns false to let it go on unchanged.
bool translate_window_key(MainWindow& window, const MSG& message);

}  // namespace ui
