#include "ui/bind/DBTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

TDBTableModel::TDBTableModel(TDataSource& Source, QObject* Parent) : QAbstractTableModel(Parent), FSource(Source) {
    connect(&FSource, &TDataSource::RowsChanged, this, &TDBTableModel::Reload);
    connect(&FSource, &TDataSource::DataChanged, this, &TDBTableModel::RowChanged);
    connect(&FSource, &TDataSource::FieldChanged, this, &TDBTableModel::RowChanged);
    connect(&FSource, &TDataSource::StateChanged, this, &TDBTableModel::RowChanged);
    FRows = FSource.Dataset().Active() ? FSource.Dataset().RecordCount() : 0;
}

void TDBTableModel::SetColumns(std::vector<TColumn> Columns) {
    beginResetModel();
    FColumns = std::move(Columns);
    FFieldIndex.clear();
    for (const TColumn& C : FColumns) {
        const TField* F = FSource.Dataset().FindField(C.Field);
        FFieldIndex.push_back(F != nullptr ? F->Index() : -1);
    }
    FRows = FSource.Dataset().Active() ? FSource.Dataset().RecordCount() : 0;
    endResetModel();
}

void TDBTableModel::SetColumnTitle(int Column, const QString& Title) {
    if (Column >= 0 && Column < columnCount()) {
        FColumns[static_cast<size_t>(Column)].Title = Title;
        emit headerDataChanged(Qt::Horizontal, Column, Column);
    }
}

void TDBTableModel::SetCellText(int Column, TCellText Text) {
    if (Column >= 0 && Column < columnCount()) {
        FColumns[static_cast<size_t>(Column)].Text = std::move(Text);
        if (FRows > 0) {
            emit dataChanged(index(0, Column), index(FRows - 1, Column));
        }
    }
}

int TDBTableModel::CurrentRow() const {
    const TDataset& D = FSource.Dataset();
    if (!D.Active() || D.IsEmpty() || D.State() == TDatasetState::Insert) {
        return -1;
    }
    return D.RecNo() - 1;
}

void TDBTableModel::Reload() {
    const int N = FSource.Dataset().Active() ? FSource.Dataset().RecordCount() : 0;
    if (N != FRows) {
        beginResetModel();
        FRows = N;
        endResetModel();
    } else if (FRows > 0 && !FColumns.empty()) {
        emit dataChanged(index(0, 0), index(FRows - 1, columnCount() - 1));
    }
    emit CurrentRowChanged(CurrentRow());
}

void TDBTableModel::RowChanged() {
    // A posted insert adds a row without a re-read of the view.
    if ((FSource.Dataset().Active() ? FSource.Dataset().RecordCount() : 0) != FRows) {
        Reload();
        return;
    }
    const int R = CurrentRow();
    if (R >= 0 && !FColumns.empty()) {
        emit dataChanged(index(R, 0), index(R, columnCount() - 1));
    }
    emit CurrentRowChanged(R);
}

int TDBTableModel::rowCount(const QModelIndex& Parent) const { return Parent.isValid() ? 0 : FRows; }

int TDBTableModel::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

bool TDBTableModel::IsNumeric(int Column) const {
    const int FI = FFieldIndex[static_cast<size_t>(Column)];
    if (FI < 0) {
        return false;
    }
    const TFieldType T = FSource.Dataset().Fields()[static_cast<size_t>(FI)]->DataType();
    return T == TFieldType::Integer || T == TFieldType::Double;
}

QVariant TDBTableModel::data(const QModelIndex& Index, int Role) const {
    if (!Index.isValid() || Index.row() >= FRows || Index.column() >= columnCount()) {
        return {};
    }
    const size_t C = static_cast<size_t>(Index.column());
    if (Role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(IsNumeric(Index.column()) ? (Qt::AlignRight | Qt::AlignVCenter)
                                                             : (Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (Role != Qt::DisplayRole && Role != Qt::ToolTipRole) {
        return {};
    }
    const TDataset& D = FSource.Dataset();
    const TColumn& Col = FColumns[C];
    if (Col.Text) {
        try {
            if (std::optional<QString> T = Col.Text(D, Index.row() + 1)) {
                return *T;
            }
        } catch (...) {
            // A failing cell text shows the field's own value.
        }
    }
    const int FI = FFieldIndex[C];
    if (FI < 0) {
        return {};
    }
    const TDisplayFormat Format = Col.Format ? *Col.Format : ColumnFormat(D.TableName(), Col.Field);
    return FormatValue(D.RowValue(Index.row() + 1, FI), Format);
}

QVariant TDBTableModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Orientation == Qt::Horizontal && Section >= 0 && Section < columnCount()) {
        const TColumn& C = FColumns[static_cast<size_t>(Section)];
        if (Role == Qt::DisplayRole) {
            return C.Title;
        }
        if (Role == Qt::ToolTipRole && !C.Tip.isEmpty()) {
            return C.Tip;
        }
    }
    if (Orientation == Qt::Vertical && Role == Qt::DisplayRole && Section >= 0 && Section < FRows) {
        return Section + 1;
    }
    return QAbstractTableModel::headerData(Section, Orientation, Role);
}

Qt::ItemFlags TDBTableModel::flags(const QModelIndex& Index) const {
    if (!Index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

// ------------------------------------------------------------------ TDBGrid

TDBGrid::TDBGrid(TDataSource& Source, QWidget* Parent) : QTableView(Parent), FModel(new TDBTableModel(Source, this)) {
    setModel(FModel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(FModel, &TDBTableModel::CurrentRowChanged, this, &TDBGrid::SelectCurrent);
    connect(FModel, &QAbstractItemModel::modelReset, this, &TDBGrid::SelectCurrent);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TDBGrid::SelectionMoved);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& I) {
        if (I.isValid()) {
            emit Activated();
        }
    });
    SelectCurrent();
}

void TDBGrid::SetColumns(std::vector<TDBTableModel::TColumn> Columns) {
    FModel->SetColumns(std::move(Columns));
    QHeaderView* H = horizontalHeader();
    H->setStretchLastSection(false);
    for (int C = 0; C < FModel->columnCount(); ++C) {
        H->setSectionResizeMode(C, C == 0 ? QHeaderView::Stretch : QHeaderView::Interactive);
    }
    H->setMinimumSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    connect(FModel, &QAbstractItemModel::modelReset, this, &TDBGrid::ScheduleFit, Qt::UniqueConnection);
    connect(FModel, &QAbstractItemModel::dataChanged, this, &TDBGrid::ScheduleFit, Qt::UniqueConnection);
    Fit();
}

void TDBGrid::ScheduleFit() {
    if (!FFitPending) {
        FFitPending = true;
        QTimer::singleShot(0, this, &TDBGrid::Fit);
    }
}

void TDBGrid::Fit() {
    FFitPending = false;
    QHeaderView* H = horizontalHeader();
    for (int C = 0; C < FModel->columnCount(); ++C) {
        if (H->sectionResizeMode(C) == QHeaderView::Interactive) {
            resizeColumnToContents(C);
        }
    }
}

void TDBGrid::SetShowsCurrentRow(bool On) {
    FShowsCurrentRow = On;
    setSelectionMode(On ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    if (!On) {
        selectionModel()->clear();
    }
}

void TDBGrid::SelectCurrent() {
    if (FSyncing || !FShowsCurrentRow) {
        return;
    }
    FSyncing = true;
    const int R = FModel->CurrentRow();
    if (R < 0) {
        selectionModel()->clear();
    } else if (selectionModel()->currentIndex().row() != R || !selectionModel()->isRowSelected(R, QModelIndex())) {
        const QModelIndex I = FModel->index(R, 0);
        selectionModel()->setCurrentIndex(I, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(I);
    }
    FSyncing = false;
}

void TDBGrid::SelectionMoved() {
    if (FSyncing) {
        return;
    }
    const QModelIndex I = selectionModel()->currentIndex();
    TDataset& D = FModel->Source().Dataset();
    if (!I.isValid() || !D.Active() || I.row() + 1 == D.RecNo()) {
        return;
    }
    if (FCanLeaveRow && !FCanLeaveRow()) {
        SelectCurrent();
        return;
    }
    FSyncing = true;
    try {
        D.SetRecNo(I.row() + 1);
    } catch (...) {
        FSyncing = false;
        SelectCurrent();
        throw;
    }
    FSyncing = false;
    SelectCurrent();
}

void TDBGrid::keyPressEvent(QKeyEvent* Event) {
    if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) && FModel->CurrentRow() >= 0) {
        emit Activated();
        return;
    }
    QTableView::keyPressEvent(Event);
}
