// The settings files' stores: a registry store read by hive, key and name in
// any letter case, and files that cannot be read or are malformed refused with
// their path.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/host/HostCodes.h"
#include "admin/settingsfiles/RegistryStore.h"
#include "admin/settingsfiles/SettingsStore.h"
#include "support/TempFolder.h"

namespace zelva::settingsfiles {
namespace {

TEST(RegistryStoreTest, AnswersTheValueHeldUnderAKeyAndNameInAnyCase) {
    RegistryStore store;
    store.set("HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\", "Name", "value");
    const std::string* found = store.read(host::registry::LocalMachine, "\\software\\a", "NAME");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, "value");
    EXPECT_EQ(store.read(host::registry::LocalMachine, "SOFTWARE\\A", "Other"), nullptr);
    EXPECT_EQ(store.read(host::registry::LocalMachine, "SOFTWARE", "Name"), nullptr);
    EXPECT_EQ(store.read(host::registry::CurrentUser, "SOFTWARE\\A", "Name"), nullptr);
}

TEST(SettingsFilesTest, MalformedOrMissingFilesFailNamingThePath) {
    const test::TempFolder folder;
    RegistryStore registry;
    const auto missing = folder.path() / "absent.reg";
    try {
        registry.load(missing);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos) << e.what();
    }
    EXPECT_THROW(registry.load(folder.write("a.reg", "REGEDIT4\n\"Orphan\"=\"x\"\n")), std::runtime_error);
    EXPECT_THROW(registry.load(folder.write("b.reg", "[HKEY_LOCAL_MACHINE\\X]\n\"Dir\"=\"C:\\Prog\"\n")),
                 std::runtime_error);
    EXPECT_THROW(registry.load(folder.write("c.reg", "[HKEY_LOCAL_MACHINE\\X]\n\"D\"=\"%NOBODY%\"\n")),
                 std::runtime_error);
    SettingsStore settings;
    EXPECT_THROW(settings.load(folder.path() / "absent.ini"), std::runtime_error);
    EXPECT_THROW(settings.load(folder.write("d.ini", "[S]\nno equals sign\n")), std::runtime_error);
}

// Reads a REGEDIT4 value as the component's registry reads come to it: any letter case.
std::string valueIn(const RegistryStore& store, int32_t hive, std::string_view key, std::string_view name) {
    const std::string* found = store.read(hive, key, name);
    return found ? *found : "";
}

TEST(RegistryStoreTest, RegistryFileIsReadWithEscapesPlaceholdersAndAnyCase) {
    const test::TempFolder folder;
    RegistryStore store;
    store.load(folder.write("r.reg",
                            "REGEDIT4\r\n\r\n; product settings\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo]\r\n"
                            "\"ApplDir\"=\"%INSTALLDIR%\"\r\n"
                            "\"Quote\"=\"say \\\"hi\\\" \\\\ 50%\"\r\n"),
               {{"INSTALLDIR", "/opt/tessalo"}});
    EXPECT_EQ(valueIn(store, host::registry::LocalMachine, "SOFTWARE\\Ombrivale\\Tessalo", "ApplDir"), "/opt/tessalo");
    EXPECT_EQ(valueIn(store, host::registry::LocalMachine, "software\\ombrivale\\tessalo", "quote"),
              "say \"hi\" \\ 50%");
}

TEST(RegistryStoreTest, RegistryKeysSetInOneCaseAreReadInAnother) {
    RegistryStore store;
    store.set("HKEY_CURRENT_USER\\Software\\Zelva\\", "Language", "German");
    EXPECT_EQ(valueIn(store, host::registry::CurrentUser, "\\SOFTWARE\\zelva", "LANGUAGE"), "German");
}

TEST(SettingsFilesTest, ShippedRegistryAndSettingsFilesLoad) {
    const std::filesystem::path install = std::filesystem::path(ZELVA_SOURCE_DIR) / "install";
    const Substitutions where{{"INSTALLDIR", "/opt/Tessalo"}};
    RegistryStore registry;
    registry.load(install / "pinhost.reg", where);
    SettingsStore settings;
    settings.load(install / "host-settings.ini", where);
    EXPECT_EQ(valueIn(registry, host::registry::LocalMachine, "SOFTWARE\\Ombrivale\\Tessalo", "ApplDir"),
              "/opt/Tessalo");
    EXPECT_EQ(valueIn(registry, host::registry::LocalMachine, "SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin",
                      "Norme Dir#1"),
              "\\Norme\\UN\\");
    EXPECT_EQ(settings.read("Directories", "ThreadFile"), "/opt/Tessalo\\Images\\");
}

}  // namespace
}  // namespace zelva::settingsfiles
