// The component's classes through IDispatch, as late-bound hosts and script
// clients reach them: names in any letter case, the dispatch identifiers of
// the type library, script variables passed by reference, refused arguments,
// and members' errors as exceptions with their number and description.

#include <gtest/gtest.h>

#include "ServerTestSupport.h"

using namespace zelva::wintest;

namespace {

constexpr HRESULT OverflowError = static_cast<HRESULT>(0x800A0006);
constexpr HRESULT ObjectNotSetError = static_cast<HRESULT>(0x800A005B);
constexpr WORD GetOrCall = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

}  // namespace

TEST(ServerDispatch, NamesResolveInAnyLetterCase) {
    ComPtr<IDispatch> hook = createObject<IDispatch>(CLSID_DropHook);
    for (const wchar_t* name : {L"OnDragDrop", L"ondragdrop", L"ONDRAGDROP", L"oNdRaGdRoP"})
        EXPECT_EQ(dispIdOf(hook.get(), name), 0x60030000) << name;

    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    EXPECT_EQ(dispIdOf(shape.get(), L"diametro"), 0x68030009);
    EXPECT_EQ(dispIdOf(shape.get(), L"CREATEINPART"), 0x6003000b);
    EXPECT_EQ(dispIdOf(shape.get(), L"ic2dprojectedthreads_callout"), 0x68030000);

    DISPID id = 1;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Diameter")};
    EXPECT_EQ(shape->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    EXPECT_REFS(shape.get(), 1u);
}

TEST(ServerDispatch, PropertyPutsAndGetsShareOneIdentifier) {
    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    const struct {
        const wchar_t* name;
        DISPID id;
        double value;
    } rows[] = {
        {L"Diametro", 0x68030009, 10.5},
        {L"Lunghezza", 0x68030008, 42},
        {L"Passo", 0x68030007, 1.25},
        {L"Smusso", 0x68030006, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        EXPECT_EQ(dispIdOf(shape.get(), row.name), row.id);
        Invocation put, get;
        invoke(shape.get(), row.id, DISPATCH_PROPERTYPUT, {Var::r8(row.value)}, put);
        EXPECT_EQ(put.hr, S_OK);
        invoke(shape.get(), row.id, GetOrCall, {}, get);
        ASSERT_EQ(get.hr, S_OK);
        EXPECT_EQ(get.result.type(), VT_R8);
        EXPECT_EQ(get.result.r8(), row.value);
    }

    Invocation putText, getText, putFlags, getFlags;
    invoke(shape.get(), L"ThreadCallout", DISPATCH_PROPERTYPUT, {Var::str(L"M10")}, putText);
    invoke(shape.get(), 0x68030005, GetOrCall, {}, getText);
    ASSERT_EQ(getText.result.type(), VT_BSTR);
    EXPECT_EQ(getText.result.text(), L"M10");
    // A script's number arrives as it likes; the property keeps its own type.
    invoke(shape.get(), L"TransferToDrawingFlags", DISPATCH_PROPERTYPUT, {Var::r8(6)}, putFlags);
    invoke(shape.get(), 0x68030004, GetOrCall, {}, getFlags);
    ASSERT_EQ(getFlags.result.type(), VT_I4);
    EXPECT_EQ(getFlags.result.i4(), 6);
}

TEST(ServerDispatch, ScriptVariablesPassedByReferenceReceiveTheOutputs) {
    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    Var x, y, z;
    *x.put() = Var::i4(9);
    *y.put() = Var::str(L"3.5");
    // z stays Empty, as an undeclared script variable.
    Invocation direction;
    invoke(shape.get(), L"IC2DProjectedThreads_GetThreadDirection", GetOrCall,
           {Var::byRef(x), Var::byRef(y), Var::byRef(z)}, direction);
    ASSERT_EQ(direction.hr, S_OK);
    EXPECT_EQ(direction.result.type(), VT_BOOL);
    EXPECT_EQ(direction.result.boolean(), VARIANT_TRUE);
    for (Var* v : {&x, &y, &z}) EXPECT_EQ(v->type(), VT_R8);
    EXPECT_EQ(x.r8(), 0.0);
    EXPECT_EQ(y.r8(), 0.0);
    EXPECT_EQ(z.r8(), 1.0);

    // A value passed by value is fine too: the member's output then goes nowhere.
    Invocation byValue;
    invoke(shape.get(), L"IC2DProjectedThreads_GetThreadDirection", GetOrCall, {Var::i2(1), Var::i2(2), Var::i2(3)},
           byValue);
    EXPECT_EQ(byValue.hr, S_OK);

    Var isHole;
    *isHole.put() = Var::boolean(true);
    Invocation hole;
    invoke(shape.get(), L"IC2DProjectedThreads_GetIsHole", GetOrCall, {Var::byRef(isHole)}, hole);
    ASSERT_EQ(hole.hr, S_OK);
    EXPECT_EQ(isHole.type(), VT_BOOL);
    EXPECT_EQ(isHole.boolean(), VARIANT_FALSE);

    // Outputs equal to what a variable held are written too, in the declared
    // type: Empty given 0.0 becomes a double, the text "0" given False a boolean.
    Var empty, zeroText;
    *zeroText.put() = Var::str(L"0");
    Invocation again, holeAgain;
    invoke(shape.get(), L"IC2DProjectedThreads_GetThreadDirection", GetOrCall,
           {Var::byRef(empty), Var::byRef(y), Var::byRef(z)}, again);
    ASSERT_EQ(empty.type(), VT_R8);
    EXPECT_EQ(empty.r8(), 0.0);
    invoke(shape.get(), L"IC2DProjectedThreads_GetIsHole", GetOrCall, {Var::byRef(zeroText)}, holeAgain);
    ASSERT_EQ(zeroText.type(), VT_BOOL);
    EXPECT_EQ(zeroText.boolean(), VARIANT_FALSE);

    // A put reads its value and writes nothing back.
    Var twelve;
    *twelve.put() = Var::str(L"12");
    Invocation put;
    invoke(shape.get(), L"Diametro", DISPATCH_PROPERTYPUT, {Var::byRef(twelve)}, put);
    EXPECT_EQ(put.hr, S_OK);
    ASSERT_EQ(twelve.type(), VT_BSTR);
    EXPECT_EQ(twelve.text(), L"12");
}

TEST(ServerDispatch, ScriptVariablesOfAFailingMemberKeepTheirValues) {
    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    Var inner, outer;
    *inner.put() = Var::i4(7);
    *outer.put() = Var::i4(8);
    Invocation diameters;
    invoke(shape.get(), L"IC2DProjectedThreads_GetDiameters", GetOrCall, {Var::byRef(inner), Var::byRef(outer)},
           diameters);
    EXPECT_EQ(diameters.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(diameters.exception.scode, E_INVALIDARG);
    EXPECT_EQ(diameters.description(), L"Convert needs a page.");
    ASSERT_EQ(outer.type(), VT_I4);
    ASSERT_EQ(inner.type(), VT_I4);
    EXPECT_EQ(outer.i4(), 8);
    EXPECT_EQ(inner.i4(), 7);
}

TEST(ServerDispatch, RefusesWrongArgumentCountsAndUnconvertibleArguments) {
    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    Invocation tooFew, tooMany;
    invoke(shape.get(), L"IC2DProjectedThreads_GetThreadDirection", GetOrCall, {Var::r8(0), Var::r8(0)}, tooFew);
    EXPECT_EQ(tooFew.hr, DISP_E_BADPARAMCOUNT);
    invoke(shape.get(), L"IC2DProjectedThreads_GetThreadDirection", GetOrCall,
           {Var::r8(0), Var::r8(0), Var::r8(0), Var::r8(0)}, tooMany);
    EXPECT_EQ(tooMany.hr, DISP_E_BADPARAMCOUNT);

    Invocation text;
    invoke(shape.get(), L"Diametro", DISPATCH_PROPERTYPUT, {Var::str(L"twelve")}, text);
    EXPECT_EQ(text.hr, DISP_E_TYPEMISMATCH);

    Var word;
    *word.put() = Var::str(L"north");
    Invocation variable;
    invoke(shape.get(), L"IC2DProjectedThreads_GetThreadDirection", GetOrCall,
           {Var::r8(0), Var::byRef(word), Var::r8(0)}, variable);
    EXPECT_EQ(variable.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(variable.argError, 1u);  // arguments are counted from the last
    ASSERT_EQ(word.type(), VT_BSTR);
    EXPECT_EQ(word.text(), L"north");

    Invocation diameter;
    invoke(shape.get(), L"Diametro", GetOrCall, {}, diameter);
    EXPECT_EQ(diameter.result.r8(), 0.0) << "refused puts change nothing";
    EXPECT_REFS(shape.get(), 1u);
}

TEST(ServerDispatch, MemberErrorsArriveAsExceptionsWithNumberAndDescription) {
    ComPtr<IDispatch> shape = createObject<IDispatch>(CLSID_PShape);
    Invocation overflow;
    invoke(shape.get(), L"Smusso", DISPATCH_PROPERTYPUT, {Var::r8(40000)}, overflow);
    EXPECT_EQ(overflow.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(overflow.exception.scode, OverflowError);
    EXPECT_EQ(HRESULT_CODE(overflow.exception.scode), 6);
    EXPECT_EQ(overflow.description(), L"Overflow");

    ComPtr<IDispatch> hook = createObject<IDispatch>(CLSID_DropHook);
    Invocation nothing;
    invoke(hook.get(), L"ondragdrop", GetOrCall, {Var::dispatch(nullptr)}, nothing);
    EXPECT_EQ(nothing.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(nothing.exception.scode, ObjectNotSetError);
    EXPECT_EQ(nothing.description(), L"Object variable or With block variable not set");
    EXPECT_REFS(hook.get(), 1u);
}

TEST(ServerDispatch, TheHostInterfaceDispatchesThroughTheHostsTypeInformation) {
    ComPtr<IC2DProjectedThreads> threads = createObject<IC2DProjectedThreads>(CLSID_PShape);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(threads->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
    Bstr name;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.text(), L"IC2DProjectedThreads");

    Var x, y, z;
    Invocation direction;
    invoke(threads.get(), L"getthreaddirection", GetOrCall, {Var::byRef(x), Var::byRef(y), Var::byRef(z)},
           direction);
    ASSERT_EQ(direction.hr, S_OK);
    EXPECT_EQ(direction.result.boolean(), VARIANT_TRUE);
    EXPECT_EQ(z.r8(), 1.0);
    EXPECT_REFS(threads.get(), 1u);
}
