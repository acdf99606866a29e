#pragma once
// The component's module-level state, once per loaded component (per apartment
// on Windows), together with the services it calls out to. A PShape or DropHook
// holds a reference to the Module that made it; tests build a fresh one each.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/automation/Object.h"
#include "core/files/TextFiles.h"
#include "core/host/HostLibrary.h"
#include "core/ui/Dialog.h"
#include "core/ui/Ui.h"

namespace zelva::standards {
class ThreadCatalog;
}

namespace zelva::env {

// The drawing callout's templates, read once per loaded component.
struct CalloutTemplates {
    std::string format;  // empty: callouts stay as clients put them
    std::string custom;  // for a pin of no standard
};

class Module {
public:
    Module(host::HostLibrary& hostLibrary, ui::Ui& ui, files::FileSystem& files);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    host::HostLibrary& hostLibrary;
    ui::Ui& ui;
    files::FileSystem& files;

    int16_t LanguageBase = 0;
    int16_t CurrentNorma = 0;
    std::string StandardsDir;
    std::string DataFilePath;
    std::string IniFileName;
    std::string PrefsFilePath;
    Ref<Object> CurrentPage;
    Ref<Object> HostApp;
    int16_t EditMode = kFalse;
    Ref<host::HostVector> HitPoint;
    Ref<host::HostVector> HitDirection;
    double CurrentDiameter = 0;
    Ref<Object> TargetPart;
    Ref<Object> EditPart;
    Ref<Object> EditShape;

    // What drawings are told, read on the first drawing answer and kept: the
    // templates, and every group's standards (shared_ptr: the tables' reader
    // lives in a room above this one).
    std::optional<CalloutTemplates> Callouts;
    std::shared_ptr<standards::ThreadCatalog> Catalog;

    // The forms' single default instances, created on first use. An unloaded
    // instance is replaced by a fresh one on the next use; it stays alive until
    // the modal show that may still be running it has returned.
    ui::Dialog& dialog();
    ui::DlgInfo& dlgInfo();
    // Loads the form (its Load event runs) and shows it modally until unloaded.
    void showModal(ui::Form& form);

    // Installed by the dialog procedures: how a fresh form is wired to its events.
    std::function<void(ui::Dialog&)> wireDialog;
    std::function<void(ui::DlgInfo&)> wireDlgInfo;

private:
    template <class F>
    F& instance(std::unique_ptr<F>& slot, const std::function<void(F&)>& wire);

    std::unique_ptr<ui::Dialog> dialog_;
    std::unique_ptr<ui::DlgInfo> dlgInfo_;
    std::vector<std::unique_ptr<ui::Form>> retired_;
    int showing_ = 0;
};

}  // namespace zelva::env
