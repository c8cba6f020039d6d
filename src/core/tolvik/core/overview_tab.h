#pragma once
/// The "Data overview" tab of the core calculation window: the selected material's
/// datasheet values and the selected core's effective parameters, as the window's
/// selection holds them.

#include "tolvik/core/core_page.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace tolvik::core {

class OverviewTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    explicit OverviewTab(CoreWindow& window, QWidget* parent = nullptr);
    ~OverviewTab() override;

    void clearResults() override;
    /// The core parameters (a fault of the core record is reported and the material is still
    /// shown), then the material specifications.
    void recalculate() override;

    /// t9Ae, t9le, t9ln, t9An as they stand.
    CoreDimensionTexts coreDimensions() const;
    void setCoreDimensions(const CoreDimensionTexts& texts);

    /// Shows a text field when its text reads as a number other than 0, hides it otherwise.
    static void ShowIfNonZero(QLineEdit* field);

private:
    /// The two frames of fields (overview_pages.cpp).
    void buildPage();
    void showCoreParameters();
    void showMaterialSpecifications();
    QLineEdit* field(const QString& name) const;

    CoreWindow& window_;
    QLabel* t9Label20_ = nullptr;
};

} // namespace tolvik::core
