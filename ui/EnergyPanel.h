// The headline of the main window's tabs: the building's yearly heating
// energy, large and bold, in navy while it belongs to the stored inputs and
// in red while the building is not calculated.
#pragma once

#include <QFrame>

class QLabel;
class TDBText;
class TDataSource;

class TEnergyPanel : public QFrame {
    Q_OBJECT
public:
    // Number is 1..3, the panel's place (building, foundation, components).
    TEnergyPanel(TDataSource& Buildings, int Number, QWidget* Parent = nullptr);
    void SetCurrent(bool Current);
    bool IsCurrent() const { return FCurrent; }
    TDBText* Value() const { return FValue; }
    QLabel* Unit() const { return FUnit; }
    QLabel* Caption() const { return FCaption; }

    static QColor Navy();
    static QColor Red();

private:
    QLabel* FCaption;
    TDBText* FValue;
    QLabel* FUnit;
    bool FCurrent = false;
};
