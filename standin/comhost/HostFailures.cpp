#include "standin/comhost/HostFailures.h"

#include "windows/comvalues/ComFailures.h"
#include "windows/win32text/WideText.h"

namespace zelva::comhost {

namespace {

constexpr wchar_t kSource[] = L"pinhost";

}  // namespace

Error errorWithText(HRESULT hr, const std::string& description) {
    return Error::fromHresult(hr, description.empty() ? comvalues::systemText(hr) : description);
}

Error callError(HRESULT hr) { return errorWithText(hr, comvalues::takeErrorInfoText()); }

HRESULT raiseException(const Error& error, EXCEPINFO* exception) {
    if (exception) {
        *exception = {};
        exception->bstrSource = SysAllocString(kSource);
        exception->bstrDescription = SysAllocString(win32text::widen(error.description()).c_str());
        exception->scode = error.hresult();
    }
    return DISP_E_EXCEPTION;
}

}  // namespace zelva::comhost
