#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "bits.h"
#include "calc/calc.h"

using calc::Control;
using calc::OptionalText;

namespace {

// The window's controls as a table of texts and flags, with a log of writes.
class FakeControls : public calc::ControlAccess {
public:
    std::map<Control, OptionalText> texts;
    std::map<Control, int> checked;
    std::vector<std::pair<Control, OptionalText>> writes;
    std::vector<Control> reads;

    OptionalText read_text(Control c) override {
        reads.push_back(c);
        return texts[c];
    }
    int read_checked(Control c) override {
        reads.push_back(c);
        return checked[c];
    }
    void write_text(Control c, const OptionalText& text) override {
        writes.emplace_back(c, text);
        texts[c] = text;
    }
};

struct Row {
    const char* length;
    const char* cross_section;
    const char* voltage;
    const char* current;
    Control material;
    const char* expected;
};

const Row rows[] = {
    {"100", "1.5", "12", "0.5", Control::单选框1, "10.766"},
    {"100", "1.5", "12", "0.5", Control::单选框2, "10.53333333333"},
    {"100", "1.5", "12", "0.5", Control::单选框3, "10.04"},
    {"500", "0.5", "220", "5", Control::单选框2, "0"},  // not 2.842170943040401e-14
    {"1000", "1", "220", "5", Control::单选框2, "0"},
    {"1000", "2.5", "220", "5", Control::单选框2, "132"},
    {"100", "1", "12", "1", Control::单选框2, "7.6"},
    {"200", "0.75", "12", "2", Control::单选框1, "-7.744"},
    {"100", "1.5", "12", "", Control::单选框1, "12"},
    {"100", "1.5", "", "0.5", Control::单选框1, "-1.234"},
    {"100", "", "12", "0.5", Control::单选框1, "-1.#INF"},
    {"100", "-0", "12", "0.5", Control::单选框1, "1.#INF"},  // the zero's sign counts
    {"", "", "", "", Control::单选框1, "-1.#IND"},
    {"1", "1", "", "1e308", Control::单选框1, "-3.702e+306"},  // 2 * I exceeds binary64, P does not
};

double resistivity_of(Control radio_button) {
    for (const auto& m : calc::material_table) {
        if (m.radio_button == radio_button) return m.resistivity;
    }
    return 0;
}

std::string describe(const Row& r) {
    return std::string("L=\"") + r.length + "\" S=\"" + r.cross_section + "\" V=\"" + r.voltage + "\" I=\"" +
           r.current + "\" material " + std::to_string(static_cast<int>(r.material));
}

TEST(MaterialTable, ResistivitiesAndOrder) {
    ASSERT_EQ(calc::material_table.size(), 3u);
    EXPECT_EQ(calc_test::bits_of(calc::material_table[0].resistivity), 0x3F92F449129888F8u);
    EXPECT_EQ(calc_test::bits_of(calc::material_table[1].resistivity), 0x3F96872B020C49BAu);
    EXPECT_EQ(calc_test::bits_of(calc::material_table[2].resistivity), 0x3F9E1B089A027525u);
    EXPECT_EQ(calc::material_table[0].radio_button, Control::单选框1);
    EXPECT_EQ(calc::material_table[1].radio_button, Control::单选框2);
    EXPECT_EQ(calc::material_table[2].radio_button, Control::单选框3);
    EXPECT_EQ(calc::material_table[0].caption, "\xB9\xFA\xB1\xEA\xCD\xAD");  // 国标铜
}

TEST(ComputeEndVoltage, TableOfCases) {
    for (const Row& r : rows) {
        EXPECT_EQ(calc::compute_end_voltage(r.length, r.cross_section, r.voltage, r.current,
                                            resistivity_of(r.material)),
                  r.expected)
            << describe(r);
    }
}

TEST(ComputeEndVoltage, AbsentTextIsEmptyText) {
    EXPECT_EQ(calc::compute_end_voltage({}, {}, {}, {}, 0.01851), "-1.#IND");
    EXPECT_EQ(calc::compute_end_voltage("100", "1.5", {}, "0.5", 0.01851), "-1.234");
}

TEST(RunVoltageCalculation, TableOfCasesThroughControls) {
    for (const Row& r : rows) {
        FakeControls controls;
        // An empty box comes back absent, as the window reports it.
        auto text = [](const char* t) { return *t ? OptionalText(t) : OptionalText(); };
        controls.texts = {{Control::编辑框1, text(r.length)}, {Control::编辑框2, text(r.cross_section)},
                          {Control::编辑框3, text(r.voltage)}, {Control::编辑框5, text(r.current)},
                          {Control::编辑框4, OptionalText("\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB")}};
        controls.checked = {{r.material, 1}};
        calc::run_voltage_calculation(controls);
        ASSERT_EQ(controls.writes.size(), 1u) << describe(r);
        EXPECT_EQ(controls.writes[0].first, Control::编辑框4);
        EXPECT_EQ(controls.writes[0].second.value_or("<absent>"), r.expected) << describe(r);
    }
}

TEST(RunVoltageCalculation, ReadsTextsOnceThenFlagsInTableOrder) {
    FakeControls controls;
    controls.checked = {{Control::单选框2, 1}};
    calc::run_voltage_calculation(controls);
    const std::vector<Control> expected = {Control::编辑框1, Control::编辑框2, Control::编辑框3,
                                           Control::编辑框5, Control::单选框1, Control::单选框2,
                                           Control::单选框3};
    EXPECT_EQ(controls.reads, expected);
}

TEST(RunVoltageCalculation, NoMaterialCheckedWritesNothing) {
    for (const char* shown : {"\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB", "10.766"}) {
        FakeControls controls;
        controls.texts = {{Control::编辑框1, "100"}, {Control::编辑框2, "1.5"}, {Control::编辑框3, "12"},
                          {Control::编辑框5, "0.5"}, {Control::编辑框4, shown}};
        calc::run_voltage_calculation(controls);
        EXPECT_TRUE(controls.writes.empty());
        EXPECT_EQ(controls.texts[Control::编辑框4], OptionalText(shown));
    }
}

TEST(RunVoltageCalculation, AllEmptyWritesTheNaNText) {
    FakeControls controls;
    controls.checked = {{Control::单选框1, 1}};
    calc::run_voltage_calculation(controls);
    ASSERT_EQ(controls.writes.size(), 1u);
    EXPECT_EQ(controls.writes[0].second, OptionalText("-1.#IND"));
}

TEST(RunVoltageCalculation, EveryCheckedMaterialWritesAndTheLastStays) {
    FakeControls controls;
    controls.texts = {{Control::编辑框1, "100"}, {Control::编辑框2, "1.5"}, {Control::编辑框3, "12"},
                      {Control::编辑框5, "0.5"}};
    controls.checked = {{Control::单选框1, 1}, {Control::单选框2, 2}, {Control::单选框3, 1}};
    calc::run_voltage_calculation(controls);
    ASSERT_EQ(controls.writes.size(), 2u);  // a flag of 2 is not "checked"
    EXPECT_EQ(controls.writes[0].second, OptionalText("10.766"));
    EXPECT_EQ(controls.writes[1].second, OptionalText("10.04"));
}

}  // namespace
