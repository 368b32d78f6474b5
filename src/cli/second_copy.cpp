#include "cli/second_copy.h"

namespace kestrin::cli {

void printSecondCopyRefusal(const SingleInstanceLock& lock, std::ostream& err)
{
    err << "Nie można uruchomić na raz dwóch kopii tego programu!\n"
        << "kestrin-cli: another Kestrin runs for this user, on this or another program folder";
    if (const long long pid = lock.holderPid(); pid > 0)
        err << " (process " << pid << ")";
    err << "; nothing was changed.\n";
}

} // namespace kestrin::cli
