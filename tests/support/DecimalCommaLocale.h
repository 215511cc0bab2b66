#pragma once

// Switches LC_NUMERIC to a locale whose decimal separator is a comma (de_DE.UTF-8) for as
// long as it lives, so that tests can show that number parsing ignores the process locale.
// Where the machine has no such locale compiled, one is built with localedef into a temporary
// folder and found through LOCPATH (read by glibc at each setlocale call). `active()` is
// false when neither works; the caller then skips.

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

class DecimalCommaLocale {
public:
    DecimalCommaLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr))
    {
        active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        if (active_ || !mkdtemp(folder_.data())
            || std::system(("localedef -i de_DE -f UTF-8 " + folder_ + "/de_DE.UTF-8 >/dev/null 2>&1").c_str()) != 0)
            return;
        setenv("LOCPATH", folder_.c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        unsetenv("LOCPATH");
    }
    ~DecimalCommaLocale()
    {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        std::filesystem::remove_all(folder_); // nothing when mkdtemp never ran: no such path
    }

    bool active() const { return active_; }

private:
    std::string previous_;
    std::string folder_ = "/tmp/corvanta-locale-XXXXXX";
    bool active_ = false;
};
