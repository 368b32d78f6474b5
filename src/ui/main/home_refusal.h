#pragma once
// The tray program's answer to a --home that names no usable folder: it says
// why and ends before it creates or reads anything.
#include <QString>

#include <optional>
#include <string>

namespace kestrin::ui {

// The error text for the box and the terminal; empty when the folder (or no
// --home at all) is fine.
QString homeRefusalText(const std::optional<std::string>& home);

} // namespace kestrin::ui
