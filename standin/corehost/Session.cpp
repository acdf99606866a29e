#include "standin/corehost/Session.h"

#include "core/forms/FormEvents.h"
#include "standin/pinhost/Component.h"
#include "core/shape/ClassIds.h"
#include "core/shape/DropHook.h"
#include "core/shape/PShape.h"

namespace zelva::corehost {

Session::Session(const std::filesystem::path& installDir) : Session(installDir, ui) {}

Session::Session(const std::filesystem::path& installDir, ui::Ui& userInterface)
    : module(host.library(), userInterface, files) {
    pinhost::loadHostSettings(host, installDir);
    forms::ConnectFormEvents(module);
    host.registerClass(shape::kPShapeProgId, shape::kPShapeClassId,
                       [this] { return Ref<Object>(makeRef<shape::PShape>(module)); });
    host.registerClass(shape::kDropHookProgId, shape::kDropHookClassId,
                       [this] { return Ref<Object>(makeRef<shape::DropHook>(module)); });
}

}  // namespace zelva::corehost
