#include "windows/comvalues/ComFailures.h"

#include "windows/comvalues/Bstr.h"
#include "windows/comvalues/ComPtr.h"

namespace zelva::comvalues {

std::string systemText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring_view text = length ? std::wstring_view(buffer, length) : std::wstring_view(L"Automation error");
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.remove_suffix(1);
    std::string utf8 = win32text::narrow(text);
    LocalFree(buffer);
    return utf8;
}

Error invokeError(HRESULT hr, EXCEPINFO& exception, const ValuePolicy& policy) {
    if (hr != DISP_E_EXCEPTION) return policy.failure(hr, {});
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const std::string description = Bstr::utf8Of(exception.bstrDescription);
    const HRESULT reported = exception.wCode ? hresultOfRuntimeError(exception.wCode) : exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    exception = {};
    return policy.failure(FAILED(reported) ? reported : hr, description);
}

std::string takeErrorInfoText() {
    ComPtr<IErrorInfo> info;
    Bstr text;
    if (GetErrorInfo(0, info.put()) != S_OK || FAILED(info->GetDescription(text.put()))) return {};
    return text.utf8();
}

}  // namespace zelva::comvalues
