// Opening the core calculation window and changing its tabs on a data file whose core
// table has 100,000 more rows (the sample file with rows added in a temporary folder).

#include "tolvik/core/core_form.h"
#include "tolvik/data/database.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QTabWidget>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

/// The sample file with 100,000 further (not shown) core rows.
std::string LargeDataFile() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "tolvik_bench_db1.mdb";
        std::filesystem::copy_file(TOLVIK_SAMPLE_DB, file, std::filesystem::copy_options::overwrite_existing);
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db,
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
                     "INSERT INTO Kernform (Kerntyp, LP, Loch, Anzeige, RthAnzeige, Ae, le) "
                     "SELECT 'X ' || i, 0, 0, 0, 0, 10, 20 FROM n;",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return file.string();
    }();
    return path;
}

std::unique_ptr<tolvik::AppContext> OpenApp() {
    auto app = std::make_unique<tolvik::AppContext>();
    app->appFolder = TOLVIK_PROGRAM_DIR;
    app->databasePath = LargeDataFile();
    app->database = tolvik::data::Database::open(app->databasePath);
    return app;
}

void ChangeTo(tolvik::core::CoreForm& form, int tab) {
    form.tabControl()->setCurrentIndex(tab);
    double t = tab;
    form.ChangeTab(t);
}

void BM_OpenWindow(benchmark::State& state) {
    auto app = OpenApp();
    for (auto _ : state) {
        tolvik::core::CoreForm form(*app);
        benchmark::DoNotOptimize(&form);
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

void BM_TabChange(benchmark::State& state) {
    auto app = OpenApp();
    tolvik::core::CoreForm form(*app);
    int tab = 0;
    for (auto _ : state) {
        tab = tab == 0 ? 1 : 0;
        ChangeTo(form, tab);
    }
}
BENCHMARK(BM_TabChange)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tolvik::ui::InstallRecordingMessages();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
