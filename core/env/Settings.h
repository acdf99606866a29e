#pragma once
// Where the component finds its environment: registry values of the product
// family (read through the host's registry class), the paths derived from them,
// the message language, and the host's thread-file directory.

#include <cstdint>
#include <string>

#include "core/env/Module.h"

namespace zelva::env {

constexpr const char* kFamilyKey = "SOFTWARE\\Ombrivale\\Tessalo";
constexpr const char* kProductKey = "SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin";

// The registry values' names. Under kFamilyKey:
constexpr const char* kApplDirValue = "ApplDir";
constexpr const char* kLanguageValue = "Language";
// Under kProductKey; a tab's four end in its index ("Norme#0", "Data#0").
constexpr const char* kFilePrefsValue = "File Prefs";
constexpr const char* kNormeValue = "Norme#";
constexpr const char* kNormeDirValue = "Norme Dir#";
constexpr const char* kDataValue = "Data#";
constexpr const char* kFileIniValue = "File INI#";
constexpr const char* kMatchSizeValue = "MatchSize";
constexpr const char* kCalloutFormatValue = "CalloutFormat";
constexpr const char* kCalloutCustomValue = "CalloutCustom";

// Each getter reads one registry value; an absent value reads as "".
std::string GetApplDir(Module& m);
std::string GetFilePrefsSetting(Module& m);
std::string GetNormeSetting(Module& m, const std::string& n);
std::string GetNormeDirSetting(Module& m, const std::string& n);
std::string GetDataSetting(Module& m, const std::string& n);
std::string GetFileIniSetting(Module& m, const std::string& n);

// Settings of the behaviours a site turns on; absent, each reads as "" and is off.
// MatchSize "1": the thread dialog selects the standard of the edge's or pin's size.
// CalloutFormat: the text a drawing gets for a pin from its standard ({name} …);
// CalloutCustom: the one for a pin of no standard.
std::string GetMatchSizeSetting(Module& m);
std::string GetCalloutFormatSetting(Module& m);
std::string GetCalloutCustomSetting(Module& m);

// StandardsDir for the current tab, and PrefsFilePath.
void InitPaths(Module& m);
// InitPaths, then DataFilePath and IniFileName from the settings of index n.
void LoadStandardFiles(Module& m, int16_t n);

// The message block the "Language" value selects (env/Languages.h): the first
// old block whose name it contains; else the complete set its language tag
// names; else the English old block.
int16_t GetLanguageBase(Module& m);

// -1 when the file exists, 0 otherwise.
int16_t FileExists(Module& m, const std::string& path);

// The host's thread-file directory without its trailing backslash.
std::string GetThreadFileDir(Module& m);

}  // namespace zelva::env
