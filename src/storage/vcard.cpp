// The look-ups of storage/vcard.h.
#include "storage/vcard.h"

#include "text/ascii_case.h"

namespace kestrin {

std::string_view VCardProperty::parameter(std::string_view parameterName) const
{
    for (const auto& parameter : parameters)
        if (parameter.name == parameterName)
            return parameter.value;
    return {};
}

bool VCardProperty::hasParameter(std::string_view parameterName, std::string_view parameterValue) const
{
    for (const auto& parameter : parameters)
        if (parameter.name == parameterName && equalsIgnoreCase(parameter.value, parameterValue))
            return true;
    return false;
}

const VCardProperty* VCard::find(std::string_view name) const
{
    for (const auto& property : properties)
        if (property.name == name)
            return &property;
    return nullptr;
}

} // namespace kestrin
