#include "cli/start_refusals.h"

#include "text/cp1250.h"

namespace kestrin::cli {

void printSecondCopy(const SingleInstanceLock& lock, std::ostream& err)
{
    err << "Nie można uruchomić na raz dwóch kopii tego programu!\n"
        << "kestrin-cli: another Kestrin runs for this user, on this or another program folder";
    if (const long long pid = lock.holderPid(); pid > 0)
        err << " (process " << pid << ")";
    err << "; nothing was changed.\n";
}

void printLoadFailure(const LoadResult& loaded, std::ostream& err)
{
    err << cp1250ToUtf8(loaded.message);
    if (loaded.detail != loaded.message)
        err << " (" << cp1250ToUtf8(loaded.detail) << ")";
    err << '\n';
}

} // namespace kestrin::cli
