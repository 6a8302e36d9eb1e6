// The material manager: the material archive (the materials every
// construction is built from) edited directly, on a connection of its own,
// with the export and import of material files.
#pragma once

#include "materials/UnitMaterialImp.h"

#include <QDialog>

#include <memory>

class QAction;
class TDBEdit;
class TDBGrid;
class TDataSource;
class TDataset;
class TDatabase;
class TFormExportMaterial;
class TFormMaterialImp;

class TFormMaterialManager : public QDialog {
    Q_OBJECT
public:
    // Opens its own connection to the database file Path.
    explicit TFormMaterialManager(const std::string& Path, QWidget* Parent = nullptr);
    ~TFormMaterialManager() override;

    TDataset& Materials() const { return *FTable; }
    TDatabase& Database() const { return *FDb; }
    TFormExportMaterial& ExportDialog() const { return *FExport; }
    TFormMaterialImp& ImportQuestion() const { return *FImport; }

    // The navigator.
    void InsertClick();
    void DeleteClick();
    // Posts the row being edited; false, after a message saying what is
    // missing or wrong, when it cannot be posted.
    bool PostClick();
    void CancelClick();
    void RefreshClick();
    void ExportClick();
    void ImportClick();

    // Why Value cannot go into the material column Field ("" when it can).
    QString Refusal(const std::string& Field, const TValue& Value) const;

protected:
    void done(int Result) override;

private:
    void UpdateActions();

    std::unique_ptr<TDatabase> FDb;
    std::unique_ptr<TDataset> FTable;
    TDataSource* FSource;
    TDBGrid* FGrid;
    TDBEdit* FName;
    TFormExportMaterial* FExport;
    TFormMaterialImp* FImport;
};

// The material import question: overwrite, keep, rename, or stop.
class TFormMaterialImp : public QDialog, public IMaterialImportDialogs {
    Q_OBJECT
public:
    explicit TFormMaterialImp(QWidget* Parent = nullptr);
    TImportReply AskOverwrite(const TMaterial& Incoming) override;
    void Warning(const std::string& Text) override;

private:
    void Answer(TImportAnswer A);
    class QLabel* FName;
    TImportReply FReply;
    std::string FIncoming;
};
