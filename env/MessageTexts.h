#pragma once
// The component's string table: captions and messages in three language blocks,
// fetched as LanguageBase + offset (1000 Italian, 2000 English, 3000 German).

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelva::env {

// Offsets of the entries within a language block.
namespace text {
constexpr int Title = 0;
constexpr int StandardLabel = 1;
constexpr int DiameterLabel = 2;
constexpr int Ok = 5;
constexpr int Cancel = 6;
constexpr int LengthLabel = 7;
constexpr int PitchLabel = 8;
constexpr int ChamferToolTip = 10;
constexpr int EdgeNotice = 15;
constexpr int UnitsPrompt = 16;
constexpr int PinName = 40;
// OK refusing a number field's text; the entry's %1 stands for the text.
constexpr int RefusedDiameter = 50;
constexpr int RefusedLength = 51;
constexpr int RefusedPitch = 52;
}  // namespace text

// The text of an entry; an id without text fails with error 5.
std::string MessageText(int id);
// The text of an entry with its %1 replaced by `value`.
std::string MessageText(int id, std::string_view value);

// Every entry as (id, text), in id order: the source of the resource string table.
const std::vector<std::pair<int, std::string>>& AllMessageTexts();

}  // namespace zelva::env
