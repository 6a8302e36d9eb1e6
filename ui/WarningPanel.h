// The plausibility findings of the current building on the result page: a
// row per finding (warning icon, the member, what is wrong with its value),
// its reason as the row's hint. The panel is hidden while there is none. Up
// to four rows show at once; more scroll.
#pragma once

#include "data/UnitPlausibility.h"

#include <QGroupBox>

#include <vector>

class QListWidget;

class TWarningPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TWarningPanel(QWidget* Parent = nullptr);

    void SetWarnings(const std::vector<TPlausibilityWarning>& Warnings);
    QListWidget* List() const { return FList; }

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    // Gives each row the height its wrapped text needs at the list's width
    // and the list the height of its first rows.
    void FitRows();

    QListWidget* FList;
};
