#include "shape/PShape.h"

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

// Runs an answer and writes its outputs back to the caller's variables, also
// when it fails: outputs written before a failure keep their values.
template <class Answer, class WriteBack>
Variant answering(Answer answer, WriteBack writeBack) {
    try {
        const int16_t ok = answer();
        writeBack();
        return boolResult(ok);
    } catch (const Error&) {
        writeBack();
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
        double a = doubleArg(args, 0), b = doubleArg(args, 1);
        const bool diameters = is("IC2DProjectedThreads_GetDiameters");
        return answering([&] { return diameters ? GetDiameters(a, b) : GetPositionInformation(a, b); },
                         [&] {
                             setDouble(args, 0, a);
                             setDouble(args, 1, b);
                         });
    }
    if (is("IC2DProjectedThreads_GetTaperFromMajorDiameter")) {
        expectArgCount(args, 1);
        double angle = doubleArg(args, 0);
        const int16_t ok = GetTaperFromMajorDiameter(angle);
        setDouble(args, 0, angle);
        return boolResult(ok);
    }
    if (is("IC2DProjectedThreads_GetThreadDirection")) {
        expectArgCount(args, 3);
        double x = doubleArg(args, 0), y = doubleArg(args, 1), z = doubleArg(args, 2);
        const int16_t ok = GetThreadDirection(x, y, z);
        setDouble(args, 0, x);
        setDouble(args, 1, y);
        setDouble(args, 2, z);
        return boolResult(ok);
    }
    if (is("IC2DProjectedThreads_GetIsHole") || is("IC2DProjectedThreads_GetTaperProjection")) {
        expectArgCount(args, 1);
        int16_t flag = toBool(argAt(args, 0)) ? kTrue : kFalse;
        const int16_t ok = is("IC2DProjectedThreads_GetIsHole") ? GetIsHole(flag) : GetTaperProjection(flag);
        setBool(args, 0, flag);
        return boolResult(ok);
    }
    if (is("IC2DProjectedThreads_GetProjectedThreadInformation")) {
        expectArgCount(args, 11);
        Ref<Object> shape = objectArg(args, 0);
        double d[8];
        for (size_t i = 0; i < 8; ++i) d[i] = doubleArg(args, i + 1);
        int16_t isHole = toBool(argAt(args, 9)) ? kTrue : kFalse;
        int16_t taper = toBool(argAt(args, 10)) ? kTrue : kFalse;
        return answering(
            [&] {
                return GetProjectedThreadInformation(shape, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], isHole,
                                                     taper);
            },
            [&] {
                for (size_t i = 0; i < 8; ++i) setDouble(args, i + 1, d[i]);
                setBool(args, 9, isHole);
                setBool(args, 10, taper);
            });
    }
    throw Error::runtime(err::MemberNotSupported);
}

}  // namespace zelva::shape
