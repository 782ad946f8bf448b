#include "payloads/ToolCheck.h"

#include <cstdio>
#include <optional>

const ExpectedTool kImagingToolExpected = {"IMAGEX.EXE", {6, 2, 8102, 0}, 571904, 0};
const ExpectedTool kBootSectorToolExpected = {"bootsect.exe", {6, 2, 8250, 0}, 110392, 8504};

namespace {

constexpr std::uint16_t kMachineX86 = 0x14c;
constexpr std::uint16_t kSubsystemConsole = 3;
constexpr std::uint16_t kPe32 = 0x10b;
constexpr std::uint16_t kPe32Plus = 0x20b;
constexpr std::uint32_t kResourceDirectory = 2;
constexpr std::uint32_t kSecurityDirectory = 4;
constexpr std::uint32_t kVersionResourceType = 16;
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::uint16_t kCertificateRevision2 = 0x0200;
constexpr std::uint16_t kCertificatePkcsSignedData = 0x0002;

// Little-endian reads; every read is checked against the file's end first.
class Bytes {
public:
    explicit Bytes(const std::string& bytes) : bytes_(bytes) {}
    std::uint64_t Size() const { return bytes_.size(); }
    bool Has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    std::uint32_t Word(std::uint64_t offset, int width) const {
        std::uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        return value;
    }
    std::optional<std::uint16_t> U16(std::uint64_t offset) const {
        if (!Has(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(Word(offset, 2));
    }
    std::optional<std::uint32_t> U32(std::uint64_t offset) const {
        if (!Has(offset, 4)) return std::nullopt;
        return Word(offset, 4);
    }

private:
    const std::string& bytes_;
};

struct DataDirectory {
    std::uint32_t address = 0;
    std::uint32_t size = 0;
};

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

struct PeHeaders {
    std::uint16_t machine = 0;
    std::uint16_t format = 0;
    std::uint16_t subsystem = 0;
    DataDirectory resources;
    DataDirectory security;
    std::vector<Section> sections;
};

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

std::string Number(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
    return text;
}

std::string MachineName(std::uint16_t machine) {
    switch (machine) {
    case kMachineX86: return "x86 (0x14c)";
    case 0x8664: return "x64 (0x8664)";
    case 0x1c4: return "ARM (0x1c4)";
    case 0xaa64: return "ARM64 (0xaa64)";
    default: return Hex(machine);
    }
}

std::string SubsystemName(std::uint16_t subsystem) {
    switch (subsystem) {
    case 2: return "Windows GUI (2)";
    case kSubsystemConsole: return "console (3)";
    default: return Number(subsystem);
    }
}

std::string VersionText(const FileVersion& v) {
    return Number(v.major) + "." + Number(v.minor) + "." + Number(v.build) + "." + Number(v.revision);
}

// The headers a PE file must have; the reason in `problem` when they are not there.
std::optional<PeHeaders> ReadHeaders(const Bytes& file, std::string& problem) {
    if (file.U16(0) != 0x5a4d) {
        problem = "no MZ header";
        return std::nullopt;
    }
    const auto peOffset = file.U32(0x3c);
    if (!peOffset || file.U32(*peOffset) != 0x00004550) {
        problem = "no PE header where the MZ header points";
        return std::nullopt;
    }
    const std::uint64_t fileHeader = *peOffset + 4ull;
    const std::uint64_t optionalHeader = fileHeader + 20;
    const auto machine = file.U16(fileHeader);
    const auto sectionCount = file.U16(fileHeader + 2);
    const auto optionalSize = file.U16(fileHeader + 16);
    const auto format = file.U16(optionalHeader);
    if (!machine || !sectionCount || !optionalSize || !format) {
        problem = "the PE header is cut short";
        return std::nullopt;
    }
    if (*format != kPe32 && *format != kPe32Plus) {
        problem = "the optional header has the unknown format " + Hex(*format);
        return std::nullopt;
    }
    const std::uint64_t directories = optionalHeader + (*format == kPe32 ? 96 : 112);
    const auto directoryCount = file.U32(directories - 4);
    const auto subsystem = file.U16(optionalHeader + 68);
    if (!directoryCount || !subsystem || !file.Has(optionalHeader, *optionalSize)) {
        problem = "the PE header is cut short";
        return std::nullopt;
    }
    PeHeaders headers;
    headers.machine = *machine;
    headers.format = *format;
    headers.subsystem = *subsystem;
    auto directory = [&](std::uint32_t index) {
        DataDirectory d;
        const std::uint64_t at = directories + 8ull * index;
        if (index < *directoryCount && at + 8 <= optionalHeader + *optionalSize) {
            d.address = file.Word(at, 4);
            d.size = file.Word(at + 4, 4);
        }
        return d;
    };
    headers.resources = directory(kResourceDirectory);
    headers.security = directory(kSecurityDirectory);
    const std::uint64_t sectionTable = optionalHeader + *optionalSize;
    if (!file.Has(sectionTable, 40ull * *sectionCount)) {
        problem = "the section table is cut short";
        return std::nullopt;
    }
    for (std::uint16_t i = 0; i < *sectionCount; ++i) {
        const std::uint64_t at = sectionTable + 40ull * i;
        headers.sections.push_back(
            {file.Word(at + 12, 4), file.Word(at + 8, 4), file.Word(at + 20, 4), file.Word(at + 16, 4)});
    }
    return headers;
}

// The file offset of `length` bytes at `rva`, when a section's raw data in the file holds them.
std::optional<std::uint64_t> FileOffsetOf(const Bytes& file,
                                          const PeHeaders& headers,
                                          std::uint32_t rva,
                                          std::uint32_t length) {
    for (const Section& s : headers.sections) {
        const std::uint64_t start = s.virtualAddress;
        if (rva < start || rva - start >= s.rawSize) continue;
        const std::uint64_t offset = s.rawOffset + (rva - start);
        if (rva - start + std::uint64_t{length} > s.rawSize || !file.Has(offset, length)) return std::nullopt;
        return offset;
    }
    return std::nullopt;
}

// One block of a version record: its key, where its value and its children are, where it ends.
struct VersionBlock {
    std::u16string key;
    std::uint16_t valueLength = 0;
    std::uint64_t value = 0;
    std::uint64_t children = 0;
    std::uint64_t end = 0;
};

std::uint64_t AlignedTo4(std::uint64_t base, std::uint64_t offset) {
    return base + ((offset - base + 3) & ~3ull);
}

std::optional<VersionBlock> ReadBlock(const Bytes& file, std::uint64_t base, std::uint64_t at, std::uint64_t limit) {
    const auto length = file.U16(at);
    const auto valueLength = file.U16(at + 2);
    const auto type = file.U16(at + 4);
    if (!length || !valueLength || !type || *length < 6 || at + *length > limit) return std::nullopt;
    VersionBlock block;
    block.end = at + *length;
    std::uint64_t cursor = at + 6;
    for (;;) {
        const auto unit = file.U16(cursor);
        if (!unit || cursor + 2 > block.end) return std::nullopt;
        cursor += 2;
        if (*unit == 0) break;
        block.key.push_back(static_cast<char16_t>(*unit));
    }
    block.valueLength = *valueLength;
    block.value = AlignedTo4(base, cursor);
    // A text value's length counts characters, a binary one's bytes.
    const std::uint64_t valueBytes = *type == 1 ? 2ull * *valueLength : *valueLength;
    block.children = AlignedTo4(base, block.value + valueBytes);
    return block;
}

std::optional<std::vector<VersionBlock>> Children(const Bytes& file, std::uint64_t base, const VersionBlock& parent) {
    std::vector<VersionBlock> children;
    for (std::uint64_t at = parent.children; at + 6 <= parent.end; at = AlignedTo4(base, at)) {
        const auto child = ReadBlock(file, base, at, parent.end);
        if (!child) return std::nullopt;
        children.push_back(*child);
        at = child->end;
    }
    return children;
}

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

struct VersionRecord {
    FileVersion version{};
    std::optional<std::string> originalFileName;
};

// The version record's data: the first version resource, whatever its name and language.
std::optional<std::uint64_t> VersionResource(const Bytes& file, const PeHeaders& headers, std::uint32_t& size) {
    const DataDirectory& table = headers.resources;
    if (table.size == 0) return std::nullopt;
    const auto root = FileOffsetOf(file, headers, table.address, 16);
    if (!root) return std::nullopt;
    // Each level: a directory's entries; the type level is searched for RT_VERSION, the name and
    // language levels give their first entry.
    std::uint64_t directory = *root;
    std::uint32_t entryData = 0;
    for (int level = 0; level < 3; ++level) {
        const auto named = file.U16(directory + 12);
        const auto numbered = file.U16(directory + 14);
        if (!named || !numbered) return std::nullopt;
        std::optional<std::uint32_t> found;
        for (std::uint32_t i = 0; i < std::uint32_t{*named} + *numbered; ++i) {
            const auto id = file.U32(directory + 16 + 8ull * i);
            const auto data = file.U32(directory + 20 + 8ull * i);
            if (!id || !data) return std::nullopt;
            if (level > 0 || *id == kVersionResourceType) {
                found = *data;
                break;
            }
        }
        if (!found) return std::nullopt;
        entryData = *found;
        const bool isDirectory = (entryData & 0x80000000u) != 0;
        if (isDirectory != (level < 2)) return std::nullopt;
        directory = *root + (entryData & 0x7fffffffu);
    }
    const auto dataRva = file.U32(directory);
    const auto dataSize = file.U32(directory + 4);
    if (!dataRva || !dataSize) return std::nullopt;
    size = *dataSize;
    return FileOffsetOf(file, headers, *dataRva, *dataSize);
}

std::optional<VersionRecord> ReadVersionRecord(const Bytes& file, const PeHeaders& headers) {
    std::uint32_t size = 0;
    const auto base = VersionResource(file, headers, size);
    if (!base) return std::nullopt;
    const auto root = ReadBlock(file, *base, *base, *base + size);
    if (!root || root->key != u"VS_VERSION_INFO" || root->valueLength < 52 ||
        file.U32(root->value) != kFixedFileInfoSignature) {
        return std::nullopt;
    }
    VersionRecord record;
    const std::uint32_t high = file.Word(root->value + 8, 4), low = file.Word(root->value + 12, 4);
    record.version = {static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high),
                      static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low)};
    const auto blocks = Children(file, *base, *root);
    if (!blocks) return record;
    for (const VersionBlock& block : *blocks) {
        if (block.key != u"StringFileInfo") continue;
        const auto tables = Children(file, *base, block);
        for (const VersionBlock& table : tables.value_or(std::vector<VersionBlock>{})) {
            const auto strings = Children(file, *base, table);
            for (const VersionBlock& entry : strings.value_or(std::vector<VersionBlock>{})) {
                if (entry.key != u"OriginalFilename") continue;
                std::u16string value;
                for (std::uint64_t at = entry.value; at + 2 <= entry.end && file.Word(at, 2) != 0; at += 2) {
                    value.push_back(static_cast<char16_t>(file.Word(at, 2)));
                }
                record.originalFileName = Narrow(value);
                return record;
            }
        }
    }
    return record;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string SignatureText(std::uint64_t size, std::uint64_t offset) {
    return "an Authenticode signature of " + Number(size) + " bytes at offset " + Number(offset);
}

// What the security directory points at, in the words of SignatureText when it is a signature.
std::string SignatureFound(const Bytes& file, const DataDirectory& security) {
    if (security.size == 0) return "none";
    const std::string place = Number(security.size) + " bytes at offset " + Number(security.address);
    if (!file.Has(security.address, security.size)) return place + ", past the end of the file";
    if (std::uint64_t{security.address} + security.size != file.Size()) return place + ", not at the end of the file";
    const auto length = file.U32(security.address);
    const auto revision = file.U16(security.address + 4);
    const auto type = file.U16(security.address + 6);
    if (!length || *length < 8 || *length > security.size || revision != kCertificateRevision2 ||
        type != kCertificatePkcsSignedData) {
        return place + " that are no Authenticode certificate";
    }
    return SignatureText(security.size, security.address);
}

}  // namespace

ToolCheckResult CheckTool(const std::string& bytes, const ExpectedTool& expected) {
    ToolCheckResult result;
    const Bytes file(bytes);
    const auto headers = ReadHeaders(file, result.notExecutable);
    if (!headers) return result;
    auto mismatch = [&](const std::string& field, const std::string& found, const std::string& wanted) {
        if (found != wanted) result.mismatches.push_back(field + ": found " + found + ", wanted " + wanted);
    };
    mismatch("machine", MachineName(headers->machine), MachineName(kMachineX86));
    mismatch("format", headers->format == kPe32 ? "PE32" : "PE32+", "PE32");
    mismatch("subsystem", SubsystemName(headers->subsystem), SubsystemName(kSubsystemConsole));
    const auto record = ReadVersionRecord(file, *headers);
    mismatch("file version", record ? VersionText(record->version) : "no version record",
             VersionText(expected.version));
    const std::string wantedName = std::string("\"") + expected.originalFileName + "\"";
    const std::string foundName = record && record->originalFileName ? "\"" + *record->originalFileName + "\"" : "none";
    if (!SameIgnoringCase(foundName, wantedName)) mismatch("original file name", foundName, wantedName);
    mismatch("size", Number(file.Size()) + " bytes", Number(expected.size) + " bytes");
    if (expected.signatureSize != 0) {
        mismatch("signature", SignatureFound(file, headers->security),
                 SignatureText(expected.signatureSize, expected.size - expected.signatureSize));
    }
    return result;
}
