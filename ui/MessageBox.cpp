#include "ui/MessageBox.h"

#include <QApplication>
#include <QDialog>
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
    if (State().TestMode) {
        Dialog.show();
        return QDialog::Rejected;
    }
    return Dialog.exec();
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
