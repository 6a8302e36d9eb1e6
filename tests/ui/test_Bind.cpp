// The data-aware layer on a table of its own: the table model under Qt's
// model checker, the grid's selection and the view's current row moving each
// other, numbers in and out, and what a bound edit does with input the row
// refuses.
#include "GuiTestSupport.h"

#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"
#include "ui/bind/DataSource.h"
#include "ui/bind/FieldFormat.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>

using namespace bvtest;

namespace {

// A table called Buildings, so that its columns get the display formats and
// ranges of the real one; a trigger refuses areas over 1000 when posted.
struct TSmallDb {
    TTempDataFolder Folder;
    std::unique_ptr<TDatabase> Db;
    std::unique_ptr<TDataset> View;
    TSmallDb() {
        Db = TDatabase::Create(Folder.Database());
        Db->ExecScript(R"(
            CREATE TABLE Buildings (ID VARCHAR(10) NOT NULL, AREA FLOAT NOT NULL DEFAULT 0,
                                    UVALUE FLOAT, INTPUNDEFW FLOAT, N INTEGER);
            CREATE TRIGGER RefuseHuge BEFORE UPDATE ON Buildings WHEN NEW.AREA > 1000
                BEGIN SELECT RAISE(ABORT, 'too big'); END;
            INSERT INTO Buildings VALUES ('A', 10, 0.12345, 0, 1), ('B', 20, 1.5, 0, 2), ('C', 30, 2, 0, 3);
        )");
        View = std::make_unique<TDataset>(*Db, "Buildings");
        View->SetOrderBy("ID");
        View->Open();
    }
};

class TestBind : public QObject {
    Q_OBJECT
private slots:
    void ParseNumber_data() {
        QTest::addColumn<QString>("Text");
        QTest::addColumn<bool>("Valid");
        QTest::addColumn<double>("Value");
        QTest::newRow("comma") << "2,75" << true << 2.75;
        QTest::newRow("point") << "2.75" << true << 2.75;
        QTest::newRow("blanks") << "  -4 " << true << -4.0;
        QTest::newRow("unicode minus") << QString(QChar(0x2212)) + "4,5" << true << -4.5;
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("group and decimal") << "1,234.5" << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("letters") << "12a" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("infinite") << "1e999" << false << 0.0;
    }
    void ParseNumber() {
        QFETCH(QString, Text);
        QFETCH(bool, Valid);
        const std::optional<double> V = ::ParseNumber(Text);
        QCOMPARE(V.has_value(), Valid);
        if (Valid) {
            QTEST(*V, "Value");
        }
    }

    void FormatNumberFollowsTheLocaleAndTheFormat_data() {
        QTest::addColumn<double>("Value");
        QTest::addColumn<int>("Kind");
        QTest::addColumn<int>("Decimals");
        QTest::addColumn<QString>("C");
        QTest::addColumn<QString>("Swedish");
        QTest::newRow("general") << 0.1 << int(TDisplayFormat::General) << 0 << "0.1" << "0,1";
        QTest::newRow("fixed 2") << 0.3 << int(TDisplayFormat::Fixed) << 2 << "0.30" << "0,30";
        QTest::newRow("up to 3") << 1.5 << int(TDisplayFormat::UpTo) << 3 << "1.5" << "1,5";
        QTest::newRow("up to 3 whole") << 2.0 << int(TDisplayFormat::UpTo) << 3 << "2" << "2";
        QTest::newRow("whole kWh") << 12345.6 << int(TDisplayFormat::Fixed) << 0 << "12346" << "12346";
        QTest::newRow("no minus zero") << -0.2 << int(TDisplayFormat::Fixed) << 0 << "0" << "0";
    }
    void FormatNumberFollowsTheLocaleAndTheFormat() {
        QFETCH(double, Value);
        QFETCH(int, Kind);
        QFETCH(int, Decimals);
        const TDisplayFormat F{static_cast<TDisplayFormat::TKind>(Kind), Decimals};
        QLocale::setDefault(QLocale::c());
        QTEST(FormatNumber(Value, F), "C");
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        const QString Sv = FormatNumber(Value, F);
        QLocale::setDefault(QLocale::c());
        QTEST(Sv, "Swedish");
    }

    void TheModelPassesQtsChecksWhileRowsComeAndGo() {
        TSmallDb S;
        TDataSource Source(*S.View);
        TDBTableModel Model(Source);
        QAbstractItemModelTester Tester(&Model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Model.SetColumns({{"ID", "Namn", std::nullopt, {}, {}}, {"UVALUE", "U", std::nullopt, {}, {}}});
        QCOMPARE(Model.rowCount(), 3);
        // Buildings.UVALUE shows at most three decimals.
        QCOMPARE(Model.index(0, 1).data().toString(), QStringLiteral("0.123"));
        QCOMPARE(Model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("U"));
        QVERIFY(Model.index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        S.View->Append();
        S.View->FieldByName("ID").SetString("D");
        S.View->Post();
        QCOMPARE(Model.rowCount(), 4);
        S.View->First();
        S.View->Delete();
        QCOMPARE(Model.rowCount(), 3);
        // A pending edit shows in its row before it is posted.
        S.View->Edit();
        S.View->FieldByName("UVALUE").SetFloat(9);
        QCOMPARE(Model.index(S.View->RecNo() - 1, 1).data().toString(), QStringLiteral("9"));
        S.View->Cancel();
        S.View->Refresh();
        QCOMPARE(Model.rowCount(), 3);
    }

    void SelectionAndCurrentRowFollowEachOther() {
        TSmallDb S;
        TDataSource Source(*S.View);
        TDBGrid Grid(Source);
        Grid.Model().SetColumns({{"ID", "Namn", std::nullopt, {}, {}}});
        Grid.show();
        QCOMPARE(Grid.currentIndex().row(), 0);
        S.View->Last();
        QCOMPARE(Grid.currentIndex().row(), 2);
        QVERIFY(Grid.selectionModel()->isRowSelected(2, {}));
        // A click on a row makes it current.
        const QRect Cell = Grid.visualRect(Grid.model()->index(1, 0));
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Cell.center());
        QCOMPARE(S.View->RecNo(), 2);
        QCOMPARE(S.View->FieldByName("ID").AsString(), std::string("B"));
        int Activated = 0;
        connect(&Grid, &TDBGrid::Activated, this, [&Activated] { ++Activated; });
        QTest::mouseDClick(Grid.viewport(), Qt::LeftButton, {}, Cell.center());
        QTest::keyClick(&Grid, Qt::Key_Return);
        QCOMPARE(Activated, 2);
    }

    void AnEditShowsTheCurrentRowAndWritesOnLeaving() {
        TSmallDb S;
        TDataSource Source(*S.View);
        TDBEdit Area(Source, "AREA");
        TDBEdit Other(Source, "ID");
        Area.Link().SetCaption(QStringLiteral("Bruksarea"));
        QCOMPARE(Area.text(), QStringLiteral("10"));
        S.View->Next();
        QCOMPARE(Area.text(), QStringLiteral("20"));
        // Typed text is written when the edit loses the focus, and posted.
        Area.setText(QStringLiteral("22,5"));
        Area.setModified(true);
        QFocusEvent Out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&Area, &Out);
        QCOMPARE(S.View->State(), TDatasetState::Browse);
        QCOMPARE(S.View->FieldByName("AREA").AsFloat(), 22.5);
        // A cancel shows the stored value again.
        S.View->Edit();
        S.View->FieldByName("AREA").SetFloat(99);
        QCOMPARE(Area.text(), QStringLiteral("99"));
        S.View->Cancel();
        QCOMPARE(Area.text(), QStringLiteral("22.5"));
        QCOMPARE(TMessageBox::Shown(), QStringList());
    }

    void RefusedInputNamesTheFieldAndLeavesTheRowAsStored_data() {
        QTest::addColumn<QByteArray>("Field");
        QTest::addColumn<QString>("Typed");
        QTest::addColumn<QString>("Why");
        QTest::newRow("not a number") << QByteArray("AREA") << "tio" << "inte ett tal";
        QTest::newRow("not whole") << QByteArray("N") << "2,5" << "heltal";
        QTest::newRow("out of range") << QByteArray("INTPUNDEFW") << "1000000" << "mellan";
        QTest::newRow("too long") << QByteArray("ID") << "Elva tecken" << "högst";
        QTest::newRow("refused by the database") << QByteArray("AREA") << "5000" << "too big";
    }
    void RefusedInputNamesTheFieldAndLeavesTheRowAsStored() {
        QFETCH(QByteArray, Field);
        QFETCH(QString, Typed);
        QFETCH(QString, Why);
        TSmallDb S;
        TDataSource Source(*S.View);
        auto* Edit = new TDBEdit(Source, Field.toStdString());
        std::unique_ptr<TDBEdit> Owner(Edit);
        Edit->setMaxLength(100);
        Edit->Link().SetCaption(QStringLiteral("Fältet %1").arg(QString::fromLatin1(Field)));
        const QString Before = Edit->text();
        const TValue Stored = S.View->FieldByName(Field.toStdString()).Value();
        TMessageBox::ClearShown();
        TypeInto(Edit, Typed);
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY(TMessageBox::Shown().first().contains(QStringLiteral("Fältet %1").arg(QString::fromLatin1(Field))));
        QVERIFY2(TMessageBox::Shown().first().contains(Why), qPrintable(TMessageBox::Shown().first()));
        QCOMPARE(Edit->text(), Before);
        QCOMPARE(S.View->State(), TDatasetState::Browse);
        QVERIFY(S.View->FieldByName(Field.toStdString()).Value() == Stored);
        S.View->Refresh();
        QVERIFY(S.View->FieldByName(Field.toStdString()).Value() == Stored);
    }

    void ARefusedInputKeepsTheOtherPendingValuesOfTheRow() {
        TSmallDb S;
        TDataSource Source(*S.View);
        TDBEdit Area(Source, "AREA");
        S.View->Edit();
        S.View->FieldByName("UVALUE").SetFloat(0.5);
        TMessageBox::ClearShown();
        TypeInto(&Area, QStringLiteral("5000"));
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QCOMPARE(S.View->State(), TDatasetState::Edit);
        QCOMPARE(S.View->FieldByName("AREA").AsFloat(), 10.0);
        QCOMPARE(S.View->FieldByName("UVALUE").AsFloat(), 0.5);
    }

    void TheLookupListWritesTheKeyOfThePickedRow() {
        TSmallDb S;
        S.Db->ExecScript(R"(
            CREATE TABLE Kinds (IDNO INTEGER, ID VARCHAR(20));
            INSERT INTO Kinds VALUES (-1, 'Eget värde'), (1, 'Ett'), (3, 'Tre');
        )");
        TDataset Kinds(*S.Db, "Kinds");
        Kinds.SetOrderBy("IDNO");
        Kinds.Open();
        TDataSource Source(*S.View);
        TDataSource List(Kinds);
        TDBLookupComboBox Box(Source, "N", List, "IDNO", "ID");
        QCOMPARE(Box.count(), 3);
        QCOMPARE(Box.currentText(), QStringLiteral("Ett"));
        int Closed = 0;
        connect(&Box, &TDBLookupComboBox::CloseUp, this, [&Closed] { ++Closed; });
        Choose(&Box, 2);
        QCOMPARE(S.View->FieldByName("N").AsInteger(), 3);
        QCOMPARE(S.View->State(), TDatasetState::Browse);
        QCOMPARE(Closed, 1);
        // A row whose value has no list row shows no selection.
        S.View->Next();
        QCOMPARE(Box.currentIndex(), -1);
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestBind T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Bind.moc"
