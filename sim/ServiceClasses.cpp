#include "sim/ServiceClasses.h"

#include <filesystem>

#include "automation/Error.h"
#include "env/PathMapping.h"
#include "sim/DocumentObjects.h"
#include "sim/FrameMath.h"

namespace zelva::sim {

namespace {

constexpr int32_t kFound = 0;
constexpr int32_t kAbsent = 2;
constexpr int32_t kInvalidClassString = static_cast<int32_t>(0x800401F3u);

double metresPer(int32_t code) {
    const auto factor = metresPerUnit(code);
    if (!factor) throw Error::runtime(err::InvalidCall, "Unknown unit code " + std::to_string(code));
    return *factor;
}

}  // namespace

void SimClassRegistry::classIdOf(std::string& progId, int32_t& flags, std::string& classId) {
    journalled("classIdOf", CallKind::Method, {describe(progId, true), describe(flags, true), describe(classId, true)},
               [&] {
                   const auto it = host().classIds.find(progId);
                   if (it == host().classIds.end())
                       throw Error::fromHresult(kInvalidClassString, "Invalid class string");
                   classId = it->second;
               });
}

void SimUnitConverter::convert(Ref<Object>& page, double& value, int32_t& fromCode, int32_t& toCode, double& result) {
    journalled("convert", CallKind::Method,
               {describe(page, true), describe(value, true), describe(fromCode, true), describe(toCode, true),
                describe(result, true)},
               [&] {
                   if (!page) throw Error::runtime(err::ObjectNotSet);
                   if (!dynamic_cast<PageObject*>(page.get())) throw Error::runtime(err::TypeMismatch);
                   result = value * metresPer(fromCode) / metresPer(toCode);
               });
}

void SimRegistry::readString(int32_t& root, std::string& key, std::string& name, std::string& value, int32_t& status) {
    journalled("readString", CallKind::Method,
               [&] {
                   return std::vector{describe(root, true), describe(key, true), describe(name, true),
                                      describe(value, true), describe(status, true)};
               },
               [&] {
                   const auto found = host().registry.read(root, key, name);
                   if (found) value = *found;
                   status = found ? kFound : kAbsent;
               });
}

void SimRegistry::fileExists(std::string& path, int16_t& answer) {
    journalled("fileExists", CallKind::Method, {describe(path, true), describe(answer, true)}, [&] {
        std::error_code ec;
        const bool exists = std::filesystem::is_regular_file(env::mapWindowsPath(path), ec);
        answer = exists ? kTrue : kFalse;
    });
}

const std::string& SimSettingsStore::openSectionName() const {
    if (!section_) throw Error::runtime(err::InvalidCall, "No settings section is open");
    return *section_;
}

void SimSettingsStore::openSection(std::string& name, int16_t& answer) {
    journalled("openSection", CallKind::Method, {describe(name, true), describe(answer, true)}, [&] {
        const bool exists = host().settings.hasSection(name);
        section_ = exists ? std::optional(name) : std::nullopt;
        answer = exists ? kTrue : kFalse;
    });
}

void SimSettingsStore::closeSection() {
    journalled("closeSection", CallKind::Method, {}, [&] {
        openSectionName();
        section_.reset();
    });
}

void SimSettingsStore::readString(std::string& key, std::string& value, int16_t& answer) {
    journalled("readString", CallKind::Method, {describe(key, true), describe(value, true), describe(answer, true)},
               [&] {
                   const auto found = host().settings.read(openSectionName(), key);
                   if (found) value = *found;
                   answer = found ? kTrue : kFalse;
               });
}

}  // namespace zelva::sim
