#pragma once
// The members of the pin's automation interface, one row each in the order of
// its vtable: id, name, call kind, argument count, dispatch identifier and the
// handler that answers it. The COM server's vtable reaches a row by its id, the
// core's late binding by its name; the IDL states the same interface and a
// Windows test holds the two together.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/automation/Object.h"

namespace zelva::shape {

class PShape;

enum class PShapeMemberId : uint8_t {
    DiametroPut, DiametroGet, LunghezzaPut, LunghezzaGet, PassoPut, PassoGet, SmussoPut, SmussoGet,
    ThreadCalloutGet, ThreadCalloutPut, TransferToDrawingFlagsGet, TransferToDrawingFlagsPut,
    Create, CreateInPart, GetPartData, SetPartData, DblClick,
    GetHoleInformation, GetProjectedThreadInformation, GetIsHole, GetDiameters, GetPositionInformation,
    GetTaperFromMajorDiameter, GetTaperProjection, GetThreadDirection, HoleInformationFlags, Initialize,
    ProjectionFlags, Callout,
};

struct PShapeMember {
    PShapeMemberId id;  // the row's place in the table
    std::string_view name;
    CallKind kind;   // Get and Put for the two halves of a property
    size_t arity;    // arguments of a late-bound call, a put's value included
    int32_t dispid;
    Variant (*handler)(PShape& pin, std::span<const Arg> args);
};

std::span<const PShapeMember> pshapeMembers();
const PShapeMember& pshapeMember(PShapeMemberId id);

// The member a late-bound call reaches, its name in any case: a put reaches a
// property's put half, a get or method call anything else. Null when none.
const PShapeMember* findPShapeMember(std::string_view name, CallKind kind);

}  // namespace zelva::shape
