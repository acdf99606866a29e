#pragma once
// A critical section, and its hold for a scope. The locks taken on every host
// call are critical sections rather than slim reader/writer locks: under Wine,
// a slim lock taken and released without contention costs several times a
// critical section entered and left.

#include <windows.h>

namespace zelva::comvalues {

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Hold {
    public:
        explicit Hold(CriticalSection& lock) : lock_(lock) { EnterCriticalSection(&lock_.section_); }
        ~Hold() { LeaveCriticalSection(&lock_.section_); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CriticalSection& lock_;
    };

private:
    CRITICAL_SECTION section_;
};

}  // namespace zelva::comvalues
