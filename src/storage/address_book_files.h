#pragma once
// Reads the files of an address book: one .vcf file, or every regular *.vcf
// file of a vdir folder (not its subfolders) in file-name order, because
// directory order differs from one file system to the next.
#include <functional>
#include <string>
#include <string_view>

namespace kestrin {

// Calls take with the bytes of each file in turn. Throws AddressBookError for
// a missing path, one that is neither a regular file nor a folder (a FIFO
// would block the read for ever), an unreadable file, more than
// kMaxAddressBookFiles files, or more than kMaxAddressBookBytes in all.
void readAddressBookFiles(const std::string& path, const std::function<void(std::string_view bytes)>& take);

} // namespace kestrin
