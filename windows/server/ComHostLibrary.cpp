#include "ComHostLibrary.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "IronCADAO.h"
#include "core/automation/Error.h"
#include "windows/comvalues/Bstr.h"
#include "ComErrors.h"
#include "windows/comvalues/ComPtr.h"
#include "windows/comvalues/RecycledBlocks.h"
#include "DispatchObject.h"

namespace zelva::server {

namespace {

// A host object behind one of the core's host-library ports.
template <class Interface>
class HostObject {
protected:
    HostObject(comvalues::ComPtr<Interface> object, REFIID iid) : object_(std::move(object)), iid_(iid) {}

    Interface* get() const { return object_.get(); }
    void check(HRESULT hr) const { checkCall(hr, reinterpret_cast<IUnknown*>(object_.get()), iid_); }
    double read(HRESULT (*getter)(Interface*, double*)) const {
        double v = 0;
        check(getter(get(), &v));
        return v;
    }

    comvalues::ComPtr<Interface> object_;

private:
    REFIID iid_;
};

// The host takes every argument by reference and may write into any of them:
// each call below passes slots of its own, copies of the inputs, and answer
// slots that start as the component's variables always did (an empty text,
// zero, false). What the host writes into an input slot goes no further.

class Vector final : public host::HostVector, HostObject<IHostVector> {
public:
    explicit Vector(comvalues::ComPtr<IHostVector> v) : HostObject(std::move(v), IID_IHostVector) {}

    void setXYZ(double x, double y, double z) override { check(IHostVector_SetXYZ(get(), &x, &y, &z)); }
    double x() override { return read(IHostVector_get_X); }
    double y() override { return read(IHostVector_get_Y); }
    double z() override { return read(IHostVector_get_Z); }
    void normalize() override { check(IHostVector_Normalize(get())); }

    // The vector as an [in, out] argument of another host method.
    IHostVector** inOut() { return object_.addressof(); }
};

class Placement final : public host::HostPlacement, HostObject<IHostPlacement> {
public:
    explicit Placement(comvalues::ComPtr<IHostPlacement> p) : HostObject(std::move(p), IID_IHostPlacement) {}

    double x() override { return read(IHostPlacement_get_X); }
    void setX(double v) override { check(IHostPlacement_put_X(get(), v)); }
    double y() override { return read(IHostPlacement_get_Y); }
    void setY(double v) override { check(IHostPlacement_put_Y(get(), v)); }
    double z() override { return read(IHostPlacement_get_Z); }
    void setZ(double v) override { check(IHostPlacement_put_Z(get(), v)); }

    double rotation(int i) override {
        static constexpr HRESULT (*getters[])(IHostPlacement*, double*) = {
            IHostPlacement_get_Rotation1, IHostPlacement_get_Rotation2, IHostPlacement_get_Rotation3,
            IHostPlacement_get_Rotation4};
        return read(getters[index(i)]);
    }
    void setRotation(int i, double v) override {
        static constexpr HRESULT (*setters[])(IHostPlacement*, double) = {
            IHostPlacement_put_Rotation1, IHostPlacement_put_Rotation2, IHostPlacement_put_Rotation3,
            IHostPlacement_put_Rotation4};
        check(setters[index(i)](get(), v));
    }

private:
    static size_t index(int rotationValue) {
        if (rotationValue < 1 || rotationValue > 4) throw Error::runtime(err::InvalidCall);
        return static_cast<size_t>(rotationValue - 1);
    }
};

class Transform final : public host::HostTransform, HostObject<IHostTransform> {
public:
    explicit Transform(comvalues::ComPtr<IHostTransform> t) : HostObject(std::move(t), IID_IHostTransform) {}

    void setFrames(const Ref<host::HostVector>& fromPoint, const Ref<host::HostVector>& fromAxis,
                   const Ref<host::HostVector>& toPoint, const Ref<host::HostVector>& toAxis) override {
        comvalues::ComPtr<IHostVector> nothing[4];
        check(IHostTransform_SetFrames(get(), slotOf(fromPoint, nothing[0]), slotOf(fromAxis, nothing[1]),
                                       slotOf(toPoint, nothing[2]), slotOf(toAxis, nothing[3])));
    }
    std::array<double, 4> rotation() override {
        std::array<double, 4> r{};
        check(IHostTransform_GetRotation(get(), &r[0], &r[1], &r[2], &r[3]));
        return r;
    }

private:
    // The host's vector behind a core reference; Nothing passes `nothing`.
    static IHostVector** slotOf(const Ref<host::HostVector>& vector, comvalues::ComPtr<IHostVector>& nothing) {
        if (!vector) return nothing.addressof();
        auto* own = dynamic_cast<Vector*>(vector.get());
        if (!own) throw Error::runtime(err::TypeMismatch);
        return own->inOut();
    }
};

class ClassRegistry final : public host::HostClassRegistry, HostObject<IHostClassRegistry> {
public:
    explicit ClassRegistry(comvalues::ComPtr<IHostClassRegistry> r) : HostObject(std::move(r), IID_IHostClassRegistry) {}

    std::string classIdOf(std::string_view progId, int32_t flags) override {
        comvalues::Bstr name(progId);
        LONG reserved = flags;
        comvalues::Bstr id;
        check(IHostClassRegistry_ClassIdOf(get(), name.ref(), &reserved, id.put()));
        return id.utf8();
    }
};

class Converter final : public host::UnitConverter, HostObject<IUnitConverter>, public comvalues::Recycled<Converter> {
public:
    explicit Converter(comvalues::ComPtr<IUnitConverter> c) : HostObject(std::move(c), IID_IUnitConverter) {}

    double convert(const Ref<Object>& page, double value, int32_t fromCode, int32_t toCode) override {
        comvalues::ComPtr<IDispatch> onPage = dispatchOf(page);
        LONG from = fromCode, to = toCode;
        double result = 0;
        check(IUnitConverter_Convert(get(), onPage.addressof(), &value, &from, &to, &result));
        return result;
    }
};

class Registry final : public host::HostRegistry, HostObject<IHostRegistry> {
public:
    explicit Registry(comvalues::ComPtr<IHostRegistry> r) : HostObject(std::move(r), IID_IHostRegistry) {}

    std::string readString(int32_t root, std::string_view key, std::string_view name) override {
        LONG inRoot = root, status = 0;
        comvalues::Bstr inKey(key), valueName(name), value("");
        check(IHostRegistry_ReadString(get(), &inRoot, inKey.ref(), valueName.ref(), value.ref(), &status));
        return value.utf8();
    }
    bool fileExists(std::string_view path) override {
        comvalues::Bstr file(path);
        VARIANT_BOOL exists = VARIANT_FALSE;
        check(IHostRegistry_FileExists(get(), file.ref(), &exists));
        return exists == VARIANT_TRUE;  // the host's -1; any other answer is no file
    }
};

class SettingsStore final : public host::HostSettingsStore, HostObject<IHostSettingsStore> {
public:
    explicit SettingsStore(comvalues::ComPtr<IHostSettingsStore> s) : HostObject(std::move(s), IID_IHostSettingsStore) {}

    bool openSection(std::string_view name) override {
        comvalues::Bstr section(name);
        VARIANT_BOOL opened = VARIANT_FALSE;
        check(IHostSettingsStore_OpenSection(get(), section.ref(), &opened));
        return opened != VARIANT_FALSE;
    }
    void closeSection() override { check(IHostSettingsStore_CloseSection(get())); }
    std::optional<std::string> readString(std::string_view key) override {
        comvalues::Bstr name(key), text("");
        VARIANT_BOOL found = VARIANT_FALSE;
        check(IHostSettingsStore_ReadString(get(), name.ref(), text.ref(), &found));
        if (found == VARIANT_FALSE) return std::nullopt;
        return text.utf8();
    }
};

template <class Adapter, class Interface>
Ref<Adapter> create(ClassObjects& classes, REFCLSID clsid, REFIID iid) {
    comvalues::ComPtr<Interface> object;
    const HRESULT hr = classes.create(clsid, iid, object.putVoid());
    if (FAILED(hr)) throw Error(hr, err::CannotCreateObject, standardDescription(err::CannotCreateObject));
    return makeRef<Adapter>(std::move(object));
}

}  // namespace

Ref<host::HostVector> ComHostLibrary::createVector() {
    return create<Vector, IHostVector>(classObjects_, CLSID_HostVector, IID_IHostVector);
}
Ref<host::HostPlacement> ComHostLibrary::createPlacement() {
    return create<Placement, IHostPlacement>(classObjects_, CLSID_HostPlacement, IID_IHostPlacement);
}
Ref<host::HostTransform> ComHostLibrary::createTransform() {
    return create<Transform, IHostTransform>(classObjects_, CLSID_HostTransform, IID_IHostTransform);
}
Ref<host::HostClassRegistry> ComHostLibrary::createClassRegistry() {
    return create<ClassRegistry, IHostClassRegistry>(classObjects_, CLSID_HostClassRegistry, IID_IHostClassRegistry);
}
Ref<host::UnitConverter> ComHostLibrary::createUnitConverter() {
    return create<Converter, IUnitConverter>(classObjects_, CLSID_UnitConverter, IID_IUnitConverter);
}
Ref<host::HostRegistry> ComHostLibrary::createRegistry() {
    return create<Registry, IHostRegistry>(classObjects_, CLSID_HostRegistry, IID_IHostRegistry);
}
Ref<host::HostSettingsStore> ComHostLibrary::createSettingsStore() {
    return create<SettingsStore, IHostSettingsStore>(classObjects_, CLSID_HostSettingsStore, IID_IHostSettingsStore);
}

}  // namespace zelva::server
