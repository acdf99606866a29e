#pragma once
// Stand-ins for the services the thread table readers use, shared by their
// tests and their fuzz target: files on the local disk with every open reader
// tracked, a user interface that records message boxes, and a host library
// that is never called.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/automation/Error.h"
#include "core/env/Module.h"
#include "core/files/TextFiles.h"
#include "core/host/HostLibrary.h"
#include "core/ui/Ui.h"

namespace zelva::fakes {

// The local file system, counting the readers that are open and refusing to
// write. `allows`, when set, limits reading to the paths it accepts; any other
// path is a missing file.
class TrackingFileSystem : public files::FileSystem {
public:
    std::function<bool(const std::string&)> allows;
    std::vector<std::string> opened;  // every path opened, in order
    int openNow = 0;
    int openAtMost = 0;

    std::unique_ptr<files::LineReader> openForReading(const std::string& path) override {
        if (allows && !allows(path)) throw Error::runtime(err::FileNotFound);
        auto reader = std::make_unique<Tracked>(local_.openForReading(path), *this);
        opened.push_back(path);
        return reader;
    }
    std::unique_ptr<files::LineWriter> openForWriting(const std::string&) override {
        throw Error::runtime(err::PermissionDenied);
    }

private:
    class Tracked : public files::LineReader {
    public:
        Tracked(std::unique_ptr<files::LineReader> inner, TrackingFileSystem& owner)
            : inner_(std::move(inner)), owner_(owner) {
            owner_.openAtMost = std::max(owner_.openAtMost, ++owner_.openNow);
        }
        ~Tracked() override { --owner_.openNow; }
        bool atEnd() override { return inner_->atEnd(); }
        const std::string& readLine() override { return inner_->readLine(); }

    private:
        std::unique_ptr<files::LineReader> inner_;
        TrackingFileSystem& owner_;
    };

    files::LocalFileSystem local_;
};

class RecordingUi : public ui::Ui {
public:
    std::vector<ui::Message> boxes;

    void showModal(ui::Form&) override { throw Error::runtime(err::InvalidCall, "no form expected"); }
    void messageBox(const ui::Message& box) override { boxes.push_back(box); }
};

class UnusedHostLibrary : public host::HostLibrary {
public:
    Ref<host::HostVector> createVector() override { unused(); }
    Ref<host::HostPlacement> createPlacement() override { unused(); }
    Ref<host::HostTransform> createTransform() override { unused(); }
    Ref<host::HostClassRegistry> createClassRegistry() override { unused(); }
    Ref<host::UnitConverter> createUnitConverter() override { unused(); }
    Ref<host::HostRegistry> createRegistry() override { unused(); }
    Ref<host::HostSettingsStore> createSettingsStore() override { unused(); }

private:
    [[noreturn]] static void unused() { throw Error::runtime(err::ObjectNotSet, "host library not expected"); }
};

// A module wired to the fakes above.
struct FakeModule {
    TrackingFileSystem files;
    RecordingUi ui;
    UnusedHostLibrary host;
    env::Module module{host, ui, files};
};

}  // namespace zelva::fakes
