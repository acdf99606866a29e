#pragma once
// The nominal major diameter a standard may state in its index entry line, as a
// fourth quoted field after the description: "M10.tab" "M10" "…" "10". Readers
// that know three fields ignore everything after the sixth quote, so tables
// with the field load unchanged in them; an entry without it is never matched.
// And the rules that pick a group's standard for a diameter.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/TextFiles.h"

namespace zelva::standards {

// The text of the fourth quoted field, when the line has one (an eighth quote).
std::optional<std::string> nominalDiameterField(std::string_view entryLine);

// The field as a diameter in millimetres: a plain decimal number above 0.
// Absent or anything else gives nothing.
std::optional<double> nominalDiameter(std::string_view entryLine);

// The same, searched on from the entry's name as read by quotedFieldView(line,
// 2), so that a reader listing the names finds no quote twice. A line with too
// few quotes for a name field has too few for a diameter, wherever it ends.
std::optional<double> nominalDiameterAfterName(std::string_view entryLine, std::string_view name);

// How far an edge may lie from a nominal size and still be taken for it: 5 % of
// the nominal diameter, at least 0.2 mm. A Ø9.8 or Ø10.2 edge is an M10; a
// Ø12.7 edge (half an inch) is no metric size: M12 lies 0.7 away, beyond its 0.6.
constexpr double kSizeToleranceShare = 0.05;
constexpr double kLeastSizeTolerance = 0.2;
bool withinSizeTolerance(double diameter, double nominal);

// The entry whose nominal diameter is nearest `diameter` among those within
// tolerance; on a tie the first wins. Entries without a diameter never match.
std::optional<size_t> nearestSize(const std::vector<std::optional<double>>& nominals, double diameter);

// The standard of a pin of `diameter` and `pitch`: of those whose nominal
// diameter is the pin's, the first whose own (first) pitch is the pin's, else
// the first that lists the pitch at all; nothing when none does. `pitchesOf(i)`
// reads entry i's pitches, own pitch first, and is asked only for entries of
// the pin's diameter.
std::optional<size_t> standardOfPin(const std::vector<std::optional<double>>& nominals, double diameter, double pitch,
                                    const std::function<std::vector<double>(size_t)>& pitchesOf);

// The pitches a data file lists, own pitch first, read as the dialog's OK reads
// them; none when the file cannot be read, and nothing is shown to the user.
std::vector<double> listedPitches(files::FileSystem& files, const std::string& dataPath);

// Two sizes or pitches read from different sources (a table's text, a shape's
// double) taken as the same value.
bool sameSize(double a, double b);

}  // namespace zelva::standards
