// Pictures of the main window for a person to look at: written only when
// KORVANE_SCREENSHOTS names a folder (skipped otherwise).
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QtTest/QTest>
#include <memory>

#include "calc/form_logic.h"
#include "calc/model.h"
#include "tests/common/wait_for_results.h"
#include "ui/main/appstate.h"
#include "ui/main/mainwindow.h"
#include "ui/main/platform.h"
#include "ui/texts/texts.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

void shoot(const QString& folder, const QString& name, QSize screen, const QString& parFile,
           int language) {
    app() = AppState{};
    texts::setLanguage(language);
    const platform::ScreenInfo info{QRect(QPoint(0, 0), screen),
                                    QRect(QPoint(0, 0), screen - QSize(0, 40))};
    platform::setScreenOverride(&info);
    auto w = std::make_unique<MainWindow>();
    ASSERT_TRUE(w->initialize(folder, folder));
    w->setWindowState(Qt::WindowNoState);
    w->resize(screen - QSize(0, 40));
    w->show();
    QTest::qWait(50);
    if (!parFile.isEmpty()) {
        platform::setNextFileName(QStringLiteral(KORVANE_TEST_DATA "/reference-cases/") + parFile);
        QTimer closer;
        closer.setInterval(20);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
        });
        closer.start();
        w->openParameterFile();
        confirmLoadedModel(w->document().model, w->document().workingCopy);
        w->activate();
        ASSERT_TRUE(korvane::ui::test_support::waitForResults(*w));
    }
    QTest::qWait(50);
    w->grab().save(folder + "/" + name + ".png");
    platform::setScreenOverride(nullptr);
}

}  // namespace

TEST(Screenshots, MainWindow) {
    const QString folder = qEnvironmentVariable("KORVANE_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "set KORVANE_SCREENSHOTS to a folder";
    QDir().mkpath(folder);
    shoot(folder, "default-1280-de", QSize(1280, 1024), "", 0);
    shoot(folder, "default-1920-en", QSize(1920, 1080), "", 1);
    shoot(folder, "heap-circular-1280-de", QSize(1280, 1024), "case_0032.par", 0);
    shoot(folder, "heap-circular-1280-en", QSize(1280, 1024), "case_0032.par", 1);
    shoot(folder, "funnel-flow-1920-de", QSize(1920, 1080), "case_0038.par", 0);
    shoot(folder, "funnel-flow-1280-en", QSize(1280, 1024), "case_0002.par", 1);
    texts::setLanguage(0);
}
