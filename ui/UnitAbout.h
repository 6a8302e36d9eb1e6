// The about window: the program and its version, the standards it follows,
// and who makes it.
#pragma once

#include <QDialog>

class QLabel;
class QTextEdit;

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* Parent = nullptr);
    void LabelURLClick();
    void LabelMailAdressClick();
    void ButtonCloseClick();
    // Shows the contact lines that have a text and hides the others (the
    // language file may leave some empty).
    void RefreshContacts();

private:
    QLabel* FURL;
    QLabel* FMail;
};
