#include "ComObject.h"

namespace zelva::hostlib {

HRESULT fail(HRESULT hr, REFIID iid, const std::wstring& description) {
    ICreateErrorInfo* create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(L"IronCADAO"));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* info;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return hr;
}

HRESULT assignText(BSTR* target, const std::wstring& text) {
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy) return E_OUTOFMEMORY;
    SysFreeString(*target);
    *target = copy;
    return S_OK;
}

HRESULT completeException(HRESULT hr, EXCEPINFO* exception) {
    if (SUCCEEDED(hr) || hr == DISP_E_EXCEPTION || !exception) return hr;
    IErrorInfo* info;
    if (GetErrorInfo(0, &info) != S_OK) return hr;
    *exception = EXCEPINFO{};
    info->GetSource(&exception->bstrSource);
    info->GetDescription(&exception->bstrDescription);
    exception->scode = hr;
    info->Release();
    return DISP_E_EXCEPTION;
}

}  // namespace zelva::hostlib
