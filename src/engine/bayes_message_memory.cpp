#include "engine/bayes_message_memory.h"

#include "engine/message_identity.h"

namespace kestrin {
namespace {

// The report entry changes when it is marked; the message it names does not.
std::string keyOf(const MailReportEntry& entry)
{
    return messageIdentity(entry.messageId, entry.date, entry.senderName, entry.senderAddress, entry.subject);
}

} // namespace

void BayesMessageMemory::remember(std::string_view payload, std::string words)
{
    const std::optional<MailReportEntry> entry = parseMailReportEntry(payload);
    if (!entry)
        return;
    std::string key = keyOf(*entry);
    std::string joined = std::move(words);
    if (joined.size() > kMaxBytes)
        return;
    const auto known = words_.find(key);
    if (known != words_.end()) {
        bytes_ -= known->second.size();
        bytes_ += joined.size();
        known->second = std::move(joined);
    } else {
        bytes_ += joined.size();
        words_.emplace(key, std::move(joined));
        order_.push_back(std::move(key));
    }
    while (order_.size() > kMaxMessages || bytes_ > kMaxBytes)
        forgetOldest();
}

std::optional<std::string> BayesMessageMemory::words(const MailReportEntry& entry) const
{
    const auto found = words_.find(keyOf(entry));
    if (found == words_.end())
        return std::nullopt;
    return found->second;
}

void BayesMessageMemory::forgetOldest()
{
    const auto found = words_.find(order_.front());
    if (found != words_.end()) {
        bytes_ -= found->second.size();
        words_.erase(found);
    }
    order_.pop_front();
}

} // namespace kestrin
