#pragma once
// The Core calculation window on the fixture database (core_fixture_db.h), as the window
// tests drive it: opened afresh for every test function, messages recorded.

#include "../ui_common/window_test_base.h"
#include "core_fixture_db.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>
#include <string>

namespace tolvik::core::test {

class CoreWindowTestBase : public tolvik::test::WindowTestBase {
protected:
    std::unique_ptr<FixtureFolder> folder;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<CoreForm> form;
    QWidget* windowUnderTest() const override { return form.get(); }

    /// Opens the window on the fixture database, changed by extraSql.
    void open(const std::string& extraSql = std::string()) {
        form.reset();
        app.reset();
        text::SetDecimalSeparator('.');
        messages = &ui::InstallRecordingMessages();
        folder = std::make_unique<FixtureFolder>(extraSql);
        app = std::make_unique<AppContext>();
        app->databasePath = folder->databasePath();
#ifdef TOLVIK_TEST_PROGRAM_DIR
        app->appFolder = TOLVIK_TEST_PROGRAM_DIR;
#endif
        app->database = data::Database::open(app->databasePath);
        form = std::make_unique<CoreForm>(*app);
        form->resize(1000, 650);
        form->show();
    }
    void close() {
        form.reset();
        app.reset();
        folder.reset();
    }
    /// As the main window does it: set the tab, then ChangeTab.
    void showTab(int tab) {
        form->tabControl()->setCurrentIndex(tab);
        double t = tab;
        form->ChangeTab(t);
    }
    /// Material and core chosen on the overview, then the tab entered.
    void chooseOn(int tab, const QString& material, const QString& core) {
        showTab(0);
        choose(QStringLiteral("Material"), material);
        choose(QStringLiteral("Kern"), core);
        showTab(tab);
    }
    chart::Graph* graph(int tab) {
        return get<chart::Graph>(QStringLiteral("Graph1(%1)").arg(tab));
    }
};

} // namespace tolvik::core::test
