// The import of an exchange file: the question about a building whose name
// is taken (six answers and a rename box), and the command that runs the
// import behind the progress window.
#pragma once

#include "exchange/UnitImport.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class TFormImportNotifier;

class TFormImport : public QDialog, public IImportDialogs {
    Q_OBJECT
public:
    explicit TFormImport(QWidget* Parent = nullptr);

    // 0 the title, 1 the prompt of the rename box.
    QStringList Messages;

    // IImportDialogs.
    TImportReply AskReplace(const std::string& ExistingID, const TExpBuilding2& Incoming) override;
    void Warning(const std::string& Text) override;

    void IBEAntialiasButtonYesClick();
    void IBEAntialiasButtonYesAllClick();
    void IBEAntialiasButtonRenameClick();
    void IBEAntialiasButtonNoClick();
    void IBEAntialiasButtonNoAllClick();
    void IBEAntialiasButtonCancelClick();

private:
    void Answer(TImportAnswer A);

    QLabel* FExisting;
    TImportReply FReply;
    std::string FIncomingID;
};

// The main window's Import command: asks for the file, imports it with the
// question window and the progress window, and says what went wrong.
// Returns the result (Refused when the user chose no file).
TImportResult RunBuildingImport(QWidget* Parent, TDataModuleExportBuilding& Data, TFormImport& Question,
                                TFormImportNotifier& Progress);
