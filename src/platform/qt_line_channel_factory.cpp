#include "platform/qt_line_channel_factory.h"

#include "platform/qt_line_channel.h"

namespace kestrin {

std::unique_ptr<LineChannel> QtLineChannelFactory::create()
{
    return std::make_unique<QtLineChannel>(caFile_);
}

} // namespace kestrin
