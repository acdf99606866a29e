// The component's port to the host's library, ComHostLibrary, against the
// registered stand-in 3itlu31.dll: each role reaches the vtable slot the host
// gives it, the answers the host writes into its slots come back as results,
// and the host's failures arrive as core errors with its description.
//
// Compiled like the server's own sources, against the C form of the interfaces.

#include <gtest/gtest.h>

#include <cmath>

#include "IronCADAO.h"
#include "core/automation/Error.h"
#include "HostClassObjects.h"
#include "ComHostLibrary.h"
#include "windows/comvalues/ComPtr.h"
#include "DispatchObject.h"
#include "core/host/HostCodes.h"

using namespace zelva;
using zelva::server::ComHostLibrary;
using zelva::comvalues::ComPtr;

namespace {

// The error `call` raises; a test fails when it raises none.
template <class Call>
Error errorOf(Call call) {
    try {
        call();
    } catch (const Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return Error(0, 0, "");
}

std::string testProgramPath() {
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

class HostLibraryPort : public ::testing::Test {
protected:
    ComHostLibrary library;
};

}  // namespace

TEST_F(HostLibraryPort, VectorsKeepTheirComponentsAndNormalize) {
    Ref<host::HostVector> v = library.createVector();
    v->setXYZ(3, 0, 4);
    EXPECT_EQ(v->x(), 3.0);
    EXPECT_EQ(v->y(), 0.0);
    EXPECT_EQ(v->z(), 4.0);
    v->normalize();
    EXPECT_DOUBLE_EQ(v->x(), 0.6);
    EXPECT_DOUBLE_EQ(v->z(), 0.8);
}

TEST_F(HostLibraryPort, PlacementsKeepPositionAndFourRotationValues) {
    Ref<host::HostPlacement> p = library.createPlacement();
    p->setX(1);
    p->setY(2);
    p->setZ(3);
    for (int i = 1; i <= 4; ++i) p->setRotation(i, 10 + i);
    EXPECT_EQ(p->x(), 1.0);
    EXPECT_EQ(p->y(), 2.0);
    EXPECT_EQ(p->z(), 3.0);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(p->rotation(i), 10.0 + i) << i;
    EXPECT_EQ(errorOf([&] { p->rotation(5); }).number(), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { p->setRotation(0, 1); }).number(), err::InvalidCall);
}

TEST_F(HostLibraryPort, TransformsTurnTheFirstAxisOntoTheSecond) {
    const auto vector = [&](double x, double y, double z) {
        Ref<host::HostVector> v = library.createVector();
        v->setXYZ(x, y, z);
        return v;
    };
    Ref<host::HostVector> origin = vector(0, 0, 0), zAxis = vector(0, 0, 1), xAxis = vector(1, 0, 0);
    Ref<host::HostTransform> t = library.createTransform();
    t->setFrames(origin, zAxis, origin, xAxis);
    const auto [w, x, y, z] = t->rotation();
    EXPECT_NEAR(w, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(z, 0, 1e-12);
    EXPECT_EQ(zAxis->z(), 1.0) << "the vectors stay as they were";

    Ref<host::HostVector> nothing;
    const Error e = errorOf([&] { t->setFrames(origin, nothing, origin, xAxis); });
    EXPECT_EQ(e.hresult(), E_POINTER);
    EXPECT_EQ(e.description(), "SetFrames needs four vectors.");
}

TEST_F(HostLibraryPort, TheClassRegistryFindsRegisteredProgIds) {
    Ref<host::HostClassRegistry> registry = library.createClassRegistry();
    EXPECT_EQ(registry->classIdOf("Zelvacorin.PShape", 0), "{DE33A837-FD95-11D4-85CB-00E08110F9CF}");

    const Error e = errorOf([&] { registry->classIdOf("Zelvacorin.Nothing", 0); });
    EXPECT_EQ(e.hresult(), CO_E_CLASSSTRING);
    EXPECT_EQ(e.description(), "No class is registered for \"Zelvacorin.Nothing\".");
}

TEST_F(HostLibraryPort, TheUnitConverterConvertsOnAPageFromCom) {
    Ref<host::UnitConverter> converter = library.createUnitConverter();
    ComPtr<IDispatch> pageFromCom;
    ASSERT_EQ(CoCreateInstance(CLSID_HostVector, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, pageFromCom.putVoid()),
              S_OK);
    Ref<Object> page = server::objectOf(pageFromCom.get());
    constexpr int32_t millimetres = 1, metres = 11, unknownCode = 999;
    EXPECT_EQ(converter->convert(page, 2.5, millimetres, millimetres), 2.5);

    Error e = errorOf([&] { converter->convert(Ref<Object>(), 2.5, millimetres, metres); });
    EXPECT_EQ(e.hresult(), E_INVALIDARG);
    EXPECT_EQ(e.description(), "Convert needs a page.");

    e = errorOf([&] { converter->convert(page, 2.5, millimetres, unknownCode); });
    EXPECT_EQ(e.description(), "Unknown unit code 999.");
}

TEST_F(HostLibraryPort, TheRegistryReadsStringsAndTellsFiles) {
    const wchar_t* const key = L"SOFTWARE\\Ombrivale\\ZelvacorinPortTest";
    const std::wstring text = L"Ünïcode ø";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, L"Text", REG_SZ, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    Ref<host::HostRegistry> registry = library.createRegistry();
    const std::string keyName = "SOFTWARE\\Ombrivale\\ZelvacorinPortTest";
    EXPECT_EQ(registry->readString(host::registry::LocalMachine, keyName, "Text"), "Ünïcode ø");
    EXPECT_EQ(registry->readString(host::registry::LocalMachine, keyName, "Absent"), "");
    // Values around and beyond the length first asked for come back whole, an empty one empty.
    for (const size_t length : {0u, 259u, 260u, 261u, 5000u}) {
        const std::wstring value(length, L'x');
        ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, L"Long", REG_SZ, value.c_str(),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        EXPECT_EQ(registry->readString(host::registry::LocalMachine, keyName, "Long"), std::string(length, 'x'))
            << length << " characters";
    }
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);

    constexpr int32_t unknownRoot = 3;
    EXPECT_EQ(errorOf([&] { registry->readString(unknownRoot, keyName, "Text"); }).description(),
              "Unknown registry root 3.");

    const std::string file = testProgramPath(), directory = file.substr(0, file.find_last_of('\\'));
    EXPECT_TRUE(registry->fileExists(file));
    EXPECT_FALSE(registry->fileExists(directory));
}

TEST_F(HostLibraryPort, OnlyTheHostsMinusOneMeansAFileExists) {
    Ref<host::HostRegistry> registry = library.createRegistry();
    const std::string file = testProgramPath();
    for (const auto& [answer, exists] : {std::pair{L"1", false}, {L"-1", true}, {L"2", false}}) {
        SetEnvironmentVariableW(L"ZELVA_HOSTLIB_FILE_ANSWER", answer);
        EXPECT_EQ(registry->fileExists(file), exists) << "the host answers " << answer;
    }
    SetEnvironmentVariableW(L"ZELVA_HOSTLIB_FILE_ANSWER", nullptr);
}

TEST_F(HostLibraryPort, TheSettingsStoreOpensOnlySectionsItHas) {
    Ref<host::HostSettingsStore> settings = library.createSettingsStore();
    EXPECT_FALSE(settings->openSection("Directories"));
    const Error e = errorOf([&] { settings->readString("Standards"); });
    EXPECT_EQ(e.hresult(), E_UNEXPECTED);
    EXPECT_EQ(e.description(), "No section is open.");
    settings->closeSection();
}

// The class objects an apartment holds: each creation is an object of its
// own, a class that is not registered fails as CoCreateInstance does, and the
// host's library stays loaded exactly while a class object of it is held.
TEST(HostClassObjects, CreateNewObjectsAndHoldTheLibraryUntilReleased) {
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"3itlu31.dll"), "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr) << "the library is loaded by the tests before";
    const HRESULT before = canUnload();  // what earlier tests left alive holds it too
    server::ClassObjects classes;
    ComPtr<IHostVector> first, second;
    ASSERT_EQ(classes.create(CLSID_HostVector, IID_IHostVector, first.putVoid()), S_OK);
    ASSERT_EQ(classes.create(CLSID_HostVector, IID_IHostVector, second.putVoid()), S_OK);
    double x = 1, y = 2, z = 3, read = 0;
    ASSERT_EQ(IHostVector_SetXYZ(first.get(), &x, &y, &z), S_OK);
    ASSERT_EQ(IHostVector_get_X(second.get(), &read), S_OK);
    EXPECT_EQ(read, 0) << "the second vector is not the first";

    const CLSID unregistered = {0x0badc0de, 0x1, 0x2, {0, 0, 0, 0, 0, 0, 0, 3}};
    ComPtr<IUnknown> none;
    EXPECT_EQ(classes.create(unregistered, IID_IUnknown, none.putVoid()), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(none.get(), nullptr);

    first.reset();
    second.reset();
    EXPECT_EQ(canUnload(), S_FALSE) << "a held class object keeps the library";
    classes.release();
    EXPECT_EQ(canUnload(), before);
}
