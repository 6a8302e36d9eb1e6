// The interface language: the text table against the real windows, the
// shipped language files, applying and switching languages, the language
// window and the files it reads and writes.
#include "GuiTestSupport.h"

#include "data/UnitBVDir.h"
#include "i18n/UnitTranslate.h"
#include "ui/UnitMain.h"
#include "ui/UnitAbout.h"
#include "ui/UnitArchiveSelect.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/UnitWindowEdit.h"
#include "ui/bind/DBTableModel.h"
#include "ui/help/UnitHelp.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTabWidget>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <fstream>

using namespace bvtest;
using bvi18n::TTextEntry;

namespace {

QString DistLanguage(const char* Name) {
    return QStringLiteral(BV_DIST_DIR "/Language/") + QString::fromLatin1(Name);
}

TLanguage ReadDist(const char* Name) {
    TLanguage L;
    QString Error;
    if (!bvi18n::ReadLanguageFile(DistLanguage(Name), L, Error)) {
        qFatal("%s: %s", Name, qPrintable(Error));
    }
    return L;
}

// A language whose text n is "T<n>".
TLanguage Numbered(int Count, const QString& Name = QStringLiteral("Numbered")) {
    QStringList Texts;
    for (int N = 0; N < Count; ++N) {
        Texts << QStringLiteral("T%1").arg(N);
    }
    return TLanguage(Name, Texts);
}

void WriteBytes(const std::filesystem::path& Path, const QByteArray& Bytes) {
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream(Path, std::ios::binary).write(Bytes.constData(), Bytes.size());
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

    TFormLanguage& Dialog(TGuiApp& G) { return *G.Main().LanguageDialog(); }
    const TTranslationTargets& Targets(TGuiApp& G) { return Dialog(G).Targets(); }

private slots:
    void EveryEntryFindsOneControl() {
        TGuiApp G;
        int Checked = 0;
        QStringList Faults;
        for (const TTextEntry& E : bvi18n::TextTable()) {
            if (E.Window == bvi18n::TTextWindow::Data) {
                continue;
            }
            const auto Windows = bvi18n::WindowsOf(Targets(G), E.Window);
            QVERIFY2(!Windows.empty(), qPrintable(QString::number(E.Number)));
            for (QWidget* W : Windows) {
                const QString Where = QStringLiteral("text %1, %2 in %3").arg(E.Number).arg(QLatin1String(E.Control),
                                                                                            W->objectName());
                if (bvi18n::FindTarget(W, E) == nullptr) {
                    Faults << Where + QStringLiteral(": missing");
                } else if (!bvi18n::TargetText(W, E).has_value()) {
                    Faults << Where + QStringLiteral(": wrong kind");
                }
                if (E.Control[0] != '\0') {
                    int Widgets = 0;
                    for (QWidget* C : W->findChildren<QWidget*>(QLatin1String(E.Control))) {
                        Widgets += bvi18n::BelongsTo(C, W) ? 1 : 0;
                    }
                    if (Widgets > 1) {
                        Faults << Where + QStringLiteral(": more than one control");
                    }
                }
                ++Checked;
            }
        }
        QVERIFY2(Faults.isEmpty(), qPrintable(Faults.join(QLatin1Char('\n'))));
        QVERIFY(Checked > 800);
    }

    // The shipped Swedish file holds the built-in texts; a built-in text
    // changed without the file (or the other way round) fails here.
    // BV_UPDATE_GOLDEN=1 writes the file anew.
    void SwedishFileHoldsTheBuiltInTexts() {
        TGuiApp G;
        const QStringList Builtin = bvi18n::CurrentTexts(Targets(G));
        QCOMPARE(Builtin.size(), bvi18n::kTextCount);
        if (qEnvironmentVariableIsSet("BV_UPDATE_GOLDEN")) {
            bvi18n::WriteLanguageFile(DistLanguage("Svenska.llf"), TLanguage(QStringLiteral("Svenska"), Builtin));
        }
        const TLanguage Sv = ReadDist("Svenska.llf");
        QCOMPARE(Sv.Name(), QStringLiteral("Svenska"));
        for (int N = 0; N < bvi18n::kTextCount; ++N) {
            QVERIFY2(Sv.Texts().value(N) == Builtin[N],
                     qPrintable(QStringLiteral("text %1: file \"%2\", window \"%3\"")
                                    .arg(N)
                                    .arg(Sv.Texts().value(N), Builtin[N])));
        }
    }

    void ShippedFilesHaveEveryLine_data() {
        QTest::addColumn<QString>("File");
        QTest::addColumn<QString>("Name");
        QTest::newRow("Svenska") << QStringLiteral("Svenska.llf") << QStringLiteral("Svenska");
        QTest::newRow("English") << QStringLiteral("English.llf") << QStringLiteral("English");
    }
    void ShippedFilesHaveEveryLine() {
        QFETCH(QString, File);
        QFETCH(QString, Name);
        QFile F(QStringLiteral(BV_DIST_DIR "/Language/") + File);
        QVERIFY(F.open(QIODevice::ReadOnly));
        const QByteArray Bytes = F.readAll();
        QCOMPARE(Bytes.count("\r\n"), 961);
        QCOMPARE(Bytes.count('\n'), 961);
        QVERIFY(Bytes.endsWith("\r\n"));
        const TLanguage L = ReadDist(File.toLatin1().constData());
        QCOMPARE(L.Name(), Name);
        QCOMPARE(L.Texts().size(), bvi18n::kTextCount);
    }

    // Every text a control reads is translated: none is empty where the
    // Swedish one is not, and none keeps a Swedish letter.
    void EnglishIsComplete() {
        const TLanguage Sv = ReadDist("Svenska.llf");
        const TLanguage En = ReadDist("English.llf");
        for (int N = 0; N < bvi18n::kTextCount; ++N) {
            if (bvi18n::IsUnreadText(N)) {
                continue;
            }
            const QString& T = En.Texts()[N];
            QVERIFY2(Sv.Texts()[N].isEmpty() || !T.isEmpty(), qPrintable(QStringLiteral("text %1 empty").arg(N)));
            QVERIFY2(!T.contains(QRegularExpression(QStringLiteral("[åäöÅÄÖ]"))),
                     qPrintable(QStringLiteral("text %1: %2").arg(N).arg(T)));
        }
    }

    // English and back: every target shows its Swedish text again, and
    // every target whose English text differs showed it in between.
    void EnglishAndBackRestoresEveryTarget() {
        TGuiApp G;
        TFormLanguage& L = Dialog(G);
        L.SetLanguage(ReadDist("Svenska.llf"));
        const QStringList Swedish = bvi18n::ReadTargets(Targets(G));
        L.SetLanguage(ReadDist("English.llf"));
        const QStringList English = bvi18n::ReadTargets(Targets(G));
        QCOMPARE(English.size(), Swedish.size());
        int Changed = 0;
        for (int I = 0; I < Swedish.size(); ++I) {
            Changed += English[I] != Swedish[I] ? 1 : 0;
        }
        QVERIFY2(Changed > Swedish.size() * 3 / 4, qPrintable(QString::number(Changed)));
        QCOMPARE(G.Main().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->tabText(0),
                 QStringLiteral("Components"));
        // The guide follows the language.
        QCOMPARE(G.App.Help().LanguageCode(), QStringLiteral("en"));
        QCOMPARE(G.Main().Action("HelpContents")->text(), QStringLiteral("User guide"));
        // The layer grid's name column takes the caption without its mnemonic.
        auto* Layers = G.FindIn<TDBGrid>(G.App.Dialogs().LayeredEdit, "DBGridLayers");
        QCOMPARE(Layers->Model().Columns().front().Title, QStringLiteral("Name"));
        // So does an archive's, titled like its name field.
        QWidget* Archive = Targets(G).Selects.front();
        Archive->show();
        QApplication::processEvents();
        QCOMPARE(G.FindIn<TDBGrid>(Archive, "DBGridComponent")->Model().Columns().front().Title, QStringLiteral("Name"));
        Archive->hide();
        L.SetLanguage(ReadDist("Svenska.llf"));
        const QStringList Again = bvi18n::ReadTargets(Targets(G));
        QCOMPARE(G.App.Help().LanguageCode(), QStringLiteral("sv"));
        QCOMPARE(G.Main().Action("HelpContents")->text(), QStringLiteral("Användarhandbok"));
        for (int I = 0; I < Swedish.size(); ++I) {
            QCOMPARE(Again[I], Swedish[I]);
        }
    }

    // Line 2 is text 0, line 961 text 959; a hint of two texts is short|long.
    void TextsGoToTheirNumbers() {
        TGuiApp G;
        Dialog(G).SetLanguage(Numbered(bvi18n::kTextCount));
        QAction* New = G.Main().Action("NewCalc");
        QVERIFY(New->toolTip().startsWith(QStringLiteral("T0 (")));
        QCOMPARE(New->statusTip(), QStringLiteral("T1"));
        QCOMPARE(New->text(), QStringLiteral("T18"));
        QCOMPARE(G.Main().Messages.value(4), QStringLiteral("T651"));
        QCOMPARE(QString::fromStdString(G.Data().Messages().at(0)), QStringLiteral("T652"));
        QCOMPARE(QString::fromStdString(G.Data().DefaultName(dnBuilding)), QStringLiteral("T862"));
        QCOMPARE(G.FindIn<QLabel>(G.App.Dialogs().About, "LabelPhone")->text(), QStringLiteral("T959"));
        for (QWidget* S : Targets(G).Selects) {
            QCOMPARE(S->windowTitle(), QStringLiteral("T653"));
        }
        // The fixed texts replace what the file gave them.
        QCOMPARE(G.Find<QLabel>("LabelWindShield")->text(), QStringLiteral("Vindexponering"));
        QCOMPARE(G.Find<QLabel>("LabelWindShield11")->text(), QStringLiteral("T461"));
        QCOMPARE(G.App.Dialogs().WindowEdit->Messages.value(3), QStringLiteral("Vill du skriva över?"));
    }

    // A short file sets what it has; the rest keeps its text, and the fixed
    // texts are set all the same.
    void ShortFileSetsWhatItHas() {
        TGuiApp G;
        G.Data().SetDirectionNames({"N", "S", "W", "E", "H"});
        G.Main().ReportParameters.Set(QStringLiteral("TitleStr"), QStringLiteral("x"));
        const QString About = G.App.Dialogs().About->windowTitle();
        Dialog(G).SetLanguage(Numbered(30));
        QCOMPARE(G.Main().Action("IBEAntialiasButtonCalc")->statusTip(), QStringLiteral("T9"));
        QCOMPARE(G.Main().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->tabText(2),
                 QStringLiteral("T26"));
        QCOMPARE(G.App.Dialogs().About->windowTitle(), About);
        QCOMPARE(G.Data().DirectionName(4), std::string("Horisontell"));
        QVERIFY(G.Main().ReportParameters.Get(QStringLiteral("TitleStr")) != QStringLiteral("x"));
    }

    // A language change keeps the choice of every translated list, and
    // writes nothing into the building.
    void CombosKeepTheirSelection() {
        TGuiApp G;
        G.Data().OpenBuilding(G.Data().TemplateBuildingName());
        QApplication::processEvents();
        auto* Vent = G.Find<QComboBox>("ComboBoxVentType");
        auto* Shield = G.Find<QComboBox>("ComboBoxShielding");
        auto* Facades = G.Find<QComboBox>("ComboBoxFacades");
        auto* Ground = G.Find<QComboBox>("ComboBoxGroundType");
        auto* Direction = G.FindIn<QComboBox>(G.App.Dialogs().WindowEdit, "ComboBoxDirection");
        Choose(Vent, 2);
        Choose(Shield, 2);
        Choose(Facades, 1);
        Choose(Ground, 3);
        G.Data().NewWindow();
        QApplication::processEvents();
        Choose(Direction, 4);
        QCOMPARE(G.Data().TableWindows().FieldByName("DIRECTION").AsInteger(), 4);
        const bool Modified = G.Data().IsModified();
        const int Before[] = {Vent->currentIndex(), Shield->currentIndex(), Facades->currentIndex(),
                              Ground->currentIndex(), Direction->currentIndex()};
        Dialog(G).SetLanguage(ReadDist("English.llf"));
        const int After[] = {Vent->currentIndex(), Shield->currentIndex(), Facades->currentIndex(),
                             Ground->currentIndex(), Direction->currentIndex()};
        for (int I = 0; I < 5; ++I) {
            QCOMPARE(After[I], Before[I]);
        }
        QCOMPARE(Ground->currentText(), ReadDist("English.llf").Texts()[109 + G.Main().GroundTypes[3]]);
        QCOMPARE(Direction->currentText(), ReadDist("English.llf").Texts()[684]);
        QCOMPARE(G.Data().IsModified(), Modified);
        QCOMPARE(G.Data().TableWindows().FieldByName("DIRECTION").AsInteger(), 4);
    }

    // Qt's standard buttons follow the language, in Swedish too where Qt
    // has no Swedish texts installed.
    void StandardButtonsFollowTheLanguage() {
        const auto YesText = [] {
            QMessageBox Box;
            Box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            return Box.button(QMessageBox::Yes)->text();
        };
        bvi18n::SetQtLanguage(QStringLiteral("sv"));
        QCOMPARE(YesText(), QStringLiteral("&Ja"));
        bvi18n::SetQtLanguage(QStringLiteral("en"));
        QCOMPARE(YesText(), QStringLiteral("&Yes"));
        bvi18n::SetQtLanguage(QStringLiteral("sv"));
        QCOMPARE(YesText(), QStringLiteral("&Ja"));
    }

    void Decoding_data() {
        QTest::addColumn<QByteArray>("Bytes");
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QStringList>("Texts");
        QTest::newRow("UTF-8") << QByteArray("Svenska\r\n\xc3\xa5\xc3\xa4\xc3\xb6\r\n") << QStringLiteral("Svenska")
                               << QStringList{QStringLiteral("åäö")};
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbfSvenska\r\nx\r\n") << QStringLiteral("Svenska")
                                        << QStringList{QStringLiteral("x")};
        QTest::newRow("Windows-1252") << QByteArray("Svenska\r\nR\xe5\xe4\xf6 \x80\r\n") << QStringLiteral("Svenska")
                                      << QStringList{QStringLiteral("Råäö €")};
        QTest::newRow("lone LF, no end") << QByteArray("En\na|b\n\nc") << QStringLiteral("En")
                                         << QStringList{QStringLiteral("a|b"), QString(), QStringLiteral("c")};
        QTest::newRow("empty name") << QByteArray("\r\nx\r\n") << QString() << QStringList{QStringLiteral("x")};
    }
    void Decoding() {
        QFETCH(QByteArray, Bytes);
        QFETCH(QString, Name);
        QFETCH(QStringList, Texts);
        QStringList Lines = bvi18n::DecodeLanguageLines(Bytes);
        QCOMPARE(Lines.takeFirst(), Name);
        QCOMPARE(Lines, Texts);
    }

    // The start-up scan: every file of the folder and its subfolders, an
    // unreadable one skipped with one message naming it, a file with an
    // empty name listed and usable; then the remembered language.
    void StartUpScanAndRememberedLanguage() {
        const auto Prepare = [](TDatabase&) {
            const std::filesystem::path Folder = GetDataFolder();
            QFile Sv(DistLanguage("Svenska.llf"));
            Sv.open(QIODevice::ReadOnly);
            const QByteArray SvBytes = Sv.readAll();
            WriteBytes(Folder / "Language" / "Svenska.llf", SvBytes);
            std::filesystem::create_symlink("nowhere.llf", Folder / "Language" / "Broken.llf");
            QByteArray NoName = "\r\n";
            for (int N = 0; N < bvi18n::kTextCount; ++N) {
                NoName += "X" + QByteArray::number(N) + "\r\n";
            }
            WriteBytes(Folder / "Language" / "more" / "deeper" / "NoName.llf", NoName);
            QFile En(DistLanguage("English.llf"));
            En.open(QIODevice::ReadOnly);
            WriteBytes(Folder / "language.llf", En.readAll());
        };
        TGuiApp G(Prepare);
        TFormLanguage& L = Dialog(G);
        QCOMPARE(int(L.Languages().size()), 2);
        QCOMPARE(L.Languages()[0].Name(), QStringLiteral("Svenska"));
        QCOMPARE(L.Languages()[1].Name(), QString());
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY(TMessageBox::Shown().front().contains(QStringLiteral("Broken.llf")));
        // The remembered English is applied at start.
        QCOMPARE(G.Main().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->tabText(3),
                 ReadDist("English.llf").Texts()[607]);
        QCOMPARE(L.Current().Name(), QStringLiteral("English"));

        // Choosing the language without a name: applied and remembered.
        G.Main().Action("Language")->trigger();
        QVERIFY(L.isVisible());
        QVERIFY(!L.isModal());
        auto* List = G.FindIn<QListWidget>(&L, "ListBoxLanguages");
        List->setCurrentRow(1);
        G.FindIn<QPushButton>(&L, "IBEAntialiasButtonOpen")->click();
        QVERIFY(!L.isVisible());
        QCOMPARE(G.Main().Action("NewCalc")->statusTip(), QStringLiteral("X1"));
        QFile Remembered(L.RememberedPath());
        QVERIFY(Remembered.open(QIODevice::ReadOnly));
        const QByteArray Bytes = Remembered.readAll();
        QCOMPARE(Bytes.count("\r\n"), bvi18n::kTextCount + 1);
        QCOMPARE(Bytes.count('\n'), bvi18n::kTextCount + 1);
        QVERIFY(Bytes.startsWith("\r\nX0\r\n"));

        // Cancel changes nothing.
        G.Main().Action("Language")->trigger();
        List->setCurrentRow(0);
        G.FindIn<QPushButton>(&L, "IBEAntialiasButtonCancel")->click();
        QVERIFY(!L.isVisible());
        QCOMPARE(G.Main().Action("NewCalc")->statusTip(), QStringLiteral("X1"));
    }

    // A remembered language that cannot be read: one message, built-in texts.
    void UnreadableRememberedLanguage() {
        TGuiApp G([](TDatabase&) {
            std::filesystem::create_symlink("missing", std::filesystem::path(GetDataFolder()) / "language.llf");
        });
        QCOMPARE(TMessageBox::Shown().size(), 1);
        QVERIFY(TMessageBox::Shown().front().contains(QStringLiteral("language.llf")));
        QCOMPARE(G.Main().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->tabText(0),
                 QStringLiteral("Komponenter"));
        // With no languages installed Open does nothing.
        TFormLanguage& L = Dialog(G);
        L.show();
        G.FindIn<QPushButton>(&L, "IBEAntialiasButtonOpen")->click();
        QVERIFY(!QFile::exists(L.RememberedPath()) || QFileInfo(L.RememberedPath()).isSymLink());
    }
};

QTEST_MAIN(TestLanguage)
#include "test_Language.moc"
