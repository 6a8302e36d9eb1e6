// The building file handler: the dialog through which the user opens another
// building or saves the current one under a new name. A "file" is a
// building of the database, known by its unique name.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TDataModuleBuildingData;

class TFormFileHandler : public QDialog {
    Q_OBJECT
public:
    enum TMode { Open, SaveAs };

    TFormFileHandler(TDataModuleBuildingData& Data, QWidget* Parent = nullptr);

    // The notice that saving under the name was refused, the prefix of the
    // not-found notice, the prefix of the save-before-open question.
    QStringList Messages;

    // Remembers the mode and the current building's name and sets the
    // controls up for the mode.
    void Prepare(TMode Mode);
    TMode Mode() const { return FMode; }

    void IBEAntialiasButtonOpenClick();
    void IBEAntialiasButtonSaveClick();
    void IBEAntialiasButtonCancelClick();
    void ListBoxBuildingsClick();
    void ListBoxBuildingsDblClick();

    // Called when opening a building failed, after the warning that names
    // the building and the reason (the application opens the default
    // building again).
    void SetOnFatal(std::function<void()> Fatal) { FOnFatal = std::move(Fatal); }

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void FillList();

    TDataModuleBuildingData& FData;
    TMode FMode = Open;
    QString FCurrentName;
    QLabel* FLabelID;
    QLineEdit* FEditName;
    QListWidget* FList;
    QPushButton* FOpen;
    QPushButton* FSave;
    QPushButton* FCancel;
    std::function<void()> FOnFatal;
};

// The check of a name typed for a building, construction, window or door:
// false, after the warning, when it is longer than 45 characters.
bool CheckNameLength(QWidget* Parent, const QString& Name);
