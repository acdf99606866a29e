#pragma once
// What a table or settings file's bytes hold that the component does not read
// as a person wrote it: line ends of LF alone, a byte-order mark, bytes that
// are no Windows-1252 character, text saved as UTF-8. Each is reported once
// per file, at its first line, with the way to save the file instead.

#include <string>
#include <vector>

#include "admin/checker/Finding.h"

namespace zelva::checker {

// Table files are read by the component itself, so what changes its reading is
// an error there; the settings file only feeds the registry, so a warning.
enum class FileKind { Table, Settings };

// Findings for the bytes of `file` (named so in the findings).
std::vector<Finding> checkBytes(const std::string& bytes, const std::string& file, FileKind kind);

// The lines as the component splits them, CR LF or CR ending each, bytes kept as written.
std::vector<std::string> componentLines(std::string_view bytes);

}  // namespace zelva::checker
