#include "standin/comhost/ComComponent.h"

#include <fstream>
#include <stdexcept>

#include "IronCADAO.h"
#include "standin/comhost/HostFailures.h"
#include "standin/comhost/ForeignObject.h"
#include "standin/comhost/HostDispatch.h"
#include "standin/comhost/HostVariants.h"
#include "windows/comvalues/Bstr.h"
#include "standin/hostlib/SettingsLocation.h"
#include "core/shape/ClassIds.h"
#include "windows/win32text/WideText.h"

namespace zelva::pinhost {

std::unique_ptr<LoadedComponent> loadComponent(const std::filesystem::path& installDir) {
    return std::make_unique<comhost::ComComponent>(installDir);
}

}  // namespace zelva::pinhost

namespace zelva::comhost {

namespace {

// A class of the component, created as the host creates it: through the registry.
template <class Interface>
void create(const CLSID& classId, REFIID iid, comvalues::ComPtr<Interface>& out) {
    checkCall(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, iid, out.putVoid()));
}

CLSID classOfProgId(const char* progId) {
    CLSID classId;
    checkCall(CLSIDFromProgID(win32text::widen(progId).c_str(), &classId));
    return classId;
}

Ref<Object> componentObject(const CLSID& classId) {
    comvalues::ComPtr<IDispatch> object;
    create(classId, IID_IDispatch, object);
    return makeRef<ForeignObject>(object.get(), kHostValues);
}

// The object of a class record's class id; null when no such class is registered.
Ref<Object> objectOfClass(const std::string& classId) {
    CLSID id;
    if (FAILED(CLSIDFromString(win32text::widen(classId).c_str(), &id))) return nullptr;
    comvalues::ComPtr<IDispatch> object;
    const HRESULT hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid());
    if (hr == REGDB_E_CLASSNOTREG) return nullptr;
    checkCall(hr);
    return makeRef<ForeignObject>(object.get(), kHostValues);
}

std::filesystem::path settingsFileFor(DWORD process) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return std::filesystem::path(folder) / ("pinhost-settings-" + std::to_string(process) + ".ini");
}

}  // namespace

SingleThreadedApartment::SingleThreadedApartment() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) throw std::runtime_error("COM does not start: " + std::to_string(hr));
}

SingleThreadedApartment::~SingleThreadedApartment() { CoUninitialize(); }

ComComponent::ComComponent(const std::filesystem::path& installDir)
    : settingsFile_(settingsFileFor(GetCurrentProcessId())), user_(GetCurrentThreadId()) {
    pinhost::loadHostSettings(host_, std::filesystem::absolute(installDir));
    host_.createClassesWith(objectOfClass);
    writeRegistry();
    writeSettings();
    const std::wstring file = settingsFile_.wstring();
    registry_.set(host::registry::LocalMachine, win32text::narrow(hostlib::kSettingsKey),
                  win32text::narrow(hostlib::kSettingsFileValue), win32text::narrow(file));
}

ComComponent::~ComComponent() {
    pinClass_.reset();
    registry_.restore();
    std::error_code ignored;
    std::filesystem::remove(settingsFile_, ignored);
    // The component's module goes once nothing of it is held any more.
    CoFreeUnusedLibraries();
}

void ComComponent::writeRegistry() {
    for (const auto& e : host_.registry().entries()) registry_.set(e.rootSelector, e.key, e.name, e.value);
}

void ComComponent::writeSettings() {
    std::ofstream out(settingsFile_, std::ios::binary | std::ios::trunc);
    out << host_.settings().iniText();
    if (!out) throw std::runtime_error("cannot write the host settings file " + settingsFile_.string());
}

void ComComponent::setRegistryValue(const std::string& key, const std::string& name, const std::string& value) {
    host_.registry().set(key, name, value);
    writeRegistry();
}

void ComComponent::setHostSetting(const std::string& section, const std::string& key, const std::string& value) {
    host_.settings().set(section, key, value);
    writeSettings();
}

void ComComponent::setScreen(int32_t width, int32_t height) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (work.left != 0 || work.top != 0 || work.right != width || work.bottom != height)
        throw std::runtime_error("the scenario wants a screen of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels; pinhost.exe runs on one of " +
                                 std::to_string(work.right - work.left) + " x " + std::to_string(work.bottom - work.top));
}

template <class Call>
void ComComponent::withUser(const ui::UserScript& answers, pinhost::UserEvents& seen, Call call) {
    user_.begin(answers);
    try {
        call();
    } catch (...) {
        user_.finish(seen);  // what the user saw comes before the failure
        throw;
    }
    user_.finish(seen);
}

void ComComponent::drop(const Ref<Object>& hook, const ui::UserScript& answers, pinhost::UserEvents& seen) {
    withUser(answers, seen, [&] {
        Variant hookArg = Variant::object(hook);
        componentObject(classOfProgId(shape::kDropHookProgId))->call("OnDragDrop", {ref(hookArg)});
    });
}

void ComComponent::doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, const ui::UserScript& answers,
                               pinhost::UserEvents& seen) {
    withUser(answers, seen, [&] { host_.doubleClick(pin); });
}

pinhost::PinProjection ComComponent::project(const Ref<Object>& shape) {
    // The pin's class is looked up once, as a host drawing a view of many pins
    // does; each pin still gets an object of its own.
    if (!pinClass_) {
        checkCall(CoGetClassObject(classOfProgId(shape::kPShapeProgId), CLSCTX_INPROC_SERVER, nullptr,
                                   IID_IClassFactory, pinClass_.putVoid()));
    }
    comvalues::ComPtr<IUnknown> pinShape;
    checkCall(pinClass_->CreateInstance(nullptr, IID_IUnknown, pinShape.putVoid()));
    comvalues::ComPtr<IC2DProjectedThreads> view;
    checkCall(pinShape.queryTo(IID_IC2DProjectedThreads, view.put()));

    comvalues::ComPtr<IDispatch> target;
    *target.put() = HostDispatch::wrap(shape, kHostValues);  // takes over the wrapper's first reference
    double inner = 0, outer = 0, taperAngle = 0, length = 0, offset = 0, x = 0, y = 0, z = 0;
    VARIANT_BOOL isHole = VARIANT_FALSE, taper = VARIANT_FALSE, answer = VARIANT_FALSE;
    checkCall(view->GetProjectedThreadInformation(target.addressof(), &inner, &outer, &taperAngle, &length, &offset, &x,
                                                    &y, &z, &isHole, &taper, &answer));
    pinhost::PinProjection out;
    out.result = answer != VARIANT_FALSE;
    out.inner = inner;
    out.outer = outer;
    out.taperAngle = taperAngle;
    out.length = length;
    out.offset = offset;
    out.direction = {x, y, z};
    out.isHole = isHole != VARIANT_FALSE;
    out.taper = taper != VARIANT_FALSE;
    LONG flags = 0;
    checkCall(view->get_ProjectionFlags(&flags));
    out.flags = flags;
    comvalues::Bstr callout;
    checkCall(view->get_Callout(callout.put()));
    out.callout = callout.utf8();
    return out;
}

}  // namespace zelva::comhost
