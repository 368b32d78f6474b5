// readAddressBookFiles of storage/address_book_files.h.
#include "storage/address_book_files.h"

#include "storage/address_book.h"
#include "storage/atomic_file.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

bool isVCardFileName(const std::string& name)
{
    return name.size() > 4 && equalsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".vcf");
}

std::vector<std::string> vcardFilesIn(const std::string& folder)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        throw AddressBookError("Cannot read the address book folder " + folder + ": " + error.message());
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (!isVCardFileName(name) || !it->is_regular_file(kind))
            continue;
        if (names.size() == kMaxAddressBookFiles)
            throw AddressBookError("The address book folder " + folder + " holds more than " +
                                   std::to_string(kMaxAddressBookFiles) + " vCard files");
        names.push_back(name);
    }
    if (error)
        throw AddressBookError("Cannot read the address book folder " + folder + ": " + error.message());
    std::sort(names.begin(), names.end());
    return names;
}

[[noreturn]] void refuseSize(const std::string& path)
{
    throw AddressBookError("The address book is larger than " + std::to_string(kMaxAddressBookBytes >> 20) +
                           " MiB: " + path);
}

// The file's bytes within what is left of the book's bound. The size it claims
// refuses a large file before reading it; the read itself stays bounded too.
std::string readWithin(const std::string& path, size_t& left)
{
    std::error_code sizeError;
    const auto claimed = fs::file_size(path, sizeError);
    if (!sizeError && claimed > left)
        refuseSize(path);
    try {
        std::string bytes = readWholeFile(path, left);
        left -= bytes.size();
        return bytes;
    } catch (const EFileTooLarge&) {
        refuseSize(path);
    } catch (const EFileError& error) {
        throw AddressBookError(error.what());
    }
}

} // namespace

void readAddressBookFiles(const std::string& path, const std::function<void(std::string_view bytes)>& take)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error && error != std::errc::no_such_file_or_directory)
        throw AddressBookError("Cannot read the address book " + path + ": " + error.message());
    if (!fs::exists(status))
        throw AddressBookError("The address book " + path + " does not exist");
    size_t left = kMaxAddressBookBytes;
    if (fs::is_regular_file(status)) {
        take(readWithin(path, left));
        return;
    }
    if (!fs::is_directory(status))
        throw AddressBookError("The address book " + path + " is neither a file nor a folder");
    for (const auto& name : vcardFilesIn(path))
        take(readWithin((fs::path(path) / name).string(), left));
}

} // namespace kestrin
