#include "ui/UnitArchiveSelect.h"

#include "ui/MessageBox.h"
#include "ui/UnitMainLayout.h"
#include "ui/bind/DBTableModel.h"
#include "ui/bind/DataSource.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bvui;


TFormArchiveSelect::TFormArchiveSelect(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(QStringLiteral("Konstruktionsarkiv"));
    setModal(true);
    Messages = {QStringLiteral("Arkivet innehåller inget med namnet"),
                QStringLiteral("Vill du ta bort den markerade posten ur arkivet?")};
    FGridPlace = new QVBoxLayout;
    auto* Cap = MakeLabel(this, "LabelName", QStringLiteral("&Namn"));
    auto* Name = new bvui::TEnterLineEdit(this);
    Name->OnEnter = [this] { IBEAntialiasButtonOpenClick(); };
    FName = Name;
    FName->setObjectName(QStringLiteral("EditName"));
    SetHint(FName, QStringLiteral("Namn|Namnet på det som ska hämtas ur arkivet"));
    Cap->setBuddy(FName);
    auto* Delete = new QPushButton(QStringLiteral("Ta bort"), this);
    Delete->setObjectName(QStringLiteral("IBEAntialiasButtonDelete"));
    SetHint(Delete, QStringLiteral("Ta bort|Tar bort den markerade posten ur arkivet"));
    auto* Open = new QPushButton(QStringLiteral("Öppna"), this);
    Open->setObjectName(QStringLiteral("IBEAntialiasButtonOpen"));
    SetHint(Open, QStringLiteral("Öppna|Hämtar posten till byggnaden och öppnar den"));
    auto* Cancel = new QPushButton(QStringLiteral("Avbryt"), this);
    Cancel->setObjectName(QStringLiteral("IBEAntialiasButtonCancel"));
    SetHint(Cancel, QStringLiteral("Avbryt|Stänger arkivet utan att hämta något"));
    for (QPushButton* B : {Delete, Open, Cancel}) {
        B->setAutoDefault(false);
    }
    connect(Delete, &QPushButton::clicked, this, &TFormArchiveSelect::IBEAntialiasButtonDeleteClick);
    connect(Open, &QPushButton::clicked, this, &TFormArchiveSelect::IBEAntialiasButtonOpenClick);
    connect(Cancel, &QPushButton::clicked, this, &TFormArchiveSelect::IBEAntialiasButtonCancelClick);
    auto* NameRow = new QHBoxLayout;
    NameRow->addWidget(Cap);
    NameRow->addWidget(FName, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(Delete);
    Buttons->addStretch(1);
    Buttons->addWidget(Open);
    Buttons->addWidget(Cancel);
    auto* Main = new QVBoxLayout(this);
    Main->addLayout(FGridPlace, 1);
    Main->addLayout(NameRow);
    Main->addLayout(Buttons);
    resize(420, 440);
}

void TFormArchiveSelect::BindList() {
    TDataSource& L = List();
    if (FBound == &L) {
        return;
    }
    FBound = &L;
    delete FGrid;
    FGrid = new TDBGrid(L, this);
    FGrid->setObjectName(QStringLiteral("DBGridComponent"));
    FGrid->SetColumns({{"ID", QStringLiteral("Namn"), std::nullopt, {}, QStringLiteral("Namn i arkivet")}});
    connect(FGrid, &QAbstractItemView::clicked, this, &TFormArchiveSelect::DBGridComponentCellClick);
    connect(FGrid, &TDBGrid::Activated, this, [this] {
        DBGridComponentCellClick();
        IBEAntialiasButtonOpenClick();
    });
    FGridPlace->addWidget(FGrid);
}

void TFormArchiveSelect::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    BindList();
    // The name column is titled like the name field, in the language shown.
    if (const auto* Caption = findChild<QLabel*>(QStringLiteral("LabelName"))) {
        FGrid->Model().SetColumnTitle(0, WithoutMnemonic(Caption->text()));
    }
    FName->clear();
    FName->setFocus();
}

void TFormArchiveSelect::DBGridComponentCellClick() {
    TDataset& D = List().Dataset();
    if (!D.IsEmpty()) {
        FName->setText(QString::fromStdString(D.FieldByName("ID").AsString()));
    }
}

void TFormArchiveSelect::IBEAntialiasButtonCancelClick() { reject(); }

QString TFormArchiveSelect::DeleteQuestion() { return Messages.value(1); }

void TFormArchiveSelect::IBEAntialiasButtonDeleteClick() {
    if (List().Dataset().IsEmpty()) {
        return;
    }
    if (TMessageBox::Ask(this, DeleteQuestion(), TMessageBox::Warning) == TMessageBox::Yes) {
        DeleteCurrent();
    }
}

void TFormArchiveSelect::IBEAntialiasButtonOpenClick() {
    TDataset& D = List().Dataset();
    const QString Name = FName->text().trimmed();
    if (Name.isEmpty() || !D.Locate({"ID"}, {Name.toStdString()})) {
        TMessageBox::Inform(this, Messages.value(0) + QStringLiteral(" \"") + Name + QStringLiteral("\""));
        return;
    }
    Take();
    accept();
    if (FOpenEditor) {
        FOpenEditor();
    }
}
