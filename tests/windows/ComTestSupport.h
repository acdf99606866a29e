#pragma once
// Small helpers for the tests that run under Wine: the owning COM pointer, an
// owning BSTR of wide text, GUID text, the files beside the test program, and
// programs run to their end (regsvr32 among them).

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "windows/comvalues/ComPtr.h"

namespace zelva::wintest {

using comvalues::ComPtr;

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : s_(SysAllocString(text)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s_); }

    BSTR* put() {
        SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }
    BSTR* ref() { return &s_; }  // a by-reference argument
    bool isNull() const { return s_ == nullptr; }
    std::wstring text() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

inline std::wstring guidText(REFGUID guid) {
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

// The platform of this program's architecture: the type library's system kind,
// and the registry subkey (win32 or win64) it is registered under.
constexpr bool Is64Bit = sizeof(void*) == 8;
constexpr SYSKIND NativeSysKind = Is64Bit ? SYS_WIN64 : SYS_WIN32;
constexpr const wchar_t* NativeSysKindKey = Is64Bit ? L"win64" : L"win32";

// Full path of `name` in the directory of the running test program.
inline std::wstring besideTestProgram(const std::wstring& name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, length);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

// Runs the command line `command` to its end; its exit code.
inline DWORD runToEnd(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Runs regsvr32 with `options` on the DLL beside the tests; its exit code.
inline DWORD regsvr32(const std::wstring& options) {
    return runToEnd(L"regsvr32.exe " + options + L" \"" + besideTestProgram(L"Zelvacorin.dll") + L"\"");
}

}  // namespace zelva::wintest
