#include "engine/rule_deletion.h"

#include "text/cp1250.h"

namespace kestrin {

std::string ruleDeletionQuestion(size_t count)
{
    return winLiteral("Czy na pewno usunąć wybraną(e) regułę(y) wiadomości?\r\nIlość reguł wiadomości do usunięcia: ") +
           std::to_string(count);
}

} // namespace kestrin
