#include "calc/voltage_drop.h"

#include "calc/extended.h"
#include "calc/number_to_text.h"
#include "calc/text_to_number.h"

namespace calc {

const std::array<Material, 3> material_table{{
    {Control::单选框1, "\xB9\xFA\xB1\xEA\xCD\xAD", 0.01851},  // 国标铜, national-standard copper
    {Control::单选框2, "\xB7\xC7\xB1\xEA\xCD\xAD", 0.022},    // 非标铜, non-standard copper
    {Control::单选框3, "\xC2\xC1\xCF\xDF", 0.0294},           // 铝线, aluminium
}};

std::string compute_end_voltage(std::string_view length_text, std::string_view cross_section_text,
                                std::string_view voltage_text, std::string_view current_text,
                                double resistivity) {
    auto wide = [](double value) { return Extended::from_double(value); };
    const double voltage = text_to_number(voltage_text);
    const double current = text_to_number(current_text);
    const double length = text_to_number(length_text);
    const Extended two_i = multiply(wide(text_to_number(std::int32_t{2})), wide(current));
    const double p = multiply(multiply(two_i, wide(text_to_number(resistivity))), wide(length)).to_double();
    const double cross_section = text_to_number(cross_section_text);
    const double q = divide(wide(p), wide(cross_section)).to_double();
    const double r = subtract(wide(voltage), wide(q)).to_double();
    return number_to_text(r);
}

void run_voltage_calculation(ControlAccess& controls) {
    auto text_of = [](const OptionalText& text) { return text ? std::string_view(*text) : std::string_view(); };
    const OptionalText length = controls.read_text(Control::编辑框1);
    const OptionalText cross_section = controls.read_text(Control::编辑框2);
    const OptionalText voltage = controls.read_text(Control::编辑框3);
    const OptionalText current = controls.read_text(Control::编辑框5);
    for (const Material& material : material_table) {
        if (controls.read_checked(material.radio_button) != 1) continue;
        const OptionalText result = compute_end_voltage(text_of(length), text_of(cross_section), text_of(voltage),
                                                        text_of(current), material.resistivity);
        controls.write_text(Control::编辑框4, result);
    }
}

}  // namespace calc
