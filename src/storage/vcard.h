#pragma once
// One vCard as the address book keeps it: 2.1, 3.0 (RFC 2426) and 4.0
// (RFC 6350) cards all end up in this form, their text already decoded
// (quoted-printable, charset, backslash escapes) into Windows-1250.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum class VCardVersion { V21, V30, V40 };

// One parameter value: "TYPE=INTERNET,pref" gives two entries named TYPE. A
// bare 2.1 parameter ("EMAIL;INTERNET;PREF:") is a TYPE, or an ENCODING when
// it names one.
struct VCardParameter {
    std::string name; // upper case
    std::string value;
};

struct VCardProperty {
    std::string name; // upper case, group ("item1.") removed
    std::vector<VCardParameter> parameters;
    std::string value;                   // unescaped Windows-1250 text; may hold '\n'
    std::vector<std::string> components; // N, ADR, ORG: the unescaped ';'-separated parts

    // The first value of the parameter, or "" when it is absent.
    std::string_view parameter(std::string_view parameterName) const;
    // Whether the parameter has this value, ignoring ASCII case.
    bool hasParameter(std::string_view parameterName, std::string_view parameterValue) const;
};

struct VCard {
    VCardVersion version = VCardVersion::V30;
    std::vector<VCardProperty> properties;

    // The first property of that name, or nullptr.
    const VCardProperty* find(std::string_view name) const;
};

// Bounds that keep memory and time in proportion to the input whatever it
// holds. Tests lower them to reach each bound cheaply.
struct VCardLimits {
    size_t maxLineBytes = size_t{1} << 20;    // one unfolded line; a longer one is dropped
    size_t maxCards = 100000;                 // further cards are not read
    size_t maxPropertiesPerCard = 10000;      // further properties of a card are dropped
    size_t maxParameters = 32;                // further parameters of a property are ignored
    size_t maxModelBytes = size_t{256} << 20; // the decoded cards' estimated size
};

} // namespace kestrin
