#pragma once
// The two messages the action step sends through the user's SMTP server: the
// forward of a fetched message and the fixed-text answer to its sender.
#include "engine/cycle_snapshot.h"
#include "mail/line_channel.h"
#include "mail/message.h"
#include "mail/smtp_client.h"

#include <string>
#include <vector>

namespace kestrin {

// Host, port and mail address of the outgoing server are all set.
bool outgoingServerConfigured(const CycleSettings& settings);

// The loaded message file re-addressed: Reply-To the original sender, From the
// sender's name with smtpMail, To the rule's `sendto`, subject "Fw: " + subject;
// every other header stays as loaded.
TIdMessage forwardMessage(const TIdMessage& loaded, const TIdMessage& fetched, const std::string& smtpMail,
                          const std::string& sendTo);

// The forward goes to the rule's addresses only, never to the loaded Cc or Bcc.
std::vector<std::string> forwardRecipients(const TIdMessage& forward);

// The answer: body `restr`, Reply-To the fetched To list, From smtpMail, To the
// sender, subject "Re: " + subject, and "Auto-Submitted: auto-replied" (RFC 3834).
TIdMessage replyMessage(const TIdMessage& fetched, const std::string& smtpMail, const std::string& replyText);

// A client for the user's server: SMTPPort strict (EConvertError otherwise),
// credentials, security, both time-outs the MailWait value.
std::unique_ptr<TIdSMTP> outgoingClient(const CycleSettings& settings, LineChannelFactory& channels);

} // namespace kestrin
