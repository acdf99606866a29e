// The stand-in host library 3itlu31.dll, registered by the test fixture: its
// registration, the slot of every method the component calls, and the behaviour
// of each class through its vtable and through IDispatch.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "IronCADAO.h"
#include "ComTestSupport.h"

using namespace zelva::wintest;

namespace {

const wchar_t* const HostDll = L"3itlu31.dll";

template <class Interface>
ComPtr<Interface> create(REFCLSID clsid) {
    ComPtr<Interface> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), object.putVoid()), S_OK);
    return object;
}

ComPtr<IHostVector> vector(double x, double y, double z) {
    ComPtr<IHostVector> v = create<IHostVector>(CLSID_HostVector);
    EXPECT_EQ(v->SetXYZ(&x, &y, &z), S_OK);
    return v;
}

std::wstring registryString(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t value[1024];
    DWORD bytes = sizeof value;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return L"<absent>";
    return value;
}

bool registryKeyExists(HKEY root, const std::wstring& key) {
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// The description a failing member left for automation clients.
std::wstring errorDescription() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK) return L"<none>";
    Bstr text;
    info->GetDescription(text.put());
    return text.text();
}

template <class Function>
Function exportOf(HMODULE dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

using PlainExport = HRESULT(STDAPICALLTYPE*)();

HRESULT callExport(const char* name) {
    HMODULE dll = LoadLibraryW(besideTestProgram(HostDll).c_str());
    const auto entry = exportOf<PlainExport>(dll, name);
    const HRESULT hr = entry ? entry() : E_FAIL;
    FreeLibrary(dll);
    return hr;
}

struct HostClassRow {
    const CLSID* clsid;
    const IID* iid;
};

const HostClassRow HostClasses[] = {
    {&CLSID_HostVector, &IID_IHostVector},
    {&CLSID_HostPlacement, &IID_IHostPlacement},
    {&CLSID_HostTransform, &IID_IHostTransform},
    {&CLSID_HostClassRegistry, &IID_IHostClassRegistry},
    {&CLSID_UnitConverter, &IID_IUnitConverter},
    {&CLSID_HostRegistry, &IID_IHostRegistry},
    {&CLSID_HostSettingsStore, &IID_IHostSettingsStore},
};

// A method the component calls, and the slot it must sit in (counted from 1 after
// IDispatch's seven).
struct SlotRow {
    const IID* iid;
    int slot;
    const wchar_t* name;
    INVOKEKIND kind;
    SHORT params;
};

const SlotRow Slots[] = {
    {&IID_IHostVector, 1, L"X", INVOKE_PROPERTYGET, 1},
    {&IID_IHostVector, 3, L"Y", INVOKE_PROPERTYGET, 1},
    {&IID_IHostVector, 5, L"Z", INVOKE_PROPERTYGET, 1},
    {&IID_IHostVector, 7, L"Normalize", INVOKE_FUNC, 0},
    {&IID_IHostVector, 16, L"SetXYZ", INVOKE_FUNC, 3},
    {&IID_IHostPlacement, 1, L"X", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 2, L"X", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostPlacement, 3, L"Y", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 4, L"Y", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostPlacement, 5, L"Z", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 6, L"Z", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostPlacement, 7, L"Rotation1", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 8, L"Rotation1", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostPlacement, 9, L"Rotation2", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 10, L"Rotation2", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostPlacement, 11, L"Rotation3", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 12, L"Rotation3", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostPlacement, 13, L"Rotation4", INVOKE_PROPERTYGET, 1},
    {&IID_IHostPlacement, 14, L"Rotation4", INVOKE_PROPERTYPUT, 1},
    {&IID_IHostTransform, 4, L"GetRotation", INVOKE_FUNC, 4},
    {&IID_IHostTransform, 20, L"SetFrames", INVOKE_FUNC, 4},
    {&IID_IHostClassRegistry, 5, L"ClassIdOf", INVOKE_FUNC, 3},
    {&IID_IUnitConverter, 3, L"Convert", INVOKE_FUNC, 5},
    {&IID_IHostRegistry, 3, L"ReadString", INVOKE_FUNC, 5},
    {&IID_IHostRegistry, 4, L"FileExists", INVOKE_FUNC, 2},
    {&IID_IHostSettingsStore, 7, L"OpenSection", INVOKE_FUNC, 2},
    {&IID_IHostSettingsStore, 8, L"CloseSection", INVOKE_FUNC, 0},
    {&IID_IHostSettingsStore, 11, L"ReadString", INVOKE_FUNC, 3},
};

}  // namespace

// --- Registration -------------------------------------------------------------------

TEST(HostLibraryRegistration, RegistersTheTypeLibraryAndEveryClassAtTheDllPath) {
    Bstr path;
    ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_IronCADAO, 3, 21, LOCALE_NEUTRAL, path.put()), S_OK);
    EXPECT_EQ(CompareStringOrdinal(path.text().c_str(), -1, besideTestProgram(HostDll).c_str(), -1, TRUE),
              CSTR_EQUAL) << testing::PrintToString(path.text());
    // Registry versions of type libraries are hexadecimal: 3.21 is "3.15".
    EXPECT_TRUE(registryKeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + guidText(LIBID_IronCADAO) + L"\\3.15"));
    EXPECT_TRUE(registryKeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + guidText(IID_IC2DProjectedThreads)));

    for (const HostClassRow& row : HostClasses) {
        const std::wstring server = L"CLSID\\" + guidText(*row.clsid) + L"\\InprocServer32";
        EXPECT_EQ(CompareStringOrdinal(registryString(HKEY_CLASSES_ROOT, server, nullptr).c_str(), -1,
                                       besideTestProgram(HostDll).c_str(), -1, TRUE),
                  CSTR_EQUAL) << testing::PrintToString(server);
        EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, server, L"ThreadingModel"), L"Apartment");
    }
}

TEST(HostLibraryRegistration, UnregisteringRemovesWhatRegisteringWrote) {
    ASSERT_EQ(callExport("DllUnregisterServer"), S_OK);
    Bstr path;
    EXPECT_NE(QueryPathOfRegTypeLib(LIBID_IronCADAO, 3, 21, LOCALE_NEUTRAL, path.put()), S_OK);
    EXPECT_FALSE(registryKeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + guidText(IID_IHostVector)));
    for (const HostClassRow& row : HostClasses)
        EXPECT_FALSE(registryKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + guidText(*row.clsid)));
    EXPECT_EQ(callExport("DllUnregisterServer"), S_OK) << "a second unregistration is harmless";

    ASSERT_EQ(callExport("DllRegisterServer"), S_OK);
    EXPECT_EQ(QueryPathOfRegTypeLib(LIBID_IronCADAO, 3, 21, LOCALE_NEUTRAL, path.put()), S_OK);
    for (const HostClassRow& row : HostClasses)
        EXPECT_TRUE(registryKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + guidText(*row.clsid)));
}

// --- Objects --------------------------------------------------------------------------

TEST(HostLibraryObjects, EveryClassAnswersItsInterfacesAndRefusesOthers) {
    for (const HostClassRow& row : HostClasses) {
        SCOPED_TRACE(testing::PrintToString(guidText(*row.clsid)));
        ComPtr<IUnknown> object;
        ASSERT_EQ(CoCreateInstance(*row.clsid, nullptr, CLSCTX_INPROC_SERVER, *row.iid, object.putVoid()), S_OK);
        ComPtr<IDispatch> dispatch;
        EXPECT_EQ(object->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
        ComPtr<IUnknown> other;
        EXPECT_EQ(object->QueryInterface(IID_IC2DProjectedThreads, other.putVoid()), E_NOINTERFACE);
        EXPECT_FALSE(other);
    }
}

TEST(HostLibraryObjects, RefusesUnknownClassesAndAggregation) {
    HMODULE dll = LoadLibraryW(besideTestProgram(HostDll).c_str());
    const auto getClassObject = exportOf<decltype(&DllGetClassObject)>(dll, "DllGetClassObject");
    ASSERT_TRUE(getClassObject);
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(IID_IHostVector, IID_IClassFactory, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(factory);
    ASSERT_EQ(getClassObject(CLSID_HostVector, IID_IClassFactory, factory.putVoid()), S_OK);
    ComPtr<IUnknown> outer = create<IUnknown>(CLSID_HostPlacement), object;
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, object.putVoid()), CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(object);
    factory.reset();
    outer.reset();
    FreeLibrary(dll);
}

TEST(HostLibraryObjects, MayUnloadOnlyWhenNoObjectIsAlive) {
    HMODULE dll = LoadLibraryW(besideTestProgram(HostDll).c_str());
    const auto canUnload = exportOf<PlainExport>(dll, "DllCanUnloadNow");
    ASSERT_TRUE(canUnload);
    {
        ComPtr<IHostVector> v = vector(1, 2, 3);
        EXPECT_EQ(canUnload(), S_FALSE);
    }
    EXPECT_EQ(canUnload(), S_OK);
    FreeLibrary(dll);
}

TEST(HostLibraryObjects, MethodsSitInTheSlotsTheComponentCalls) {
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(LIBID_IronCADAO, 3, 21, LOCALE_NEUTRAL, lib.put()), S_OK);
    for (const SlotRow& row : Slots) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)) + " slot " + std::to_string(row.slot));
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(lib->GetTypeInfoOfGuid(*row.iid, info.put()), S_OK);
        HREFTYPE ref;
        ComPtr<ITypeInfo> vtable;
        ASSERT_EQ(info->GetRefTypeOfImplType(-1, &ref), S_OK);
        ASSERT_EQ(info->GetRefTypeInfo(ref, vtable.put()), S_OK);
        FUNCDESC* func;
        ASSERT_EQ(vtable->GetFuncDesc(row.slot - 1, &func), S_OK);
        EXPECT_EQ(func->oVft, static_cast<SHORT>((6 + row.slot) * sizeof(void*)));
        EXPECT_EQ(func->invkind, row.kind);
        EXPECT_EQ(func->cParams, row.params);
        Bstr name;
        vtable->GetDocumentation(func->memid, name.put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(name.text(), row.name);
        vtable->ReleaseFuncDesc(func);
    }
}

// --- HostVector, HostPlacement, HostTransform -----------------------------------------

TEST(HostVector, SetsReadsAndNormalizes) {
    ComPtr<IHostVector> v = vector(1, 2, 2);
    double x = 0, y = 0, z = 0;
    ASSERT_EQ(v->get_X(&x), S_OK);
    ASSERT_EQ(v->get_Y(&y), S_OK);
    ASSERT_EQ(v->get_Z(&z), S_OK);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    EXPECT_EQ(z, 2);
    ASSERT_EQ(v->Normalize(), S_OK);
    v->get_X(&x);
    v->get_Y(&y);
    v->get_Z(&z);
    EXPECT_DOUBLE_EQ(x, 1.0 / 3);
    EXPECT_DOUBLE_EQ(y, 2.0 / 3);
    EXPECT_DOUBLE_EQ(z, 2.0 / 3);

    ComPtr<IHostVector> zero = vector(0, 0, 0);
    ASSERT_EQ(zero->Normalize(), S_OK);
    zero->get_X(&x);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(v->SetXYZ(nullptr, &y, &z), E_POINTER);
}

TEST(HostVector, AnswersThroughIDispatchByName) {
    ComPtr<IHostVector> v = vector(4, 5, 6);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(v->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(L"y");
    DISPID id;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                               nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_R8);
    EXPECT_EQ(V_R8(&result), 5);
}

TEST(HostPlacement, KeepsSevenIndependentValues) {
    ComPtr<IHostPlacement> p = create<IHostPlacement>(CLSID_HostPlacement);
    p->put_X(1);
    p->put_Y(2);
    p->put_Z(3);
    p->put_Rotation1(4);
    p->put_Rotation2(5);
    p->put_Rotation3(6);
    p->put_Rotation4(7);
    double v[7] = {};
    p->get_X(&v[0]);
    p->get_Y(&v[1]);
    p->get_Z(&v[2]);
    p->get_Rotation1(&v[3]);
    p->get_Rotation2(&v[4]);
    p->get_Rotation3(&v[5]);
    p->get_Rotation4(&v[6]);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(v[i], i + 1) << "value " << i;
}

TEST(HostTransform, ReportsTheRotationFromTheFirstAxisToTheSecond) {
    struct Case {
        double nx, ny, nz;
        double w, x, y, z;
    };
    const double h = std::sqrt(0.5);
    const Case cases[] = {
        {0, 0, 1, 1, 0, 0, 0},   // the same axis: identity
        {0, 0, 7, 1, 0, 0, 0},   // length does not matter
        {1, 0, 0, h, 0, h, 0},   // a quarter turn about +Y
        {0, -1, 0, h, h, 0, 0},  // a quarter turn about +X
    };
    for (const Case& c : cases) {
        ComPtr<IHostTransform> t = create<IHostTransform>(CLSID_HostTransform);
        ComPtr<IHostVector> origin = vector(0, 0, 0), up = vector(0, 0, 1);
        ComPtr<IHostVector> point = vector(5, 6, 7), normal = vector(c.nx, c.ny, c.nz);
        IHostVector* args[] = {origin.get(), up.get(), point.get(), normal.get()};
        ASSERT_EQ(t->SetFrames(&args[0], &args[1], &args[2], &args[3]), S_OK);
        double w, x, y, z;
        ASSERT_EQ(t->GetRotation(&w, &x, &y, &z), S_OK);
        EXPECT_NEAR(w, c.w, 1e-12);
        EXPECT_NEAR(x, c.x, 1e-12);
        EXPECT_NEAR(y, c.y, 1e-12);
        EXPECT_NEAR(z, c.z, 1e-12);
    }
}

TEST(HostTransform, RefusesMissingVectors) {
    ComPtr<IHostTransform> t = create<IHostTransform>(CLSID_HostTransform);
    ComPtr<IHostVector> v = vector(0, 0, 1);
    IHostVector* present = v.get();
    IHostVector* missing = nullptr;
    EXPECT_EQ(t->SetFrames(&present, &present, &missing, &present), E_POINTER);
    EXPECT_EQ(t->SetFrames(&present, nullptr, &present, &present), E_POINTER);
}

// --- HostClassRegistry and UnitConverter ----------------------------------------------

TEST(HostClassRegistry, ResolvesARegisteredProgIdToItsBracedClassId) {
    ComPtr<IHostClassRegistry> registry = create<IHostClassRegistry>(CLSID_HostClassRegistry);
    Bstr progId(L"Scripting.Dictionary"), classId;
    long reserved = 0;
    ASSERT_EQ(registry->ClassIdOf(progId.ref(), &reserved, classId.put()), S_OK);
    EXPECT_EQ(classId.text(), L"{EE09B103-97E0-11CF-978F-00A02463E06F}");

    Bstr unknown(L"Zelvacorin.NoSuchClass");
    EXPECT_TRUE(FAILED(registry->ClassIdOf(unknown.ref(), &reserved, classId.put())));
    EXPECT_TRUE(classId.isNull());
    EXPECT_NE(errorDescription().find(L"Zelvacorin.NoSuchClass"), std::wstring::npos);
}

TEST(UnitConverter, ConvertsBetweenUnitCodes) {
    struct Case {
        long from, to;
        double value, expected;
    };
    const Case cases[] = {
        {1, 4, 25.4, 1.0},    // millimetres to inches
        {7, 2, 500, 0.5},     // texture millimetres to metres
        {4, 7, 2, 50.8},      // inches to texture millimetres
        {1, 11, 12.5, 12.5},  // model to drawing-sheet millimetres
    };
    ComPtr<IUnitConverter> converter = create<IUnitConverter>(CLSID_UnitConverter);
    ComPtr<IDispatch> page;
    ASSERT_EQ(create<IHostVector>(CLSID_HostVector)->QueryInterface(IID_IDispatch, page.putVoid()), S_OK);
    for (Case c : cases) {
        IDispatch* pageRef = page.get();
        double result = -1;
        ASSERT_EQ(converter->Convert(&pageRef, &c.value, &c.from, &c.to, &result), S_OK);
        EXPECT_NEAR(result, c.expected, 1e-12) << c.from << " to " << c.to;
    }
}

TEST(UnitConverter, FailsWithADescriptionForAMissingPageOrUnknownCode) {
    ComPtr<IUnitConverter> converter = create<IUnitConverter>(CLSID_UnitConverter);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(converter->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    ComPtr<IDispatch> page;
    ASSERT_EQ(create<IHostVector>(CLSID_HostVector)->QueryInterface(IID_IDispatch, page.putVoid()), S_OK);

    struct Case {
        IDispatch* page;
        long from, to;
        const wchar_t* mentions;
    };
    const Case cases[] = {
        {nullptr, 1, 11, L"page"},
        {page.get(), 9, 1, L"9"},
        {page.get(), 1, 3, L"3"},
    };
    for (Case c : cases) {
        // Arguments in reverse order: result, toUnit, fromUnit, value, page.
        double value = 10;
        VARIANT args[4];
        V_VT(&args[0]) = VT_I4 | VT_BYREF, V_I4REF(&args[0]) = &c.to;
        V_VT(&args[1]) = VT_I4 | VT_BYREF, V_I4REF(&args[1]) = &c.from;
        V_VT(&args[2]) = VT_R8 | VT_BYREF, V_R8REF(&args[2]) = &value;
        V_VT(&args[3]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&args[3]) = &c.page;
        DISPPARAMS params = {args, nullptr, 4, 0};
        LPOLESTR name = const_cast<LPOLESTR>(L"Convert");
        DISPID id;
        ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception = {};
        EXPECT_EQ(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                                   &exception, nullptr), DISP_E_EXCEPTION);
        EXPECT_EQ(exception.scode, E_INVALIDARG);
        ASSERT_TRUE(exception.bstrDescription);
        EXPECT_NE(std::wstring(exception.bstrDescription).find(c.mentions), std::wstring::npos)
            << testing::PrintToString(std::wstring(exception.bstrDescription));
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        VariantClear(&result);
    }
}

// --- HostRegistry and HostSettingsStore -----------------------------------------------

class RegistryFixture : public ::testing::Test {
protected:
    static constexpr const wchar_t* TestKey = L"SOFTWARE\\Ombrivale\\ZelvaHostLibraryTest";
    static constexpr const wchar_t* SettingsKey = L"SOFTWARE\\Ombrivale\\PinhostSettings";

    void TearDown() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, TestKey);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, SettingsKey, L"File");
        if (!iniPath.empty()) DeleteFileW(iniPath.c_str());
    }

    static void setMachineString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, value.c_str(),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    // Writes a settings file and names it in the registry as the host's settings.
    void writeSettings(const char* text) {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        iniPath = std::wstring(dir) + L"zelva_pinhost_settings.ini";
        std::ofstream(iniPath.c_str(), std::ios::binary) << text;
        setMachineString(SettingsKey, L"File", iniPath);
    }

    std::wstring iniPath;
};

using HostRegistryTest = RegistryFixture;

TEST_F(HostRegistryTest, ReadsMachineStringsAndLeavesTheValueAloneWhenAbsent) {
    setMachineString(TestKey, L"Language", L"Italian");
    ComPtr<IHostRegistry> registry = create<IHostRegistry>(CLSID_HostRegistry);
    long root = 2, status = -1;
    Bstr key(TestKey), name(L"Language"), value;
    ASSERT_EQ(registry->ReadString(&root, key.ref(), name.ref(), value.ref(), &status), S_OK);
    EXPECT_EQ(value.text(), L"Italian");
    EXPECT_EQ(status, 0);

    Bstr missing(L"Norme#7"), untouched(L"sentinel");
    ASSERT_EQ(registry->ReadString(&root, key.ref(), missing.ref(), untouched.ref(), &status), S_OK);
    EXPECT_EQ(untouched.text(), L"sentinel");
    EXPECT_NE(status, 0);

    long otherRoot = 1;
    EXPECT_EQ(registry->ReadString(&otherRoot, key.ref(), name.ref(), value.ref(), &status), E_INVALIDARG);
}

TEST_F(HostRegistryTest, TellsFilesFromDirectoriesAndMissingPaths) {
    ComPtr<IHostRegistry> registry = create<IHostRegistry>(CLSID_HostRegistry);
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    struct Case {
        std::wstring path;
        VARIANT_BOOL expected;
    };
    const Case cases[] = {
        {besideTestProgram(HostDll), VARIANT_TRUE},
        {dir, VARIANT_FALSE},
        {besideTestProgram(L"no-such-file.tab"), VARIANT_FALSE},
        {L"", VARIANT_FALSE},
    };
    for (const Case& c : cases) {
        Bstr path(c.path.c_str());
        VARIANT_BOOL exists = 1;
        ASSERT_EQ(registry->FileExists(path.ref(), &exists), S_OK);
        EXPECT_EQ(exists, c.expected) << testing::PrintToString(c.path);
    }
}

using HostSettingsStoreTest = RegistryFixture;

TEST_F(HostSettingsStoreTest, ReadsKeysOfAnOpenSection) {
    writeSettings("[Other]\r\nThreadFile=C:\\wrong\r\n[Directories]\r\nThreadFile=D:\\bin\\\r\nEmpty=\r\n");
    ComPtr<IHostSettingsStore> store = create<IHostSettingsStore>(CLSID_HostSettingsStore);
    Bstr section(L"directories");
    VARIANT_BOOL answer = 0;
    ASSERT_EQ(store->OpenSection(section.ref(), &answer), S_OK);
    ASSERT_EQ(answer, VARIANT_TRUE);

    Bstr key(L"ThreadFile"), value;
    ASSERT_EQ(store->ReadString(key.ref(), value.ref(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    EXPECT_EQ(value.text(), L"D:\\bin\\");

    Bstr empty(L"Empty"), emptyValue(L"sentinel");
    ASSERT_EQ(store->ReadString(empty.ref(), emptyValue.ref(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    EXPECT_EQ(emptyValue.text(), L"");

    Bstr missing(L"Missing"), untouched(L"sentinel");
    ASSERT_EQ(store->ReadString(missing.ref(), untouched.ref(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    EXPECT_EQ(untouched.text(), L"sentinel");

    ASSERT_EQ(store->CloseSection(), S_OK);
    EXPECT_EQ(store->ReadString(key.ref(), value.ref(), &answer), E_UNEXPECTED);
}

TEST_F(HostSettingsStoreTest, OpensNoSectionThatIsNotThere) {
    ComPtr<IHostSettingsStore> store = create<IHostSettingsStore>(CLSID_HostSettingsStore);
    Bstr section(L"Directories");
    VARIANT_BOOL answer = 1;
    ASSERT_EQ(store->OpenSection(section.ref(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE) << "without settings file";

    writeSettings("[Other]\r\nThreadFile=C:\\x\r\n");
    answer = 1;
    ASSERT_EQ(store->OpenSection(section.ref(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE) << "without the section";

    DeleteFileW(iniPath.c_str());
    answer = 1;
    ASSERT_EQ(store->OpenSection(section.ref(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE) << "with the named file missing";
}
