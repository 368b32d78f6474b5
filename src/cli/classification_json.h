#pragma once
// The JSON printed by `kestrin-cli classify`: what the check cycle would
// decide for one message, cause by cause, and which cause would carry out
// each action.
#include "engine/message_classification.h"

#include <nlohmann/json.hpp>

namespace kestrin::cli {

struct DryRun {
    const CycleSnapshot& snapshot;
    const MessageClassification& classification;
    BayesVerdict bayesJudgement; // also when the filter was not asked, so a user sees how close it was
    ActionMarkers plannedActions;
};

nlohmann::ordered_json classificationJson(const DryRun& run);

} // namespace kestrin::cli
