// The desktop action's small window: what it hands to the action, and what it refuses.
#include "analytics/Fmt.h"
#include "automation/AddEntryDialog.h"

#include <gmock/gmock.h>

namespace {

struct Typed {
    const char *date, *balance, *adjustment;
    const char* error; // empty: accepted
};

TEST(AddEntryDialogTest, ChecksTheFieldsAsTheCommandLineDoesAndPassesThemOn)
{
    const QString saveFailed = QStringLiteral("The changes could not be saved (disk is full)");
    const Typed cases[] = {
        {"", "", "", "Enter the balance as a plain number such as 1234.56."},
        {"", "1,000", "", "Enter the balance as a plain number such as 1234.56."},
        {"June 4", "1000", "", "Enter the date as YYYY-MM-DD."},
        {"", "1000", "ten", "Enter the adjustment as a plain number such as -250."},
        {"2026-06-04", "1000.5", "-250", ""},
        {"", "1000", "", "The changes could not be saved (disk is full)"}, // the action refuses: stays open
    };
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.error);
        std::optional<AddBalanceEntryIntent> performed;
        AddEntryDialog dialog([&](const AddBalanceEntryIntent& intent) -> Result<QString> {
            performed = intent;
            return intent.date ? Result<QString>(QStringLiteral("Added")) : Result<QString>(Error{saveFailed, {}});
        });
        for (const auto& [key, text] : {std::pair{"date", typed.date}, std::pair{"balance", typed.balance},
                                        std::pair{"adjustment", typed.adjustment}, std::pair{"transfers", "20"}, std::pair{"note", " note "}})
            dialog.setText(key, QString::fromUtf8(text));
        dialog.submit();
        EXPECT_EQ(dialog.errorText().toStdString(), typed.error);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, *typed.error == '\0');
        EXPECT_EQ(performed.has_value(), *typed.error == '\0' || dialog.errorText() == saveFailed);
        if (dialog.result() == QDialog::Accepted) {
            EXPECT_EQ(std::tuple(performed->date, performed->balance, performed->adjustment, performed->transfers, performed->note),
                      std::tuple(Fmt::parseDay("2026-06-04"), 1000.5, -250.0, 20.0, std::optional(QStringLiteral(" note "))));
        }
    }
}

} // namespace
