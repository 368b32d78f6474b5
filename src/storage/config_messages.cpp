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

std::string heldBackText(const std::vector<std::string>& unreadFiles)
{
    std::string names;
    for (const std::string& file : unreadFiles)
        names += (names.empty() ? "" : ", ") + file;
    return winLiteral("Sprawdzanie poczty zostało wstrzymane, a do ponownego uruchomienia programu nie będą "
                      "zapisywane pliki: ") +
           names + ".";
}

const std::string& cyclesHeldStatusText()
{
    static const std::string text = winLiteral("Sprawdzanie poczty wstrzymane: nie wczytano plików konfiguracji!");
    return text;
}

} // namespace kestrin
