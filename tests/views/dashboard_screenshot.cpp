// Renders the dashboard's statistics panel and balance chart with a few years of sample data,
// "Adjusted" on, into PNG files: one per palette (light, dark) and window size. Not a test: run
// it under a display server (xvfb-run) with a scratch XDG home, see scripts/dashboard-screenshots.
#include "analytics/PortfolioStats.h"
#include "views/BalanceChartView.h"
#include "views/StatsPanelView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>

#include <cmath>
#include <random>

namespace {
// Weekly snapshots over four years: steady growth with noise, a deposit at the start of each
// quarter and two withdrawals.
std::vector<StatsInput> sampleInputs()
{
    std::mt19937 random(7);
    std::normal_distribution<double> weeklyReturn(0.0015, 0.018);
    std::vector<StatsInput> inputs;
    const QDateTime end = QDateTime::currentDateTime();
    QDateTime day = end.addYears(-4);
    double balance = 25'000;
    int week = 0;
    for (; day <= end; day = day.addDays(7), ++week) {
        double flow = 0;
        if (week % 13 == 0)
            flow = 3'000;
        if (week == 90 || week == 170)
            flow = -6'000;
        balance = balance * (1 + weeklyReturn(random)) + flow;
        inputs.push_back({Uuid::random(), instantFromMilliseconds(day.toMSecsSinceEpoch()), std::round(balance), flow});
    }
    return inputs;
}

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x26, 0x26, 0x28), base(0x1C, 0x1C, 0x1E), text(0xEC, 0xEC, 0xEC);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3C));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x8E, 0x8E, 0x93));
    p.setColor(QPalette::Mid, QColor(0x48, 0x48, 0x4A));
    p.setColor(QPalette::Dark, QColor(0x10, 0x10, 0x10));
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x52));
    return p;
}

// The dashboard's arrangement: a scrolling left pane (320 to 460 wide) beside the chart.
QWidget* dashboard(const std::vector<StatsInput>& inputs)
{
    auto* splitter = new QSplitter(Qt::Horizontal);
    auto* pane = new QWidget;
    auto* column = new QVBoxLayout(pane);
    column->setSpacing(20);
    auto* form = new QLabel(QStringLiteral("(new-entry form)"));
    form->setMinimumHeight(180);
    form->setAlignment(Qt::AlignCenter);
    column->addWidget(form);
    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    column->addWidget(divider);
    auto* stats = new StatsPanelView;
    stats->setInputs(inputs);
    column->addWidget(stats);
    column->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setWidget(pane);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(320);
    scroll->setMaximumWidth(460);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* chartPane = new QWidget;
    auto* chartColumn = new QVBoxLayout(chartPane);
    auto* chart = new BalanceChartView;
    chart->setPoints(PortfolioStats::series(inputs));
    chart->findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->setChecked(true);
    chartColumn->addWidget(chart);
    chartPane->setMinimumWidth(420);

    splitter->addWidget(scroll);
    splitter->addWidget(chartPane);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({360, 10'000});
    return splitter;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(outDir);
    const std::vector<StatsInput> inputs = sampleInputs();
    const QPalette light = QApplication::style()->standardPalette();

    for (const auto& [name, palette] : {std::pair{QStringLiteral("light"), light}, std::pair{QStringLiteral("dark"), darkPalette()}}) {
        QApplication::setPalette(palette);
        for (const QSize size : {QSize(960, 640), QSize(1600, 1000)}) {
            QWidget* window = dashboard(inputs);
            window->resize(size);
            window->show();
            for (int i = 0; i < 5; ++i)
                QApplication::processEvents();
            const QString file = QStringLiteral("%1/dashboard-%2-%3x%4.png").arg(outDir, name).arg(size.width()).arg(size.height());
            if (!window->grab().save(file))
                return 1;
            delete window;
        }
    }
    return 0;
}
