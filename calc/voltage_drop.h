// The voltage left at the far end of a two-wire cable:
//
//     R = V - (2 * I * rho * L) / S
//
// V supply voltage (V), I device current (A), rho resistivity (ohm mm²/m),
// L cable length (m), S cross-section of one conductor (mm²).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/control_access.h"

namespace calc {

struct Material {
    Control radio_button;
    std::string_view caption;  // code page 936
    double resistivity;        // the binary64 nearest the decimal value
};

// In the order the radio buttons are tested.
extern const std::array<Material, 3> material_table;

// The result text for the four input texts (code page 936; an absent text is
// the empty view) and one resistivity. Steps, each operation rounded once to
// the 64-bit-significand Extended format:
//   V, I, L = text_to_number of the voltage, current and length texts
//   P = ((2 * I) * rho) * L, stored as binary64
//   S = text_to_number(cross_section_text)
//   Q = P / S, stored as binary64
//   R = V - Q, stored as binary64
// and returns number_to_text(R). Never fails: non-numbers are 0, a zero
// cross-section gives an infinity or the default NaN ("-1.#IND").
std::string compute_end_voltage(std::string_view length_text, std::string_view cross_section_text,
                                std::string_view voltage_text, std::string_view current_text,
                                double resistivity);

// What a click on the calculate button does: reads 编辑框1, 编辑框2, 编辑框3
// and 编辑框5 once, then for each material in table order whose radio button
// reads 1 writes its result into 编辑框4, so the last checked one stays. With
// none checked, nothing is written.
void run_voltage_calculation(ControlAccess& controls);

}  // namespace calc
