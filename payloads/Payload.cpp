#include "payloads/Payload.h"

#include <cstring>

ByteView PayloadContent(const std::uint8_t* record, std::size_t recordSize) {
    PayloadRecordHeader header{};
    if (record == nullptr || recordSize < sizeof header) return {};
    std::memcpy(&header, record, sizeof header);
    if (header.dimensionCount != 1 || header.byteCount > recordSize - sizeof header) return {};
    return {record + sizeof header, header.byteCount};
}
