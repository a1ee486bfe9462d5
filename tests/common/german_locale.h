// Runs a piece of a test with the process locale of a German desktop
// (de_DE.UTF-8: decimal comma). The locale is taken from the system or built
// once with localedef into the build folder (LOCPATH); where neither works the
// caller skips with the reason returned.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace ktest {

class GermanLocale {
public:
    GermanLocale() {
        const char* now = std::setlocale(LC_ALL, nullptr);
        previous_ = now ? now : "C";
        const char* oldPath = std::getenv("LOCPATH");
        hadLocpath_ = oldPath != nullptr;
        if (oldPath) previousLocpath_ = oldPath;
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) buildAndUse();
        const std::lconv* lc = std::localeconv();
        if (skipReason_.empty() && (!lc || std::string(lc->decimal_point) != ","))
            skipReason_ = "de_DE.UTF-8 is active but has no decimal comma";
    }
    ~GermanLocale() {
        if (hadLocpath_) ::setenv("LOCPATH", previousLocpath_.c_str(), 1);
        else ::unsetenv("LOCPATH");
        if (!std::setlocale(LC_ALL, previous_.c_str())) std::setlocale(LC_ALL, "C");
    }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;

    // Empty when the German locale is active.
    const std::string& skipReason() const { return skipReason_; }

private:
    void buildAndUse() {
        const std::string dir = std::string(KORVANE_BIN_DIR) + "/../test-locales";
        const std::string target = dir + "/de_DE.UTF-8";
        struct stat st{};
        if (::stat((target + "/LC_NUMERIC").c_str(), &st) != 0) {
            if (std::system("command -v localedef >/dev/null 2>&1") != 0) {
                skipReason_ = "localedef is missing (Debian package locales): cannot build de_DE.UTF-8";
                return;
            }
            const std::string cmd = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" +
                                    target + "' >/dev/null 2>&1";
            if (std::system(cmd.c_str()) != 0 && ::stat((target + "/LC_NUMERIC").c_str(), &st) != 0) {
                skipReason_ = "localedef could not build de_DE.UTF-8 (are the locale sources of "
                              "the Debian package locales installed?)";
                return;
            }
        }
        ::setenv("LOCPATH", dir.c_str(), 1);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            skipReason_ = "de_DE.UTF-8 built with localedef but setlocale refuses it";
    }

    std::string previous_;
    std::string previousLocpath_;
    bool hadLocpath_ = false;
    std::string skipReason_;
};

}  // namespace ktest
