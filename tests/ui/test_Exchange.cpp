// The export and import windows: the export lists and Save, each answer to
// the conflict question given through the question window's buttons, and
// stopping an import through the progress window.
#include "GuiTestSupport.h"

#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"
#include "ui/exchange/UnitExport.h"
#include "ui/exchange/UnitImport.h"
#include "ui/exchange/UnitImportNotifier.h"

#include <QListWidget>
#include <QPushButton>

using namespace bvtest;

namespace {

template <class T> T* In(QWidget* Dialog, const char* Name) { return TGuiApp::FindIn<T>(Dialog, Name); }

// A click on a button of the dialog that RunDialog shows next.
void AnswerNext(const char* Button) {
    const std::string Name = Button;
    TMessageBox::SetNextDialogAction(
        [Name](QDialog& D) { QTest::mouseClick(In<QPushButton>(&D, Name.c_str()), Qt::LeftButton); });
}

struct TExchangeApp : TGuiApp {
    // Buildings A, B, C in the database; Path holds A, B, C and D, where D
    // is not in the database.
    QString Path;
    TExchangeApp() {
        for (const char* Name : {"A", "B", "C", "D"}) {
            Data().NewBuilding();
            Data().SaveBuildingAs(Name);
        }
        Path = QString::fromStdString((Folder.Root / "four.bvf").string());
        auto& M = *App.Dialogs().ExportData;
        M.RefreshAll();
        ExportBuildings(M, {"A", "B", "C", "D"}, Path.toStdString());
        Data().DeleteBuilding();
        Data().OpenBuilding("Default");
        // A is marked so that a replacement shows.
        Db().Exec("UPDATE Buildings SET TEMPERATURE = 12 WHERE ID IN ('A', 'B', 'C')");
        Data().RefreshAllData();
        TMessageBox::ClearShown();
    }
    TDatabase& Db() const { return Data().Database(); }
    int Count(const char* Where) const {
        TQuery Q(Db(), std::string("SELECT COUNT(*) FROM Buildings WHERE ") + Where);
        Q.Open();
        return static_cast<int>(Q.Fields()[0]->AsInteger());
    }
    void Import() {
        TMessageBox::SetNextFile(Path);
        A().Main().ImportBuildingsClick();
    }
    TExchangeApp& A() { return *this; }
};

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void TheExportListsMoveBuildingsAndSaveWritesThem() {
        TExchangeApp A;
        auto* E = A.App.Dialogs().Export;
        A.Main().ExportBuildingsClick();
        QVERIFY(E->isVisible());
        auto* Available = In<QListWidget>(E, "StringGridUnSelected");
        auto* Selected = In<QListWidget>(E, "StringGridSelected");
        QCOMPARE(Available->count(), 4); // A, B, C, Default
        QCOMPARE(Selected->count(), 0);
        // Nothing chosen: Save asks for no file.
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonSave"), Qt::LeftButton);
        QVERIFY(TMessageBox::Shown().isEmpty());
        Available->setCurrentRow(1);
        const QString Second = Available->item(1)->text();
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonAdd"), Qt::LeftButton);
        QCOMPARE(Selected->count(), 1);
        QCOMPARE(Selected->item(0)->text(), Second);
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonAddAll"), Qt::LeftButton);
        QCOMPARE(Available->count(), 0);
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonDelAll"), Qt::LeftButton);
        QCOMPARE(Selected->count(), 0);
        // Double-clicks move single buildings both ways.
        emit Available->itemDoubleClicked(Available->item(0));
        emit Available->itemDoubleClicked(Available->item(0));
        QCOMPARE(Selected->count(), 2);
        Selected->setCurrentRow(0);
        emit Selected->itemDoubleClicked(Selected->item(0));
        QCOMPARE(Selected->count(), 1);
        const QString Out = QString::fromStdString((A.Folder.Root / "chosen").string());
        TMessageBox::SetNextFile(Out);
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonSave"), Qt::LeftButton);
        QVERIFY(QFile::exists(Out + QStringLiteral(".bvf")));
        QVERIFY(E->isVisible()); // the dialog stays open
        // A new opening starts with nothing chosen.
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonOk"), Qt::LeftButton);
        A.Main().ExportBuildingsClick();
        QCOMPARE(Selected->count(), 0);
        E->hide();
    }

    void EachAnswerOfTheQuestionWindow_data() {
        QTest::addColumn<QStringList>("Buttons"); // pressed in turn; "close" closes the window
        QTest::addColumn<QStringList>("Renames");
        QTest::addColumn<int>("Replaced");        // buildings now at 21 °C among A, B, C
        QTest::addColumn<int>("Buildings");       // buildings in the database afterwards
        QTest::newRow("yes asks again") << QStringList{"Yes", "No", "No"} << QStringList{} << 1 << 5;
        QTest::newRow("yes to all") << QStringList{"YesAll"} << QStringList{} << 3 << 5;
        QTest::newRow("no to all stores new ones") << QStringList{"NoAll"} << QStringList{} << 0 << 5;
        QTest::newRow("cancel stores nothing more") << QStringList{"No", "Cancel"} << QStringList{} << 0 << 4;
        QTest::newRow("rename, then onto a second taken name")
            << QStringList{"Rename", "Rename", "No", "No"} << QStringList{"A2", "C"} << 0 << 6;
        QTest::newRow("closing asks again") << QStringList{"close", "Yes", "No", "No"} << QStringList{} << 1 << 5;
    }
    void EachAnswerOfTheQuestionWindow() {
        QFETCH(QStringList, Buttons);
        QFETCH(QStringList, Renames);
        TExchangeApp A;
        for (const QString& B : Buttons) {
            if (B == QLatin1String("close")) {
                TMessageBox::SetNextDialogAction([](QDialog& D) { D.reject(); });
            } else {
                AnswerNext(("IBEAntialiasButton" + B.toStdString()).c_str());
            }
        }
        for (const QString& R : Renames) {
            TMessageBox::SetNextText(R);
        }
        A.Import();
        QTEST(A.Count("ID IN ('A', 'B', 'C') AND TEMPERATURE <> 12"), "Replaced");
        QTEST(A.Count("1 = 1"), "Buildings");
        QVERIFY(!A.App.Dialogs().Import->isVisible());
        QVERIFY(!A.App.Dialogs().ImportProgress->isVisible());
        QCOMPARE(TMessageBox::Shown().size(), Renames.size()); // the rename prompts, no warning
        if (!Renames.isEmpty()) {
            // A became A2; B was asked about again after the rename onto C.
            QCOMPARE(A.Count("ID = 'A2'"), 1);
        }
    }

    void CancelInTheRenameBoxGoesBackToTheQuestion() {
        TExchangeApp A;
        AnswerNext("IBEAntialiasButtonRename");
        TMessageBox::SetNextText(std::nullopt);
        // After the cancelled rename the question is still open: answer it.
        AnswerNext("IBEAntialiasButtonNoAll");
        A.Import();
        QCOMPARE(A.Count("1 = 1"), 5);
        QCOMPARE(A.Count("ID = 'A'"), 1);
    }

    void AvbrytStopsTheImportAfterTheCurrentBuilding() {
        TExchangeApp A;
        for (const char* Name : {"A", "B", "C"}) {
            A.Data().OpenBuilding(Name);
            A.Data().DeleteBuilding();
        }
        A.Data().OpenBuilding("Default");
        auto* Progress = A.App.Dialogs().ImportProgress;
        connect(Progress, &TFormImportNotifier::PositionChanged, Progress, [Progress](int Position) {
            if (Position == 3) {
                QTest::mouseClick(In<QPushButton>(Progress, "IBEAntialiasButtonAbort"), Qt::LeftButton);
            }
        });
        A.Import();
        // A and B stored, nothing after the click.
        QCOMPARE(A.Count("ID IN ('A', 'B', 'C', 'D')"), 2);
        QVERIFY(!Progress->isVisible());
    }

    void AFileThatCannotBeReadIsRefusedWithOneMessage() {
        TExchangeApp A;
        const QString Broken = QString::fromStdString((A.Folder.Root / "broken.bvf").string());
        QFile F(Broken);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("not an exchange file");
        F.close();
        TMessageBox::SetNextFile(Broken);
        A.Main().ImportBuildingsClick();
        QCOMPARE(TMessageBox::Shown(), QStringList{QStringLiteral("Invalid stream format")});
        QCOMPARE(A.Count("1 = 1"), 4);
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestExchange T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Exchange.moc"
