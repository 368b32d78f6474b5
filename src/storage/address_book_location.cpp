// Where the address book is looked for: setToDefaultAddressBook of storage/address_book.h.
#include "storage/address_book.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kestrin {
namespace {

// The XDG base directory rules ignore a relative XDG_DATA_HOME.
std::string dataHome(const EnvironmentLookup& environment)
{
    const auto xdg = environment("XDG_DATA_HOME");
    if (xdg && !xdg->empty() && xdg->front() == '/')
        return *xdg;
    const auto home = environment("HOME");
    if (home && !home->empty())
        return *home + "/.local/share";
    return {};
}

} // namespace

std::optional<std::string> processEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

void AddressBook::setToDefaultAddressBook(const std::string& configured, const EnvironmentLookup& environment)
{
    try {
        if (!configured.empty()) {
            fileName = configured;
            return;
        }
        fileName.clear();
        const std::string data = environment ? dataHome(environment) : std::string();
        if (data.empty())
            return;
        const std::string candidate = data + "/contacts";
        std::error_code error;
        if (std::filesystem::exists(candidate, error))
            fileName = candidate;
    } catch (const std::exception&) {
        fileName.clear(); // an environment that cannot be asked leaves the book unavailable
    }
}

} // namespace kestrin
