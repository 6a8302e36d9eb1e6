// The help window: the user guide (HTML pages in the data folder's
// Help/<language>/ folder) with its contents, back and forward, and a search
// over all pages of the language; and the F1 key that opens it at the page of
// the window the user works in.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

class TFormHelp : public QWidget {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget* Parent = nullptr);
    ~TFormHelp() override;

    // The language of the guide ("sv", "en", ...). A language without pages
    // of its own shows the Swedish pages, and without those the English
    // ones. The page shown stays the same page in the new language.
    void SetLanguageCode(const QString& Code);
    QString LanguageCode() const { return FCode; }
    // The folder whose pages are shown, with a trailing separator; empty
    // when none of the folders the language may use exists.
    QString PageFolder() const { return FFolder; }

    // Opens the page of a help context (an unknown number opens the
    // contents) and brings the window to the front, usable also while a
    // modal dialog runs.
    void ShowContext(int Context);
    // Opens a page of the guide by its file name ("method.html", with an
    // optional "#anchor") and brings the window to the front.
    void ShowPage(const QString& Page);
    // The file name of the page shown ("components.html"); empty while the
    // browser shows the message about a missing page or guide.
    QString CurrentPage() const;

    // Searches every page of the language for all the words of Text (letter
    // case ignored) and lists the pages found; their number.
    int Search(const QString& Text);

    // The pages of the help contexts: "file.html" or "file.html#anchor".
    struct TContext {
        int Number;
        const char* Page;
    };
    static const std::vector<TContext>& Contexts();
    static QString PageOfContext(int Context);
    // The guide's folder in the data folder, with a trailing separator.
    static QString HelpRoot();
    // The context of Widget: the property "helpContext" of the nearest
    // widget at or above it (for a tab control reached from outside its
    // pages, the page shown); the contents when there is none.
    static int ContextOf(const QWidget* Widget);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    struct TPage {
        QString File;
        QString Title;
        QString Text; // the plain text, for the search
    };

    // Follows the folder the language resolves to now (it may have been
    // installed or removed since); true when it changed.
    bool RefreshFolder();
    void OpenPage(const QString& Page);
    void OpenUrl(const QUrl& Url);
    void ShowMissing(const QString& File);
    void Present();
    void SetOwner(QWidget* Owner);
    void BuildContents();
    // Marks the page File in the contents.
    void SelectInContents(const QString& File);
    const std::vector<TPage>& Pages();
    void OpenResult(QListWidgetItem* Item);
    void Highlight(const QStringList& Words);
    void SourceChanged(const QUrl& Source);
    void ApplyTexts();
    QString TextLanguage() const;

    QString FCode = QStringLiteral("sv");
    QString FFolder;
    bool FShowingMessage = false;
    // The page last asked for ("file.html#anchor"), shown again in another
    // language.
    QString FLastPage;
    bool FNewHistory = false;
    std::vector<TPage> FPages;
    bool FPagesRead = false;
    QPointer<QWidget> FOwner;

    QToolBar* FBar;
    QAction* FBack;
    QAction* FForward;
    QAction* FHome;
    QAction* FFind;
    QTabWidget* FSide;
    QTreeWidget* FContents;
    QLineEdit* FSearchEdit;
    QPushButton* FSearchButton;
    QLabel* FSearchCount;
    QListWidget* FResults;
    QTextBrowser* FBrowser;
    class QSplitter* FSplit;
    bool FSideChosen = false;
};

// Makes F1 open the help at the context of the widget that has the keyboard
// focus, in every window of the application. The key lives as long as Help.
void InstallHelpKey(TFormHelp* Help);
