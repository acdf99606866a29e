// The component's two classes through their vtables: interface identity and
// reference counts, refusals, the pin's properties, and the host interface
// IC2DProjectedThreads answered by a fresh PShape.

#include <gtest/gtest.h>

#include <dispex.h>
#include <ocidl.h>

#include "ServerTestSupport.h"

using namespace zelva::wintest;

namespace {

const IID* const PShapeInterfaces[] = {&IID_IUnknown, &IID_IDispatch, &IID__PShape, &IID_IC2DProjectedThreads,
                                       &IID_ISupportErrorInfo};
const IID* const DropHookInterfaces[] = {&IID_IUnknown, &IID_IDispatch, &IID__DropHook, &IID_ISupportErrorInfo};

// Every interface the object answers leads back to one IUnknown, and from each
// of them to every other.
template <size_t N>
void expectOneIdentity(IUnknown* object, const IID* const (&interfaces)[N]) {
    ComPtr<IUnknown> identity;
    ASSERT_EQ(object->QueryInterface(IID_IUnknown, identity.putVoid()), S_OK);
    EXPECT_REFS(object, 2u);
    for (const IID* from : interfaces) {
        ComPtr<IUnknown> first;
        ASSERT_EQ(object->QueryInterface(*from, first.putVoid()), S_OK) << guidText(*from);
        EXPECT_REFS(object, 3u);
        for (const IID* to : interfaces) {
            ComPtr<IUnknown> second, back;
            ASSERT_EQ(first->QueryInterface(*to, second.putVoid()), S_OK) << guidText(*from) << " to " << guidText(*to);
            ASSERT_EQ(second->QueryInterface(IID_IUnknown, back.putVoid()), S_OK);
            EXPECT_EQ(back.get(), identity.get()) << guidText(*to);
            EXPECT_REFS(object, 5u);
        }
    }
    EXPECT_REFS(object, 2u);
}

void expectRefused(IUnknown* object, REFIID iid) {
    void* out = Sentinel;
    EXPECT_EQ(object->QueryInterface(iid, &out), E_NOINTERFACE) << guidText(iid);
    EXPECT_EQ(out, nullptr) << guidText(iid);
    EXPECT_REFS(object, 1u);
}

}  // namespace

TEST(ServerObjects, PShapeAnswersItsInterfacesWithOneIdentity) {
    ComPtr<IUnknown> shape = createObject<IUnknown>(CLSID_PShape);
    ASSERT_TRUE(shape);
    EXPECT_REFS(shape.get(), 1u);
    expectOneIdentity(shape.get(), PShapeInterfaces);

    // IDispatch is the default interface, _PShape.
    ComPtr<IDispatch> dispatch;
    ComPtr<_PShape> pshape;
    ASSERT_EQ(shape->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    ASSERT_EQ(shape->QueryInterface(IID__PShape, pshape.putVoid()), S_OK);
    EXPECT_EQ(static_cast<void*>(dispatch.get()), static_cast<void*>(pshape.get()));
}

TEST(ServerObjects, DropHookAnswersItsInterfacesWithOneIdentityButNotTheHostInterface) {
    ComPtr<IUnknown> hook = createObject<IUnknown>(CLSID_DropHook);
    ASSERT_TRUE(hook);
    EXPECT_REFS(hook.get(), 1u);
    expectOneIdentity(hook.get(), DropHookInterfaces);
    expectRefused(hook.get(), IID_IC2DProjectedThreads);
}

TEST(ServerObjects, RefuseOtherInterfacesAndNullOutPointers) {
    ComPtr<IUnknown> shape = createObject<IUnknown>(CLSID_PShape);
    ComPtr<IUnknown> hook = createObject<IUnknown>(CLSID_DropHook);
    for (IUnknown* object : {shape.get(), hook.get()}) {
        for (const IID* iid : {&IID_IPersist, &IID_IDispatchEx, &IID_IProvideClassInfo, &IID_IHostVector})
            expectRefused(object, *iid);
        EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
        EXPECT_REFS(object, 1u);
    }
    ComPtr<IC2DProjectedThreads> threads;
    ASSERT_EQ(shape->QueryInterface(IID_IC2DProjectedThreads, threads.putVoid()), S_OK);
    EXPECT_EQ(threads->QueryInterface(IID__DropHook, nullptr), E_POINTER);
}

TEST(ServerObjects, MembersRefuseNullOutPointers) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    ComPtr<IC2DProjectedThreads> threads;
    ASSERT_EQ(shape->QueryInterface(IID_IC2DProjectedThreads, threads.putVoid()), S_OK);
    double value = 1;
    VARIANT_BOOL answer = UnwrittenBool;
    EXPECT_EQ(shape->get_Diametro(nullptr), E_POINTER);
    EXPECT_EQ(shape->put_Diametro(nullptr), E_POINTER);
    EXPECT_EQ(shape->get_ThreadCallout(nullptr), E_POINTER);
    EXPECT_EQ(threads->GetThreadDirection(&value, nullptr, &value, &answer), E_POINTER);
    EXPECT_EQ(threads->GetThreadDirection(&value, &value, &value, nullptr), E_POINTER);
    EXPECT_EQ(value, 1.0) << "nothing is written when a pointer is missing";
    EXPECT_EQ(answer, UnwrittenBool);
}

TEST(ServerObjects, PShapePropertiesRoundTrip) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    struct Row {
        HRESULT (STDMETHODCALLTYPE _PShape::*put)(double*);
        HRESULT (STDMETHODCALLTYPE _PShape::*get)(double*);
        double value;
    };
    const Row rows[] = {
        {&_PShape::put_Diametro, &_PShape::get_Diametro, 12.5},
        {&_PShape::put_Lunghezza, &_PShape::get_Lunghezza, 30.25},
        {&_PShape::put_Passo, &_PShape::get_Passo, 1.75},
    };
    for (const Row& row : rows) {
        double value = row.value, read = 0;
        EXPECT_EQ((shape.get()->*row.put)(&value), S_OK);
        EXPECT_EQ(value, row.value) << "the put leaves its argument alone";
        EXPECT_EQ((shape.get()->*row.get)(&read), S_OK);
        EXPECT_EQ(read, row.value);
    }

    Bstr callout(L"M12×1,75 — ø12");
    Bstr readCallout;
    EXPECT_EQ(shape->put_ThreadCallout(callout.ref()), S_OK);
    EXPECT_EQ(shape->get_ThreadCallout(readCallout.put()), S_OK);
    EXPECT_EQ(readCallout.text(), L"M12×1,75 — ø12");

    LONG flags = 7, readFlags = 0;
    EXPECT_EQ(shape->put_TransferToDrawingFlags(&flags), S_OK);
    EXPECT_EQ(shape->get_TransferToDrawingFlags(&readFlags), S_OK);
    EXPECT_EQ(readFlags, 7);
}

TEST(ServerObjects, SmussoRoundsHalfToEvenAndKeepsItsValueOnOverflow) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    const std::pair<double, double> rows[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {3.49, 3}, {32767.4, 32767}};
    for (auto [written, expected] : rows) {
        double value = written, read = -1;
        EXPECT_EQ(shape->put_Smusso(&value), S_OK) << written;
        EXPECT_EQ(shape->get_Smusso(&read), S_OK);
        EXPECT_EQ(read, expected) << written;
    }

    for (double tooLarge : {32767.5, -32768.6, 1e300}) {
        double value = tooLarge, read = -1;
        EXPECT_EQ(shape->put_Smusso(&value), static_cast<HRESULT>(0x800A0006)) << tooLarge;
        EXPECT_EQ(errorDescription(), L"Overflow");
        EXPECT_EQ(shape->get_Smusso(&read), S_OK);
        EXPECT_EQ(read, 32767.0) << "the value before the overflow stays";
    }

    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(shape->QueryInterface(IID_ISupportErrorInfo, support.putVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__PShape), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IC2DProjectedThreads), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST(ServerObjects, AFreshPShapeAnswersTheHostInterface) {
    ComPtr<IC2DProjectedThreads> threads = createObject<IC2DProjectedThreads>(CLSID_PShape);
    ASSERT_TRUE(threads);
    EXPECT_REFS(threads.get(), 1u);

    double x = UnwrittenDouble, y = UnwrittenDouble, z = UnwrittenDouble;
    VARIANT_BOOL answer = UnwrittenBool;
    EXPECT_EQ(threads->GetThreadDirection(&x, &y, &z, &answer), S_OK);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 1.0);
    EXPECT_EQ(answer, VARIANT_TRUE);

    VARIANT_BOOL finite = UnwrittenBool;
    double holeValues[6] = {UnwrittenDouble, UnwrittenDouble, UnwrittenDouble,
                            UnwrittenDouble, UnwrittenDouble, UnwrittenDouble};
    answer = UnwrittenBool;
    EXPECT_EQ(threads->GetHoleInformation(VARIANT_TRUE, &finite, &holeValues[0], &holeValues[1], &holeValues[2],
                                          &holeValues[3], &holeValues[4], &holeValues[5], &answer),
              S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    EXPECT_EQ(finite, UnwrittenBool);
    for (double v : holeValues) EXPECT_EQ(v, UnwrittenDouble);

    LONG flags = -1;
    EXPECT_EQ(threads->get_HoleInformationFlags(&flags), S_OK);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(threads->get_ProjectionFlags(&flags), S_OK);
    EXPECT_EQ(flags, 0);
    Bstr callout;
    EXPECT_EQ(threads->get_Callout(callout.put()), S_OK);
    EXPECT_EQ(callout.text(), L"");

    VARIANT_BOOL flag = UnwrittenBool;
    EXPECT_EQ(threads->GetIsHole(&flag, &answer), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_EQ(answer, VARIANT_TRUE);
    flag = UnwrittenBool;
    EXPECT_EQ(threads->GetTaperProjection(&flag, &answer), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    double angle = UnwrittenDouble;
    EXPECT_EQ(threads->GetTaperFromMajorDiameter(&angle, &answer), S_OK);
    EXPECT_EQ(angle, 0.0);
    EXPECT_REFS(threads.get(), 1u);
}

TEST(ServerObjects, BothInterfacesOfAPShapeShareItsState) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    ComPtr<IC2DProjectedThreads> threads;
    ASSERT_EQ(shape->QueryInterface(IID_IC2DProjectedThreads, threads.putVoid()), S_OK);

    Bstr callout(L"M8x1.25");
    ASSERT_EQ(shape->put_ThreadCallout(callout.ref()), S_OK);
    Bstr read;
    EXPECT_EQ(threads->get_Callout(read.put()), S_OK);
    EXPECT_EQ(read.text(), L"M8x1.25");

    for (auto [flags, projected] : {std::pair<LONG, LONG>{6, 2}, {7, 3}, {1, 1}}) {
        LONG value = flags, answer = -1;
        ASSERT_EQ(shape->put_TransferToDrawingFlags(&value), S_OK);
        EXPECT_EQ(threads->get_ProjectionFlags(&answer), S_OK);
        EXPECT_EQ(answer, projected) << flags;
    }

    // Initialize without a shape answers false and loads nothing.
    IDispatch* nothing = nullptr;
    VARIANT_BOOL answer = UnwrittenBool;
    EXPECT_EQ(threads->Initialize(&nothing, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    LONG flags = 0;
    EXPECT_EQ(shape->get_TransferToDrawingFlags(&flags), S_OK);
    EXPECT_EQ(flags, 1);
}

TEST(ServerObjects, LengthsWithoutAPageFailWithTheConvertersDescriptionAndWriteNothing) {
    ComPtr<IC2DProjectedThreads> threads = createObject<IC2DProjectedThreads>(CLSID_PShape);
    double inner = UnwrittenDouble, outer = UnwrittenDouble;
    VARIANT_BOOL answer = UnwrittenBool;
    EXPECT_EQ(threads->GetDiameters(&inner, &outer, &answer), E_INVALIDARG);
    EXPECT_EQ(errorDescription(), L"Convert needs a page.");
    EXPECT_EQ(outer, UnwrittenDouble);
    EXPECT_EQ(inner, UnwrittenDouble);
    EXPECT_EQ(answer, VARIANT_FALSE);
}
