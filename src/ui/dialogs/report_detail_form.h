#pragma once
// `Tstatdetail`, "Kestrin - szczegóły raportu": the fields of one checked
// message from the report, each fitted to its label, the top words wrapped.
#include <QDialog>

#include <string>
#include <vector>

class QLabel;

namespace kestrin::ui {

class Tstatdetail : public QDialog {
    Q_OBJECT
public:
    // fields: the twelve fields of a "mail" report line (Windows-1250).
    Tstatdetail(const std::vector<std::string>& fields, QWidget* parent = nullptr);

private:
    QLabel* valueLabel(const char* name, const std::string& text);
};

} // namespace kestrin::ui
