#pragma once
#include <vector>

#include "platform/PathText.h"
#include "platform/Text.h"

// ASCII capitals to small letters; a byte of 0x80 or above starts a double-byte character
// whose two bytes stay as they are (a lone lead byte at the end stays too).
Text FoldAsciiCase(const Text& text);

// Splits at "\" bytes, stepping over double-byte characters (a lead byte with the high bit
// followed by a non-zero byte), so a 0x5C second byte never splits. Every separator ends an
// element, even an empty one; what follows the last separator counts only when not empty.
std::vector<Text> SplitPathElements(const Text& path);

// True when nothing but half-width (0x20) and full-width (A1 A1) spaces is in the text.
bool IsBlankPath(const Text& path);
