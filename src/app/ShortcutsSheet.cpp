#include "app/ShortcutsSheet.h"

#include "views/kit/ModalOverlay.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QString native(const QKeySequence& keys) { return keys.toString(QKeySequence::NativeText); }

QString plainTitle(const QAction* action)
{
    QString title = action->iconText();
    return title.remove(QLatin1Char('&')).remove(QChar(0x2026));
}
} // namespace

QList<ShortcutsSheet::Key> ShortcutsSheet::viewKeys()
{
    return {
        {native(QKeySequence(Qt::CTRL | Qt::Key_Return)), tr("Submit the new entry (from any of its fields)")},
        {native(QKeySequence(Qt::Key_Return)), tr("Next field of the new entry; edit the entry of the current row")},
        {native(QKeySequence(Qt::Key_Delete)), tr("Delete the selected entries")},
        {tr("Left, Right"), tr("Move the chart's read-out by one point (chart focused)")},
        {tr("Home, End"), tr("Chart's read-out to the first or last point")},
        {native(QKeySequence(Qt::Key_Escape)), tr("Close a sheet or editor; clear the search")},
        {native(QKeySequence(Qt::CTRL | Qt::Key_Tab)), tr("Next tab (outside tables)")},
    };
}

QList<ShortcutsSheet::Key> ShortcutsSheet::allKeys(const QList<QAction*>& menuActions)
{
    QList<Key> keys;
    for (const QAction* action : menuActions)
        keys.append({native(action->shortcut()), plainTitle(action)});
    return keys + viewKeys();
}

ShortcutsSheet::ShortcutsSheet(const QList<QAction*>& menuActions, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("shortcutsSheet"));
    setAccessibleName(tr("Keyboard Shortcuts"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, 20);
    column->setSpacing(12);

    auto* title = new QLabel(tr("Keyboard Shortcuts"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    title->setFont(titleFont);
    column->addWidget(title);

    auto* list = new QWidget;
    auto* grid = new QGridLayout(list);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const Key& key : allKeys(menuActions)) {
        auto* keys = new QLabel(key.keys, list);
        QFont bold = keys->font();
        bold.setBold(true);
        keys->setFont(bold);
        grid->addWidget(keys, row, 0, Qt::AlignRight | Qt::AlignTop);
        grid->addWidget(new QLabel(key.does, list), row, 1, Qt::AlignLeft | Qt::AlignTop);
        ++row;
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setMinimumSize(list->sizeHint().width() + 24, std::min(list->sizeHint().height(), 420));
    column->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeShortcutsButton"));
    close->setDefault(true);
    ModalOverlay::setCancelButton(close);
    buttons->addWidget(close);
    column->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, [onClose = std::move(onClose)] { onClose(); });
}
