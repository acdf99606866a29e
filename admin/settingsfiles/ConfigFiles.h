#pragma once
// Reading the plain settings files the stores are loaded from: lines of a
// text file, and `%NAME%` placeholders replaced by values the caller gives
// (such as INSTALLDIR, where the install tree lies on this machine).

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zelva::settingsfiles {

using Substitutions = std::map<std::string, std::string>;

// The file's lines without their CR LF or LF ends; a missing or unreadable
// file is a std::runtime_error naming the path.
std::vector<std::string> readConfigLines(const std::filesystem::path& path);

// Replaces each `%NAME%` (letters, digits, underscores) by its substitution;
// a placeholder without one is a std::runtime_error naming `where`. A `%` that
// does not open a placeholder stays as it is.
std::string substitutePlaceholders(std::string_view text, const Substitutions& subs, std::string_view where);

// "path:line" for load errors.
std::string lineLocation(const std::filesystem::path& path, size_t lineIndex);

}  // namespace zelva::settingsfiles
