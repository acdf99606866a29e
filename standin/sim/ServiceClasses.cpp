#include "standin/sim/ServiceClasses.h"

#include <filesystem>

#include "core/automation/Error.h"
#include "core/files/PathMapping.h"
#include "standin/sim/DocumentObjects.h"
#include "standin/sim/FrameMath.h"

namespace zelva::sim {

namespace {

constexpr int32_t kInvalidClassString = static_cast<int32_t>(0x800401F3u);

double metresPer(int32_t code) {
    const auto factor = metresPerUnit(code);
    if (!factor) throw Error::runtime(err::InvalidCall, "Unknown unit code " + std::to_string(code));
    return *factor;
}

}  // namespace

// The host answers in slots its caller passes by reference; they are
// journalled as the component's own variables start, empty or zero.
std::string SimClassRegistry::classIdOf(std::string_view progId, int32_t flags) {
    std::string classId;
    journalled("classIdOf", CallKind::Method,
               {describe(std::string(progId), true), describe(flags, true), describe(classId, true)}, [&] {
                   const auto it = host().classIds.find(progId);
                   if (it == host().classIds.end())
                       throw Error::fromHresult(kInvalidClassString, "Invalid class string");
                   classId = it->second;
               });
    return classId;
}

double SimUnitConverter::convert(const Ref<Object>& page, double value, int32_t fromCode, int32_t toCode) {
    double result = 0;
    journalled("convert", CallKind::Method,
               [&] {
                   return std::vector{describe(page, true), describe(value, true), describe(fromCode, true),
                                      describe(toCode, true), describe(result, true)};
               },
               [&] {
                   if (!page) throw Error::runtime(err::ObjectNotSet);
                   if (!dynamic_cast<PageObject*>(page.get())) throw Error::runtime(err::TypeMismatch);
                   result = value * metresPer(fromCode) / metresPer(toCode);
               });
    return result;
}

std::string SimRegistry::readString(int32_t root, std::string_view key, std::string_view name) {
    std::string value;
    journalled("readString", CallKind::Method,
               [&] {
                   return std::vector{describe(root, true), describe(std::string(key), true),
                                      describe(std::string(name), true), describe(value, true),
                                      describe(int32_t{0}, true)};
               },
               [&] {
                   if (const std::string* found = host().registry.read(root, key, name)) value = *found;
               });
    return value;
}

bool SimRegistry::fileExists(std::string_view path) {
    bool exists = false;
    journalled("fileExists", CallKind::Method, {describe(std::string(path), true), describe(kFalse, true)}, [&] {
        std::error_code ec;
        exists = std::filesystem::is_regular_file(files::mapWindowsPath(path), ec);
    });
    return exists;
}

const std::string& SimSettingsStore::openSectionName() const {
    if (!section_) throw Error::runtime(err::InvalidCall, "No settings section is open");
    return *section_;
}

bool SimSettingsStore::openSection(std::string_view name) {
    journalled("openSection", CallKind::Method, {describe(std::string(name), true), describe(kFalse, true)}, [&] {
        const bool exists = host().settings.hasSection(std::string(name));
        section_ = exists ? std::optional<std::string>(name) : std::nullopt;
    });
    return section_.has_value();
}

void SimSettingsStore::closeSection() {
    journalled("closeSection", CallKind::Method, {}, [&] {
        openSectionName();
        section_.reset();
    });
}

std::optional<std::string> SimSettingsStore::readString(std::string_view key) {
    std::optional<std::string> value;
    journalled("readString", CallKind::Method,
               {describe(std::string(key), true), describe(std::string(), true), describe(kFalse, true)},
               [&] { value = host().settings.read(openSectionName(), std::string(key)); });
    return value;
}

}  // namespace zelva::sim
