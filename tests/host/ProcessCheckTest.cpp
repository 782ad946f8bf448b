#include <gtest/gtest.h>

#include "tests/fakes/FakeSystem.h"
#include "util/ProcessCheck.h"

namespace {

TEST(IsProcessRunning, MatchesWholeNamesWithoutRegardToAsciiCase) {
    const struct {
        std::vector<Text> processes;
        Text name;
        bool expected;
    } cases[] = {
        {{"System", "IMAGEX.EXE"}, "imagex.exe", true},
        {{"ImageX.exe"}, "imagex.exe", true},
        {{"imagex.exe"}, "IMAGEX.EXE", true},
        {{"myimagex.exe", "imagex.exe.old", "imagex"}, "imagex.exe", false},
        {{}, "imagex.exe", false},
        {{"\xA3\xC9MAGEX.EXE"}, "\xA3\xC9magex.exe", true},   // the same full-width letter
        {{"IMAGEX.EXE"}, "\xA3\xC9magex.exe", false},         // its ASCII counterpart
        {{"\xA3\xE9magex.exe"}, "\xA3\xC9magex.exe", false},  // a differently cased full-width letter
        {{""}, "", true},
        {{"a"}, "", false},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        system.processes = c.processes;
        Text name = c.name;
        EXPECT_EQ(IsProcessRunning(system, name), c.expected) << c.name;
        EXPECT_EQ(system.openSnapshots, 0) << "snapshot closed";
    }
}

TEST(IsProcessRunning, StopsAtTheFirstMatch) {
    FakeSystem system;
    system.processes = {"a.exe", "imagex.exe", "imagex.exe", "b.exe"};
    Text name = "imagex.exe";
    EXPECT_TRUE(IsProcessRunning(system, name));
    EXPECT_EQ(system.processStepsTaken, 2);
}

TEST(IsProcessRunning, FoldsTheCallersTextOnceASnapshotWasTaken) {
    FakeSystem system;
    Text name = "IMAGEX.EXE";
    EXPECT_FALSE(IsProcessRunning(system, name));
    EXPECT_EQ(name, "imagex.exe");

    system.listingFails = true;  // the platform failed to take the snapshot
    name = "IMAGEX.EXE";
    EXPECT_FALSE(IsProcessRunning(system, name));
    EXPECT_EQ(name, "imagex.exe");
    EXPECT_EQ(system.openSnapshots, 0);

    system.snapshotFails = true;  // no snapshot at all: nothing to fold, nothing to close
    name = "IMAGEX.EXE";
    EXPECT_FALSE(IsProcessRunning(system, name));
    EXPECT_EQ(name, "IMAGEX.EXE");
}

}  // namespace
