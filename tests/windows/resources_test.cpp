// The component's resources (server/Zelvacorin.rc), linked into the test program:
// the embedded type library, the interface identifiers, the version, the three
// blocks of message texts and the icons.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ComTestSupport.h"
#include "core/texts/Languages.h"
#include "core/texts/MessageTexts.h"
#include "ResourceIds.h"

using namespace zelva::wintest;

namespace {

const WORD Neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::vector<unsigned char> resourceBytes(const wchar_t* type, const wchar_t* name) {
    HRSRC found = FindResourceExW(nullptr, type, name, Neutral);
    if (!found) return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<unsigned char>(data, data + SizeofResource(nullptr, found));
}

std::wstring loadText(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

std::wstring wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::wstring versionString(const std::vector<unsigned char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length)) return L"<absent>";
    return length ? std::wstring(static_cast<const wchar_t*>(value)) : std::wstring();
}

}  // namespace

TEST(ComponentResources, EmbedsTheFinishedTypeLibraryLanguageNeutral) {
    const auto embedded = resourceBytes(L"TYPELIB", MAKEINTRESOURCEW(1));
    std::ifstream file(besideTestProgram(L"Zelvacorin.tlb").c_str(), std::ios::binary);
    const std::vector<unsigned char> finished{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_GE(embedded.size(), 4u);
    EXPECT_EQ(std::string(embedded.begin(), embedded.begin() + 4), "MSFT");
    EXPECT_EQ(embedded, finished);
}

TEST(ComponentResources, HoldTheDefaultInterfaceIdentifiers) {
    struct Case {
        const wchar_t* type;
        const wchar_t* iid;
    };
    for (Case c : {Case{L"_IID_DROPHOOK", L"{DE33A82F-FD95-11D4-85CB-00E08110F9CF}"},
                   Case{L"_IID_PSHAPE", L"{DE33A836-FD95-11D4-85CB-00E08110F9CF}"}}) {
        const auto bytes = resourceBytes(c.type, MAKEINTRESOURCEW(1));
        ASSERT_EQ(bytes.size(), 20u) << testing::PrintToString(std::wstring(c.type));
        EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 16);
        GUID guid;
        std::memcpy(&guid, bytes.data() + 4, sizeof guid);
        EXPECT_EQ(guidText(guid), c.iid);
    }
}

TEST(ComponentResources, CarryVersionOnePointZeroBuildTwelve) {
    const std::wstring self = besideTestProgram(L"zelva_windows_tests.exe");
    std::vector<unsigned char> info(GetFileVersionInfoSizeW(self.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(self.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x0000000Cu);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x0000000Cu);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    EXPECT_EQ(versionString(info, L"FileVersion"), L"1.00.0012");
    EXPECT_EQ(versionString(info, L"ProductVersion"), L"1.00.0012");
    EXPECT_EQ(versionString(info, L"InternalName"), L"Zelvacorin");
    EXPECT_EQ(versionString(info, L"OriginalFilename"), L"Zelvacorin.dll");
    EXPECT_EQ(versionString(info, L"OLESelfRegister"), L"");
}

// The resource string table and the core's message texts are one table: every
// entry the core knows is in the resources, and nothing else is.
TEST(ComponentResources, HoldExactlyTheCoresMessageTexts) {
    const auto& texts = zelva::texts::AllMessageTexts();
    for (const auto& [id, text] : texts) EXPECT_EQ(loadText(static_cast<UINT>(id)), wide(text)) << id;
    std::vector<zelva::texts::Language> blocks(std::begin(zelva::texts::kLanguages), std::end(zelva::texts::kLanguages));
    blocks.insert(blocks.end(), std::begin(zelva::texts::kCompleteSets), std::end(zelva::texts::kCompleteSets));
    for (const zelva::texts::Language& language : blocks) {
        const UINT base = static_cast<UINT>(language.base);
        for (UINT id = base; id < base + 100; ++id) {
            const bool known = std::any_of(texts.begin(), texts.end(),
                                           [&](const auto& entry) { return static_cast<UINT>(entry.first) == id; });
            if (!known) EXPECT_EQ(loadText(id), L"") << id;
        }
    }
}

TEST(ComponentResources, HoldBothIconsAtBothSizes) {
    for (int id : {IDI_CHAMFER, IDI_NOTICE}) {
        for (int size : {32, 16}) {
            HICON icon = static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_TRUE(icon) << id << " at " << size;
            ICONINFO parts;
            ASSERT_TRUE(GetIconInfo(icon, &parts));
            BITMAP bitmap;
            GetObjectW(parts.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size);
            EXPECT_EQ(bitmap.bmHeight, size);
            DeleteObject(parts.hbmColor);
            DeleteObject(parts.hbmMask);
            DestroyIcon(icon);
        }
    }
}
