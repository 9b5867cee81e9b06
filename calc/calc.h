// The calculation: from four texts and a material to the end-voltage text.
// Pure and portable: no platform header, no global state, no locale.
//
//   fold_full_width   full-width CP936 forms to ASCII
//   text_to_number    text, int32 or double -> binary64
//   number_to_text    binary64 -> 13-digit general notation
//   Extended          the 64-bit-significand arithmetic the formula uses
//   compute_end_voltage, run_voltage_calculation, material_table,
//   ControlAccess     the formula and the click behind the window
#pragma once

#include "calc/control_access.h"
#include "calc/extended.h"
#include "calc/fold_full_width.h"
#include "calc/number_to_text.h"
#include "calc/text_to_number.h"
#include "calc/voltage_drop.h"
