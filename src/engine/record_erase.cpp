#include "engine/record_erase.h"

namespace kestrin {

void eraseRecordsOfKind(ProgramData& data, RecordKind kind, std::vector<size_t> ids)
{
    switch (kind) {
    case RecordKind::Accounts:
        eraseRecordsAt(data.accounts, std::move(ids));
        break;
    case RecordKind::Rules:
        eraseRecordsAt(data.rules, std::move(ids));
        break;
    case RecordKind::Friends:
        eraseRecordsAt(data.friends, std::move(ids));
        break;
    case RecordKind::BayesWords:
        eraseRecordsAt(data.bayesWords, std::move(ids));
        break;
    }
}

} // namespace kestrin
