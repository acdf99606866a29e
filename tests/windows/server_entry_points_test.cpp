// The DLL's class-object entry points, called on the module COM loaded: class
// objects only for the two classes, no aggregation, and unloading refused
// while objects, class objects or server locks are outstanding.

#include <gtest/gtest.h>

#include <thread>

#include "ServerTestSupport.h"

using namespace zelva::wintest;

namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

// Zelvacorin.dll as COM loaded it from its registered path, beside the tests.
class ServerEntryPoints : public ::testing::Test {
protected:
    void SetUp() override {
        // Creating an object first has COM load the DLL, as a host would.
        ASSERT_TRUE(createObject<IUnknown>(CLSID_PShape));
        dll_ = LoadLibraryW(besideTestProgram(L"Zelvacorin.dll").c_str());
        ASSERT_NE(dll_, nullptr);
        getClassObject = exportOf<GetClassObject>("DllGetClassObject");
        canUnloadNow = exportOf<CanUnloadNow>("DllCanUnloadNow");
        ASSERT_TRUE(getClassObject && canUnloadNow);
    }
    void TearDown() override {
        if (dll_) FreeLibrary(dll_);
    }

    template <class Function>
    Function exportOf(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    }

    ComPtr<IClassFactory> factoryOf(REFCLSID clsid) {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(getClassObject(clsid, IID_IClassFactory, factory.putVoid()), S_OK);
        return factory;
    }

    HMODULE dll_ = nullptr;
    GetClassObject getClassObject = nullptr;
    CanUnloadNow canUnloadNow = nullptr;
};

}  // namespace

TEST_F(ServerEntryPoints, GiveClassObjectsOnlyForTheTwoClasses) {
    for (const CLSID* clsid : {&CLSID_PShape, &CLSID_DropHook}) {
        ComPtr<IUnknown> factory;
        EXPECT_EQ(getClassObject(*clsid, IID_IUnknown, factory.putVoid()), S_OK);
        void* out = Sentinel;
        EXPECT_EQ(getClassObject(*clsid, IID_IDispatch, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    for (const GUID* other : {&GUID_NULL, &IID__PShape, &LIBID_Zelvacorin, &CLSID_HostVector}) {
        void* out = Sentinel;
        EXPECT_EQ(getClassObject(*other, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE) << guidText(*other);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(getClassObject(CLSID_PShape, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ServerEntryPoints, ClassObjectsRefuseAggregationAndOtherInterfaces) {
    for (const CLSID* clsid : {&CLSID_PShape, &CLSID_DropHook}) {
        ComPtr<IClassFactory> factory = factoryOf(*clsid);
        ASSERT_TRUE(factory);
        ComPtr<IUnknown> outer = createObject<IUnknown>(CLSID_DropHook);
        void* out = Sentinel;
        EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(out, nullptr);
        EXPECT_REFS(outer.get(), 1u);
        out = Sentinel;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
        out = Sentinel;
        EXPECT_EQ(factory->QueryInterface(IID_IDispatch, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);

        ComPtr<IDispatch> object;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
        EXPECT_REFS(object.get(), 1u);
    }
}

TEST_F(ServerEntryPoints, DllCanUnloadNowCountsObjectsClassObjectsAndLocks) {
    EXPECT_EQ(canUnloadNow(), S_OK);
    {
        ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
        ComPtr<IC2DProjectedThreads> threads;
        ASSERT_EQ(shape->QueryInterface(IID_IC2DProjectedThreads, threads.putVoid()), S_OK);
        shape.reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "an interface of a live object is held";
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
    {
        ComPtr<IClassFactory> factory = factoryOf(CLSID_DropHook);
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "a class object is held";
        EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the server is locked";
    EXPECT_EQ(factoryOf(CLSID_DropHook)->LockServer(FALSE), S_OK);
    EXPECT_EQ(canUnloadNow(), S_OK);

    // After the unload check, the objects load their type information again.
    ComPtr<IDispatch> hook = createObject<IDispatch>(CLSID_DropHook);
    EXPECT_EQ(dispIdOf(hook.get(), L"OnDragDrop"), 0x60030000);
}

TEST_F(ServerEntryPoints, ObjectsLiveInTheApartmentOfTheThreadThatMadeThem) {
    HRESULT created = E_FAIL, used = E_FAIL;
    std::thread other([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        {
            ComPtr<_PShape> shape;
            created = CoCreateInstance(CLSID_PShape, nullptr, CLSCTX_INPROC_SERVER, IID__PShape, shape.putVoid());
            double value = 4.5;
            if (shape) used = shape->put_Diametro(&value);
        }
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(created, S_OK);
    EXPECT_EQ(used, S_OK);
    EXPECT_EQ(canUnloadNow(), S_OK) << "the other thread's objects are gone";
}
