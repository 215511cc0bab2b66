#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

// The foot of every overlay panel that asks for a decision: Cancel on the left (what Escape
// clicks) and the panel's action on the right (the default button, what Return clicks).
struct OverlayButtons {
    QHBoxLayout* layout = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* accept = nullptr;
};

OverlayButtons makeOverlayButtons(QWidget* parent, const QString& acceptText, const QString& acceptName);
