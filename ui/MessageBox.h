// Every question and message of the windows goes through TMessageBox, so that
// one place decides how they look and a test can answer them. In a test the
// boxes are never shown: each call takes the next answer queued with
// SetNextAnswer (or the box's default answer when none is queued) and is
// recorded, so the test can check what the user would have seen.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

class TMessageBox {
public:
    enum TAnswer { Ok, Yes, No, Cancel };
    enum TIcon { Information, Warning, Critical, Question };

    // A message with one OK button.
    static void Inform(QWidget* Parent, const QString& Text, TIcon Icon = Warning);
    // A Yes/No question; Yes is the default button.
    static TAnswer Ask(QWidget* Parent, const QString& Text, TIcon Icon = Question);

    // A one-line text question with OK and Cancel; nothing on Cancel. In
    // test mode the answer comes from SetNextText (Cancel when none is
    // queued), and the prompt is recorded like a message.
    static std::optional<QString> AskText(QWidget* Parent, const QString& Prompt, const QString& Proposal);
    static void SetNextText(std::optional<QString> Answer);

    // The file dialogs: a path, or nothing when the user cancels. Filter is
    // Qt's ("Braskvalla File (*.bvf);;..."); Suffix is added to a name typed
    // without one. In test mode the path comes from SetNextFile (cancel when
    // none is queued).
    static std::optional<QString> AskOpenFile(QWidget* Parent, const QString& Filter, const QString& Suffix);
    static std::optional<QString> AskSaveFile(QWidget* Parent, const QString& Name, const QString& Filter,
                                              const QString& Suffix);
    static void SetNextFile(std::optional<QString> Path);
    // In test mode the next dialog run through RunDialog is handed to
    // Action once it is shown (to press its buttons); RunDialog then
    // returns the dialog's result.
    static void SetNextDialogAction(std::function<void(QDialog&)> Action);

    // Runs a modal dialog (exec). In test mode the dialog is shown without a
    // modal loop and the call returns at once with QDialog::Rejected, so that
    // the test drives the open dialog's controls.
    static int RunDialog(QDialog& Dialog);

    // The application's caption, used as the title of every box.
    static void SetTitle(const QString& Title);

    // Test mode: no box is shown; answers come from the queue.
    static void SetTestMode(bool On);
    static bool TestMode();
    static void SetNextAnswer(TAnswer Answer);
    // The texts of the boxes raised since the last ClearShown, oldest first.
    static const QStringList& Shown();
    static void ClearShown();

private:
    static TAnswer Show(QWidget* Parent, const QString& Text, TIcon Icon, bool YesNo);
};
