#include "engine/record_deletion.h"

#include "text/cp1250.h"

namespace kestrin {

std::string recordDeletionQuestion(RecordKind kind, size_t count)
{
    const char* question = "";
    switch (kind) {
    case RecordKind::Accounts:
        question = "Czy na pewno usunąć wybrane konto(a) pocztowe?\r\nIlość kont pocztowych do usunięcia: ";
        break;
    case RecordKind::Rules:
        question = "Czy na pewno usunąć wybraną(e) regułę(y) wiadomości?\r\nIlość reguł wiadomości do usunięcia: ";
        break;
    case RecordKind::Friends:
        question = "Czy na pewno usunąć wybranego(ych) przyjaciela(ół)?\r\nIlość przyjaciół do usunięcia: ";
        break;
    case RecordKind::BayesWords:
        return {}; // words are neutralised, not deleted by selection
    }
    return winLiteral(question) + std::to_string(count);
}

} // namespace kestrin
