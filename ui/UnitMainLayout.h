// Small building blocks of the main window's pages: labels, bound edits and
// results with the same look everywhere, hints, and the aligned label column.
#pragma once

#include "ui/bind/FieldFormat.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QGridLayout;
class QTableView;
class TDBEdit;
class TDBText;
class TDataSource;

namespace bvui {

// Pseudo kinds of the component lists beside the seven construction kinds.
constexpr int kWindowKind = 100;
constexpr int kDoorKind = 101;

// Sets a hint "short|long": the short part is the tool tip, the long part the
// text of the hint panel.
void SetHint(QWidget* W, const QString& Hint);
// A caption without its mnemonic marker ("&Namn" -> "Namn", "&&" -> "&"),
// for places that show no mnemonic (grid headers).
QString WithoutMnemonic(const QString& Caption);
// The width of every numeric field: about ten digits.
int NumericWidth(const QWidget* W);
QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Text);
// A bold heading inside a panel.
QLabel* MakeHeading(QWidget* Parent, const char* Name, const QString& Text);
// A bound edit; Caption names the field in messages.
TDBEdit* MakeEdit(QWidget* Parent, TDataSource& Source, const char* Field, const char* Name, const QLabel* Caption);
// A read-only bound value aligned like the edits.
TDBText* MakeResult(QWidget* Parent, TDataSource& Source, const char* Field,
                    std::optional<TDisplayFormat> Format = std::nullopt);
// Gives column 0 of every grid the width of its widest label, so that the
// fields of stacked panels line up.
void AlignLabelColumns(const std::vector<QGridLayout*>& Grids);

// A one-line edit whose Enter runs an action of its dialog (open, save)
// instead of the dialog's default button.
class TEnterLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    std::function<void()> OnEnter;

protected:
    void keyPressEvent(QKeyEvent* Event) override;
};

// Captions over ranges of a table's columns ("Förluster kWh" over the loss
// columns), kept in place when the columns are resized.
class TColumnSpanHeader : public QWidget {
    Q_OBJECT
public:
    TColumnSpanHeader(QTableView* Table, QWidget* Parent = nullptr);
    void AddSpan(int First, int Last, const char* Name, const QString& Text);
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Place();
    struct TSpan {
        int First;
        int Last;
        QLabel* Label;
    };
    QTableView* FTable;
    std::vector<TSpan> FSpans;
};

} // namespace bvui
