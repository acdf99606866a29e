// Host objects reached through IDispatch, as the component calls them: the
// drawing answers of a PShape read a strict fake pin shape, which journals each
// call with its arguments' VARIANT types; script objects resolve names only
// through IDispatchEx; a host's failure reaches the caller with its
// description.

#include <gtest/gtest.h>

#include <cwctype>

#include "FakeDispatch.h"
#include "ServerTestSupport.h"

using namespace zelva::wintest;

namespace {

constexpr LONG SizeBox = 1;

// A shape with a size box of diameter 10 and length 25, and, when it is a pin,
// the pin's part data with pitch 1.5.
struct FakePin {
    FakePin(LONG shapeType, bool withPartData, bool scriptObjects = false) : script(scriptObjects) {
        diameter = object(L"diameter");
        diameter->answerValue(name(L"Value"), Var::r8(10));
        length = object(L"length");
        length->answerValue(name(L"Value"), Var::r8(25));
        pitch = object(L"pitch");
        pitch->answerValue(name(L"Value"), Var::r8(1.5));

        sizeBox = object(L"sizeBox");
        sizeBox->answer(name(L"Variable"), [this](const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO*) {
            return answerObject(V_I4(&args.at(0)) == 2 ? diameter.get() : length.get(), result);
        });
        sizeBoxes = object(L"sizeBoxes");
        sizeBoxes->answerObject(name(L"Item"), sizeBox.get());

        partData = object(L"partData");
        partData->answerObject(name(L"Variable"), pitch.get());
        partDatas = object(L"partDatas");
        partDatas->answerValue(name(L"Count"), Var::i4(withPartData ? 1 : 0));
        partDatas->answerObject(name(L"Item"), partData.get());

        shape = object(L"shape");
        shape->answerValue(name(L"Type"), Var::i4(shapeType));
        shape->answer(name(L"Components"), [this](const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO*) {
            return answerObject(V_I4(&args.at(0)) == SizeBox ? sizeBoxes.get() : partDatas.get(), result);
        });
    }
    FakePin(const FakePin&) = delete;
    FakePin& operator=(const FakePin&) = delete;

    ComPtr<FakeDispatch> object(const wchar_t* label) { return FakeDispatch::create(label, journal, script); }
    // Script objects here know their members in lower case only.
    std::wstring name(std::wstring member) const {
        if (script)
            for (wchar_t& c : member) c = static_cast<wchar_t>(std::towlower(c));
        return member;
    }
    static HRESULT answerObject(IDispatch* object, VARIANT* result) {
        object->AddRef();
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = object;
        return S_OK;
    }

    bool script;
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    ComPtr<FakeDispatch> shape, sizeBoxes, sizeBox, diameter, length, partDatas, partData, pitch;
};

const Journal ReadingAPin = {
    L"shape.Type()",
    L"shape.Components(I4 1)",
    L"sizeBoxes.Item(I2 1)",
    L"sizeBox.Variable(I4 3)",
    L"length.Value()",
    L"shape.Components(I4 1)",
    L"sizeBoxes.Item(I2 1)",
    L"sizeBox.Variable(I4 2)",
    L"diameter.Value()",
    L"shape.Components(I4 34)",
    L"partDatas.Count()",
    L"shape.Components(I4 34)",
    L"partDatas.Item(I2 1)",
    L"partData.Variable(I4 1, I2 12)",
    L"pitch.Value()",
};

struct Loaded {
    double diameter, length, pitch;
    LONG flags;
};

Loaded loadedBy(_PShape* shape) {
    Loaded l{};
    shape->get_Diametro(&l.diameter);
    shape->get_Lunghezza(&l.length);
    shape->get_Passo(&l.pitch);
    shape->get_TransferToDrawingFlags(&l.flags);
    return l;
}

}  // namespace

TEST(ServerHostAdapter, InitializeReadsAPinWithTheContractsArgumentTypes) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    FakePin pin(5, true);
    IDispatch* target = pin.shape.get();
    VARIANT_BOOL answer = UnwrittenBool;
    ASSERT_EQ(shape->IC2DProjectedThreads_Initialize(&target, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    EXPECT_EQ(target, pin.shape.get()) << "the shape argument stays as it was";
    EXPECT_EQ(*pin.journal, ReadingAPin);

    const Loaded loaded = loadedBy(shape.get());
    EXPECT_EQ(loaded.diameter, 10.0);
    EXPECT_EQ(loaded.length, 25.0);
    EXPECT_EQ(loaded.pitch, 1.5);
    EXPECT_EQ(loaded.flags, 1);
    EXPECT_REFS(pin.shape.get(), 1u);  // the component keeps no reference
    EXPECT_REFS(pin.pitch.get(), 2u);  // the fake's own two
}

TEST(ServerHostAdapter, InitializeOfAShapeThatIsNotAPinLoadsWhatItCanAndAnswersFalse) {
    ComPtr<IC2DProjectedThreads> threads = createObject<IC2DProjectedThreads>(CLSID_PShape);
    {
        FakePin typeOne(1, true);
        IDispatch* target = typeOne.shape.get();
        VARIANT_BOOL answer = UnwrittenBool;
        ASSERT_EQ(threads->Initialize(&target, &answer), S_OK);
        EXPECT_EQ(answer, VARIANT_FALSE);
        EXPECT_EQ(*typeOne.journal, Journal{L"shape.Type()"});
    }
    FakePin withoutPartData(5, false);
    IDispatch* target = withoutPartData.shape.get();
    VARIANT_BOOL answer = UnwrittenBool;
    ASSERT_EQ(threads->Initialize(&target, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    EXPECT_EQ(*withoutPartData.journal, Journal(ReadingAPin.begin(), ReadingAPin.begin() + 11));
    LONG flags = -1;
    EXPECT_EQ(threads->get_ProjectionFlags(&flags), S_OK);
    EXPECT_EQ(flags, 0);
}

TEST(ServerHostAdapter, GetProjectedThreadInformationWritesNothingForAShapeThatIsNotAPin) {
    ComPtr<IC2DProjectedThreads> threads = createObject<IC2DProjectedThreads>(CLSID_PShape);
    FakePin typeOne(1, true);
    IDispatch* target = typeOne.shape.get();
    double values[8];
    std::fill(std::begin(values), std::end(values), UnwrittenDouble);
    VARIANT_BOOL isHole = UnwrittenBool, taper = UnwrittenBool, answer = UnwrittenBool;
    ASSERT_EQ(threads->GetProjectedThreadInformation(&target, &values[0], &values[1], &values[2], &values[3],
                                                     &values[4], &values[5], &values[6], &values[7], &isHole,
                                                     &taper, &answer),
              S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    for (double v : values) EXPECT_EQ(v, UnwrittenDouble);
    EXPECT_EQ(isHole, UnwrittenBool);
    EXPECT_EQ(taper, UnwrittenBool);
}

TEST(ServerHostAdapter, ScriptObjectsResolveNamesThroughIDispatchExInAnyLetterCase) {
    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    FakePin pin(5, true, true);
    Invocation initialize;
    invoke(shape.get(), L"IC2DProjectedThreads_Initialize", DISPATCH_METHOD, {Var::dispatch(pin.shape.get())},
           initialize);
    ASSERT_EQ(initialize.hr, S_OK) << initialize.description();
    EXPECT_EQ(initialize.result.boolean(), VARIANT_TRUE);
    EXPECT_EQ(pin.journal->size(), ReadingAPin.size());
    EXPECT_EQ(pin.journal->front(), L"shape.type()");
}

TEST(ServerHostAdapter, HostValuesOfOtherTypesFollowTheRuntimesConversions) {
    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    FakePin pin(5, true);
    Var text, single, null;
    *text.put() = Var::str(L" 12.5 ");
    V_VT(single.put()) = VT_R4;
    V_R4(&single.get()) = 25.5f;
    V_VT(null.put()) = VT_NULL;
    pin.diameter = FakeDispatch::create(L"diameter", pin.journal);
    pin.diameter->answerValue(L"Value", text.get());
    pin.length = FakeDispatch::create(L"length", pin.journal);
    pin.length->answerValue(L"Value", single.get());

    IDispatch* target = pin.shape.get();
    VARIANT_BOOL answer = UnwrittenBool;
    ASSERT_EQ(shape->IC2DProjectedThreads_Initialize(&target, &answer), S_OK);
    EXPECT_EQ(loadedBy(shape.get()).diameter, 12.5);
    EXPECT_EQ(loadedBy(shape.get()).length, 25.5);

    pin.diameter = FakeDispatch::create(L"diameter", pin.journal);
    pin.diameter->answerValue(L"Value", null.get());
    EXPECT_EQ(shape->IC2DProjectedThreads_Initialize(&target, &answer), static_cast<HRESULT>(0x800A000D));
    EXPECT_EQ(errorDescription(), L"Type mismatch");
}

TEST(ServerHostAdapter, AHostFailureReachesTheCallerWithItsDescription) {
    constexpr HRESULT Locked = static_cast<HRESULT>(0x80040201);
    FakePin pin(5, true);
    pin.shape = FakeDispatch::create(L"shape", pin.journal);
    pin.shape->answerValue(L"Type", Var::i4(5));
    pin.shape->answer(L"Components", [](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO* exception) {
        exception->scode = Locked;
        exception->bstrDescription = SysAllocString(L"Component table locked");
        return DISP_E_EXCEPTION;
    });

    ComPtr<_PShape> shape = createObject<_PShape>(CLSID_PShape);
    IDispatch* target = pin.shape.get();
    VARIANT_BOOL answer = UnwrittenBool;
    EXPECT_EQ(shape->IC2DProjectedThreads_Initialize(&target, &answer), Locked);
    EXPECT_EQ(errorDescription(), L"Component table locked");
    EXPECT_EQ(answer, VARIANT_FALSE);

    Invocation initialize;
    invoke(shape.get(), L"IC2DProjectedThreads_Initialize", DISPATCH_METHOD, {Var::dispatch(pin.shape.get())},
           initialize);
    EXPECT_EQ(initialize.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(initialize.exception.scode, Locked);
    EXPECT_EQ(initialize.description(), L"Component table locked");

    FakePin unknownMember(5, true);
    unknownMember.shape = FakeDispatch::create(L"shape", unknownMember.journal);  // no members at all
    target = unknownMember.shape.get();
    EXPECT_EQ(shape->IC2DProjectedThreads_Initialize(&target, &answer), static_cast<HRESULT>(0x800A01B6));
    EXPECT_EQ(errorDescription(), L"Object doesn't support this property or method");
    EXPECT_TRUE(unknownMember.journal->empty());
}
