#include "core/automation/Object.h"

#include "core/automation/Error.h"

namespace zelva::automation {

void Arg::set(Variant v) const {
    if (!ref) throw Error::runtime(err::InvalidCall, "Argument not passed by reference");
    *ref = std::move(v);
    written = true;
}

Variant Object::get(std::string_view name, std::initializer_list<Arg> args) {
    return invoke(name, CallKind::Get, {args.begin(), args.size()});
}

void Object::put(std::string_view name, std::initializer_list<Arg> args) {
    invoke(name, CallKind::Put, {args.begin(), args.size()});
}

Variant Object::call(std::string_view name, std::initializer_list<Arg> args) {
    return invoke(name, CallKind::Method, {args.begin(), args.size()});
}

Ref<Object> Object::getObject(std::string_view name, std::initializer_list<Arg> args) {
    return toObject(get(name, args));
}

Ref<Object> Object::callObject(std::string_view name, std::initializer_list<Arg> args) {
    return toObject(call(name, args));
}

void addReference(Object* o) { o->addRef(); }
void dropReference(Object* o) { o->release(); }

void expectArgCount(std::span<const Arg> args, size_t n) {
    if (args.size() != n) throw Error::runtime(err::WrongArgumentCount);
}

const Variant& argAt(std::span<const Arg> args, size_t i) {
    if (i >= args.size()) throw Error::runtime(err::WrongArgumentCount);
    return args[i].get();
}

}  // namespace zelva::automation
