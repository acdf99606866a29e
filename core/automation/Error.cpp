#include "core/automation/Error.h"

#include <map>

namespace zelva::automation {

namespace {
constexpr uint32_t kControlFacility = 0x800A0000u;
}

Error::Error(int32_t hresult, int number, std::string description)
    : std::runtime_error(description), hresult_(hresult), number_(number),
      description_(std::move(description)) {}

Error Error::runtime(int number) { return runtime(number, standardDescription(number)); }

Error Error::runtime(int number, std::string description) {
    return Error(hresultOfRuntimeError(number), number, std::move(description));
}

Error Error::fromHresult(int32_t hresult, std::string description) {
    const auto bits = static_cast<uint32_t>(hresult);
    const int number = (bits & 0xFFFF0000u) == kControlFacility ? static_cast<int>(bits & 0xFFFFu)
                                                                 : static_cast<int>(hresult);
    return Error(hresult, number, std::move(description));
}

int32_t hresultOfRuntimeError(int number) {
    return static_cast<int32_t>(kControlFacility | (static_cast<uint32_t>(number) & 0xFFFFu));
}

std::string standardDescription(int number) {
    static const std::map<int, std::string> texts = {
        {err::InvalidCall, "Invalid procedure call or argument"},
        {err::Overflow, "Overflow"},
        {err::OutOfMemory, "Out of memory"},
        {err::SubscriptOutOfRange, "Subscript out of range"},
        {err::DivisionByZero, "Division by zero"},
        {err::TypeMismatch, "Type mismatch"},
        {err::BadFileNameOrNumber, "Bad file name or number"},
        {err::FileNotFound, "File not found"},
        {err::FileAlreadyOpen, "File already open"},
        {err::DeviceIO, "Device I/O error"},
        {err::DiskFull, "Disk full"},
        {err::InputPastEnd, "Input past end of file"},
        {err::PermissionDenied, "Permission denied"},
        {err::PathFileAccess, "Path/File access error"},
        {err::PathNotFound, "Path not found"},
        {err::ObjectNotSet, "Object variable or With block variable not set"},
        {err::InvalidPropertyValue, "Invalid property value"},
        {err::InvalidPropertyIndex, "Invalid property array index"},
        {err::PropertyReadOnly, "Property is read-only"},
        {err::ObjectRequired, "Object required"},
        {err::CannotCreateObject, "ActiveX component can't create object"},
        {err::MemberNotSupported, "Object doesn't support this property or method"},
        {err::WrongArgumentCount, "Wrong number of arguments or invalid property assignment"},
    };
    const auto it = texts.find(number);
    return it != texts.end() ? it->second : "Application-defined or object-defined error";
}

}  // namespace zelva::automation
