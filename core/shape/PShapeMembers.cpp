#include "core/shape/PShapeMembers.h"

#include <algorithm>
#include <array>

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/shape/PShape.h"

namespace zelva::shape {

namespace {

// Reads a by-reference object argument as the member's object variable.
Ref<Object> objectArg(std::span<const Arg> args, size_t i) {
    const Variant& v = argAt(args, i);
    return v.isEmpty() ? Ref<Object>() : toObject(v);
}

// An output of type double, its caller's variable read as a double first, as
// a call converts its arguments before the member runs (13 for a text).
AnswerOutput doubleOutput(std::span<const Arg> args, size_t i) {
    toDouble(argAt(args, i));
    return AnswerOutput(args[i]);
}

// Writes back the by-reference arguments a member filled.
void setBool(std::span<const Arg> args, size_t i, int16_t v) {
    if (args[i].ref) args[i].set(Variant::boolean(v != 0));
}

Variant boolResult(int16_t v) { return Variant::boolean(v != 0); }

// A method whose one argument is the caller's object variable.
template <void (PShape::*Method)(Ref<Object>&)>
Variant onObject(PShape& pin, std::span<const Arg> args) {
    Ref<Object> target = objectArg(args, 0);
    (pin.*Method)(target);
    return {};
}

Variant dblClick(PShape& pin, std::span<const Arg> args) {
    Ref<Object> part = objectArg(args, 0);
    int32_t x = toInt32(argAt(args, 1)), y = toInt32(argAt(args, 2));
    pin.DblClick(part, x, y);
    return {};
}

Variant getHoleInformation(PShape& pin, std::span<const Arg> args) {
    int16_t finite = 0;
    double depth = 0, cbDepth = 0, cbDiameter = 0, csDiameter = 0, csAngle = 0, bottom = 0;
    return boolResult(pin.GetHoleInformation(toBool(argAt(args, 0)) ? kTrue : kFalse, finite, depth, cbDepth,
                                             cbDiameter, csDiameter, csAngle, bottom));
}

// The chain runs through the rows of the object's own interface and stops at
// the first answer that is false, leaving the later outputs unwritten.
Variant getProjectedThreadInformation(PShape& pin, std::span<const Arg> args) {
    const auto answers = [&](PShapeMemberId id, size_t first, size_t count) {
        return toBool(pin.invokeMember(pshapeMember(id), args.subspan(first, count)));
    };
    using enum PShapeMemberId;
    return Variant::boolean(answers(Initialize, 0, 1) && answers(GetDiameters, 1, 2) &&
                            answers(GetTaperFromMajorDiameter, 3, 1) && answers(GetPositionInformation, 4, 2) &&
                            answers(GetThreadDirection, 6, 3) && answers(GetIsHole, 9, 1) &&
                            answers(GetTaperProjection, 10, 1));
}

template <int16_t (PShape::*Answer)(int16_t&)>
Variant flagAnswer(PShape& pin, std::span<const Arg> args) {
    int16_t flag = toBool(argAt(args, 0)) ? kTrue : kFalse;
    const int16_t ok = (pin.*Answer)(flag);
    setBool(args, 0, flag);
    return boolResult(ok);
}

template <int16_t (PShape::*Answer)(AnswerOutput, AnswerOutput)>
Variant twoDoubles(PShape& pin, std::span<const Arg> args) {
    return boolResult((pin.*Answer)(doubleOutput(args, 0), doubleOutput(args, 1)));
}

Variant getTaperFromMajorDiameter(PShape& pin, std::span<const Arg> args) {
    return boolResult(pin.GetTaperFromMajorDiameter(doubleOutput(args, 0)));
}

Variant getThreadDirection(PShape& pin, std::span<const Arg> args) {
    return boolResult(pin.GetThreadDirection(doubleOutput(args, 0), doubleOutput(args, 1), doubleOutput(args, 2)));
}

Variant initialize(PShape& pin, std::span<const Arg> args) {
    Ref<Object> shape = objectArg(args, 0);
    return boolResult(pin.Initialize(shape));
}

// The two halves of a property: the value converted to the property's type, and back.
template <auto Setter, auto Convert>
Variant put(PShape& pin, std::span<const Arg> args) {
    (pin.*Setter)(Convert(argAt(args, 0)));
    return {};
}
template <auto Getter, auto Make>
Variant get(PShape& pin, std::span<const Arg>) {
    return Make((pin.*Getter)());
}

constexpr CallKind kGet = CallKind::Get, kPut = CallKind::Put, kMethod = CallKind::Method;
Variant toStr(const std::string& s) { return Variant::str(s); }

using Id = PShapeMemberId;
constexpr PShapeMember kMembers[] = {
    {Id::DiametroPut, "Diametro", kPut, 1, 0x68030009, put<&PShape::setDiametro, &toDouble>},
    {Id::DiametroGet, "Diametro", kGet, 0, 0x68030009, get<&PShape::Diametro, &Variant::r8>},
    {Id::LunghezzaPut, "Lunghezza", kPut, 1, 0x68030008, put<&PShape::setLunghezza, &toDouble>},
    {Id::LunghezzaGet, "Lunghezza", kGet, 0, 0x68030008, get<&PShape::Lunghezza, &Variant::r8>},
    {Id::PassoPut, "Passo", kPut, 1, 0x68030007, put<&PShape::setPasso, &toDouble>},
    {Id::PassoGet, "Passo", kGet, 0, 0x68030007, get<&PShape::Passo, &Variant::r8>},
    {Id::SmussoPut, "Smusso", kPut, 1, 0x68030006, put<&PShape::setSmusso, &toDouble>},
    {Id::SmussoGet, "Smusso", kGet, 0, 0x68030006, get<&PShape::Smusso, &Variant::r8>},
    {Id::ThreadCalloutGet, "ThreadCallout", kGet, 0, 0x68030005, get<&PShape::ThreadCallout, &toStr>},
    {Id::ThreadCalloutPut, "ThreadCallout", kPut, 1, 0x68030005, put<&PShape::setThreadCallout, &toText>},
    {Id::TransferToDrawingFlagsGet, "TransferToDrawingFlags", kGet, 0, 0x68030004, get<&PShape::TransferToDrawingFlags, &Variant::i4>},
    {Id::TransferToDrawingFlagsPut, "TransferToDrawingFlags", kPut, 1, 0x68030004, put<&PShape::setTransferToDrawingFlags, &toInt32>},
    {Id::Create, "Create", kMethod, 1, 0x6003000a, onObject<&PShape::Create>},
    {Id::CreateInPart, "createInPart", kMethod, 1, 0x6003000b, onObject<&PShape::createInPart>},
    {Id::GetPartData, "GetPartData", kMethod, 1, 0x6003000d, onObject<&PShape::GetPartData>},
    {Id::SetPartData, "SetPartData", kMethod, 1, 0x6003000f, onObject<&PShape::SetPartData>},
    {Id::DblClick, "DblClick", kMethod, 3, 0x60030011, dblClick},
    {Id::GetHoleInformation, "IC2DProjectedThreads_GetHoleInformation", kMethod, 8, 0x60030012, getHoleInformation},
    {Id::GetProjectedThreadInformation, "IC2DProjectedThreads_GetProjectedThreadInformation", kMethod, 11, 0x60030013, getProjectedThreadInformation},
    {Id::GetIsHole, "IC2DProjectedThreads_GetIsHole", kMethod, 1, 0x60030014, flagAnswer<&PShape::GetIsHole>},
    {Id::GetDiameters, "IC2DProjectedThreads_GetDiameters", kMethod, 2, 0x60030015, twoDoubles<&PShape::GetDiameters>},
    {Id::GetPositionInformation, "IC2DProjectedThreads_GetPositionInformation", kMethod, 2, 0x60030016, twoDoubles<&PShape::GetPositionInformation>},
    {Id::GetTaperFromMajorDiameter, "IC2DProjectedThreads_GetTaperFromMajorDiameter", kMethod, 1, 0x60030017, getTaperFromMajorDiameter},
    {Id::GetTaperProjection, "IC2DProjectedThreads_GetTaperProjection", kMethod, 1, 0x60030018, flagAnswer<&PShape::GetTaperProjection>},
    {Id::GetThreadDirection, "IC2DProjectedThreads_GetThreadDirection", kMethod, 3, 0x60030019, getThreadDirection},
    {Id::HoleInformationFlags, "IC2DProjectedThreads_HoleInformationFlags", kGet, 0, 0x68030002, get<&PShape::HoleInformationFlags, &Variant::i4>},
    {Id::Initialize, "IC2DProjectedThreads_Initialize", kMethod, 1, 0x6003001a, initialize},
    {Id::ProjectionFlags, "IC2DProjectedThreads_ProjectionFlags", kGet, 0, 0x68030001, get<&PShape::ProjectionFlags, &Variant::i4>},
    {Id::Callout, "IC2DProjectedThreads_Callout", kGet, 0, 0x68030000, get<&PShape::Callout, &toStr>},
};
constexpr size_t kMemberCount = std::size(kMembers);

// Each row stands at the place of its member id, so that an id reaches its row
// by index: a row added, removed or moved in one list and not the other fails here.
constexpr bool rowsFollowTheirIds() {
    for (size_t i = 0; i < kMemberCount; ++i)
        if (static_cast<size_t>(kMembers[i].id) != i) return false;
    return kMemberCount == static_cast<size_t>(Id::Callout) + 1;
}
static_assert(rowsFollowTheirIds(), "one row per member id, in the order of the ids");

// FNV-1a over the lower-cased name: one pass over the text.
uint32_t nameHash(std::string_view name) {
    uint32_t h = 2166136261u;
    for (char c : name) {
        h ^= static_cast<unsigned char>(foldNameCase(c));
        h *= 16777619u;
    }
    return h;
}

struct HashedRow {
    uint32_t hash;
    const PShapeMember* member;
};

// The rows ordered by the hash of their lower-cased names, built once: a
// lookup hashes the name, finds its rows by a binary search on the numbers,
// and compares the text only of the one or two rows (a property's halves)
// that carry that hash.
const std::array<HashedRow, kMemberCount>& byHash() {
    static const auto sorted = [] {
        std::array<HashedRow, kMemberCount> rows{};
        for (size_t i = 0; i < kMemberCount; ++i) rows[i] = {nameHash(kMembers[i].name), &kMembers[i]};
        std::sort(rows.begin(), rows.end(), [](const HashedRow& a, const HashedRow& b) { return a.hash < b.hash; });
        return rows;
    }();
    return sorted;
}

}  // namespace

std::span<const PShapeMember> pshapeMembers() { return kMembers; }

const PShapeMember& pshapeMember(PShapeMemberId id) { return kMembers[static_cast<size_t>(id)]; }

const PShapeMember* findPShapeMember(std::string_view name, CallKind kind) {
    const auto& rows = byHash();
    const uint32_t hash = nameHash(name);
    auto row = std::lower_bound(rows.begin(), rows.end(), hash,
                                [](const HashedRow& r, uint32_t h) { return r.hash < h; });
    for (; row != rows.end() && row->hash == hash; ++row)
        if ((row->member->kind == CallKind::Put) == (kind == CallKind::Put) && sameName(row->member->name, name))
            return row->member;
    return nullptr;
}

// The pin's late-bound face: a call by name finds its row here; the vtable
// and the composite drawing answer come with their row already.
Variant PShape::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    const PShapeMember* member = findPShapeMember(name, kind);
    if (!member) throw Error::runtime(err::MemberNotSupported);
    return invokeMember(*member, args);
}

Variant PShape::invokeMember(const PShapeMember& row, std::span<const Arg> args) {
    expectArgCount(args, row.arity);
    return row.handler(*this, args);
}

}  // namespace zelva::shape
