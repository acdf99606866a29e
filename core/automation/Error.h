#pragma once
// The failure that ends a procedure: an HRESULT, the runtime error number and a
// description, as an automation client sees them.

#include "core/automation/Namespace.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zelva::automation {

// Runtime error numbers used across the component; their texts are standardDescription's.
namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileNameOrNumber = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIO = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;
constexpr int InvalidPropertyValue = 380;
constexpr int InvalidPropertyIndex = 381;
constexpr int PropertyReadOnly = 383;
constexpr int ObjectRequired = 424;
constexpr int CannotCreateObject = 429;
constexpr int MemberNotSupported = 438;
constexpr int WrongArgumentCount = 450;
}  // namespace err

class Error : public std::runtime_error {
public:
    Error(int32_t hresult, int number, std::string description);

    // A runtime error of the given number, with its standard description.
    static Error runtime(int number);
    static Error runtime(int number, std::string description);
    // A failure reported by an automation server: a runtime-error HRESULT keeps
    // its number, any other HRESULT is its own number, as clients see it.
    static Error fromHresult(int32_t hresult, std::string description);

    int32_t hresult() const { return hresult_; }
    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int32_t hresult_;
    int number_;
    std::string description_;
};

// The runtime's standard text for an error number ("Overflow", "File not found" …).
std::string standardDescription(int number);
// The HRESULT a runtime error number travels as (facility control, 0x800A….).
int32_t hresultOfRuntimeError(int number);

}  // namespace zelva::automation
