// Times a drawing view's answers per pin, in whichever host it is built for:
// natively the core is asked directly; built for Windows (drawing_answers.exe,
// run under Wine) every question goes to the registered Zelvacorin.dll through
// the IC2DProjectedThreads vtable, as pinhost.exe asks it.
//
//   drawing_answers INSTALL_COPY PINS PASSES
//
// Drops PINS pins (the dialog answered OK) and prints "dropped"; then, for
// each line it reads from standard input, asks every pin's answers PASSES
// times and prints one line per pass: "pass N: M microseconds per pin". The
// benchmark's rounds so alternate with the other host's, both meeting the
// machine in the same moods. INSTALL_COPY is a copy of the install tree the
// run may write into.

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "standin/pinhost/Component.h"
#include "bench/com/Unwatched.h"

namespace {

using namespace zelva;

constexpr double kPinSpacing = 20;
constexpr double kRimRadius = 5;

std::vector<Ref<Object>> dropPins(pinhost::LoadedComponent& loaded, int pins) {
    sim::SimHost& host = loaded.host();
    const auto plate = host.addPart("plate");
    bench::Unwatched seen;
    for (int i = 0; i < pins; ++i) {
        const auto rim = host.addCircularEdge(plate, {kPinSpacing * i, 0, 0}, {0, 0, 1}, kRimRadius);
        loaded.component().drop(host.makeDropHook(rim), {{ui::UserAction::Kind::Ok, 0, {}}}, seen);
    }
    std::vector<Ref<Object>> shapes;
    for (const auto& shape : plate->shapes()) shapes.push_back(host.shapeObject(shape));
    return shapes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: drawing_answers INSTALL_COPY PINS PASSES\n");
        return 2;
    }
    try {
        const auto loaded = pinhost::loadComponent(argv[1]);
        // As pinhost runs a round: the stand-in keeps no journal unless asked.
        loaded->host().keepJournal(false);
        const std::vector<Ref<Object>> pins = dropPins(*loaded, std::stoi(argv[2]));
        if (pins.empty()) throw std::runtime_error("no pin was built");
        std::printf("dropped\n");
        std::fflush(stdout);
        for (std::string round; std::getline(std::cin, round);) {
            for (int pass = 1, passes = std::stoi(argv[3]); pass <= passes; ++pass) {
                const auto start = std::chrono::steady_clock::now();
                for (const Ref<Object>& pin : pins) loaded->component().project(pin);
                const std::chrono::duration<double, std::micro> taken = std::chrono::steady_clock::now() - start;
                std::printf("pass %d: %.2f microseconds per pin\n", pass,
                            taken.count() / static_cast<double>(pins.size()));
            }
            std::fflush(stdout);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "drawing_answers: %s\n", e.what());
        return 1;
    }
}
