#include "ui/help/UnitHelp.h"

#include "data/UnitBVDir.h"
#include "ui/Icons.h"
#include "ui/help/HelpContexts.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>


namespace {

// The window's own texts: Swedish for the Swedish guide, English for every
// other language.
struct TTexts {
    QString Title;
    QString Back;
    QString Forward;
    QString Home;
    QString Contents;
    QString Search;
    QString Placeholder;
    QString OnePage;
    QString Pages; // %1: the number
    QString NoPage;
    QString NoGuide;
    // The messages in the browser: a page missing from its folder (%1 the
    // file, %2 the folder), no guide at all (%1 the folders looked in).
    QString MissingPage;
    QString MissingGuide;
};

const TTexts& Texts(const QString& Language) {
    static const TTexts Swedish = {
        QStringLiteral("Braskvalla – Användarhandbok"),
        QStringLiteral("Bakåt"),
        QStringLiteral("Framåt"),
        QStringLiteral("Start"),
        QStringLiteral("Innehåll"),
        QStringLiteral("Sök"),
        QStringLiteral("Sök i handboken"),
        QStringLiteral("1 sida"),
        QStringLiteral("%1 sidor"),
        QStringLiteral("Ingen sida innehåller orden."),
        QStringLiteral("Handboken är inte installerad."),
        QStringLiteral("<h1>Sidan finns inte</h1>"
                       "<p>Handbokssidan <b>%1</b> finns inte i mappen <code>%2</code>.</p>"
                       "<p>Kommandot <code>braskvalla-cli install-data</code> installerar de sidor som saknas. "
                       "Det ersätter inget som redan finns.</p>"),
        QStringLiteral("<h1>Handboken är inte installerad</h1>"
                       "<p>Braskvalla hittade ingen handbok. Den söktes i:</p><ul>%1</ul>"
                       "<p>Kommandot <code>braskvalla-cli install-data</code> installerar handboken i datamappen. "
                       "Det ersätter inget som redan finns.</p>"),
    };
    static const TTexts English = {
        QStringLiteral("Braskvalla – User guide"),
        QStringLiteral("Back"),
        QStringLiteral("Forward"),
        QStringLiteral("Home"),
        QStringLiteral("Contents"),
        QStringLiteral("Search"),
        QStringLiteral("Search the guide"),
        QStringLiteral("1 page"),
        QStringLiteral("%1 pages"),
        QStringLiteral("No page contains the words."),
        QStringLiteral("The user guide is not installed."),
        QStringLiteral("<h1>Page not found</h1>"
                       "<p>The guide's page <b>%1</b> is not in the folder <code>%2</code>.</p>"
                       "<p>The command <code>braskvalla-cli install-data</code> installs the missing pages. "
                       "It replaces nothing that is there.</p>"),
        QStringLiteral("<h1>The user guide is not installed</h1>"
                       "<p>Braskvalla found no user guide. It looked in:</p><ul>%1</ul>"
                       "<p>The command <code>braskvalla-cli install-data</code> installs the guide in the data folder. "
                       "It replaces nothing that is there.</p>"),
    };
    return Language == QLatin1String("sv") ? Swedish : English;
}

// The look of the pages: headings and table heads in the report's colours.
const char* const kStyle = "h1 { font-size: 15pt; font-weight: bold; color: #14346f; margin-bottom: 8px; }"
                           "h2 { font-size: 12pt; font-weight: bold; color: #14346f; margin-top: 16px; "
                           "margin-bottom: 4px; }"
                           "h3 { font-size: 10.5pt; font-weight: bold; margin-top: 10px; margin-bottom: 2px; }"
                           "table { border-collapse: collapse; border-style: solid; border-color: #aab4c6; "
                           "margin-top: 4px; margin-bottom: 8px; }"
                           "th { background-color: #e4eaf4; font-weight: bold; text-align: left; }"
                           "code { font-family: monospace; }";

// The languages whose folders a language may show, in the order tried.
QStringList Candidates(const QString& Code) {
    QStringList L{Code};
    for (const QString& Fallback : {QStringLiteral("sv"), QStringLiteral("en")}) {
        if (!L.contains(Fallback)) {
            L << Fallback;
        }
    }
    return L;
}

QString ReadUtf8(const QString& Path) {
    QFile F(Path);
    if (!F.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(F.readAll());
}

// The context of a page of a tab control: its own, or that of the widget a
// scroll area shows.
int PageContext(const QWidget* Page) {
    if (Page == nullptr) {
        return 0;
    }
    bool Ok = false;
    const int C = Page->property(bvhelp::kContextProperty).toInt(&Ok);
    if (Ok && C > 0) {
        return C;
    }
    if (const auto* Scroll = qobject_cast<const QScrollArea*>(Page)) {
        return PageContext(Scroll->widget());
    }
    return 0;
}

// The text around the first place where Word occurs in Text, on one line.
QString Snippet(const QString& Text, const QString& Word) {
    const QString Flat = Text.simplified();
    const qsizetype At = Flat.indexOf(Word, 0, Qt::CaseInsensitive);
    if (At < 0) {
        return Flat.left(120);
    }
    qsizetype Start = std::max<qsizetype>(0, At - 50);
    if (Start > 0) {
        const qsizetype Space = Flat.indexOf(QLatin1Char(' '), Start);
        if (Space >= 0 && Space < At) {
            Start = Space + 1;
        }
    }
    qsizetype End = std::min<qsizetype>(Flat.size(), At + Word.size() + 80);
    if (End < Flat.size()) {
        const qsizetype Space = Flat.lastIndexOf(QLatin1Char(' '), End);
        if (Space > At + Word.size()) {
            End = Space;
        }
    }
    return (Start > 0 ? QStringLiteral("… ") : QString()) + Flat.mid(Start, End - Start) +
           (End < Flat.size() ? QStringLiteral(" …") : QString());
}

// The roles of a search result.
constexpr int kFileRole = Qt::UserRole;
constexpr int kWordsRole = Qt::UserRole + 1;
constexpr int kTitleRole = Qt::UserRole + 2;
constexpr int kSnippetRole = Qt::UserRole + 3;

// A search result: the page's title in bold, below it the text around the
// first match with the words in bold, wrapped to the list's width.
class TResultDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        QStyleOptionViewItem O(Option);
        initStyleOption(&O, Index);
        O.text.clear();
        const QWidget* W = O.widget;
        (W != nullptr ? W->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &O, Painter, W);
        const bool Selected = (O.state & QStyle::State_Selected) != 0;
        QRect R = O.rect.adjusted(kPad, kPad, -kPad, -kPad);
        R.setWidth(TextWidth(Option));
        Painter->save();
        Painter->setClipRect(O.rect);
        const QFont Bold = TitleFont(O.font);
        const QString Title = Index.data(kTitleRole).toString();
        const int TitleHeight = QFontMetrics(Bold).boundingRect(R, Qt::TextWordWrap, Title).height();
        Painter->setFont(Bold);
        Painter->setPen(O.palette.color(Selected ? QPalette::HighlightedText : QPalette::Text));
        Painter->drawText(R, Qt::TextWordWrap, Title);
        QTextDocument Doc;
        Snippet(Doc, O.font, R.width(), Index);
        Painter->translate(R.left(), R.top() + TitleHeight + kGap);
        QAbstractTextDocumentLayout::PaintContext Context;
        Context.palette = O.palette;
        Context.palette.setColor(QPalette::Text, O.palette.color(Selected ? QPalette::HighlightedText : QPalette::Text));
        Doc.documentLayout()->draw(Painter, Context);
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        const int Width = TextWidth(Option);
        const QFont Bold = TitleFont(Option.font);
        const int TitleHeight =
            QFontMetrics(Bold).boundingRect(QRect(0, 0, Width, 10000), Qt::TextWordWrap, Index.data(kTitleRole).toString()).height();
        QTextDocument Doc;
        Snippet(Doc, Option.font, Width, Index);
        return {Width + 2 * kPad, TitleHeight + kGap + static_cast<int>(Doc.size().height()) + 2 * kPad};
    }

private:
    static constexpr int kPad = 5;
    static constexpr int kGap = 1;

    // The width the text wraps to, the same when the size is asked for and
    // when the item is painted: the list's width less a scroll bar, which
    // may come or go once the items are laid out.
    static int TextWidth(const QStyleOptionViewItem& Option) {
        const auto* View = qobject_cast<const QAbstractItemView*>(Option.widget);
        if (View == nullptr) {
            return std::max(Option.rect.width() - 2 * kPad, 40);
        }
        const int Bar = View->verticalScrollBar()->isVisible()
                            ? 0
                            : View->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, View);
        return std::max(View->viewport()->width() - Bar - 2 * kPad, 40);
    }

    static QFont TitleFont(QFont F) {
        F.setBold(true);
        return F;
    }

    static void Snippet(QTextDocument& Doc, const QFont& Font, int Width, const QModelIndex& Index) {
        QString Html = Index.data(kSnippetRole).toString().toHtmlEscaped();
        for (const QString& W : Index.data(kWordsRole).toStringList()) {
            Html.replace(QRegularExpression(QStringLiteral("(%1)").arg(QRegularExpression::escape(W.toHtmlEscaped())),
                                            QRegularExpression::CaseInsensitiveOption),
                         QStringLiteral("<b>\\1</b>"));
        }
        Doc.setDefaultFont(Font);
        Doc.setDocumentMargin(0);
        Doc.setTextWidth(std::max(Width, 40));
        Doc.setHtml(Html);
    }
};

// F1 anywhere: the help at the context of the widget the key went to.
class THelpKey : public QObject {
public:
    explicit THelpKey(TFormHelp* Help) : QObject(Help), FHelp(Help) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* Key = static_cast<QKeyEvent*>(Event);
        // The key reaches the window first and then the widget with the
        // focus; the widget says which page belongs to it.
        auto* Widget = qobject_cast<QWidget*>(Watched);
        if (Key->key() != Qt::Key_F1 || Key->modifiers() != Qt::NoModifier || Widget == nullptr) {
            return false;
        }
        FHelp->ShowContext(TFormHelp::ContextOf(Widget));
        return true;
    }

private:
    TFormHelp* FHelp;
};

} // namespace

// ------------------------------------------------------------------ the table

const std::vector<TFormHelp::TContext>& TFormHelp::Contexts() {
    using namespace bvhelp;
    static const std::vector<TContext> Table = {
        {Contents, "index.html"},
        {Main, "mainwindow.html"},
        {PrintPreview, "mainwindow.html#print"},
        {ComponentsTab, "components.html"},
        {FoundationTab, "foundation.html"},
        {FoundationKind + 0, "ground-slab.html"},
        {FoundationKind + 1, "ground-lowdensity.html"},
        {FoundationKind + 2, "ground-vertical.html"},
        {FoundationKind + 3, "ground-horizontal.html"},
        {FoundationKind + 4, "ground-crawlspace.html"},
        {FoundationKind + 5, "ground-cellar.html"},
        {FoundationKind + 6, "ground-alba-slab.html"},
        {FoundationKind + 7, "ground-alba-crawlspace.html"},
        {FoundationKind + 8, "ground-finland1.html"},
        {FoundationKind + 9, "ground-finland2.html"},
        {FoundationKind + 10, "ground-finland3.html"},
        {FoundationKind + 11, "ground-finland4.html"},
        {BuildingTab, "building.html"},
        {ResultTab, "result.html"},
        {WindowEdit, "editor-window.html"},
        {DoorEdit, "editor-door.html"},
        {WindowSelect, "archives.html#windows"},
        {DoorSelect, "archives.html#doors"},
        {LayeredEdit, "editor-layers.html"},
        {LayeredSelect, "archives.html#constructions"},
        {FileHandler, "filehandler.html"},
        {Export, "exchange.html#export"},
        {ImportQuestion, "exchange.html#conflict"},
        {ImportProgress, "exchange.html#import"},
        {MaterialManager, "materials.html"},
        {MaterialExport, "materials.html#export"},
        {MaterialImport, "materials.html#import"},
        {About, "about.html"},
        {Language, "language.html"},
        {HelpWindow, "help.html"},
    };
    return Table;
}

QString TFormHelp::PageOfContext(int Context) {
    for (const TContext& C : Contexts()) {
        if (C.Number == Context) {
            return QString::fromLatin1(C.Page);
        }
    }
    return QStringLiteral("index.html");
}

QString TFormHelp::HelpRoot() { return QString::fromStdString(GetDataFolder()) + QStringLiteral("Help/"); }

int TFormHelp::ContextOf(const QWidget* Widget) {
    for (const QWidget* W = Widget; W != nullptr; W = W->parentWidget()) {
        bool Ok = false;
        const int C = W->property(bvhelp::kContextProperty).toInt(&Ok);
        if (Ok && C > 0) {
            return C;
        }
        // Reached from its tab bar: the page on show.
        if (const auto* Tabs = qobject_cast<const QTabWidget*>(W)) {
            if (const int P = PageContext(Tabs->currentWidget()); P > 0) {
                return P;
            }
        }
    }
    return bvhelp::Contents;
}

// ------------------------------------------------------------------ the window

TFormHelp::TFormHelp(QWidget* Parent) : QWidget(Parent, Qt::Window) {
    InitGuiResources();
    setObjectName(QStringLiteral("FormHelp"));
    setProperty(bvhelp::kContextProperty, bvhelp::HelpWindow);
    setWindowIcon(Icon("braskvalla"));
    // Reading the guide does not keep the application alive once the main
    // window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    FBar = new QToolBar(this);
    FBar->setObjectName(QStringLiteral("ToolBarHelp"));
    FBar->setIconSize(QSize(20, 20));
    FBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FBack = FBar->addAction(Icon("back"), QString());
    FBack->setObjectName(QStringLiteral("ActionBack"));
    FBack->setShortcut(QKeySequence::Back);
    FForward = FBar->addAction(Icon("forward"), QString());
    FForward->setObjectName(QStringLiteral("ActionForward"));
    FForward->setShortcut(QKeySequence::Forward);
    FHome = FBar->addAction(Icon("home"), QString());
    FHome->setObjectName(QStringLiteral("ActionHome"));
    FBack->setEnabled(false);
    FForward->setEnabled(false);
    FFind = new QAction(this);
    FFind->setObjectName(QStringLiteral("ActionFind"));
    FFind->setShortcut(QKeySequence::Find);
    addAction(FFind);

    FContents = new QTreeWidget;
    FContents->setObjectName(QStringLiteral("TreeWidgetContents"));
    FContents->setHeaderHidden(true);
    FContents->setRootIsDecorated(true);
    FContents->setUniformRowHeights(true);
    FContents->setIndentation(14);

    auto* SearchPage = new QWidget;
    SearchPage->setObjectName(QStringLiteral("TabSheetSearch"));
    FSearchEdit = new QLineEdit(SearchPage);
    FSearchEdit->setObjectName(QStringLiteral("LineEditSearch"));
    FSearchEdit->setClearButtonEnabled(true);
    FSearchButton = new QPushButton(SearchPage);
    FSearchButton->setObjectName(QStringLiteral("ButtonSearch"));
    FSearchCount = new QLabel(SearchPage);
    FSearchCount->setObjectName(QStringLiteral("LabelSearchCount"));
    FSearchCount->setWordWrap(true);
    FResults = new QListWidget(SearchPage);
    FResults->setObjectName(QStringLiteral("ListWidgetSearchResults"));
    FResults->setItemDelegate(new TResultDelegate(FResults));
    FResults->setResizeMode(QListView::Adjust);
    FResults->setAlternatingRowColors(true);
    FResults->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    FResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* SearchRow = new QHBoxLayout;
    SearchRow->addWidget(FSearchCount, 1);
    SearchRow->addWidget(FSearchButton, 0, Qt::AlignTop);
    auto* SearchLayout = new QVBoxLayout(SearchPage);
    SearchLayout->setContentsMargins(4, 4, 4, 4);
    SearchLayout->addWidget(FSearchEdit);
    SearchLayout->addLayout(SearchRow);
    SearchLayout->addWidget(FResults, 1);

    FSide = new QTabWidget;
    FSide->setObjectName(QStringLiteral("TabWidgetHelpSide"));
    FSide->addTab(FContents, QString());
    FSide->addTab(SearchPage, QString());

    FBrowser = new QTextBrowser;
    FBrowser->setObjectName(QStringLiteral("TextBrowserHelp"));
    FBrowser->setOpenLinks(false);
    FBrowser->document()->setDefaultStyleSheet(QString::fromLatin1(kStyle));
    FBrowser->document()->setDocumentMargin(12);

    auto* Split = new QSplitter(Qt::Horizontal, this);
    FSplit = Split;
    Split->setObjectName(QStringLiteral("SplitterHelp"));
    Split->addWidget(FSide);
    Split->addWidget(FBrowser);
    Split->setStretchFactor(0, 0);
    Split->setStretchFactor(1, 1);
    Split->setChildrenCollapsible(false);
    FSide->setMinimumWidth(180);
    FBrowser->setMinimumWidth(260);
    connect(Split, &QSplitter::splitterMoved, this, [this] { FSideChosen = true; });

    auto* Main = new QVBoxLayout(this);
    Main->setContentsMargins(0, 0, 0, 0);
    Main->setSpacing(0);
    Main->addWidget(FBar);
    Main->addWidget(Split, 1);

    connect(FBack, &QAction::triggered, FBrowser, &QTextBrowser::backward);
    connect(FForward, &QAction::triggered, FBrowser, &QTextBrowser::forward);
    connect(FHome, &QAction::triggered, this, [this] { OpenPage(QStringLiteral("index.html")); });
    connect(FFind, &QAction::triggered, this, [this] {
        FSide->setCurrentIndex(1);
        FSearchEdit->setFocus();
        FSearchEdit->selectAll();
    });
    connect(FBrowser, &QTextBrowser::backwardAvailable, FBack, &QAction::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, FForward, &QAction::setEnabled);
    connect(FBrowser, &QTextBrowser::anchorClicked, this, &TFormHelp::OpenUrl);
    connect(FBrowser, &QTextBrowser::sourceChanged, this, &TFormHelp::SourceChanged);
    const auto OpenItem = [this](QTreeWidgetItem* Item) {
        if (Item != nullptr) {
            OpenPage(Item->data(0, Qt::UserRole).toString());
        }
    };
    connect(FContents, &QTreeWidget::itemClicked, this, OpenItem);
    connect(FContents, &QTreeWidget::itemActivated, this, OpenItem);
    const auto RunSearch = [this] { Search(FSearchEdit->text()); };
    connect(FSearchEdit, &QLineEdit::returnPressed, this, RunSearch);
    connect(FSearchButton, &QPushButton::clicked, this, RunSearch);
    connect(FResults, &QListWidget::itemClicked, this, &TFormHelp::OpenResult);
    connect(FResults, &QListWidget::itemActivated, this, &TFormHelp::OpenResult);

    resize(980, 700);
    setMinimumSize(480, 360);
    FFolder = QString();
    RefreshFolder();
    ApplyTexts();
}

TFormHelp::~TFormHelp() {
    if (FOwner != nullptr) {
        FOwner->removeEventFilter(this);
    }
}

QString TFormHelp::TextLanguage() const {
    // The language of the pages shown; without pages, the one asked for.
    if (!FFolder.isEmpty()) {
        return QDir(FFolder).dirName();
    }
    return FCode;
}

void TFormHelp::ApplyTexts() {
    const TTexts& T = Texts(TextLanguage());
    setWindowTitle(T.Title);
    const auto Tip = [](const QString& Text, const QKeySequence& Keys) {
        return Keys.isEmpty() ? Text : QStringLiteral("%1 (%2)").arg(Text, Keys.toString(QKeySequence::NativeText));
    };
    FBack->setText(T.Back);
    FBack->setToolTip(Tip(T.Back, FBack->shortcut()));
    FForward->setText(T.Forward);
    FForward->setToolTip(Tip(T.Forward, FForward->shortcut()));
    FHome->setText(T.Home);
    FHome->setToolTip(T.Home);
    FSide->setTabText(0, T.Contents);
    FSide->setTabText(1, T.Search);
    FSearchEdit->setPlaceholderText(T.Placeholder);
    FSearchButton->setText(T.Search);
}

bool TFormHelp::RefreshFolder() {
    QString Found;
    for (const QString& C : Candidates(FCode)) {
        const QString Folder = HelpRoot() + C + QLatin1Char('/');
        if (QFileInfo(Folder).isDir()) {
            Found = Folder;
            break;
        }
    }
    if (Found == FFolder) {
        return false;
    }
    FFolder = Found;
    FPages.clear();
    FPagesRead = false;
    FResults->clear();
    FSearchCount->clear();
    // The pages of another folder start a history of their own, from the
    // first page shown there.
    FNewHistory = true;
    BuildContents();
    ApplyTexts();
    return true;
}

void TFormHelp::SetLanguageCode(const QString& Code) {
    FCode = Code.trimmed().toLower();
    if (FCode.isEmpty()) {
        FCode = QStringLiteral("sv");
    }
    ApplyTexts();
    if (!RefreshFolder() || !isVisible()) {
        return;
    }
    // The same page in the new language.
    OpenPage(FLastPage.isEmpty() ? QStringLiteral("index.html") : FLastPage);
}

QString TFormHelp::CurrentPage() const {
    if (FShowingMessage || FBrowser->source().isEmpty()) {
        return {};
    }
    return QFileInfo(FBrowser->source().toLocalFile()).fileName();
}

void TFormHelp::ShowContext(int Context) { ShowPage(PageOfContext(Context)); }

void TFormHelp::ShowPage(const QString& Page) {
    OpenPage(Page);
    Present();
}

void TFormHelp::OpenPage(const QString& Page) {
    RefreshFolder();
    FLastPage = Page;
    const qsizetype Hash = Page.indexOf(QLatin1Char('#'));
    const QString File = Hash < 0 ? Page : Page.left(Hash);
    const QString Anchor = Hash < 0 ? QString() : Page.mid(Hash + 1);
    if (FFolder.isEmpty() || !QFileInfo(FFolder + File).isFile()) {
        ShowMissing(File);
        return;
    }
    QUrl Url = QUrl::fromLocalFile(FFolder + File);
    if (!Anchor.isEmpty()) {
        Url.setFragment(Anchor);
    }
    FShowingMessage = false;
    FBrowser->setSource(Url);
    if (FNewHistory) {
        FBrowser->clearHistory();
        FNewHistory = false;
    }
    if (!Anchor.isEmpty()) {
        FBrowser->scrollToAnchor(Anchor);
    }
}

void TFormHelp::OpenUrl(const QUrl& Url) {
    const QString Scheme = Url.scheme().toLower();
    if (Scheme == QLatin1String("http") || Scheme == QLatin1String("https") || Scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(Url);
        return;
    }
    const QUrl Target = FBrowser->source().resolved(Url);
    if (!Target.isLocalFile()) {
        return;
    }
    const QFileInfo File(Target.toLocalFile());
    if (File.absolutePath() != QFileInfo(FFolder).absolutePath() && !FFolder.isEmpty()) {
        // A page of the guide links only to pages of its own folder.
        ShowMissing(File.fileName());
        return;
    }
    OpenPage(Target.fragment().isEmpty() ? File.fileName() : File.fileName() + QLatin1Char('#') + Target.fragment());
}

void TFormHelp::ShowMissing(const QString& File) {
    const TTexts& T = Texts(TextLanguage());
    FShowingMessage = true;
    QString Html;
    if (FFolder.isEmpty()) {
        QString Folders;
        for (const QString& C : Candidates(FCode)) {
            Folders += QStringLiteral("<li><code>%1</code></li>")
                           .arg(QDir::toNativeSeparators(HelpRoot() + C + QLatin1Char('/')).toHtmlEscaped());
        }
        Html = T.MissingGuide.arg(Folders);
    } else {
        Html = T.MissingPage.arg(File.toHtmlEscaped(), QDir::toNativeSeparators(FFolder).toHtmlEscaped());
    }
    FBrowser->setHtml(QStringLiteral("<html><body>%1</body></html>").arg(Html));
    FBrowser->setExtraSelections({});
}

void TFormHelp::SourceChanged(const QUrl& Source) {
    // Another page: the marks of a search belong to the page they were made
    // on. (While the signal runs, the browser's source() is still the page
    // before.)
    FBrowser->setExtraSelections({});
    if (Source.isLocalFile()) {
        const QString File = QFileInfo(Source.toLocalFile()).fileName();
        FLastPage = File + (Source.fragment().isEmpty() ? QString() : QLatin1Char('#') + Source.fragment());
        SelectInContents(File);
    }
}

void TFormHelp::Present() {
    // A modal dialog blocks every window but its own: while one runs, the
    // help becomes a window of that dialog, so that it can be read, scrolled
    // and searched.
    QWidget* Modal = QApplication::activeModalWidget();
    if (Modal == this || (Modal != nullptr && Modal->window() == window())) {
        Modal = nullptr;
    }
    if (Modal != nullptr || (FOwner != nullptr && !FOwner->isVisible())) {
        SetOwner(Modal);
    }
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TFormHelp::SetOwner(QWidget* Owner) {
    if (parentWidget() == Owner) {
        return;
    }
    if (FOwner != nullptr) {
        FOwner->removeEventFilter(this);
    }
    const bool Visible = isVisible();
    const QRect Place = geometry();
    setParent(Owner, Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false);
    if (Visible) {
        setGeometry(Place);
        show();
    }
    FOwner = Owner;
    if (Owner != nullptr) {
        Owner->installEventFilter(this);
    }
}

void TFormHelp::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    // Until the user moves the divider, the contents take about a quarter of
    // the width, so that the pages keep the room at a small size.
    if (!FSideChosen) {
        const int Side = std::clamp(width() * 27 / 100, 180, 340);
        FSplit->setSizes({Side, std::max(width() - Side, 1)});
    }
}

bool TFormHelp::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == FOwner && Event->type() == QEvent::Hide) {
        // The dialog closed: the help goes on as a window of its own, once
        // the dialog has finished closing.
        QTimer::singleShot(0, this, [this] {
            if (FOwner != nullptr && !FOwner->isVisible()) {
                SetOwner(nullptr);
            }
        });
    }
    return QWidget::eventFilter(Watched, Event);
}

// ------------------------------------------------------------------ contents

void TFormHelp::BuildContents() {
    FContents->clear();
    if (FFolder.isEmpty()) {
        return;
    }
    const QString Html = ReadUtf8(FFolder + QStringLiteral("index.html"));
    if (Html.isEmpty()) {
        return;
    }
    QTextDocument Doc;
    Doc.setHtml(Html);
    auto* Top = new QTreeWidgetItem(FContents, {Doc.metaInformation(QTextDocument::DocumentTitle)});
    Top->setData(0, Qt::UserRole, QStringLiteral("index.html"));
    // The contents page's lists: one item per link, nested as the lists are.
    std::vector<QTreeWidgetItem*> Open;
    for (QTextBlock B = Doc.begin(); B.isValid(); B = B.next()) {
        const QTextList* List = B.textList();
        if (List == nullptr) {
            continue;
        }
        QString Href;
        for (auto It = B.begin(); !It.atEnd(); ++It) {
            const QTextCharFormat F = It.fragment().charFormat();
            if (F.isAnchor() && !F.anchorHref().isEmpty()) {
                Href = F.anchorHref();
                break;
            }
        }
        if (Href.isEmpty()) {
            continue;
        }
        const size_t Level = static_cast<size_t>(std::max(1, List->format().indent()));
        Open.resize(std::min(Open.size(), Level - 1));
        QTreeWidgetItem* Item = Open.empty() ? new QTreeWidgetItem(FContents) : new QTreeWidgetItem(Open.back());
        Item->setText(0, B.text().simplified());
        Item->setToolTip(0, Item->text(0));
        Item->setData(0, Qt::UserRole, Href);
        Open.push_back(Item);
    }
    FContents->expandAll();
}

void TFormHelp::SelectInContents(const QString& Page) {
    const QSignalBlocker Block(FContents);
    QTreeWidgetItem* Found = nullptr;
    for (QTreeWidgetItemIterator It(FContents); *It != nullptr && Found == nullptr; ++It) {
        if ((*It)->data(0, Qt::UserRole).toString().section(QLatin1Char('#'), 0, 0) == Page) {
            Found = *It;
        }
    }
    FContents->setCurrentItem(Found);
    if (Found != nullptr) {
        FContents->scrollToItem(Found);
    }
}

// ------------------------------------------------------------------ search

const std::vector<TFormHelp::TPage>& TFormHelp::Pages() {
    if (FPagesRead || FFolder.isEmpty()) {
        return FPages;
    }
    FPagesRead = true;
    // In the order of the contents, then the pages it does not list.
    QStringList Order;
    for (QTreeWidgetItemIterator It(FContents); *It != nullptr; ++It) {
        const QString File = (*It)->data(0, Qt::UserRole).toString().section(QLatin1Char('#'), 0, 0);
        if (!Order.contains(File)) {
            Order << File;
        }
    }
    const QStringList Files = QDir(FFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& F : Files) {
        if (!Order.contains(F)) {
            Order << F;
        }
    }
    for (const QString& File : Order) {
        if (!Files.contains(File)) {
            continue;
        }
        QTextDocument Doc;
        Doc.setHtml(ReadUtf8(FFolder + File));
        QString Title = Doc.metaInformation(QTextDocument::DocumentTitle);
        FPages.push_back({File, Title.isEmpty() ? File : Title, Doc.toPlainText()});
    }
    return FPages;
}

int TFormHelp::Search(const QString& Text) {
    const TTexts& T = Texts(TextLanguage());
    RefreshFolder();
    FResults->clear();
    const QStringList Words = Text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (Words.isEmpty()) {
        FSearchCount->clear();
        return 0;
    }
    if (FFolder.isEmpty()) {
        FSearchCount->setText(T.NoGuide);
        return 0;
    }
    // The pages with every word; those whose title holds them all first, then
    // by how often the words occur, then in the order of the contents. The
    // contents page itself only repeats the titles.
    struct THit {
        const TPage* Page;
        bool InTitle;
        qsizetype Count;
    };
    std::vector<THit> Hits;
    for (const TPage& P : Pages()) {
        if (P.File == QLatin1String("index.html")) {
            continue;
        }
        bool All = true;
        bool InTitle = true;
        qsizetype Count = 0;
        for (const QString& W : Words) {
            const bool Title = P.Title.contains(W, Qt::CaseInsensitive);
            const qsizetype N = P.Text.count(W, Qt::CaseInsensitive);
            All = All && (Title || N > 0);
            InTitle = InTitle && Title;
            Count += N;
        }
        if (All) {
            Hits.push_back({&P, InTitle, Count});
        }
    }
    std::stable_sort(Hits.begin(), Hits.end(), [](const THit& A, const THit& B) {
        return A.InTitle != B.InTitle ? A.InTitle : A.Count > B.Count;
    });
    for (const THit& H : Hits) {
        auto* Item = new QListWidgetItem(H.Page->Title, FResults);
        Item->setData(kFileRole, H.Page->File);
        Item->setData(kWordsRole, Words);
        Item->setData(kTitleRole, H.Page->Title);
        Item->setData(kSnippetRole, Snippet(H.Page->Text, Words.first()));
        Item->setToolTip(H.Page->Title);
    }
    const int Found = static_cast<int>(Hits.size());
    FSearchCount->setText(Found == 0 ? T.NoPage : Found == 1 ? T.OnePage : T.Pages.arg(Found));
    return Found;
}

void TFormHelp::OpenResult(QListWidgetItem* Item) {
    if (Item == nullptr) {
        return;
    }
    OpenPage(Item->data(kFileRole).toString());
    if (!FShowingMessage) {
        Highlight(Item->data(kWordsRole).toStringList());
    }
}

void TFormHelp::Highlight(const QStringList& Words) {
    QTextDocument* Doc = FBrowser->document();
    QTextCharFormat Mark;
    Mark.setBackground(palette().color(QPalette::Highlight));
    Mark.setForeground(palette().color(QPalette::HighlightedText));
    QList<QTextEdit::ExtraSelection> Marks;
    int First = -1;
    for (const QString& W : Words) {
        for (QTextCursor C = Doc->find(W); !C.isNull(); C = Doc->find(W, C)) {
            Marks.append({C, Mark});
            if (First < 0 || C.selectionStart() < First) {
                First = C.selectionStart();
            }
        }
    }
    FBrowser->setExtraSelections(Marks);
    if (First >= 0) {
        QTextCursor Caret(Doc);
        Caret.setPosition(First);
        FBrowser->setTextCursor(Caret);
        FBrowser->ensureCursorVisible();
    }
}

// ------------------------------------------------------------------ F1

void InstallHelpKey(TFormHelp* Help) { qApp->installEventFilter(new THelpKey(Help)); }
