#include "ComHostLibrary.h"

#include "IronCADAO.h"
#include "automation/Error.h"
#include "comvalues/Bstr.h"
#include "ComErrors.h"
#include "comvalues/ComPtr.h"
#include "DispatchObject.h"

namespace zelva::server {

namespace {

// A host object behind one of the core's host-library ports.
template <class Interface>
class HostObject {
protected:
    HostObject(com::ComPtr<Interface> object, REFIID iid) : object_(std::move(object)), iid_(iid) {}

    Interface* get() const { return object_.get(); }
    void check(HRESULT hr) const { checkCall(hr, reinterpret_cast<IUnknown*>(object_.get()), iid_); }
    double read(HRESULT (*getter)(Interface*, double*)) const {
        double v = 0;
        check(getter(get(), &v));
        return v;
    }

    com::ComPtr<Interface> object_;

private:
    REFIID iid_;
};

// A core variable passed to a host method by reference: its value crosses in
// the host's type, and comes back by writeBack().
class TextRef {
public:
    explicit TextRef(std::string& text) : text_(text), bstr_(text) {}
    BSTR* ptr() { return bstr_.ref(); }
    void writeBack() { text_ = bstr_.utf8(); }

private:
    std::string& text_;
    com::Bstr bstr_;
};

class LongRef {
public:
    explicit LongRef(int32_t& value) : value_(value), long_(value) {}
    LONG* ptr() { return &long_; }
    void writeBack() { value_ = long_; }

private:
    int32_t& value_;
    LONG long_;
};

class ObjectRef {
public:
    explicit ObjectRef(Ref<Object>& object) : object_(object), dispatch_(dispatchOf(object)) {}
    IDispatch** ptr() { return dispatch_.addressof(); }
    void writeBack() {
        if (dispatch_.get() != dispatchOf(object_).get()) object_ = objectOf(dispatch_.get());
    }

private:
    Ref<Object>& object_;
    com::ComPtr<IDispatch> dispatch_;
};

template <class... Refs>
void writeBack(Refs&... refs) {
    (refs.writeBack(), ...);
}

class Vector final : public host::HostVector, HostObject<IHostVector> {
public:
    explicit Vector(com::ComPtr<IHostVector> v) : HostObject(std::move(v), IID_IHostVector) {}

    void setXYZ(double& x, double& y, double& z) override { check(IHostVector_SetXYZ(get(), &x, &y, &z)); }
    double x() override { return read(IHostVector_get_X); }
    double y() override { return read(IHostVector_get_Y); }
    double z() override { return read(IHostVector_get_Z); }
    void normalize() override { check(IHostVector_Normalize(get())); }

    // The vector as an [in, out] argument of another host method.
    IHostVector** inOut() { return object_.addressof(); }
};

class Placement final : public host::HostPlacement, HostObject<IHostPlacement> {
public:
    explicit Placement(com::ComPtr<IHostPlacement> p) : HostObject(std::move(p), IID_IHostPlacement) {}

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
    explicit Transform(com::ComPtr<IHostTransform> t) : HostObject(std::move(t), IID_IHostTransform) {}

    void setFrames(Ref<host::HostVector>& fromPoint, Ref<host::HostVector>& fromAxis, Ref<host::HostVector>& toPoint,
                   Ref<host::HostVector>& toAxis) override {
        com::ComPtr<IHostVector> nothing[4];
        check(IHostTransform_SetFrames(get(), slotOf(fromPoint, nothing[0]), slotOf(fromAxis, nothing[1]),
                                       slotOf(toPoint, nothing[2]), slotOf(toAxis, nothing[3])));
    }
    void rotation(double& r1, double& r2, double& r3, double& r4) override {
        check(IHostTransform_GetRotation(get(), &r1, &r2, &r3, &r4));
    }

private:
    // The host's vector behind a core reference; Nothing passes `nothing`.
    static IHostVector** slotOf(Ref<host::HostVector>& vector, com::ComPtr<IHostVector>& nothing) {
        if (!vector) return nothing.addressof();
        auto* own = dynamic_cast<Vector*>(vector.get());
        if (!own) throw Error::runtime(err::TypeMismatch);
        return own->inOut();
    }
};

class ClassRegistry final : public host::HostClassRegistry, HostObject<IHostClassRegistry> {
public:
    explicit ClassRegistry(com::ComPtr<IHostClassRegistry> r) : HostObject(std::move(r), IID_IHostClassRegistry) {}

    void classIdOf(std::string& progId, int32_t& flags, std::string& classId) override {
        TextRef name(progId);
        LongRef reserved(flags);
        com::Bstr id;
        const HRESULT hr = IHostClassRegistry_ClassIdOf(get(), name.ptr(), reserved.ptr(), id.put());
        writeBack(name, reserved);
        check(hr);
        classId = id.utf8();
    }
};

class Converter final : public host::UnitConverter, HostObject<IUnitConverter> {
public:
    explicit Converter(com::ComPtr<IUnitConverter> c) : HostObject(std::move(c), IID_IUnitConverter) {}

    void convert(Ref<Object>& page, double& value, int32_t& fromCode, int32_t& toCode, double& result) override {
        ObjectRef onPage(page);
        LongRef from(fromCode), to(toCode);
        const HRESULT hr = IUnitConverter_Convert(get(), onPage.ptr(), &value, from.ptr(), to.ptr(), &result);
        writeBack(onPage, from, to);
        check(hr);
    }
};

class Registry final : public host::HostRegistry, HostObject<IHostRegistry> {
public:
    explicit Registry(com::ComPtr<IHostRegistry> r) : HostObject(std::move(r), IID_IHostRegistry) {}

    void readString(int32_t& root, std::string& key, std::string& name, std::string& value,
                    int32_t& status) override {
        LongRef inRoot(root), outStatus(status);
        TextRef inKey(key), valueName(name), outValue(value);
        const HRESULT hr = IHostRegistry_ReadString(get(), inRoot.ptr(), inKey.ptr(), valueName.ptr(), outValue.ptr(),
                                                    outStatus.ptr());
        writeBack(inRoot, inKey, valueName, outValue, outStatus);
        check(hr);
    }
    void fileExists(std::string& path, int16_t& answer) override {
        TextRef file(path);
        VARIANT_BOOL exists = VARIANT_FALSE;
        const HRESULT hr = IHostRegistry_FileExists(get(), file.ptr(), &exists);
        writeBack(file);
        check(hr);
        answer = exists ? kTrue : kFalse;
    }
};

class SettingsStore final : public host::HostSettingsStore, HostObject<IHostSettingsStore> {
public:
    explicit SettingsStore(com::ComPtr<IHostSettingsStore> s) : HostObject(std::move(s), IID_IHostSettingsStore) {}

    void openSection(std::string& name, int16_t& answer) override {
        TextRef section(name);
        VARIANT_BOOL opened = VARIANT_FALSE;
        const HRESULT hr = IHostSettingsStore_OpenSection(get(), section.ptr(), &opened);
        writeBack(section);
        check(hr);
        answer = opened ? kTrue : kFalse;
    }
    void closeSection() override { check(IHostSettingsStore_CloseSection(get())); }
    void readString(std::string& key, std::string& value, int16_t& answer) override {
        TextRef name(key), text(value);
        VARIANT_BOOL found = VARIANT_FALSE;
        const HRESULT hr = IHostSettingsStore_ReadString(get(), name.ptr(), text.ptr(), &found);
        writeBack(name, text);
        check(hr);
        answer = found ? kTrue : kFalse;
    }
};

template <class Adapter, class Interface>
Ref<Adapter> create(ClassObjects& classes, REFCLSID clsid, REFIID iid) {
    com::ComPtr<Interface> object;
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
