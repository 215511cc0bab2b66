#pragma once

#include "automation/PortfolioScripting.h"

#include <QDBusContext>
#include <QObject>

#include <functional>
#include <optional>

class ObjectContext;

// What the running window offers on the session bus: the service org.corvanta.Corvanta with
// the object /org/corvanta/Corvanta, carrying the interfaces org.corvanta.Corvanta.Portfolio
// (for scripts) and org.corvanta.Corvanta.Window (Raise, for a second launch). Served on the
// main thread from `context`, the main context; the generated adaptors call the members below,
// which only translate PortfolioScripting's answers (a failure becomes the D-Bus error named
// in it). Without a session bus, or with the name taken, the window runs without it.
class WindowService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(qlonglong EntryCount READ entryCount)
    Q_PROPERTY(double StartingBalance READ startingBalance)
    Q_PROPERTY(double CurrentValue READ currentValue)
    Q_PROPERTY(double NetCashFlows READ netCashFlows)
    Q_PROPERTY(double InvestmentGain READ investmentGain)
    Q_PROPERTY(double GainPercent READ gainPercent)
    Q_PROPERTY(double MaximumBalance READ maximumBalance)
    Q_PROPERTY(double TotalDeposits READ totalDeposits)
    Q_PROPERTY(double TotalWithdrawals READ totalWithdrawals)
public:
    static constexpr const char* serviceName = "org.corvanta.Corvanta";
    static constexpr const char* objectPath = "/org/corvanta/Corvanta";

    WindowService(ObjectContext& context, std::function<void()> raise, QObject* parent = nullptr);
    ~WindowService() override;

    bool isRegistered() const { return registered_; }
    // What RestoreBackup does: restores the backup at the path and reloads, answering the
    // report to print, or refuses (the error's details name the D-Bus error).
    void setRestoreHandler(std::function<Result<QString>(const QString& path)> restore) { restore_ = std::move(restore); }

    // In a second launch: asks the window already running in this session to come to the
    // front. True when one answered.
    static bool raiseRunningWindow();
    // Asks the window running in this session to restore the backup at `path`: nothing when
    // no window answers, else its report or its refusal.
    static std::optional<Result<QString>> restoreInRunningWindow(const QString& path);

    // Settles which launch opens the session's window, before any window exists: the bus
    // hands the name to one process only, so of two launches at the same moment one takes it
    // and the other raises that one's window (waiting while it starts up). Without a session
    // bus every launch opens its own.
    enum class Launch { OpenWindow, RaisedOther, OtherSilent };
    static Launch claimSessionWindow();

    qlonglong entryCount();
    double startingBalance() { return figure(PortfolioScripting::Figure::StartingBalance); }
    double currentValue() { return figure(PortfolioScripting::Figure::CurrentValue); }
    double netCashFlows() { return figure(PortfolioScripting::Figure::NetCashFlows); }
    double investmentGain() { return figure(PortfolioScripting::Figure::InvestmentGain); }
    double gainPercent() { return figure(PortfolioScripting::Figure::GainPercent); }
    double maximumBalance() { return figure(PortfolioScripting::Figure::MaximumBalance); }
    double totalDeposits() { return figure(PortfolioScripting::Figure::TotalDeposits); }
    double totalWithdrawals() { return figure(PortfolioScripting::Figure::TotalWithdrawals); }

public Q_SLOTS:
    // The D-Bus method names, as the adaptors call them.
    QList<QVariantMap> BalanceEntries();
    QList<QVariantMap> BalanceEntriesRange(qlonglong offset, qlonglong count);
    QList<QVariantMap> TsxYears();
    QVariantMap BalanceEntryAt(qlonglong index);
    QVariantMap TsxYearAt(qlonglong index);
    QVariantMap BalanceEntryByScriptID(const QString& scriptID);
    QVariantMap TsxYearByScriptID(const QString& scriptID);
    QString CreateBalanceEntry(const QVariantMap& properties);
    void RemoveBalanceEntryAt(qlonglong index);
    void Raise();
    QString RestoreBackup(const QString& path);

private:
    double figure(PortfolioScripting::Figure figure);
    void refuse(const Error& error);
    // The value, or a default after turning the error into the D-Bus error reply.
    template <class T>
    T answer(Result<T> result);

    PortfolioScripting scripting_;
    std::function<void()> raise_;
    std::function<Result<QString>(const QString&)> restore_;
    bool registered_ = false;
};
