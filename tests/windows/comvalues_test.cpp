// The COM value bridge's two readings and its failures: what the component
// reads leniently and the stand-in host strictly, what a by-reference slot
// receives, which HRESULT and text a failed Invoke hands its side, the slots
// a call's arguments are kept in, the wrappers' recycled blocks, the table of
// member names read without a lock and the component's names kept in it.

#include <gtest/gtest.h>

#include "ServerTestSupport.h"
#include "core/automation/Names.h"
#include "windows/comvalues/ArgumentSlots.h"
#include "windows/comvalues/ComFailures.h"
#include "windows/comvalues/NameTable.h"
#include "windows/comvalues/RecycledBlocks.h"
#include "windows/comvalues/VariantValues.h"
#include "MemberNames.h"

#include <set>
#include <thread>
#include <vector>

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

namespace {

struct Pooled : comvalues::Recycled<Pooled> {
    int value = 0;
};
struct LargerPooled : Pooled {
    double more = 0;
};

struct FoldedNames {
    static char fold(char c) { return automation::foldNameCase(c); }
    struct Entry {
        explicit Entry(std::string_view n) : name(n) {}
        const std::string name;
    };
};
using std::string_view_literals::operator""sv;

}  // namespace

TEST(RecycledBlocks, AFreedBlockServesTheNextObjectOfItsOwnClassUpToTheBound) {
    auto* first = new Pooled;
    void* const block = first;
    delete first;
    auto* larger = new LargerPooled;
    EXPECT_NE(static_cast<void*>(larger), block) << "a derived class's object takes a block of its own size";
    auto* second = new Pooled;
    EXPECT_EQ(static_cast<void*>(second), block);
    delete larger;
    delete second;

    std::vector<Pooled*> many(comvalues::BlockPool::kKept + 8);
    for (auto*& p : many) p = new Pooled;
    const std::set<void*> freed(many.begin(), many.end());
    for (auto* p : many) delete p;
    size_t reused = 0;
    for (auto*& p : many) reused += freed.count(p = new Pooled);
    EXPECT_GE(reused, size_t{comvalues::BlockPool::kKept});
    for (auto* p : many) delete p;
}

TEST(NameTable, NumbersNamesInTheirOrderFindsThemFoldedAndStopsWhenFull) {
    comvalues::NameTable<FoldedNames, 3> table;
    EXPECT_EQ(table.numberOf("Count"sv), 1u);
    EXPECT_EQ(table.numberOf(L"Item"sv), 2u);
    EXPECT_EQ(table.numberOf(L"COUNT"sv), 1u) << "found in any letter case, from wide text too";
    EXPECT_EQ(table.numberOf("Value"sv), 3u);
    EXPECT_EQ(table.numberOf("Variable"sv), 0u) << "the table is full";
    EXPECT_EQ(table.numberOf("item"sv), 2u) << "a full table still finds its names";
    EXPECT_EQ(table.entry(2)->name, "Item");
    EXPECT_EQ(table.entry(0), nullptr);
    EXPECT_EQ(table.entry(4), nullptr);
}

TEST(NameTable, ThreadsAddingTheSameNamesAtOnceAgreeOnTheirNumbers) {
    constexpr int kThreads = 4;
    constexpr int kNames = 200;
    comvalues::NameTable<FoldedNames, kNames> table;
    std::vector<std::string> names;
    for (int n = 0; n < kNames; ++n) names.push_back("Member" + std::to_string(n));
    std::vector<std::vector<uint32_t>> numbers(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (const std::string& name : names) numbers[t].push_back(table.numberOf(std::string_view(name)));
        });
    for (auto& thread : threads) thread.join();
    for (int t = 1; t < kThreads; ++t) EXPECT_EQ(numbers[t], numbers[0]) << "thread " << t;
    EXPECT_EQ(std::set<uint32_t>(numbers[0].begin(), numbers[0].end()).size(), size_t{kNames});
    for (int n = 0; n < kNames; ++n) EXPECT_EQ(table.entry(numbers[0][n])->name, names[n]);
}

TEST(NameTable, TheComponentsNamesAreEachOneAutomationStringForGood) {
    const BSTR first = server::memberName("Components");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::wstring(first, SysStringLen(first)), L"Components");
    EXPECT_EQ(server::memberName("Components"), first);
    EXPECT_NE(server::memberName("components"), first) << "kept as the component spells them; the host folds case";
}
