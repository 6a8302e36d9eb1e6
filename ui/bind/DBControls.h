// Data-aware controls: each shows one field of the current row of a data
// source and, when editable, writes the user's input back into that row as
// the user leaves the control or presses Enter. They show the row's value
// again after every scroll, re-read, cancel and refused input.
#pragma once

#include "ui/bind/DataSource.h"
#include "ui/bind/FieldFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>
#include <optional>

// What a bound control shares: the data source, the field, the caption used
// in messages, and the display format.
class TFieldLink {
public:
    TFieldLink(TDataSource& Source, std::string Field) : FSource(&Source), FField(std::move(Field)) {}
    TDataSource& Source() const { return *FSource; }
    const std::string& Field() const { return FField; }
    // The name of the field in messages (its label's text).
    void SetCaption(const QString& Caption) { FCaption = Caption; }
    QString Caption() const { return FCaption.isEmpty() ? QString::fromStdString(FField) : FCaption; }
    void SetFormat(const TDisplayFormat& Format) { FFormat = Format; }
    // The field's value of the current row as text ("" without a row).
    QString Text() const;
    // Calls Show whenever the control must show the row again: another row,
    // a re-read, a change of state (a cancel), a set of this field.
    void Follow(QObject* Control, std::function<void()> Show);
    // Writes the text the user entered (TDataSource::WriteText); while it
    // runs, Committing() is true, so that the control does not show the
    // row's value over the text being written.
    bool Write(const QString& Text, QWidget* Parent);
    bool Committing() const { return FCommitting; }
    TField* FindField() const;

private:
    TDataSource* FSource;
    std::string FField;
    QString FCaption;
    std::optional<TDisplayFormat> FFormat;
    bool FCommitting = false;
};

// A one-line edit of a field. Numeric fields are right-aligned.
class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    TDBEdit(TDataSource& Source, const std::string& Field, QWidget* Parent = nullptr);
    TFieldLink& Link() { return FLink; }
    // Shows the field's value of the current row.
    void ShowValue();
    // Writes the text into the row when the user changed it; true when the
    // row now holds it.
    bool Commit();

protected:
    void focusOutEvent(QFocusEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    TFieldLink FLink;
};

// A multi-line text of a memo field, written as the user leaves it.
class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    TDBMemo(TDataSource& Source, const std::string& Field, QWidget* Parent = nullptr);
    TFieldLink& Link() { return FLink; }
    void ShowValue();
    bool Commit();

protected:
    void focusOutEvent(QFocusEvent* Event) override;

private:
    TFieldLink FLink;
};

// A read-only value: flat, selectable, aligned like the edits.
class TDBText : public QLabel {
    Q_OBJECT
public:
    TDBText(TDataSource& Source, const std::string& Field, QWidget* Parent = nullptr);
    TFieldLink& Link() { return FLink; }
    void ShowValue();

private:
    TFieldLink FLink;
};

// A check box of a truth-value field.
class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    TDBCheckBox(TDataSource& Source, const std::string& Field, const QString& Caption, QWidget* Parent = nullptr);
    TFieldLink& Link() { return FLink; }
    void ShowValue();

private:
    TFieldLink FLink;
    bool FShowing = false;
};

// A drop-down list of the rows of a list source (an archive view): it shows
// ListField, and choosing a row writes its KeyField into the bound field of
// the current row. A value without its list row shows no selection.
class TDBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    TDBLookupComboBox(TDataSource& Source, const std::string& Field, TDataSource& List, std::string KeyField,
                      std::string ListField, QWidget* Parent = nullptr);
    TFieldLink& Link() { return FLink; }
    void ShowValue();
    void ReloadList();

signals:
    // The user picked a row, with the mouse or a key, and it was written
    // (also when it was the row already chosen).
    void CloseUp();

private:
    void Picked(int Index);

    TFieldLink FLink;
    TDataSource& FList;
    std::string FKeyField;
    std::string FListField;
    std::vector<TValue> FKeys;
    bool FShowing = false;
};

// Writes a pending input of the focused bound control into its row, so that
// a command sees what the user typed.
void CommitFocusedInput();
