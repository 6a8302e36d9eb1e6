#include "i18n/UnitTranslate.h"

#include "data/UnitBuildingData.h"
#include "db/FileIO.h"
#include "ui/MessageBox.h"
#include "ui/UnitAbout.h"
#include "ui/UnitArchiveSelect.h"
#include "ui/UnitDoorEdit.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitMain.h"
#include "ui/UnitMainLayout.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/UnitWindowEdit.h"
#include "ui/help/HelpContexts.h"
#include "ui/bind/DBTableModel.h"
#include "ui/exchange/UnitExport.h"
#include "ui/exchange/UnitImport.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>

#include <map>

namespace bvi18n {

namespace {

using P = TTextProperty;

// The texts that are the same in every language.
const char* const kDirectionNames[kDirectionCount] = {"Norr", "Söder", "Väster", "Öster", "Horisontell"};
const char* const kWindExposure = "Vindexponering";
const char* const kWindExposureHint = "Vindexponering|Exponering för vind i procent";
const char* const kOverwrite = "Vill du skriva över?";

// A tool tip of an action with a shortcut names the keys after the text.
QString ShortcutSuffix(const QAction* A) {
    return A->shortcut().isEmpty() ? QString()
                                   : QStringLiteral(" (%1)").arg(A->shortcut().toString(QKeySequence::NativeText));
}

void SetHintParts(QObject* T, const QString& Short, const QString& Long) {
    if (auto* A = qobject_cast<QAction*>(T)) {
        A->setToolTip(Short + ShortcutSuffix(A));
        A->setStatusTip(Long);
    } else if (auto* W = qobject_cast<QWidget*>(T)) {
        W->setToolTip(Short);
        W->setStatusTip(Long);
    }
}

QString ShortHint(const QObject* T) {
    if (const auto* A = qobject_cast<const QAction*>(T)) {
        QString Tip = A->toolTip();
        const QString Suffix = ShortcutSuffix(A);
        if (!Suffix.isEmpty() && Tip.endsWith(Suffix)) {
            Tip.chop(Suffix.size());
        }
        return Tip;
    }
    const auto* W = qobject_cast<const QWidget*>(T);
    return W != nullptr ? W->toolTip() : QString();
}

QString LongHint(const QObject* T) {
    if (const auto* A = qobject_cast<const QAction*>(T)) {
        return A->statusTip();
    }
    const auto* W = qobject_cast<const QWidget*>(T);
    return W != nullptr ? W->statusTip() : QString();
}

// The tab of a page: W itself or the page scrolling in a tab.
std::pair<QTabWidget*, int> TabOf(QWidget* W) {
    QWidget* Page = W;
    QWidget* Viewport = W->parentWidget();
    if (auto* S = qobject_cast<QScrollArea*>(Viewport != nullptr ? Viewport->parentWidget() : nullptr);
        S != nullptr && S->widget() == W) {
        Page = S;
    }
    QWidget* Stack = Page->parentWidget();
    auto* Tabs = qobject_cast<QTabWidget*>(Stack != nullptr ? Stack->parentWidget() : nullptr);
    const int I = Tabs != nullptr ? Tabs->indexOf(Page) : -1;
    return {I >= 0 ? Tabs : nullptr, I};
}

bool SetCaption(QObject* T, const QString& Text) {
    if (auto* A = qobject_cast<QAction*>(T)) {
        A->setText(Text);
    } else if (auto* M = qobject_cast<QMenu*>(T)) {
        M->setTitle(Text);
    } else if (auto* L = qobject_cast<QLabel*>(T)) {
        L->setText(Text);
    } else if (auto* B = qobject_cast<QAbstractButton*>(T)) {
        B->setText(Text);
    } else if (auto* G = qobject_cast<QGroupBox*>(T)) {
        G->setTitle(Text);
    } else if (auto* W = qobject_cast<QWidget*>(T)) {
        const auto [Tabs, I] = TabOf(W);
        if (Tabs == nullptr) {
            return false;
        }
        Tabs->setTabText(I, Text);
    } else {
        return false;
    }
    return true;
}

std::optional<QString> Caption(QObject* T) {
    if (auto* A = qobject_cast<QAction*>(T)) {
        return A->text();
    }
    if (auto* M = qobject_cast<QMenu*>(T)) {
        return M->title();
    }
    if (auto* L = qobject_cast<QLabel*>(T)) {
        return L->text();
    }
    if (auto* B = qobject_cast<QAbstractButton*>(T)) {
        return B->text();
    }
    if (auto* G = qobject_cast<QGroupBox*>(T)) {
        return G->title();
    }
    if (auto* W = qobject_cast<QWidget*>(T)) {
        const auto [Tabs, I] = TabOf(W);
        if (Tabs != nullptr) {
            return Tabs->tabText(I);
        }
    }
    return std::nullopt;
}

QAbstractAxis* BottomAxis(QObject* T) {
    auto* View = qobject_cast<QChartView*>(T);
    if (View == nullptr || View->chart() == nullptr) {
        return nullptr;
    }
    const auto Axes = View->chart()->axes(Qt::Horizontal);
    return Axes.isEmpty() ? nullptr : Axes.first();
}

// The message list of a window; null for windows without one.
QStringList* MessagesOf(QWidget* W) {
    if (auto* M = qobject_cast<TFormMain*>(W)) {
        return &M->Messages;
    }
    if (auto* S = qobject_cast<TFormArchiveSelect*>(W)) {
        return &S->Messages;
    }
    if (auto* E = qobject_cast<TFormMemberEdit*>(W)) {
        return &E->Messages;
    }
    if (auto* E = qobject_cast<TFormOuterWallEdit*>(W)) {
        return &E->Messages;
    }
    if (auto* F = qobject_cast<TFormFileHandler*>(W)) {
        return &F->Messages;
    }
    if (auto* I = qobject_cast<TFormImport*>(W)) {
        return &I->Messages;
    }
    return nullptr;
}

void SetListItem(QStringList& List, int Index, const QString& Text) {
    while (List.size() <= Index) {
        List << QString();
    }
    List[Index] = Text;
}

// Sets one target; false when the control is missing or of the wrong kind.
bool SetText(QWidget* Window, const TTextEntry& E, const QString& Text, std::map<QObject*, QString>& ShortHints) {
    QObject* T = FindTarget(Window, E);
    if (T == nullptr) {
        return false;
    }
    switch (E.Property) {
    case P::Caption:
        return SetCaption(T, Text);
    case P::Title:
        Window->setWindowTitle(Text);
        return true;
    case P::Hint:
        if (auto* W = qobject_cast<QWidget*>(T)) {
            bvui::SetHint(W, Text);
            return true;
        }
        return false;
    case P::HintShort:
        ShortHints[T] = Text;
        return true;
    case P::HintLong: {
        const auto It = ShortHints.find(T);
        SetHintParts(T, It != ShortHints.end() ? It->second : ShortHint(T), Text);
        return true;
    }
    case P::Column:
        if (auto* G = qobject_cast<TDBGrid*>(T); G != nullptr && E.Index < int(G->Model().Columns().size())) {
            // A header has no mnemonic: the caption's "&" is dropped.
            G->Model().SetColumnTitle(E.Index, bvui::WithoutMnemonic(Text));
            return true;
        }
        return false;
    case P::Item:
        if (auto* C = qobject_cast<QComboBox*>(T); C != nullptr && E.Index < C->count()) {
            // In place: the selection stays, and no change handler runs.
            const QSignalBlocker Block(C);
            C->setItemText(E.Index, Text);
            return true;
        }
        return false;
    case P::GroundKind:
        if (auto* M = qobject_cast<TFormMain*>(Window); M != nullptr && E.Index < M->GroundTypeCaptions.size()) {
            M->GroundTypeCaptions[E.Index] = Text;
            auto* C = qobject_cast<QComboBox*>(T);
            for (size_t Pos = 0; C != nullptr && Pos < M->GroundTypes.size(); ++Pos) {
                if (M->GroundTypes[Pos] == E.Index && int(Pos) < C->count()) {
                    const QSignalBlocker Block(C);
                    C->setItemText(int(Pos), Text);
                }
            }
            return true;
        }
        return false;
    case P::Message:
        if (QStringList* L = MessagesOf(Window)) {
            SetListItem(*L, E.Index, Text);
            return true;
        }
        return false;
    case P::AxisTitle:
        if (QAbstractAxis* A = BottomAxis(T)) {
            A->setTitleText(Text);
            return true;
        }
        return false;
    case P::TextLine:
        if (auto* Box = qobject_cast<QTextEdit*>(T)) {
            // The box holds the lines of the table; line 0 starts it anew.
            QStringList Lines = E.Index == 0 ? QStringList() : Box->toPlainText().split(QLatin1Char('\n'));
            SetListItem(Lines, E.Index, Text);
            Box->setPlainText(Lines.join(QLatin1Char('\n')));
            return true;
        }
        return false;
    case P::BaseName:
        return false; // the building data module's, set by the caller
    }
    return false;
}

void SetModuleText(TDataModuleBuildingData& Data, const TTextEntry& E, const QString& Text) {
    if (E.Property == P::BaseName) {
        Data.SetDefaultName(E.Index, Text.toStdString());
    } else if (E.Property == P::Message) {
        auto& L = Data.Messages();
        if (L.size() <= size_t(E.Index)) {
            L.resize(size_t(E.Index) + 1);
        }
        L[size_t(E.Index)] = Text.toStdString();
    }
}

QString ModuleText(TDataModuleBuildingData& Data, const TTextEntry& E) {
    if (E.Property == P::BaseName) {
        return QString::fromStdString(Data.DefaultName(E.Index));
    }
    const auto& L = Data.Messages();
    return size_t(E.Index) < L.size() ? QString::fromStdString(L[size_t(E.Index)]) : QString();
}

void SetFixedTexts(const TTranslationTargets& T) {
    if (T.Data != nullptr) {
        std::array<std::string, kDirectionCount> Names;
        for (int D = 0; D < kDirectionCount; ++D) {
            Names[size_t(D)] = kDirectionNames[D];
        }
        T.Data->SetDirectionNames(Names);
    }
    if (T.Main != nullptr) {
        T.Main->ReportParameters.SetLabelParameters();
        for (const char* Number : {"", "7"}) {
            if (auto* L = T.Main->findChild<QLabel*>(QStringLiteral("LabelWindShield") + QLatin1String(Number))) {
                L->setText(QString::fromUtf8(kWindExposure));
            }
            if (auto* E = T.Main->findChild<QWidget*>(QStringLiteral("DBEditWindShield") + QLatin1String(Number))) {
                bvui::SetHint(E, QString::fromUtf8(kWindExposureHint));
            }
        }
    }
    for (TFormMemberEdit* E : std::initializer_list<TFormMemberEdit*>{T.WindowEdit, T.DoorEdit}) {
        if (E != nullptr) {
            SetListItem(E->Messages, 3, QString::fromUtf8(kOverwrite));
        }
    }
    if (T.LayeredEdit != nullptr) {
        SetListItem(T.LayeredEdit->Messages, 5, QString::fromUtf8(kOverwrite));
    }
}

} // namespace

std::optional<QString> TargetText(QWidget* Window, const TTextEntry& E) {
    QObject* T = FindTarget(Window, E);
    if (T == nullptr) {
        return std::nullopt;
    }
    switch (E.Property) {
    case P::Caption:
        return Caption(T);
    case P::Title:
        return Window->windowTitle();
    case P::Hint: {
        const QString S = ShortHint(T);
        const QString L = LongHint(T);
        return S == L ? S : S + QLatin1Char('|') + L;
    }
    case P::HintShort:
        return ShortHint(T);
    case P::HintLong:
        return LongHint(T);
    case P::Column:
        if (auto* G = qobject_cast<TDBGrid*>(T); G != nullptr && E.Index < int(G->Model().Columns().size())) {
            return G->Model().Columns()[size_t(E.Index)].Title;
        }
        return std::nullopt;
    case P::Item:
        if (auto* C = qobject_cast<QComboBox*>(T); C != nullptr && E.Index < C->count()) {
            return C->itemText(E.Index);
        }
        return std::nullopt;
    case P::GroundKind:
        if (auto* M = qobject_cast<TFormMain*>(Window); M != nullptr && E.Index < M->GroundTypeCaptions.size()) {
            return M->GroundTypeCaptions[E.Index];
        }
        return std::nullopt;
    case P::Message:
        if (QStringList* L = MessagesOf(Window)) {
            return L->value(E.Index);
        }
        return std::nullopt;
    case P::AxisTitle:
        if (QAbstractAxis* A = BottomAxis(T)) {
            return A->titleText();
        }
        return std::nullopt;
    case P::TextLine:
        if (auto* Box = qobject_cast<QTextEdit*>(T)) {
            return Box->toPlainText().split(QLatin1Char('\n')).value(E.Index);
        }
        return std::nullopt;
    case P::BaseName:
        return std::nullopt;
    }
    return std::nullopt;
}

bool BelongsTo(const QObject* O, const QWidget* Window) {
    // The dialogs are children of the main window: a control is the
    // window's own when no other window lies between them.
    for (const QObject* P = O; P != nullptr; P = P->parent()) {
        if (const auto* W = qobject_cast<const QWidget*>(P)) {
            if (qobject_cast<const QMenu*>(W) != nullptr) {
                continue; // a menu is a window of its own while it pops up
            }
            return W->window() == Window;
        }
    }
    return false;
}

QObject* FindTarget(QWidget* Window, const TTextEntry& Entry) {
    if (Window == nullptr) {
        return nullptr;
    }
    if (Entry.Control[0] == '\0') {
        return Window;
    }
    const QString Name = QString::fromLatin1(Entry.Control);
    QObject* Found = nullptr;
    for (QObject* O : Window->findChildren<QObject*>(Name)) {
        if (!BelongsTo(O, Window)) {
            continue;
        }
        // A toolbar button shows its action: the hint is the action's.
        if (auto* B = qobject_cast<QToolButton*>(O); B != nullptr && B->defaultAction() != nullptr) {
            return B->defaultAction();
        }
        if (Found == nullptr || (qobject_cast<QWidget*>(O) != nullptr && qobject_cast<QWidget*>(Found) == nullptr)) {
            Found = O;
        }
    }
    return Found;
}

std::vector<QWidget*> WindowsOf(const TTranslationTargets& T, TTextWindow Window) {
    switch (Window) {
    case TTextWindow::Main:
        return {T.Main};
    case TTextWindow::Select:
        return {T.Selects.begin(), T.Selects.end()};
    case TTextWindow::WindowEdit:
        return {T.WindowEdit};
    case TTextWindow::DoorEdit:
        return {T.DoorEdit};
    case TTextWindow::LayeredEdit:
        return {T.LayeredEdit};
    case TTextWindow::FileHandler:
        return {T.FileHandler};
    case TTextWindow::Export:
        return {T.Export};
    case TTextWindow::Import:
        return {T.Import};
    case TTextWindow::Language:
        return {T.Language};
    case TTextWindow::About:
        return {T.About};
    case TTextWindow::Data:
        return {};
    }
    return {};
}

void SetLanguage(const TTranslationTargets& Targets, const TLanguage& Language) {
    const QStringList& Texts = Language.Texts();
    std::map<QObject*, QString> ShortHints;
    for (const TTextEntry& E : TextTable()) {
        if (E.Number >= Texts.size()) {
            break; // a short file: the texts it has are set
        }
        const QString& Text = Texts[E.Number];
        if (E.Window == TTextWindow::Data) {
            if (Targets.Data != nullptr) {
                SetModuleText(*Targets.Data, E, Text);
            }
            continue;
        }
        for (QWidget* W : WindowsOf(Targets, E.Window)) {
            if (W != nullptr) {
                SetText(W, E, Text, ShortHints);
            }
        }
    }
    SetFixedTexts(Targets);
    if (Targets.About != nullptr) {
        Targets.About->RefreshContacts();
    }
}

QStringList ReadTargets(const TTranslationTargets& Targets) {
    QStringList Values;
    for (const TTextEntry& E : TextTable()) {
        if (E.Window == TTextWindow::Data) {
            Values << (Targets.Data != nullptr ? ModuleText(*Targets.Data, E) : QString());
            continue;
        }
        for (QWidget* W : WindowsOf(Targets, E.Window)) {
            Values << (W != nullptr ? TargetText(W, E).value_or(QString()) : QString());
        }
    }
    return Values;
}

QStringList CurrentTexts(const TTranslationTargets& Targets) {
    QStringList Texts;
    for (int N = 0; N < kTextCount; ++N) {
        Texts << QString();
    }
    std::vector<bool> Done(kTextCount, false);
    for (const TTextEntry& E : TextTable()) {
        if (Done[size_t(E.Number)]) {
            continue; // a number that feeds several controls: the first one's
        }
        Done[size_t(E.Number)] = true;
        if (E.Window == TTextWindow::Data) {
            if (Targets.Data != nullptr) {
                Texts[E.Number] = ModuleText(*Targets.Data, E);
            }
            continue;
        }
        const auto Windows = WindowsOf(Targets, E.Window);
        if (!Windows.empty() && Windows.front() != nullptr) {
            Texts[E.Number] = TargetText(Windows.front(), E).value_or(QString());
        }
    }
    return Texts;
}

namespace {

// Qt ships no Swedish texts of its own in every installation (Qt 6.4 on
// Debian has none): the standard buttons of message boxes and dialogs get
// theirs from here then.
class TSwedishButtons : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* Context, const char* Source, const char* /*Disambiguation*/,
                      int /*N*/) const override {
        if (qstrcmp(Context, "QPlatformTheme") != 0) {
            return {};
        }
        static const std::map<QByteArray, QString> Texts = {
            {"OK", QStringLiteral("OK")},
            {"Save", QStringLiteral("Spara")},
            {"Save All", QStringLiteral("Spara alla")},
            {"Open", QStringLiteral("Öppna")},
            {"&Yes", QStringLiteral("&Ja")},
            {"Yes to &All", QStringLiteral("Ja till &alla")},
            {"&No", QStringLiteral("&Nej")},
            {"N&o to All", QStringLiteral("N&ej till alla")},
            {"Abort", QStringLiteral("Avbryt")},
            {"Retry", QStringLiteral("Försök igen")},
            {"Ignore", QStringLiteral("Ignorera")},
            {"Close", QStringLiteral("Stäng")},
            {"Cancel", QStringLiteral("Avbryt")},
            {"Discard", QStringLiteral("Förkasta")},
            {"Help", QStringLiteral("Hjälp")},
            {"Apply", QStringLiteral("Verkställ")},
            {"Reset", QStringLiteral("Återställ")},
            {"Restore Defaults", QStringLiteral("Återställ standardvärden")},
        };
        const auto It = Texts.find(QByteArray(Source));
        return It == Texts.end() ? QString() : It->second;
    }
};

} // namespace

void SetQtLanguage(const QString& Code) {
    static QTranslator* Current = nullptr;
    if (Code.isEmpty() || qApp == nullptr) {
        return;
    }
    if (Current != nullptr) {
        QCoreApplication::removeTranslator(Current);
        delete Current;
        Current = nullptr;
    }
    if (Code == QLatin1String("en")) {
        return; // Qt's own texts
    }
    auto* T = new QTranslator(qApp);
    if (T->load(QLocale(Code), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        Current = T;
    } else {
        delete T;
        if (Code == QLatin1String("sv")) {
            Current = new TSwedishButtons(qApp);
        }
    }
    if (Current != nullptr) {
        QCoreApplication::installTranslator(Current);
    }
}

} // namespace bvi18n

// ------------------------------------------------------------ language window

TFormLanguage::TFormLanguage(QString DataFolder, QWidget* Parent) : QDialog(Parent), FDataFolder(std::move(DataFolder)) {
    setObjectName(QStringLiteral("FormLanguage"));
    setProperty(bvhelp::kContextProperty, bvhelp::Language);
    setWindowTitle(QStringLiteral("Languages"));
    setModal(false);
    auto* Label = new QLabel(QStringLiteral("Languages"), this);
    Label->setObjectName(QStringLiteral("LabelLanguages"));
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("ListBoxLanguages"));
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    Label->setBuddy(FList);
    FOpen = new QPushButton(QStringLiteral("Öppna"), this);
    FOpen->setObjectName(QStringLiteral("IBEAntialiasButtonOpen"));
    FOpen->setDefault(true);
    FCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    FCancel->setObjectName(QStringLiteral("IBEAntialiasButtonCancel"));
    connect(FOpen, &QPushButton::clicked, this, &TFormLanguage::IBEAntialiasButtonOpenClick);
    connect(FCancel, &QPushButton::clicked, this, &TFormLanguage::IBEAntialiasButtonCancelClick);
    connect(FList, &QListWidget::itemActivated, this, &TFormLanguage::IBEAntialiasButtonOpenClick);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(FOpen);
    Buttons->addWidget(FCancel);
    auto* Main = new QVBoxLayout(this);
    Main->addWidget(Label);
    Main->addWidget(FList, 1);
    Main->addLayout(Buttons);
    setMinimumSize(260, 240);
    resize(300, 320);
}

void TFormLanguage::SetTargets(const TTranslationTargets& Targets) {
    FTargets = Targets;
    FTargets.Language = this;
}

QString TFormLanguage::RememberedPath() const { return FDataFolder + QStringLiteral("language.llf"); }

void TFormLanguage::Start() {
    FLanguages.clear();
    FList->clear();
    for (const QString& Path : bvi18n::FindFile(FDataFolder + QStringLiteral("Language/*.llf"))) {
        TLanguage L;
        QString Error;
        if (!bvi18n::ReadLanguageFile(Path, L, Error)) {
            // One unreadable file costs only its own language.
            TMessageBox::Inform(nullptr, QStringLiteral("Språkfilen %1 kan inte läsas och visas inte i listan "
                                                        "över språk:\n%2")
                                             .arg(QDir::toNativeSeparators(Path), Error),
                                TMessageBox::Warning);
            continue;
        }
        FLanguages.push_back(std::move(L));
    }
    for (const TLanguage& L : FLanguages) {
        FList->addItem(L.Name());
    }
    const QString Remembered = RememberedPath();
    const QFileInfo Info(Remembered);
    if (!Info.exists() && !Info.isSymLink()) {
        return; // no language chosen yet: the built-in texts
    }
    TLanguage L;
    QString Error;
    if (!bvi18n::ReadLanguageFile(Remembered, L, Error)) {
        TMessageBox::Inform(nullptr, QStringLiteral("Det valda språket kan inte läsas från %1:\n%2\n\nBraskvalla "
                                                    "visar sina inbyggda texter.")
                                         .arg(QDir::toNativeSeparators(Remembered), Error),
                            TMessageBox::Warning);
        return;
    }
    SetLanguage(L);
}

void TFormLanguage::SetLanguage(const TLanguage& Language) {
    bvi18n::SetLanguage(FTargets, Language);
    FCurrent = Language;
    bvi18n::SetQtLanguage(Language.Code());
    if (OnLanguageChanged) {
        OnLanguageChanged(Language);
    }
}

void TFormLanguage::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    int Row = 0;
    for (int I = 0; I < int(FLanguages.size()); ++I) {
        if (FLanguages[size_t(I)].Name() == FCurrent.Name()) {
            Row = I;
            break;
        }
    }
    FList->setCurrentRow(FLanguages.empty() ? -1 : Row);
    FOpen->setEnabled(!FLanguages.empty());
    FList->setFocus();
}

void TFormLanguage::IBEAntialiasButtonOpenClick() {
    const int Row = FList->currentRow();
    if (Row < 0 || Row >= int(FLanguages.size())) {
        return;
    }
    const TLanguage L = FLanguages[size_t(Row)];
    SetLanguage(L);
    try {
        bvi18n::WriteLanguageFile(RememberedPath(), L);
    } catch (const std::exception& E) {
        TMessageBox::Inform(this, QStringLiteral("Språket används nu, men valet kan inte sparas till nästa start:\n%1")
                                      .arg(QString::fromUtf8(E.what())),
                            TMessageBox::Warning);
    }
    close();
}

void TFormLanguage::IBEAntialiasButtonCancelClick() { close(); }
