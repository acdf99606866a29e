// The COM value bridge's two readings and its failures: what the component
// reads leniently and the stand-in host strictly, what a by-reference slot
// receives, which HRESULT and text a failed Invoke hands its side, and the
// slots a call's arguments are kept in.

#include <gtest/gtest.h>

#include "ServerTestSupport.h"
#include "windows/comvalues/ArgumentSlots.h"
#include "windows/comvalues/ComFailures.h"
#include "windows/comvalues/VariantValues.h"

using namespace zelva;
using namespace zelva::wintest;

namespace {

HRESULT failedWith = S_OK;
std::string failedText;

comvalues::ValuePolicy policy(comvalues::Reading reading) {
    return {reading, [](IDispatch*) { return Ref<Object>(); }, [](const Ref<Object>&) { return (IDispatch*)nullptr; },
            [](HRESULT hr, const std::string& text) {
                failedWith = hr;
                failedText = text;
                return Error::fromHresult(hr, text);
            }};
}
const comvalues::ValuePolicy lenient = policy(comvalues::Reading::Lenient);
const comvalues::ValuePolicy strict = policy(comvalues::Reading::Strict);

bool mismatches(const VARIANT& v, const comvalues::ValuePolicy& p) {
    try {
        comvalues::valueOf(v, p);
        return false;
    } catch (const Error& e) {
        return e.number() == err::TypeMismatch;
    }
}

}  // namespace

TEST(ComValues, TheTwoReadingsDifferOnlyWhereTheirPolicySays) {
    Var single, missing, variable;
    V_VT(single.put()) = VT_R4;
    V_R4(&single.get()) = 2.5f;
    V_VT(missing.put()) = VT_ERROR;
    V_ERROR(&missing.get()) = DISP_E_PARAMNOTFOUND;

    EXPECT_EQ(comvalues::valueOf(single.get(), lenient), Variant::r8(2.5));
    EXPECT_TRUE(mismatches(single.get(), strict));
    EXPECT_TRUE(mismatches(missing.get(), lenient));
    EXPECT_EQ(comvalues::valueOf(missing.get(), strict).type(), VarType::Empty);

    *variable.put() = Var::i2(7);
    VARIANT byRef = Var::byRef(variable);
    for (const comvalues::ValuePolicy* p : {&lenient, &strict}) EXPECT_EQ(comvalues::valueOf(byRef, *p), Variant::i2(7));
}

TEST(ComValues, AByReferenceSlotReceivesTheValueInItsOwnType) {
    LONG number = 0;
    VARIANTARG slot;
    V_VT(&slot) = VT_I4 | VT_BYREF;
    V_I4REF(&slot) = &number;
    comvalues::storeThrough(Variant::r8(3.0), slot, strict);
    EXPECT_EQ(number, 3);
    EXPECT_THROW(comvalues::storeThrough(Variant::str("three"), slot, strict), Error);
    EXPECT_EQ(number, 3);

    BSTR text = SysAllocString(L"old");
    V_VT(&slot) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&slot) = &text;
    comvalues::storeThrough(Variant::str("n\xC3\xA9w"), slot, strict);
    EXPECT_EQ(std::wstring(text, SysStringLen(text)), L"n\u00E9w");
    SysFreeString(text);
}

TEST(ComValues, AFailedInvokeHandsItsSideTheExceptionsCodeAndText) {
    EXCEPINFO exception{};
    exception.wCode = err::FileNotFound;
    exception.bstrDescription = SysAllocString(L"Pin.ini is missing");
    comvalues::invokeError(DISP_E_EXCEPTION, exception, lenient);
    EXPECT_EQ(failedWith, hresultOfRuntimeError(err::FileNotFound));
    EXPECT_EQ(failedText, "Pin.ini is missing");
    EXPECT_EQ(exception.bstrDescription, nullptr);

    exception.scode = S_FALSE;  // no failure of its own: the call's stands
    comvalues::invokeError(DISP_E_EXCEPTION, exception, strict);
    EXPECT_EQ(failedWith, DISP_E_EXCEPTION);
    comvalues::invokeError(DISP_E_TYPEMISMATCH, exception, strict);
    EXPECT_EQ(failedWith, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(failedText, "");
    EXPECT_NE(comvalues::systemText(DISP_E_TYPEMISMATCH).back(), '\n');
}

namespace {

// Counts the slots made and ended.
struct Counted {
    static inline int made = 0;
    static inline int ended = 0;
    Counted() { ++made; }
    ~Counted() { ++ended; }
    int value = 7;
};

}  // namespace

TEST(ArgumentSlots, MakeOnlyTheSlotsACallUsesInPlaceOrBeyondIt) {
    for (const size_t count : {size_t{0}, size_t{3}, comvalues::ArgumentSlots<Counted>::kInPlace,
                               comvalues::ArgumentSlots<Counted>::kInPlace + 1}) {
        Counted::made = Counted::ended = 0;
        {
            comvalues::ArgumentSlots<Counted> slots(count);
            EXPECT_EQ(Counted::made, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i) EXPECT_EQ(slots[i].value, 7);
        }
        EXPECT_EQ(Counted::ended, static_cast<int>(count)) << count << " slots";
    }
    comvalues::ArgumentSlots<VARIANTARG> passed(2);
    EXPECT_EQ(V_VT(&passed[0]), VT_EMPTY) << "a plain structure starts zeroed";
    EXPECT_EQ(V_VT(&passed[1]), VT_EMPTY);
}
