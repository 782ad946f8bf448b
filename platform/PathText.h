#pragma once
#include "platform/Text.h"

// Code page 936 text: a byte of 0x80 or above followed by a non-zero byte is one double-byte
// character, whose second byte may be 0x5C and is then no separator.
inline std::size_t CharacterLength(const Text& text, std::size_t at) {
    const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
    return lead && at + 1 < text.size() && text[at + 1] != '\0' ? 2 : 1;
}

// The position of the last "\" separator, or npos.
inline std::size_t LastSeparator(const Text& path) {
    std::size_t last = Text::npos;
    for (std::size_t i = 0; i < path.size(); i += CharacterLength(path, i)) {
        if (path[i] == '\\') last = i;
    }
    return last;
}

// True when the last character is a "\" separator.
inline bool EndsWithSeparator(const Text& path) {
    return !path.empty() && LastSeparator(path) == path.size() - 1;
}
