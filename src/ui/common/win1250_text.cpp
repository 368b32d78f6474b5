#include "ui/common/win1250_text.h"

#include "text/cp1250.h"

namespace kestrin::ui {

QString fromWin1250(const std::string& bytes)
{
    return QString::fromStdString(cp1250ToUtf8(bytes));
}

std::string toWin1250(const QString& text)
{
    return utf8ToCp1250(text.toStdString());
}

} // namespace kestrin::ui
