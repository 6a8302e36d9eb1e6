// The desktop application driven through its windows in an endless round of
// the commands that write the database, for scripts/crash-check, which kills
// it with SIGKILL at random moments and then checks the database:
//
//   bv_crash_driver EXCHANGEFILE
//
// Runs offscreen on the data folder of BRASKVALLA_DATA_DIR. Each round opens
// the next building that is not one of its own copies (file handler), types
// a new indoor temperature, presses Calculate, saves the building as
// "Krasch <pid>.<round>" (file handler), imports EXCHANGEFILE answering "Yes
// to all" (each building of the file replaces the one of its name) and
// deletes the copy. Each phase is printed, unbuffered, before it starts, so
// that the script knows where the kill came. A message box (a refused
// input, a failed calculation, an import warning) ends the program with
// status 3 after printing it: the round is meant to run without one.
#include "data/UnitBuildingData.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitMain.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const CopyPrefix = "Krasch ";

void Phase(const char* Name, int Round) {
    std::printf("phase %s %d\n", Name, Round);
    std::fflush(stdout);
}

// Ends the program when a message was shown since the last call.
void RequireNoMessage(const char* Where) {
    if (TMessageBox::Shown().isEmpty()) {
        return;
    }
    std::printf("message after %s: %s\n", Where, qPrintable(TMessageBox::Shown().join(QStringLiteral(" | "))));
    std::fflush(stdout);
    std::exit(3);
}

template <class T> T* Control(QWidget* Window, const char* Name) {
    for (T* W : Window->findChildren<T*>(QString::fromLatin1(Name))) {
        if (W->window() == Window) {
            return W;
        }
    }
    std::fprintf(stderr, "no control %s\n", Name);
    std::exit(4);
}

// Types Text into the edit and presses Enter, as the user does.
void TypeInto(QLineEdit* Edit, const QString& Text) {
    Edit->setFocus();
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
    QTest::keyClick(Edit, Qt::Key_Return);
}

// The file handler, opened by Command, gets Name into its name field and
// Enter. The name is set rather than typed: QTest types ASCII only, and the
// buildings' names are Swedish.
void ThroughFileHandler(const std::function<void()>& Command, const std::string& Name) {
    const QString Text = QString::fromStdString(Name);
    TMessageBox::SetNextDialogAction([Text](QDialog& D) {
        auto* Edit = Control<QLineEdit>(&D, "EditName");
        Edit->setFocus();
        Edit->setText(Text);
        QTest::keyClick(Edit, Qt::Key_Return);
    });
    Command();
}

// The buildings the rounds open: every one but the copies the rounds make.
std::vector<std::string> BuildingsToOpen(TDataModuleBuildingData& Data) {
    std::vector<std::string> Names;
    TQuery& Q = Data.ZQueryBV();
    Q.SetSQL("SELECT ID FROM Buildings ORDER BY ID");
    Q.Open();
    for (int R = 1; R <= Q.RecordCount(); ++R) {
        const TValue& V = Q.RowValue(R, 0);
        if (std::holds_alternative<std::string>(V) && std::get<std::string>(V).rfind(CopyPrefix, 0) != 0) {
            Names.push_back(std::get<std::string>(V));
        }
    }
    Q.Close();
    return Names;
}

} // namespace

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::fprintf(stderr, "usage: bv_crash_driver EXCHANGEFILE\n");
        return 1;
    }
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    const QString Exchange = QString::fromLocal8Bit(Argv[1]);
    Phase("start", 0);
    TBraskvalla B;
    QString Error;
    if (!B.Start(Error)) {
        std::printf("start failed: %s\n", qPrintable(Error));
        return 2;
    }
    TFormMain& Main = B.Main();
    Main.show();
    QApplication::processEvents();
    RequireNoMessage("start");
    TDataModuleBuildingData& Data = B.BuildingData();
    const std::vector<std::string> Names = BuildingsToOpen(Data);
    auto* Calc = Control<QToolButton>(&Main, "IBEAntialiasButtonCalc");
    auto* Temperature = Control<QLineEdit>(&Main, "DBEditTemp");
    for (int Round = 1;; ++Round) {
        const std::string& Name = Names[static_cast<std::size_t>(Round) % Names.size()];
        Phase("open", Round);
        ThroughFileHandler([&] { Main.IBEAntialiasButtonOpenClick(); }, Name);
        RequireNoMessage("open");

        Phase("edit", Round);
        TypeInto(Temperature, Round % 2 == 0 ? QStringLiteral("20") : QStringLiteral("21"));
        RequireNoMessage("edit");

        Phase("calculate", Round);
        QTest::mouseClick(Calc, Qt::LeftButton);
        QApplication::processEvents();
        RequireNoMessage("calculate");

        Phase("saveas", Round);
        const std::string Copy = CopyPrefix + std::to_string(getpid()) + "." + std::to_string(Round);
        ThroughFileHandler([&] { Main.SaveCalcAsClick(); }, Copy);
        RequireNoMessage("saveas");

        Phase("import", Round);
        TMessageBox::SetNextFile(Exchange);
        TMessageBox::SetNextDialogAction([](QDialog& D) {
            QTest::mouseClick(Control<QPushButton>(&D, "IBEAntialiasButtonYesAll"), Qt::LeftButton);
        });
        Main.ImportBuildingsClick();
        RequireNoMessage("import");

        Phase("delete", Round);
        // The question "delete the building?" takes its default answer, Yes;
        // it is the one message expected.
        Main.IBEAntialiasButtonDeleteClick();
        if (TMessageBox::Shown().size() != 1) {
            std::printf("delete: %d messages instead of the question: %s\n", static_cast<int>(TMessageBox::Shown().size()),
                        qPrintable(TMessageBox::Shown().join(QStringLiteral(" | "))));
            return 3;
        }
        TMessageBox::ClearShown();
    }
}
