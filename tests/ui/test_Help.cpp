// The help window: F1 at the page of the window and tab the user works in,
// the language of the pages, back and forward, the search, the message for
// a guide or page that is not there; and the shipped guide itself: every
// context has its page in both languages and every link and picture of
// every page resolves.
#include "GuiTestSupport.h"

#include "cli/DistFiles.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/help/HelpContexts.h"
#include "ui/help/UnitHelp.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include <fstream>
#include <map>
#include <set>

using namespace bvtest;

namespace {

const fs::path kDistHelp = fs::path(BV_DIST_DIR) / "Help";

QString ReadText(const fs::path& P) {
    QFile F(QString::fromStdString(P.string()));
    return F.open(QIODevice::ReadOnly) ? QString::fromUtf8(F.readAll()) : QString();
}

void WriteText(const fs::path& P, const std::string& Text) {
    fs::create_directories(P.parent_path());
    std::ofstream(P, std::ios::binary) << Text;
}

std::set<std::string> HtmlFiles(const fs::path& Folder) {
    std::set<std::string> Names;
    for (const auto& E : fs::directory_iterator(Folder)) {
        if (E.path().extension() == ".html") {
            Names.insert(E.path().filename().string());
        }
    }
    return Names;
}

// The anchors a page defines (<a name="...">).
std::set<QString> Anchors(const QString& Html) {
    std::set<QString> A;
    static const QRegularExpression Name(QStringLiteral("<a\\s+name=\"([^\"]+)\""));
    for (auto M = Name.globalMatch(Html); M.hasNext();) {
        A.insert(M.next().captured(1));
    }
    return A;
}

// The pages and pictures a page refers to.
QStringList Links(const QString& Html) {
    QStringList L;
    static const QRegularExpression Ref(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    for (auto M = Ref.globalMatch(Html); M.hasNext();) {
        L << M.next().captured(1);
    }
    return L;
}

QString Title(const QString& Html) {
    QTextDocument D;
    D.setHtml(Html);
    return D.metaInformation(QTextDocument::DocumentTitle);
}

QTextBrowser* Browser(TFormHelp& H) { return TGuiApp::FindIn<QTextBrowser>(&H, "TextBrowserHelp"); }

// The file name of a context's page.
QString FileOf(int Context) { return TFormHelp::PageOfContext(Context).section(QLatin1Char('#'), 0, 0); }

// The folder of the page shown: "sv", "en".
QString ShownLanguage(TFormHelp& H) {
    return QFileInfo(Browser(H)->source().toLocalFile()).absoluteDir().dirName();
}

void InstallShippedGuide(const TTempDataFolder& F) {
    fs::copy(kDistHelp, F.Folder / "Help", fs::copy_options::recursive);
}

void ClickAction(QWidget* Window, const char* Name) {
    auto* A = Window->findChild<QAction*>(QString::fromLatin1(Name));
    QVERIFY(A != nullptr);
    QWidget* Button = Window->findChild<QToolBar*>()->widgetForAction(A);
    QVERIFY(Button != nullptr);
    QTest::mouseClick(Button, Qt::LeftButton);
}

// A click on the first link of the page shown to Target.
void ClickLink(TFormHelp& H, const QString& Target) {
    QTextBrowser* B = Browser(H);
    for (QTextBlock Block = B->document()->begin(); Block.isValid(); Block = Block.next()) {
        for (auto It = Block.begin(); !It.atEnd(); ++It) {
            const QTextFragment F = It.fragment();
            if (F.charFormat().anchorHref() == Target) {
                QTextCursor C(B->document());
                C.setPosition(F.position() + F.length() / 2);
                B->setTextCursor(C);
                B->ensureCursorVisible();
                QApplication::processEvents();
                QTest::mouseClick(B->viewport(), Qt::LeftButton, {}, B->cursorRect(C).center());
                return;
            }
        }
    }
    QFAIL(qPrintable(QStringLiteral("no link to %1").arg(Target)));
}

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    // F1 opens the page of the widget with the focus: of its tab, of its
    // foundation page, of its window.
    void F1InTheMainWindowOpensThePageOfWhereTheFocusIs_data() {
        QTest::addColumn<int>("Tab");
        QTest::addColumn<QString>("Control");
        QTest::addColumn<int>("Context");
        QTest::newRow("an input of the building tab") << 2 << "DBEditArea" << bvhelp::BuildingTab;
        QTest::newRow("an input of the first foundation page") << 1 << "DBEditPerimeter1" << bvhelp::FoundationKind;
        QTest::newRow("the foundation kind list") << 1 << "ComboBoxGroundType" << bvhelp::FoundationTab;
        QTest::newRow("a list of the components tab") << 0 << "DBGridOuterWalls" << bvhelp::ComponentsTab;
        QTest::newRow("the tab bar, result tab shown") << 3 << "" << bvhelp::ResultTab;
        QTest::newRow("the toolbar") << 0 << "ToolBarMain" << bvhelp::Main;
    }
    void F1InTheMainWindowOpensThePageOfWhereTheFocusIs() {
        QFETCH(int, Tab);
        QFETCH(QString, Control);
        QFETCH(int, Context);
        TGuiApp A;
        InstallShippedGuide(A.Folder);
        auto* Tabs = A.Find<QTabWidget>("PageControlMain");
        Tabs->setCurrentIndex(Tab);
        QWidget* Target = Control.isEmpty() ? static_cast<QWidget*>(Tabs->tabBar())
                                            : A.Find<QWidget>(Control.toLatin1().constData());
        QTest::keyClick(Target, Qt::Key_F1);
        TFormHelp& H = A.App.Help();
        QVERIFY(H.isVisible());
        QCOMPARE(H.CurrentPage(), FileOf(Context));
        QCOMPARE(ShownLanguage(H), QStringLiteral("sv"));
    }

    // F1 in a modal editor opens its page; the help can be used while the
    // editor runs and stays open when the editor closes.
    void F1InAModalEditorOpensItsPageAndTheHelpStaysUsable() {
        TGuiApp A;
        InstallShippedGuide(A.Folder);
        QTest::mouseClick(A.Find<QToolButton>("IBEAntialiasButtonNewOuterWall"), Qt::LeftButton);
        TFormOuterWallEdit* E = A.App.Dialogs().LayeredEdit;
        QVERIFY(E->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), E);
        QTest::keyClick(TGuiApp::FindIn<QLineEdit>(E, "EditName"), Qt::Key_F1);
        TFormHelp& H = A.App.Help();
        QVERIFY(H.isVisible());
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::LayeredEdit));

        // Keys typed into the help window's search field arrive through the
        // window system, which holds back input from windows that a modal
        // dialog blocks.
        const auto TypeIntoSearch = [&H](char C) {
            auto* Edit = TGuiApp::FindIn<QLineEdit>(&H, "LineEditSearch");
            Edit->clear();
            Edit->setFocus();
            QTest::keyClick(H.windowHandle(), C);
            return Edit->text();
        };
        QCOMPARE(TypeIntoSearch('x'), QStringLiteral("x"));

        E->reject();
        QApplication::processEvents();
        QVERIFY(!E->isVisible());
        QVERIFY(H.isVisible());
        QCOMPARE(TypeIntoSearch('y'), QStringLiteral("y"));
        // Open again, the editor's F1 still finds the help usable.
        QTest::mouseClick(A.Find<QToolButton>("IBEAntialiasButtonNewOuterWall"), Qt::LeftButton);
        QTest::keyClick(TGuiApp::FindIn<QLineEdit>(E, "EditName"), Qt::Key_F1);
        QCOMPARE(TypeIntoSearch('z'), QStringLiteral("z"));
        E->reject();
        QApplication::processEvents();
    }

    // Another language shows the same page in that language; a language
    // without pages falls back to Swedish, then English.
    void TheLanguageChoosesTheFolder_data() {
        QTest::addColumn<QStringList>("Installed");
        QTest::addColumn<QString>("Code");
        QTest::addColumn<QString>("Shown");
        QTest::newRow("English") << QStringList{"sv", "en"} << "en" << "en";
        QTest::newRow("Swedish") << QStringList{"sv", "en"} << "sv" << "sv";
        QTest::newRow("letter case") << QStringList{"sv", "en"} << "EN" << "en";
        QTest::newRow("Finnish, no pages") << QStringList{"sv", "en"} << "fi" << "sv";
        QTest::newRow("Finnish, English only") << QStringList{"en"} << "fi" << "en";
        QTest::newRow("Swedish, English only") << QStringList{"en"} << "sv" << "en";
    }
    void TheLanguageChoosesTheFolder() {
        QFETCH(QStringList, Installed);
        QFETCH(QString, Code);
        QFETCH(QString, Shown);
        TGuiApp A;
        fs::create_directories(A.Folder.Folder / "Help");
        for (const QString& L : Installed) {
            fs::copy(kDistHelp / L.toStdString(), A.Folder.Folder / "Help" / L.toStdString(),
                     fs::copy_options::recursive);
        }
        TFormHelp& H = A.App.Help();
        QTest::keyClick(A.Find<QWidget>("DBGridOuterWalls"), Qt::Key_F1);
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::ComponentsTab));
        H.SetLanguageCode(Code);
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::ComponentsTab));
        QCOMPARE(ShownLanguage(H), Shown);
        const fs::path Page = A.Folder.Folder / "Help" / Shown.toStdString() / FileOf(bvhelp::ComponentsTab).toStdString();
        QCOMPARE(Browser(H)->documentTitle(), Title(ReadText(Page)));
        // F1 afterwards opens pages of that language.
        QTest::keyClick(A.Find<QWidget>("DBEditArea"), Qt::Key_F1);
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::BuildingTab));
        QCOMPARE(ShownLanguage(H), Shown);
    }

    void BackAndForwardMoveThroughThePagesShown() {
        TGuiApp A;
        InstallShippedGuide(A.Folder);
        TFormHelp& H = A.App.Help();
        auto* Back = H.findChild<QAction*>(QStringLiteral("ActionBack"));
        auto* Forward = H.findChild<QAction*>(QStringLiteral("ActionForward"));
        H.ShowContext(bvhelp::Main);
        QVERIFY(!Back->isEnabled());
        H.ShowContext(bvhelp::ResultTab);
        H.ShowContext(bvhelp::About);
        ClickAction(&H, "ActionBack");
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::ResultTab));
        ClickAction(&H, "ActionBack");
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::Main));
        QVERIFY(!Back->isEnabled());
        ClickAction(&H, "ActionForward");
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::ResultTab));
        ClickAction(&H, "ActionForward");
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::About));
        QVERIFY(!Forward->isEnabled());
        ClickAction(&H, "ActionHome");
        QCOMPARE(H.CurrentPage(), QStringLiteral("index.html"));
        // A link of the page opens its target, and Back returns.
        ClickLink(H, FileOf(bvhelp::ComponentsTab));
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::ComponentsTab));
        ClickAction(&H, "ActionBack");
        QCOMPARE(H.CurrentPage(), QStringLiteral("index.html"));
        // Another language starts a history of its own.
        H.SetLanguageCode(QStringLiteral("en"));
        QCOMPARE(H.CurrentPage(), QStringLiteral("index.html"));
        QVERIFY(!Back->isEnabled());
    }

    // The search lists the pages that hold every word, letter case ignored,
    // and opens a result with the words marked.
    void SearchFindsThePagesThatHoldAllTheWords_data() {
        QTest::addColumn<QString>("Words");
        QTest::addColumn<QStringList>("Pages");
        QTest::newRow("one word") << "tjäle" << QStringList{"a.html"};
        QTest::newRow("letter case") << "TJÄLE" << QStringList{"a.html"};
        QTest::newRow("in the title only") << "Frostskydd" << QStringList{"a.html"};
        QTest::newRow("two words, two pages") << "grund isolering" << QStringList{"a.html", "b.html"};
        QTest::newRow("two words, not on one page") << "tjäle utan" << QStringList{};
        QTest::newRow("no word") << "   " << QStringList{};
    }
    void SearchFindsThePagesThatHoldAllTheWords() {
        QFETCH(QString, Words);
        QFETCH(QStringList, Pages);
        TGuiApp A;
        const fs::path Sv = A.Folder.Folder / "Help" / "sv";
        WriteText(Sv / "index.html", "<html><head><title>Innehåll</title></head><body><ul>"
                                     "<li><a href=\"a.html\">A</a></li><li><a href=\"b.html\">B</a></li></ul></body></html>");
        WriteText(Sv / "a.html", "<html><head><title>Frostskydd</title></head><body>"
                                 "<p>Markisolering mot tjäle under grunden.</p><p>Tjäle igen.</p></body></html>");
        WriteText(Sv / "b.html", "<html><head><title>Utan</title></head><body><p>Grund utan isolering.</p></body></html>");
        TFormHelp& H = A.App.Help();
        H.ShowContext(bvhelp::Contents);
        auto* Edit = TGuiApp::FindIn<QLineEdit>(&H, "LineEditSearch");
        // The words hold letters outside ASCII, which the simulated keyboard
        // cannot type; Enter runs the search.
        Edit->setText(Words);
        QTest::keyClick(Edit, Qt::Key_Return);
        auto* Results = TGuiApp::FindIn<QListWidget>(&H, "ListWidgetSearchResults");
        QStringList Found;
        for (int I = 0; I < Results->count(); ++I) {
            Found << Results->item(I)->data(Qt::UserRole).toString();
        }
        QCOMPARE(Found, Pages);
        if (Pages.isEmpty()) {
            return;
        }
        QApplication::processEvents();
        QTest::mouseClick(Results->viewport(), Qt::LeftButton, {}, Results->visualItemRect(Results->item(0)).center());
        QCOMPARE(H.CurrentPage(), Pages.first());
        const QList<QTextEdit::ExtraSelection> Marks = Browser(H)->extraSelections();
        const QStringList Each = Words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        int Expected = 0;
        const QString Text = Browser(H)->toPlainText();
        for (const QString& W : Each) {
            Expected += static_cast<int>(Text.count(W, Qt::CaseInsensitive));
        }
        QCOMPARE(Marks.size(), Expected);
        for (const QTextEdit::ExtraSelection& M : Marks) {
            QVERIFY(Each.contains(M.cursor.selectedText(), Qt::CaseInsensitive));
        }
        // Another page: the marks go.
        ClickAction(&H, "ActionHome");
        QVERIFY(Browser(H)->extraSelections().isEmpty());
    }

    // Without the guide the browser says which folders were looked in and
    // how to install it; a missing page is named with its folder. A guide
    // installed while the program runs is found at the next F1.
    void AMissingGuideOrPageIsExplained() {
        TGuiApp A;
        TFormHelp& H = A.App.Help();
        QTest::keyClick(A.Find<QWidget>("DBGridOuterWalls"), Qt::Key_F1);
        QVERIFY(H.isVisible());
        QCOMPARE(H.CurrentPage(), QString());
        QString Shown = Browser(H)->toPlainText();
        QVERIFY2(Shown.contains(QDir::toNativeSeparators(TFormHelp::HelpRoot() + QStringLiteral("sv/"))), qPrintable(Shown));
        QVERIFY2(Shown.contains(QStringLiteral("braskvalla-cli install-data")), qPrintable(Shown));
        QCOMPARE(H.Search(QStringLiteral("grund")), 0);

        const fs::path Sv = A.Folder.Folder / "Help" / "sv";
        WriteText(Sv / "index.html", "<html><head><title>Innehåll</title></head><body><p>x</p></body></html>");
        H.ShowContext(bvhelp::LayeredEdit);
        QCOMPARE(H.CurrentPage(), QString());
        Shown = Browser(H)->toPlainText();
        QVERIFY2(Shown.contains(FileOf(bvhelp::LayeredEdit)), qPrintable(Shown));
        QVERIFY2(Shown.contains(QDir::toNativeSeparators(QString::fromStdString(Sv.string()))), qPrintable(Shown));
        QVERIFY2(Shown.contains(QStringLiteral("braskvalla-cli install-data")), qPrintable(Shown));

        fs::remove_all(A.Folder.Folder / "Help");
        InstallShippedGuide(A.Folder);
        H.ShowContext(bvhelp::LayeredEdit);
        QCOMPARE(H.CurrentPage(), FileOf(bvhelp::LayeredEdit));
    }

    // The shipped guide: each context's page (and section) exists in both
    // languages, the two languages have the same pages, every page has a
    // title and is reachable from the contents, every link and picture
    // resolves, the drawings are the program's, and install-data carries
    // every file.
    void TheShippedGuideIsCompleteInBothLanguages() {
        const std::set<std::string> Sv = HtmlFiles(kDistHelp / "sv");
        const std::set<std::string> En = HtmlFiles(kDistHelp / "en");
        QVERIFY(!Sv.empty());
        QCOMPARE(Sv, En);
        for (const char* Lang : {"sv", "en"}) {
            const fs::path Folder = kDistHelp / Lang;
            for (const TFormHelp::TContext& C : TFormHelp::Contexts()) {
                const QString Page = QString::fromLatin1(C.Page);
                const QString File = Page.section(QLatin1Char('#'), 0, 0);
                const QString Anchor = Page.section(QLatin1Char('#'), 1);
                const QString Html = ReadText(Folder / File.toStdString());
                QVERIFY2(!Html.isEmpty(), qPrintable(QStringLiteral("%1/%2").arg(QLatin1String(Lang), File)));
                QVERIFY2(Anchor.isEmpty() || Anchors(Html).count(Anchor) == 1,
                         qPrintable(QStringLiteral("%1/%2").arg(QLatin1String(Lang), Page)));
            }
            const QString Index = ReadText(Folder / "index.html");
            const QStringList FromIndex = Links(Index);
            for (const std::string& Name : Sv) {
                const QString Where = QStringLiteral("%1/%2").arg(QLatin1String(Lang), QString::fromStdString(Name));
                const QString Html = ReadText(Folder / Name);
                QVERIFY2(!Title(Html).trimmed().isEmpty(), qPrintable(Where + QStringLiteral(": no title")));
                QVERIFY2(Name == "index.html" || FromIndex.contains(QString::fromStdString(Name)),
                         qPrintable(Where + QStringLiteral(": not in the contents")));
                for (const QString& Link : Links(Html)) {
                    if (Link.startsWith(QLatin1String("http:")) || Link.startsWith(QLatin1String("https:")) ||
                        Link.startsWith(QLatin1String("mailto:"))) {
                        continue;
                    }
                    const QString File = Link.section(QLatin1Char('#'), 0, 0);
                    const QString Anchor = Link.section(QLatin1Char('#'), 1);
                    const fs::path Target = File.isEmpty() ? Folder / Name : Folder / File.toStdString();
                    QVERIFY2(fs::is_regular_file(Target), qPrintable(Where + QStringLiteral(": ") + Link));
                    if (!Anchor.isEmpty()) {
                        QVERIFY2(Anchors(ReadText(Target)).count(Anchor) == 1,
                                 qPrintable(Where + QStringLiteral(": ") + Link));
                    }
                }
            }
        }
        for (int K = 0; K < 12; ++K) {
            const std::string Name = "ImageGround" + std::to_string(K) + ".svg";
            QCOMPARE(ReadText(kDistHelp / "img" / Name), ReadText(fs::path(BV_DRAWINGS_DIR) / Name));
        }
        std::map<std::string, std::string> Shipped;
        for (const cli::TDistFile& F : cli::ShippedDistFiles()) {
            Shipped[F.Path] = F.Content;
        }
        for (const auto& E : fs::recursive_directory_iterator(kDistHelp)) {
            if (!E.is_regular_file()) {
                continue;
            }
            const std::string Rel = fs::relative(E.path(), kDistHelp.parent_path()).generic_string();
            QVERIFY2(Shipped.count(Rel) == 1, Rel.c_str());
            std::ifstream In(E.path(), std::ios::binary);
            const std::string Content((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
            QVERIFY2(Shipped[Rel] == Content, Rel.c_str());
        }
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestHelp T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Help.moc"
