#include "engine/cycle_texts.h"

#include "storage/report_entry.h"
#include "text/cp1250.h"

namespace kestrin {
namespace {

std::string accountText(const std::string& name, const std::string& host)
{
    return name + " (" + host + ")";
}

std::string withoutLineBreaks(std::string text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += ' ';
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace

std::string waitingForNetworkText()
{
    return winLiteral("Próba nawiązania połączenia z siecią internet...");
}

std::string noNetworkText()
{
    return winLiteral("Nie można nawiązać połączenia z siecią internet!");
}

std::string verifyingAccountsText()
{
    return "Weryfikacja kont pocztowych...";
}

std::string noAccountsText()
{
    return winLiteral("Nie skonfigurowano żadnych kont pocztowych!");
}

std::string noRulesText()
{
    return winLiteral("Nie wprowadzono żadnych reguł wiadomości ani nie aktywowano filtru Bayesa!");
}

std::string idleText()
{
    return "Czuwanie...";
}

std::string disconnectingText()
{
    return winLiteral("Rozłączanie...");
}

std::string disconnectedText()
{
    return winLiteral("Rozłączono.");
}

std::string invalidAccountText(const std::string& name)
{
    return "Dane konfiguracji konta " + name + winLiteral(" są nieprawidłowe!");
}

std::string connectingText(const std::string& name, const std::string& host, int attempt)
{
    return winLiteral("Łączenie z ") + accountText(name, host) + winLiteral(", próba ") + std::to_string(attempt) +
           " z 3...";
}

std::string connectionFailedReport(const std::string& name, const std::string& host, const std::string& reason)
{
    return winLiteral("Nie można nawiązać połączenia z ") + accountText(name, host) + std::string(kMailFieldSeparator) +
           withoutLineBreaks(reason);
}

std::string connectionFailedStatus(const std::string& name, const std::string& host)
{
    return winLiteral("Nie można nawiązać połączenia z ") + accountText(name, host) + "!";
}

std::string checkingText(const std::string& name, const std::string& host)
{
    return winLiteral("Sprawdzanie wiadomości na ") + accountText(name, host) + "...";
}

std::string fetchFailedText(const std::string& name, const std::string& host)
{
    return winLiteral("Nie można pobrać wiadomości i/lub jej nagłówka z ") + accountText(name, host) + "!";
}

std::string fetchFailedReport(const std::string& name, const std::string& host, const std::string& reason)
{
    return withReason(fetchFailedText(name, host), reason);
}

std::string messageCountFailedText(const std::string& name, const std::string& host)
{
    return winLiteral("Nie można odczytać liczby wiadomości na ") + accountText(name, host) + "!";
}

std::string messageSizeFailedText(const std::string& name, const std::string& host, int number)
{
    return winLiteral("Nie można odczytać rozmiaru wiadomości nr ") + std::to_string(number) + " z " +
           accountText(name, host) + "!";
}

std::string withReason(const std::string& text, const std::string& reason)
{
    return text + std::string(kMailFieldSeparator) + withoutLineBreaks(reason);
}

std::string deletionsUndoneStatus(const std::string& name, const std::string& host, size_t count)
{
    return winLiteral("Nie usunięto ") + std::to_string(count) + winLiteral(" wiadomości z ") +
           accountText(name, host) + winLiteral(": połączenie przerwane przed zakończeniem sesji!");
}

std::string deletionsUndoneReport(const std::string& name, const std::string& host, size_t count,
                                  const std::string& reason)
{
    return deletionsUndoneStatus(name, host, count) + std::string(kMailFieldSeparator) + withoutLineBreaks(reason);
}

std::string unreadableMessageReport(const std::string& name, const std::string& host, int number,
                                    const std::string& reason)
{
    return unreadableMessageStatus(name, host, number) + std::string(kMailFieldSeparator) + withoutLineBreaks(reason);
}

std::string unreadableMessageStatus(const std::string& name, const std::string& host, int number)
{
    return winLiteral("Nie można odczytać wiadomości nr ") + std::to_string(number) + " z " + accountText(name, host) +
           "!";
}

std::string forwardFailedText()
{
    return winLiteral("Nie można przesłać dalej wiadomości!");
}

std::string replyFailedText()
{
    return winLiteral("Nie można udzielić odpowiedzi nadawcy wiadomości!");
}

std::string deleteFailedText()
{
    return winLiteral("Nie można skasować wiadomości!");
}

std::string archiveFailedText()
{
    return winLiteral("Nie można zarchiwizować wiadomości!");
}

std::string unwritableFolderText(const std::string& folder)
{
    return winLiteral("Nie można zapisać plików w folderze programu (") + utf8ToCp1250(folder) + ")!";
}

std::string newMailSendersText(uint32_t count)
{
    return std::to_string(count) + winLiteral(" nadawców");
}

std::string newMailSubjectsText()
{
    return "(...)";
}

} // namespace kestrin
