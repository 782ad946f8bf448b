#include <gtest/gtest.h>

#include "util/TextRules.h"

namespace {

TEST(FoldAsciiCase, FoldsOnlyAsciiCapitalsAndStepsOverDoubleByteCharacters) {
    const struct {
        const char* name;
        Text in, out;
    } cases[] = {
        {"ascii capitals", "IMAGEX.EXE", "imagex.exe"},
        {"mixed", "ImageX.Exe", "imagex.exe"},
        {"no letters", "123-_.@[`{", "123-_.@[`{"},
        {"second byte in A-Z stays", "\x81\x41Z", "\x81\x41z"},
        {"second byte 0x5A stays", "A\xB0\x5A", "a\xB0\x5A"},
        {"lone lead byte at the end", "AB\x81", "ab\x81"},
        {"full-width letter stays", "\xA3\xC1X", "\xA3\xC1x"},  // Ａ (U+FF21) in code page 936
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FoldAsciiCase(c.in), c.out) << c.name;
}

TEST(SplitPathElements, SplitsAtSeparatorsButNotInsideDoubleByteCharacters) {
    using Elements = std::vector<Text>;
    const struct {
        Text path;
        Elements elements;
    } cases[] = {
        {"", {}},
        {"E:", {"E:"}},
        {"E:\\Boot", {"E:", "Boot"}},
        {"E:\\Boot\\", {"E:", "Boot"}},
        {"E:\\a\\\\b", {"E:", "a", "", "b"}},
        {"\\\\server\\share", {"", "", "server", "share"}},
        {"\\", {""}},
        {"E:\\\xB1\x5C\\x", {"E:", "\xB1\x5C", "x"}},  // a 0x5C second byte never splits
        {"E:\\\x81", {"E:", "\x81"}},                  // a lone lead byte at the end
        {"a\\b", {"a", "b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitPathElements(c.path), c.elements) << c.path;
}

TEST(EndsWithSeparator, KnowsASecondByteFromASeparator) {
    EXPECT_TRUE(EndsWithSeparator("E:\\"));
    EXPECT_TRUE(EndsWithSeparator("E:\\\xB1\x5C\\"));
    EXPECT_FALSE(EndsWithSeparator("E:\\\xB1\x5C"));
    EXPECT_FALSE(EndsWithSeparator("E:"));
    EXPECT_FALSE(EndsWithSeparator(""));
}

TEST(LastSeparator, SkipsSecondBytesThatAre0x5C) {
    EXPECT_EQ(LastSeparator("F:\\\xB9\xA4\x81\x5C\\\x81\x5C.exe"), 7u);  // F:\工乗\乗.exe
    EXPECT_EQ(LastSeparator("\x81\x5C.exe"), Text::npos);
    EXPECT_EQ(LastSeparator("E:\\"), 2u);
    EXPECT_EQ(LastSeparator(""), Text::npos);
}

TEST(IsBlankPath, IgnoresOnlyHalfAndFullWidthSpaces) {
    EXPECT_TRUE(IsBlankPath(""));
    EXPECT_TRUE(IsBlankPath("   "));
    EXPECT_TRUE(IsBlankPath("\xA1\xA1 \xA1\xA1"));
    EXPECT_FALSE(IsBlankPath("\t"));
    EXPECT_FALSE(IsBlankPath(" E: "));
    EXPECT_FALSE(IsBlankPath("\xA1"));
    // Only A1 A1 is the full-width space; other characters with the lead byte A1 are text.
    EXPECT_FALSE(IsBlankPath("\xA1\xA2"));           // 、
    EXPECT_FALSE(IsBlankPath("\xA1\xA1\xA1\xA3 "));  // full-width space, then 。
    EXPECT_FALSE(IsBlankPath("\xB0\xA1\xA1"));       // 啊 and a lone lead byte
}

}  // namespace
