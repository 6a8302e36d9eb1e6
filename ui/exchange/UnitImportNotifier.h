// The progress window of the import: title, message, progress bar and
// "Avbryt", which stops the import after the current building.
#pragma once

#include "exchange/UnitImportNotifier.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

class TFormImportNotifier : public QDialog, public IImportNotifier {
    Q_OBJECT
public:
    explicit TFormImportNotifier(QWidget* Parent = nullptr);

    void Start(int Maximum) override;
    void ProcessEvents() override;
    void SetPosition(int Position) override;
    bool AbortRequested() override { return FAbort; }
    void SetTexts(const std::string& Title, const std::string& Message) override;
    void Finish() override;

    void IBEAntialiasButtonAbortClick();

signals:
    void PositionChanged(int Position);

protected:
    // Closing the window asks to stop, like "Avbryt".
    void reject() override;

private:
    QLabel* FMessage;
    QProgressBar* FBar;
    bool FAbort = false;
    QElapsedTimer FSinceEvents;
};
