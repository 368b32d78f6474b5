#include "storage/folder_access.h"

#include "storage/atomic_file.h"
#include "storage/temporary_file.h"

#include <unistd.h>

namespace kestrin {

// One byte is written too: a full disk still lets a file be created.
bool folderWritable(const std::string& folder)
{
    TemporaryFile probe(folder);
    return probe.tryCreate() && ::write(probe.descriptor(), "k", 1) == 1;
}

std::optional<std::string> unwritableProgramFolder(const std::string& programFolder)
{
    for (const char* name : {"/config", "/archive"}) {
        const std::string folder = programFolder + name;
        try {
            ensureFolder(folder);
        } catch (const EFileError&) {
            return folder;
        }
        if (!folderWritable(folder))
            return folder;
    }
    return std::nullopt;
}

} // namespace kestrin
