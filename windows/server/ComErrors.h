#pragma once
// Failures across the COM boundary, both ways: a core error becomes the
// HRESULT of the member it ended, with its description as error information
// (the exception barrier every member runs in); a failed COM call becomes a
// core error carrying the callee's description.

#include <windows.h>
#include <oaidl.h>

#include <exception>
#include <new>
#include <string>
#include <type_traits>

#include "core/automation/Error.h"

namespace zelva::server {

// Leaves `error`'s description as the thread's error information, raised by
// interface `iid`, and answers the error's HRESULT.
HRESULT reportError(const Error& error, REFIID iid) noexcept;

// Runs `body` as a member of interface `iid`: its HRESULT, or S_OK, when it
// returns; the HRESULT and error information of whatever it raised otherwise.
template <class Body>
HRESULT guarded(REFIID iid, Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (const Error& e) {
        return reportError(e, iid);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The core error for a failed COM call: a dispatch failure as the runtime
// number an automation client sees (438 unknown member, 450 argument count,
// 13 type mismatch, 6 overflow), any other HRESULT as itself. An empty
// description is replaced by the standard text of the number or the system's
// text of the HRESULT.
Error errorOf(HRESULT hr, const std::string& description);

// The error of a failed call through interface `iid` of `object`, with the
// error information it left when it declares that it leaves some.
Error callError(HRESULT hr, IUnknown* object, REFIID iid);
inline void checkCall(HRESULT hr, IUnknown* object, REFIID iid) {
    if (FAILED(hr)) throw callError(hr, object, iid);
}

}  // namespace zelva::server
