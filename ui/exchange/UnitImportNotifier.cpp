#include "ui/exchange/UnitImportNotifier.h"

#include "ui/UnitMainLayout.h"
#include "ui/help/HelpContexts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bvui;

TFormImportNotifier::TFormImportNotifier(QWidget* Parent) : QDialog(Parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormImportNotifier"));
    setProperty(bvhelp::kContextProperty, bvhelp::ImportProgress);
    setWindowTitle(QStringLiteral("Importerar"));
    setModal(false);
    FMessage = MakeLabel(this, "LabelMessage", QString());
    FMessage->setMinimumWidth(360);
    FBar = new QProgressBar(this);
    FBar->setObjectName(QStringLiteral("ProgressBar1"));
    auto* Abort = new QPushButton(QStringLiteral("Avbryt"), this);
    Abort->setObjectName(QStringLiteral("IBEAntialiasButtonAbort"));
    SetHint(Abort, QStringLiteral("Avbryt|Avbryter importen efter den här byggnaden"));
    connect(Abort, &QPushButton::clicked, this, &TFormImportNotifier::IBEAntialiasButtonAbortClick);
    auto* Row = new QHBoxLayout;
    Row->addStretch(1);
    Row->addWidget(Abort);
    auto* Main = new QVBoxLayout(this);
    Main->addWidget(FMessage);
    Main->addWidget(FBar);
    Main->addLayout(Row);
}

void TFormImportNotifier::Start(int Maximum) {
    FAbort = false;
    FSinceEvents.invalidate();
    FBar->setRange(0, std::max(Maximum, 0));
    FBar->setValue(0);
    FMessage->clear();
    show();
    ProcessEvents();
}

void TFormImportNotifier::ProcessEvents() {
    // The only place where the import lets the window repaint and the
    // abort button be pressed; no pause. Small buildings are read faster
    // than a screen refreshes: events are handled every 20 ms at most, which
    // keeps the window live and "Avbryt" prompt without slowing the import.
    if (FSinceEvents.isValid() && FSinceEvents.elapsed() < 20) {
        return;
    }
    QApplication::processEvents();
    FSinceEvents.start();
}

void TFormImportNotifier::SetPosition(int Position) {
    FBar->setValue(Position);
    emit PositionChanged(Position);
}

void TFormImportNotifier::SetTexts(const std::string& Title, const std::string& Message) {
    if (!isVisible()) {
        show();
    }
    setWindowTitle(QString::fromStdString(Title));
    FMessage->setText(QString::fromStdString(Message));
}

void TFormImportNotifier::Finish() { hide(); }

void TFormImportNotifier::IBEAntialiasButtonAbortClick() { FAbort = true; }

void TFormImportNotifier::reject() { FAbort = true; }
