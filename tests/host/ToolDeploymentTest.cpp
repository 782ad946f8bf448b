#include <gtest/gtest.h>

#include "tests/fakes/FakeSystem.h"
#include "tests/fakes/FakeWindow.h"
#include "workflow/Workflow.h"

namespace {

const std::string kTool = "MZ imaging tool bytes";

ByteView View(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

TEST(OnWindowCreated, WritesTheImagingToolOnlyWhenItIsMissing) {
    const struct {
        const char* name;
        bool fileThere, directoryThere, noRights, emptyPayload, noSystemDirectory;
        bool written;
    } cases[] = {
        {"missing", false, false, false, false, false, true},
        {"present with other bytes", true, false, false, false, false, false},
        {"a directory of that name", false, true, false, false, false, false},
        {"no rights", false, false, true, false, false, false},
        {"empty payload", false, false, false, true, false, false},
        {"no system directory", false, false, false, false, true, false},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        system.AddDirectory("C:\\Windows\\system32");
        if (c.fileThere) system.AddFile("C:\\Windows\\system32\\IMAGEX.EXE", "old");
        if (c.directoryThere) system.AddDirectory("C:\\Windows\\system32\\imagex.exe");
        if (c.noRights) system.failingWrites.insert("C:\\WINDOWS\\SYSTEM32\\IMAGEX.EXE");
        if (c.noSystemDirectory) system.systemDirectory = "";
        FakeWindow window;
        Payloads payloads{c.emptyPayload ? ByteView{} : View(kTool), {}};
        Workflow workflow(system, window, payloads);

        workflow.OnWindowCreated();

        const std::string* bytes = system.FileBytes("C:\\Windows\\system32\\imagex.exe");
        EXPECT_EQ(bytes != nullptr && *bytes == kTool, c.written) << c.name;
        if (c.written) {
            ASSERT_EQ(system.writes.size(), 1u);
            EXPECT_EQ(system.writes[0], "C:\\Windows\\system32\\\\imagex.exe") << "the doubled separator is kept";
        }
        if (c.fileThere) {
            EXPECT_EQ(*system.FileBytes("C:\\Windows\\system32\\imagex.exe"), "old");
        }
        if (c.emptyPayload || c.noSystemDirectory || c.fileThere || c.directoryThere) {
            EXPECT_TRUE(system.writes.empty()) << c.name;
        }
        EXPECT_TRUE(window.boxes.empty()) << c.name;
    }
}

}  // namespace
