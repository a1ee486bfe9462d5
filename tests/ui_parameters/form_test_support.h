// The fixture the parameter form's widget tests share: the default silo in
// the model, German, a full-HD desktop (on which the form keeps its design
// size), and the program's one parameter form, closed again after each test.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "calc/engine.h"
#include "calc/model.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/parameters/parameterform.h"
#include "ui/texts/texts.h"

namespace korvane::ui::test_support {

class ParameterFormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        texts::setLanguage(0);
        SiloModel& m = globalModel();
        m = SiloModel{};
        resetToDefaults(m);
        globalWorkingCopy() = DensityWorkingCopy{};
        app() = AppState{};
        platform::clearNextAnswer();
        platform::shownMessages().clear();
        static const platform::ScreenInfo desktop{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)};
        platform::setScreenOverride(&desktop);
        form = parameterForm();
    }
    void TearDown() override {
        if (form->isVisible()) {
            app().keepOpen = false;
            form->cancel();
        }
        texts::setLanguage(0);
    }
    void open() {
        form->show();
        QApplication::setActiveWindow(form);
    }
    template <class W>
    W* get(const char* name) {
        W* w = form->findChild<W*>(name);
        EXPECT_TRUE(w) << name;
        return w;
    }
    QLineEdit* edit(const char* name) { return get<QLineEdit>(name); }
    void click(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }

    ParameterForm* form = nullptr;
};

}  // namespace korvane::ui::test_support
