#pragma once

#include "app/Translations.h"
#include "model/PersistentContainer.h"
#include "services/CsvActions.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QPalette>
#include <QSize>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <functional>

// What the screenshot programs share.

// A dark window palette for screenshots under Xvfb, where no desktop supplies one.
inline QPalette darkScreenshotPalette()
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

// Lets the window lay itself out and paint before it is grabbed.
inline void settleForScreenshot()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// main() of a screenshot program `<program> <out-dir> <sample.csv>`: imports the sample CSV
// into an in-memory store and calls `shoot` once per palette ("light", "dark") and window size
// (960x640, 1600x1000) under the Fusion style. `shoot` saves its PNG files into the folder and
// returns whether it could.
using ScreenshotShot = std::function<bool(ObjectContext& context, const QString& outDir, const QString& look, QSize size)>;

// The names, the words and the style every screenshot program's application takes.
inline void prepareScreenshotApplication()
{
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    Translations::installForUser();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

inline int runScreenshots(int argc, char** argv, const char* program, const ScreenshotShot& shoot)
{
    QApplication app(argc, argv);
    prepareScreenshotApplication();
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <out-dir> <sample.csv>\n", program);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    auto container = PersistentContainer::openInMemory();
    if (!container.ok() || !CsvActions::importFile(container.value()->viewContext(), QString::fromLocal8Bit(argv[2])).imported) {
        std::fprintf(stderr, "%s: cannot open a store or import the sample\n", program);
        return 1;
    }
    QDir().mkpath(outDir);
    const QPalette light = QApplication::style()->standardPalette();
    for (const auto& [look, palette] : {std::pair{QStringLiteral("light"), light}, std::pair{QStringLiteral("dark"), darkScreenshotPalette()}}) {
        QApplication::setPalette(palette);
        for (const QSize size : {QSize(960, 640), QSize(1600, 1000)})
            if (!shoot(container.value()->viewContext(), outDir, look, size)) {
                std::fprintf(stderr, "%s: could not write into %s\n", program, qPrintable(outDir));
                return 1;
            }
    }
    return 0;
}
