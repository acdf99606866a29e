// The component used from other apartments, through proxies of the type
// library's marshaller: an object created from a multithreaded apartment lives
// in an apartment-threaded one that COM makes for it, and an interface handed to
// another thread in a stream works there. Both need the type library found
// under the neutral locale, where the marshaller looks it up.

#include <gtest/gtest.h>

#include <functional>

#include "ServerTestSupport.h"

using namespace zelva::wintest;

namespace {

constexpr HRESULT OverflowError = static_cast<HRESULT>(0x800A0006);

struct ThreadJob {
    DWORD model;
    std::function<void()> work;
};

DWORD WINAPI runThreadJob(void* parameter) {
    const ThreadJob& job = *static_cast<ThreadJob*>(parameter);
    if (FAILED(CoInitializeEx(nullptr, job.model))) return 1;
    job.work();
    CoUninitialize();
    return 0;
}

// Runs `work` on a new thread in an apartment of `model` and waits for it,
// serving meanwhile the calls that reach this thread's own objects.
void onOtherThread(DWORD model, std::function<void()> work) {
    ThreadJob job{model, std::move(work)};
    HANDLE thread = CreateThread(nullptr, 0, runThreadJob, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    DWORD signalled;
    EXPECT_EQ(CoWaitForMultipleHandles(0, INFINITE, 1, &thread, &signalled), S_OK);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);
}

// Puts and reads a property, calls a method with outputs and fails a put,
// through whatever `shape` is: the object or a proxy of it.
void useShape(_PShape* shape) {
    double diameter = 12.5, read = 0;
    EXPECT_EQ(shape->put_Diametro(&diameter), S_OK);
    EXPECT_EQ(shape->get_Diametro(&read), S_OK);
    EXPECT_EQ(read, 12.5);

    double x = UnwrittenDouble, y = UnwrittenDouble, z = UnwrittenDouble;
    VARIANT_BOOL answer = UnwrittenBool;
    EXPECT_EQ(shape->IC2DProjectedThreads_GetThreadDirection(&x, &y, &z, &answer), S_OK);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(z, 1.0);
    EXPECT_EQ(answer, VARIANT_TRUE);

    // The error's number comes back from every call; its description through
    // IDispatch's exception (Wine's channel carries no error object of a vtable
    // call, which a client finds through ISupportErrorInfo on Windows).
    double tooLarge = 40000;
    EXPECT_EQ(shape->put_Smusso(&tooLarge), OverflowError);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(shape->QueryInterface(IID_ISupportErrorInfo, support.putVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__PShape), S_OK);
    Invocation overflow;
    invoke(shape, L"Smusso", DISPATCH_PROPERTYPUT, {Var::r8(40000)}, overflow);
    EXPECT_EQ(overflow.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(overflow.exception.scode, OverflowError);
    EXPECT_EQ(overflow.description(), L"Overflow");
}

}  // namespace

TEST(ServerApartments, TheTypeLibraryIsFoundUnderTheNeutralAndItsOwnLocale) {
    for (LCID locale : {LCID{LOCALE_NEUTRAL}, LCID{0x0409}}) {
        ComPtr<ITypeLib> library;
        EXPECT_EQ(LoadRegTypeLib(LIBID_Zelvacorin, 1, 0, locale, library.put()), S_OK) << locale;
    }
}

TEST(ServerApartments, ObjectsCreatedFromAMultithreadedApartmentWorkThroughTheirProxies) {
    onOtherThread(COINIT_MULTITHREADED, [] {
        ComPtr<_PShape> shape;
        ASSERT_EQ(CoCreateInstance(CLSID_PShape, nullptr, CLSCTX_INPROC_SERVER, IID__PShape, shape.putVoid()), S_OK);
        useShape(shape.get());

        ComPtr<_DropHook> hook;
        ASSERT_EQ(CoCreateInstance(CLSID_DropHook, nullptr, CLSCTX_INPROC_SERVER, IID__DropHook, hook.putVoid()),
                  S_OK);
        EXPECT_EQ(dispIdOf(hook.get(), L"ondragdrop"), 0x60030000);
    });
}

TEST(ServerApartments, InterfacesMarshalledToAnotherThreadWorkThere) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    ComPtr<_DropHook> hook = createObject<_DropHook>(CLSID_DropHook);
    for (DWORD model : {COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED}) {
        IStream* shapeStream = nullptr;
        IStream* hookStream = nullptr;
        ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID__PShape, shape.get(), &shapeStream), S_OK);
        ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID__DropHook, hook.get(), &hookStream), S_OK);
        onOtherThread(model, [&] {
            ComPtr<_PShape> remote;
            ASSERT_EQ(CoGetInterfaceAndReleaseStream(shapeStream, IID__PShape, remote.putVoid()), S_OK);
            EXPECT_NE(static_cast<void*>(remote.get()), static_cast<void*>(shape.get())) << "a proxy";
            useShape(remote.get());
            ComPtr<_DropHook> remoteHook;
            ASSERT_EQ(CoGetInterfaceAndReleaseStream(hookStream, IID__DropHook, remoteHook.putVoid()), S_OK);
            EXPECT_EQ(dispIdOf(remoteHook.get(), L"OnDragDrop"), 0x60030000);
        });
    }
    double diameter = 0;
    EXPECT_EQ(shape->get_Diametro(&diameter), S_OK);
    EXPECT_EQ(diameter, 12.5) << "the other threads worked on this very object";
}
