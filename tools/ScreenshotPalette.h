#pragma once

#include <QColor>
#include <QPalette>

// The dark window palette the screenshot helpers use beside the style's standard (light) one.
namespace ScreenshotPalette {
inline QPalette dark()
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
} // namespace ScreenshotPalette
