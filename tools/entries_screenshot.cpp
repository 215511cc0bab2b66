// entries_screenshot <out-dir> <sample.csv>: the main window on its "Corvanta" tab with the
// sample CSV imported into an in-memory store, two rows selected, then with the editor open
// over it; PNG files per palette (light, dark) and window size (960x640, 1600x1000). Not a
// test: run it under a display server in a scratch home (scripts/entries-screenshots).
#include "ScreenshotRun.h"

#include "app/ContentView.h"
#include "app/RootView.h"
#include "views/entries/CorvantaTableView.h"
#include "views/entries/EntryTableModel.h"

#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>

int main(int argc, char** argv)
{
    return runScreenshots(argc, argv, "entries_screenshot", [](ObjectContext& context, const QString& outDir, const QString& look, QSize size) {
        RootView window(context, AppCommands{});
        window.content()->tabs()->setCurrentIndex(1);
        auto* entries = window.findChild<CorvantaTableView*>();
        QItemSelectionModel* selection = entries->table()->selectionModel();
        for (int row : {2, 3})
            selection->select(entries->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->setCurrentIndex(entries->model()->index(2, 0), QItemSelectionModel::NoUpdate);
        window.resize(size);
        window.show();
        settleForScreenshot();
        const QString name = QStringLiteral("%1/entries-%2-%3-%4x%5.png").arg(outDir);
        if (!window.grab().save(name.arg(QStringLiteral("table"), look).arg(size.width()).arg(size.height()), "PNG"))
            return false;
        entries->editSelected();
        settleForScreenshot();
        return window.grab().save(name.arg(QStringLiteral("editor"), look).arg(size.width()).arg(size.height()), "PNG");
    });
}
