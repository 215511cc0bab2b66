// Text tints against the backgrounds they are drawn on, in the light palette of the Fusion
// style and in the dark palette of the screenshots: at least 4.5:1 (WCAG AA, normal text).
#include "model/PersistentContainer.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/kit/Tints.h"

#include "../../tools/ScreenshotRun.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

#include <cmath>

namespace {

double luminance(const QColor& colour)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(TintsContrast, EveryTextTintReadsOnEveryBackgroundOfBothPalettes)
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const auto& [look, palette] : {std::pair{"light", fusion->standardPalette()}, std::pair{"dark", darkScreenshotPalette()}})
        for (const auto role : {Tints::Role::Primary, Tints::Role::Secondary, Tints::Role::Green, Tints::Role::Red})
            for (const auto background : {QPalette::Window, QPalette::Base, QPalette::AlternateBase}) {
                const double ratio = contrast(Tints::color(role, palette), palette.color(background));
                EXPECT_GE(ratio, 4.5) << look << " role " << int(role) << " on " << int(background) << ": " << ratio;
            }
}

// The form's captions (dimmed by transparency) and its warnings, as the window draws them.
TEST(TintsContrast, TheFormsCaptionsAndWarningsReadInBothPalettes)
{
    auto store = PersistentContainer::openInMemory();
    ASSERT_TRUE(store.ok());
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const auto& [look, palette] : {std::pair{"light", fusion->standardPalette()}, std::pair{"dark", darkScreenshotPalette()}}) {
        QApplication::setPalette(palette);
        NewEntryFormView form(store.value()->viewContext());
        const QColor window = palette.color(QPalette::Window);
        for (const QLabel* label : form.findChildren<QLabel*>()) {
            QColor text = label->palette().color(QPalette::WindowText);
            const double alpha = text.alphaF();
            text = QColor::fromRgbF(text.redF() * alpha + window.redF() * (1 - alpha), text.greenF() * alpha + window.greenF() * (1 - alpha),
                                    text.blueF() * alpha + window.blueF() * (1 - alpha));
            EXPECT_GE(contrast(text, window), 4.5) << look << " " << label->objectName().toStdString() << " \"" << label->text().toStdString() << "\"";
        }
    }
    QApplication::setPalette(fusion->standardPalette());
}

} // namespace
