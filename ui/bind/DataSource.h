// The bridge between a dataset view and the widgets bound to it: one data
// source per view, turning the view's callbacks into Qt signals, and the one
// place where a widget writes a typed value into the current row.
#pragma once

#include "db/Dataset.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

class TDataSource : public QObject {
    Q_OBJECT
public:
    // Dataset is borrowed and must outlive the data source.
    explicit TDataSource(TDataset& Dataset, QObject* Parent = nullptr);
    ~TDataSource() override;

    TDataset& Dataset() const { return FDataset; }
    std::string TableName() const;

    // Writes the text the user entered into Field of the current row and
    // posts the row; the value already stored writes nothing. Text that does
    // not fit the column (not a number, not a whole number, out of range, too
    // long), a value the validator refuses, or a row the database refuses
    // is reported with one message naming Caption (the field as the user
    // knows it); the row is then left as it was before. True when written.
    bool WriteText(const std::string& Field, const QString& Text, const QString& Caption, QWidget* Parent);
    // The same for a value chosen from a list.
    bool WriteValue(const std::string& Field, const TValue& Value, const QString& Caption, QWidget* Parent);

    // Whether a write posts the row at once (the default) or leaves it in
    // edit until the view posts it (a navigator's Post, moving to another row).
    void SetAutoPost(bool On) { FAutoPost = On; }
    // A rule a value must pass before it is written: returns why it cannot
    // be taken, in words for the user, or "" when it can.
    using TValidator = std::function<QString(const std::string& Field, const TValue& Value)>;
    void SetValidator(TValidator Validator) { FValidator = std::move(Validator); }

signals:
    // Another row became current, or the rows were re-read: every bound
    // widget shows the current row again.
    void DataChanged();
    // A field of the current row was set (by any writer).
    void FieldChanged(const QString& Field);
    // Browse, edit or insert state changed (a cancel shows the row again).
    void StateChanged();
    // The rows were re-read, a row was written or deleted: lists reload.
    void RowsChanged();

private:
    bool Write(const std::string& Field, const TValue& Value, const QString& Caption, QWidget* Parent);
    void Report(const QString& Caption, const QString& Why, QWidget* Parent);

    TDataset& FDataset;
    int FListener = 0;
    bool FAutoPost = true;
    TValidator FValidator;
};
