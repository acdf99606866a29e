#include "ComErrors.h"

#include <string>

#include "windows/comvalues/ComFailures.h"
#include "windows/comvalues/ComPtr.h"
#include "windows/win32text/WideText.h"

namespace zelva::server {

namespace {

int runtimeNumberOf(HRESULT hr) {
    switch (hr) {
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND: return err::MemberNotSupported;
        case DISP_E_BADPARAMCOUNT: return err::WrongArgumentCount;
        case DISP_E_TYPEMISMATCH: return err::TypeMismatch;
        case DISP_E_OVERFLOW: return err::Overflow;
        default: return 0;
    }
}

}  // namespace

HRESULT reportError(const Error& error, REFIID iid) noexcept {
    try {
        comvalues::ComPtr<ICreateErrorInfo> create;
        comvalues::ComPtr<IErrorInfo> info;
        if (FAILED(CreateErrorInfo(create.put())) || FAILED(create.queryTo(IID_IErrorInfo, info.put())))
            return error.hresult();
        const std::wstring description = win32text::widen(error.description());
        ICreateErrorInfo_SetGUID(create.get(), iid);
        ICreateErrorInfo_SetSource(create.get(), const_cast<LPOLESTR>(L"Zelvacorin"));
        ICreateErrorInfo_SetDescription(create.get(), const_cast<LPOLESTR>(description.c_str()));
        SetErrorInfo(0, info.get());
    } catch (...) {
        // Without memory for its text the error still travels as its HRESULT.
    }
    return error.hresult();
}

Error errorOf(HRESULT hr, const std::string& description) {
    if (const int number = runtimeNumberOf(hr))
        return Error::runtime(number, description.empty() ? standardDescription(number) : description);
    if (!description.empty()) return Error::fromHresult(hr, description);
    return Error::fromHresult(hr, HRESULT_FACILITY(hr) == FACILITY_CONTROL ? standardDescription(HRESULT_CODE(hr))
                                                                           : comvalues::systemText(hr));
}

Error callError(HRESULT hr, IUnknown* object, REFIID iid) {
    comvalues::ComPtr<ISupportErrorInfo> support;
    const bool leavesInfo = object &&
                            SUCCEEDED(IUnknown_QueryInterface(object, IID_ISupportErrorInfo, support.putVoid())) &&
                            ISupportErrorInfo_InterfaceSupportsErrorInfo(support.get(), iid) == S_OK;
    return errorOf(hr, leavesInfo ? comvalues::takeErrorInfoText() : std::string());
}

}  // namespace zelva::server
