#pragma once

#include <QFont>

// The named text styles, as multiples of the body font (13 pt on the desktop's scale).
namespace TextStyles {
QFont caption(const QFont& body);  // 0.85 of the body
QFont headline(const QFont& body); // body size, bold
QFont title3(const QFont& body);   // 15/13 of the body, bold
QFont title2(const QFont& body);   // 17/13 of the body, bold
} // namespace TextStyles
