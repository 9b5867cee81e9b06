// Helpers shared by the Windows tests: texts as printable bytes, messages
// pumped, key presses sent, child processes run.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <string_view>

namespace ui_test {

// Bytes as "\xHH" for everything outside printable ASCII.
inline std::string escaped(std::string_view bytes) {
    std::ostringstream out;
    for (const unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out << c;
        } else {
            out << "\\x" << std::hex << std::uppercase << std::setw(2) << std::setfill('0') << int{c};
        }
    }
    return out.str();
}

// Bytes as upper-case hex digits, two a byte.
inline std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Dispatches what is waiting, repeatedly for `milliseconds`.
inline void pump(DWORD milliseconds = 0) {
    const DWORD until = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds) Sleep(5);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

// The directory of this test program, with a trailing backslash.
inline std::wstring own_directory() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.rfind(L'\\') + 1);
}

struct ProcessResult {
    DWORD exit_code = 0;
    std::string output;
};

// Runs a program with `arguments`, in `directory` when given, and collects
// what it writes to its standard output.
inline ProcessResult run_process(const std::wstring& program, const std::wstring& arguments,
                                 const wchar_t* directory = nullptr, DWORD timeout = 60000) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read_end, write_end;
    CreatePipe(&read_end, &write_end, &inherit, 0);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\" " + arguments;
    ProcessResult result;
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, directory, &startup,
                        &process)) {
        result.exit_code = 0xDEADBEEF;
        CloseHandle(read_end);
        CloseHandle(write_end);
        return result;
    }
    CloseHandle(write_end);
    char buffer[4096];
    DWORD got;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) result.output.append(buffer, got);
    WaitForSingleObject(process.hProcess, timeout);
    GetExitCodeProcess(process.hProcess, &result.exit_code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(read_end);
    return result;
}

}  // namespace ui_test
