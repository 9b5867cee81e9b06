// The program's life from start to exit, each case in a process of its own
// (program_probe), so that exit codes and the fatal-error box are real.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "win_test_support.h"

using ui_test::hex;

namespace {

struct Probe {
    DWORD exit_code;
    std::map<std::string, std::string> seen;
    std::string output;
};

Probe run_probe(const std::wstring& mode, const wchar_t* directory = nullptr) {
    const ui_test::ProcessResult result =
        ui_test::run_process(ui_test::own_directory() + L"program_probe.exe", mode, directory);
    Probe probe{result.exit_code, {}, result.output};
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos) probe.seen[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return probe;
}

const std::string initial_result = hex("\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB");  // 输出结果
const std::string box_title = hex("\xB4\xED\xCE\xF3");                       // 错误
// 运行时出错!\r\n\r\n错误信息：<message>\r\n
std::string box_text(const std::string& message) {
    return hex("\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA" + message +
               "\r\n");
}

TEST(Program, OneClickRunsTheCalculationOnce) {
    Probe p = run_probe(L"click");
    EXPECT_EQ(p.seen["initial_result"], initial_result) << p.output;
    EXPECT_EQ(p.seen["writes_before_click"], "0") << "radio clicks, typing or focus ran program code";
    EXPECT_EQ(p.seen["writes_after_click"], "1");
    EXPECT_EQ(p.seen["result"], "10.766");
    EXPECT_EQ(p.seen["writes_while_blocked"], "0");
    EXPECT_EQ(p.seen["start_program_returned"], "0");
    EXPECT_EQ(p.exit_code, 0u);
}

TEST(Program, FloatingPointStateInTheHandlerIs037F) {
    // The probe starts with 027F, the 53-bit state Windows gives a process.
    Probe p = run_probe(L"click");
    EXPECT_EQ(p.seen["control_word"], "037F") << p.output;
}

TEST(Program, EventsDuringTheBuildingRunNothing) {
    Probe p = run_probe(L"build-click");
    EXPECT_EQ(p.seen["clicked_while_building"], "1") << p.output;
    EXPECT_EQ(p.seen["initial_result"], initial_result) << "a click during the building ran the calculation";
    EXPECT_EQ(p.exit_code, 0u);
}

TEST(Program, CurrentDirectoryBecomesTheProgramsDirectory) {
    wchar_t windows_directory[MAX_PATH];
    GetWindowsDirectoryW(windows_directory, MAX_PATH);
    Probe p = run_probe(L"cwd", windows_directory);
    std::wstring expected = ui_test::own_directory();
    expected.pop_back();  // no trailing backslash
    std::string expected_bytes;
    for (const wchar_t c : expected) expected_bytes += static_cast<char>(c);  // the build path is ASCII
    EXPECT_EQ(p.seen["cwd"], hex(expected_bytes)) << p.output;
    EXPECT_EQ(p.exit_code, 0u);
}

TEST(Program, ClosingEndsWithExitCodeZero) {
    for (const wchar_t* mode : {L"close", L"close-button", L"end-session"}) {
        Probe p = run_probe(mode);
        EXPECT_EQ(p.seen["start_program_returned"], "0") << p.output;
        EXPECT_EQ(p.exit_code, 0u);
    }
    EXPECT_EQ(run_probe(L"end-session").seen["query_end_session"], "1");
}

struct FatalCase {
    const wchar_t* mode;
    std::string message;
    bool window_remains;
};

TEST(Program, FatalErrorBoxAndExitCodeMinusOne) {
    const FatalCase cases[] = {
        // 载入窗口模板数据段出错!
        {L"fatal-data", "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!", true},
        // 载入启动窗口失败
        {L"fatal-window", "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC", false},
        // 分配 2004 字节内存失败!
        {L"fatal-memory", "\xB7\xD6\xC5\xE4 2004 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!", true},
    };
    for (const FatalCase& c : cases) {
        Probe p = run_probe(c.mode);
        EXPECT_EQ(p.seen["box_title"], box_title) << p.output;
        EXPECT_EQ(p.seen["box_text"], box_text(c.message)) << p.output;
        EXPECT_EQ(p.seen["box_owner"], "none");
        EXPECT_EQ(p.seen["box_buttons"], "1");
        EXPECT_EQ(p.seen["box_ok"], "yes");
        EXPECT_EQ(p.seen["main_window"], c.window_remains ? "yes" : "none") << p.output;
        if (c.window_remains) {
            // A click while the box is up runs nothing.
            EXPECT_NE(p.seen["result_after_click"], hex("-1.#INF")) << p.output;
            EXPECT_FALSE(p.seen["result_after_click"].empty());
        }
        EXPECT_EQ(p.seen.count("start_program_returned"), 0u);
        EXPECT_EQ(p.seen.count("returned_from_click"), 0u);
        EXPECT_EQ(p.exit_code, 0xFFFFFFFFu) << p.output;
    }
}

}  // namespace
