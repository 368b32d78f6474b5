#include "storage/config_messages.h"

#include "text/cp1250.h"

namespace kestrin {

const std::string& configOpenErrorText()
{
    static const std::string text = winLiteral("Wystąpił błąd podczas otwierania pliku konfiguracji!");
    return text;
}

const std::string& configSaveErrorText()
{
    static const std::string text = winLiteral("Wystąpił błąd podczas zapisywania pliku konfiguracji!");
    return text;
}

} // namespace kestrin
