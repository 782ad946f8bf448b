#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "payloads/ToolCheck.h"
#include "tests/fixtures/ToolFixture.h"

namespace {

ToolFixture Imaging() {
    return MatchingFixture(kImagingToolExpected);
}
ToolFixture Boot() {
    return MatchingFixture(kBootSectorToolExpected);
}

template <typename Change>
ToolFixture With(ToolFixture f, Change change) {
    change(f);
    return f;
}

TEST(CheckTool, NamesEveryFieldInWhichAFileDiffersFromTheCarriedTool) {
    const std::string unsignedBoot =
        "signature: found none, wanted an Authenticode signature of 8504 bytes at offset 101888";
    const struct {
        const char* name;
        ToolFixture fixture;
        const ExpectedTool& expected;
        std::vector<std::string> mismatches;
    } cases[] = {
        {"the imaging tool", Imaging(), kImagingToolExpected, {}},
        {"the boot sector tool", Boot(), kBootSectorToolExpected, {}},
        {"a name in other letter case",
         With(Imaging(), [](auto& f) { f.originalFileName = "imagex.exe"; }),
         kImagingToolExpected,
         {}},
        {"an x64 build",
         With(Imaging(), [](auto& f) { f.machine = 0x8664; }),
         kImagingToolExpected,
         {"machine: found x64 (0x8664), wanted x86 (0x14c)", "format: found PE32+, wanted PE32"}},
        {"a GUI program",
         With(Boot(), [](auto& f) { f.subsystem = 2; }),
         kBootSectorToolExpected,
         {"subsystem: found Windows GUI (2), wanted console (3)"}},
        {"another version",
         With(Boot(),
              [](auto& f) {
                  f.version = {6, 2, 9200, 16384};
              }),
         kBootSectorToolExpected,
         {"file version: found 6.2.9200.16384, wanted 6.2.8250.0"}},
        {"the other tool",
         Boot(),
         kImagingToolExpected,
         {"file version: found 6.2.8250.0, wanted 6.2.8102.0",
          "original file name: found \"bootsect.exe\", wanted \"IMAGEX.EXE\"",
          "size: found 110392 bytes, wanted 571904 bytes"}},
        {"no version record",
         With(Imaging(), [](auto& f) { f.hasVersionRecord = false; }),
         kImagingToolExpected,
         {"file version: found no version record, wanted 6.2.8102.0",
          "original file name: found none, wanted \"IMAGEX.EXE\""}},
        {"unsigned", With(Boot(), [](auto& f) { f.signatureSize = 0; }), kBootSectorToolExpected, {unsignedBoot}},
        {"a shorter signature at the end",
         With(Boot(), [](auto& f) { f.signatureSize = 4000; }),
         kBootSectorToolExpected,
         {"signature: found an Authenticode signature of 4000 bytes at offset 106392, wanted an Authenticode "
          "signature of 8504 bytes at offset 101888"}},
        {"cut short",
         With(Boot(), [](auto& f) { f.keptBytes = 60000; }),
         kBootSectorToolExpected,
         {"size: found 60000 bytes, wanted 110392 bytes",
          "signature: found 8504 bytes at offset 101888, past the end of the file, wanted an Authenticode "
          "signature of 8504 bytes at offset 101888"}},
        {"padded after the signature",
         With(Boot(), [](auto& f) { f.size += 16; }),
         kBootSectorToolExpected,
         {"size: found 110408 bytes, wanted 110392 bytes",
          "signature: found an Authenticode signature of 8504 bytes at offset 101904, wanted an Authenticode "
          "signature of 8504 bytes at offset 101888"}},
    };
    for (const auto& c : cases) {
        const ToolCheckResult result = CheckTool(FixtureBytes(c.fixture), c.expected);
        EXPECT_EQ(result.notExecutable, "") << c.name;
        EXPECT_EQ(result.mismatches, c.mismatches) << c.name;
    }
}

TEST(CheckTool, SaysWhyAFileIsNoPeExecutable) {
    std::string noPeHeader = FixtureBytes(Imaging());
    noPeHeader[0x80] = 'X';
    std::string unknownFormat = FixtureBytes(Imaging());
    unknownFormat[0x98] = 0x07;
    const struct {
        const char* name;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"empty", "", "no MZ header"},
        {"text", "#!/bin/sh\necho imagex\n", "no MZ header"},
        {"only MZ", "MZ", "no PE header where the MZ header points"},
        {"no PE signature", noPeHeader, "no PE header where the MZ header points"},
        {"cut in the file header", FixtureBytes(With(Imaging(), [](auto& f) { f.keptBytes = 0x90; })),
         "the PE header is cut short"},
        {"cut in the optional header", FixtureBytes(With(Imaging(), [](auto& f) { f.keptBytes = 0xa0; })),
         "the PE header is cut short"},
        {"a ROM image", unknownFormat, "the optional header has the unknown format 0x107"},
        {"cut in the section table", FixtureBytes(With(Imaging(), [](auto& f) { f.keptBytes = 0x190; })),
         "the section table is cut short"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckTool(c.bytes, kImagingToolExpected).notExecutable, c.reason) << c.name;
    }
}

// Every prefix of a tool is read within its bounds (AddressSanitizer in the asan tree shows any
// read past the end); a prefix that still holds the headers is a PE file of the wrong size.
TEST(CheckTool, ReadsEveryPrefixOfAToolWithinItsBounds) {
    const std::string whole = FixtureBytes(Boot());
    for (std::size_t kept = 0; kept <= 0x600; ++kept) {
        const std::string prefix(whole, 0, kept);
        const ToolCheckResult result = CheckTool(prefix, kBootSectorToolExpected);
        if (result.notExecutable.empty()) {
            EXPECT_NE(std::find(result.mismatches.begin(), result.mismatches.end(),
                                "size: found " + std::to_string(kept) + " bytes, wanted 110392 bytes"),
                      result.mismatches.end())
                << kept;
        }
    }
}

}  // namespace
