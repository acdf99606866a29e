// Walks the finished Zelvacorin.tlb with oleaut32, the way the host and script
// clients see it: library attributes, the four type infos, every member of the two
// dual interfaces, and PShape's second interface resolving into the host library.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ComTestSupport.h"
#include "MsftFile.h"
#include "core/shape/PShapeMembers.h"

using namespace zelva::wintest;

namespace {

constexpr WORD HiddenDualAutomation = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                      TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

struct TypeRow {
    TYPEKIND kind;
    const wchar_t* name;
    const wchar_t* guid;
    WORD flags;
};

const TypeRow Types[] = {
    {TKIND_DISPATCH, L"_DropHook", L"{DE33A82F-FD95-11D4-85CB-00E08110F9CF}", HiddenDualAutomation},
    {TKIND_COCLASS, L"DropHook", L"{DE33A830-FD95-11D4-85CB-00E08110F9CF}",
     TYPEFLAG_FAPPOBJECT | TYPEFLAG_FCANCREATE | TYPEFLAG_FPREDECLID},
    {TKIND_DISPATCH, L"_PShape", L"{DE33A836-FD95-11D4-85CB-00E08110F9CF}", HiddenDualAutomation},
    {TKIND_COCLASS, L"PShape", L"{DE33A837-FD95-11D4-85CB-00E08110F9CF}", TYPEFLAG_FCANCREATE},
};

struct MemberRow {
    MEMBERID id;
    INVOKEKIND kind;
    const wchar_t* name;
    std::vector<std::wstring> params;  // named parameters, retval included
    SHORT paramCount;                  // all parameters, retval included
};

const MemberRow DropHookMembers[] = {
    {0x60030000, INVOKE_FUNC, L"OnDragDrop", {L"pDragDropHook"}, 1},
};

const MemberRow PShapeMembers[] = {
    {0x68030009, INVOKE_PROPERTYPUT, L"Diametro", {}, 1},
    {0x68030009, INVOKE_PROPERTYGET, L"Diametro", {L"value"}, 1},
    {0x68030008, INVOKE_PROPERTYPUT, L"Lunghezza", {}, 1},
    {0x68030008, INVOKE_PROPERTYGET, L"Lunghezza", {L"value"}, 1},
    {0x68030007, INVOKE_PROPERTYPUT, L"Passo", {}, 1},
    {0x68030007, INVOKE_PROPERTYGET, L"Passo", {L"value"}, 1},
    {0x68030006, INVOKE_PROPERTYPUT, L"Smusso", {}, 1},
    {0x68030006, INVOKE_PROPERTYGET, L"Smusso", {L"value"}, 1},
    {0x68030005, INVOKE_PROPERTYGET, L"ThreadCallout", {L"value"}, 1},
    {0x68030005, INVOKE_PROPERTYPUT, L"ThreadCallout", {}, 1},
    {0x68030004, INVOKE_PROPERTYGET, L"TransferToDrawingFlags", {L"value"}, 1},
    {0x68030004, INVOKE_PROPERTYPUT, L"TransferToDrawingFlags", {}, 1},
    {0x6003000a, INVOKE_FUNC, L"Create", {L"parent"}, 1},
    {0x6003000b, INVOKE_FUNC, L"createInPart", {L"objBoss"}, 1},
    {0x6003000d, INVOKE_FUNC, L"GetPartData", {L"objShape"}, 1},
    {0x6003000f, INVOKE_FUNC, L"SetPartData", {L"objShape"}, 1},
    {0x60030011, INVOKE_FUNC, L"DblClick", {L"objPart", L"x", L"y"}, 3},
    {0x60030012, INVOKE_FUNC, L"IC2DProjectedThreads_GetHoleInformation",
     {L"bWantAnglesInDegrees", L"bHoleDepthIsFinite", L"dHoleDepth", L"dCounterboreDepth",
      L"dCounterboreDiameter", L"dCountersinkDiameter", L"dCountersinkAngle", L"dBottomAngle",
      L"answer"},
     9},
    {0x60030013, INVOKE_FUNC, L"IC2DProjectedThreads_GetProjectedThreadInformation",
     {L"shape", L"InnerDiameter", L"OuterDiameter", L"TaperAngle", L"ThreadLength",
      L"OffsetDistance", L"VecX", L"VecY", L"VecZ", L"IsHole", L"TaperProjection", L"answer"},
     12},
    {0x60030014, INVOKE_FUNC, L"IC2DProjectedThreads_GetIsHole", {L"IsHole", L"answer"}, 2},
    {0x60030015, INVOKE_FUNC, L"IC2DProjectedThreads_GetDiameters",
     {L"InnerDiameter", L"OuterDiameter", L"answer"}, 3},
    {0x60030016, INVOKE_FUNC, L"IC2DProjectedThreads_GetPositionInformation",
     {L"Length", L"OffsetDistance", L"answer"}, 3},
    {0x60030017, INVOKE_FUNC, L"IC2DProjectedThreads_GetTaperFromMajorDiameter",
     {L"angle", L"answer"}, 2},
    {0x60030018, INVOKE_FUNC, L"IC2DProjectedThreads_GetTaperProjection",
     {L"TaperProjection", L"answer"}, 2},
    {0x60030019, INVOKE_FUNC, L"IC2DProjectedThreads_GetThreadDirection",
     {L"VecX", L"VecY", L"VecZ", L"answer"}, 4},
    {0x68030002, INVOKE_PROPERTYGET, L"IC2DProjectedThreads_HoleInformationFlags", {L"value"}, 1},
    {0x6003001a, INVOKE_FUNC, L"IC2DProjectedThreads_Initialize", {L"shape", L"answer"}, 2},
    {0x68030001, INVOKE_PROPERTYGET, L"IC2DProjectedThreads_ProjectionFlags", {L"value"}, 1},
    {0x68030000, INVOKE_PROPERTYGET, L"IC2DProjectedThreads_Callout", {L"value"}, 1},
};

// The host interface's members in the order of its slots.
const wchar_t* const ProjectedThreadsSlots[] = {
    L"Callout", L"GetHoleInformation", L"HoleInformationFlags", L"ProjectionFlags",
    L"Initialize", L"GetDiameters", L"GetTaperFromMajorDiameter", L"GetPositionInformation",
    L"GetThreadDirection", L"GetIsHole", L"GetTaperProjection", L"GetProjectedThreadInformation"};

class ZelvacorinTypeLib : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadTypeLibEx(besideTestProgram(L"Zelvacorin.tlb").c_str(), REGKIND_NONE, lib.put()), S_OK);
    }

    ComPtr<ITypeInfo> typeInfo(UINT index) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(lib->GetTypeInfo(index, info.put()), S_OK);
        return info;
    }

    ComPtr<ITypeLib> lib;
};

std::wstring nameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    Bstr name;
    info->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr);
    return name.text();
}

// The vtable half of a dual interface, whose functions are in slot order.
ComPtr<ITypeInfo> vtableHalf(ITypeInfo* dispatchInfo) {
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> half;
    EXPECT_EQ(dispatchInfo->GetRefTypeOfImplType(-1, &ref), S_OK);
    EXPECT_EQ(dispatchInfo->GetRefTypeInfo(ref, half.put()), S_OK);
    return half;
}

void expectMembers(ITypeInfo* dispatchInfo, const MemberRow* rows, std::size_t count) {
    ComPtr<ITypeInfo> info = vtableHalf(dispatchInfo);
    ASSERT_TRUE(info);
    TYPEATTR* attr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attr->cFuncs, count);
    info->ReleaseTypeAttr(attr);

    for (UINT i = 0; i < count; ++i) {
        const MemberRow& row = rows[i];
        SCOPED_TRACE(testing::Message() << "slot " << i + 1 << " " << testing::PrintToString(std::wstring(row.name)));
        FUNCDESC* func;
        ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(func->memid, row.id);
        EXPECT_EQ(func->invkind, row.kind);
        EXPECT_EQ(func->cParams, row.paramCount);
        EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
        EXPECT_EQ(func->wFuncFlags, 0);
        const MEMBERID id = func->memid;
        info->ReleaseFuncDesc(func);

        EXPECT_EQ(nameOf(info.get(), id), row.name);
        // GetNames answers for the first function with this id, the one of this row
        // unless an earlier row shares the id.
        if (i > 0 && rows[i - 1].id == id) continue;
        BSTR names[16] = {};
        UINT found = 0;
        ASSERT_EQ(info->GetNames(id, names, 16, &found), S_OK);
        std::vector<std::wstring> params;
        for (UINT n = 1; n < found; ++n)
            if (names[n]) params.emplace_back(names[n], SysStringLen(names[n]));
        for (UINT n = 0; n < found; ++n) SysFreeString(names[n]);
        EXPECT_EQ(params, row.params);
    }
}

}  // namespace

TEST_F(ZelvacorinTypeLib, HasTheLibraryAttributes) {
    TLIBATTR* attr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(guidText(attr->guid), L"{DE33A82E-FD95-11D4-85CB-00E08110F9CF}");
    EXPECT_EQ(attr->lcid, 0x0409u);
    EXPECT_EQ(attr->syskind, NativeSysKind);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    lib->ReleaseTLibAttr(attr);

    Bstr name, doc, helpFile;
    DWORD helpContext = 1;
    ASSERT_EQ(lib->GetDocumentation(-1, name.put(), doc.put(), &helpContext, helpFile.put()), S_OK);
    EXPECT_EQ(name.text(), L"Zelvacorin");
    EXPECT_TRUE(doc.isNull());
    EXPECT_TRUE(helpFile.isNull());
    EXPECT_EQ(helpContext, 0u);
}

TEST_F(ZelvacorinTypeLib, HoldsFourTypeInfosInOrderWithoutDocumentation) {
    ASSERT_EQ(lib->GetTypeInfoCount(), 4u);
    for (UINT i = 0; i < 4; ++i) {
        const TypeRow& row = Types[i];
        SCOPED_TRACE(i);
        TYPEKIND kind;
        ASSERT_EQ(lib->GetTypeInfoType(i, &kind), S_OK);
        EXPECT_EQ(kind, row.kind);
        Bstr name, doc, helpFile;
        ASSERT_EQ(lib->GetDocumentation(i, name.put(), doc.put(), nullptr, helpFile.put()), S_OK);
        EXPECT_EQ(name.text(), row.name);
        EXPECT_TRUE(doc.isNull());
        EXPECT_TRUE(helpFile.isNull());

        ComPtr<ITypeInfo> info = typeInfo(i);
        // The flags of a dual interface are those of its vtable half; oleaut32
        // reports the dispatch half without the OLE-automation flag.
        if (kind == TKIND_DISPATCH) info = vtableHalf(info.get());
        TYPEATTR* attr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(guidText(attr->guid), row.guid);
        EXPECT_EQ(attr->wTypeFlags, row.flags);
        info->ReleaseTypeAttr(attr);
    }
}

TEST_F(ZelvacorinTypeLib, TheFileHoldsTheFlagsOfEachTypeInfo) {
    std::ifstream in(std::filesystem::path(besideTestProgram(L"Zelvacorin.tlb")), std::ios::binary);
    const zelva::typelib::Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto file = zelva::typelib::MsftFile::parse(bytes);
    ASSERT_EQ(file.typeInfoCount(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(file.typeFlags(i), Types[i].flags);
        // oleaut32 reports the dispatch half of a dual interface without the
        // OLE-automation flag that the file holds for it; nothing else differs.
        TYPEATTR* attr;
        ComPtr<ITypeInfo> info = typeInfo(i);
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->wTypeFlags | TYPEFLAG_FOLEAUTOMATION, file.typeFlags(i) | TYPEFLAG_FOLEAUTOMATION);
        info->ReleaseTypeAttr(attr);
    }
    EXPECT_EQ(file.typeFlags(0), 0x11D0);
}

TEST_F(ZelvacorinTypeLib, DualInterfacesDeriveFromIDispatch) {
    for (UINT index : {0u, 2u}) {
        ComPtr<ITypeInfo> info = vtableHalf(typeInfo(index).get());
        HREFTYPE ref;
        ComPtr<ITypeInfo> base;
        ASSERT_EQ(info->GetRefTypeOfImplType(0, &ref), S_OK);
        ASSERT_EQ(info->GetRefTypeInfo(ref, base.put()), S_OK);
        TYPEATTR* attr;
        ASSERT_EQ(base->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, IID_IDispatch);
        base->ReleaseTypeAttr(attr);
    }
}

TEST_F(ZelvacorinTypeLib, DropHookMembersMatchTheirTable) {
    expectMembers(typeInfo(0).get(), DropHookMembers, std::size(DropHookMembers));
}

TEST_F(ZelvacorinTypeLib, PShapeMembersMatchTheirTableInSlotOrder) {
    expectMembers(typeInfo(2).get(), PShapeMembers, std::size(PShapeMembers));
}

// The core's member table, which both late binding and the vtable use, is the
// interface the type library describes: row by row in slot order.
TEST_F(ZelvacorinTypeLib, CoreMemberTableIsThePShapeInterface) {
    ComPtr<ITypeInfo> info = vtableHalf(typeInfo(2).get());
    ASSERT_TRUE(info);
    const auto table = zelva::shape::pshapeMembers();
    TYPEATTR* attr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->cFuncs, table.size());
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < table.size(); ++i) {
        const zelva::shape::PShapeMember& row = table[i];
        SCOPED_TRACE(testing::Message() << "slot " << i + 1 << " " << row.name);
        FUNCDESC* func;
        ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(func->memid, row.dispid);
        const INVOKEKIND kind = row.kind == zelva::CallKind::Put   ? INVOKE_PROPERTYPUT
                                : row.kind == zelva::CallKind::Get ? INVOKE_PROPERTYGET
                                                                   : INVOKE_FUNC;
        EXPECT_EQ(func->invkind, kind);
        size_t arguments = 0;
        for (SHORT p = 0; p < func->cParams; ++p)
            if (!(func->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)) ++arguments;
        EXPECT_EQ(arguments, row.arity);
        const MEMBERID id = func->memid;
        info->ReleaseFuncDesc(func);
        EXPECT_EQ(nameOf(info.get(), id), std::wstring(row.name.begin(), row.name.end()));
    }
}

TEST_F(ZelvacorinTypeLib, FindsMemberIdsInAnyLetterCase) {
    ComPtr<ITypeInfo> hook = typeInfo(0);
    for (const wchar_t* spelling : {L"OnDragDrop", L"ondragdrop", L"ONDRAGDROP"}) {
        LPOLESTR name = const_cast<LPOLESTR>(spelling);
        MEMBERID id = 0;
        ASSERT_EQ(hook->GetIDsOfNames(&name, 1, &id), S_OK);
        EXPECT_EQ(id, 0x60030000);
    }
    LPOLESTR name = const_cast<LPOLESTR>(L"diametro");
    MEMBERID id = 0;
    ASSERT_EQ(typeInfo(2)->GetIDsOfNames(&name, 1, &id), S_OK);
    EXPECT_EQ(id, 0x68030009);
}

TEST_F(ZelvacorinTypeLib, ClassesListTheirInterfaces) {
    ComPtr<ITypeInfo> dropHook = typeInfo(1), shape = typeInfo(3);
    TYPEATTR* attr;
    ASSERT_EQ(dropHook->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->cImplTypes, 1);
    dropHook->ReleaseTypeAttr(attr);
    ASSERT_EQ(shape->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->cImplTypes, 2);
    shape->ReleaseTypeAttr(attr);

    INT flags = -1;
    ASSERT_EQ(dropHook->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    ASSERT_EQ(shape->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    ASSERT_EQ(shape->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, 0);

    for (auto [coclass, iface] : {std::pair{&dropHook, L"_DropHook"}, std::pair{&shape, L"_PShape"}}) {
        HREFTYPE ref;
        ComPtr<ITypeInfo> first;
        ASSERT_EQ((*coclass)->GetRefTypeOfImplType(0, &ref), S_OK);
        ASSERT_EQ((*coclass)->GetRefTypeInfo(ref, first.put()), S_OK);
        EXPECT_EQ(nameOf(first.get()), iface);
    }
}

// Needs the host library registered (or on the search path): the test fixture
// registers 3itlu31.dll first.
TEST_F(ZelvacorinTypeLib, PShapeSecondInterfaceIsTheHostsProjectedThreads) {
    ComPtr<ITypeInfo> shape = typeInfo(3);
    HREFTYPE ref;
    ASSERT_EQ(shape->GetRefTypeOfImplType(1, &ref), S_OK);
    ComPtr<ITypeInfo> threads;
    ASSERT_EQ(shape->GetRefTypeInfo(ref, threads.put()), S_OK);
    EXPECT_EQ(nameOf(threads.get()), L"IC2DProjectedThreads");

    TYPEATTR* attr;
    ASSERT_EQ(threads->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(guidText(attr->guid), L"{FC213957-4068-11D3-80CC-00C04F6BFADF}");
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
    threads->ReleaseTypeAttr(attr);

    ComPtr<ITypeLib> hostLib;
    UINT index;
    ASSERT_EQ(threads->GetContainingTypeLib(hostLib.put(), &index), S_OK);
    TLIBATTR* libAttr;
    ASSERT_EQ(hostLib->GetLibAttr(&libAttr), S_OK);
    EXPECT_EQ(guidText(libAttr->guid), L"{47ACD060-AF38-11D2-99DB-00A0244EC406}");
    EXPECT_EQ(libAttr->wMajorVerNum, 3);
    EXPECT_EQ(libAttr->wMinorVerNum, 21);
    hostLib->ReleaseTLibAttr(libAttr);
    Bstr libName;
    ASSERT_EQ(hostLib->GetDocumentation(-1, libName.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(libName.text(), L"IronCADAO");

    ComPtr<ITypeInfo> slots = vtableHalf(threads.get());
    for (UINT i = 0; i < std::size(ProjectedThreadsSlots); ++i) {
        FUNCDESC* func;
        ASSERT_EQ(slots->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(nameOf(slots.get(), func->memid), ProjectedThreadsSlots[i]) << "slot " << i + 1;
        EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
        slots->ReleaseFuncDesc(func);
    }
}
