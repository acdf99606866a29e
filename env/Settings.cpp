#include "env/Settings.h"

#include "automation/NumberRules.h"
#include "env/LanguageTag.h"
#include "env/Languages.h"
#include "host/HostCodes.h"

namespace zelva::env {

namespace {

// The key and the name are the call's by-reference arguments, made once here.
std::string readRegistry(Module& m, std::string keyPath, std::string name) {
    std::string value;
    int32_t root = host::registry::LocalMachine;
    int32_t status = 0;
    m.hostLibrary.createRegistry()->readString(root, keyPath, name, value, status);
    return value;
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
    return languageBaseOf(readRegistry(m, kFamilyKey, kLanguageValue)).value_or(kDefaultLanguageBase);
}

int16_t FileExists(Module& m, const std::string& path) {
    std::string p = path;
    int16_t answer = kFalse;
    m.hostLibrary.createRegistry()->fileExists(p, answer);
    return answer;
}

std::string GetThreadFileDir(Module& m) {
    std::string value;
    const Ref<host::HostSettingsStore> store = m.hostLibrary.createSettingsStore();
    std::string section = "Directories";
    int16_t opened = kFalse;
    store->openSection(section, opened);
    if (opened != 0) {
        std::string key = "ThreadFile";
        int16_t found = kFalse;
        store->readString(key, value, found);
        // The host's own fall-back folder when the key is missing; the
        // texture picture is looked for there, as installed hosts expect.
        if (found != kTrue) value = "v:\\bin.32";
        store->closeSection();
    }
    if (!value.empty() && value.back() == '\\') value.pop_back();
    return value;
}

}  // namespace zelva::env
