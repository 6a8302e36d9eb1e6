#include "ui/UnitMainLayout.h"

#include "ui/bind/DBControls.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace bvui {

void SetHint(QWidget* W, const QString& Hint) {
    const int Bar = Hint.indexOf(QLatin1Char('|'));
    const QString Short = Bar < 0 ? Hint : Hint.left(Bar);
    const QString Long = Bar < 0 ? Hint : Hint.mid(Bar + 1);
    W->setToolTip(Short);
    W->setStatusTip(Long);
}

QString WithoutMnemonic(const QString& Caption) {
    QString Plain;
    for (qsizetype I = 0; I < Caption.size(); ++I) {
        if (Caption[I] == QLatin1Char('&') && I + 1 < Caption.size()) {
            ++I; // the marked letter, or the second "&" of "&&"
        }
        Plain += Caption[I];
    }
    return Plain;
}

int NumericWidth(const QWidget* W) { return W->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 14; }

QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Text) {
    auto* L = new QLabel(Text, Parent);
    L->setObjectName(QString::fromLatin1(Name));
    return L;
}

QLabel* MakeHeading(QWidget* Parent, const char* Name, const QString& Text) {
    auto* L = MakeLabel(Parent, Name, Text);
    QFont F = L->font();
    F.setBold(true);
    L->setFont(F);
    L->setContentsMargins(0, 6, 0, 0);
    return L;
}

TDBEdit* MakeEdit(QWidget* Parent, TDataSource& Source, const char* Field, const char* Name, const QLabel* Caption) {
    auto* E = new TDBEdit(Source, Field, Parent);
    E->setObjectName(QString::fromLatin1(Name));
    if (Caption != nullptr) {
        QString C = Caption->text().trimmed();
        C.remove(QLatin1Char('&'));
        E->Link().SetCaption(C);
    }
    if (E->alignment() & Qt::AlignRight) {
        E->setFixedWidth(NumericWidth(E));
    }
    return E;
}

TDBText* MakeResult(QWidget* Parent, TDataSource& Source, const char* Field, std::optional<TDisplayFormat> Format) {
    auto* T = new TDBText(Source, Field, Parent);
    T->setObjectName(QStringLiteral("DBText") + QString::fromLatin1(Field));
    if (Format) {
        T->Link().SetFormat(*Format);
    }
    T->setMinimumWidth(T->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 4);
    T->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    T->ShowValue();
    return T;
}

void AlignLabelColumns(const std::vector<QGridLayout*>& Grids) {
    // Each of the first four columns (label, field, second field or unit,
    // unit) gets the width of its widest single-column widget in any grid.
    for (int Col = 0; Col < 4; ++Col) {
        int Widest = 0;
        for (QGridLayout* G : Grids) {
            for (int I = 0; I < G->count(); ++I) {
                QWidget* W = G->itemAt(I)->widget();
                int Row = 0, C = 0, RowSpan = 0, ColSpan = 0;
                G->getItemPosition(I, &Row, &C, &RowSpan, &ColSpan);
                if (W != nullptr && C == Col && ColSpan == 1) {
                    // A fixed-width field is as wide as it is fixed to.
                    const int Width = std::clamp(W->sizeHint().width(), W->minimumWidth(), W->maximumWidth());
                    Widest = std::max(Widest, Width);
                }
            }
        }
        for (QGridLayout* G : Grids) {
            G->setColumnMinimumWidth(Col, Widest);
        }
    }
}

void TEnterLineEdit::keyPressEvent(QKeyEvent* Event) {
    if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) && OnEnter) {
        OnEnter();
        return;
    }
    QLineEdit::keyPressEvent(Event);
}

TColumnSpanHeader::TColumnSpanHeader(QTableView* Table, QWidget* Parent) : QWidget(Parent), FTable(Table) {
    connect(Table->horizontalHeader(), &QHeaderView::sectionResized, this, &TColumnSpanHeader::Place);
    connect(Table->horizontalHeader(), &QHeaderView::geometriesChanged, this, &TColumnSpanHeader::Place);
    Table->installEventFilter(this);
}

void TColumnSpanHeader::AddSpan(int First, int Last, const char* Name, const QString& Text) {
    auto* L = new QLabel(Text, this);
    L->setObjectName(QString::fromLatin1(Name));
    L->setAlignment(Qt::AlignCenter);
    L->setFrameShape(QFrame::StyledPanel);
    FSpans.push_back({First, Last, L});
    Place();
}

QSize TColumnSpanHeader::sizeHint() const { return {100, fontMetrics().height() + 6}; }

void TColumnSpanHeader::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    Place();
}

bool TColumnSpanHeader::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == FTable && (Event->type() == QEvent::Resize || Event->type() == QEvent::Show)) {
        Place();
    }
    return QWidget::eventFilter(Watched, Event);
}

void TColumnSpanHeader::Place() {
    const QHeaderView* H = FTable->horizontalHeader();
    const int Offset = FTable->mapTo(parentWidget(), QPoint(0, 0)).x() - x() + FTable->frameWidth();
    for (const TSpan& S : FSpans) {
        const int Left = H->sectionViewportPosition(S.First);
        const int Right = H->sectionViewportPosition(S.Last) + H->sectionSize(S.Last);
        S.Label->setGeometry(Offset + Left, 0, std::max(0, Right - Left), height());
    }
}

} // namespace bvui
