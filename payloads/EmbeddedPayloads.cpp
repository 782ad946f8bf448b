#include "payloads/EmbeddedPayloads.h"

// Records assembled from the tools' files at build time (payloads.S), in read-only data.
extern "C" const std::uint8_t ImagingToolPayloadRecord[];
extern "C" const std::uint8_t ImagingToolPayloadRecordEnd[];
extern "C" const std::uint8_t BootSectorToolPayloadRecord[];
extern "C" const std::uint8_t BootSectorToolPayloadRecordEnd[];

ByteView ImagingToolPayload() {
    return PayloadContent(ImagingToolPayloadRecord,
                          static_cast<std::size_t>(ImagingToolPayloadRecordEnd - ImagingToolPayloadRecord));
}

ByteView BootSectorToolPayload() {
    return PayloadContent(BootSectorToolPayloadRecord,
                          static_cast<std::size_t>(BootSectorToolPayloadRecordEnd - BootSectorToolPayloadRecord));
}

Payloads EmbeddedPayloads() {
    return {ImagingToolPayload(), BootSectorToolPayload()};
}
