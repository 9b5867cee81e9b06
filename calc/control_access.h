// ControlAccess: all the calculation sees of the window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The controls the calculation reads and writes, by their own names.
enum class Control {
    编辑框1,  // cable length, m
    编辑框2,  // cross-section of one conductor, mm²
    编辑框3,  // supply voltage, V
    编辑框4,  // the result: voltage at the far end
    编辑框5,  // device current, A
    单选框1,  // 国标铜
    单选框2,  // 非标铜
    单选框3,  // 铝线
};

// A text of code page 936 that may be absent. An absent text means exactly
// what the empty text means.
using OptionalText = std::optional<std::string>;

class ControlAccess {
public:
    virtual ~ControlAccess() = default;

    // A copy of an edit box's whole text, owned by the caller; an empty box
    // may come back absent.
    virtual OptionalText read_text(Control edit_box) = 0;

    // 1 when the radio button is checked, 0 when it is not; nothing else.
    virtual int read_checked(Control radio_button) = 0;

    // Replaces the edit box's whole text with a copy of `text`; absent
    // empties the box.
    virtual void write_text(Control edit_box, const OptionalText& text) = 0;
};

}  // namespace calc
