// zelva-typelib-patch: finishes a type library compiled by widl.
//
//   zelva-typelib-patch IN.tlb OUT.tlb [operations]
//     --import LIB.tlb FILE          library that the next --implement takes from;
//                                    FILE is the name recorded for it (e.g. 3itlu31.dll)
//     --implement COCLASS INTERFACE  add INTERFACE of that library to COCLASS
//     --predeclared COCLASS          mark COCLASS as having a predeclared instance
//     --unname-put-values            drop the value names of property puts
//
// Operations run in the order given. OUT is written only when all of them succeed.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "MsftFile.h"
#include "TypelibPatch.h"

using namespace zelva::typelib;

namespace {

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FormatError("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileAtomically(const std::string& path, const Bytes& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw FormatError("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) throw FormatError("cannot replace " + path);
}

int usage() {
    std::fputs("usage: zelva-typelib-patch IN.tlb OUT.tlb [--import LIB.tlb FILE] "
               "[--implement COCLASS INTERFACE] [--predeclared COCLASS] [--unname-put-values]\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        MsftFile lib = MsftFile::parse(readFile(args[0]));
        std::unique_ptr<MsftFile> importedLib;
        std::string importedFile;
        for (std::size_t i = 2; i < args.size(); ++i) {
            const std::string& op = args[i];
            const std::size_t left = args.size() - i - 1;
            if (op == "--import" && left >= 2) {
                importedLib = std::make_unique<MsftFile>(MsftFile::parse(readFile(args[i + 1])));
                importedFile = args[i + 2];
                i += 2;
            } else if (op == "--implement" && left >= 2) {
                if (!importedLib) throw FormatError("--implement needs an --import before it");
                addImportedInterface(lib, args[i + 1], {*importedLib, importedFile}, args[i + 2]);
                i += 2;
            } else if (op == "--predeclared" && left >= 1) {
                addTypeFlags(lib, args[++i], TypeFlagPredeclared);
            } else if (op == "--unname-put-values") {
                unnamePropertyPutValues(lib);
            } else {
                return usage();
            }
        }
        writeFileAtomically(args[1], lib.serialize());
    } catch (const FormatError& e) {
        std::fprintf(stderr, "zelva-typelib-patch: %s: %s\n", args[0].c_str(), e.what());
        return 1;
    }
    return 0;
}
