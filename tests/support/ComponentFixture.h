#pragma once
// The component loaded into a fresh stand-in host for one test: its own copy
// of the shipped install tree in a temporary folder, a headless user, and the
// module state a drop on a circular edge would leave.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "standin/corehost/Session.h"
#include "core/shape/PShape.h"
#include "support/ErrorNumber.h"

namespace zelva::test {

// A temporary folder removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class ComponentFixture : public ::testing::Test {
protected:
    ComponentFixture();

    // Module state as a drop on a circular edge of radius 5 at (x, y, z) with
    // the given normal sets it, without showing any form.
    void dropStateAt(sim::Vec3 point, sim::Vec3 normal);
    // A new pin built through PShape.Create with the given parameters.
    std::shared_ptr<sim::doc::Shape> buildPin(double d, double l, double p, double chamfer);
    // Rebuilds an existing pin in place, as the edit path does.
    void buildPinAgain(const std::shared_ptr<sim::doc::Shape>& pin, double d, double l, double p, double chamfer);
    Ref<shape::PShape> newPShape() { return makeRef<shape::PShape>(module); }
    Ref<Object> shapeObject(const std::shared_ptr<sim::doc::Shape>& s) { return host.shapeObject(s); }

    // The journal since it was last cleared, one rendered call a line.
    std::vector<std::string> journalLines() const;
    // The same without object serial numbers and with the install folder as
    // <ApplDir>: the host contract as a test states it.
    std::vector<std::string> contract() const;
    std::string contractLine(const sim::JournalEntry& e) const;
    // Only the calls of the given members, as "Member(args) -> result".
    std::vector<std::string> callsOf(const std::vector<std::string>& members) const;

    const std::filesystem::path& applDir() const { return applDir_; }

    TempDir temp;
    std::filesystem::path applDir_;
    std::unique_ptr<corehost::Session> session;
    sim::SimHost& host;
    env::Module& module;
    ui::HeadlessUi& ui;
    std::shared_ptr<sim::doc::Part> plate;
};

}  // namespace zelva::test
