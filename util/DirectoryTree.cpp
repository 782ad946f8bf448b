#include "util/DirectoryTree.h"

#include <algorithm>
#include <vector>

#include "util/TextRules.h"

namespace {

void EndWithSeparator(Text& path) {
    if (!EndsWithSeparator(path)) path += '\\';
}

}  // namespace

int CreateDirectoryTree(SystemServices& system, Text& path) {
    if (IsBlankPath(path)) return -1;
    if (EndsWithSeparator(path)) path.pop_back();

    if (system.FindsDirectory(path)) {
        EndWithSeparator(path);
        return 0;
    }

    const std::vector<Text> elements = SplitPathElements(path);
    if (elements.empty()) return -1;  // the path was a lone separator
    Text level = elements[0];         // the drive: taken to exist
    Text rollback;
    std::vector<Text> created;
    for (std::size_t i = 1; i < elements.size(); ++i) {
        level += "\\" + elements[i];
        if (!system.FindsDirectory(level)) {
            if (!system.MakeDirectory(level)) {
                // Remove only what this call made: with empty elements, or a level the search
                // cannot see, the rollback target may name a directory that was there before.
                const bool madeHere = std::find(created.begin(), created.end(), rollback) != created.end();
                if (i > 1 && madeHere) system.RemoveDirectoryTree(rollback);
                return -1;
            }
            created.push_back(level);
        } else if (i + 1 < elements.size()) {
            rollback = level + "\\" + elements[i + 1];
        }
    }
    EndWithSeparator(path);
    return 1;
}
