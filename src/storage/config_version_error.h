#pragma once
// A record database file this program must not interpret: a wrong signature or a
// newer format version. The caller shows the message, closes the main window and
// switches the save-all sequence off, so no file written by a newer version is
// overwritten.
#include <stdexcept>
#include <string>

namespace kestrin {

class EConfigVersionError : public std::runtime_error {
public:
    // what() is the Windows-1250 text "Nieprawidłowa wersja pliku konfiguracji!".
    explicit EConfigVersionError(std::string path = {});
    // The refused file, when known.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace kestrin
