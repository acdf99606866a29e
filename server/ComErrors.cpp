#include "ComErrors.h"

#include <string>

#include "Bstr.h"
#include "ComPtr.h"

namespace zelva::server {

namespace {

std::wstring systemText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Automation error";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

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
        ComPtr<ICreateErrorInfo> create;
        ComPtr<IErrorInfo> info;
        if (FAILED(CreateErrorInfo(create.put())) || FAILED(create.queryTo(IID_IErrorInfo, info.put())))
            return error.hresult();
        const std::wstring description = win32::widen(error.description());
        ICreateErrorInfo_SetGUID(create.get(), iid);
        ICreateErrorInfo_SetSource(create.get(), const_cast<LPOLESTR>(L"Zelvacorin"));
        ICreateErrorInfo_SetDescription(create.get(), const_cast<LPOLESTR>(description.c_str()));
        SetErrorInfo(0, info.get());
    } catch (...) {
        // Without memory for its text the error still travels as its HRESULT.
    }
    return error.hresult();
}

Error errorOf(HRESULT hr, const std::wstring& description) {
    std::string text = win32::narrow(description);
    if (const int number = runtimeNumberOf(hr))
        return Error::runtime(number, text.empty() ? standardDescription(number) : text);
    if (text.empty())
        text = HRESULT_FACILITY(hr) == FACILITY_CONTROL ? standardDescription(HRESULT_CODE(hr))
                                                         : win32::narrow(systemText(hr));
    return Error::fromHresult(hr, text);
}

Error callError(HRESULT hr, IUnknown* object, REFIID iid) {
    std::wstring description;
    ComPtr<ISupportErrorInfo> support;
    ComPtr<IErrorInfo> info;
    if (object && SUCCEEDED(IUnknown_QueryInterface(object, IID_ISupportErrorInfo, support.putVoid())) &&
        ISupportErrorInfo_InterfaceSupportsErrorInfo(support.get(), iid) == S_OK &&
        GetErrorInfo(0, info.put()) == S_OK) {
        Bstr text;
        if (SUCCEEDED(IErrorInfo_GetDescription(info.get(), text.put())) && text.get())
            description.assign(text.get(), SysStringLen(text.get()));
    }
    return errorOf(hr, description);
}

Error invokeError(HRESULT hr, EXCEPINFO& exception) {
    if (hr != DISP_E_EXCEPTION) return errorOf(hr, L"");
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const std::wstring description(exception.bstrDescription ? exception.bstrDescription : L"",
                                   SysStringLen(exception.bstrDescription));
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (exception.wCode) return errorOf(hresultOfRuntimeError(exception.wCode), description);
    return errorOf(exception.scode ? exception.scode : hr, description);
}

}  // namespace zelva::server
