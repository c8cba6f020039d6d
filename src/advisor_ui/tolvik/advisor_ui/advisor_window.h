#pragma once
/// The window "Design advisor" (AdvisorForm): the inputs of a choke or a power transformer,
/// core-family and material filters, the run of the advisor on a worker thread (progress,
/// Cancel, designs appearing as they are found), a sortable table of the designs with the
/// rejected ones on request, a chart of loss against volume with the Pareto front, CSV export
/// and copying. A double click on a design asks for it to be opened in the core window.

#include "tolvik/advisor/advisor.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
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

/// The designs of one run as a table: a view on the designs, not a copy into items. The
/// designs come in parts as the run finds them and stay where the run put them; at the end
/// the ranked run takes their place.
class DesignModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Designs = std::vector<advisor::Design>;
    using QAbstractTableModel::QAbstractTableModel;
    void reset(std::shared_ptr<const advisor::Catalogue> cat, advisor::Kind kind);
    /// Adds a part of the designs found (shown when feasible or when rejected ones are shown).
    void append(std::shared_ptr<const Designs> part);
    /// Adds several parts at once (one insertion of rows).
    void append(std::vector<std::shared_ptr<const Designs>> parts);
    /// Shows the run's designs as advisor::Rank left them, in place of the parts.
    void setRanked(std::shared_ptr<const Designs> ranked);
    void setShowRejected(bool show);
    const advisor::Design* designAt(int row) const;
    std::size_t designCount() const { return count_; }
    /// The parts shown (one after the ranking).
    const std::vector<std::shared_ptr<const Designs>>& parts() const { return parts_; }
    const std::shared_ptr<const advisor::Catalogue>& catalogue() const { return cat_; }
    /// The rows shown, as CSV (the advisor's columns) or as tab-separated text of the table.
    std::string csv() const;
    QString text() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    const advisor::Design& design(std::size_t k) const;
    QString cell(const advisor::Design& d, int column) const;
    double number(const advisor::Design& d, int column) const;
    void refilter();

    std::shared_ptr<const advisor::Catalogue> cat_;
    advisor::Kind kind_ = advisor::Kind::Choke;
    std::vector<std::shared_ptr<const Designs>> parts_;
    std::vector<std::size_t> partEnd_; ///< designs up to the end of each part
    std::size_t count_ = 0;
    std::vector<std::size_t> feasible_; ///< indices of the feasible designs, in order
    std::vector<std::size_t> rows_;     ///< indices of the shown designs, in display order
    /// The ranked run as Rank left it: row k is design k (the feasible ones lead), no list.
    bool identity_ = false;
    std::size_t rankedFeasible_ = 0;
    bool showRejected_ = false;
};

/// The points of the chart of loss against volume: every feasible design (one per cell of
/// a fine grid over the plot when there are very many) and the Pareto front.
class DesignCloud;

struct ChartData {
    std::vector<std::pair<double, double>> designs, front; ///< Ve [mm³], Ptotal [W]
    double vMin = 1e300, vMax = 0, pMax = 0;
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
    /// Starts the worker on a job: a run from the inputs, or ranking the designs shown again.
    void start(std::function<void()> job);
    void poll();
    void finish();
    /// Takes the next of the steps that show the end of a run (one an event).
    void nextEndStep();
    /// The chart's axes, Pareto front and designs' points for a run.
    void updateChart(const ChartData& data);
    /// Ranks the designs shown by the key chosen now, on the worker.
    void rerank();
    /// On the worker: the parts joined and ranked (or, for a cancelled run, as they are) and
    /// the chart's points, handed over.
    void rankAndHandOver(const std::vector<std::shared_ptr<const DesignModel::Designs>>& parts,
                         const advisor::Catalogue& cat, advisor::SortKey key, bool rank);
    advisor::SortKey sortKey() const;
    /// Frees designs no longer shown on a thread of their own (started at the first call).
    void sweep(std::vector<std::shared_ptr<const DesignModel::Designs>> old);

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
    QScatterSeries* designsLegend_ = nullptr; ///< no points: the designs' legend entry
    DesignCloud* designPoints_ = nullptr;     ///< the designs' points
    QLineSeries* frontLine_ = nullptr;
    QLogValueAxis* volumeAxis_ = nullptr;
    QValueAxis* lossAxis_ = nullptr;
    QTimer* timer_ = nullptr;
    std::deque<std::function<void()>> endSteps_; ///< what is left to show of a run's end

    // The job on the worker, and what it hands over (under the mutex).
    OpenRequest request_;
    advisor::SortKey rankedBy_ = advisor::SortKey::Volume;
    bool reranking_ = false; ///< the job ranks the designs shown again
    std::thread worker_;
    std::thread sweeper_;
    std::mutex sweepMutex_;
    std::condition_variable sweepWake_;
    std::vector<std::shared_ptr<const DesignModel::Designs>> toSweep_; ///< under sweepMutex_
    bool sweepStop_ = false;                                           ///< under sweepMutex_
    std::atomic<bool> cancelFlag_{false};
    std::atomic<bool> workerDone_{false};
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
    std::mutex handoverMutex_;
    std::vector<std::shared_ptr<const DesignModel::Designs>> handover_;
    std::deque<std::shared_ptr<const DesignModel::Designs>> backlog_; ///< handed over, not yet shown
    std::shared_ptr<const DesignModel::Designs> handoverRanked_;
    std::size_t handoverFeasible_ = 0;
    std::unique_ptr<ChartData> handoverChart_;
    std::shared_ptr<const advisor::Catalogue> handoverCatalogue_;
    std::string error_;
};

} // namespace tolvik::advisor_ui
