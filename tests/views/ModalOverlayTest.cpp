// The in-window modal overlay: what it lets through and what it keeps.
#include "views/kit/ModalOverlay.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gmock/gmock.h>

namespace {

// A view with a button below the overlay, opened on content with two fields, Cancel and a default Save.
class ModalOverlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view_.resize(600, 400);
        below_->setGeometry(0, 0, 600, 400);
        view_.show();
        view_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view_));
        below_->setFocus();

        auto* layout = new QVBoxLayout(content_);
        for (QWidget* widget : std::initializer_list<QWidget*>{first_, second_, cancel_, save_})
            layout->addWidget(widget);
        save_->setDefault(true);
        ModalOverlay::setCancelButton(cancel_);
        QObject::connect(cancel_, &QPushButton::clicked, overlay_, &ModalOverlay::close);
        overlay_->open(content_);
    }

    QWidget view_;
    QPushButton* below_ = new QPushButton(QStringLiteral("Below"), &view_);
    ModalOverlay* overlay_ = new ModalOverlay(&view_);
    QWidget* content_ = new QWidget;
    QLineEdit* first_ = new QLineEdit(content_);
    QLineEdit* second_ = new QLineEdit(content_);
    QPushButton* cancel_ = new QPushButton(QStringLiteral("Cancel"), content_);
    QPushButton* save_ = new QPushButton(QStringLiteral("Save"), content_);
};

TEST_F(ModalOverlayTest, CoversTheViewAndSwallowsClicksOnTheDimmedArea)
{
    EXPECT_EQ(overlay_->geometry(), view_.rect());
    EXPECT_EQ(overlay_->panel()->geometry().center(), view_.rect().center());

    QSignalSpy belowClicked(below_, &QPushButton::clicked);
    // Through the window, so that the click is routed to whatever widget is on top there.
    for (const QPoint corner : {QPoint(5, 5), QPoint(595, 395)}) {
        QTest::mouseClick(view_.windowHandle(), Qt::LeftButton, {}, corner);
        QTest::mouseDClick(view_.windowHandle(), Qt::LeftButton, {}, corner);
    }
    EXPECT_EQ(belowClicked.count(), 0);
    EXPECT_TRUE(overlay_->isOpen());

    view_.resize(800, 500);
    EXPECT_EQ(overlay_->geometry(), view_.rect());
}

TEST_F(ModalOverlayTest, ReturnClicksTheEnabledDefaultButtonAndEscapeTheCancelButton)
{
    QSignalSpy saved(save_, &QPushButton::clicked);
    save_->setEnabled(false);
    QTest::keyClick(first_, Qt::Key_Return);
    EXPECT_EQ(saved.count(), 0);
    save_->setEnabled(true);
    QTest::keyClick(first_, Qt::Key_Return);
    QTest::keyClick(second_, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(saved.count(), 2);

    QSignalSpy closed(overlay_, &ModalOverlay::closed);
    QTest::keyClick(second_, Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(overlay_->isVisible());
    EXPECT_EQ(overlay_->content(), nullptr);
}

TEST_F(ModalOverlayTest, KeepsTheFocusInsideWhileOpenAndGivesItBackOnClose)
{
    EXPECT_TRUE(first_->hasFocus());
    // Tab runs through the content's four widgets and wraps; Backtab wraps the other way.
    for (QWidget* next : std::initializer_list<QWidget*>{second_, cancel_, save_, first_}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(next->hasFocus()) << next->metaObject()->className();
    }
    QTest::keyClick(first_, Qt::Key_Backtab);
    EXPECT_TRUE(save_->hasFocus());

    below_->setFocus();
    EXPECT_FALSE(below_->hasFocus());
    EXPECT_TRUE(first_->hasFocus());

    QPointer<QWidget> content = content_;
    overlay_->close();
    EXPECT_TRUE(below_->hasFocus());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(content.isNull());
}

} // namespace
