#include "ui/dialogs/report_detail_form.h"

#include "engine/report_row.h"
#include "ui/common/dialog_opening.h"
#include "ui/common/fitted_text.h"
#include "ui/common/win1250_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrin::ui {
namespace {

constexpr int kValueWidth = 300;

struct DetailLine {
    const char* name;
    const char* caption;
    size_t field;
};

constexpr DetailLine kLines[] = {
    {"id", "ID wiadomości:", kFieldMessageId}, {"date", "Data:", kFieldDate},
    {"name", "Nazwa:", kFieldSenderName},      {"from", "Nadawca:", kFieldSenderAddress},
    {"subject", "Temat:", kFieldSubject},      {"size", "Rozmiar:", kFieldSize},
    {"acc", "Konto pocztowe:", kFieldAccount}, {"reg", "Reguła wiadomości:", kFieldCause},
};

} // namespace

Tstatdetail::Tstatdetail(const std::vector<std::string>& fields, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("statdetail"));
    setWindowTitle(QStringLiteral("Kestrin - szczegóły raportu"));
    takeMainWindowLook(this, parent);
    auto* pages = new QTabWidget(this);
    auto* general = new QWidget(pages);
    pages->addTab(general, QStringLiteral("Ogólne"));
    auto* frame = new QGroupBox(QStringLiteral("Szczegóły"), general);
    auto* form = new QFormLayout(frame);
    for (const DetailLine& line : kLines)
        form->addRow(QString::fromUtf8(line.caption), valueLabel(line.name, fields.at(line.field)));
    QLabel* topWords = named(new QLabel(fromWin1250(fields.at(kFieldTopWords)), frame), "topwords");
    topWords->setWordWrap(true);
    topWords->setFixedWidth(kValueWidth);
    form->addRow(QStringLiteral("Słowa kluczowe:"), topWords);
    (new QVBoxLayout(general))->addWidget(frame);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);
}

QLabel* Tstatdetail::valueLabel(const char* name, const std::string& text)
{
    auto* label = named(new QLabel(this), name);
    label->setFixedWidth(kValueWidth);
    label->setText(fittedText(text, kValueWidth, QFontMetrics(label->font())));
    return label;
}

} // namespace kestrin::ui
