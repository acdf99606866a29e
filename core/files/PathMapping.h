#pragma once
// Windows paths on a POSIX file system: the settings carry paths with `\` as
// their separator, which become `/` here. A drive letter stays as it is. On
// Windows a path stays as it is.

#include <string>
#include <string_view>

namespace zelva::files {

// "C:\Prog\Norme\ISO\" → "C:/Prog/Norme/ISO/"; "/opt/x\Images" → "/opt/x/Images".
std::string mapWindowsPath(std::string_view path);

}  // namespace zelva::files
