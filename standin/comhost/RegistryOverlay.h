#pragma once
// Values written into the system's registry for one run of the host: each
// value is put back as it was, or removed with the keys made for it, when
// the overlay is restored or goes, so that one run cannot leak into the next.
// A journal notes each change before it is made; an overlay that a run left
// behind, ended before it could restore, is restored when the next one starts.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "standin/comhost/OverlayJournal.h"

namespace zelva::comhost {

class RegistryOverlay {
public:
    // The journal's key under HKEY_CURRENT_USER; a stale journal there is restored first.
    explicit RegistryOverlay(std::wstring journalKey = L"Software\\Ombrivale\\pinhost\\RegistryOverlay");
    RegistryOverlay(const RegistryOverlay&) = delete;
    RegistryOverlay& operator=(const RegistryOverlay&) = delete;
    ~RegistryOverlay() { restore(); }

    // A string value; `rootSelector` numbers the hive as the host library does.
    void set(int32_t rootSelector, const std::string& key, const std::string& name, const std::string& value);
    void restore();

private:
    void remember(HKEY root, const std::wstring& key, const std::wstring& name);
    void noteMissingKeys(HKEY root, const std::wstring& key);

    OverlayJournal journal_;
    std::vector<OverlaidValue> earlier_;  // each value's state before its first write
    std::vector<MadeKey> madeKeys_;       // outermost first
};

}  // namespace zelva::comhost
