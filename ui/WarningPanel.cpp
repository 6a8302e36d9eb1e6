#include "ui/WarningPanel.h"

#include "ui/Icons.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kVisibleRows = 4;
}

TWarningPanel::TWarningPanel(QWidget* Parent) : QGroupBox(QStringLiteral("Rimlighetskontroll"), Parent) {
    setObjectName(QStringLiteral("PanelWarnings"));
    auto* V = new QVBoxLayout(this);
    V->setContentsMargins(6, 2, 6, 4);
    V->setSpacing(2);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("ListWarnings"));
    FList->setWordWrap(true);
    FList->setTextElideMode(Qt::ElideNone);
    FList->setSelectionMode(QAbstractItemView::NoSelection);
    FList->setFocusPolicy(Qt::NoFocus);
    FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    FList->setIconSize(QSize(16, 16));
    FList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    FList->setToolTip(QStringLiteral("Värden som troligen är fel. De hindrar inte beräkningen."));
    V->addWidget(FList);
    hide();
}

void TWarningPanel::SetWarnings(const std::vector<TPlausibilityWarning>& Warnings) {
    FList->clear();
    for (const TPlausibilityWarning& W : Warnings) {
        auto* Item = new QListWidgetItem(Icon("warning"), QString::fromStdString(W.Line()), FList);
        Item->setToolTip(QString::fromStdString(W.Reason));
        Item->setData(Qt::UserRole, QString::fromStdString(W.Rule));
    }
    setVisible(!Warnings.empty());
    FitRows();
}

void TWarningPanel::resizeEvent(QResizeEvent* Event) {
    QGroupBox::resizeEvent(Event);
    FitRows();
}

void TWarningPanel::changeEvent(QEvent* Event) {
    QGroupBox::changeEvent(Event);
    if (Event->type() == QEvent::FontChange || Event->type() == QEvent::StyleChange) {
        FitRows();
    }
}

void TWarningPanel::FitRows() {
    if (FList->count() == 0) {
        return;
    }
    // The item view's text margin on each side of the icon and the text.
    const int Margin = FList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, FList) + 1;
    const int Scroll = FList->count() > kVisibleRows ? FList->verticalScrollBar()->sizeHint().width() : 0;
    const int TextWidth =
        std::max(80, contentsRect().width() - 16 - 2 * FList->frameWidth() - FList->iconSize().width() -
                         4 * Margin - Scroll);
    const QFontMetrics Fm(FList->font());
    int Height = 0;
    for (int R = 0; R < FList->count(); ++R) {
        QListWidgetItem* Item = FList->item(R);
        const QRect Text = Fm.boundingRect(QRect(0, 0, TextWidth, 100000), Qt::TextWordWrap, Item->text());
        const int H = std::max(Text.height(), FList->iconSize().height()) + 2 * Margin;
        Item->setSizeHint(QSize(0, H));
        if (R < kVisibleRows) {
            Height += H;
        }
    }
    FList->setFixedHeight(Height + 2 * FList->frameWidth());
}
