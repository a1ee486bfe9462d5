#include "ui/texts/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace korvane::texts {

namespace {
QTranslator* g_german = nullptr;  // lives as long as the application
bool g_installed = false;
}  // namespace

bool applyQtTranslation(int language) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    if (language == 0) {
        if (!g_german) {
            g_german = new QTranslator(app);
            if (!g_german->load(QStringLiteral("qtbase_de"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                delete g_german;
                g_german = nullptr;
                return false;
            }
        }
        if (!g_installed) g_installed = QCoreApplication::installTranslator(g_german);
        return g_installed;
    }
    if (g_german && g_installed) QCoreApplication::removeTranslator(g_german);
    g_installed = false;
    return true;
}

bool qtTranslationLoaded() { return g_installed; }

}  // namespace korvane::texts
