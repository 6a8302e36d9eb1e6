// The construction, window and door editors and archives, and the building
// file handler, driven through their own controls; and a whole building made
// in the windows, whose stored results must equal the command-line tool's.
#include "GuiTestSupport.h"

#include "cli/CliCommand.h"
#include "data/UnitPreDefData.h"
#include "ui/UnitDoorEdit.h"
#include "ui/UnitDoorSelect.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/UnitOuterWallSelect.h"
#include "ui/UnitWindowEdit.h"
#include "ui/UnitWindowSelect.h"
#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>

using namespace bvtest;

namespace {

void Click(QWidget* W) { QTest::mouseClick(W, Qt::LeftButton); }

template <class T> T* In(QWidget* Dialog, const char* Name) { return TGuiApp::FindIn<T>(Dialog, Name); }

QString Text(TDataset& D, const char* Column) { return QString::fromStdString(D.FieldByName(Column).AsString()); }

// The layered editor on a new construction of the kind, opened from the
// main window's New button of the kind's list.
TFormOuterWallEdit* NewConstruction(TGuiApp& A, const char* NewButton) {
    Click(A.Find<QToolButton>(NewButton));
    auto* E = A.App.Dialogs().LayeredEdit;
    if (!E->isVisible()) {
        qFatal("the editor did not open");
    }
    return E;
}

// A click on row Row of a grid.
void ClickRow(TDBGrid* Grid, int Row) {
    QApplication::processEvents(); // a grid just made is laid out first
    const QRect Cell = Grid->visualRect(Grid->model()->index(Row, 0));
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Cell.center());
}

// Picks material Row of the editor's material list and adds it.
void AddMaterial(TFormOuterWallEdit* E, int Row) {
    auto* Grid = In<TDBGrid>(E, "DBGridPreDefLayers");
    Grid->selectRow(Row);
    Click(In<QPushButton>(E, "IBEAntialiasButtonAdd"));
}

nlohmann::json Show(const std::string& Db, const std::string& ID) {
    std::ostringstream Out, Err;
    if (cli::Main({"--db", Db, "show", ID, "--json"}, Out, Err) != 0) {
        qFatal("show failed: %s", Err.str().c_str());
    }
    return nlohmann::json::parse(Out.str());
}

class TestEditors : public QObject {
    Q_OBJECT
private slots:
    void RenamingOntoAnotherConstructionAsksFirst_data() {
        QTest::addColumn<bool>("Yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void RenamingOntoAnotherConstructionAsksFirst() {
        QFETCH(bool, Yes);
        TGuiApp A;
        TDataModuleBuildingData& D = A.Data();
        auto* E = NewConstruction(A, "IBEAntialiasButtonNewOuterWall");
        AddMaterial(E, 0);
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QVERIFY(!E->isVisible());
        const std::string First = D.TableOuterWalls().FieldByName("ID").AsString();
        E = NewConstruction(A, "IBEAntialiasButtonNewOuterWall");
        AddMaterial(E, 1);
        AddMaterial(E, 2);
        TypeInto(In<TDBEdit>(E, "DBEditArea"), QStringLiteral("30"));
        TMessageBox::ClearShown();
        TMessageBox::SetNextAnswer(Yes ? TMessageBox::Yes : TMessageBox::No);
        In<QLineEdit>(E, "EditName")->setText(QString::fromStdString(First));
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QCOMPARE(TMessageBox::Shown(), QStringList{E->Messages.at(2)});
        TDataset& Walls = D.TableOuterWalls();
        if (Yes) {
            QVERIFY(!E->isVisible());
            QCOMPARE(Walls.RecordCount(), 1);
            QCOMPARE(Walls.FieldByName("ID").AsString(), First);
            QCOMPARE(Walls.FieldByName("AREA").AsFloat(), 30.0);
            QCOMPARE(D.TableOuterWallLayers().RecordCount(), 2);
            QVERIFY(Walls.FieldByName("UVALUE").AsFloat() > 0); // recalculated
        } else {
            QVERIFY(E->isVisible());
            QCOMPARE(Walls.RecordCount(), 2);
            E->hide();
        }
    }

    void WindowAndDoorEditorsCloseWithoutRenamingOnNo_data() {
        QTest::addColumn<bool>("Window");
        QTest::newRow("window") << true;
        QTest::newRow("door") << false;
    }
    void WindowAndDoorEditorsCloseWithoutRenamingOnNo() {
        QFETCH(bool, Window);
        TGuiApp A;
        const char* New = Window ? "IBEAntialiasButtonNewWindow" : "IBEAntialiasButtonNewDoor";
        QDialog* E = Window ? static_cast<QDialog*>(A.App.Dialogs().WindowEdit) : A.App.Dialogs().DoorEdit;
        TDataset& V = Window ? A.Data().TableWindows() : A.Data().TableDoors();
        Click(A.Find<QToolButton>(New));
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        const QString First = Text(V, "ID");
        Click(A.Find<QToolButton>(New));
        QVERIFY(E->isVisible());
        const QString Second = Text(V, "ID");
        // Another member's name in other letter case counts as taken.
        In<QLineEdit>(E, "EditName")->setText(First.toUpper());
        TMessageBox::ClearShown();
        TMessageBox::SetNextAnswer(TMessageBox::No);
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY(!E->isVisible());
        QCOMPARE(V.RecordCount(), 2);
        QCOMPARE(Text(V, "ID"), Second);
        // Yes: the other one goes, this one takes the name.
        Click(A.Find<QToolButton>(Window ? "IBEAntialiasButtonEditWindow" : "IBEAntialiasButtonEditDoor"));
        In<QLineEdit>(E, "EditName")->setText(First.toUpper());
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QVERIFY(!E->isVisible());
        QCOMPARE(V.RecordCount(), 1);
        QCOMPARE(Text(V, "ID"), First.toUpper());
    }

    void NamesOfFortyFiveCharactersPassAndLongerOnesAreRefused_data() {
        QTest::addColumn<int>("Length");
        QTest::addColumn<bool>("Accepted");
        QTest::newRow("45") << 45 << true;
        QTest::newRow("46") << 46 << false;
    }
    void NamesOfFortyFiveCharactersPassAndLongerOnesAreRefused() {
        QFETCH(int, Length);
        QFETCH(bool, Accepted);
        TGuiApp A;
        auto* E = NewConstruction(A, "IBEAntialiasButtonNewRoof");
        // Letters beyond ASCII count as one character each.
        const QString Name = QString(Length, QChar(0x00E5));
        In<QLineEdit>(E, "EditName")->setText(Name);
        TMessageBox::ClearShown();
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QCOMPARE(E->isVisible(), !Accepted);
        QCOMPARE(TMessageBox::Shown().isEmpty(), Accepted);
        QCOMPARE(Text(A.Data().TableRoofs(), "ID") == Name, Accepted);
        E->hide();
    }

    void EachKindIsComputedWithItsSurfaceResistances_data() {
        QTest::addColumn<int>("Kind");
        QTest::addColumn<QString>("NewButton");
        QTest::addColumn<double>("Rse");
        QTest::addColumn<double>("Rsi");
        QTest::newRow("outer wall") << int(ckOuterWall) << "IBEAntialiasButtonNewOuterWall" << 0.04 << 0.13;
        QTest::newRow("inner wall") << int(ckInnerWall) << "IBEAntialiasButtonNewInnerWall" << 0.13 << 0.13;
        QTest::newRow("roof") << int(ckRoof) << "IBEAntialiasButtonNewRoof" << 0.04 << 0.13;
        QTest::newRow("intermediate floor") << int(ckInnerRoof) << "IBEAntialiasButtonNewInnerRoof" << 0.13 << 0.13;
        QTest::newRow("ground slab") << int(ckGroundSlab) << "IBEAntialiasButtonNewSlabSlab1" << 0.0 << 0.0;
    }
    void EachKindIsComputedWithItsSurfaceResistances() {
        QFETCH(int, Kind);
        QFETCH(QString, NewButton);
        QFETCH(double, Rse);
        QFETCH(double, Rsi);
        TGuiApp A;
        auto* E = NewConstruction(A, NewButton.toLatin1().constData());
        // The thickness is locked to no layer: empty list, disabled edit.
        QVERIFY(!In<TDBEdit>(E, "DBEditThickness")->isEnabled());
        AddMaterial(E, 0);
        QVERIFY(In<TDBEdit>(E, "DBEditThickness")->isEnabled());
        TypeInto(In<TDBEdit>(E, "DBEditThickness"), QStringLiteral("100"));
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QVERIFY(!E->isVisible());
        TDataset& L = A.Data().LayerView(Kind);
        const double Lambda = L.FieldByName("THERMCOND").AsFloat();
        QCOMPARE(L.FieldByName("DEPTH").AsFloat(), 100.0);
        const double Expected = 1.0 / (Rse + Rsi + 0.1 / Lambda);
        const double U = A.Data().ComponentView(Kind).FieldByName("UVALUE").AsFloat();
        QVERIFY2(std::fabs(U - Expected) < 1e-9 * Expected, qPrintable(QStringLiteral("%1 against %2").arg(U).arg(Expected)));
    }

    void ArchivedConstructionsComeInUnderFreeNames() {
        TGuiApp A;
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(0);
        auto* Archive = A.App.Dialogs().LayeredSelect;
        auto* Editor = A.App.Dialogs().LayeredEdit;
        TDataset& Archived = A.App.PreDefData().ArchiveViews(ckOuterWall).Components;
        const QString Name = QString::fromStdString(Archived.FieldByName("ID").AsString());
        const QStringList Expected = {Name, Name + QStringLiteral(" (1)"), Name + QStringLiteral(" (2)")};
        for (const QString& Want : Expected) {
            Click(A.Find<QToolButton>("IBEAntialiasButtonSelectOuterWall"));
            QVERIFY(Archive->isVisible());
            TypeInto(In<QLineEdit>(Archive, "EditName"), Name.toUpper());
            QVERIFY(!Archive->isVisible());
            QVERIFY(Editor->isVisible());
            QCOMPARE(Editor->ComponentMode(), int(ckOuterWall));
            QCOMPARE(In<QLineEdit>(Editor, "EditName")->text(), Want);
            Click(In<QPushButton>(Editor, "IBEAntialiasButtonOk"));
            QCOMPARE(Text(A.Data().TableOuterWalls(), "ID"), Want);
        }
        QCOMPARE(A.Data().TableOuterWalls().RecordCount(), 3);
        // A name the archive does not hold.
        TMessageBox::ClearShown();
        Click(A.Find<QToolButton>("IBEAntialiasButtonSelectOuterWall"));
        TypeInto(In<QLineEdit>(Archive, "EditName"), QStringLiteral("Finns inte"));
        QCOMPARE(TMessageBox::Shown(), QStringList{Archive->Messages.at(0) + QStringLiteral(" \"Finns inte\"")});
        QVERIFY(Archive->isVisible());
        Click(In<QPushButton>(Archive, "IBEAntialiasButtonCancel"));
        QCOMPARE(A.Data().TableOuterWalls().RecordCount(), 3);
    }

    void ArchivingUnderATakenNameAsksBeforeOverwriting_data() {
        QTest::addColumn<int>("Answer"); // 0 cancel the name, 1 No, 2 Yes
        QTest::newRow("cancel") << 0;
        QTest::newRow("no") << 1;
        QTest::newRow("yes") << 2;
    }
    void ArchivingUnderATakenNameAsksBeforeOverwriting() {
        QFETCH(int, Answer);
        TGuiApp A;
        TDataModulePreDefData& P = A.App.PreDefData();
        TDataset& Archived = P.ArchiveViews(ckOuterWall).Components;
        const std::string Taken = Archived.FieldByName("ID").AsString();
        const int ArchivedLayers = P.ArchiveViews(ckOuterWall).Layers.RecordCount();
        auto* E = NewConstruction(A, "IBEAntialiasButtonNewOuterWall");
        AddMaterial(E, 0);
        TMessageBox::ClearShown();
        TMessageBox::SetNextText(Answer == 0 ? std::nullopt : std::optional<QString>(QString::fromStdString(Taken)));
        TMessageBox::SetNextAnswer(Answer == 2 ? TMessageBox::Yes : TMessageBox::No);
        Click(In<QPushButton>(E, "IBEAntialiasButtonSave"));
        QCOMPARE(TMessageBox::Shown().size(), Answer == 0 ? 1 : 2);
        Archived.Refresh();
        QVERIFY(Archived.Locate({"ID"}, {Taken}));
        const int Now = P.ArchiveViews(ckOuterWall).Layers.RecordCount();
        QCOMPARE(Now, Answer == 2 ? 1 : ArchivedLayers);
        E->hide();
    }

    void TheFileHandlerOpensByNameAndAsksBeforeDroppingChanges() {
        TGuiApp A;
        A.Data().NewBuilding();
        QVERIFY(A.Data().SaveBuildingAs("Villa Solsidan"));
        auto& H = A.App.FileHandler();
        Click(A.Find<QToolButton>("IBEAntialiasButtonOpen"));
        QVERIFY(H.isVisible());
        auto* List = In<QListWidget>(&H, "ListBoxBuildings");
        QCOMPARE(List->count(), 1);
        QCOMPARE(List->item(0)->text(), QStringLiteral("Default"));
        H.reject();
        // Unsaved changes: the question, and No discards them.
        TypeInto(A.Find<TDBEdit>("DBEditTemp"), QStringLiteral("17"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonOpen"));
        TMessageBox::ClearShown();
        TMessageBox::SetNextAnswer(TMessageBox::No);
        TypeInto(In<QLineEdit>(&H, "EditName"), QStringLiteral("dEfAuLt"));
        QCOMPARE(TMessageBox::Shown(), QStringList{H.Messages.at(2) + QStringLiteral(" \"Villa Solsidan\"?")});
        QVERIFY(!H.isVisible());
        QCOMPARE(A.Buildings().FieldByName("ID").AsString(), std::string("Default"));
        A.Data().OpenBuilding("Villa Solsidan");
        QCOMPARE(A.Buildings().FieldByName("TEMPERATURE").AsFloat(), 21.0);
        // Save as: another building's name in other case is taken, the own name is not.
        Click(A.Find<QToolButton>("IBEAntialiasButtonOpen"));
        H.reject();
        A.Main().SaveCalcAsClick();
        TMessageBox::ClearShown();
        TypeInto(In<QLineEdit>(&H, "EditName"), QStringLiteral("DEFAULT"));
        QCOMPARE(TMessageBox::Shown(), QStringList{H.Messages.at(0)});
        QVERIFY(H.isVisible());
        TypeInto(In<QLineEdit>(&H, "EditName"), QString());
        QCOMPARE(TMessageBox::Shown().size(), 2); // an empty name is refused too
        TypeInto(In<QLineEdit>(&H, "EditName"), QStringLiteral("Villa Solsidan"));
        QVERIFY(!H.isVisible());
        QCOMPARE(TMessageBox::Shown().size(), 2);
    }

    void ABuildingThatCannotBeOpenedIsNamedAndTheDefaultComesBack() {
        TGuiApp A([](TDatabase& Db) {
            // A building without its months and foundation.
            Db.ExecScript("CREATE TEMP TABLE Copy AS SELECT * FROM Buildings WHERE ID = 'Default';"
                          "UPDATE Copy SET ID = 'Trasig'; INSERT INTO Buildings SELECT * FROM Copy;");
        });
        auto& H = A.App.FileHandler();
        Click(A.Find<QToolButton>("IBEAntialiasButtonOpen"));
        TMessageBox::ClearShown();
        TypeInto(In<QLineEdit>(&H, "EditName"), QStringLiteral("Trasig"));
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY(TMessageBox::Shown().first().contains(QStringLiteral("\"Trasig\"")));
        QVERIFY(!H.isVisible());
        QCOMPARE(A.Buildings().FieldByName("ID").AsString(), std::string("Default"));
        QVERIFY(A.Main().isVisible());
    }

    void AWholeBuildingMadeInTheWindowsCalculatesAsTheCommandLineDoes() {
        TGuiApp A;
        Click(A.Find<QToolButton>("IBEAntialiasButtonNew"));
        // An outer wall of three archived materials.
        auto* E = NewConstruction(A, "IBEAntialiasButtonNewOuterWall");
        for (int Row : {2, 5, 8}) {
            AddMaterial(E, Row);
        }
        TypeInto(In<TDBEdit>(E, "DBEditArea"), QStringLiteral("110,5"));
        In<QLineEdit>(E, "EditName")->setText(QStringLiteral("Yttervägg norr"));
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        QVERIFY(!E->isVisible());
        // A roof taken from the archive.
        Click(A.Find<QToolButton>("IBEAntialiasButtonSelectRoof"));
        auto* Archive = A.App.Dialogs().LayeredSelect;
        ClickRow(In<TDBGrid>(Archive, "DBGridComponent"), 1);
        Click(In<QPushButton>(Archive, "IBEAntialiasButtonOpen"));
        QVERIFY(!Archive->isVisible());
        QVERIFY(E->isVisible());
        TypeInto(In<TDBEdit>(E, "DBEditArea"), QStringLiteral("95"));
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        // A window facing south and a door.
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewWindow"));
        auto* W = A.App.Dialogs().WindowEdit;
        TypeInto(In<TDBEdit>(W, "DBEditArea"), QStringLiteral("12"));
        TypeInto(In<TDBEdit>(W, "DBEditUValue"), QStringLiteral("1.1"));
        TypeInto(In<TDBEdit>(W, "DBEditGValue"), QStringLiteral("0,5"));
        Choose(In<QComboBox>(W, "ComboBoxDirection"), 1);
        Click(In<QPushButton>(W, "IBEAntialiasButtonOk"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewDoor"));
        auto* Dr = A.App.Dialogs().DoorEdit;
        TypeInto(In<TDBEdit>(Dr, "DBEditArea"), QStringLiteral("2,1"));
        TypeInto(In<TDBEdit>(Dr, "DBEditUValue"), QStringLiteral("1.2"));
        Click(In<QPushButton>(Dr, "IBEAntialiasButtonOk"));
        // Foundation: vertical edge insulation, perimeter, a slab.
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(1);
        Choose(A.Find<QComboBox>("ComboBoxGroundType"), SlabVerticalInsulation);
        TypeInto(A.Find<TDBEdit>("DBEditPerimeter3"), QStringLiteral("44"));
        TypeInto(A.Find<TDBEdit>("DBEditInsuThickness3"), QStringLiteral("100"));
        TypeInto(A.Find<TDBEdit>("DBEditInsuDepth3"), QStringLiteral("600"));
        TypeInto(A.Find<TDBEdit>("DBEditWallCond3"), QStringLiteral("0,036"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonSelectSlabSlab3"));
        QVERIFY(Archive->isVisible());
        QCOMPARE(Archive->ComponentMode(), int(ckGroundSlab));
        // A row chosen and Enter pressed on the list opens it.
        ClickRow(In<TDBGrid>(Archive, "DBGridComponent"), 0);
        QTest::keyClick(In<TDBGrid>(Archive, "DBGridComponent"), Qt::Key_Return);
        QVERIFY2(E->isVisible(), qPrintable(TMessageBox::Shown().join('|')));
        QCOMPARE(E->ComponentMode(), int(ckGroundSlab));
        TypeInto(In<TDBEdit>(E, "DBEditArea"), QStringLiteral("120"));
        Click(In<QPushButton>(E, "IBEAntialiasButtonOk"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonCalc"));
        QCOMPARE(TMessageBox::Shown(), QStringList());
        QVERIFY(A.Data().IsCalculated());
        Click(A.Find<QToolButton>("IBEAntialiasButtonSave"));
        TypeInto(In<QLineEdit>(&A.App.FileHandler(), "EditName"), QStringLiteral("Testhus"));
        QCOMPARE(Text(A.Buildings(), "ID"), QStringLiteral("Testhus"));
        QVERIFY(!A.Data().IsModified());

        // Reopened, every value is there.
        A.Data().OpenBuilding("Default");
        Click(A.Find<QToolButton>("IBEAntialiasButtonOpen"));
        TypeInto(In<QLineEdit>(&A.App.FileHandler(), "EditName"), QStringLiteral("testhus"));
        QCOMPARE(Text(A.Buildings(), "ID"), QStringLiteral("Testhus"));
        QVERIFY(A.Data().IsCalculated());
        TDataset& Walls = A.Data().TableOuterWalls();
        QCOMPARE(Text(Walls, "ID"), QStringLiteral("Yttervägg norr"));
        QCOMPARE(Walls.FieldByName("AREA").AsFloat(), 110.5);
        QCOMPARE(A.Data().TableOuterWallLayers().RecordCount(), 3);
        QCOMPARE(A.Data().TableRoofs().FieldByName("AREA").AsFloat(), 95.0);
        QCOMPARE(A.Data().TableWindows().FieldByName("DIRECTION").AsInteger(), 1);
        QCOMPARE(A.Data().TableWindows().FieldByName("GVALUE").AsFloat(), 0.5);
        QCOMPARE(A.Data().TableDoors().FieldByName("AREA").AsFloat(), 2.1);
        QCOMPARE(Text(A.Data().TableGrounds(), "TYPE"), QStringLiteral("SlabVerticalInsulation"));
        QCOMPARE(A.Data().TableGrounds().FieldByName("PERIMETER").AsFloat(), 44.0);
        QCOMPARE(A.Data().TableGroundSlabs().FieldByName("AREA").AsFloat(), 120.0);
        QCOMPARE(A.Find<TDBEdit>("DBEditPerimeter3")->text(), QStringLiteral("44"));

        // The command-line tool calculates a copy to the same stored rows.
        const std::string Copy = (A.Folder.Root / "copy.s3db").string();
        A.Data().Database().Exec("VACUUM INTO '" + Copy + "'");
        const nlohmann::json Stored = Show(A.Folder.Database(), "Testhus");
        std::ostringstream Out, Err;
        QCOMPARE(cli::Main({"--db", Copy, "calc", "Testhus"}, Out, Err), 0);
        const nlohmann::json Again = Show(Copy, "Testhus");
        QVERIFY(Stored["Buildings"]["HEATUSAGE"].get<double>() > 0);
        for (const char* Part : {"Buildings", "Months", "LayeredComponents", "Layers", "Windows", "Doors", "Grounds"}) {
            QVERIFY2(Stored[Part] == Again[Part], Part);
        }
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestEditors T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Editors.moc"
