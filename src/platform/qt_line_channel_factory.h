#pragma once
// Hands the mail clients one Qt line channel per session, all trusting the same
// optional extra CA file besides the system store.
#include "mail/line_channel.h"

#include <string>

namespace kestrin {

class QtLineChannelFactory : public LineChannelFactory {
public:
    explicit QtLineChannelFactory(std::string caFile = {}) : caFile_(std::move(caFile)) {}
    std::unique_ptr<LineChannel> create() override;

private:
    std::string caFile_;
};

} // namespace kestrin
