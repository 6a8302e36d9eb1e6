#include "ui/exchange/UnitExportList.h"

#include "exchange/UnitExport.h"
#include "ui/MessageBox.h"
#include "ui/UnitMainLayout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bvui;

TFormExportList::TFormExportList(const TTexts& Texts, QWidget* Parent) : QDialog(Parent), FTexts(Texts) {
    setWindowTitle(Texts.Title);
    setModal(true);
    auto* LabelAvailable = MakeLabel(this, "LabelAvailable", Texts.Available);
    auto* LabelSelected = MakeLabel(this, "LabelSelected", Texts.Selected);
    FAvailable = new QListWidget(this);
    FAvailable->setObjectName(QStringLiteral("StringGridUnSelected"));
    FSelected = new QListWidget(this);
    FSelected->setObjectName(QStringLiteral("StringGridSelected"));
    LabelAvailable->setBuddy(FAvailable);
    LabelSelected->setBuddy(FSelected);
    SetHint(FAvailable, QStringLiteral("Tillgängliga|Dubbelklicka för att välja"));
    SetHint(FSelected, QStringLiteral("Valda|Dubbelklicka för att ta bort ur urvalet"));
    struct TButton {
        const char* Name;
        const char* Caption;
        void (TFormExportList::*Handler)();
    };
    const TButton Moves[] = {
        {"IBEAntialiasButtonAdd", "Lägg till", &TFormExportList::IBEAntialiasButtonAddClick},
        {"IBEAntialiasButtonAddAll", "Lägg till alla", &TFormExportList::IBEAntialiasButtonAddAllClick},
        {"IBEAntialiasButtonDel", "Ta bort", &TFormExportList::IBEAntialiasButtonDelClick},
        {"IBEAntialiasButtonDelAll", "Ta bort alla", &TFormExportList::IBEAntialiasButtonDelAllClick},
    };
    auto* Middle = new QVBoxLayout;
    Middle->addStretch(1);
    for (const TButton& B : Moves) {
        auto* Btn = new QPushButton(QString::fromUtf8(B.Caption), this);
        Btn->setObjectName(QString::fromLatin1(B.Name));
        Btn->setAutoDefault(false);
        connect(Btn, &QPushButton::clicked, this, B.Handler);
        Middle->addWidget(Btn);
    }
    Middle->addStretch(1);
    auto* Save = new QPushButton(QStringLiteral("Spara"), this);
    Save->setObjectName(QStringLiteral("IBEAntialiasButtonSave"));
    Save->setAutoDefault(false);
    SetHint(Save, QStringLiteral("Spara|Skriver de valda till en fil"));
    connect(Save, &QPushButton::clicked, this, &TFormExportList::IBEAntialiasButtonSaveClick);
    auto* Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("IBEAntialiasButtonOk"));
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &TFormExportList::IBEAntialiasButtonOkClick);
    connect(FAvailable, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* I) {
        FAvailable->setCurrentItem(I);
        IBEAntialiasButtonAddClick();
    });
    connect(FSelected, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* I) {
        FSelected->setCurrentItem(I);
        IBEAntialiasButtonDelClick();
    });

    auto* G = new QGridLayout;
    G->addWidget(LabelAvailable, 0, 0);
    G->addWidget(LabelSelected, 0, 2);
    G->addWidget(FAvailable, 1, 0);
    G->addLayout(Middle, 1, 1);
    G->addWidget(FSelected, 1, 2);
    G->setColumnStretch(0, 1);
    G->setColumnStretch(2, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Save);
    Buttons->addWidget(Ok);
    auto* Main = new QVBoxLayout(this);
    Main->addLayout(G, 1);
    Main->addLayout(Buttons);
    resize(620, 420);
}

TFormExportList::~TFormExportList() = default;

void TFormExportList::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    // Each opening starts with nothing chosen, on the rows as they are now.
    FSelection = std::make_unique<TExportSelection>(Rows());
    FSelection->Reset();
    Fill();
    FAvailable->setFocus();
}

void TFormExportList::Fill() {
    const auto Put = [](QListWidget* L, const std::vector<std::string>& Names) {
        const int Row = L->currentRow();
        L->clear();
        for (const std::string& N : Names) {
            L->addItem(QString::fromStdString(N));
        }
        L->setCurrentRow(std::min(Row, L->count() - 1));
    };
    Put(FAvailable, FSelection->Available());
    Put(FSelected, FSelection->Selected());
}

void TFormExportList::IBEAntialiasButtonAddClick() {
    if (FSelection && FAvailable->currentRow() >= 0) {
        FSelection->Add(FAvailable->currentRow());
        Fill();
    }
}

void TFormExportList::IBEAntialiasButtonAddAllClick() {
    if (FSelection) {
        FSelection->AddAll();
        Fill();
    }
}

void TFormExportList::IBEAntialiasButtonDelClick() {
    if (FSelection && FSelected->currentRow() >= 0) {
        FSelection->Remove(FSelected->currentRow());
        Fill();
    }
}

void TFormExportList::IBEAntialiasButtonDelAllClick() {
    if (FSelection) {
        FSelection->RemoveAll();
        Fill();
    }
}

void TFormExportList::IBEAntialiasButtonSaveClick() {
    if (!FSelection || FSelection->Selected().empty()) {
        return;
    }
    const std::optional<QString> Path = TMessageBox::AskSaveFile(this, FTexts.FileName, FTexts.Filter, FTexts.Suffix);
    if (!Path) {
        return;
    }
    Write(FSelection->SelectedRows(), Path->toStdString());
}

void TFormExportList::IBEAntialiasButtonOkClick() { accept(); }
