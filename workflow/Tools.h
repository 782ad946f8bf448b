#pragma once
// The two embedded tools: their names, where they go and how they are started.
namespace Tools {
// The imaging tool's file in the system directory, and the name the poll watches for.
inline constexpr char kImagingToolFile[] = "imagex.exe";
// Appended to the system directory, which already ends with "\": the doubled separator is
// kept as the tool's path has always been written; Windows reads it as one.
inline constexpr char kImagingToolInSystemDirectory[] = "\\imagex.exe";
// The imaging command line: "IMAGEX /apply " + image + kImageOneOnto + drive + ":\". Image 1
// of the file; the second space before the drive is kept as the command line has it.
inline constexpr char kImagingCommand[] = "IMAGEX /apply ";
inline constexpr char kImageOneOnto[] = " 1  ";
// After the drive letter: the boot folder and the boot sector tool in it.
inline constexpr char kBootFolder[] = ":\\Boot";
inline constexpr char kBootSectorTool[] = ":\\Boot\\bootsect.exe";
// The boot sector tool's arguments before the drive: BOOTMGR boot code for that volume.
inline constexpr char kBootCodeFor[] = " /nt60 ";
}  // namespace Tools
