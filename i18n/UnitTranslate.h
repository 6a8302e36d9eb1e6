// The interface language: applying a language's texts to every window by the
// text table, reading the texts the windows show now, and the language
// window that lists the installed languages and remembers the chosen one.
#pragma once

#include "i18n/LanguageFile.h"
#include "i18n/TextTable.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QListWidget;
class QObject;
class QPushButton;
class TDataModuleBuildingData;
class TFormAbout;
class TFormArchiveSelect;
class TFormDoorEdit;
class TFormExport;
class TFormFileHandler;
class TFormImport;
class TFormLanguage;
class TFormMain;
class TFormOuterWallEdit;
class TFormWindowEdit;

// The windows and the module whose texts a language sets. A window left
// null is skipped.
struct TTranslationTargets {
    TFormMain* Main = nullptr;
    std::vector<TFormArchiveSelect*> Selects;
    TFormWindowEdit* WindowEdit = nullptr;
    TFormDoorEdit* DoorEdit = nullptr;
    TFormOuterWallEdit* LayeredEdit = nullptr;
    TFormFileHandler* FileHandler = nullptr;
    TFormExport* Export = nullptr;
    TFormImport* Import = nullptr;
    TFormLanguage* Language = nullptr;
    TFormAbout* About = nullptr;
    TDataModuleBuildingData* Data = nullptr;
};

namespace bvi18n {

// The object an entry of the text table sets in Window (a widget, an action
// or a menu); null when the window has no such control. For the window
// itself and message lists, the window.
QObject* FindTarget(QWidget* Window, const TTextEntry& Entry);

// What the entry's target in Window shows now; nothing when the window has
// no such control or the control is not of the kind the entry sets.
std::optional<QString> TargetText(QWidget* Window, const TTextEntry& Entry);
// True when O is a control of Window itself, not of a window it owns.
bool BelongsTo(const QObject* O, const QWidget* Window);

// The windows of a table entry (the three archive dialogs for Select).
std::vector<QWidget*> WindowsOf(const TTranslationTargets& Targets, TTextWindow Window);

// Sets text n of the language for n = 0..959 in ascending order, then the
// fixed texts that are the same in every language (window directions,
// report labels, the wind-exposure captions, the last line of the
// overwrite questions). A language with fewer texts sets the texts it has;
// the fixed texts are set in every case. A target that does not exist is
// skipped.
void SetLanguage(const TTranslationTargets& Targets, const TLanguage& Language);

// What every target shows now, one value per entry and window (for the
// three archive dialogs, three values), in table order.
QStringList ReadTargets(const TTranslationTargets& Targets);

// The texts 0..959 the windows show now (the first archive dialog for the
// three), the numbers no control reads left empty: a complete language file
// of the current texts.
QStringList CurrentTexts(const TTranslationTargets& Targets);

// Qt's own texts (standard buttons, file dialogs) in the language of the
// code; none for a code Qt has no translation of (its built-in English).
void SetQtLanguage(const QString& Code);

} // namespace bvi18n

// The language window: the installed languages of the data folder's
// "Language" folder; "Öppna" applies the chosen one and remembers it in
// "language.llf" of the data folder, "Avbryt" closes without a change. Not
// modal.
class TFormLanguage : public QDialog {
    Q_OBJECT
public:
    TFormLanguage(QString DataFolder, QWidget* Parent = nullptr);

    // The windows it translates; set before Start.
    void SetTargets(const TTranslationTargets& Targets);
    // The start-up: finds and reads the installed languages (a file that
    // cannot be read is skipped with a message naming it), fills the list,
    // and applies the remembered language when there is one.
    void Start();

    // The installed languages, in the order found.
    const std::vector<TLanguage>& Languages() const { return FLanguages; }
    // The language applied last (the built-in texts: an empty language).
    const TLanguage& Current() const { return FCurrent; }
    // Called after a language was applied (the help window follows it).
    std::function<void(const TLanguage&)> OnLanguageChanged;

    void SetLanguage(const TLanguage& Language);
    QString RememberedPath() const;
    const TTranslationTargets& Targets() const { return FTargets; }

    void IBEAntialiasButtonOpenClick();
    void IBEAntialiasButtonCancelClick();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    QString FDataFolder;
    TTranslationTargets FTargets;
    std::vector<TLanguage> FLanguages;
    TLanguage FCurrent;
    QListWidget* FList;
    QPushButton* FOpen;
    QPushButton* FCancel;
};
