#include "ui/main/home_refusal.h"

#include "platform/program_folder.h"

namespace kestrin::ui {

QString homeRefusalText(const std::optional<std::string>& home)
{
    if (!home)
        return {};
    switch (homeFolderProblem(*home)) {
    case HomeProblem::Empty:
        return QStringLiteral("Parametr --home nie podaje folderu programu!");
    case HomeProblem::NotAFolder:
        return QStringLiteral("Parametr --home nie wskazuje folderu: %1")
            .arg(QString::fromLocal8Bit(home->data(), static_cast<qsizetype>(home->size())));
    case HomeProblem::None:
        break;
    }
    return {};
}

} // namespace kestrin::ui
