// How long the report list takes to draw while a user scrolls a report of 250
// lines from top to bottom, one row at a time, in both views (offscreen).
#include "ui/pages/report_list_model.h"
#include "ui/pages/report_row_delegate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string line(int i)
{
    if (i % 25 == 7)
        return "error|Brak polaczenia z serwerem poczty|\xA6|Connection refused";
    const std::string n = std::to_string(i);
    return "mail|<" + n + "@example.org>|\xA6|2025-01-13 / 08:00:00|\xA6|" + (i % 3 == 0 ? "ad" : "") +
           "|\xA6|-|\xA6|Konto|\xA6|Nadawca numer " + n + "|\xA6|nadawca" + n + "@example.org|\xA6|Temat wiadomosci " +
           n + " z dosc dlugim opisem, ktory trzeba przyciac|\xA6|" + n + " kb|\xA6|slowa|\xA6|0|\xA6|" +
           std::to_string(i % 3);
}

// Milliseconds per frame: the slowest and the mean over a scroll through every row.
void scrollThrough(QListView& list, const char* view)
{
    const int steps = list.verticalScrollBar()->maximum();
    std::vector<qint64> frames;
    QElapsedTimer timer;
    for (int step = 0; step <= steps; ++step) {
        list.verticalScrollBar()->setValue(step);
        timer.start();
        list.viewport()->repaint();
        frames.push_back(timer.nsecsElapsed());
    }
    qint64 total = 0;
    for (const qint64 f : frames)
        total += f;
    std::printf("%-13s %4zu frames: mean %.3f ms, slowest %.3f ms\n", view, frames.size(),
                static_cast<double>(total) / static_cast<double>(frames.size()) / 1e6,
                static_cast<double>(*std::max_element(frames.begin(), frames.end())) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    constexpr int kLines = 250;
    QStandardItemModel model(kLines, 1);
    for (int i = 0; i < kLines; ++i)
        model.setData(model.index(i, 0), QByteArray::fromStdString(line(i)), kestrin::ui::ReportListModel::LineRole);
    QListView list;
    kestrin::ui::ReportRowDelegate delegate;
    list.setModel(&model);
    list.setItemDelegate(&delegate);
    list.setUniformItemSizes(true);
    list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list.resize(760, 300);
    list.show();
    QApplication::processEvents();
    scrollThrough(list, "Zaawansowany");
    kestrin::ui::ReportRowStyle simple;
    simple.advanced = false;
    delegate.setStyle(simple);
    list.reset();
    QApplication::processEvents();
    scrollThrough(list, "Prosty");
    return 0;
}
