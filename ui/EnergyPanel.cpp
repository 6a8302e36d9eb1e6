#include "ui/EnergyPanel.h"

#include "ui/bind/DBControls.h"

#include <QHBoxLayout>
#include <QLabel>

QColor TEnergyPanel::Navy() { return QColor(0, 0, 128); }
QColor TEnergyPanel::Red() { return QColor(192, 0, 0); }

TEnergyPanel::TEnergyPanel(TDataSource& Buildings, int Number, QWidget* Parent) : QFrame(Parent) {
    setObjectName(QStringLiteral("PanelEnergyUsage%1").arg(Number));
    setFrameShape(QFrame::StyledPanel);
    setToolTip(QStringLiteral("Energiåtgång"));
    setStatusTip(QStringLiteral("Byggnadens årliga energiåtgång för uppvärmning"));
    FCaption = new QLabel(QStringLiteral("Energiåtgång"), this);
    FCaption->setObjectName(QStringLiteral("LabelEnergyUsage%1").arg(Number));
    FValue = new TDBText(Buildings, "HEATUSAGE", this);
    FValue->setObjectName(QStringLiteral("DBTextEnergyUsage%1").arg(Number));
    FValue->Link().SetFormat(TDisplayFormat::Fixed0());
    FUnit = new QLabel(QStringLiteral("kwh/år"), this);
    FUnit->setObjectName(QStringLiteral("LabelEnergyUnit%1").arg(Number));
    QFont Big = FValue->font();
    Big.setBold(true);
    Big.setPointSizeF(Big.pointSizeF() * 1.6);
    FValue->setFont(Big);
    FValue->setMinimumWidth(QFontMetrics(Big).horizontalAdvance(QStringLiteral("0000000")));
    QFont Bold = FCaption->font();
    Bold.setBold(true);
    FCaption->setFont(Bold);
    FUnit->setFont(Bold);
    auto* L = new QHBoxLayout(this);
    L->addWidget(FCaption);
    L->addStretch(1);
    L->addWidget(FValue);
    L->addWidget(FUnit);
    SetCurrent(false);
}

void TEnergyPanel::SetCurrent(bool Current) {
    FCurrent = Current;
    for (QWidget* W : {static_cast<QWidget*>(FValue), static_cast<QWidget*>(FUnit)}) {
        QPalette P = W->palette();
        P.setColor(QPalette::WindowText, Current ? Navy() : Red());
        W->setPalette(P);
    }
}
