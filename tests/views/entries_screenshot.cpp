// entries_screenshot <out-dir> <sample.csv>: the main window on its "Corvanta" tab with the
// sample CSV imported into an in-memory store, two rows selected, then with the editor open
// over it; PNG files per palette (light, dark) and window size (960x640, 1600x1000). Not a
// test: run it under a display server in a scratch home (scripts/entries-screenshots).
#include "ScreenshotPalette.h"

#include "app/ContentView.h"
#include "app/RootView.h"
#include "model/PersistentContainer.h"
#include "services/CsvActions.h"
#include "views/CorvantaTableView.h"
#include "views/EntryTableModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableView>

#include <cstdio>

namespace {
void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool shoot(ObjectContext& context, const QString& outDir, const QString& look, QSize size)
{
    RootView window(context, AppCommands{});
    window.content()->tabs()->setCurrentIndex(1);
    auto* entries = window.findChild<CorvantaTableView*>();
    QTableView* table = entries->table();
    EntryTableModel* model = entries->model();
    for (int row : {2, 3})
        table->selectionModel()->select(model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->setCurrentIndex(model->index(2, 0), QItemSelectionModel::NoUpdate);
    window.resize(size);
    window.show();
    settle();
    const QString name = QStringLiteral("%1/entries-%2-%3-%4x%5.png").arg(outDir);
    if (!window.grab().save(name.arg(QStringLiteral("table"), look).arg(size.width()).arg(size.height()), "PNG"))
        return false;
    entries->editSelected();
    settle();
    return window.grab().save(name.arg(QStringLiteral("editor"), look).arg(size.width()).arg(size.height()), "PNG");
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc != 3) {
        std::fprintf(stderr, "usage: entries_screenshot <out-dir> <sample.csv>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    auto container = PersistentContainer::openInMemory();
    if (!container.ok()) {
        std::fprintf(stderr, "entries_screenshot: cannot open a store\n");
        return 1;
    }
    ObjectContext& context = container.value()->viewContext();
    if (!CsvActions::importFile(context, QString::fromLocal8Bit(argv[2])).imported) {
        std::fprintf(stderr, "entries_screenshot: the sample did not import\n");
        return 1;
    }
    QDir().mkpath(outDir);
    const QPalette light = QApplication::style()->standardPalette();
    for (const auto& [look, palette] : {std::pair{QStringLiteral("light"), light}, std::pair{QStringLiteral("dark"), darkScreenshotPalette()}}) {
        QApplication::setPalette(palette);
        for (const QSize size : {QSize(960, 640), QSize(1600, 1000)})
            if (!shoot(context, outDir, look, size)) {
                std::fprintf(stderr, "entries_screenshot: could not write into %s\n", qPrintable(outDir));
                return 1;
            }
    }
    return 0;
}
