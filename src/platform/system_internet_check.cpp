#include "platform/system_internet_check.h"

#include <QNetworkInterface>

namespace kestrin {
namespace {

bool carriesTraffic(const QNetworkInterface& networkInterface)
{
    const auto flags = networkInterface.flags();
    return flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning) &&
           !flags.testFlag(QNetworkInterface::IsLoopBack) && !networkInterface.addressEntries().isEmpty();
}

} // namespace

bool SystemInternetCheck::connected()
{
    for (const QNetworkInterface& networkInterface : QNetworkInterface::allInterfaces()) {
        if (carriesTraffic(networkInterface))
            return true;
    }
    return false;
}

} // namespace kestrin
