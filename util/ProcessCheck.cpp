#include "util/ProcessCheck.h"

#include "util/TextRules.h"

bool IsProcessRunning(SystemServices& system, Text& name) {
    const std::unique_ptr<ProcessSnapshot> snapshot = system.TakeProcessSnapshot();
    if (!snapshot) return false;
    name = FoldAsciiCase(name);  // only once a snapshot was had
    for (Text executable; snapshot->NextExecutableName(executable);) {
        if (FoldAsciiCase(executable) == name) return true;  // the first match ends the walk
    }
    return false;
}
