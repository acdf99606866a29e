#pragma once
// An owning automation string. The core speaks UTF-8, COM UTF-16.

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "windows/win32text/WideText.h"

namespace zelva::comvalues {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8) : s_(allocate(utf8)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s_); }

    BSTR get() const { return s_; }
    // For an out parameter: frees what is held first.
    BSTR* put() {
        SysFreeString(std::exchange(s_, nullptr));
        return &s_;
    }
    // For an [in, out] parameter: the callee may free it and leave another.
    BSTR* ref() { return &s_; }
    BSTR detach() { return std::exchange(s_, nullptr); }

    std::string utf8() const { return utf8Of(s_); }

    // The text of any BSTR; a null BSTR is the empty text.
    static std::string utf8Of(BSTR s) { return win32text::narrow(std::wstring_view(s ? s : L"", SysStringLen(s))); }

private:
    // Converted straight into the string's own block: no UTF-16 copy between.
    static BSTR allocate(std::string_view utf8) {
        const size_t length = win32text::widenedLength(utf8);
        BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        if (!s) throw std::bad_alloc();
        win32text::widenInto(utf8, s, length);
        return s;
    }

    BSTR s_ = nullptr;
};

}  // namespace zelva::comvalues
