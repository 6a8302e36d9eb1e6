#include "ui/bind/DataSource.h"

#include "ui/MessageBox.h"
#include "ui/bind/FieldFormat.h"

#include <optional>

TDataSource::TDataSource(TDataset& Dataset, QObject* Parent) : QObject(Parent), FDataset(Dataset) {
    FListener = FDataset.AddListener([this](TDataset&, TDatasetEvent Event, TField* Field) {
        switch (Event) {
        case TDatasetEvent::Scroll:
            emit DataChanged();
            break;
        case TDatasetEvent::Refresh:
            emit RowsChanged();
            emit DataChanged();
            break;
        case TDatasetEvent::FieldChange:
            emit FieldChanged(Field != nullptr ? QString::fromStdString(Field->FieldName()) : QString());
            break;
        case TDatasetEvent::StateChange:
            emit StateChanged();
            break;
        case TDatasetEvent::AfterPost:
        case TDatasetEvent::AfterDelete:
            emit RowsChanged();
            break;
        }
    });
}

TDataSource::~TDataSource() { FDataset.RemoveListener(FListener); }

std::string TDataSource::TableName() const { return FDataset.TableName(); }

void TDataSource::Report(const QString& Caption, const QString& Why, QWidget* Parent) {
    TMessageBox::Inform(Parent,
                        QStringLiteral("Värdet i fältet \"%1\" kan inte sparas: %2.\nFältet visar det sparade värdet igen.")
                            .arg(Caption, Why));
}

bool TDataSource::WriteText(const std::string& Field, const QString& Text, const QString& Caption, QWidget* Parent) {
    TField* F = FDataset.FindField(Field);
    if (F == nullptr || !FDataset.Active()) {
        return false;
    }
    const TParsedInput In = ParseFieldInput(*F, FDataset.TableName(), Text);
    if (!In.Error.isEmpty()) {
        Report(Caption, In.Error, Parent);
        emit DataChanged();
        return false;
    }
    return Write(Field, In.Value, Caption, Parent);
}

bool TDataSource::WriteValue(const std::string& Field, const TValue& Value, const QString& Caption, QWidget* Parent) {
    if (FDataset.FindField(Field) == nullptr || !FDataset.Active()) {
        return false;
    }
    return Write(Field, Value, Caption, Parent);
}

bool TDataSource::Write(const std::string& Field, const TValue& Value, const QString& Caption, QWidget* Parent) {
    if (FDataset.IsEmpty() && FDataset.State() == TDatasetState::Browse) {
        emit DataChanged();
        return false;
    }
    // The stored value again (a reformatted display, the same list entry):
    // nothing to write, and the building is not marked changed.
    if (FDataset.State() == TDatasetState::Browse && SameStoredValue(FDataset.FieldByName(Field).Value(), Value)) {
        return true;
    }
    if (FValidator) {
        const QString Why = FValidator(Field, Value);
        if (!Why.isEmpty()) {
            Report(Caption, Why, Parent);
            emit DataChanged();
            return false;
        }
    }
    const bool Started = FDataset.State() == TDatasetState::Browse;
    TField& F = FDataset.FieldByName(Field);
    std::optional<TValue> Old;
    try {
        if (Started) {
            FDataset.Edit();
        }
        Old = F.Value();
        F.SetValue(Value);
        if (FAutoPost) {
            FDataset.Post();
        }
        return true;
    } catch (const std::exception& E) {
        // Nothing half-written stays: a row this write put into edit goes
        // back to what is stored; a row that was already being edited keeps
        // its other pending values and gets this field's value back.
        try {
            if (Started && FDataset.State() != TDatasetState::Browse) {
                FDataset.Cancel();
            } else if (!Started && Old && FDataset.State() != TDatasetState::Browse) {
                F.SetValue(*Old);
            }
        } catch (...) {
        }
        Report(Caption, QString::fromUtf8(E.what()), Parent);
        emit DataChanged();
        return false;
    }
}
