#pragma once
// ISO-8859-2 (Latin-2) is the other Polish code page: vCard files from older
// Unix tools declare it. Its upper half differs from Windows-1250 in a few
// letters (Ą, Ś, Ź, Š, Ť, Ž and their small forms sit elsewhere).
#include <string>
#include <string_view>

namespace kestrin {

// Characters without a Windows-1250 byte (most C1 controls) become '?'.
std::string iso88592ToCp1250(std::string_view latin2);

} // namespace kestrin
