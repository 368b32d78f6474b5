#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/load_message.h"
#include "engine/rule_evaluation.h"
#include "text/convert_error.h"
#include "text/cp1250.h"

#include <filesystem>
#include <iostream>

namespace kestrin::cli {
namespace {

RuleRecord ruleFromArgs(const CliArgs& args)
{
    const long long typ = args.number("--typ");
    const long long sub = args.number("--sub");
    if (typ < 0 || typ > 255 || sub < 0 || sub > 255)
        throw UsageError("--typ and --sub take a number from 0 to 255");
    RuleRecord rule;
    rule.typ = static_cast<uint8_t>(typ);
    rule.sub = static_cast<uint8_t>(sub);
    rule.str = utf8ToCp1250(args.value("--value"));
    return rule;
}

BodyCorrection correctionFromArgs(const CliArgs& args)
{
    BodyCorrection correction;
    correction.delHtml = args.has("--delhtml");
    if (args.has("--delchars")) {
        correction.delChars = true;
        correction.delCharsList = utf8ToCp1250(args.value("--delchars"));
    }
    return correction;
}

// The size a POP3 server would report for the message stored in the file.
long long fileSize(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<long long>(size);
}

std::string outcomeText(RuleOutcome outcome)
{
    switch (outcome) {
    case RuleOutcome::Selected:
        return "selected";
    case RuleOutcome::NotSelected:
        return "not selected";
    case RuleOutcome::UnknownField:
        break;
    }
    return cp1250ToUtf8(ruleAnalysisFaultText());
}

} // namespace

int runEvalRule(const CliArgs& args)
{
    if (args.positional().size() != 1)
        throw UsageError("expects exactly one FILE");
    if (!args.has("--value"))
        throw UsageError("option --value is required");
    const RuleRecord rule = ruleFromArgs(args);
    const BodyCorrection correction = correctionFromArgs(args);
    TIdMessage message;
    if (!loadMessageOrReport(args.positional().front(), message))
        return kExitInputError;
    const long long size = args.number("--size", static_cast<long long>(fileSize(args.positional().front())));
    try {
        std::cout << outcomeText(evaluateRule(rule, message, size, !args.has("--header-only"), correction)) << '\n';
    } catch (const EConvertError& e) {
        std::cerr << cp1250ToUtf8(e.what()) << '\n';
        return kExitInputError;
    }
    return 0;
}

} // namespace kestrin::cli
