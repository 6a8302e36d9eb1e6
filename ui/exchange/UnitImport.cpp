#include "ui/exchange/UnitImport.h"

#include "exchange/UnitExportImport.h"
#include "ui/MessageBox.h"
#include "ui/UnitMainLayout.h"
#include "ui/exchange/UnitImportNotifier.h"
#include "ui/help/HelpContexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bvui;

TFormImport::TFormImport(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormImport"));
    setProperty(bvhelp::kContextProperty, bvhelp::ImportQuestion);
    setWindowTitle(QStringLiteral("Import"));
    setModal(true);
    Messages = {QStringLiteral("Nytt namn"), QStringLiteral("Ange ett nytt namn på byggnaden:")};
    auto* L1 = MakeLabel(this, "Label1", QStringLiteral("The following building already exists"));
    FExisting = MakeLabel(this, "LabelBuilding", QString());
    QFont Bold = FExisting->font();
    Bold.setBold(true);
    FExisting->setFont(Bold);
    auto* L2 = MakeLabel(this, "Label2", QStringLiteral("Would you like to replace the existing building?"));
    struct TButton {
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (TFormImport::*Handler)();
    };
    const TButton Buttons[] = {
        {"IBEAntialiasButtonYes", "Yes", "Ja|Ersätter den befintliga byggnaden", &TFormImport::IBEAntialiasButtonYesClick},
        {"IBEAntialiasButtonYesAll", "Yes to all", "Ja till alla|Ersätter alla befintliga byggnader i filen",
         &TFormImport::IBEAntialiasButtonYesAllClick},
        {"IBEAntialiasButtonRename", "Rename", "Byt namn|Importerar byggnaden under ett annat namn",
         &TFormImport::IBEAntialiasButtonRenameClick},
        {"IBEAntialiasButtonNo", "No", "Nej|Behåller den befintliga byggnaden", &TFormImport::IBEAntialiasButtonNoClick},
        {"IBEAntialiasButtonNoAll", "No to all", "Nej till alla|Behåller alla befintliga byggnader",
         &TFormImport::IBEAntialiasButtonNoAllClick},
        {"IBEAntialiasButtonCancel", "Cancel", "Avbryt|Importerar inget mer ur filen",
         &TFormImport::IBEAntialiasButtonCancelClick},
    };
    auto* Row = new QHBoxLayout;
    for (const TButton& B : Buttons) {
        auto* Btn = new QPushButton(QString::fromUtf8(B.Caption), this);
        Btn->setObjectName(QString::fromLatin1(B.Name));
        Btn->setAutoDefault(false);
        SetHint(Btn, QString::fromUtf8(B.Hint));
        connect(Btn, &QPushButton::clicked, this, B.Handler);
        Row->addWidget(Btn);
    }
    auto* Main = new QVBoxLayout(this);
    Main->addWidget(L1);
    Main->addWidget(FExisting);
    Main->addWidget(L2);
    Main->addSpacing(8);
    Main->addLayout(Row);
}

TImportReply TFormImport::AskReplace(const std::string& ExistingID, const TExpBuilding2& Incoming) {
    FExisting->setText(QString::fromStdString(ExistingID));
    FIncomingID = Incoming.GetBuildingID();
    FReply = {};
    TMessageBox::RunDialog(*this);
    // Closed without a button: the answer stays "ask" and the question comes back.
    return FReply;
}

void TFormImport::Warning(const std::string& Text) {
    TMessageBox::Inform(parentWidget(), QString::fromStdString(Text), TMessageBox::Warning);
}

void TFormImport::Answer(TImportAnswer A) {
    FReply.Answer = A;
    accept();
}

void TFormImport::IBEAntialiasButtonYesClick() { Answer(TImportAnswer::Yes); }
void TFormImport::IBEAntialiasButtonYesAllClick() { Answer(TImportAnswer::YesToAll); }
void TFormImport::IBEAntialiasButtonNoClick() { Answer(TImportAnswer::No); }
void TFormImport::IBEAntialiasButtonNoAllClick() { Answer(TImportAnswer::NoToAll); }
void TFormImport::IBEAntialiasButtonCancelClick() { Answer(TImportAnswer::Cancel); }

void TFormImport::IBEAntialiasButtonRenameClick() {
    const std::optional<QString> Name =
        TMessageBox::AskText(this, Messages.value(1), QString::fromStdString(FIncomingID));
    // Cancel in the rename box goes back to the question.
    if (!Name || Name->trimmed().isEmpty()) {
        return;
    }
    FReply.NewName = Name->trimmed().toStdString();
    Answer(TImportAnswer::Rename);
}

TImportResult RunBuildingImport(QWidget* Parent, TDataModuleExportBuilding& Data, TFormImport& Question,
                                TFormImportNotifier& Progress) {
    const std::optional<QString> Path = TMessageBox::AskOpenFile(
        Parent, QStringLiteral("Braskvalla File (*.bvf *.BVF);;Tovik Energy File (*.tef *.TEF)"), QStringLiteral("bvf"));
    if (!Path) {
        TImportResult None;
        None.Refused = true;
        return None;
    }
    // The import itself warns through the question window (a refused file
    // with the reader's message, each failed building once).
    return ImportBuildingFile(Data, Path->toStdString(), Question, Progress);
}
