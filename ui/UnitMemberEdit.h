// What the window and door editors share: the name, applied when the editor
// closes (with the question when another member has it), the bound inputs,
// and filing the member into its archive.
#pragma once

#include <QDialog>
#include <QStringList>

class QGridLayout;
class QLineEdit;
class TDBEdit;
class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSource;
class TDataset;

class TFormMemberEdit : public QDialog {
    Q_OBJECT
public:
    // 0 the prompt for the archive name, 1 the first line of the overwrite
    // question, 2 the question before renaming onto an existing name, 3 the
    // second line of the overwrite question.
    QStringList Messages;

    void IBEAntialiasButtonSaveClick();
    void IBEAntialiasButtonOkClick();

protected:
    TFormMemberEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSource& Source,
                    const QString& NameHint, QWidget* Parent);
    // Adds a bound input in the next row.
    TDBEdit* AddInput(const char* LabelName, const QString& Caption, const char* Field, const char* EditName,
                      const QString& Unit, const QString& Hint);
    // Adds a control in the next row.
    void AddRow(const char* LabelName, const QString& Caption, QWidget* Field);
    void FinishLayout();

    TDataset& View() const;
    virtual void Rename(const std::string& Name) = 0;
    virtual void DeleteCurrent() = 0;
    virtual bool Archive(const std::string& Name) = 0;
    virtual void DeleteArchived(const std::string& Name) = 0;

    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;

    TDataModuleBuildingData& FData;
    TDataModulePreDefData& FPreDef;
    TDataSource& FSource;

private:
    bool FormClose();

    QGridLayout* FGrid;
    QLineEdit* FName;
    int FRows = 1;
};
