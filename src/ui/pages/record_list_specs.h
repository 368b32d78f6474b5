#pragma once
// What tells the three record lists apart: columns, control names, sort keys
// and the texts of their warnings and questions.
#include "ui/pages/record_list.h"

namespace kestrin::ui {

RecordListSpec accountListSpec();
RecordListSpec ruleListSpec();
RecordListSpec friendListSpec();

} // namespace kestrin::ui
