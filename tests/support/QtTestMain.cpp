// main() for test programs that need Qt: a QApplication on the offscreen platform, inside a
// temporary home so that no test touches the user's data or settings.
#include "support/TemporaryHome.h"

#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TemporaryHome home;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
