// The desktop action's small window: what it hands to the action, and what it refuses.
#include "analytics/Fmt.h"
#include "automation/AddEntryDialog.h"

#include <gmock/gmock.h>

namespace {

struct Typed {
    const char* date;
    const char* balance;
    const char* adjustment;
    const char* error; // empty: accepted
};

TEST(AddEntryDialogTest, ChecksTheFieldsAsTheCommandLineDoesAndPassesThemOn)
{
    const Typed cases[] = {
        {"", "", "", "Enter the balance as a plain number such as 1234.56."},
        {"", "1,000", "", "Enter the balance as a plain number such as 1234.56."},
        {"June 4", "1000", "", "Enter the date as YYYY-MM-DD."},
        {"", "1000", "ten", "Enter the adjustment as a plain number such as -250."},
        {"2026-06-04", "1000.5", "-250", ""},
        {"", "1000", "", "The changes could not be saved (disk is full)"}, // stays open
    };
    for (const Typed& typed : cases) {
        std::optional<AddBalanceEntryIntent> performed;
        AddEntryDialog dialog([&](const AddBalanceEntryIntent& intent) -> Result<QString> {
            performed = intent;
            if (!intent.date)
                return Error{QStringLiteral("The changes could not be saved (disk is full)"), {}};
            return QStringLiteral("Added");
        });
        dialog.setText("date", QString::fromUtf8(typed.date));
        dialog.setText("balance", QString::fromUtf8(typed.balance));
        dialog.setText("adjustment", QString::fromUtf8(typed.adjustment));
        dialog.setText("transfers", QStringLiteral("20"));
        dialog.setText("note", QStringLiteral(" note "));
        dialog.submit();
        EXPECT_EQ(dialog.errorText().toStdString(), typed.error);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, *typed.error == '\0');
        EXPECT_EQ(performed.has_value(), *typed.error == '\0' || typed.error[0] == 'T');
        if (dialog.result() == QDialog::Accepted) {
            EXPECT_EQ(performed->date, Fmt::parseDay("2026-06-04"));
            EXPECT_EQ(std::tuple(performed->balance, performed->adjustment, performed->transfers), std::tuple(1000.5, -250.0, 20.0));
            EXPECT_EQ(performed->note, QStringLiteral(" note "));
        }
    }
}

} // namespace
