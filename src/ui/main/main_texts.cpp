#include "ui/main/main_texts.h"

namespace kestrin::ui {

QString productWebAddress()
{
    return QStringLiteral("https://kestrin.example.org/");
}

QString secondInstanceText(bool startedWithParameters)
{
    QString text = QStringLiteral("Nie można uruchomić na raz dwóch kopii tego programu!");
    if (startedWithParameters)
        text += QStringLiteral("\r\nJeżeli próbujesz dokonać aktualizacji reguł wiadomości za pomocą strony "
                               "internetowej, przed wykonaniem tej czynności zamknij aplikację a następnie ponów "
                               "próbę.");
    return text;
}

QString oldVersionText()
{
    return QStringLiteral("Wykryto starą wersję pliku konfiguracji! Po zatwierdzeniu tej wiadomości zostanie "
                          "uruchomiona aplikacja konwertująca stare ustawienia do nowej wersji.");
}

QString converterMissingText()
{
    return QStringLiteral("Nie można odnaleźć programu konwertera! Przejdź na stronę ") + productWebAddress() +
           QStringLiteral(", w celu pobrania niezbędnych składników!");
}

QString statisticsHint(const RunCounters& counters)
{
    // Accepted = checked - deleted; signed, so a count cleared halfway never wraps.
    const qint64 accepted = qint64{counters.checked} - qint64{counters.deleted};
    return QStringLiteral("Kestrin sweeper - aktualna statystyka:\r\rSprawdzonych wiadomości: ") +
           QString::number(counters.checked) + QStringLiteral("\rZaakceptowanych wiadomości: ") +
           QString::number(accepted) + QStringLiteral("\rUsuniętych wiadomości: ") + QString::number(counters.deleted);
}

QString updaterParameterText(const QString& version, const QString& history, const QString& setup)
{
    QString own = QString::fromLatin1(kProgramVersion);
    own.replace(QLatin1Char(' '), QLatin1Char('_'));
    return own + QLatin1Char(' ') + version + QLatin1Char(' ') + history + QLatin1Char(' ') + setup;
}

QStringList updaterArguments(const QString& version, const QString& history, const QString& setup)
{
    return updaterParameterText(version, history, setup).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace kestrin::ui
