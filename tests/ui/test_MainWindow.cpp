// What a user of the main window notices: the state display after a
// calculation and an edit, the ventilation panels, the inputs that the
// default-value choices lock, the commands and their questions, the
// foundation pages, refused input and the general error report.
#include "GuiTestSupport.h"

#include "data/UnitPreDefData.h"
#include "ui/DirectionList.h"
#include "ui/EnergyPanel.h"
#include "ui/UnitFileHandler.h"
#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"

#include <QLabel>

#include <fstream>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

using namespace bvtest;

namespace {

void Click(QWidget* W) { QTest::mouseClick(W, Qt::LeftButton); }

double Number(TDataset& D, const char* Column) { return D.FieldByName(Column).AsFloat(); }

// A construction of the kind taken from the archive, with an area.
void AddConstruction(TGuiApp& A, int Kind, double Area) {
    A.Data().TakeComponentFromArchive(Kind);
    TDataset& C = A.Data().ComponentView(Kind);
    C.Edit();
    C.FieldByName("AREA").SetFloat(Area);
    C.Post();
}

bool PanelsCurrent(TGuiApp& A, bool Current) {
    const QColor Want = Current ? TEnergyPanel::Navy() : TEnergyPanel::Red();
    for (const char* Name : {"PanelEnergyUsage1", "PanelEnergyUsage2", "PanelEnergyUsage3"}) {
        auto* P = A.Find<TEnergyPanel>(Name);
        if (P->IsCurrent() != Current || P->Value()->palette().color(QPalette::WindowText) != Want ||
            P->Unit()->palette().color(QPalette::WindowText) != Want) {
            return false;
        }
    }
    auto* Tabs = A.Find<QTabWidget>("PageControlMain");
    return Tabs->tabBar()->tabTextColor(3) == Want;
}

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void CalculateMakesTheResultsCurrentAndAnEditOutdatesThem() {
        TGuiApp A;
        AddConstruction(A, ckOuterWall, 120);
        AddConstruction(A, ckRoof, 100);
        auto* Calc = A.Find<QToolButton>("IBEAntialiasButtonCalc");
        QVERIFY(PanelsCurrent(A, false));
        Click(Calc);
        QCOMPARE(TMessageBox::Shown(), QStringList());
        QVERIFY(A.Data().IsCalculated());
        QVERIFY(PanelsCurrent(A, true));
        QVERIFY(!Calc->isEnabled());
        QVERIFY(A.Find<QLabel>("LabelCalculated")->isVisible());
        QVERIFY(!A.Find<QLabel>("LabelNotCalculated")->isVisible());
        // The headline and the result page show the stored yearly demand.
        const double Heat = Number(A.Buildings(), "HEATUSAGE");
        QVERIFY(Heat > 0);
        QCOMPARE(A.Find<TEnergyPanel>("PanelEnergyUsage1")->Value()->text(), QString::number(std::lround(Heat)));
        QCOMPARE(A.Find<TDBText>("DBTextHEATUSAGE")->text(), QString::number(std::lround(Heat)));

        TypeInto(A.Find<TDBEdit>("DBEditArea"), QStringLiteral("200"));
        QCOMPARE(Number(A.Buildings(), "AREA"), 200.0);
        QVERIFY(!A.Data().IsCalculated());
        QVERIFY(PanelsCurrent(A, false));
        QVERIFY(Calc->isEnabled());
        QVERIFY(A.Find<QLabel>("LabelNotCalculated")->isVisible());
    }

    void EachVentilationTypeShowsItsPanels_data() {
        QTest::addColumn<int>("Type");
        QTest::addColumn<bool>("Simple");
        QTest::addColumn<bool>("Aeric");
        QTest::addColumn<bool>("Volumetric");
        QTest::addColumn<bool>("Advanced");
        QTest::newRow("simple") << 0 << true << false << false << false;
        QTest::newRow("P50") << 1 << false << true << false << true;
        QTest::newRow("N50") << 2 << false << false << true << true;
    }
    void EachVentilationTypeShowsItsPanels() {
        QFETCH(int, Type);
        TGuiApp A;
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(2);
        auto* Combo = A.Find<QComboBox>("ComboBoxVentType");
        // Pass through another type first, so that each case really switches.
        Choose(Combo, (Type + 1) % 3);
        Choose(Combo, Type);
        QCOMPARE(A.Buildings().FieldByName("VENTTYPE").AsInteger(), Type);
        QCOMPARE(Combo->currentIndex(), Type);
        const auto Shown = [&](const char* Name) {
            QWidget* P = A.Find<QWidget>(Name);
            return P->isVisible() && P->isEnabled();
        };
        QTEST(Shown("PanelSimpleVentilation"), "Simple");
        QTEST(Shown("PanelAericInf"), "Aeric");
        QTEST(Shown("PanelVolumetricInf"), "Volumetric");
        QTEST(Shown("PanelAdvancedVent"), "Advanced");
    }

    void AChosenAirChangeClassLocksTheFlows() {
        TGuiApp A;
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(2);
        Choose(A.Find<QComboBox>("ComboBoxVentType"), 1);
        auto* Class = A.Find<TDBLookupComboBox>("DBLookupComboBoxAirChangePredef");
        const int Own = Class->findText(QStringLiteral("Eget värde"));
        QVERIFY(Own >= 0);
        const char* Locked[] = {"DBEditVSup", "DBEditVex", "DBEditVsupLSek", "DBEditVexLSek", "DBEditVsupLArea",
                                "DBEditVexLArea", "ComboBoxVentUnit"};
        Choose(Class, Own);
        QCOMPARE(A.Buildings().FieldByName("AIRCHANGEIDNO").AsInteger(), -1);
        for (const char* Name : Locked) {
            QVERIFY2(A.Find<QWidget>(Name)->isEnabled(), Name);
        }
        Choose(Class, Own == 0 ? 1 : 0);
        QVERIFY(A.Buildings().FieldByName("AIRCHANGEIDNO").AsInteger() >= 0);
        for (const char* Name : Locked) {
            QVERIFY2(!A.Find<QWidget>(Name)->isEnabled(), Name);
        }
        // The flow unit switches the visible pair of flow edits.
        Choose(A.Find<QComboBox>("ComboBoxVentUnit"), 0);
        QVERIFY(A.Find<QWidget>("Panelm3vent")->isVisible());
    }

    void ActivityKeyZeroLeavesTheGainsOpen() {
        TGuiApp A([](TDatabase& Db) { Db.Exec("UPDATE Buildings SET INTGAINSDEF = 0, INTGAINUNIT = 0"); });
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(2);
        const char* Gains[] = {"DBEditHeatGainUndef", "DBEditHeatGainMetabolic", "DBEditHeatGainAppliances",
                               "DBEditHeatGainLighting", "ComboBoxIntGainUnit"};
        for (const char* Name : Gains) {
            QVERIFY2(A.Find<QWidget>(Name)->isEnabled(), Name);
        }
        QVERIFY(A.Find<QWidget>("PanelIntGains")->isVisible());
        auto* Activity = A.Find<TDBLookupComboBox>("DBLookupComboBoxIntGainsPreDef");
        Choose(Activity, Activity->findText(QStringLiteral("Kontor"), Qt::MatchStartsWith));
        QCOMPARE(A.Buildings().FieldByName("INTGAINSDEF").AsInteger(), 23);
        for (const char* Name : Gains) {
            QVERIFY2(!A.Find<QWidget>(Name)->isEnabled(), Name);
        }
    }

    void SavingANewBuildingAsksForItsName() {
        TGuiApp A;
        Click(A.Find<QToolButton>("IBEAntialiasButtonNew"));
        QVERIFY(A.Data().IsNewBuilding());
        const QString Temporary = QString::fromStdString(A.Buildings().FieldByName("ID").AsString());
        QVERIFY(Temporary != QLatin1String("Default"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonSave"));
        auto& Handler = A.App.FileHandler();
        QVERIFY(Handler.isVisible());
        QCOMPARE(Handler.Mode(), TFormFileHandler::SaveAs);
        auto* Name = Handler.findChild<QLineEdit*>(QStringLiteral("EditName"));
        QCOMPARE(Name->text(), Temporary);
        // The list leaves out the building being saved.
        auto* List = Handler.findChild<QListWidget*>(QStringLiteral("ListBoxBuildings"));
        QCOMPARE(List->count(), 1);
        QCOMPARE(List->item(0)->text(), QStringLiteral("Default"));
        // A name of another building (case ignored) is refused; the dialog stays.
        TypeInto(Name, QStringLiteral("DEFAULT"));
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY(Handler.isVisible());
        TypeInto(Name, QStringLiteral("Villa Ekbacken"));
        QVERIFY(!Handler.isVisible());
        QCOMPARE(A.Buildings().FieldByName("ID").AsString(), std::string("Villa Ekbacken"));
        QVERIFY(!A.Data().IsNewBuilding());
        QCOMPARE(A.Find<QLabel>("DBTextBuildingName")->text(), QStringLiteral("Villa Ekbacken"));
        // No trace of the temporary name.
        TDataset& B = A.Buildings();
        QCOMPARE(B.RecordCount(), 2);
        QVERIFY(!B.Locate({"ID"}, {Temporary.toStdString()}));
    }

    void TheDefaultBuildingCannotBeDeleted() {
        TGuiApp A;
        Click(A.Find<QToolButton>("IBEAntialiasButtonDelete"));
        QCOMPARE(TMessageBox::Shown(), QStringList{A.Main().Messages.at(2)});
        QCOMPARE(A.Buildings().RecordCount(), 1);
        QCOMPARE(A.Buildings().FieldByName("ID").AsString(), std::string("Default"));
    }

    void DeletingAnotherBuildingAsksAndReturnsToTheDefault() {
        TGuiApp A;
        A.Data().NewBuilding();
        QVERIFY(A.Data().SaveBuildingAs("Att ta bort"));
        TMessageBox::SetNextAnswer(TMessageBox::No);
        Click(A.Find<QToolButton>("IBEAntialiasButtonDelete"));
        QCOMPARE(A.Buildings().RecordCount(), 2);
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        Click(A.Find<QToolButton>("IBEAntialiasButtonDelete"));
        QCOMPARE(TMessageBox::Shown(), (QStringList{A.Main().Messages.at(1), A.Main().Messages.at(1)}));
        QCOMPARE(A.Buildings().RecordCount(), 1);
        QCOMPARE(A.Buildings().FieldByName("ID").AsString(), std::string("Default"));
    }

    void ComponentButtonsAddAndRemoveRows() {
        TGuiApp A;
        auto* Grid = A.Find<TDBGrid>("DBGridOuterWalls");
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewOuterWall"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewOuterWall"));
        QCOMPARE(Grid->model()->rowCount(), 2);
        QCOMPARE(A.Data().TableOuterWalls().RecordCount(), 2);
        // The selected row is the current construction.
        Grid->selectRow(0);
        QCOMPARE(A.Data().TableOuterWalls().RecNo(), 1);
        const std::string First = A.Data().TableOuterWalls().FieldByName("ID").AsString();
        Click(A.Find<QToolButton>("IBEAntialiasButtonDeleteOuterWall"));
        QCOMPARE(Grid->model()->rowCount(), 1);
        QVERIFY(A.Data().TableOuterWalls().FieldByName("ID").AsString() != First);
        Click(A.Find<QToolButton>("IBEAntialiasButtonDeleteOuterWall"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonDeleteOuterWall")); // empty: nothing happens
        QCOMPARE(Grid->model()->rowCount(), 0);
        QCOMPARE(TMessageBox::Shown(), QStringList());
    }

    void TheWindowGridNamesTheDirection() {
        TGuiApp A;
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewWindow"));
        TDataset& W = A.Data().TableWindows();
        auto* Model = &A.Find<TDBGrid>("DBGridWindows")->Model();
        const auto SetDirection = [&W](int D) {
            W.Edit();
            W.FieldByName("DIRECTION").SetInteger(D);
            W.Post();
        };
        const QString Saved = WindowDirectionItems()[2];
        WindowDirectionItems()[2] = QStringLiteral("Västerut");
        SetDirection(2);
        QCOMPARE(Model->index(0, 6).data().toString(), QStringLiteral("Västerut"));
        WindowDirectionItems()[2] = Saved;
        // Outside the list the grid shows the row's own text.
        SetDirection(7);
        QCOMPARE(Model->index(0, 6).data().toString(), QString::fromStdString(W.FieldByName("DIRECTIONSTR").AsString()));
    }

    void PickingAFoundationKindShowsItsPageAndClearsTheOldConstructions() {
        TGuiApp A;
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(1);
        auto* Kinds = A.Find<QComboBox>("ComboBoxGroundType");
        auto* Pages = A.Find<QStackedWidget>("PageControlGrounds");
        QCOMPARE(Pages->currentIndex(), static_cast<int>(Slab));
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewSlabSlab1"));
        QCOMPARE(A.Find<TDBGrid>("DBGridSlab1")->model()->rowCount(), 1);
        Choose(Kinds, SuspendedFloor);
        QCOMPARE(Pages->currentIndex(), static_cast<int>(SuspendedFloor));
        QCOMPARE(Pages->currentWidget()->objectName(), QStringLiteral("TabSheetSuspendedFloor"));
        QCOMPARE(A.Data().TableGrounds().FieldByName("TYPE").AsString(), std::string("SuspendedFloor"));
        QCOMPARE(A.Data().TableGroundSlabs().RecordCount(), 0);
        // The same kind again clears its constructions too.
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewFloor5"));
        Click(A.Find<QToolButton>("IBEAntialiasButtonNewWall5"));
        QCOMPARE(A.Find<TDBGrid>("DBGridFloor5")->model()->rowCount(), 1);
        Choose(Kinds, SuspendedFloor);
        QCOMPARE(A.Data().TableGroundFloors().RecordCount(), 0);
        QCOMPARE(A.Data().TableGroundWalls().RecordCount(), 0);
        QCOMPARE(Kinds->currentIndex(), static_cast<int>(SuspendedFloor));
    }

    void TheFoundationListOffersTheEightNationalKinds() {
        TGuiApp A;
        auto* Kinds = A.Find<QComboBox>("ComboBoxGroundType");
        QStringList Items;
        for (int I = 0; I < Kinds->count(); ++I) {
            Items << Kinds->itemText(I);
        }
        QCOMPARE(Items, A.Main().GroundTypeCaptions.mid(0, 8));
        QCOMPARE(Items.first(), QStringLiteral("ISO Platta på mark utan kantisolering"));
        QCOMPARE(Items.last(), QStringLiteral("ALBA Kryprumsgrund"));
        QCOMPARE(A.Find<QStackedWidget>("PageControlGrounds")->count(), 12);
    }

    void AFinnishFoundationShowsItsPageAndLists() {
        TGuiApp A([](TDatabase& Db) {
            Db.Exec("UPDATE Grounds SET TYPE = 'FinlandVertical1', SPECIALVAR1 = 3, SPECIALVAR2 = 1");
        });
        auto* Pages = A.Find<QStackedWidget>("PageControlGrounds");
        QCOMPARE(Pages->currentIndex(), static_cast<int>(FinlandVertical1));
        QCOMPARE(A.Find<QComboBox>("ComboBoxGroundType")->currentIndex(), -1);
        auto* Wall = A.Find<QComboBox>("ComboBoxWallthickness9");
        QCOMPARE(Wall->currentText(), QStringLiteral("290"));
        QCOMPARE(A.Find<QComboBox>("ComboBoxThickness9")->currentText(), QStringLiteral("100"));
        // The list stores the position of the chosen thickness.
        Choose(Wall, 5);
        QCOMPARE(A.Data().TableGrounds().FieldByName("SPECIALVAR1").AsInteger(), 5);
        QCOMPARE(A.Data().TableGrounds().State(), TDatasetState::Browse);
    }

    void AFoundationKindOutsideTheListsLeavesPageAndComboAlone() {
        TGuiApp A([](TDatabase& Db) { Db.Exec("UPDATE Grounds SET TYPE = 'Okänd'"); });
        QCOMPARE(A.Find<QStackedWidget>("PageControlGrounds")->currentIndex(), 0);
        QCOMPARE(A.Find<QComboBox>("ComboBoxGroundType")->currentIndex(), -1);
        QCOMPARE(TMessageBox::Shown(), QStringList());
    }

    void TypedNumbers_data() {
        QTest::addColumn<QString>("Typed");
        QTest::addColumn<double>("Stored");
        QTest::addColumn<bool>("Refused");
        QTest::newRow("comma") << "12,5" << 12.5 << false;
        QTest::newRow("point") << "12.5" << 12.5 << false;
        QTest::newRow("blanks") << " 180 " << 180.0 << false;
        QTest::newRow("text") << "abc" << 150.0 << true;
        QTest::newRow("two separators") << "1,234.5" << 150.0 << true;
        QTest::newRow("empty") << "" << 150.0 << true;
    }
    void TypedNumbers() {
        QFETCH(QString, Typed);
        QFETCH(double, Stored);
        QFETCH(bool, Refused);
        TGuiApp A;
        auto* Area = A.Find<TDBEdit>("DBEditArea");
        QCOMPARE(Area->text(), QStringLiteral("150"));
        TypeInto(Area, Typed);
        QCOMPARE(Number(A.Buildings(), "AREA"), Stored);
        QCOMPARE(A.Buildings().State(), TDatasetState::Browse);
        QCOMPARE(A.Data().IsModified(), !Refused);
        if (Refused) {
            QCOMPARE(TMessageBox::Shown().size(), 1);
            QVERIFY(TMessageBox::Shown().first().contains(QStringLiteral("\"Bruksarea\"")));
            QCOMPARE(Area->text(), QStringLiteral("150"));
        } else {
            QCOMPARE(TMessageBox::Shown(), QStringList());
            QCOMPARE(Area->text(), QLocale().toString(Stored, 'f', QLocale::FloatingPointShortest));
        }
    }

    void AnExceptionInAHandlerIsShownAndTheWindowGoesOn() {
        TGuiApp A;
        // Without its template a new building cannot be made.
        A.Data().SetTemplateBuildingName("Mall som saknas");
        Click(A.Find<QToolButton>("IBEAntialiasButtonNew"));
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QCOMPARE(A.Buildings().FieldByName("ID").AsString(), std::string("Default"));
        QCOMPARE(A.Buildings().RecordCount(), 1);
        // The window still works.
        TypeInto(A.Find<TDBEdit>("DBEditTemp"), QStringLiteral("20"));
        QCOMPARE(Number(A.Buildings(), "TEMPERATURE"), 20.0);
    }

    void ClosingAfterAFacadeChangeAsksToSave() {
        TGuiApp A;
        A.Find<QTabWidget>("PageControlMain")->setCurrentIndex(2);
        Choose(A.Find<QComboBox>("ComboBoxFacades"), 1);
        QVERIFY(A.Data().IsModified());
        TMessageBox::SetNextAnswer(TMessageBox::No);
        A.Main().close();
        QCOMPARE(TMessageBox::Shown(), QStringList{A.Main().Messages.at(0)});
        QCOMPARE(A.Buildings().FieldByName("FACADES").AsInteger(), 0);
        QVERIFY(!A.Data().IsModified());
    }

    void AnUnusableDatabaseStopsTheStartWithAdvice_data() {
        QTest::addColumn<int>("Case");
        QTest::addColumn<QString>("Says");
        QTest::newRow("no data folder") << 0 << "datamappen finns inte";
        QTest::newRow("no database") << 1 << "does not exist";
        QTest::newRow("not a database") << 2 << "bvdb.s3db";
        QTest::newRow("tables missing") << 3 << "lacks the table";
        QTest::newRow("no default building") << 4 << "\"Default\"";
    }
    void AnUnusableDatabaseStopsTheStartWithAdvice() {
        QFETCH(int, Case);
        TTempDataFolder Folder;
        const std::string Db = Folder.Database();
        switch (Case) {
        case 0:
            fs::remove_all(Folder.Folder);
            TMessageBox::SetNextAnswer(TMessageBox::No); // create it?
            break;
        case 1:
            TMessageBox::SetNextAnswer(TMessageBox::No);
            break;
        case 2: {
            std::ofstream(Db) << "dies ist keine Datenbank, sondern Text";
            break;
        }
        case 3:
            TDatabase::Create(Db)->Exec("CREATE TABLE Buildings (ID TEXT)");
            break;
        case 4:
            CreateDatabase(Db, ArchiveScripts());
            TDatabase::Open(Db)->Exec("DELETE FROM Buildings");
            break;
        }
        TBraskvalla App;
        QString Error;
        QVERIFY(!App.Start(Error));
        QVERIFY2(Error.contains(QStringLiteral("braskvalla-cli install-data")), qPrintable(Error));
        QVERIFY2(Error.contains(QString::fromStdString(Folder.Folder.string())), qPrintable(Error));
        QFETCH(QString, Says);
        QVERIFY2(Error.contains(Says), qPrintable(Error));
    }

    void NewAsksToSaveAModifiedBuilding() {
        TGuiApp A;
        TypeInto(A.Find<TDBEdit>("DBEditTemp"), QStringLiteral("19"));
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        Click(A.Find<QToolButton>("IBEAntialiasButtonNew"));
        QCOMPARE(TMessageBox::Shown(), QStringList{A.Main().Messages.at(3) + QStringLiteral(" \"Default\"?")});
        QVERIFY(A.Data().IsNewBuilding());
        // The answer Yes kept the edit in the template.
        A.Data().OpenBuilding("Default");
        QCOMPARE(Number(A.Buildings(), "TEMPERATURE"), 19.0);
    }

    // The result page lists what is probably wrong as the inputs change and
    // drops it once the input is put right.
    void ThePlausibilityPanelFollowsTheInputs() {
        TGuiApp A;
        auto* Tabs = A.Find<QTabWidget>("PageControlMain");
        auto* Panel = A.Find<QWidget>("PanelWarnings");
        auto* List = A.Find<QListWidget>("ListWarnings");
        QApplication::processEvents();
        // The template has no envelope yet.
        QCOMPARE(List->count(), 2);
        QVERIFY(!Panel->isHidden());
        QVERIFY(!Tabs->tabIcon(3).isNull());
        AddConstruction(A, ckOuterWall, 120);
        AddConstruction(A, ckRoof, 100);
        QApplication::processEvents();
        QVERIFY(Panel->isHidden());
        QVERIFY(Tabs->tabIcon(3).isNull());

        Tabs->setCurrentIndex(2);
        TypeInto(A.Find<TDBEdit>("DBEditTemp"), QStringLiteral("4,5"));
        QApplication::processEvents();
        Tabs->setCurrentIndex(3);
        QVERIFY(Panel->isVisible());
        QCOMPARE(List->count(), 1);
        QCOMPARE(List->item(0)->text(), QStringLiteral("Byggnad: Innetemperaturen är 4,5 °C; rimligt är 10–30 °C."));
        QVERIFY(!List->item(0)->icon().isNull());
        QVERIFY(!Tabs->tabIcon(3).isNull());
        // A warning never stops the calculation.
        Click(A.Find<QToolButton>("IBEAntialiasButtonCalc"));
        QCOMPARE(TMessageBox::Shown(), QStringList());
        QVERIFY(A.Data().IsCalculated());

        Tabs->setCurrentIndex(2);
        TypeInto(A.Find<TDBEdit>("DBEditTemp"), QStringLiteral("21"));
        QApplication::processEvents();
        QVERIFY(Panel->isHidden());
        QCOMPARE(List->count(), 0);
        QVERIFY(Tabs->tabIcon(3).isNull());
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestMainWindow T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_MainWindow.moc"
