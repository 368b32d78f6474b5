#include "cli/classification_json.h"

#include "text/cp1250.h"

namespace kestrin::cli {
namespace {

const char* outcomeName(CauseOutcome outcome)
{
    switch (outcome) {
    case CauseOutcome::Selected:
        return "selected";
    case CauseOutcome::NotSelected:
        return "not selected";
    case CauseOutcome::FriendExempt:
        return "friend exempt";
    case CauseOutcome::Fault:
        break;
    }
    return "fault";
}

const char* bandName(BayesBand band)
{
    switch (band) {
    case BayesBand::Good:
        return "good";
    case BayesBand::Spam:
        return "spam";
    case BayesBand::Unsure:
        break;
    }
    return "unsure";
}

nlohmann::ordered_json bayesJson(const DryRun& run)
{
    const auto& verdict = run.classification.bayes;
    const BayesVerdict& judged = run.bayesJudgement;
    return {{"asked", verdict.has_value()}, {"spamicity", judged.scores.spamicity},
            {"words", judged.scores.words}, {"band", bandName(judged.band)},
            {"trained", judged.trained},    {"spam_verdict", verdict.has_value() && verdict->spam}};
}

nlohmann::ordered_json rulesJson(const DryRun& run)
{
    auto rules = nlohmann::ordered_json::array();
    for (const CauseJudgement& judgement : run.classification.causes) {
        if (judgement.cause < 0 || static_cast<size_t>(judgement.cause) >= run.snapshot.rules.size())
            continue;
        rules.push_back({{"index", judgement.cause},
                         {"name", cp1250ToUtf8(run.snapshot.rules[static_cast<size_t>(judgement.cause)].name)},
                         {"selected", judgement.outcome == CauseOutcome::Selected},
                         {"outcome", outcomeName(judgement.outcome)}});
    }
    return rules;
}

nlohmann::ordered_json causeJson(int marker, const DryRun& run)
{
    if (marker == kNotDone)
        return nullptr;
    return cp1250ToUtf8(deletingCauseText(marker, run.snapshot.rules));
}

nlohmann::ordered_json actionsJson(const DryRun& run)
{
    return {{"archive", causeJson(run.plannedActions[kActionArchive], run)},
            {"forward", causeJson(run.plannedActions[kActionForward], run)},
            {"reply", causeJson(run.plannedActions[kActionReply], run)},
            {"delete", causeJson(run.plannedActions[kActionDelete], run)}};
}

} // namespace

nlohmann::ordered_json classificationJson(const DryRun& run)
{
    return {{"friend", run.classification.isFriend},
            {"bayes", bayesJson(run)},
            {"rules", rulesJson(run)},
            {"actions", actionsJson(run)},
            {"report_cause", cp1250ToUtf8(deletingCauseText(run.plannedActions[kActionDelete], run.snapshot.rules))}};
}

} // namespace kestrin::cli
