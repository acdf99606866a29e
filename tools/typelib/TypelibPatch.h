#pragma once
// Changes to a compiled type library that widl cannot express in IDL.

#include <cstdint>
#include <string>

#include "MsftFile.h"

namespace zelva::typelib {

constexpr int TkindInterface = 3, TkindDispatch = 4, TkindCoclass = 5;
constexpr std::int32_t TypeFlagPredeclared = 0x8;  // TYPEFLAG_FPREDECLID

// Where an imported interface comes from: the imported library's own compiled
// type library, and the file name the importing library records for it.
struct ImportedLibrary {
    const MsftFile& library;
    std::string fileName;
};

// Adds interface `interfaceName` of `source` to coclass `coclassName` as a further
// implemented interface (neither default nor source), referring to it by its
// identifier in the imported library, as MIDL encodes such references. Records the
// import of `source` when `lib` does not hold it yet. Does nothing when the coclass
// already lists that interface.
void addImportedInterface(MsftFile& lib, const std::string& coclassName,
                          const ImportedLibrary& source, const std::string& interfaceName);

// Sets `flags` in the type flags of type info `typeName`.
void addTypeFlags(MsftFile& lib, const std::string& typeName, std::int32_t flags);

// Removes the name of the value parameter of every property put and put-by-reference
// (the form MIDL writes); returns how many names it removed.
int unnamePropertyPutValues(MsftFile& lib);

}  // namespace zelva::typelib
