#include "util/TextRules.h"

Text FoldAsciiCase(const Text& text) {
    Text folded = text;
    // A double-byte character is stepped over whole: its second byte is never folded.
    for (std::size_t i = 0; i < folded.size(); i += CharacterLength(folded, i)) {
        const unsigned char byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 0x41 && byte <= 0x5A) folded[i] = static_cast<char>(byte + 0x20);
    }
    return folded;
}

std::vector<Text> SplitPathElements(const Text& path) {
    std::vector<Text> elements;
    Text current;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = CharacterLength(path, i);
        if (path[i] == '\\') {
            elements.push_back(current);
            current.clear();
        } else {
            current.append(path, i, length);
        }
        i += length;
    }
    if (!current.empty()) elements.push_back(current);
    return elements;
}

bool IsBlankPath(const Text& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == ' ') continue;
        if (static_cast<unsigned char>(path[i]) == 0xA1 && i + 1 < path.size() &&
            static_cast<unsigned char>(path[i + 1]) == 0xA1) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}
