#pragma once
// Whether a file is the tool this program carries, read from its PE headers and version record
// without loading it. The build runs this on the host before it embeds a tool.
#include <cstdint>
#include <string>
#include <vector>

struct FileVersion {
    std::uint16_t major, minor, build, revision;
};

struct ExpectedTool {
    const char* originalFileName;  // from the version record, compared without regard to case
    FileVersion version;
    std::uint64_t size;
    std::uint32_t signatureSize;  // an Authenticode signature filling the file's end; 0: none asked for
};

// The two tools this program carries: 32-bit x86 console programs.
extern const ExpectedTool kImagingToolExpected;
extern const ExpectedTool kBootSectorToolExpected;

struct ToolCheckResult {
    std::string notExecutable;            // why the file is no PE executable; empty: it is one
    std::vector<std::string> mismatches;  // "FIELD: found X, wanted Y", one per field
};

ToolCheckResult CheckTool(const std::string& bytes, const ExpectedTool& expected);
