#include "comhost/ComFailures.h"

#include <cctype>

#include "win32text/WideText.h"

namespace zelva::pinhost {

namespace {

constexpr wchar_t kSource[] = L"pinhost";

std::string textOf(BSTR text) { return text ? win32::narrow({text, SysStringLen(text)}) : std::string(); }

// An error without a description of its own reads as the system describes its HRESULT.
Error errorWithText(HRESULT hr, std::string description) {
    if (description.empty()) {
        wchar_t* buffer = nullptr;
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                                FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer),
                                            0, nullptr);
        description = length ? win32::narrow({buffer, length}) : "Automation error";
        LocalFree(buffer);
        while (!description.empty() && std::isspace(static_cast<unsigned char>(description.back())))
            description.pop_back();
    }
    return Error::fromHresult(hr, description);
}

}  // namespace

Error invokeError(HRESULT hr, EXCEPINFO& exception) {
    if (hr != DISP_E_EXCEPTION) return errorWithText(hr, {});
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const std::string description = textOf(exception.bstrDescription);
    const HRESULT reported = exception.wCode ? hresultOfRuntimeError(exception.wCode) : exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    exception = {};
    return errorWithText(FAILED(reported) ? reported : hr, description);
}

Error callError(HRESULT hr) {
    IErrorInfo* info = nullptr;
    std::string description;
    if (GetErrorInfo(0, &info) == S_OK) {
        BSTR text = nullptr;
        if (SUCCEEDED(info->GetDescription(&text))) description = textOf(text);
        SysFreeString(text);
        info->Release();
    }
    return errorWithText(hr, description);
}

HRESULT raiseException(const Error& error, EXCEPINFO* exception) {
    if (exception) {
        *exception = {};
        exception->bstrSource = SysAllocString(kSource);
        exception->bstrDescription = SysAllocString(win32::widen(error.description()).c_str());
        exception->scode = error.hresult();
    }
    return DISP_E_EXCEPTION;
}

}  // namespace zelva::pinhost
