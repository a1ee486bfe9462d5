// The fixture the parameter form's widget tests share: the default silo in
// its document, German, a full-HD desktop (on which the form keeps its design
// size), and a parameter form on that document, closed again after each test.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "calc/engine.h"
#include "calc/model.h"
#include "ui/document/silodocument.h"
#include "ui/main/appstate.h"
#include "ui/main/platform.h"
#include "ui/parameters/parameterform.h"
#include "ui/texts/texts.h"

namespace korvane::ui::test_support {

class ParameterFormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        texts::setLanguage(0);
        doc = std::make_unique<SiloDocument>();
        resetToDefaults(doc->model);
        app() = AppState{};
        platform::clearNextAnswer();
        platform::shownMessages().clear();
        static const platform::ScreenInfo desktop{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)};
        platform::setScreenOverride(&desktop);
        ownForm = std::make_unique<ParameterForm>(*doc);
        form = ownForm.get();
    }
    void TearDown() override {
        if (form->isVisible()) {
            form->setKeepOpen(false);
            form->cancel();
        }
        ownForm.reset();
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

    // The silo the form edits, and the form (gone before the silo).
    std::unique_ptr<SiloDocument> doc;
    std::unique_ptr<ParameterForm> ownForm;
    ParameterForm* form = nullptr;
};

}  // namespace korvane::ui::test_support
