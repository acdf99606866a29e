#include "shape/PShape.h"

#include <bit>

#include "automation/Error.h"
#include "automation/NumberRules.h"
#include "shape/ProjectionFlags.h"

namespace zelva::shape {

namespace {

// Reads a by-reference object argument as the member's object variable.
Ref<Object> objectArg(std::span<const Arg> args, size_t i) {
    const Variant& v = argAt(args, i);
    return v.isEmpty() ? Ref<Object>() : toObject(v);
}

double doubleArg(std::span<const Arg> args, size_t i) { return toDouble(argAt(args, i)); }

// Writes back the by-reference arguments a member filled.
void setDouble(std::span<const Arg> args, size_t i, double v) {
    if (args[i].ref) args[i].set(Variant::r8(v));
}
void setBool(std::span<const Arg> args, size_t i, int16_t v) {
    if (args[i].ref) args[i].set(Variant::boolean(v != 0));
}

Variant boolResult(int16_t v) { return Variant::boolean(v != 0); }

// What an answer's output holds until the answer writes it: a not-a-number
// with a payload of its own, which no answer computes.
constexpr uint64_t kUnreachedOutput = 0x7ff800005a454c56;

// Runs an answer on copies of the caller's by-reference doubles and writes
// them back: all of them when it succeeds, and when it fails those it had
// already written, whatever their values, so outputs written before a failure
// keep them and outputs it never reached stay as they were. The answers write
// their outputs without reading them.
template <class Answer>
Variant answering(std::span<const Arg> args, std::span<double> outputs, Answer answer) {
    for (double& output : outputs) output = std::bit_cast<double>(kUnreachedOutput);
    const auto writeBack = [&](bool all) {
        for (size_t i = 0; i < outputs.size(); ++i)
            if (all || std::bit_cast<uint64_t>(outputs[i]) != kUnreachedOutput) setDouble(args, i, outputs[i]);
    };
    try {
        const int16_t ok = answer();
        writeBack(true);
        return boolResult(ok);
    } catch (const Error&) {
        writeBack(false);
        throw;
    }
}

}  // namespace

PShape::PShape(env::Module& module) : module_(module) {}

void PShape::setSmusso(double v) { smusso_ = roundToInt16(v); }

int32_t PShape::ProjectionFlags() const { return GetProjectionFlags(flags_); }

Variant PShape::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    const auto is = [&](const char* member) { return sameName(name, member); };
    const bool put = kind == CallKind::Put;
    const auto property = [&](auto getter, auto setter) -> Variant {
        if (put) {
            expectArgCount(args, 1);
            setter(argAt(args, 0));
            return {};
        }
        expectArgCount(args, 0);
        return getter();
    };

    if (is("Diametro"))
        return property([&] { return Variant::r8(diametro_); }, [&](const Variant& v) { setDiametro(toDouble(v)); });
    if (is("Lunghezza"))
        return property([&] { return Variant::r8(lunghezza_); }, [&](const Variant& v) { setLunghezza(toDouble(v)); });
    if (is("Passo"))
        return property([&] { return Variant::r8(passo_); }, [&](const Variant& v) { setPasso(toDouble(v)); });
    if (is("Smusso"))
        return property([&] { return Variant::r8(Smusso()); }, [&](const Variant& v) { setSmusso(toDouble(v)); });
    if (is("ThreadCallout"))
        return property([&] { return Variant::str(callout_); }, [&](const Variant& v) { setThreadCallout(toText(v)); });
    if (is("TransferToDrawingFlags"))
        return property([&] { return Variant::i4(flags_); },
                        [&](const Variant& v) { setTransferToDrawingFlags(toInt32(v)); });
    if (put) throw Error::runtime(err::MemberNotSupported);

    if (is("Create") || is("createInPart") || is("GetPartData") || is("SetPartData")) {
        expectArgCount(args, 1);
        Ref<Object> target = objectArg(args, 0);
        if (is("Create")) Create(target);
        else if (is("createInPart")) createInPart(target);
        else if (is("GetPartData")) GetPartData(target);
        else SetPartData(target);
        return {};
    }
    if (is("DblClick")) {
        expectArgCount(args, 3);
        Ref<Object> part = objectArg(args, 0);
        int32_t x = toInt32(argAt(args, 1)), y = toInt32(argAt(args, 2));
        DblClick(part, x, y);
        return {};
    }
    if (is("IC2DProjectedThreads_Callout")) {
        expectArgCount(args, 0);
        return Variant::str(Callout());
    }
    if (is("IC2DProjectedThreads_HoleInformationFlags")) {
        expectArgCount(args, 0);
        return Variant::i4(HoleInformationFlags());
    }
    if (is("IC2DProjectedThreads_ProjectionFlags")) {
        expectArgCount(args, 0);
        return Variant::i4(ProjectionFlags());
    }
    if (is("IC2DProjectedThreads_GetHoleInformation")) {
        expectArgCount(args, 8);
        int16_t finite = 0;
        double depth = 0, cbDepth = 0, cbDiameter = 0, csDiameter = 0, csAngle = 0, bottom = 0;
        return boolResult(GetHoleInformation(toBool(argAt(args, 0)) ? kTrue : kFalse, finite, depth, cbDepth,
                                             cbDiameter, csDiameter, csAngle, bottom));
    }
    if (is("IC2DProjectedThreads_Initialize")) {
        expectArgCount(args, 1);
        Ref<Object> shape = objectArg(args, 0);
        return boolResult(Initialize(shape));
    }
    if (is("IC2DProjectedThreads_GetDiameters") || is("IC2DProjectedThreads_GetPositionInformation")) {
        expectArgCount(args, 2);
        double d[2] = {doubleArg(args, 0), doubleArg(args, 1)};
        const bool diameters = is("IC2DProjectedThreads_GetDiameters");
        return answering(args, d, [&] { return diameters ? GetDiameters(d[0], d[1]) : GetPositionInformation(d[0], d[1]); });
    }
    if (is("IC2DProjectedThreads_GetTaperFromMajorDiameter")) {
        expectArgCount(args, 1);
        double angle[1] = {doubleArg(args, 0)};
        return answering(args, angle, [&] { return GetTaperFromMajorDiameter(angle[0]); });
    }
    if (is("IC2DProjectedThreads_GetThreadDirection")) {
        expectArgCount(args, 3);
        double v[3] = {doubleArg(args, 0), doubleArg(args, 1), doubleArg(args, 2)};
        return answering(args, v, [&] { return GetThreadDirection(v[0], v[1], v[2]); });
    }
    if (is("IC2DProjectedThreads_GetIsHole") || is("IC2DProjectedThreads_GetTaperProjection")) {
        expectArgCount(args, 1);
        int16_t flag = toBool(argAt(args, 0)) ? kTrue : kFalse;
        const int16_t ok = is("IC2DProjectedThreads_GetIsHole") ? GetIsHole(flag) : GetTaperProjection(flag);
        setBool(args, 0, flag);
        return boolResult(ok);
    }
    if (is("IC2DProjectedThreads_GetProjectedThreadInformation")) {
        // The chain runs through the object's own interface and stops at the
        // first answer that is false, leaving the later outputs unwritten.
        expectArgCount(args, 11);
        const auto answers = [&](const char* member, size_t first, size_t count) {
            return toBool(invoke(member, CallKind::Method, args.subspan(first, count)));
        };
        const bool ok = answers("IC2DProjectedThreads_Initialize", 0, 1) &&
                        answers("IC2DProjectedThreads_GetDiameters", 1, 2) &&
                        answers("IC2DProjectedThreads_GetTaperFromMajorDiameter", 3, 1) &&
                        answers("IC2DProjectedThreads_GetPositionInformation", 4, 2) &&
                        answers("IC2DProjectedThreads_GetThreadDirection", 6, 3) &&
                        answers("IC2DProjectedThreads_GetIsHole", 9, 1) &&
                        answers("IC2DProjectedThreads_GetTaperProjection", 10, 1);
        return Variant::boolean(ok);
    }
    throw Error::runtime(err::MemberNotSupported);
}

}  // namespace zelva::shape
