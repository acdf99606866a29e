#include "core/env/Settings.h"

#include "core/automation/NumberRules.h"
#include "core/texts/LanguageTag.h"
#include "core/texts/Languages.h"
#include "core/host/HostCodes.h"

namespace zelva::env {

namespace {

std::string readRegistry(Module& m, std::string_view keyPath, std::string_view name) {
    return m.hostLibrary.createRegistry()->readString(host::registry::LocalMachine, keyPath, name);
}

std::string indexText(int16_t n) { return trimSpaces(numberToText(n)); }

}  // namespace

std::string GetApplDir(Module& m) { return readRegistry(m, kFamilyKey, kApplDirValue); }
std::string GetFilePrefsSetting(Module& m) { return readRegistry(m, kProductKey, kFilePrefsValue); }
std::string GetNormeSetting(Module& m, const std::string& n) { return readRegistry(m, kProductKey, kNormeValue + n); }
std::string GetNormeDirSetting(Module& m, const std::string& n) {
    return readRegistry(m, kProductKey, kNormeDirValue + n);
}
std::string GetDataSetting(Module& m, const std::string& n) { return readRegistry(m, kProductKey, kDataValue + n); }
std::string GetFileIniSetting(Module& m, const std::string& n) {
    return readRegistry(m, kProductKey, kFileIniValue + n);
}

std::string GetMatchSizeSetting(Module& m) { return readRegistry(m, kProductKey, kMatchSizeValue); }
std::string GetCalloutFormatSetting(Module& m) { return readRegistry(m, kProductKey, kCalloutFormatValue); }
std::string GetCalloutCustomSetting(Module& m) { return readRegistry(m, kProductKey, kCalloutCustomValue); }

void InitPaths(Module& m) {
    const std::string dir = GetApplDir(m);
    const std::string n = indexText(m.CurrentNorma);
    m.StandardsDir = dir + GetNormeDirSetting(m, n);
    m.PrefsFilePath = dir + GetFilePrefsSetting(m);
}

void LoadStandardFiles(Module& m, int16_t n) {
    InitPaths(m);
    const std::string index = indexText(n);
    m.DataFilePath = m.StandardsDir + GetDataSetting(m, index);
    m.IniFileName = GetFileIniSetting(m, index);
}

int16_t GetLanguageBase(Module& m) {
    return texts::languageBaseOf(readRegistry(m, kFamilyKey, kLanguageValue)).value_or(texts::kDefaultLanguageBase);
}

int16_t FileExists(Module& m, const std::string& path) {
    return m.hostLibrary.createRegistry()->fileExists(path) ? kTrue : kFalse;
}

std::string GetThreadFileDir(Module& m) {
    std::string value;
    const Ref<host::HostSettingsStore> store = m.hostLibrary.createSettingsStore();
    if (store->openSection("Directories")) {
        // The host's own fall-back folder when the key is missing; the
        // texture picture is looked for there, as installed hosts expect.
        value = store->readString("ThreadFile").value_or("v:\\bin.32");
        store->closeSection();
    }
    if (!value.empty() && value.back() == '\\') value.pop_back();
    return value;
}

}  // namespace zelva::env
