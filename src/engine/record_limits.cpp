#include "engine/record_limits.h"

#include "text/cp1250.h"

#include <limits>

namespace kestrin {

size_t recordLimit(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return kMaxAccounts;
    case RecordKind::Rules:
        return kMaxRules;
    case RecordKind::Friends:
        return kMaxFriends;
    case RecordKind::BayesWords:
        break;
    }
    return std::numeric_limits<size_t>::max(); // words replace each other instead
}

std::string recordLimitText(RecordKind kind)
{
    const char* what = kind == RecordKind::Accounts ? " kont pocztowych!"
                       : kind == RecordKind::Rules  ? " reguł wiadomości!"
                                                    : " przyjaciół!";
    return winLiteral("Nie można dodać więcej niż ") + std::to_string(recordLimit(kind)) + winLiteral(what);
}

} // namespace kestrin
