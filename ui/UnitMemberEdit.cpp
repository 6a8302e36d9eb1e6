#include "ui/UnitMemberEdit.h"

#include "data/UnitBuildingData.h"
#include "ui/MessageBox.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitMainLayout.h"
#include "ui/bind/DBControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace bvui;

TFormMemberEdit::TFormMemberEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSource& Source,
                                 const QString& NameHint, QWidget* Parent)
    : QDialog(Parent), FData(Data), FPreDef(PreDef), FSource(Source) {
    setModal(true);
    FGrid = new QGridLayout;
    auto* Cap = MakeLabel(this, "LabelName", QStringLiteral("&Namn"));
    FName = new QLineEdit(this);
    FName->setObjectName(QStringLiteral("EditName"));
    FName->setMaxLength(100);
    FName->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    SetHint(FName, NameHint);
    Cap->setBuddy(FName);
    FGrid->addWidget(Cap, 0, 0);
    FGrid->addWidget(FName, 0, 1, 1, 2);
}

TDataset& TFormMemberEdit::View() const { return FSource.Dataset(); }

TDBEdit* TFormMemberEdit::AddInput(const char* LabelName, const QString& Caption, const char* Field,
                                   const char* EditName, const QString& Unit, const QString& Hint) {
    auto* Cap = MakeLabel(this, LabelName, Caption);
    TDBEdit* E = MakeEdit(this, FSource, Field, EditName, Cap);
    SetHint(E, Hint);
    Cap->setBuddy(E);
    FGrid->addWidget(Cap, FRows, 0);
    FGrid->addWidget(E, FRows, 1);
    if (!Unit.isEmpty()) {
        FGrid->addWidget(new QLabel(Unit, this), FRows, 2);
    }
    ++FRows;
    return E;
}

void TFormMemberEdit::AddRow(const char* LabelName, const QString& Caption, QWidget* Field) {
    auto* Cap = MakeLabel(this, LabelName, Caption);
    Cap->setBuddy(Field);
    FGrid->addWidget(Cap, FRows, 0);
    FGrid->addWidget(Field, FRows, 1, 1, 2);
    ++FRows;
}

void TFormMemberEdit::FinishLayout() {
    FGrid->setColumnStretch(2, 1);
    auto* Archive = new QPushButton(QStringLiteral("Archive"), this);
    Archive->setObjectName(QStringLiteral("IBEAntialiasButtonSave"));
    Archive->setAutoDefault(false);
    SetHint(Archive, QStringLiteral("Arkivera|Sparar posten i arkivet"));
    connect(Archive, &QPushButton::clicked, this, &TFormMemberEdit::IBEAntialiasButtonSaveClick);
    auto* Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("IBEAntialiasButtonOk"));
    Ok->setDefault(true);
    SetHint(Ok, QStringLiteral("Ok|Stänger fönstret"));
    connect(Ok, &QPushButton::clicked, this, &TFormMemberEdit::IBEAntialiasButtonOkClick);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Archive);
    Buttons->addWidget(Ok);
    auto* Main = new QVBoxLayout(this);
    Main->addLayout(FGrid);
    Main->addStretch(1);
    Main->addLayout(Buttons);
    setSizeGripEnabled(false);
}

void TFormMemberEdit::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (View().IsEmpty()) {
        // Nothing to edit: the editor closes at once.
        QTimer::singleShot(0, this, [this] { QDialog::done(Rejected); });
        return;
    }
    FName->setText(QString::fromStdString(View().FieldByName("ID").AsString()));
    FName->setFocus();
    FName->selectAll();
}

void TFormMemberEdit::IBEAntialiasButtonOkClick() { accept(); }

void TFormMemberEdit::IBEAntialiasButtonSaveClick() {
    CommitFocusedInput();
    const std::optional<QString> Answer = TMessageBox::AskText(this, Messages.value(0), FName->text());
    // Cancel archives nothing.
    if (!Answer || Answer->trimmed().isEmpty() || !CheckNameLength(this, Answer->trimmed())) {
        return;
    }
    const std::string Name = Answer->trimmed().toStdString();
    View().CheckBrowseMode();
    if (Archive(Name)) {
        return;
    }
    if (TMessageBox::Ask(this, Messages.value(1) + QStringLiteral("\r\n") + Messages.value(3), TMessageBox::Warning) ==
        TMessageBox::Yes) {
        DeleteArchived(Name);
        Archive(Name);
    }
}

void TFormMemberEdit::done(int Result) {
    if (!FormClose()) {
        return;
    }
    QDialog::done(Result);
}

bool TFormMemberEdit::FormClose() {
    CommitFocusedInput();
    const QString Name = FName->text().trimmed();
    if (!CheckNameLength(this, Name)) {
        return false;
    }
    TDataset& V = View();
    if (V.IsEmpty()) {
        return true;
    }
    V.CheckBrowseMode();
    const std::string Current = V.FieldByName("ID").AsString();
    const std::string NewName = Name.toStdString();
    if (Name.isEmpty() || NewName == Current) {
        return true;
    }
    try {
        // Another member of that name (letter case ignored)?
        const TBookmark Here = V.GetBookmark();
        bool Other = false;
        for (V.First(); !V.Eof(); V.Next()) {
            if (V.RowId() != Here.RowId && SameText(V.FieldByName("ID").AsString(), NewName)) {
                Other = true;
                break;
            }
        }
        if (Other) {
            if (TMessageBox::Ask(this, Messages.value(2), TMessageBox::Warning) != TMessageBox::Yes) {
                V.GotoBookmark(Here);
                return true; // the editor closes; the member keeps its name
            }
            DeleteCurrent();
            V.Locate({"ID"}, {Current}, TLocateOptions{true});
        } else {
            V.GotoBookmark(Here);
        }
        Rename(NewName);
    } catch (const EBVException& E) {
        TMessageBox::Inform(this, QString::fromUtf8(E.what()));
        return false;
    }
    return true;
}
