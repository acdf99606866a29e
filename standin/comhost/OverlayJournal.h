#pragma once
// The registry overlay's journal: what each overlaid value held before the
// run and which keys the run made, written into the registry before each
// change. A run that ends before it puts its overlay back (killed, crashed)
// leaves its journal behind, and the next run restores from it first.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelva::comhost {

struct OverlaidValue {
    HKEY root;
    std::wstring key, name;
    std::optional<std::vector<BYTE>> data;  // none: the value did not exist
    DWORD type = REG_NONE;
};
using MadeKey = std::pair<HKEY, std::wstring>;

class OverlayJournal {
public:
    // The journal's key under HKEY_CURRENT_USER.
    explicit OverlayJournal(std::wstring key);

    void noteValue(const OverlaidValue& value);
    void noteMadeKey(const MadeKey& key);
    // What a journal left behind holds, in the order it was noted.
    std::vector<OverlaidValue> values() const;
    std::vector<MadeKey> madeKeys() const;
    void clear();

private:
    std::wstring key_;
    DWORD values_ = 0, madeKeys_ = 0;  // entries noted by this run
};

}  // namespace zelva::comhost
