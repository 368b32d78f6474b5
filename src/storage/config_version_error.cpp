#include "storage/config_version_error.h"

#include "text/cp1250.h"

namespace kestrin {

EConfigVersionError::EConfigVersionError(std::string path)
    : std::runtime_error(winLiteral("Nieprawidłowa wersja pliku konfiguracji!")), path_(std::move(path))
{
}

} // namespace kestrin
