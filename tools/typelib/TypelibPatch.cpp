#include "TypelibPatch.h"

namespace zelva::typelib {

namespace {

constexpr std::int32_t ImportByGuid = 0x10000;  // import info names its type by GUID
constexpr std::int32_t ImportFileNameFlags = 1;
constexpr std::int32_t InvokePropertyPut = 4, InvokePropertyPutRef = 8;
constexpr std::size_t ImportInfoSize = 12, RefRecordSize = 16, ImportFileFixedSize = 14;
constexpr std::size_t FuncRecordFixedSize = 24, ParamRecordSize = 12;

int requireTypeInfo(const MsftFile& lib, const std::string& name) {
    const auto index = lib.findTypeInfo(name);
    if (!index) throw FormatError("no type info named " + name);
    return *index;
}

// Import file entry: library GUID offset, LCID, version, 16-bit (name length << 2 |
// flags), the name, padding to four bytes.
std::size_t nextImportFile(const Bytes& files, std::size_t offset) {
    const std::size_t nameLength = static_cast<std::uint16_t>(readI16(files, offset + 12)) >> 2;
    return (offset + ImportFileFixedSize + nameLength + 3) & ~std::size_t{3};
}

std::int32_t findOrAddImportFile(MsftFile& lib, const ImportedLibrary& source) {
    const Guid libId = source.library.guidAt(source.library.header(hdr::LibGuid));
    const Bytes& files = lib.segment(SegImportFiles);
    for (std::size_t offset = 0; offset < files.size(); offset = nextImportFile(files, offset))
        if (lib.guidAt(readI32(files, offset)) == libId) return static_cast<std::int32_t>(offset);

    if (source.fileName.empty() || source.fileName.size() > 0x3fff)
        throw FormatError("unusable import file name \"" + source.fileName + "\"");
    const std::int32_t guidOffset = lib.addGuid(libId, 2);
    Bytes& out = lib.segment(SegImportFiles);
    const auto offset = static_cast<std::int32_t>(out.size());
    appendI32(out, guidOffset);
    appendI32(out, source.library.header(hdr::RegisteredLcid));
    appendI32(out, source.library.header(hdr::Version));
    const auto lengthField = static_cast<std::int16_t>((source.fileName.size() << 2) | ImportFileNameFlags);
    out.push_back(static_cast<std::uint8_t>(lengthField));
    out.push_back(static_cast<std::uint8_t>(lengthField >> 8));
    out.insert(out.end(), source.fileName.begin(), source.fileName.end());
    while (out.size() % 4) out.push_back(0x57);  // the padding byte MIDL uses
    return offset;
}

// Import info entry: flags (type kind << 24 | by-GUID | running number), import file
// offset, GUID offset.
std::int32_t findOrAddImportInfo(MsftFile& lib, std::int32_t fileOffset, const Guid& iid, int kind) {
    const Bytes& infos = lib.segment(SegImportInfo);
    for (std::size_t offset = 0; offset + ImportInfoSize <= infos.size(); offset += ImportInfoSize)
        if ((readI32(infos, offset) & ImportByGuid) && readI32(infos, offset + 4) == fileOffset &&
            lib.guidAt(readI32(infos, offset + 8)) == iid)
            return static_cast<std::int32_t>(offset);

    const auto offset = static_cast<std::int32_t>(infos.size());
    // The GUID entry of an imported type holds its reference (import info offset + 1).
    const std::int32_t guidOffset = lib.addGuid(iid, offset + 1);
    const std::int32_t number = lib.header(hdr::ImportInfoCount);
    Bytes& out = lib.segment(SegImportInfo);
    appendI32(out, (kind << 24) | ImportByGuid | number);
    appendI32(out, fileOffset);
    appendI32(out, guidOffset);
    lib.setHeader(hdr::ImportInfoCount, number + 1);
    return offset;
}

}  // namespace

void addImportedInterface(MsftFile& lib, const std::string& coclassName,
                          const ImportedLibrary& source, const std::string& interfaceName) {
    const int coclass = requireTypeInfo(lib, coclassName);
    if (lib.typeKind(coclass) != TkindCoclass) throw FormatError(coclassName + " is not a coclass");
    const int imported = requireTypeInfo(source.library, interfaceName);
    const int kind = source.library.typeKind(imported);
    if (kind != TkindInterface && kind != TkindDispatch)
        throw FormatError(interfaceName + " is not an interface");
    const Guid iid = source.library.guidAt(source.library.typeInfoField(imported, ti::GuidOffset));

    const std::int32_t fileOffset = findOrAddImportFile(lib, source);
    const std::int32_t reference = findOrAddImportInfo(lib, fileOffset, iid, kind) + 1;

    // The implemented interfaces form a chain of reference records:
    // reference, flags, custom data offset, next record offset.
    const int count = static_cast<std::uint16_t>(lib.typeInfoField(coclass, ti::ImplTypeCount));
    Bytes& refs = lib.segment(SegReferences);
    std::int32_t last = -1;
    for (std::int32_t offset = lib.typeInfoField(coclass, ti::DataType1), seen = 0; seen < count;
         ++seen, last = offset, offset = readI32(refs, offset + 12)) {
        if (offset < 0) throw FormatError(coclassName + ": implemented-interface chain too short");
        if (readI32(refs, offset) == reference) return;
    }
    const auto added = static_cast<std::int32_t>(refs.size());
    appendI32(refs, reference);
    appendI32(refs, 0);
    appendI32(refs, -1);
    appendI32(refs, -1);
    if (last == -1)
        lib.setTypeInfoField(coclass, ti::DataType1, added);
    else
        writeI32(refs, last + 12, added);
    const std::int32_t counts = lib.typeInfoField(coclass, ti::ImplTypeCount);
    lib.setTypeInfoField(coclass, ti::ImplTypeCount, (counts & ~0xffff) | (count + 1));
}

void addTypeFlags(MsftFile& lib, const std::string& typeName, std::int32_t flags) {
    const int index = requireTypeInfo(lib, typeName);
    lib.setTypeInfoField(index, ti::Flags, lib.typeInfoField(index, ti::Flags) | flags);
}

// A function record: size (low 16 bits), return type, flags, vtable offset and size,
// kind bits (invoke kind in bits 3-6), argument count (low 16 bits), optional
// attributes, then one parameter record (type, name offset, flags) per argument at
// the record's end.
int unnamePropertyPutValues(MsftFile& lib) {
    int removed = 0;
    for (int t = 0; t < lib.typeInfoCount(); ++t) {
        const int funcCount = lib.typeInfoField(t, ti::ElementCounts) & 0xffff;
        Bytes& block = lib.members(t);
        std::size_t record = 4;
        for (int f = 0; f < funcCount; ++f) {
            const std::size_t size = readI32(block, record) & 0xffff;
            const int invokeKind = (readI32(block, record + 16) >> 3) & 0xf;
            const int argCount = readI16(block, record + 20);
            if (size < FuncRecordFixedSize + argCount * ParamRecordSize)
                throw FormatError("function record too small for its parameters");
            if (argCount > 0 && (invokeKind == InvokePropertyPut || invokeKind == InvokePropertyPutRef)) {
                const std::size_t nameField = record + size - ParamRecordSize + 4;
                if (readI32(block, nameField) != -1) {
                    writeI32(block, nameField, -1);
                    ++removed;
                }
            }
            record += size;
        }
    }
    return removed;
}

}  // namespace zelva::typelib
