#include "ui/UnitFileHandler.h"

#include "data/UnitBuildingData.h"
#include "ui/MessageBox.h"
#include "ui/UnitMainLayout.h"
#include "ui/help/HelpContexts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

bool CheckNameLength(QWidget* Parent, const QString& Name) {
    if (Name.toStdU32String().size() > 45) {
        TMessageBox::Inform(Parent,
                            QStringLiteral("Det angivna namnet är för långt, namnet får högst innehålla 45 tecken"));
        return false;
    }
    return true;
}


TFormFileHandler::TFormFileHandler(TDataModuleBuildingData& Data, QWidget* Parent) : QDialog(Parent), FData(Data) {
    setObjectName(QStringLiteral("FormFileHandler"));
    setProperty(bvhelp::kContextProperty, bvhelp::FileHandler);
    setWindowTitle(QStringLiteral("Filhanterare"));
    setModal(true);
    Messages = {QStringLiteral("Namnet används redan av en annan byggnad. Välj ett annat namn."),
                QStringLiteral("Det finns ingen byggnad med namnet"),
                QStringLiteral("Vill du spara ändringarna i byggnaden")};

    FLabelID = new QLabel(QStringLiteral("&Namn"), this);
    FLabelID->setObjectName(QStringLiteral("LabelID"));
    auto* Edit = new bvui::TEnterLineEdit(this);
    Edit->OnEnter = [this] {
        if (FMode == SaveAs) {
            IBEAntialiasButtonSaveClick();
        } else {
            IBEAntialiasButtonOpenClick();
        }
    };
    FEditName = Edit;
    FEditName->setObjectName(QStringLiteral("EditName"));
    FEditName->setMaxLength(100);
    FLabelID->setBuddy(FEditName);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("ListBoxBuildings"));
    FList->setMinimumSize(320, 240);
    FOpen = new QPushButton(QStringLiteral("Öppna"), this);
    FOpen->setObjectName(QStringLiteral("IBEAntialiasButtonOpen"));
    FSave = new QPushButton(QStringLiteral("Spara"), this);
    FSave->setObjectName(QStringLiteral("IBEAntialiasButtonSave"));
    FCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    FCancel->setObjectName(QStringLiteral("IBEAntialiasButtonCancel"));
    for (QPushButton* B : {FOpen, FSave, FCancel}) {
        B->setAutoDefault(false);
    }

    auto* Top = new QHBoxLayout;
    Top->addWidget(FLabelID);
    Top->addWidget(FEditName, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(FOpen);
    Buttons->addWidget(FSave);
    Buttons->addWidget(FCancel);
    auto* Main = new QVBoxLayout(this);
    Main->addLayout(Top);
    Main->addWidget(FList, 1);
    Main->addLayout(Buttons);

    connect(FOpen, &QPushButton::clicked, this, &TFormFileHandler::IBEAntialiasButtonOpenClick);
    connect(FSave, &QPushButton::clicked, this, &TFormFileHandler::IBEAntialiasButtonSaveClick);
    connect(FCancel, &QPushButton::clicked, this, &TFormFileHandler::IBEAntialiasButtonCancelClick);
    connect(FList, &QListWidget::itemClicked, this, &TFormFileHandler::ListBoxBuildingsClick);
    connect(FList, &QListWidget::currentRowChanged, this, &TFormFileHandler::ListBoxBuildingsClick);
    connect(FList, &QListWidget::itemDoubleClicked, this, &TFormFileHandler::ListBoxBuildingsDblClick);
}

void TFormFileHandler::Prepare(TMode Mode) {
    FMode = Mode;
    FCurrentName = QString::fromStdString(FData.TableBuildings().FieldByName("ID").AsString());
    FOpen->setVisible(Mode == Open);
    FSave->setVisible(Mode == SaveAs);
    FOpen->setDefault(Mode == Open);
    FSave->setDefault(Mode == SaveAs);
    FEditName->setText(Mode == SaveAs ? FCurrentName : QString());
    FillList();
}

void TFormFileHandler::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    FillList();
    FEditName->setFocus();
    FEditName->selectAll();
}

void TFormFileHandler::FillList() {
    FList->blockSignals(true);
    FList->clear();
    TQuery& Q = FData.ZQueryBV();
    Q.SetSQL("SELECT ID FROM Buildings ORDER BY ID");
    Q.Open();
    for (int R = 1; R <= Q.RecordCount(); ++R) {
        const TValue& V = Q.RowValue(R, 0);
        const QString Name = std::holds_alternative<std::string>(V) ? QString::fromStdString(std::get<std::string>(V))
                                                                     : QString();
        if (Name != FCurrentName) {
            FList->addItem(Name);
        }
    }
    Q.Close();
    FList->blockSignals(false);
}

void TFormFileHandler::ListBoxBuildingsClick() {
    if (QListWidgetItem* Item = FList->currentItem()) {
        FEditName->setText(Item->text());
    }
}

void TFormFileHandler::ListBoxBuildingsDblClick() {
    ListBoxBuildingsClick();
    if (FMode == SaveAs) {
        IBEAntialiasButtonSaveClick();
    } else {
        IBEAntialiasButtonOpenClick();
    }
}

void TFormFileHandler::IBEAntialiasButtonCancelClick() { reject(); }

void TFormFileHandler::IBEAntialiasButtonOpenClick() {
    const std::string Name = FEditName->text().toStdString();
    TDataset& B = FData.TableBuildings();
    const TBookmark Here = B.GetBookmark();
    const bool Found = B.Locate({"ID"}, {Name});
    B.GotoBookmark(Here);
    if (!Found) {
        TMessageBox::Inform(this, Messages.value(1) + QStringLiteral(" \"") + FEditName->text() + QStringLiteral("\""));
        return;
    }
    if (FData.IsModified()) {
        const auto A = TMessageBox::Ask(
            this, Messages.value(2) + QStringLiteral(" \"") + FCurrentName + QStringLiteral("\"?"),
            TMessageBox::Warning);
        if (A == TMessageBox::Yes) {
            FData.SaveBuilding();
        } else {
            FData.RevertBuilding();
        }
    }
    try {
        FData.OpenBuilding(Name);
    } catch (const std::exception& E) {
        // Nothing is lost: the building stays as stored, and the window goes
        // back to the default building.
        TMessageBox::Inform(this, QStringLiteral("Byggnaden \"%1\" innehåller felaktig data och kan inte öppnas:\n%2\n\n"
                                                 "Standardbyggnaden öppnas i stället.")
                                      .arg(FEditName->text(), QString::fromUtf8(E.what())));
        reject();
        if (FOnFatal) {
            FOnFatal();
        }
        return;
    }
    accept();
}

void TFormFileHandler::IBEAntialiasButtonSaveClick() {
    const QString Name = FEditName->text().trimmed();
    if (!CheckNameLength(this, Name)) {
        return;
    }
    if (Name.isEmpty()) {
        TMessageBox::Inform(this, QStringLiteral("Ange ett namn på byggnaden."));
        return;
    }
    if (!FData.SaveBuildingAs(Name.toStdString())) {
        TMessageBox::Inform(this, Messages.value(0));
        return;
    }
    accept();
}
