#include "ui/pages/record_list_specs.h"

namespace kestrin::ui {
namespace {

const QString kSelectAndRetry = QStringLiteral(" Zaznacz wybraną pozycję na liście a następnie ponów próbę.");

} // namespace

RecordListSpec accountListSpec()
{
    return {RecordPage::Accounts,
            RecordKind::Accounts,
            QStringLiteral("acc"),
            {QStringLiteral("ID"), QStringLiteral("Nazwa"), QStringLiteral("Adres serwera POP3"),
             QStringLiteral("Adres serwera SMTP"), QStringLiteral("Nazwa użytkownika"),
             QStringLiteral("Max. rozmiar wiadomości:")},
            &Settings::accSortCol,
            &Settings::accSortDes,
            QStringLiteral("Edycja konta pocztowego"),
            QStringLiteral("Nie wybrano żadnego, lub wybrano więcej niż jedno, konto pocztowe do edycji!") +
                kSelectAndRetry,
            QStringLiteral("Usuwanie konta pocztowego"),
            QStringLiteral("Nie wybrano żadnego konta pocztowego do usunięcia!") + kSelectAndRetry};
}

RecordListSpec ruleListSpec()
{
    return {RecordPage::Rules,
            RecordKind::Rules,
            QStringLiteral("reg"),
            {QStringLiteral("ID"), QStringLiteral("Nazwa"), QStringLiteral("Nagłówek"),
             QStringLiteral("Warunek logiczny"), QStringLiteral("Treść"), QStringLiteral("Ilość zastosowań")},
            &Settings::regSortCol,
            &Settings::regSortDes,
            QStringLiteral("Edycja reguły wiadomości"),
            QStringLiteral("Nie wybrano żadnej, lub wybrano więcej niż jedną, regułę wiadomości do edycji!") +
                kSelectAndRetry,
            QStringLiteral("Usuwanie reguły wiadomości"),
            QStringLiteral("Nie wybrano żadnej reguły wiadomości do usunięcia!") + kSelectAndRetry};
}

RecordListSpec friendListSpec()
{
    return {RecordPage::Friends,
            RecordKind::Friends,
            QStringLiteral("fri"),
            {QStringLiteral("ID"), QStringLiteral("Nazwa"), QStringLiteral("Adres e-mail")},
            &Settings::friSortCol,
            &Settings::friSortDes,
            QStringLiteral("Edycja przyjaciela"),
            QStringLiteral("Nie wybrano żadnego, lub wybrano więcej niż jednego, przyjaciela do edycji!") +
                kSelectAndRetry,
            QStringLiteral("Usuwanie przyjaciela"),
            QStringLiteral("Nie wybrano żadnego przyjaciela do usunięcia!") + kSelectAndRetry};
}

} // namespace kestrin::ui
