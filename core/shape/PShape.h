#pragma once
// One threaded pin as an automation class: the pin's parameters as properties,
// the construction of its geometry in a host shape, its part data, the edit on
// double-click and the answers to drawing views (the host's projected-thread
// interface). Instances are working objects; a pin's lasting state lives in
// its host shape.

#include <cstdint>
#include <string>

#include "core/automation/Object.h"
#include "core/env/Module.h"
#include "core/shape/AnswerOutput.h"

namespace zelva::shape {

struct PShapeMember;

class PShape : public Object {
public:
    // The module must outlive the instance: it lives as long as the loaded component.
    explicit PShape(env::Module& module);

    // Late binding: the member of that name (see PShapeMembers.h).
    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) override;
    // The member of a row of the member table, its argument count checked.
    Variant invokeMember(const PShapeMember& row, std::span<const Arg> args);

    // Properties: lengths in millimetres, no validation.
    double Diametro() const { return diametro_; }
    void setDiametro(double v) { diametro_ = v; }
    double Lunghezza() const { return lunghezza_; }
    void setLunghezza(double v) { lunghezza_ = v; }
    double Passo() const { return passo_; }
    void setPasso(double v) { passo_ = v; }
    double Smusso() const { return smusso_; }
    void setSmusso(double v);  // rounds half to even into 16 bits; overflow 6 keeps the old value
    const std::string& ThreadCallout() const { return callout_; }
    void setThreadCallout(std::string v) {
        callout_ = std::move(v);
        calloutFromTemplate_ = false;  // a callout a client put stays as it was put
    }
    int32_t TransferToDrawingFlags() const { return flags_; }
    void setTransferToDrawingFlags(int32_t v) { flags_ = v; }

    // Geometry construction.
    void Create(Ref<Object>& parent);
    void createInPart(Ref<Object>& objBoss);

    // Part data.
    void SetPartData(Ref<Object>& objShape);
    void GetPartData(Ref<Object>& objShape);

    // Editing on double-click.
    void DblClick(Ref<Object>& objPart, int32_t& x, int32_t& y);

    // The host's projected-thread interface; booleans are -1 / 0. The chain
    // GetProjectedThreadInformation runs through the member rows, as the
    // object's own interface answers it.
    std::string Callout() const { return callout_; }
    int16_t GetHoleInformation(int16_t wantAnglesInDegrees, int16_t& depthIsFinite, double& depth,
                               double& counterboreDepth, double& counterboreDiameter, double& countersinkDiameter,
                               double& countersinkAngle, double& bottomAngle);
    int32_t HoleInformationFlags() const { return 0; }
    int32_t ProjectionFlags() const;
    int16_t Initialize(Ref<Object>& shape);
    int16_t GetDiameters(AnswerOutput inner, AnswerOutput outer);
    int16_t GetTaperFromMajorDiameter(AnswerOutput angle);
    int16_t GetPositionInformation(AnswerOutput length, AnswerOutput offset);
    int16_t GetThreadDirection(AnswerOutput x, AnswerOutput y, AnswerOutput z);
    int16_t GetIsHole(int16_t& isHole);
    int16_t GetTaperProjection(int16_t& taperProjection);

    env::Module& module() const { return module_; }

private:
    void BuildPin(Ref<Object>& objBoss, double d, double l, double p, int16_t sm);
    std::string GetShapeClassId();
    void StoreShapeClass(Ref<Object>& objBoss, const std::string& id);
    int16_t ReadShapeData(Ref<Object>& objShape);
    double ToProjectionUnits(double value);

    env::Module& module_;
    double diametro_ = 0;
    double lunghezza_ = 0;
    double passo_ = 0;
    int16_t smusso_ = 0;
    int32_t flags_ = 0;
    std::string callout_;
    bool calloutFromTemplate_ = false;  // callout_ was written by Initialize for the shape it loaded
};

}  // namespace zelva::shape
