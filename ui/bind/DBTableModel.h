// A table model over a data source: the rows of the view, the columns and
// titles chosen per grid, values in the display format of their field. The
// current row of the view is the model's current row; TDBGrid keeps the
// selection of a table view and the current row the same in both directions.
#pragma once

#include "ui/bind/DataSource.h"
#include "ui/bind/FieldFormat.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <optional>
#include <vector>

class TDBTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The text a column shows for a row instead of its field's value, or
    // nothing to show the value. Row is 1-based, as RecNo.
    using TCellText = std::function<std::optional<QString>(const TDataset&, int Row)>;

    struct TColumn {
        std::string Field;
        QString Title;
        std::optional<TDisplayFormat> Format; // the field's own format when unset
        TCellText Text;
        QString Tip; // the header's tool tip
    };

    explicit TDBTableModel(TDataSource& Source, QObject* Parent = nullptr);

    TDataSource& Source() const { return FSource; }
    void SetColumns(std::vector<TColumn> Columns);
    void SetColumnTitle(int Column, const QString& Title);
    void SetCellText(int Column, TCellText Text);
    const std::vector<TColumn>& Columns() const { return FColumns; }

    // The current row of the view as a model row (-1 when there is none).
    int CurrentRow() const;

    int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;

signals:
    void CurrentRowChanged(int Row);

private:
    void Reload();
    void RowChanged();
    bool IsNumeric(int Column) const;

    TDataSource& FSource;
    std::vector<TColumn> FColumns;
    std::vector<int> FFieldIndex; // per column, -1 when the view lacks the field
    int FRows = 0;
};

// A read-only grid over a TDBTableModel: whole rows selected, the selected
// row is the view's current row and follows it, alternating row colours,
// numbers right-aligned, columns sized to their contents with the last one
// stretching, no row header. Enter and double-click emit Activated.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(TDataSource& Source, QWidget* Parent = nullptr);
    TDBTableModel& Model() const { return *FModel; }
    // Sets the columns; the first one (the name) takes the width the others
    // leave, the others are as wide as their contents.
    void SetColumns(std::vector<TDBTableModel::TColumn> Columns);
    // Asked before the user's selection moves the view to another row; false
    // keeps the row (the check says why).
    void SetCanLeaveRow(std::function<bool()> Check) { FCanLeaveRow = std::move(Check); }
    // A grid of results shows no current row (nothing to choose in it).
    void SetShowsCurrentRow(bool On);

signals:
    void Activated();

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void SelectCurrent();
    void SelectionMoved();
    // Sizes the number columns to their contents once the current round of
    // changes is over: a calculation moves through every row, and measuring
    // all rows at each step would cost more than the calculation.
    void ScheduleFit();
    void Fit();

    TDBTableModel* FModel;
    bool FSyncing = false;
    bool FFitPending = false;
    std::function<bool()> FCanLeaveRow;
    bool FShowsCurrentRow = true;
};
