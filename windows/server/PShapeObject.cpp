#include "PShapeObject.h"

#include "IronCADAO.h"
#include "Zelvacorin.h"
#include "CoreCall.h"
#include "CoreObject.h"
#include "DualDispatch.h"
#include "ErrorInfoSupport.h"
#include "core/shape/PShape.h"
#include "core/shape/PShapeMembers.h"

namespace zelva::server {

namespace {

extern const _PShapeVtbl pshape_vtbl;
extern const IC2DProjectedThreadsVtbl threads_vtbl;

struct PShapeObject {
    PShapeObject()
        : _PShape_iface{&pshape_vtbl},
          IC2DProjectedThreads_iface{&threads_vtbl},
          errorInfo(unknown(), {&IID__PShape, &IID_IC2DProjectedThreads}) {}

    IUnknown* unknown() { return reinterpret_cast<IUnknown*>(&_PShape_iface); }

    _PShape _PShape_iface;
    IC2DProjectedThreads IC2DProjectedThreads_iface;
    ErrorInfoSupport errorInfo;
    CoreObject<shape::PShape> object;
};

PShapeObject* impl_from__PShape(_PShape* iface) { return CONTAINING_RECORD(iface, PShapeObject, _PShape_iface); }

PShapeObject* impl_from_IC2DProjectedThreads(IC2DProjectedThreads* iface) {
    return CONTAINING_RECORD(iface, PShapeObject, IC2DProjectedThreads_iface);
}

_PShape* pshape_from_IC2DProjectedThreads(IC2DProjectedThreads* iface) {
    return &impl_from_IC2DProjectedThreads(iface)->_PShape_iface;
}

using Member = shape::PShapeMemberId;

// Calls the member of the core PShape in the row of the member table that `id` names.
template <class... Result>
HRESULT call(_PShape* iface, Member id, std::initializer_list<ComArg> args, Result*... result) {
    shape::PShape& pin = *impl_from__PShape(iface)->object.core;
    const shape::PShapeMember& row = shape::pshapeMember(id);
    return callCore(IID__PShape, [&](std::span<const Arg> bound) { return pin.invokeMember(row, bound); }, args,
                    result...);
}

// --- _PShape -------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE pshape_QueryInterface(_PShape* iface, REFIID iid, void** out) {
    PShapeObject* This = impl_from__PShape(iface);
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__PShape) {
        *out = &This->_PShape_iface;
    } else if (iid == IID_IC2DProjectedThreads) {
        *out = &This->IC2DProjectedThreads_iface;
    } else if (iid == IID_ISupportErrorInfo) {
        *out = &This->errorInfo.ISupportErrorInfo_iface;
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    This->object.addRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE pshape_AddRef(_PShape* iface) { return impl_from__PShape(iface)->object.addRef(); }

ULONG STDMETHODCALLTYPE pshape_Release(_PShape* iface) {
    PShapeObject* This = impl_from__PShape(iface);
    return This->object.release(This);
}

HRESULT STDMETHODCALLTYPE pshape_GetTypeInfoCount(_PShape*, UINT* count) { return dispatchGetTypeInfoCount(count); }

HRESULT STDMETHODCALLTYPE pshape_GetTypeInfo(_PShape*, UINT index, LCID, ITypeInfo** info) {
    return dispatchGetTypeInfo(DualInterface::PShape, index, info);
}

HRESULT STDMETHODCALLTYPE pshape_GetIDsOfNames(_PShape*, REFIID iid, LPOLESTR* names, UINT count, LCID,
                                               DISPID* ids) {
    return dispatchGetIDsOfNames(DualInterface::PShape, iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE pshape_Invoke(_PShape* iface, DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                        VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    return dispatchInvoke(DualInterface::PShape, iface, id, iid, flags, params, result, exception, argError);
}

HRESULT STDMETHODCALLTYPE pshape_put_Diametro(_PShape* iface, double* value) {
    return call(iface, Member::DiametroPut, {value});
}
HRESULT STDMETHODCALLTYPE pshape_get_Diametro(_PShape* iface, double* value) {
    return call(iface, Member::DiametroGet, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_put_Lunghezza(_PShape* iface, double* value) {
    return call(iface, Member::LunghezzaPut, {value});
}
HRESULT STDMETHODCALLTYPE pshape_get_Lunghezza(_PShape* iface, double* value) {
    return call(iface, Member::LunghezzaGet, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_put_Passo(_PShape* iface, double* value) {
    return call(iface, Member::PassoPut, {value});
}
HRESULT STDMETHODCALLTYPE pshape_get_Passo(_PShape* iface, double* value) {
    return call(iface, Member::PassoGet, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_put_Smusso(_PShape* iface, double* value) {
    return call(iface, Member::SmussoPut, {value});
}
HRESULT STDMETHODCALLTYPE pshape_get_Smusso(_PShape* iface, double* value) {
    return call(iface, Member::SmussoGet, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_get_ThreadCallout(_PShape* iface, BSTR* value) {
    return call(iface, Member::ThreadCalloutGet, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_put_ThreadCallout(_PShape* iface, BSTR* value) {
    return call(iface, Member::ThreadCalloutPut, {value});
}
HRESULT STDMETHODCALLTYPE pshape_get_TransferToDrawingFlags(_PShape* iface, LONG* value) {
    return call(iface, Member::TransferToDrawingFlagsGet, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_put_TransferToDrawingFlags(_PShape* iface, LONG* value) {
    return call(iface, Member::TransferToDrawingFlagsPut, {value});
}

HRESULT STDMETHODCALLTYPE pshape_Create(_PShape* iface, IDispatch** parent) {
    return call(iface, Member::Create, {parent});
}
HRESULT STDMETHODCALLTYPE pshape_createInPart(_PShape* iface, IDispatch** boss) {
    return call(iface, Member::CreateInPart, {boss});
}
HRESULT STDMETHODCALLTYPE pshape_GetPartData(_PShape* iface, IDispatch** shape) {
    return call(iface, Member::GetPartData, {shape});
}
HRESULT STDMETHODCALLTYPE pshape_SetPartData(_PShape* iface, IDispatch** shape) {
    return call(iface, Member::SetPartData, {shape});
}
HRESULT STDMETHODCALLTYPE pshape_DblClick(_PShape* iface, IDispatch** part, LONG* x, LONG* y) {
    return call(iface, Member::DblClick, {part, x, y});
}

HRESULT STDMETHODCALLTYPE pshape_GetHoleInformation(_PShape* iface, VARIANT_BOOL wantAnglesInDegrees,
                                                    VARIANT_BOOL* depthIsFinite, double* depth,
                                                    double* counterboreDepth, double* counterboreDiameter,
                                                    double* countersinkDiameter, double* countersinkAngle,
                                                    double* bottomAngle, VARIANT_BOOL* answer) {
    return call(iface, Member::GetHoleInformation,
                {Variant::boolean(wantAnglesInDegrees != VARIANT_FALSE), depthIsFinite, depth, counterboreDepth,
                 counterboreDiameter, countersinkDiameter, countersinkAngle, bottomAngle},
                answer);
}

HRESULT STDMETHODCALLTYPE pshape_GetProjectedThreadInformation(_PShape* iface, IDispatch** shape, double* inner,
                                                               double* outer, double* taperAngle,
                                                               double* threadLength, double* offset, double* x,
                                                               double* y, double* z, VARIANT_BOOL* isHole,
                                                               VARIANT_BOOL* taperProjection, VARIANT_BOOL* answer) {
    return call(iface, Member::GetProjectedThreadInformation,
                {shape, inner, outer, taperAngle, threadLength, offset, x, y, z, isHole, taperProjection}, answer);
}

HRESULT STDMETHODCALLTYPE pshape_GetIsHole(_PShape* iface, VARIANT_BOOL* isHole, VARIANT_BOOL* answer) {
    return call(iface, Member::GetIsHole, {isHole}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_GetDiameters(_PShape* iface, double* inner, double* outer, VARIANT_BOOL* answer) {
    return call(iface, Member::GetDiameters, {inner, outer}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_GetPositionInformation(_PShape* iface, double* length, double* offset,
                                                        VARIANT_BOOL* answer) {
    return call(iface, Member::GetPositionInformation, {length, offset}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_GetTaperFromMajorDiameter(_PShape* iface, double* angle, VARIANT_BOOL* answer) {
    return call(iface, Member::GetTaperFromMajorDiameter, {angle}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_GetTaperProjection(_PShape* iface, VARIANT_BOOL* taperProjection,
                                                    VARIANT_BOOL* answer) {
    return call(iface, Member::GetTaperProjection, {taperProjection}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_GetThreadDirection(_PShape* iface, double* x, double* y, double* z,
                                                    VARIANT_BOOL* answer) {
    return call(iface, Member::GetThreadDirection, {x, y, z}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_get_HoleInformationFlags(_PShape* iface, LONG* value) {
    return call(iface, Member::HoleInformationFlags, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_Initialize(_PShape* iface, IDispatch** shape, VARIANT_BOOL* answer) {
    return call(iface, Member::Initialize, {shape}, answer);
}
HRESULT STDMETHODCALLTYPE pshape_get_ProjectionFlags(_PShape* iface, LONG* value) {
    return call(iface, Member::ProjectionFlags, {}, value);
}
HRESULT STDMETHODCALLTYPE pshape_get_Callout(_PShape* iface, BSTR* value) {
    return call(iface, Member::Callout, {}, value);
}

const _PShapeVtbl pshape_vtbl = {
    pshape_QueryInterface,
    pshape_AddRef,
    pshape_Release,
    pshape_GetTypeInfoCount,
    pshape_GetTypeInfo,
    pshape_GetIDsOfNames,
    pshape_Invoke,
    pshape_put_Diametro,
    pshape_get_Diametro,
    pshape_put_Lunghezza,
    pshape_get_Lunghezza,
    pshape_put_Passo,
    pshape_get_Passo,
    pshape_put_Smusso,
    pshape_get_Smusso,
    pshape_get_ThreadCallout,
    pshape_put_ThreadCallout,
    pshape_get_TransferToDrawingFlags,
    pshape_put_TransferToDrawingFlags,
    pshape_Create,
    pshape_createInPart,
    pshape_GetPartData,
    pshape_SetPartData,
    pshape_DblClick,
    pshape_GetHoleInformation,
    pshape_GetProjectedThreadInformation,
    pshape_GetIsHole,
    pshape_GetDiameters,
    pshape_GetPositionInformation,
    pshape_GetTaperFromMajorDiameter,
    pshape_GetTaperProjection,
    pshape_GetThreadDirection,
    pshape_get_HoleInformationFlags,
    pshape_Initialize,
    pshape_get_ProjectionFlags,
    pshape_get_Callout,
};

// --- IC2DProjectedThreads: the same members, in the host interface's slot order ------

HRESULT STDMETHODCALLTYPE threads_QueryInterface(IC2DProjectedThreads* iface, REFIID iid, void** out) {
    return pshape_QueryInterface(pshape_from_IC2DProjectedThreads(iface), iid, out);
}
ULONG STDMETHODCALLTYPE threads_AddRef(IC2DProjectedThreads* iface) {
    return pshape_AddRef(pshape_from_IC2DProjectedThreads(iface));
}
ULONG STDMETHODCALLTYPE threads_Release(IC2DProjectedThreads* iface) {
    return pshape_Release(pshape_from_IC2DProjectedThreads(iface));
}

HRESULT STDMETHODCALLTYPE threads_GetTypeInfoCount(IC2DProjectedThreads*, UINT* count) {
    return dispatchGetTypeInfoCount(count);
}
HRESULT STDMETHODCALLTYPE threads_GetTypeInfo(IC2DProjectedThreads*, UINT index, LCID, ITypeInfo** info) {
    return dispatchGetTypeInfo(DualInterface::ProjectedThreads, index, info);
}
HRESULT STDMETHODCALLTYPE threads_GetIDsOfNames(IC2DProjectedThreads*, REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                DISPID* ids) {
    return dispatchGetIDsOfNames(DualInterface::ProjectedThreads, iid, names, count, ids);
}
HRESULT STDMETHODCALLTYPE threads_Invoke(IC2DProjectedThreads* iface, DISPID id, REFIID iid, LCID, WORD flags,
                                         DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    return dispatchInvoke(DualInterface::ProjectedThreads, iface, id, iid, flags, params, result, exception,
                          argError);
}

HRESULT STDMETHODCALLTYPE threads_get_Callout(IC2DProjectedThreads* iface, BSTR* callout) {
    return pshape_get_Callout(pshape_from_IC2DProjectedThreads(iface), callout);
}
HRESULT STDMETHODCALLTYPE threads_GetHoleInformation(IC2DProjectedThreads* iface, VARIANT_BOOL wantAnglesInDegrees,
                                                     VARIANT_BOOL* depthIsFinite, double* depth,
                                                     double* counterboreDepth, double* counterboreDiameter,
                                                     double* countersinkDiameter, double* countersinkAngle,
                                                     double* bottomAngle, VARIANT_BOOL* answer) {
    return pshape_GetHoleInformation(pshape_from_IC2DProjectedThreads(iface), wantAnglesInDegrees, depthIsFinite,
                                     depth, counterboreDepth, counterboreDiameter, countersinkDiameter,
                                     countersinkAngle, bottomAngle, answer);
}
HRESULT STDMETHODCALLTYPE threads_get_HoleInformationFlags(IC2DProjectedThreads* iface, LONG* flags) {
    return pshape_get_HoleInformationFlags(pshape_from_IC2DProjectedThreads(iface), flags);
}
HRESULT STDMETHODCALLTYPE threads_get_ProjectionFlags(IC2DProjectedThreads* iface, LONG* flags) {
    return pshape_get_ProjectionFlags(pshape_from_IC2DProjectedThreads(iface), flags);
}
HRESULT STDMETHODCALLTYPE threads_Initialize(IC2DProjectedThreads* iface, IDispatch** shape, VARIANT_BOOL* answer) {
    return pshape_Initialize(pshape_from_IC2DProjectedThreads(iface), shape, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetDiameters(IC2DProjectedThreads* iface, double* inner, double* outer,
                                               VARIANT_BOOL* answer) {
    return pshape_GetDiameters(pshape_from_IC2DProjectedThreads(iface), inner, outer, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetTaperFromMajorDiameter(IC2DProjectedThreads* iface, double* angle,
                                                            VARIANT_BOOL* answer) {
    return pshape_GetTaperFromMajorDiameter(pshape_from_IC2DProjectedThreads(iface), angle, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetPositionInformation(IC2DProjectedThreads* iface, double* length, double* offset,
                                                         VARIANT_BOOL* answer) {
    return pshape_GetPositionInformation(pshape_from_IC2DProjectedThreads(iface), length, offset, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetThreadDirection(IC2DProjectedThreads* iface, double* x, double* y, double* z,
                                                     VARIANT_BOOL* answer) {
    return pshape_GetThreadDirection(pshape_from_IC2DProjectedThreads(iface), x, y, z, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetIsHole(IC2DProjectedThreads* iface, VARIANT_BOOL* isHole, VARIANT_BOOL* answer) {
    return pshape_GetIsHole(pshape_from_IC2DProjectedThreads(iface), isHole, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetTaperProjection(IC2DProjectedThreads* iface, VARIANT_BOOL* taperProjection,
                                                     VARIANT_BOOL* answer) {
    return pshape_GetTaperProjection(pshape_from_IC2DProjectedThreads(iface), taperProjection, answer);
}
HRESULT STDMETHODCALLTYPE threads_GetProjectedThreadInformation(IC2DProjectedThreads* iface, IDispatch** shape,
                                                                double* inner, double* outer, double* taperAngle,
                                                                double* threadLength, double* offset, double* x,
                                                                double* y, double* z, VARIANT_BOOL* isHole,
                                                                VARIANT_BOOL* taperProjection, VARIANT_BOOL* answer) {
    return pshape_GetProjectedThreadInformation(pshape_from_IC2DProjectedThreads(iface), shape, inner, outer,
                                                taperAngle, threadLength, offset, x, y, z, isHole, taperProjection,
                                                answer);
}

const IC2DProjectedThreadsVtbl threads_vtbl = {
    threads_QueryInterface,
    threads_AddRef,
    threads_Release,
    threads_GetTypeInfoCount,
    threads_GetTypeInfo,
    threads_GetIDsOfNames,
    threads_Invoke,
    threads_get_Callout,
    threads_GetHoleInformation,
    threads_get_HoleInformationFlags,
    threads_get_ProjectionFlags,
    threads_Initialize,
    threads_GetDiameters,
    threads_GetTaperFromMajorDiameter,
    threads_GetPositionInformation,
    threads_GetThreadDirection,
    threads_GetIsHole,
    threads_GetTaperProjection,
    threads_GetProjectedThreadInformation,
};

}  // namespace

HRESULT createPShape(REFIID iid, void** out) { return createServerObject<PShapeObject>(iid, out); }

}  // namespace zelva::server
