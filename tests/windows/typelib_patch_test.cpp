// The type-library patch tool on small libraries compiled by widl
// (typelib_samples/): reading and rewriting the MSFT format, adding an imported
// interface to a coclass, type flags, and unnamed property-put values. Built
// once for each platform's samples, 32-bit and 64-bit (ZELVA_TYPELIB_SYSKIND).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MsftFile.h"
#include "TypelibPatch.h"

using namespace zelva::typelib;

namespace {

const std::string SampleDir = ZELVA_TYPELIB_SAMPLES;
const std::string HostFile = "sample_host.dll";
const std::string MeasuredIid = "{0B5E7A10-1111-4A4A-9C9C-000000000002}";
const std::string HostLibId = "{0B5E7A10-1111-4A4A-9C9C-000000000001}";
constexpr std::int32_t ImplDefault = 1;
constexpr int SysKindWin64 = 3;
constexpr int SlotSize = ZELVA_TYPELIB_SYSKIND == SysKindWin64 ? 8 : 4;  // bytes of a vtable slot

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes sampleBytes(const std::string& name) { return readBytes(SampleDir + "/" + name); }
MsftFile sample(const std::string& name) { return MsftFile::parse(sampleBytes(name)); }
MsftFile reparsed(const MsftFile& lib) { return MsftFile::parse(lib.serialize()); }

struct ImplType {
    std::int32_t reference;
    std::int32_t flags;
};

// The implemented interfaces of a coclass, read from its chain of reference records.
std::vector<ImplType> implTypes(const MsftFile& lib, const std::string& coclass) {
    const int index = *lib.findTypeInfo(coclass);
    const int count = lib.typeInfoField(index, ti::ImplTypeCount) & 0xffff;
    std::vector<ImplType> types;
    std::int32_t offset = lib.typeInfoField(index, ti::DataType1);
    for (int i = 0; i < count; ++i) {
        const Bytes& refs = lib.segment(SegReferences);
        types.push_back({readI32(refs, offset), readI32(refs, offset + 4)});
        offset = readI32(refs, offset + 12);
    }
    EXPECT_EQ(offset, -1) << "chain of " << coclass << " does not end after " << count;
    return types;
}

struct ImportedType {
    int kind;
    std::string iid;
    std::int32_t fileOffset;
    std::string libId;
    std::int32_t version;
    std::string fileName;
};

// What a reference to another library's type (import info offset + 1) names.
ImportedType resolveImport(const MsftFile& lib, std::int32_t reference) {
    EXPECT_EQ(reference & 3, 1) << "not a reference into an imported library";
    const Bytes& infos = lib.segment(SegImportInfo);
    const std::int32_t flags = readI32(infos, reference - 1);
    EXPECT_TRUE(flags & 0x10000) << "imported type not named by GUID";
    const std::int32_t file = readI32(infos, reference - 1 + 4);
    const Bytes& files = lib.segment(SegImportFiles);
    const int nameLength = static_cast<std::uint16_t>(readI16(files, file + 12)) >> 2;
    return {flags >> 24,
            formatGuid(lib.guidAt(readI32(infos, reference - 1 + 8))),
            file,
            formatGuid(lib.guidAt(readI32(files, file))),
            readI32(files, file + 8),
            std::string(files.begin() + file + 14, files.begin() + file + 14 + nameLength)};
}

int importFileCount(const MsftFile& lib) {
    int count = 0;
    const Bytes& files = lib.segment(SegImportFiles);
    for (std::size_t offset = 0; offset < files.size(); ++count) {
        const std::size_t nameLength = static_cast<std::uint16_t>(readI16(files, offset + 12)) >> 2;
        offset = (offset + 14 + nameLength + 3) & ~std::size_t{3};
    }
    return count;
}

// Name offsets of the parameters of function `func` of type info `index`.
std::vector<std::int32_t> paramNames(const MsftFile& lib, int index, int func) {
    const Bytes& block = lib.members(index);
    std::size_t record = 4;
    for (int f = 0; f < func; ++f) record += readI32(block, record) & 0xffff;
    const std::size_t size = readI32(block, record) & 0xffff;
    const int args = readI16(block, record + 20);
    std::vector<std::int32_t> names;
    for (int a = 0; a < args; ++a) names.push_back(readI32(block, record + size - (args - a) * 12 + 4));
    return names;
}

void setParamName(MsftFile& lib, int index, int func, int param, std::int32_t name) {
    Bytes& block = lib.members(index);
    std::size_t record = 4;
    for (int f = 0; f < func; ++f) record += readI32(block, record) & 0xffff;
    const std::size_t size = readI32(block, record) & 0xffff;
    const int args = readI16(block, record + 20);
    writeI32(block, record + size - (args - param) * 12 + 4, name);
}

}  // namespace

// --- Reading and writing the format -----------------------------------------------

TEST(MsftFile, RewritesAnUnchangedLibraryByteForByte) {
    for (const char* name : {"sample_host.tlb", "component.tlb", "component_using_host.tlb"}) {
        const Bytes original = sampleBytes(name);
        ASSERT_FALSE(original.empty()) << name;
        EXPECT_EQ(MsftFile::parse(original).serialize(), original) << name;
    }
}

TEST(MsftFile, ReadsTypeInfosByName) {
    const MsftFile lib = sample("component.tlb");
    ASSERT_EQ(lib.typeInfoCount(), 3);
    EXPECT_EQ(lib.typeInfoName(0), "_Gauge");
    EXPECT_EQ(lib.typeKind(*lib.findTypeInfo("Gauge")), TkindCoclass);
    EXPECT_FALSE(lib.findTypeInfo("gauge"));
    EXPECT_EQ(formatGuid(lib.guidAt(lib.header(hdr::LibGuid))), "{0B5E7A10-2222-4A4A-9C9C-000000000001}");
}

TEST(MsftFile, RejectsEveryTruncationOfALibrary) {
    const Bytes original = sampleBytes("component.tlb");
    for (std::size_t length = 0; length < original.size(); ++length) {
        const Bytes truncated(original.begin(), original.begin() + length);
        EXPECT_THROW(MsftFile::parse(truncated), FormatError) << "length " << length;
    }
}

TEST(MsftFile, RejectsForeignFilesAndWildOffsets) {
    Bytes notMsft = sampleBytes("component.tlb");
    notMsft[0] = 'M';
    notMsft[1] = 'Z';
    EXPECT_THROW(MsftFile::parse(notMsft), FormatError);

    Bytes wildSegment = sampleBytes("component.tlb");
    const std::size_t segmentDir = 0x54 + 4 * 3;  // after the header and three type infos
    writeI32(wildSegment, segmentDir + 16 * SegName, 0x7ffffff0);
    EXPECT_THROW(MsftFile::parse(wildSegment), FormatError);

    Bytes wildCount = sampleBytes("component.tlb");
    writeI32(wildCount, 4 * hdr::TypeInfoCount, 0x10000000);
    EXPECT_THROW(MsftFile::parse(wildCount), FormatError);
}

TEST(MsftFile, FindsAddedGuidsThroughTheHashTable) {
    MsftFile lib = sample("component.tlb");
    const Guid guid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_FALSE(lib.findGuid(guid));
    const std::int32_t offset = lib.addGuid(guid, -1);
    EXPECT_EQ(lib.addGuid(guid, -1), offset);
    const MsftFile again = reparsed(lib);
    EXPECT_EQ(again.findGuid(guid), offset);
    EXPECT_EQ(again.findGuid(again.guidAt(again.header(hdr::LibGuid))), again.header(hdr::LibGuid));
}

TEST(MsftFile, PatchedLibraryKeepsItsPlatformAndVtableLayout) {
    const MsftFile host = sample("sample_host.tlb");
    MsftFile lib = sample("component.tlb");
    addImportedInterface(lib, "Gauge", {host, HostFile}, "IMeasured");
    addTypeFlags(lib, "Gauge", TypeFlagPredeclared);
    unnamePropertyPutValues(lib);
    const MsftFile patched = reparsed(lib);

    EXPECT_EQ(patched.header(hdr::VarFlags) & 0xf, ZELVA_TYPELIB_SYSKIND);
    // _Gauge's members follow IDispatch's seven: Reading put, Reading get, Calibrate.
    const int gauge = *patched.findTypeInfo("_Gauge");
    const Bytes& block = patched.members(gauge);
    std::size_t record = 4;
    for (int slot = 7; slot < 10; ++slot) {
        EXPECT_EQ(readI16(block, record + 12), slot * SlotSize) << "slot " << slot;
        record += readI32(block, record) & 0xffff;
    }
    EXPECT_EQ(static_cast<std::uint32_t>(patched.typeInfoField(gauge, ti::ImplTypeCount)) >> 16, 10u * SlotSize)
        << "size of the vtable";
}

// --- Adding an imported interface to a coclass ------------------------------------

TEST(AddImportedInterface, AppendsItAsASecondNonDefaultInterface) {
    const MsftFile host = sample("sample_host.tlb");
    MsftFile lib = sample("component.tlb");
    addImportedInterface(lib, "Gauge", {host, HostFile}, "IMeasured");
    const MsftFile patched = reparsed(lib);

    const auto types = implTypes(patched, "Gauge");
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].reference, patched.typeInfoOffset(*patched.findTypeInfo("_Gauge")));
    EXPECT_EQ(types[0].flags, ImplDefault);
    EXPECT_EQ(types[1].flags, 0);
    const ImportedType imported = resolveImport(patched, types[1].reference);
    EXPECT_EQ(imported.iid, MeasuredIid);
    EXPECT_EQ(imported.kind, TkindDispatch);
    EXPECT_EQ(imported.libId, HostLibId);
    EXPECT_EQ(imported.version, 2 | (5 << 16));
    EXPECT_EQ(imported.fileName, HostFile);
    EXPECT_EQ(patched.header(hdr::ImportInfoCount), 2);  // IDispatch from stdole2, then this
}

TEST(AddImportedInterface, LeavesTheRestOfTheLibraryAsItWas) {
    const MsftFile host = sample("sample_host.tlb");
    const MsftFile original = sample("component.tlb");
    MsftFile lib = original;
    addImportedInterface(lib, "Gauge", {host, HostFile}, "IMeasured");
    const MsftFile patched = reparsed(lib);

    ASSERT_EQ(patched.typeInfoCount(), original.typeInfoCount());
    for (int i = 0; i < original.typeInfoCount(); ++i) {
        EXPECT_EQ(patched.typeInfoName(i), original.typeInfoName(i));
        EXPECT_EQ(patched.members(i), original.members(i)) << original.typeInfoName(i);
    }
    EXPECT_EQ(implTypes(patched, "Spare").size(), 1u);
    for (Segment s : {SegName, SegNameHash, SegTypeDesc, SegCustData})
        EXPECT_EQ(patched.segment(s), original.segment(s)) << "segment " << s;
}

TEST(AddImportedInterface, ReusesAnImportWidlAlreadyRecorded) {
    const MsftFile host = sample("sample_host.tlb");
    MsftFile lib = sample("component_using_host.tlb");
    const int filesBefore = importFileCount(lib);
    addImportedInterface(lib, "Gauge", {host, HostFile}, "IMeasured");
    const MsftFile patched = reparsed(lib);

    EXPECT_EQ(importFileCount(patched), filesBefore);
    const ImportedType imported = resolveImport(patched, implTypes(patched, "Gauge")[1].reference);
    EXPECT_EQ(imported.fileName, "sample_host.tlb");  // the name widl recorded stays
    EXPECT_EQ(imported.iid, MeasuredIid);
}

TEST(AddImportedInterface, AppliedTwiceGivesTheSameLibrary) {
    const MsftFile host = sample("sample_host.tlb");
    MsftFile once = sample("component.tlb");
    addImportedInterface(once, "Gauge", {host, HostFile}, "IMeasured");
    MsftFile twice = reparsed(once);
    addImportedInterface(twice, "Gauge", {host, HostFile}, "IMeasured");
    EXPECT_EQ(twice.serialize(), once.serialize());
}

TEST(AddImportedInterface, RefusesMissingAndWrongKindsOfTypesWithoutChanges) {
    const MsftFile host = sample("sample_host.tlb");
    MsftFile lib = sample("component.tlb");
    const Bytes before = lib.serialize();
    EXPECT_THROW(addImportedInterface(lib, "Missing", {host, HostFile}, "IMeasured"), FormatError);
    EXPECT_THROW(addImportedInterface(lib, "_Gauge", {host, HostFile}, "IMeasured"), FormatError);
    EXPECT_THROW(addImportedInterface(lib, "Gauge", {host, HostFile}, "Measured"), FormatError);
    EXPECT_THROW(addImportedInterface(lib, "Gauge", {host, HostFile}, "IMissing"), FormatError);
    EXPECT_EQ(lib.serialize(), before);
}

// --- Type flags and property-put names --------------------------------------------

TEST(AddTypeFlags, MarksOnlyTheNamedTypeAndKeepsItsFlags) {
    MsftFile lib = sample("component.tlb");
    const int gauge = *lib.findTypeInfo("Gauge"), spare = *lib.findTypeInfo("Spare");
    const std::int32_t gaugeFlags = lib.typeInfoField(gauge, ti::Flags);
    const std::int32_t spareFlags = lib.typeInfoField(spare, ti::Flags);
    addTypeFlags(lib, "Gauge", TypeFlagPredeclared);
    const MsftFile patched = reparsed(lib);
    EXPECT_EQ(patched.typeInfoField(gauge, ti::Flags), gaugeFlags | TypeFlagPredeclared);
    EXPECT_EQ(patched.typeInfoField(spare, ti::Flags), spareFlags);
    EXPECT_THROW(addTypeFlags(lib, "Missing", TypeFlagPredeclared), FormatError);
}

TEST(UnnamePropertyPutValues, FindsNothingToDoInWidlOutput) {
    MsftFile lib = sample("component.tlb");
    const Bytes before = lib.serialize();
    EXPECT_EQ(unnamePropertyPutValues(lib), 0);
    EXPECT_EQ(lib.serialize(), before);
}

TEST(UnnamePropertyPutValues, RemovesOnlyTheValueNamesOfPuts) {
    MsftFile lib = sample("component.tlb");
    const int gauge = *lib.findTypeInfo("_Gauge");
    // Functions of _Gauge: 0 Reading put, 1 Reading get, 2 Calibrate.
    const std::int32_t someName = lib.typeInfoField(gauge, ti::NameOffset);
    setParamName(lib, gauge, 0, 0, someName);
    const auto getNames = paramNames(lib, gauge, 1);
    const auto calibrateNames = paramNames(lib, gauge, 2);

    EXPECT_EQ(unnamePropertyPutValues(lib), 1);
    const MsftFile patched = reparsed(lib);
    EXPECT_EQ(paramNames(patched, gauge, 0), std::vector<std::int32_t>{-1});
    EXPECT_EQ(paramNames(patched, gauge, 1), getNames);
    EXPECT_EQ(paramNames(patched, gauge, 2), calibrateNames);
    EXPECT_EQ(patched.nameAt(calibrateNames.at(0)), "target");
}

// --- The command line ---------------------------------------------------------------

TEST(PatchTool, WritesTheFinishedLibraryOnlyWhenEveryOperationSucceeds) {
    const std::string out = ::testing::TempDir() + "patched.tlb";
    std::remove(out.c_str());
    const std::string base = std::string(ZELVA_TYPELIB_PATCHER) + " " + SampleDir + "/component.tlb " +
                             out + " --import " + SampleDir + "/sample_host.tlb " + HostFile;

    EXPECT_NE(std::system((base + " --implement Missing IMeasured 2>/dev/null").c_str()), 0);
    EXPECT_TRUE(readBytes(out).empty()) << "a failed run left " << out;

    ASSERT_EQ(std::system((base + " --implement Gauge IMeasured --predeclared Gauge").c_str()), 0);
    const MsftFile patched = MsftFile::parse(readBytes(out));
    EXPECT_EQ(implTypes(patched, "Gauge").size(), 2u);
    EXPECT_TRUE(patched.typeInfoField(*patched.findTypeInfo("Gauge"), ti::Flags) & TypeFlagPredeclared);
    std::remove(out.c_str());
}
