#pragma once
/// The window "Design advisor" (AdvisorForm): the inputs of a choke or a power transformer,
/// core-family and material filters, the run of the advisor on a worker thread (progress,
/// Cancel, designs appearing as they are found), a sortable table of the designs with the
/// rejected ones on request, a chart of loss against volume with the Pareto front, CSV export
/// and copying. A double click on a design asks for it to be opened in the core window.

#include "tolvik/advisor/advisor.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;
class QChartView;
class QScatterSeries;
class QLineSeries;
class QValueAxis;
class QLogValueAxis;

namespace tolvik {
struct AppContext;
}

namespace tolvik::advisor_ui {

/// A design to be shown in the core window, with the inputs it was designed for.
struct OpenRequest {
    advisor::Kind kind = advisor::Kind::Choke;
    std::string kerntyp;
    bool lowProfile = false;
    bool hole = false;
    std::string material;
    advisor::ChokeRequest choke;
    advisor::TransformerRequest transformer;
};

/// The designs of one run as a table: a view on the designs, not a copy into items.
class DesignModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void reset(std::shared_ptr<const advisor::Catalogue> cat, advisor::Kind kind);
    /// Adds designs found (shown when feasible or when rejected ones are shown).
    void append(std::vector<advisor::Design> designs);
    /// Ranks all designs by the key and shows them again.
    void rank(advisor::SortKey key);
    void setShowRejected(bool show);
    const advisor::Design* designAt(int row) const;
    const std::vector<advisor::Design>& all() const { return designs_; }
    /// The rows shown, as CSV (the advisor's columns) or as tab-separated text of the table.
    std::string csv() const;
    QString text() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString cell(const advisor::Design& d, int column) const;
    double number(const advisor::Design& d, int column) const;
    void refilter();

    std::shared_ptr<const advisor::Catalogue> cat_;
    advisor::Kind kind_ = advisor::Kind::Choke;
    std::vector<advisor::Design> designs_;
    std::vector<std::size_t> rows_; ///< indices of the shown designs, in display order
    bool showRejected_ = false;
};

class AdvisorWindow : public QWidget {
    Q_OBJECT
public:
    explicit AdvisorWindow(AppContext& app, QWidget* parent = nullptr);
    ~AdvisorWindow() override;

    DesignModel& model() { return model_; }
    bool running() const { return worker_.joinable(); }
    /// Starts a run from the inputs on screen (as the Advise button does).
    void advise();
    void cancel();
    /// The table as CSV into a file the user chooses / as text onto the clipboard.
    void exportCsv();
    void copyTable();

signals:
    void openDesign(const tolvik::advisor_ui::OpenRequest& request);
    /// A run has ended (finished or cancelled).
    void runEnded();

private:
    void buildWindow();
    void poll();
    void finish();
    void updateChart();
    advisor::SortKey sortKey() const;

    AppContext& app_;
    DesignModel model_;
    QComboBox* kind_ = nullptr;
    QStackedWidget* inputs_ = nullptr;
    QLineEdit* coreFilter_ = nullptr;
    QLineEdit* materialFilter_ = nullptr;
    QComboBox* sort_ = nullptr;
    QCheckBox* showRejected_ = nullptr;
    QPushButton* advise_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTableView* table_ = nullptr;
    QChartView* chart_ = nullptr;
    QTimer* timer_ = nullptr;

    // The run: its requests, and what the worker hands over.
    OpenRequest request_;
    std::thread worker_;
    std::atomic<bool> cancelFlag_{false};
    std::atomic<bool> workerDone_{false};
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
    std::mutex handoverMutex_;
    std::vector<advisor::Design> handover_;
    std::shared_ptr<const advisor::Catalogue> handoverCatalogue_;
    std::string error_;
};

} // namespace tolvik::advisor_ui
