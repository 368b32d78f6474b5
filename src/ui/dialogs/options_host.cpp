#include "ui/dialogs/options_host.h"

namespace kestrin::ui {

OptionsHost::~OptionsHost() = default;

} // namespace kestrin::ui
