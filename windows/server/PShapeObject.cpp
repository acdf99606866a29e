#include "PShapeObject.h"

#include "IronCADAO.h"
#include "Zelvacorin.h"
#include "CoreCall.h"
#include "CoreObject.h"
#include "DualDispatch.h"
#include "ErrorInfoSupport.h"
#include "core/shape/PShape.h"
#include "core/shape/PShapeMembers.h"

#include <tuple>
#include <type_traits>
#include <utility>

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

// Both interfaces answer a member with the same object.
PShapeObject* impl_from(_PShape* iface) { return impl_from__PShape(iface); }
PShapeObject* impl_from(IC2DProjectedThreads* iface) { return impl_from_IC2DProjectedThreads(iface); }

// Calls the member of the core PShape in the row of the member table that `id` names.
template <class Interface, class... Result>
HRESULT call(Interface* iface, Member id, std::initializer_list<ComArg> args, Result*... result) {
    shape::PShape& pin = *impl_from(iface)->object.core;
    const shape::PShapeMember& row = shape::pshapeMember(id);
    return callCore(IID__PShape, [&](std::span<const Arg> bound) { return pin.invokeMember(row, bound); }, args,
                    result...);
}

// The vtable functions of the members, one per shape of signature, each slot
// naming the row it answers. Every argument goes in: a property's put, or a
// method without an answer.
template <Member id, class Interface, class... In>
HRESULT STDMETHODCALLTYPE inputs(Interface* iface, In*... in) {
    return call(iface, id, {in...});
}

// A property's get: its one argument receives the value.
template <Member id, class Interface, class Out>
HRESULT STDMETHODCALLTYPE property(Interface* iface, Out* value) {
    return call(iface, id, {}, value);
}

// A method whose arguments are followed by its true-or-false answer.
template <Member id, class Interface, class... Args>
HRESULT STDMETHODCALLTYPE answered(Interface* iface, Args*... args) {
    constexpr size_t inCount = sizeof...(Args) - 1;
    const std::tuple<Args*...> all{args...};
    static_assert(std::is_same_v<std::tuple_element_t<inCount, std::tuple<Args*...>>, VARIANT_BOOL*>);
    return [&]<size_t... i>(std::index_sequence<i...>) {
        return call(iface, id, {std::get<i>(all)...}, std::get<inCount>(all));
    }(std::make_index_sequence<inCount>{});
}

// The one member that takes a value, not a variable, for its first argument.
template <class Interface>
HRESULT STDMETHODCALLTYPE getHoleInformation(Interface* iface, VARIANT_BOOL wantAnglesInDegrees,
                                             VARIANT_BOOL* depthIsFinite, double* depth, double* counterboreDepth,
                                             double* counterboreDiameter, double* countersinkDiameter,
                                             double* countersinkAngle, double* bottomAngle, VARIANT_BOOL* answer) {
    return call(iface, Member::GetHoleInformation,
                {Variant::boolean(wantAnglesInDegrees != VARIANT_FALSE), depthIsFinite, depth, counterboreDepth,
                 counterboreDiameter, countersinkDiameter, countersinkAngle, bottomAngle},
                answer);
}

// Each slot is named by its interface's member: a slot left out, or two slots
// out of their interface's order, fails to compile.
#pragma GCC diagnostic error "-Wmissing-field-initializers"

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

const _PShapeVtbl pshape_vtbl = {
    .QueryInterface = pshape_QueryInterface,
    .AddRef = pshape_AddRef,
    .Release = pshape_Release,
    .GetTypeInfoCount = pshape_GetTypeInfoCount,
    .GetTypeInfo = pshape_GetTypeInfo,
    .GetIDsOfNames = pshape_GetIDsOfNames,
    .Invoke = pshape_Invoke,
    .put_Diametro = inputs<Member::DiametroPut>,
    .get_Diametro = property<Member::DiametroGet>,
    .put_Lunghezza = inputs<Member::LunghezzaPut>,
    .get_Lunghezza = property<Member::LunghezzaGet>,
    .put_Passo = inputs<Member::PassoPut>,
    .get_Passo = property<Member::PassoGet>,
    .put_Smusso = inputs<Member::SmussoPut>,
    .get_Smusso = property<Member::SmussoGet>,
    .get_ThreadCallout = property<Member::ThreadCalloutGet>,
    .put_ThreadCallout = inputs<Member::ThreadCalloutPut>,
    .get_TransferToDrawingFlags = property<Member::TransferToDrawingFlagsGet>,
    .put_TransferToDrawingFlags = inputs<Member::TransferToDrawingFlagsPut>,
    .Create = inputs<Member::Create>,
    .createInPart = inputs<Member::CreateInPart>,
    .GetPartData = inputs<Member::GetPartData>,
    .SetPartData = inputs<Member::SetPartData>,
    .DblClick = inputs<Member::DblClick>,
    .IC2DProjectedThreads_GetHoleInformation = getHoleInformation,
    .IC2DProjectedThreads_GetProjectedThreadInformation = answered<Member::GetProjectedThreadInformation>,
    .IC2DProjectedThreads_GetIsHole = answered<Member::GetIsHole>,
    .IC2DProjectedThreads_GetDiameters = answered<Member::GetDiameters>,
    .IC2DProjectedThreads_GetPositionInformation = answered<Member::GetPositionInformation>,
    .IC2DProjectedThreads_GetTaperFromMajorDiameter = answered<Member::GetTaperFromMajorDiameter>,
    .IC2DProjectedThreads_GetTaperProjection = answered<Member::GetTaperProjection>,
    .IC2DProjectedThreads_GetThreadDirection = answered<Member::GetThreadDirection>,
    .get_IC2DProjectedThreads_HoleInformationFlags = property<Member::HoleInformationFlags>,
    .IC2DProjectedThreads_Initialize = answered<Member::Initialize>,
    .get_IC2DProjectedThreads_ProjectionFlags = property<Member::ProjectionFlags>,
    .get_IC2DProjectedThreads_Callout = property<Member::Callout>,
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

const IC2DProjectedThreadsVtbl threads_vtbl = {
    .QueryInterface = threads_QueryInterface,
    .AddRef = threads_AddRef,
    .Release = threads_Release,
    .GetTypeInfoCount = threads_GetTypeInfoCount,
    .GetTypeInfo = threads_GetTypeInfo,
    .GetIDsOfNames = threads_GetIDsOfNames,
    .Invoke = threads_Invoke,
    .get_Callout = property<Member::Callout>,
    .GetHoleInformation = getHoleInformation,
    .get_HoleInformationFlags = property<Member::HoleInformationFlags>,
    .get_ProjectionFlags = property<Member::ProjectionFlags>,
    .Initialize = answered<Member::Initialize>,
    .GetDiameters = answered<Member::GetDiameters>,
    .GetTaperFromMajorDiameter = answered<Member::GetTaperFromMajorDiameter>,
    .GetPositionInformation = answered<Member::GetPositionInformation>,
    .GetThreadDirection = answered<Member::GetThreadDirection>,
    .GetIsHole = answered<Member::GetIsHole>,
    .GetTaperProjection = answered<Member::GetTaperProjection>,
    .GetProjectedThreadInformation = answered<Member::GetProjectedThreadInformation>,
};

}  // namespace

HRESULT createPShape(REFIID iid, void** out) { return createServerObject<PShapeObject>(iid, out); }

}  // namespace zelva::server
