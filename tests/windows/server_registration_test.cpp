// Self-registration as regsvr32 does it: what registration writes, that
// unregistering removes exactly that and leaves the host library's keys and
// what the other architecture's registration shares, and that a DLL without
// its type library refuses to register and writes nothing.

#include <gtest/gtest.h>

#include <string>

#include "ServerTestSupport.h"

using namespace zelva::wintest;

namespace {

const wchar_t* const TypeLibMarshaler = L"{00020424-0000-0000-C000-000000000046}";

std::wstring registryString(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t value[1024];
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return L"<absent>";
    return value;
}

bool keyExists(const std::wstring& key) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct ClassRow {
    const CLSID* clsid;
    const wchar_t* progId;
    const IID* defaultInterface;
    const wchar_t* interfaceName;
};

const ClassRow Classes[] = {
    {&CLSID_PShape, L"Zelvacorin.PShape", &IID__PShape, L"_PShape"},
    {&CLSID_DropHook, L"Zelvacorin.DropHook", &IID__DropHook, L"_DropHook"},
};

std::wstring classKey(const ClassRow& row) { return L"CLSID\\" + guidText(*row.clsid); }
std::wstring interfaceKey(REFIID iid) { return L"Interface\\" + guidText(iid); }
std::wstring typeLibKey() { return L"TypeLib\\" + guidText(LIBID_Zelvacorin) + L"\\1.0"; }
// The type library's platform key of the other architecture.
const wchar_t* const OtherSysKindKey = Is64Bit ? L"win32" : L"win64";

void expectRegistered() {
    const std::wstring dll = besideTestProgram(L"Zelvacorin.dll");
    for (const ClassRow& row : Classes) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.progId)));
        EXPECT_EQ(registryString(std::wstring(row.progId) + L"\\CLSID"), guidText(*row.clsid));
        EXPECT_EQ(registryString(classKey(row) + L"\\ProgID"), row.progId);
        const std::wstring server = registryString(classKey(row) + L"\\InprocServer32");
        EXPECT_TRUE(samePath(server, dll)) << testing::PrintToString(server);
        EXPECT_EQ(registryString(classKey(row) + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(registryString(interfaceKey(*row.defaultInterface)), row.interfaceName);
        EXPECT_EQ(registryString(interfaceKey(*row.defaultInterface) + L"\\ProxyStubClsid"), TypeLibMarshaler);
        EXPECT_EQ(registryString(interfaceKey(*row.defaultInterface) + L"\\ProxyStubClsid32"), TypeLibMarshaler);
        EXPECT_EQ(registryString(interfaceKey(*row.defaultInterface) + L"\\TypeLib"), guidText(LIBID_Zelvacorin));
        EXPECT_EQ(registryString(interfaceKey(*row.defaultInterface) + L"\\TypeLib", L"Version"), L"1.0");
        CLSID fromProgId;
        EXPECT_EQ(CLSIDFromProgID(row.progId, &fromProgId), S_OK);
        EXPECT_EQ(guidText(fromProgId), guidText(*row.clsid));
    }
    EXPECT_EQ(registryString(typeLibKey()), L"Zelvacorin");
    // Under its own locale and the neutral one, where the type-library marshaller
    // looks, for its own platform: Wine reads win32 when win64 is missing.
    for (const wchar_t* locale : {L"\\409\\", L"\\0\\"})
        EXPECT_TRUE(samePath(registryString(typeLibKey() + locale + NativeSysKindKey), dll)) << locale;
    EXPECT_EQ(registryString(typeLibKey() + L"\\FLAGS"), L"0");
    // The folder with its closing backslash, as the install package writes it too.
    EXPECT_TRUE(samePath(registryString(typeLibKey() + L"\\HELPDIR"), dll.substr(0, dll.find_last_of(L'\\') + 1)));
}

// The host library's registration, which the component's must never touch.
void expectHostLibraryRegistered() {
    EXPECT_TRUE(keyExists(L"TypeLib\\" + guidText(LIBID_IronCADAO) + L"\\3.15"));
    EXPECT_EQ(registryString(interfaceKey(IID_IC2DProjectedThreads) + L"\\TypeLib"), guidText(LIBID_IronCADAO));
    EXPECT_TRUE(keyExists(L"CLSID\\" + guidText(CLSID_UnitConverter) + L"\\InprocServer32"));
}

}  // namespace

TEST(ServerRegistration, WritesBothClassesTheirProgIdsAndTheTypeLibrary) {
    expectRegistered();
    expectHostLibraryRegistered();
}

TEST(ServerRegistration, UnregisteringRemovesItsKeysAndLeavesTheHostLibrarys) {
    ASSERT_EQ(regsvr32(L"/u /s"), 0u);
    for (const ClassRow& row : Classes) {
        EXPECT_FALSE(keyExists(row.progId)) << row.progId;
        EXPECT_FALSE(keyExists(classKey(row))) << row.progId;
        EXPECT_FALSE(keyExists(interfaceKey(*row.defaultInterface))) << row.progId;
    }
    EXPECT_FALSE(keyExists(L"TypeLib\\" + guidText(LIBID_Zelvacorin)));
    expectHostLibraryRegistered();

    EXPECT_EQ(regsvr32(L"/u /s"), 0u) << "unregistering what is not registered succeeds";
    ASSERT_EQ(regsvr32(L"/s"), 0u);
    expectRegistered();
}

// The other architecture's DLL registered beside this one, as far as the shared
// keys show it: the type library's path for its platform.
TEST(ServerRegistration, UnregisteringLeavesTheSharedKeysWhileTheOtherArchitectureIsRegistered) {
    const std::wstring otherDll = L"C:\\Other\\Zelvacorin.dll";
    const std::wstring locales[] = {typeLibKey() + L"\\0", typeLibKey() + L"\\409"};
    for (const std::wstring& locale : locales)
        ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, (locale + L"\\" + OtherSysKindKey).c_str(), nullptr, REG_SZ,
                                  otherDll.c_str(), static_cast<DWORD>((otherDll.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);

    ASSERT_EQ(regsvr32(L"/u /s"), 0u);
    for (const ClassRow& row : Classes) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.progId)));
        EXPECT_FALSE(keyExists(classKey(row)));
        EXPECT_FALSE(keyExists(interfaceKey(*row.defaultInterface)));
        EXPECT_EQ(registryString(std::wstring(row.progId) + L"\\CLSID"), guidText(*row.clsid));
    }
    EXPECT_EQ(registryString(typeLibKey()), L"Zelvacorin");
    for (const std::wstring& locale : locales) {
        EXPECT_EQ(registryString(locale + L"\\" + OtherSysKindKey), otherDll) << locale;
        EXPECT_EQ(registryString(locale + L"\\" + NativeSysKindKey), L"<absent>") << locale;
    }

    // The other architecture unregistered too: the last one takes the shared keys.
    for (const std::wstring& locale : locales)
        ASSERT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, (locale + L"\\" + OtherSysKindKey).c_str()), ERROR_SUCCESS);
    ASSERT_EQ(regsvr32(L"/u /s"), 0u);
    for (const ClassRow& row : Classes) EXPECT_FALSE(keyExists(row.progId)) << row.progId;
    EXPECT_FALSE(keyExists(L"TypeLib\\" + guidText(LIBID_Zelvacorin)));
    expectHostLibraryRegistered();

    ASSERT_EQ(regsvr32(L"/s"), 0u);
    expectRegistered();
}

TEST(ServerRegistration, ACopyWithoutAUsableTypeLibraryRefusesToRegister) {
    wchar_t directory[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, directory), 0u);
    const std::wstring copy = std::wstring(directory) + L"ZelvacorinBrokenTypeLib.dll";
    ASSERT_TRUE(CopyFileW(besideTestProgram(L"Zelvacorin.dll").c_str(), copy.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    char notATypeLibrary[] = "not a type library";
    ASSERT_TRUE(UpdateResourceW(update, L"TYPELIB", MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                notATypeLibrary, sizeof notATypeLibrary));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

    HMODULE dll = LoadLibraryW(copy.c_str());
    ASSERT_NE(dll, nullptr);
    using Export = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer =
        reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    EXPECT_TRUE(FAILED(registerServer()));
    FreeLibrary(dll);
    DeleteFileW(copy.c_str());

    expectRegistered();
}
