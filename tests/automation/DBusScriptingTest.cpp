// The window's D-Bus object seen from another connection on a private session bus (the test
// runs under dbus-run-session): its properties and methods, the error names, and creation and
// removal as steps the window's Undo takes back.
#include "CorvantaProcess.h"

#include "app/CorvantaApp.h"
#include "automation/WindowService.h"
#include "model/NewEntry.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "model/PersistentContainer.h"
#include "support/StoreSql.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QProcess>
#include <QDateTime>
#include <QSettings>
#include <QTest>
#include <gmock/gmock.h>

namespace {

// Stands in for the desktop's notification service.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown; // title + "|" + body

public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString& title, const QString& body, const QStringList&,
                const QVariantMap&, int)
    {
        shown << title + QLatin1Char('|') + body;
        return uint(shown.size());
    }
};

const QString service = QString::fromUtf8(WindowService::serviceName);
const QString path = QString::fromUtf8(WindowService::objectPath);
const QString portfolio = QStringLiteral("org.corvanta.Corvanta.Portfolio");

class DBusScriptingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(client_.isConnected()) << "run under dbus-run-session";
        QDir(QFileInfo(PersistentContainer::defaultStorePath()).path()).removeRecursively(); // a fresh store for each test
        qDBusRegisterMetaType<QList<QVariantMap>>();
        QSettings().setValue(QStringLiteral("didSeedInitialData_v1"), true);
        persistence_ = std::make_unique<PersistenceController>(false);
        app_ = std::make_unique<CorvantaApp>(*persistence_);
        service_ = std::make_unique<WindowService>(app_->context(), [this] { ++raised_; });
        ASSERT_TRUE(service_->isRegistered());
    }

    // The reply, the window's event loop running meanwhile.
    QDBusMessage call(const char* method, const QVariantList& arguments = {}, const QString& interface = portfolio)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, QString::fromUtf8(method));
        message.setArguments(arguments);
        QDBusPendingCallWatcher watcher(client_.asyncCall(message));
        EXPECT_TRUE(QTest::qWaitFor([&] { return watcher.isFinished(); }, 10000)) << method;
        return watcher.reply();
    }
    QVariant property(const char* name)
    {
        const QDBusMessage reply = call("Get", {portfolio, QString::fromUtf8(name)}, QStringLiteral("org.freedesktop.DBus.Properties"));
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    // The reply's one argument: a dictionary or a list of them.
    template <class T = QVariantMap>
    static T answer(const QDBusMessage& reply)
    {
        return qdbus_cast<T>(reply.arguments().value(0).value<QDBusArgument>());
    }
    static QList<QVariantMap> list(const QDBusMessage& reply) { return answer<QList<QVariantMap>>(reply); }
    static std::string errorName(const QDBusMessage& reply) { return reply.errorName().toStdString(); }

    // The program run as another process on this bus, to its successful end: its standard output.
    std::string launch(std::initializer_list<const char*> words)
    {
        const ProcessRun run = corvanta_.run(words);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return run.output;
    }

    // The new entry's script ID (empty on a failure).
    QString create(const QVariantMap& properties) { return call("CreateBalanceEntry", {properties}).arguments().value(0).toString(); }

    QDBusConnection client_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("script"));
    std::unique_ptr<PersistenceController> persistence_;
    std::unique_ptr<CorvantaApp> app_;
    std::unique_ptr<WindowService> service_;
    int raised_ = 0;
    CorvantaProcess corvanta_;
};

TEST_F(DBusScriptingTest, AnEmptyPortfolioReadsZeroAndLookupsFailWithTheirErrorNames)
{
    EXPECT_EQ(property("EntryCount").toLongLong(), 0);
    EXPECT_EQ(property("GainPercent"), QVariant(0.0));
    EXPECT_TRUE(list(call("BalanceEntries")).isEmpty());
    EXPECT_TRUE(list(call("TsxYears")).isEmpty());
    const std::tuple<const char*, QVariant, const char*> lookups[] = {
        {"BalanceEntryAt", qlonglong(0), "IndexOutOfRange"}, {"TsxYearAt", qlonglong(-1), "IndexOutOfRange"},
        {"RemoveBalanceEntryAt", qlonglong(0), "IndexOutOfRange"}, {"BalanceEntryByScriptID", QString(), "NotFound"},
        {"TsxYearByScriptID", QStringLiteral("X"), "NotFound"}};
    for (const auto& [method, argument, error] : lookups)
        EXPECT_EQ(errorName(call(method, {argument})), std::string("org.corvanta.Corvanta.Error.") + error) << method;
}

// Entries read back by list, index and script ID alike (years share the same lookups); a
// creation and a removal are steps the window's Undo takes back.
TEST_F(DBusScriptingTest, ObjectsReadBackAndTheWindowsUndoTakesChangesBack)
{
    const QString first = create({{QStringLiteral("balance"), 1000.0},
                                  {QStringLiteral("date"), QStringLiteral("2026-06-04T04:00:00Z")},
                                  {QStringLiteral("note"), QStringLiteral("opening")},
                                  {QStringLiteral("colour"), QStringLiteral("blue")}});
    EXPECT_EQ(first, first.toUpper());
    const QString second = create({{QStringLiteral("balance"), 1500}, {QStringLiteral("adjustment"), qlonglong(200)},
                                   {QStringLiteral("note"), 7}}); // not text: no note
    const QList<QVariantMap> entries = list(call("BalanceEntries"));
    ASSERT_EQ(entries.size(), 2);
    QVariantMap opening = entries[0];
    EXPECT_EQ(QDateTime::fromString(opening.take(QStringLiteral("date")).toString(), Qt::ISODate),
              QDateTime(QDate(2026, 6, 4), QTime(4, 0), Qt::UTC));
    EXPECT_EQ(opening, (QVariantMap{{QStringLiteral("scriptID"), first}, {QStringLiteral("id"), first}, {QStringLiteral("index"), qlonglong(0)},
                                    {QStringLiteral("balance"), 1000.0}, {QStringLiteral("adjustment"), 0.0},
                                    {QStringLiteral("transfers"), 0.0}, {QStringLiteral("note"), QStringLiteral("opening")}}));
    EXPECT_EQ(entries[1].value(QStringLiteral("scriptID")).toString(), second);
    EXPECT_FALSE(entries[1].contains(QStringLiteral("note")));
    EXPECT_EQ(answer(call("BalanceEntryAt", {qlonglong(1)})), entries[1]);
    EXPECT_EQ(answer(call("BalanceEntryByScriptID", {first})), entries[0]);
    EXPECT_EQ(errorName(call("BalanceEntryByScriptID", {first.toLower()})), "org.corvanta.Corvanta.Error.NotFound");

    const std::pair<const char*, double> figures[] = {{"EntryCount", 2},      {"StartingBalance", 1000}, {"CurrentValue", 1500},
                                                      {"NetCashFlows", 200},  {"InvestmentGain", 300},   {"GainPercent", 0.25},
                                                      {"MaximumBalance", 1500}, {"TotalDeposits", 200},  {"TotalWithdrawals", 0}};
    for (auto [name, value] : figures)
        EXPECT_DOUBLE_EQ(property(name).toDouble(), value) << name;

    EXPECT_EQ(call("RemoveBalanceEntryAt", {qlonglong(0)}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(list(call("BalanceEntries")).value(0).value(QStringLiteral("scriptID")), second);
    app_->undo(); // the removal
    app_->undo(); // the second creation
    EXPECT_EQ(list(call("BalanceEntries")).value(0).value(QStringLiteral("scriptID")), first);
    EXPECT_EQ(property("EntryCount").toLongLong(), 1);
}

// A request sees the store as it is at that moment, before the window has had an event-loop
// pass to hear of a change: another process's commit, an edit not yet saved.
TEST_F(DBusScriptingTest, EachRequestSeesChangesTheWindowHasNotYetBeenToldOf)
{
    const PortfolioScripting scripting(app_->context());
    using Figure = PortfolioScripting::Figure;
    ASSERT_TRUE(scripting.createBalanceEntry({{QStringLiteral("balance"), 1000.0}, {QStringLiteral("date"), QStringLiteral("2026-01-01")}}));
    EXPECT_EQ(scripting.figure(Figure::CurrentValue).value(), 1000);

    auto other = PersistentContainer::open(PersistentContainer::defaultStorePath());
    ASSERT_TRUE(other.ok());
    other.value()->viewContext().insert(makeBalanceEntry({std::nullopt, instantFromMilliseconds(1'790'000'000'000), 1500}));
    ASSERT_TRUE(other.value()->viewContext().save().ok());
    EXPECT_EQ(scripting.figure(Figure::CurrentValue).value(), 1500);
    EXPECT_EQ(scripting.balanceEntryAt(1).value().value(QStringLiteral("balance")), QVariant(1500.0));

    app_->context().fetchBalanceEntries().value().front()->setBalance(900);
    EXPECT_EQ(scripting.figure(Figure::StartingBalance).value(), 900);
    EXPECT_EQ(scripting.balanceEntriesRange(0, 5).value().size(), 2);
}

// A wrong type or an unreadable value is refused by name and adds nothing; what is taken keeps
// its type (amounts are doubles even when whole) and an empty note stays an empty note.
TEST_F(DBusScriptingTest, CreationChecksEachArgumentAndKeepsWhatItTakesExactly)
{
    const std::pair<const char*, QVariant> refused[] = {
        {"date", QStringLiteral("2026-13-01")}, {"date", 20260605},       {"date", QStringLiteral("10000-01-01")},
        {"balance", QStringLiteral("1000")},    {"adjustment", qInf()},   {"transfers", qQNaN()},
        {"note", QString((1 << 20) + 1, QLatin1Char('x'))}};
    for (const auto& [key, value] : refused) {
        const QDBusMessage reply = call("CreateBalanceEntry", {QVariantMap{{QStringLiteral("balance"), 5.0}, {QString::fromUtf8(key), value}}});
        EXPECT_EQ(errorName(reply), "org.corvanta.Corvanta.Error.InvalidArgument") << key;
        EXPECT_THAT(reply.errorMessage().toStdString(), ::testing::HasSubstr(std::string("\"") + key + "\"")) << key;
    }
    EXPECT_EQ(property("EntryCount").toLongLong(), 0);

    create({{QStringLiteral("balance"), 1000}, {QStringLiteral("transfers"), qlonglong(-5)}, {QStringLiteral("note"), QStringLiteral("")}});
    const QVariantMap entry = list(call("BalanceEntries")).value(0);
    for (const char* amount : {"balance", "adjustment", "transfers"})
        EXPECT_EQ(entry.value(QString::fromUtf8(amount)).typeId(), QMetaType::Double) << amount;
    EXPECT_EQ(entry.value(QStringLiteral("balance")), QVariant(1000.0));
    EXPECT_EQ(entry.value(QStringLiteral("note")), QVariant(QStringLiteral("")));
}

// Past what one reply may carry the whole list is refused (the window keeps its name on the
// bus) and the entries come in ranges.
TEST_F(DBusScriptingTest, ALargePortfolioIsReadInRanges)
{
    const std::int64_t count = PortfolioScripting::maximumReplyEntries + 1;
    for (std::int64_t i = 0; i < count; ++i)
        app_->context().insert(makeBalanceEntry({std::nullopt, instantFromMilliseconds(i * 60'000), double(i)}));
    ASSERT_TRUE(app_->context().save().ok());

    const QDBusMessage whole = call("BalanceEntries");
    EXPECT_EQ(errorName(whole), "org.corvanta.Corvanta.Error.TooLarge");
    EXPECT_THAT(whole.errorMessage().toStdString(), ::testing::HasSubstr("BalanceEntriesRange(offset, count)"));
    EXPECT_TRUE(client_.interface()->isServiceRegistered(service));

    const QList<QVariantMap> middle = list(call("BalanceEntriesRange", {qlonglong(5000), qlonglong(3)}));
    ASSERT_EQ(middle.size(), 3);
    EXPECT_EQ(middle[0].value(QStringLiteral("index")), QVariant(qlonglong(5000)));
    EXPECT_EQ(middle[2].value(QStringLiteral("balance")), QVariant(5002.0));
    EXPECT_EQ(list(call("BalanceEntriesRange", {qlonglong(count - 1), qlonglong(10)})).size(), 1);
    EXPECT_TRUE(list(call("BalanceEntriesRange", {qlonglong(count), qlonglong(10)})).isEmpty());
    for (auto [offset, size] : {std::pair<qlonglong, qlonglong>{-1, 1}, {0, count}, {0, -1}})
        EXPECT_EQ(errorName(call("BalanceEntriesRange", {qlonglong(offset), qlonglong(size)})), "org.corvanta.Corvanta.Error.InvalidArgument");
}

TEST_F(DBusScriptingTest, ASaveTheStoreRefusesIsAnErrorAndChangesNothing)
{
    ASSERT_TRUE(refuseNewEntries(PersistentContainer::defaultStorePath(), "disk is full"));
    const QDBusMessage reply = call("CreateBalanceEntry", {QVariantMap{{QStringLiteral("balance"), 5.0}}});
    EXPECT_EQ(errorName(reply), "org.corvanta.Corvanta.Error.SaveFailed");
    EXPECT_THAT(reply.errorMessage().toStdString(), ::testing::HasSubstr("disk is full"));
    EXPECT_EQ(property("EntryCount").toLongLong(), 0);
    EXPECT_FALSE(app_->context().hasChanges());
}

TEST_F(DBusScriptingTest, ASecondLaunchRaisesThisWindowAndEnds)
{
    EXPECT_EQ(launch({}), "");
    EXPECT_EQ(raised_, 1);
}

// Two launches at the same moment with no window open: one takes the name and stays, the
// other raises it and ends.
TEST_F(DBusScriptingTest, TwoLaunchesAtOnceOpenOneWindow)
{
    service_.reset(); // this test's own window leaves the bus
    QProcess launches[2];
    for (QProcess& launch : launches) {
        launch.setProcessEnvironment(corvanta_.environment());
        launch.start(QStringLiteral(CORVANTA_BINARY), {});
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return launches[0].state() == QProcess::NotRunning || launches[1].state() == QProcess::NotRunning; }, 60000));
    QProcess& ended = launches[0].state() == QProcess::NotRunning ? launches[0] : launches[1];
    QProcess& open = &ended == &launches[0] ? launches[1] : launches[0];
    EXPECT_EQ(ended.exitCode(), 0) << ended.readAllStandardError().toStdString();
    EXPECT_EQ(open.state(), QProcess::Running);
    EXPECT_EQ(client_.interface()->servicePid(service).value(), uint(open.processId()));
    open.terminate();
    EXPECT_TRUE(open.waitForFinished(10000));
}

TEST_F(DBusScriptingTest, TheSummaryActionNotifiesAndPrintsWhenNoServiceAnswers)
{
    const std::string dialog = "Current value: $0\nInvestment gain: +$0 (+0%)\nNet cash flows: $0";
    EXPECT_EQ(launch({"summary", "--notify"}), dialog + "\n");

    FakeNotifications notifications;
    ASSERT_TRUE(client_.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(client_.registerService(QStringLiteral("org.freedesktop.Notifications")));
    EXPECT_EQ(launch({"summary", "--notify"}), "");
    EXPECT_EQ(notifications.shown, QStringList{QStringLiteral("Portfolio Summary|") + QString::fromStdString(dialog)});
    client_.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    client_.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

} // namespace

#include "DBusScriptingTest.moc"
