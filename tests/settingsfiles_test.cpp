// The settings files' stores: a registry store read by hive, key and name in
// any letter case, and files that cannot be read or are malformed refused with
// their path.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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

}  // namespace
}  // namespace zelva::settingsfiles
