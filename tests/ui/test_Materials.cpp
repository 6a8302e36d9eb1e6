// The material manager on its own connection: a new row with its defaults,
// post, cancel, delete, refused values, and material files exported and
// imported through its dialogs with each answer of the question.
#include "GuiTestSupport.h"

#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"
#include "ui/materials/UnitExportMaterial.h"
#include "ui/materials/UnitMaterialManager.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>

using namespace bvtest;

namespace {

template <class T> T* In(QWidget* Dialog, const char* Name) { return TGuiApp::FindIn<T>(Dialog, Name); }

struct TManagerApp : TGuiApp {
    TFormMaterialManager* M;
    TManagerApp() : M(App.Dialogs().MaterialManager) {
        Main().Material1Click();
        TMessageBox::ClearShown();
    }
    void Trigger(const char* Action) { M->findChild<QAction*>(QString::fromLatin1(Action))->trigger(); }
    int Count(const std::string& Where) const {
        TQuery Q(M->Database(), "SELECT COUNT(*) FROM LayersPreDef WHERE " + Where);
        Q.Open();
        return static_cast<int>(Q.Fields()[0]->AsInteger());
    }
    double Stored(const std::string& ID, const char* Column) const {
        TQuery Q(M->Database(), std::string("SELECT ") + Column + " FROM LayersPreDef WHERE ID = ?");
        Q.SetParam(1, ID);
        Q.Open();
        return Q.Fields()[0]->AsFloat();
    }
    std::string FirstName() const { return M->Materials().FieldByName("ID").AsString(); }
};

class TestMaterials : public QObject {
    Q_OBJECT
private slots:
    void ANewMaterialStartsFromItsDefaultsAndIsPostedWhole() {
        TManagerApp A;
        const int Before = A.M->Materials().RecordCount();
        A.Trigger("ActionInsert");
        TDataset& T = A.M->Materials();
        QCOMPARE(T.State(), TDatasetState::Insert);
        QCOMPARE(T.FieldByName("ID").AsString(), std::string("Nytt material"));
        QVERIFY(T.FieldByName("OUTERWALL").AsBoolean());
        QVERIFY(T.FieldByName("GROUNDSLAB").AsBoolean());
        QVERIFY(!T.FieldByName("SOIL").AsBoolean());
        QVERIFY(!T.FieldByName("LOCKEDDEPTH").AsBoolean());
        QCOMPARE(A.M->focusWidget(), In<QWidget>(A.M, "DBEditName"));
        // Posting before the numbers are given says what is missing, and
        // so does moving to another row.
        A.Trigger("ActionPost");
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QCOMPARE(T.State(), TDatasetState::Insert);
        auto* Grid = In<TDBGrid>(A.M, "DBGridMaterials");
        QApplication::processEvents();
        QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Grid->visualRect(Grid->model()->index(0, 0)).center());
        QCOMPARE(TMessageBox::Shown().size(), 2);
        QVERIFY2(TMessageBox::Shown().last().startsWith(QStringLiteral("Materialet kan inte sparas: ange")),
                 qPrintable(TMessageBox::Shown().last()));
        QCOMPARE(T.State(), TDatasetState::Insert);
        TypeInto(In<TDBEdit>(A.M, "DBEditName"), QStringLiteral("Hampafiber"));
        TypeInto(In<TDBEdit>(A.M, "DBEditThermCond"), QStringLiteral("0,04"));
        TypeInto(In<TDBEdit>(A.M, "DBEditSpecCap"), QStringLiteral("1600"));
        TypeInto(In<TDBEdit>(A.M, "DBEditDensity"), QStringLiteral("40"));
        TypeInto(In<TDBEdit>(A.M, "DBEditDepth"), QStringLiteral("0"));
        QTest::mouseClick(In<TDBCheckBox>(A.M, "DBCheckBoxSOIL"), Qt::LeftButton);
        A.Trigger("ActionPost");
        QCOMPARE(T.State(), TDatasetState::Browse);
        QCOMPARE(T.RecordCount(), Before + 1);
        QCOMPARE(A.Stored("Hampafiber", "THERMCOND"), 0.04);
        QCOMPARE(A.Count("ID = 'Hampafiber' AND SOIL = 'Y' AND OUTERWALL = 'Y'"), 1);
    }

    void RefusedValuesNameTheColumnAndKeepTheRow_data() {
        QTest::addColumn<QByteArray>("Edit");
        QTest::addColumn<QString>("Typed");
        QTest::newRow("negative conductivity") << QByteArray("DBEditThermCond") << "-0.5";
        QTest::newRow("zero density") << QByteArray("DBEditDensity") << "0";
        QTest::newRow("zero heat capacity") << QByteArray("DBEditSpecCap") << "0";
        QTest::newRow("negative thickness") << QByteArray("DBEditDepth") << "-10";
    }
    void RefusedValuesNameTheColumnAndKeepTheRow() {
        QFETCH(QByteArray, Edit);
        QFETCH(QString, Typed);
        TManagerApp A;
        auto* E = In<TDBEdit>(A.M, Edit.constData());
        const std::string Name = A.FirstName();
        const QString Shown = E->text();
        TypeInto(E, Typed);
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY2(TMessageBox::Shown().first().contains(E->Link().Caption()), qPrintable(TMessageBox::Shown().first()));
        QCOMPARE(E->text(), Shown);
        A.M->accept();
        QVERIFY(!A.M->isVisible());
        QCOMPARE(QString::number(A.Stored(Name, E->Link().Field().c_str())), QLocale::c().toString(Shown.toDouble()));
    }

    void CancelRestoresAndDeleteAsks() {
        TManagerApp A;
        const std::string Name = A.FirstName();
        const double Lambda = A.Stored(Name, "THERMCOND");
        TypeInto(In<TDBEdit>(A.M, "DBEditThermCond"), QStringLiteral("9,5"));
        QCOMPARE(A.M->Materials().State(), TDatasetState::Edit);
        A.Trigger("ActionCancel");
        QCOMPARE(A.M->Materials().FieldByName("THERMCOND").AsFloat(), Lambda);
        QCOMPARE(In<TDBEdit>(A.M, "DBEditThermCond")->text(), QLocale().toString(Lambda, 'f', QLocale::FloatingPointShortest));
        TMessageBox::SetNextAnswer(TMessageBox::No);
        A.Trigger("ActionDelete");
        QCOMPARE(A.Count("ID = '" + Name + "'"), 1);
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        A.Trigger("ActionDelete");
        QCOMPARE(A.Count("ID = '" + Name + "'"), 0);
        // A pending edit is posted when the manager closes.
        TypeInto(In<TDBEdit>(A.M, "DBEditSpecCap"), QStringLiteral("1234"));
        const std::string Other = A.FirstName();
        A.M->accept();
        QCOMPARE(A.Stored(Other, "SPECCAP"), 1234.0);
    }

    void ExportedMaterialsComeBackWithEachAnswer_data() {
        QTest::addColumn<QString>("Button");
        QTest::addColumn<QString>("Rename");
        QTest::addColumn<bool>("Overwritten"); // the exported values are back
        QTest::addColumn<int>("Added");        // new rows
        QTest::newRow("yes") << "ButtonYes" << "" << true << 0;
        QTest::newRow("no") << "ButtonNo" << "" << false << 0;
        QTest::newRow("rename") << "ButtonRename" << "Kopia" << false << 1;
        QTest::newRow("cancel") << "ButtonCancel" << "" << false << 0;
    }
    void ExportedMaterialsComeBackWithEachAnswer() {
        QFETCH(QString, Button);
        QFETCH(QString, Rename);
        TManagerApp A;
        const std::string Name = A.FirstName();
        const double Lambda = A.Stored(Name, "THERMCOND");
        // Export the first material through the export dialog.
        auto* E = &A.M->ExportDialog();
        A.M->ExportClick();
        auto* Available = In<QListWidget>(E, "StringGridUnSelected");
        const QList<QListWidgetItem*> Found = Available->findItems(QString::fromStdString(Name), Qt::MatchExactly);
        QCOMPARE(Found.size(), 1);
        emit Available->itemDoubleClicked(Found.first());
        const QString File = QString::fromStdString((A.Folder.Root / "one.bmf").string());
        TMessageBox::SetNextFile(File);
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonSave"), Qt::LeftButton);
        QTest::mouseClick(In<QPushButton>(E, "IBEAntialiasButtonOk"), Qt::LeftButton);
        QVERIFY(QFile::exists(File));
        // Change it, then import the file with the answer.
        A.M->Database().Exec("UPDATE LayersPreDef SET THERMCOND = 7 WHERE ID = '" + Name + "'");
        const int Before = A.Count("1 = 1");
        const std::string Pressed = Button.toStdString();
        TMessageBox::SetNextDialogAction([Pressed](QDialog& D) {
            QTest::mouseClick(In<QPushButton>(&D, Pressed.c_str()), Qt::LeftButton);
        });
        if (!Rename.isEmpty()) {
            TMessageBox::SetNextText(Rename);
        }
        TMessageBox::SetNextFile(File);
        A.M->ImportClick();
        QTEST(A.Stored(Name, "THERMCOND") == Lambda, "Overwritten");
        QVERIFY(A.Stored(Name, "THERMCOND") == Lambda || A.Stored(Name, "THERMCOND") == 7.0);
        QTEST(A.Count("1 = 1") - Before, "Added");
        if (!Rename.isEmpty()) {
            QCOMPARE(A.Stored(Rename.toStdString(), "THERMCOND"), Lambda);
        }
        // A name that differs only in letter case is a new material: no question.
        A.M->Database().Exec("UPDATE LayersPreDef SET ID = upper(ID) WHERE ID = '" + Name + "'");
        TMessageBox::ClearShown();
        TMessageBox::SetNextFile(File);
        A.M->ImportClick();
        QCOMPARE(TMessageBox::Shown(), QStringList());
        QCOMPARE(A.Count("ID = '" + Name + "'"), 1);
        A.M->accept();
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestMaterials T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Materials.moc"
