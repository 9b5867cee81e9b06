// The main window as data: its own properties and one row per control, in
// creation order. Nothing here changes while the program runs.
#pragma once

#include <array>
#include <string_view>

namespace ui {

// Every control of the window, by its own name, in creation order. The
// values are the controls' window identifiers.
enum class ControlId : int {
    编辑框1 = 1001,
    按钮1,
    标签1,
    编辑框2,
    标签2,
    标签3,
    编辑框3,
    标签4,
    单选框1,
    单选框2,
    单选框3,
    编辑框4,
    标签5,
    编辑框5,
    标签6,
    标签7,
    标签8,
};

enum class ControlKind { edit_box, push_button, radio_button, label };

struct ControlDescription {
    ControlId id;
    ControlKind kind;
    int left, top, width, height;  // pixels, relative to the client area
    std::string_view text;         // initial text or caption, code page 936
    bool checked;                  // radio buttons: checked at start
    bool word_wrap;                // labels: wrap from the top, else one line centred
    int focus_order;               // Tab visits by this number, then by creation order
};

struct WindowDescription {
    std::string_view title;  // code page 936
    int width, height;       // outer size, frame and caption included
};

extern const WindowDescription main_window_description;
extern const std::array<ControlDescription, 17> control_table;

// The row of a control; every ControlId has one.
const ControlDescription& description_of(ControlId id);

}  // namespace ui
