// What the three archive dialogs share: the list of archived entries, the
// name field, and the commands Open (take the entry into the building and
// edit it), Delete and Cancel.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TDBGrid;
class TDataSource;
class TDataset;

class TFormArchiveSelect : public QDialog {
    Q_OBJECT
public:
    explicit TFormArchiveSelect(QWidget* Parent = nullptr);

    // 0 the prefix of the not-found message, 1 the delete question.
    QStringList Messages;

    // Opens the editor on what Open took from the archive (the editors are
    // created after the archives at start).
    void SetOpenEditor(std::function<void()> Open) { FOpenEditor = std::move(Open); }

    void IBEAntialiasButtonOpenClick();
    void IBEAntialiasButtonDeleteClick();
    void IBEAntialiasButtonCancelClick();
    void DBGridComponentCellClick();

protected:
    void showEvent(QShowEvent* Event) override;
    // The archive list the dialog shows.
    virtual TDataSource& List() = 0;
    // Copies the current entry of the list into the building.
    virtual void Take() = 0;
    // Deletes the current entry of the list.
    virtual void DeleteCurrent() = 0;
    // The delete question for the current entry.
    virtual QString DeleteQuestion();
    // Rebuilds the grid on List() (after the kind changed).
    void BindList();

private:
    QVBoxLayout* FGridPlace;
    TDBGrid* FGrid = nullptr;
    TDataSource* FBound = nullptr;
    QLineEdit* FName;
    std::function<void()> FOpenEditor;
};
