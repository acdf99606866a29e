// The run's registry values leave the registry as they found it: a value
// that existed gets its old data and type back, a new one goes with the keys
// made for it, and a key that held something else stays; a run killed with
// its values in place is put back by the next run's start.

#include <windows.h>

#include <gtest/gtest.h>

#include "ComTestSupport.h"
#include "standin/comhost/RegistryOverlay.h"
#include "admin/settingsfiles/RegistryStore.h"

namespace {

const wchar_t kBase[] = L"SOFTWARE\\Ombrivale\\PinhostOverlayTest";
const wchar_t kJournal[] = L"Software\\Ombrivale\\PinhostOverlayTestJournal";
const std::string kBaseKey = "SOFTWARE\\Ombrivale\\PinhostOverlayTest";

bool keyExists(const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring valueOf(const std::wstring& key, const wchar_t* name) {
    wchar_t text[256] = {};
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return L"<absent>";
    return text;
}

class Overlay : public ::testing::Test {
protected:
    Overlay() { clean(); }
    ~Overlay() override { clean(); }
    static void clean() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBase);
        RegDeleteTreeW(HKEY_CURRENT_USER, kJournal);
    }
    const std::wstring base = kBase;
    const std::string baseKey = kBaseKey;
};

// Runs this program's test `name` alone; its exit code.
DWORD runTestAlone(const std::string& name) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    return zelva::wintest::runToEnd(L"\"" + std::wstring(program) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" +
                                    std::wstring(name.begin(), name.end()));
}

constexpr DWORD kKilled = 9;

}  // namespace

TEST_F(Overlay, NewValuesGoWithTheKeysMadeForThem) {
    {
        zelva::comhost::RegistryOverlay overlay(kJournal);
        overlay.set(zelva::host::registry::LocalMachine, baseKey + "\\Deep\\Er\\", "Dir", "/home/user/tables");
        EXPECT_EQ(valueOf(base + L"\\Deep\\Er", L"Dir"), L"/home/user/tables") << "a Linux path stays as written";
    }
    EXPECT_FALSE(keyExists(base + L"\\Deep"));
    EXPECT_FALSE(keyExists(base));
}

TEST_F(Overlay, EarlierValuesComeBackAndOtherContentStays) {
    const DWORD number = 7;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kBase, L"Kept", REG_DWORD, &number, sizeof number);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kBase, L"Language", REG_SZ, L"Italian", sizeof L"Italian");
    zelva::comhost::RegistryOverlay overlay(kJournal);
    overlay.set(zelva::host::registry::LocalMachine, baseKey, "Language", "German");
    overlay.set(zelva::host::registry::LocalMachine, baseKey, "LANGUAGE", "English");
    overlay.set(zelva::host::registry::LocalMachine, baseKey, "New", "x");
    EXPECT_EQ(valueOf(base, L"Language"), L"English");
    overlay.restore();
    EXPECT_EQ(valueOf(base, L"Language"), L"Italian") << "the value before the first write, not the one between";
    EXPECT_EQ(valueOf(base, L"New"), L"<absent>");
    DWORD kept = 0, bytes = sizeof kept;
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kBase, L"Kept", RRF_RT_REG_DWORD, nullptr, &kept, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(kept, 7u);
}

// The run the next test kills: its values written, ended before it can put them back.
TEST(OverlayRun, DISABLED_IsKilledWithItsValuesInPlace) {
    zelva::comhost::RegistryOverlay overlay(kJournal);
    overlay.set(zelva::host::registry::LocalMachine, kBaseKey, "Language", "German");
    overlay.set(zelva::host::registry::LocalMachine, kBaseKey + "\\Made", "Dir", "C:\\tables");
    TerminateProcess(GetCurrentProcess(), kKilled);
}

TEST_F(Overlay, ARunKilledHalfWayIsPutBackWhenTheNextStarts) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kBase, L"Language", REG_SZ, L"Italian", sizeof L"Italian");
    ASSERT_EQ(runTestAlone("OverlayRun.DISABLED_IsKilledWithItsValuesInPlace"), kKilled);
    ASSERT_EQ(valueOf(base, L"Language"), L"German") << "the killed run left its value";
    ASSERT_TRUE(keyExists(base + L"\\Made"));
    {
        zelva::comhost::RegistryOverlay next(kJournal);
        EXPECT_EQ(valueOf(base, L"Language"), L"Italian");
        EXPECT_FALSE(keyExists(base + L"\\Made"));
        next.set(zelva::host::registry::LocalMachine, baseKey, "Language", "English");
    }
    EXPECT_EQ(valueOf(base, L"Language"), L"Italian") << "the next run restores its own values too";
    HKEY journal = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kJournal, 0, KEY_READ, &journal), ERROR_SUCCESS)
        << "a restored overlay leaves no journal";
}
