// The stand-in's objects as COM objects, as the component calls them: names
// without regard to case, exact types both ways, by-reference arguments
// written back, failures with their number and description, objects that
// come back as themselves, and lifetimes that follow the references.

#include <windows.h>
#include <dispex.h>

#include <gtest/gtest.h>

#include <functional>

#include "ComTestSupport.h"
#include "IronCADAO.h"
#include "core/automation/Error.h"
#include "standin/comhost/ForeignObject.h"
#include "standin/comhost/HostDispatch.h"
#include "standin/comhost/HostVariants.h"

using namespace zelva;
using wintest::Bstr;
using wintest::ComPtr;

namespace {

// A strict recording object: what each call brought, and a scripted answer.
class Recorder : public Object {
public:
    struct Call {
        std::string name;
        CallKind kind;
        std::vector<VarType> types;
        std::vector<bool> byRef;
    };

    Recorder() { ++alive; }
    ~Recorder() override { --alive; }

    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) override {
        Call call{std::string(name), kind, {}, {}};
        for (const Arg& a : args) {
            call.types.push_back(a.get().type());
            call.byRef.push_back(a.ref != nullptr);
        }
        calls.push_back(call);
        received.assign(args.begin(), args.end());
        return answer(args);
    }

    static inline int alive = 0;
    std::vector<Call> calls;
    std::vector<Arg> received;
    std::function<Variant(std::span<const Arg>)> answer = [](std::span<const Arg>) { return Variant(); };
};

// The wrapper of a new Recorder, with the caller's reference.
struct Wrapped {
    Ref<Recorder> object = makeRef<Recorder>();
    ComPtr<IDispatchEx> dispatch;
    Wrapped() { *dispatch.put() = comhost::HostDispatch::wrap(object, comhost::kHostValues); }
};

DISPID idOf(IDispatch* d, const wchar_t* name) {
    Bstr text(name);
    BSTR names[] = {*text.ref()};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    return id;
}

// Calls `name` with `args` given first to last; the HRESULT.
HRESULT call(IDispatch* d, const wchar_t* name, std::vector<VARIANT> args, VARIANT* result = nullptr,
             EXCEPINFO* exception = nullptr, WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET) {
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), isPut ? &put : nullptr, static_cast<UINT>(reversed.size()), isPut ? 1u : 0u};
    UINT argError = 0;
    return d->Invoke(idOf(d, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, exception, &argError);
}

VARIANT i2(SHORT v) {
    VARIANT x;
    V_VT(&x) = VT_I2;
    V_I2(&x) = v;
    return x;
}

VARIANT r8Ref(double* v) {
    VARIANT x;
    V_VT(&x) = VT_R8 | VT_BYREF;
    V_R8REF(&x) = v;
    return x;
}

}  // namespace

TEST(HostDispatch, NamesResolveWithoutRegardToCaseAndKeepTheirIds) {
    Wrapped w;
    const DISPID value = idOf(w.dispatch.get(), L"RecordedValue");
    EXPECT_EQ(idOf(w.dispatch.get(), L"RECORDEDVALUE"), value);
    EXPECT_NE(idOf(w.dispatch.get(), L"Item"), value);
    Bstr lower(L"recordedvalue");
    DISPID viaEx = DISPID_UNKNOWN;
    EXPECT_EQ(w.dispatch->GetDispID(*lower.ref(), fdexNameCaseSensitive, &viaEx), S_OK);
    EXPECT_EQ(viaEx, value) << "script clients resolve names through IDispatchEx";
    Bstr name;
    ASSERT_EQ(w.dispatch->GetMemberName(value, name.put()), S_OK);
    EXPECT_EQ(name.text(), L"RecordedValue");

    // Every wrapper gives a name the same id, and a name beyond ASCII resolves
    // too. The names are this test's own: the table is the process's.
    Wrapped other;
    EXPECT_EQ(idOf(other.dispatch.get(), L"recordedValue"), value);
    const DISPID accented = idOf(other.dispatch.get(), L"Lunghezza\u00e0");
    EXPECT_EQ(idOf(w.dispatch.get(), L"LUNGHEZZA\u00e0"), accented);
    EXPECT_NE(accented, value);
    EXPECT_NE(idOf(w.dispatch.get(), L"Lunghezza\u00c0"), accented) << "only ASCII letters fold";
    EXPECT_NE(idOf(w.dispatch.get(), L"RecordedValues"), value) << "a longer name is another name";
    EXPECT_NE(idOf(w.dispatch.get(), L"RecordedValu"), value);
    EXPECT_EQ(call(other.dispatch.get(), L"lunghezza\u00e0", {}), S_OK);
    ASSERT_EQ(other.object->calls.size(), 1u);
    EXPECT_EQ(other.object->calls[0].name, "Lunghezza\u00e0") << "an object is called by the name as first given";
    EXPECT_EQ(w.object->calls.size(), 0u);
}

TEST(HostDispatch, ArgumentsAndAnswersKeepTheirExactTypes) {
    Wrapped w;
    w.object->answer = [](std::span<const Arg>) { return Variant::i2(7); };
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    Bstr hello(L"héllo");
    V_BSTR(&text) = *hello.ref();
    VARIANT flag;
    V_VT(&flag) = VT_BOOL;
    V_BOOL(&flag) = VARIANT_TRUE;
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(call(w.dispatch.get(), L"Variable", {i2(3), text, flag}, &result), S_OK);
    ASSERT_EQ(w.object->calls.size(), 1u);
    EXPECT_EQ(w.object->calls[0].name, "Variable");
    EXPECT_EQ(w.object->calls[0].types, (std::vector<VarType>{VarType::I2, VarType::Str, VarType::Bool}));
    EXPECT_EQ(w.object->received[1].get().strValue(), "h\xc3\xa9llo");
    EXPECT_EQ(V_VT(&result), VT_I2) << "a 16-bit answer reaches the component as one";
    EXPECT_EQ(V_I2(&result), 7);

    VARIANT number;
    V_VT(&number) = VT_R8;
    V_R8(&number) = 2.5;
    ASSERT_EQ(call(w.dispatch.get(), L"Value", {i2(1), number}, nullptr, nullptr, DISPATCH_PROPERTYPUT), S_OK);
    EXPECT_EQ(w.object->calls[1].kind, CallKind::Put);
    EXPECT_EQ(w.object->calls[1].types, (std::vector<VarType>{VarType::I2, VarType::R8})) << "the value comes last";

    VARIANT list;
    V_VT(&list) = VT_ARRAY | VT_I4;
    V_ARRAY(&list) = nullptr;
    EXPECT_EQ(call(w.dispatch.get(), L"Value", {list}), DISP_E_TYPEMISMATCH) << "no core value for an array";
}

TEST(HostDispatch, ByReferenceArgumentsReceiveWhatTheObjectWroteEvenWhenItFails) {
    Wrapped w;
    w.object->answer = [](std::span<const Arg> args) -> Variant {
        args[0].set(Variant::r8(4.25));
        args[1].set(Variant::str("written"));
        throw Error::runtime(err::InvalidCall);
    };
    double x = 1;
    VARIANT anything;
    V_VT(&anything) = VT_I4;
    V_I4(&anything) = 9;
    VARIANT byVariant;
    V_VT(&byVariant) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&byVariant) = &anything;
    EXCEPINFO exception{};
    EXPECT_EQ(call(w.dispatch.get(), L"GetPoint", {r8Ref(&x), byVariant}, nullptr, &exception), DISP_E_EXCEPTION);
    EXPECT_EQ(w.object->calls[0].byRef, (std::vector<bool>{true, true}));
    EXPECT_EQ(x, 4.25);
    ASSERT_EQ(V_VT(&anything), VT_BSTR) << "a VARIANT by reference takes the written value's own type";
    EXPECT_STREQ(V_BSTR(&anything), L"written");
    VariantClear(&anything);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
}

TEST(HostDispatch, FailuresCrossWithTheirNumberAndDescriptionBothWays) {
    Wrapped w;
    w.object->answer = [](std::span<const Arg>) -> Variant {
        throw Error::runtime(err::SubscriptOutOfRange, "No such item");
    };
    EXCEPINFO exception{};
    ASSERT_EQ(call(w.dispatch.get(), L"Item", {i2(4)}, nullptr, &exception), DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, hresultOfRuntimeError(err::SubscriptOutOfRange));
    EXPECT_STREQ(exception.bstrDescription, L"No such item");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    // The same failure, read back as an automation client of the wrapper reads it.
    const Ref<Object> client = makeRef<comhost::ForeignObject>(w.dispatch.get(), comhost::kHostValues);
    try {
        client->call("Item", {val(Variant::i2(4))});
        ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::SubscriptOutOfRange);
        EXPECT_EQ(e.description(), "No such item");
    }
}

TEST(HostDispatch, ObjectsComeBackAsThemselves) {
    Wrapped w;
    const Ref<Recorder> other = makeRef<Recorder>();
    w.object->answer = [&](std::span<const Arg> args) { return args.empty() ? Variant::object(other) : Variant(); };
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(call(w.dispatch.get(), L"Page", {}, &result), S_OK);
    ASSERT_EQ(V_VT(&result), VT_DISPATCH);
    ASSERT_EQ(call(w.dispatch.get(), L"Take", {result}), S_OK);
    EXPECT_EQ(w.object->received[0].get().objectValue().get(), other.get()) << "the stand-in's own object, unwrapped";
    VariantClear(&result);

    // An object of another library arrives as a COM object and goes back as the same one.
    ComPtr<IDispatch> vector;
    ASSERT_EQ(CoCreateInstance(CLSID_HostVector, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, vector.putVoid()), S_OK);
    VARIANT foreign;
    V_VT(&foreign) = VT_DISPATCH;
    V_DISPATCH(&foreign) = vector.get();
    Ref<Object> kept;
    w.object->answer = [&](std::span<const Arg> args) {
        kept = args[0].get().objectValue();
        return Variant::object(kept);
    };
    VariantInit(&result);
    ASSERT_EQ(call(w.dispatch.get(), L"Echo", {foreign}, &result), S_OK);
    EXPECT_EQ(V_DISPATCH(&result), vector.get());
    VariantClear(&result);
}

TEST(HostDispatch, TheObjectLivesAsLongAsTheComponentHoldsIt) {
    const int before = Recorder::alive;
    IDispatchEx* dispatch = comhost::HostDispatch::wrap(makeRef<Recorder>(), comhost::kHostValues);
    EXPECT_EQ(Recorder::alive, before + 1);
    dispatch->AddRef();
    EXPECT_EQ(dispatch->Release(), 1u);
    EXPECT_EQ(Recorder::alive, before + 1);
    EXPECT_EQ(dispatch->Release(), 0u);
    EXPECT_EQ(Recorder::alive, before) << "released with the last reference";
}
