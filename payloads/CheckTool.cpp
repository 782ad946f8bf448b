// Run by the build on the host before it embeds a tool:
//   vandrell_check_tool imaging|boot FILE
// prints one line for each field in which FILE differs from the tool this program carries.
// Exit status: 0 it is that tool; 1 it differs; 2 it is no PE executable or cannot be read.
#include <cstdio>
#include <cstring>
#include <string>

#include "payloads/ToolCheck.h"

namespace {

bool ReadFile(const char* path, std::string& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const bool imaging = argc == 3 && std::strcmp(argv[1], "imaging") == 0;
    const bool boot = argc == 3 && std::strcmp(argv[1], "boot") == 0;
    if (!imaging && !boot) {
        std::fprintf(stderr, "usage: %s imaging|boot FILE\n", argv[0]);
        return 2;
    }
    std::string bytes;
    if (!ReadFile(argv[2], bytes)) {
        std::printf("cannot be read\n");
        return 2;
    }
    const ToolCheckResult result = CheckTool(bytes, imaging ? kImagingToolExpected : kBootSectorToolExpected);
    if (!result.notExecutable.empty()) {
        std::printf("is no PE executable (%s)\n", result.notExecutable.c_str());
        return 2;
    }
    for (const std::string& line : result.mismatches) std::printf("%s\n", line.c_str());
    return result.mismatches.empty() ? 0 : 1;
}
