#include "ui/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <deque>

namespace {
struct TState {
    QString Title = QStringLiteral("Braskvalla");
    bool TestMode = false;
    std::deque<TMessageBox::TAnswer> Answers;
    std::deque<std::pair<bool, QString>> Texts; // false: Cancel
    std::deque<std::pair<bool, QString>> Files; // false: Cancel
    std::deque<std::function<void(QDialog&)>> DialogActions;
    QStringList Shown;
};
TState& State() {
    static TState S;
    return S;
}
} // namespace

void TMessageBox::SetTitle(const QString& Title) { State().Title = Title; }
void TMessageBox::SetTestMode(bool On) { State().TestMode = On; }
bool TMessageBox::TestMode() { return State().TestMode; }
void TMessageBox::SetNextAnswer(TAnswer Answer) { State().Answers.push_back(Answer); }
const QStringList& TMessageBox::Shown() { return State().Shown; }
void TMessageBox::ClearShown() {
    State().Shown.clear();
    State().Answers.clear();
    State().Texts.clear();
    State().Files.clear();
    State().DialogActions.clear();
}

void TMessageBox::SetNextText(std::optional<QString> Answer) {
    State().Texts.emplace_back(Answer.has_value(), Answer.value_or(QString()));
}

std::optional<QString> TMessageBox::AskText(QWidget* Parent, const QString& Prompt, const QString& Proposal) {
    TState& S = State();
    S.Shown.push_back(Prompt);
    if (S.TestMode) {
        if (S.Texts.empty()) {
            return std::nullopt;
        }
        const auto [Given, Text] = S.Texts.front();
        S.Texts.pop_front();
        if (!Given) {
            return std::nullopt;
        }
        return Text;
    }
    bool Ok = false;
    const QString Text = QInputDialog::getText(Parent != nullptr ? Parent : QApplication::activeWindow(), S.Title,
                                               Prompt, QLineEdit::Normal, Proposal, &Ok);
    if (!Ok) {
        return std::nullopt;
    }
    return Text;
}

int TMessageBox::RunDialog(QDialog& Dialog) {
    TState& S = State();
    if (S.TestMode) {
        Dialog.setResult(QDialog::Rejected);
        Dialog.show();
        if (!S.DialogActions.empty()) {
            const auto Action = S.DialogActions.front();
            S.DialogActions.pop_front();
            Action(Dialog);
        }
        return Dialog.result();
    }
    return Dialog.exec();
}

void TMessageBox::SetNextDialogAction(std::function<void(QDialog&)> Action) {
    State().DialogActions.push_back(std::move(Action));
}

void TMessageBox::SetNextFile(std::optional<QString> Path) {
    State().Files.emplace_back(Path.has_value(), Path.value_or(QString()));
}

namespace {
std::optional<QString> NextFile() {
    TState& S = State();
    if (S.Files.empty()) {
        return std::nullopt;
    }
    const auto [Given, Path] = S.Files.front();
    S.Files.pop_front();
    if (!Given) {
        return std::nullopt;
    }
    return Path;
}

QString WithSuffix(QString Path, const QString& Suffix) {
    if (!Path.isEmpty() && QFileInfo(Path).suffix().isEmpty() && !Suffix.isEmpty()) {
        Path += QLatin1Char('.') + Suffix;
    }
    return Path;
}
} // namespace

std::optional<QString> TMessageBox::AskOpenFile(QWidget* Parent, const QString& Filter, const QString& Suffix) {
    if (State().TestMode) {
        return NextFile();
    }
    QFileDialog D(Parent != nullptr ? Parent : QApplication::activeWindow(), State().Title, QString(), Filter);
    D.setAcceptMode(QFileDialog::AcceptOpen);
    D.setFileMode(QFileDialog::ExistingFile);
    D.setDefaultSuffix(Suffix);
    if (D.exec() != QDialog::Accepted || D.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return D.selectedFiles().first();
}

std::optional<QString> TMessageBox::AskSaveFile(QWidget* Parent, const QString& Name, const QString& Filter,
                                                const QString& Suffix) {
    if (State().TestMode) {
        const std::optional<QString> P = NextFile();
        return P ? std::optional<QString>(WithSuffix(*P, Suffix)) : std::nullopt;
    }
    QFileDialog D(Parent != nullptr ? Parent : QApplication::activeWindow(), State().Title, QString(), Filter);
    D.setAcceptMode(QFileDialog::AcceptSave);
    D.setDefaultSuffix(Suffix);
    D.selectFile(Name);
    if (D.exec() != QDialog::Accepted || D.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return WithSuffix(D.selectedFiles().first(), Suffix);
}

void TMessageBox::Inform(QWidget* Parent, const QString& Text, TIcon Icon) { Show(Parent, Text, Icon, false); }

TMessageBox::TAnswer TMessageBox::Ask(QWidget* Parent, const QString& Text, TIcon Icon) {
    return Show(Parent, Text, Icon, true);
}

TMessageBox::TAnswer TMessageBox::Show(QWidget* Parent, const QString& Text, TIcon Icon, bool YesNo) {
    TState& S = State();
    S.Shown.push_back(Text);
    if (S.TestMode) {
        if (S.Answers.empty()) {
            return YesNo ? Yes : Ok;
        }
        const TAnswer A = S.Answers.front();
        S.Answers.pop_front();
        return A;
    }
    QMessageBox Box(Parent != nullptr ? Parent : QApplication::activeWindow());
    Box.setWindowTitle(S.Title);
    Box.setText(Text);
    switch (Icon) {
    case Information: Box.setIcon(QMessageBox::Information); break;
    case Warning: Box.setIcon(QMessageBox::Warning); break;
    case Critical: Box.setIcon(QMessageBox::Critical); break;
    case Question: Box.setIcon(QMessageBox::Question); break;
    }
    if (YesNo) {
        Box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        Box.setDefaultButton(QMessageBox::Yes);
        Box.setEscapeButton(QMessageBox::No);
        return Box.exec() == QMessageBox::Yes ? Yes : No;
    }
    Box.setStandardButtons(QMessageBox::Ok);
    Box.exec();
    return Ok;
}
