// Shared set-up of the window tests: a data folder of its own with a new
// database holding the shipped archives and the template building (the
// example buildings left out), and the whole application started on it.
#pragma once

#include "data/UnitBuildingData.h"
#include "data/UnitInitDB.h"
#include "db/Database.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/UnitMain.h"

#include <QComboBox>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>

namespace bvtest {

namespace fs = std::filesystem;

class TTempDataFolder {
public:
    TTempDataFolder() {
        std::random_device Rd;
        Root = fs::temp_directory_path() / ("bv_gui_test_" + std::to_string(Rd()) + std::to_string(Rd()));
        Folder = Root / "Braskvalla";
        fs::create_directories(Folder);
        setenv("BRASKVALLA_DATA_DIR", (Folder.string() + "/").c_str(), 1);
    }
    ~TTempDataFolder() {
        unsetenv("BRASKVALLA_DATA_DIR");
        std::error_code Ec;
        fs::remove_all(Root, Ec);
    }
    TTempDataFolder(const TTempDataFolder&) = delete;
    TTempDataFolder& operator=(const TTempDataFolder&) = delete;
    std::string Database() const { return (Folder / "bvdb.s3db").string(); }

    fs::path Root;
    fs::path Folder;
};

// The shipped scripts without the example buildings.
inline std::vector<TSqlScript> ArchiveScripts() {
    std::vector<TSqlScript> S;
    for (const TSqlScript& Script : ShippedSqlScripts()) {
        if (Script.Name != "examples") {
            S.push_back(Script);
        }
    }
    return S;
}

// The application on a database of its own, its main window shown.
class TGuiApp {
public:
    // Prepare runs on the new database before the application starts.
    explicit TGuiApp(const std::function<void(TDatabase&)>& Prepare = {}) {
        CreateDatabase(Folder.Database(), ArchiveScripts());
        if (Prepare) {
            auto Db = TDatabase::Open(Folder.Database());
            Prepare(*Db);
        }
        TMessageBox::SetTestMode(true);
        TMessageBox::ClearShown();
        QString Error;
        if (!App.Start(Error)) {
            qFatal("start-up failed: %s", qPrintable(Error));
        }
        Main().show();
        QApplication::processEvents();
    }
    ~TGuiApp() { TMessageBox::ClearShown(); }

    TFormMain& Main() const { return App.Main(); }
    TDataModuleBuildingData& Data() const { return App.BuildingData(); }
    TDataset& Buildings() const { return Data().TableBuildings(); }

    // A control of the main window itself (the dialogs, which the main
    // window owns, have controls of the same names).
    template <class T> T* Find(const char* Name) const { return FindIn<T>(&Main(), Name); }
    // A control of the window Window.
    template <class T> static T* FindIn(QWidget* Window, const char* Name) {
        for (T* W : Window->findChildren<T*>(QString::fromLatin1(Name))) {
            if (W->window() == Window) {
                return W;
            }
        }
        qFatal("no control %s", Name);
        return nullptr;
    }

    TTempDataFolder Folder;
    TBraskvalla App;
};

// What a user's pick in a drop-down list does.
inline void Choose(QComboBox* Box, int Index) {
    Box->setCurrentIndex(Index);
    emit Box->activated(Index);
}

// Types Text into a line edit, replacing what it shows, and presses Enter.
template <class TEdit> void TypeInto(TEdit* Edit, const QString& Text) {
    Edit->setFocus();
    Edit->selectAll();
    if (Text.isEmpty()) {
        QTest::keyClick(Edit, Qt::Key_Delete);
    }
    QTest::keyClicks(Edit, Text);
    QTest::keyClick(Edit, Qt::Key_Return);
}

} // namespace bvtest
