// The layered-construction editor: one construction of the current building
// (of any of the seven kinds) layer by layer from the materials of its kind,
// its area, its name, and filing it into the construction archive.
#pragma once

#include "data/UnitObserver.h"

#include <QDialog>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QGridLayout;
class TDBEdit;
class TDBGrid;
class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSources;

class TFormOuterWallEdit : public QDialog, public IStatusObserver {
    Q_OBJECT
public:
    TFormOuterWallEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources,
                       QWidget* Parent = nullptr);
    ~TFormOuterWallEdit() override;

    // 0 the first side label, 1 the second side label, 2 the question before
    // renaming onto an existing name, 3 the prompt for the archive name, 4
    // the first line of the archive-overwrite question, 5 its second line.
    QStringList Messages;
    // Set by the caller before the editor is shown.
    bool InsideHeated = true;
    bool OutsideHeated = false;

    // The construction kind 0..6 the editor works on.
    void SetComponentMode(int Kind);
    int ComponentMode() const { return FKind; }

    void IBEAntialiasButtonAddClick();
    void ssClick();
    void IBEAntialiasButtonReplaceClick();
    void IBEAntialiasButtonRemoveClick();
    void IBEAntialiasButtonSaveClick();
    void IBEAntialiasButtonOkClick();

    void StatusChanged() override;

    // The surface resistances a construction of the kind is computed with
    // (outside, inside); none for the foundation's constructions.
    static std::pair<double, double> SurfaceResistances(int Kind);

protected:
    void showEvent(QShowEvent* Event) override;
    // Every way of closing (Ok, Escape, the window's close button) runs the
    // close handler, which may keep the editor open.
    void done(int Result) override;

private:
    void Bind();
    bool FormClose();
    void Recalculate();

    TDataModuleBuildingData& FData;
    TDataModulePreDefData& FPreDef;
    TDataSources& FSources;
    int FKind = 0;
    int FBoundKind = -1;
    bool FObserving = false;

    QGroupBox* FAvailable;
    QGroupBox* FComponent;
    QVBoxLayout* FPreDefPlace;
    QGridLayout* FComponentGrid;
    TDBGrid* FPreDefLayers = nullptr;
    TDBGrid* FLayers = nullptr;
    TDBEdit* FArea = nullptr;
    TDBEdit* FThickness = nullptr;
    QLineEdit* FName;
    QLabel* FInside;
    QLabel* FOutside;
};
