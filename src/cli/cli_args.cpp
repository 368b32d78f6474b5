#include "cli/cli_args.h"

#include <charconv>

namespace kestrin::cli {
namespace {

// "-" and "--" are ordinary words ("-" names standard input in many tools).
bool isOption(const std::string& word)
{
    return word.size() >= 3 && word.rfind("--", 0) == 0;
}

} // namespace

CliArgs::CliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flagOptions)
{
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!isOption(word)) {
            positional_.push_back(word);
        } else if (valueOptions.count(word)) {
            if (i + 1 >= words.size())
                throw UsageError("option " + word + " needs a value");
            values_[word] = words[++i];
        } else if (flagOptions.count(word)) {
            flags_.insert(word);
        } else {
            throw UsageError("unknown option " + word);
        }
    }
}

bool CliArgs::has(const std::string& option) const
{
    return flags_.count(option) > 0 || values_.count(option) > 0;
}

std::string CliArgs::value(const std::string& option, const std::string& fallback) const
{
    const auto it = values_.find(option);
    return it == values_.end() ? fallback : it->second;
}

long long CliArgs::number(const std::string& option) const
{
    const auto it = values_.find(option);
    if (it == values_.end())
        throw UsageError("option " + option + " is required");
    long long result = 0;
    const std::string& text = it->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size())
        throw UsageError("option " + option + " needs a whole number, not \"" + text + "\"");
    return result;
}

long long CliArgs::number(const std::string& option, long long fallback) const
{
    return values_.count(option) ? number(option) : fallback;
}

std::optional<CommandLineWords> findCommandWord(const std::vector<std::string>& words,
                                                const std::set<std::string>& valueOptions)
{
    for (size_t i = 0; i < words.size(); ++i) {
        if (isOption(words[i])) {
            if (valueOptions.count(words[i]))
                ++i; // its value, whatever it looks like
            continue;
        }
        CommandLineWords found{words[i], words};
        found.rest.erase(found.rest.begin() + i);
        return found;
    }
    return std::nullopt;
}

} // namespace kestrin::cli
