#pragma once
// The component's string table: captions and messages in language blocks,
// fetched as LanguageBase + offset (the bases in env/Languages.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelva::texts {

// Offsets of the entries within a language block.
namespace id {
constexpr int Title = 0;
constexpr int StandardLabel = 1;
constexpr int DiameterLabel = 2;
constexpr int ManualSwitch = 3;  // the complete sets only
constexpr int Ok = 5;
constexpr int Cancel = 6;
constexpr int LengthLabel = 7;
constexpr int PitchLabel = 8;
constexpr int ChamferToolTip = 10;
constexpr int EdgeNotice = 15;
constexpr int UnitsPrompt = 16;
constexpr int EdgeSizeMatch = 20;  // the dialog's description of the size taken from the edge
constexpr int NoSizeFits = 21;
constexpr int PinSizeMatch = 22;   // of the standard found for an edited pin
constexpr int PinName = 40;
// OK refusing a number field's text; the entry's %1 stands for the text.
constexpr int RefusedDiameter = 50;
constexpr int RefusedLength = 51;
constexpr int RefusedPitch = 52;
}  // namespace id

// The text of an entry; an id without text fails with error 5.
std::string MessageText(int id);
// The text of an entry, if the table holds one.
std::optional<std::string> FindMessageText(int id);
// The text of an entry with its %1 replaced by `value`.
std::string MessageText(int id, std::string_view value);

// Every entry as (id, text), in id order, as the resource string table holds them.
const std::vector<std::pair<int, std::string>>& AllMessageTexts();

}  // namespace zelva::texts
