#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/Text.h"

// An embedded tool: a record of a 32-bit word holding 1, a 32-bit byte count N and the
// N bytes of the file, stored plain in read-only data.
struct PayloadRecordHeader {
    std::uint32_t dimensionCount;
    std::uint32_t byteCount;
};

// The content bytes of a record; an empty view for a malformed or missing record.
ByteView PayloadContent(const std::uint8_t* record, std::size_t recordSize);

struct Payloads {
    ByteView imagingTool;
    ByteView bootSectorTool;
};
