#include <gtest/gtest.h>

#include <vector>

#include "payloads/Payload.h"

namespace {

// A record as the build lays it out: two little-endian words, then the bytes.
std::vector<std::uint8_t> Record(std::uint32_t dimensionCount, std::uint32_t byteCount, const std::string& bytes) {
    std::vector<std::uint8_t> record;
    for (std::uint32_t word : {dimensionCount, byteCount}) {
        for (int shift = 0; shift < 32; shift += 8) record.push_back(static_cast<std::uint8_t>(word >> shift));
    }
    record.insert(record.end(), bytes.begin(), bytes.end());
    return record;
}

TEST(PayloadContent, GivesTheBytesAfterTheHeaderOfAWellFormedRecordOnly) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> record;
        std::string content;  // empty: an empty view
    } cases[] = {
        {"well formed", Record(1, 5, "MZabc"), "MZabc"},
        {"count shorter than what follows", Record(1, 2, "MZabc"), "MZ"},
        {"empty tool", Record(1, 0, ""), ""},
        {"first word not 1", Record(2, 5, "MZabc"), ""},
        {"first word 0", Record(0, 5, "MZabc"), ""},
        {"count beyond the record", Record(1, 6, "MZabc"), ""},
        {"huge count", Record(1, 0xFFFFFFFFu, "MZabc"), ""},
        {"shorter than the header", {1, 0, 0, 0, 5, 0, 0}, ""},
    };
    for (const auto& c : cases) {
        const ByteView view = PayloadContent(c.record.data(), c.record.size());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.data), view.size), c.content) << c.name;
        if (!c.content.empty()) {
            EXPECT_EQ(view.data, c.record.data() + 8) << c.name << ": a view, not a copy";
        }
    }
    EXPECT_TRUE(PayloadContent(nullptr, 16).empty()) << "a null record";
}

}  // namespace
