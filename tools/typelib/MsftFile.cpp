#include "MsftFile.h"

#include <algorithm>
#include <cstdio>

namespace zelva::typelib {

namespace {

constexpr std::int32_t MsftMagic = 0x5446534d;  // "MSFT"
constexpr std::int32_t MsftFormatVersion = 0x00010002;
constexpr std::int32_t HelpStringDllFlag = 0x100;
constexpr std::size_t SegmentDirEntrySize = 16;
constexpr std::size_t GuidEntrySize = 24;  // GUID, href type, next in hash bucket
constexpr std::size_t GuidHashBuckets = 32;

// Segments in the order widl and MIDL lay them out in the file.
constexpr Segment FileOrder[SegmentCount] = {
    SegTypeInfo, SegGuidHash, SegGuid, SegReferences, SegImportInfo, SegImportFiles,
    SegNameHash, SegName, SegString, SegTypeDesc, SegArrayDesc, SegCustData,
    SegCustDataGuid, SegUnknown1, SegUnknown2};

void require(bool condition, const std::string& what) {
    if (!condition) throw FormatError(what);
}

void checkRange(const Bytes& bytes, std::size_t offset, std::size_t size) {
    require(offset <= bytes.size() && size <= bytes.size() - offset,
            "read past the end of a type-library part");
}

Bytes slice(const Bytes& file, std::int64_t offset, std::int64_t size, const char* what) {
    require(offset >= 0 && size >= 0 && static_cast<std::uint64_t>(offset + size) <= file.size(),
            std::string(what) + " lies outside the file");
    return Bytes(file.begin() + offset, file.begin() + offset + size);
}

int guidHash(const Guid& guid) {
    unsigned hash = 0;
    for (std::size_t i = 0; i < guid.size(); i += 2) hash ^= guid[i] | (guid[i + 1] << 8u);
    return static_cast<int>(hash & (GuidHashBuckets - 1));
}

}  // namespace

std::int32_t readI32(const Bytes& bytes, std::size_t offset) {
    checkRange(bytes, offset, 4);
    return static_cast<std::int32_t>(bytes[offset] | (bytes[offset + 1] << 8) |
                                     (bytes[offset + 2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[offset + 3]) << 24));
}

std::int16_t readI16(const Bytes& bytes, std::size_t offset) {
    checkRange(bytes, offset, 2);
    return static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

void writeI32(Bytes& bytes, std::size_t offset, std::int32_t value) {
    checkRange(bytes, offset, 4);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void writeI16(Bytes& bytes, std::size_t offset, std::int16_t value) {
    checkRange(bytes, offset, 2);
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void appendI32(Bytes& bytes, std::int32_t value) {
    bytes.resize(bytes.size() + 4);
    writeI32(bytes, bytes.size() - 4, value);
}

std::string formatGuid(const Guid& g) {
    char text[39];
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  g[3], g[2], g[1], g[0], g[5], g[4], g[7], g[6], g[8], g[9], g[10], g[11],
                  g[12], g[13], g[14], g[15]);
    return text;
}

MsftFile MsftFile::parse(const Bytes& file) {
    MsftFile lib;
    const std::size_t headerSize = hdr::WordCount * 4;
    require(file.size() >= headerSize, "file too short for a type-library header");
    for (std::size_t i = 0; i < hdr::WordCount; ++i) lib.header_[i] = readI32(file, 4 * i);
    require(lib.header_[0] == MsftMagic, "not an MSFT type library");
    require(lib.header_[1] == MsftFormatVersion, "unknown MSFT format version");

    std::size_t pos = headerSize;
    if (lib.header_[hdr::VarFlags] & HelpStringDllFlag) {
        lib.helpStringDll_ = readI32(file, pos);
        pos += 4;
    }
    const std::int32_t count = lib.header_[hdr::TypeInfoCount];
    require(count >= 0 && static_cast<std::size_t>(count) <= (file.size() - pos) / 4,
            "implausible number of type infos");
    for (std::int32_t i = 0; i < count; ++i, pos += 4)
        lib.typeInfoOffsets_.push_back(readI32(file, pos));

    for (int s = 0; s < SegmentCount; ++s, pos += SegmentDirEntrySize) {
        const std::int32_t offset = readI32(file, pos);
        const std::int32_t length = readI32(file, pos + 4);
        SegmentPart& part = lib.segments_[s];
        part.reserved8 = readI32(file, pos + 8);
        part.reservedC = readI32(file, pos + 12);
        if (offset != -1) part.data = slice(file, offset, length, "a segment");
    }

    for (int i = 0; i < count; ++i) {
        const std::size_t record = lib.typeInfoOffset(i);
        const std::int32_t elements = lib.typeInfoField(i, ti::ElementCounts);
        const std::int64_t memberCount = (elements & 0xffff) + ((elements >> 16) & 0xffff);
        Bytes block;
        if (memberCount > 0) {
            const std::int32_t memOffset = readI32(lib.segment(SegTypeInfo), record + 4);
            const std::int32_t recordsSize = readI32(file, memOffset);
            block = slice(file, memOffset, 4 + std::int64_t{recordsSize} + 12 * memberCount,
                          "a type info's member records");
        }
        lib.members_.push_back(std::move(block));
    }
    return lib;
}

Bytes MsftFile::serialize() const {
    auto pos = static_cast<std::int32_t>(hdr::WordCount * 4 + (helpStringDll_ ? 4 : 0) +
                                         4 * typeInfoOffsets_.size() + SegmentCount * SegmentDirEntrySize);
    std::array<std::int32_t, SegmentCount> segmentOffset;
    for (Segment s : FileOrder) {
        const auto length = static_cast<std::int32_t>(segments_[s].data.size());
        segmentOffset[s] = length ? pos : -1;
        pos += length;
    }
    Bytes typeInfos = segments_[SegTypeInfo].data;
    for (int i = 0; i < typeInfoCount(); ++i) {
        writeI32(typeInfos, typeInfoOffset(i) + 4, pos);  // where its members start
        pos += static_cast<std::int32_t>(members_[i].size());
    }

    Bytes out;
    out.reserve(pos);
    auto header = header_;
    header[hdr::TypeInfoCount] = typeInfoCount();
    for (std::int32_t word : header) appendI32(out, word);
    if (helpStringDll_) appendI32(out, *helpStringDll_);
    for (std::int32_t offset : typeInfoOffsets_) appendI32(out, offset);
    for (int s = 0; s < SegmentCount; ++s) {
        appendI32(out, segmentOffset[s]);
        appendI32(out, static_cast<std::int32_t>(segments_[s].data.size()));
        appendI32(out, segments_[s].reserved8);
        appendI32(out, segments_[s].reservedC);
    }
    for (Segment s : FileOrder) {
        const Bytes& data = s == SegTypeInfo ? typeInfos : segments_[s].data;
        out.insert(out.end(), data.begin(), data.end());
    }
    for (const Bytes& block : members_) out.insert(out.end(), block.begin(), block.end());
    return out;
}

std::size_t MsftFile::typeInfoOffset(int index) const {
    const std::int32_t offset = typeInfoOffsets_.at(index);
    require(offset >= 0 &&
                static_cast<std::size_t>(offset) + ti::RecordSize <= segment(SegTypeInfo).size(),
            "type info record outside its segment");
    return static_cast<std::size_t>(offset);
}

std::int32_t MsftFile::typeInfoField(int index, std::size_t field) const {
    return readI32(segment(SegTypeInfo), typeInfoOffset(index) + field);
}

void MsftFile::setTypeInfoField(int index, std::size_t field, std::int32_t value) {
    writeI32(segment(SegTypeInfo), typeInfoOffset(index) + field, value);
}

std::string MsftFile::typeInfoName(int index) const {
    return nameAt(typeInfoField(index, ti::NameOffset));
}

std::optional<int> MsftFile::findTypeInfo(const std::string& name) const {
    for (int i = 0; i < typeInfoCount(); ++i)
        if (typeInfoName(i) == name) return i;
    return std::nullopt;
}

// A name entry: href type, next in hash bucket, length byte, a byte, hash, characters.
std::string MsftFile::nameAt(std::int32_t offset) const {
    const Bytes& names = segment(SegName);
    require(offset >= 0, "missing name");
    checkRange(names, offset, 12);
    const std::size_t length = names[offset + 8];
    checkRange(names, offset + 12, length);
    return std::string(names.begin() + offset + 12, names.begin() + offset + 12 + length);
}

Guid MsftFile::guidAt(std::int32_t offset) const {
    const Bytes& guids = segment(SegGuid);
    require(offset >= 0, "missing GUID");
    checkRange(guids, offset, GuidEntrySize);
    Guid guid;
    std::copy_n(guids.begin() + offset, guid.size(), guid.begin());
    return guid;
}

std::optional<std::int32_t> MsftFile::findGuid(const Guid& guid) const {
    std::int32_t offset = readI32(segment(SegGuidHash), 4 * guidHash(guid));
    // A corrupt bucket chain could loop; it cannot be longer than the table.
    for (std::size_t steps = 0; offset != -1; ++steps) {
        require(steps <= segment(SegGuid).size() / GuidEntrySize, "GUID hash chain loops");
        if (guidAt(offset) == guid) return offset;
        offset = readI32(segment(SegGuid), offset + 20);
    }
    return std::nullopt;
}

std::int32_t MsftFile::addGuid(const Guid& guid, std::int32_t hrefType) {
    if (auto found = findGuid(guid)) return *found;
    Bytes& guids = segment(SegGuid);
    const auto offset = static_cast<std::int32_t>(guids.size());
    const std::size_t bucket = 4 * guidHash(guid);
    guids.insert(guids.end(), guid.begin(), guid.end());
    appendI32(guids, hrefType);
    appendI32(guids, readI32(segment(SegGuidHash), bucket));
    writeI32(segment(SegGuidHash), bucket, offset);
    return offset;
}

}  // namespace zelva::typelib
