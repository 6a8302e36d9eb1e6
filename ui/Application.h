// The desktop application: the general error report that catches every
// exception a handler lets pass, and the start-up of every module and window
// in their order.
#pragma once

#include <QApplication>
#include <QString>

#include "ui/UnitMain.h"

#include <chrono>
#include <functional>
#include <memory>

class TDataModuleBVDBConnect;
class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSources;
class TDataModuleExportBuilding;
class TFormFileHandler;
class TFormHelp;

class TBVApplication : public QApplication {
    Q_OBJECT
public:
    TBVApplication(int& Argc, char** Argv);
    // Delivers the event; an exception thrown while handling it is shown in
    // one message box and the application goes on.
    bool notify(QObject* Receiver, QEvent* Event) override;
    // The general error report.
    static void ShowException(const std::exception_ptr& Error);
};

// Every module and window of the application, created once in the start-up
// order and freed in the reverse order.
class TBraskvalla {
public:
    TBraskvalla();
    ~TBraskvalla();
    TBraskvalla(const TBraskvalla&) = delete;
    TBraskvalla& operator=(const TBraskvalla&) = delete;

    // Creates the modules and windows, after the checks of the database
    // before the connection (PrepareDatabaseAtStart). False when the
    // database cannot be used; Error then says what happened, names the
    // path and what to do, or is empty when the user chose to quit.
    bool Start(QString& Error);
    // The clock the start backup goes by; the system clock unless set.
    void SetClock(std::function<std::chrono::system_clock::time_point()> Clock) { FClock = std::move(Clock); }

    TFormMain& Main() const { return *FMain; }
    TDataModuleBuildingData& BuildingData() const { return *FData; }
    TDataModulePreDefData& PreDefData() const { return *FPreDef; }
    TFormFileHandler& FileHandler() const { return *FFileHandler; }
    TFormHelp& Help() const { return *FHelp; }
    const TMainDialogs& Dialogs() const { return FDialogs; }

private:
    std::unique_ptr<TDataModuleBVDBConnect> FConnect;
    std::unique_ptr<TDataModulePreDefData> FPreDef;
    std::unique_ptr<TDataModuleBuildingData> FData;
    std::unique_ptr<TDataSources> FSources;
    std::unique_ptr<TDataModuleExportBuilding> FExportData;
    std::unique_ptr<TFormMain> FMain;
    TFormFileHandler* FFileHandler = nullptr; // the dialogs are owned by the main window
    TMainDialogs FDialogs;
    std::function<std::chrono::system_clock::time_point()> FClock;
    // The user guide; it may be a window of a dialog for a while (UnitHelp),
    // so it goes before the main window that owns the dialogs.
    std::unique_ptr<TFormHelp> FHelp;
};

// The application's main: the start-up, then the event loop. A database
// that cannot be used is shown in a message box and ends the application
// with status 2; so does quitting at a question of the start.
int RunBraskvalla(int Argc, char** Argv);
