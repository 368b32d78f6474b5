#pragma once
// The status and report texts of the check cycle, as Windows-1250 data.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrin {

std::string waitingForNetworkText(); // "Próba nawiązania połączenia z siecią internet..."
std::string noNetworkText();         // "Nie można nawiązać połączenia z siecią internet!"
std::string verifyingAccountsText(); // "Weryfikacja kont pocztowych..."
std::string noAccountsText();        // "Nie skonfigurowano żadnych kont pocztowych!"
std::string noRulesText();           // "Nie wprowadzono żadnych reguł ... filtru Bayesa!"
std::string idleText();              // "Czuwanie..."
std::string disconnectingText();     // "Rozłączanie..."
std::string disconnectedText();      // "Rozłączono."
std::string invalidAccountText(const std::string& name);
std::string connectingText(const std::string& name, const std::string& host, int attempt);
std::string connectionFailedReport(const std::string& name, const std::string& host, const std::string& reason);
std::string connectionFailedStatus(const std::string& name, const std::string& host);
std::string checkingText(const std::string& name, const std::string& host);
std::string fetchFailedText(const std::string& name, const std::string& host);
// fetchFailedText + "|¦|" + why the connection was given up.
std::string fetchFailedReport(const std::string& name, const std::string& host, const std::string& reason);
// STAT failed or its count could not be read.
std::string messageCountFailedText(const std::string& name, const std::string& host);
// LIST of message `number` failed or its size could not be read.
std::string messageSizeFailedText(const std::string& name, const std::string& host, int number);
// text + "|¦|" + the reason on one line: the error entry's second field.
std::string withReason(const std::string& text, const std::string& reason);
// The connection ended without an accepted QUIT, so the server kept `count`
// messages the cycle had marked with DELE.
std::string deletionsUndoneStatus(const std::string& name, const std::string& host, size_t count);
std::string deletionsUndoneReport(const std::string& name, const std::string& host, size_t count,
                                  const std::string& reason);
// A message the reader refuses; the session stays in step and the next message is read.
std::string unreadableMessageReport(const std::string& name, const std::string& host, int number,
                                    const std::string& reason);
std::string unreadableMessageStatus(const std::string& name, const std::string& host, int number);
std::string forwardFailedText();                // "Nie można przesłać dalej wiadomości!"
std::string replyFailedText();                  // "Nie można udzielić odpowiedzi nadawcy wiadomości!"
std::string deleteFailedText();                 // "Nie można skasować wiadomości!"
std::string archiveFailedText();                // "Nie można zarchiwizować wiadomości!"
std::string newMailSendersText(uint32_t count); // count + " nadawców"
std::string newMailSubjectsText();              // "(...)"

// The cycle ends before any server is contacted: the folder (a local path,
// written as Windows-1250 like every text) cannot take new files.
// "Nie można zapisać plików w folderze programu (" + folder + ")!"
std::string unwritableFolderText(const std::string& folder);

} // namespace kestrin
