#pragma once
// A compiled type library in the binary "MSFT" format, held as its parts so that
// records can be changed and added and the file laid out again.
//
// Layout of the file: a header, the offsets of the type infos, a directory of
// fifteen segments, the segments, then one block of member records per type info.
// Offsets inside a segment are relative to that segment; only the directory and
// each type info's member-block offset point into the file, and `serialize`
// recomputes those, so a segment may grow without disturbing anything else.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelva::typelib {

using Bytes = std::vector<std::uint8_t>;

// A GUID in its binary layout (little-endian Data1..Data3, then eight bytes).
using Guid = std::array<std::uint8_t, 16>;
std::string formatGuid(const Guid& guid);  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"

// The input is not a type library this tool understands, or a patch cannot apply.
struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum Segment : int {
    SegTypeInfo, SegImportInfo, SegImportFiles, SegReferences, SegGuidHash, SegGuid,
    SegNameHash, SegName, SegString, SegTypeDesc, SegArrayDesc, SegCustData,
    SegCustDataGuid, SegUnknown1, SegUnknown2, SegmentCount
};

// Byte offsets of the fields of a type-info record (0x64 bytes in SegTypeInfo).
namespace ti {
constexpr std::size_t Kind = 0x00, ElementCounts = 0x18, GuidOffset = 0x2c, Flags = 0x30,
                      NameOffset = 0x34, ImplTypeCount = 0x4c /* 16 bits */,
                      DataType1 = 0x54, RecordSize = 0x64;
}

// Header fields used here, as indexes of 32-bit words.
namespace hdr {
constexpr std::size_t LibGuid = 2, Lcid = 3, RegisteredLcid = 4, VarFlags = 5, Version = 6, TypeInfoCount = 8,
                      ImportInfoCount = 20, WordCount = 21;
}

class MsftFile {
public:
    static MsftFile parse(const Bytes& file);
    Bytes serialize() const;

    std::int32_t header(std::size_t word) const { return header_.at(word); }
    void setHeader(std::size_t word, std::int32_t value) { header_.at(word) = value; }

    Bytes& segment(Segment s) { return segments_.at(s).data; }
    const Bytes& segment(Segment s) const { return segments_.at(s).data; }

    int typeInfoCount() const { return static_cast<int>(typeInfoOffsets_.size()); }
    // Offset of type info `index` in SegTypeInfo.
    std::size_t typeInfoOffset(int index) const;
    std::int32_t typeInfoField(int index, std::size_t field) const;
    void setTypeInfoField(int index, std::size_t field, std::int32_t value);
    std::string typeInfoName(int index) const;
    std::optional<int> findTypeInfo(const std::string& name) const;
    int typeKind(int index) const { return typeInfoField(index, ti::Kind) & 0xf; }
    // The TYPEFLAG_ word the file holds for type info `index`.
    std::uint16_t typeFlags(int index) const { return static_cast<std::uint16_t>(typeInfoField(index, ti::Flags)); }

    // The member records of a type info: a 32-bit size, the records, then the
    // member ids, name offsets and record offsets (one 32-bit word each).
    Bytes& members(int index) { return members_.at(index); }
    const Bytes& members(int index) const { return members_.at(index); }

    std::string nameAt(std::int32_t offset) const;
    Guid guidAt(std::int32_t offset) const;
    // The entry of `guid` in SegGuid, found through the GUID hash table.
    std::optional<std::int32_t> findGuid(const Guid& guid) const;
    // Adds `guid` (or finds it) and returns its offset.
    std::int32_t addGuid(const Guid& guid, std::int32_t hrefType);

private:
    struct SegmentPart {
        Bytes data;
        std::int32_t reserved8 = -1, reservedC = 0x0f;  // kept as read
    };
    std::array<std::int32_t, hdr::WordCount> header_{};
    std::optional<std::int32_t> helpStringDll_;
    std::vector<std::int32_t> typeInfoOffsets_;
    std::array<SegmentPart, SegmentCount> segments_;
    std::vector<Bytes> members_;
};

// Little-endian access to a byte buffer, bounds-checked (FormatError when outside).
std::int32_t readI32(const Bytes& bytes, std::size_t offset);
std::int16_t readI16(const Bytes& bytes, std::size_t offset);
void writeI32(Bytes& bytes, std::size_t offset, std::int32_t value);
void writeI16(Bytes& bytes, std::size_t offset, std::int16_t value);
void appendI32(Bytes& bytes, std::int32_t value);

}  // namespace zelva::typelib
