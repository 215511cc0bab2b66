// dashboard_screenshot <out-dir> <sample.csv>: the main window on its dashboard tab, with the
// sample CSV imported into an in-memory store and "Adjusted" on, saved as PNG files, one per
// palette (light, dark) and window size (960x640, 1600x1000). Not a test: run it under a
// display server in a scratch home (scripts/dashboard-screenshots does both).
#include "app/RootView.h"
#include "model/PersistentContainer.h"
#include "services/CsvActions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>

namespace {
QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x26, 0x26, 0x28), base(0x1C, 0x1C, 0x1E), text(0xEC, 0xEC, 0xEC);
    const QColor button(0x3A, 0x3A, 0x3C), dimmed(0x8E, 0x8E, 0x93);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dimmed);
    p.setColor(QPalette::Light, button.lighter(130));
    p.setColor(QPalette::Midlight, button.lighter(115));
    p.setColor(QPalette::Mid, button.darker(120));
    p.setColor(QPalette::Dark, button.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimmed);
    return p;
}

bool shoot(ObjectContext& context, const QString& file, QSize size)
{
    RootView window(context, AppCommands{});
    window.findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->setChecked(true);
    window.resize(size);
    window.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    return window.grab().save(file, "PNG");
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc != 3) {
        std::fprintf(stderr, "usage: dashboard_screenshot <out-dir> <sample.csv>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    auto container = PersistentContainer::openInMemory();
    if (!container.ok()) {
        std::fprintf(stderr, "dashboard_screenshot: cannot open a store\n");
        return 1;
    }
    ObjectContext& context = container.value()->viewContext();
    if (!CsvActions::importFile(context, QString::fromLocal8Bit(argv[2])).imported) {
        std::fprintf(stderr, "dashboard_screenshot: the sample did not import\n");
        return 1;
    }
    QDir().mkpath(outDir);
    const QPalette light = QApplication::style()->standardPalette();
    for (const auto& [name, palette] : {std::pair{QStringLiteral("light"), light}, std::pair{QStringLiteral("dark"), darkPalette()}}) {
        QApplication::setPalette(palette);
        for (const QSize size : {QSize(960, 640), QSize(1600, 1000)}) {
            const QString file = QStringLiteral("%1/dashboard-%2-%3x%4.png").arg(outDir, name).arg(size.width()).arg(size.height());
            if (!shoot(context, file, size)) {
                std::fprintf(stderr, "dashboard_screenshot: could not write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
