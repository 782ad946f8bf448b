#pragma once
#include "payloads/Payload.h"

// The content bytes of the two tools the program carries (empty when built without them).
ByteView ImagingToolPayload();
ByteView BootSectorToolPayload();
Payloads EmbeddedPayloads();
