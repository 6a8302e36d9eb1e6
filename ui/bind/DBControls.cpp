#include "ui/bind/DBControls.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {

bool IsNumericField(const TField* F) {
    return F != nullptr && (F->DataType() == TFieldType::Integer || F->DataType() == TFieldType::Double);
}

} // namespace

TField* TFieldLink::FindField() const {
    TDataset& D = FSource->Dataset();
    return D.Active() ? D.FindField(FField) : nullptr;
}

QString TFieldLink::Text() const {
    TDataset& D = FSource->Dataset();
    TField* F = FindField();
    if (F == nullptr || (D.IsEmpty() && D.State() == TDatasetState::Browse)) {
        return QString();
    }
    const TDisplayFormat Format = FFormat ? *FFormat : ColumnFormat(D.TableName(), FField);
    return FormatValue(F->Value(), Format);
}

void TFieldLink::Follow(QObject* Control, std::function<void()> Show) {
    QObject::connect(FSource, &TDataSource::DataChanged, Control, Show);
    QObject::connect(FSource, &TDataSource::StateChanged, Control, Show);
    QObject::connect(FSource, &TDataSource::FieldChanged, Control, [this, Show](const QString& F) {
        if (F.compare(QString::fromStdString(FField), Qt::CaseInsensitive) == 0) {
            Show();
        }
    });
}

bool TFieldLink::Write(const QString& Text, QWidget* Parent) {
    FCommitting = true;
    try {
        const bool Ok = FSource->WriteText(FField, Text, Caption(), Parent);
        FCommitting = false;
        return Ok;
    } catch (...) {
        FCommitting = false;
        throw;
    }
}

// ------------------------------------------------------------------ TDBEdit

TDBEdit::TDBEdit(TDataSource& Source, const std::string& Field, QWidget* Parent)
    : QLineEdit(Parent), FLink(Source, Field) {
    if (IsNumericField(FLink.FindField())) {
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (const TField* F = FLink.FindField(); F != nullptr && F->Size() > 0) {
        setMaxLength(F->Size());
    }
    FLink.Follow(this, [this] { ShowValue(); });
    ShowValue();
}

void TDBEdit::ShowValue() {
    if (FLink.Committing()) {
        return;
    }
    const QString T = FLink.Text();
    if (text() != T) {
        setText(T);
    }
    setCursorPosition(0);
    setModified(false);
}

bool TDBEdit::Commit() {
    if (!isModified() || FLink.Committing() || isReadOnly()) {
        return true;
    }
    const bool Ok = FLink.Write(text(), this);
    ShowValue();
    return Ok;
}

void TDBEdit::focusOutEvent(QFocusEvent* Event) {
    QLineEdit::focusOutEvent(Event);
    // A popup (the context menu) takes the focus without leaving the field.
    if (Event->reason() != Qt::PopupFocusReason) {
        Commit();
    }
}

void TDBEdit::keyPressEvent(QKeyEvent* Event) {
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) {
        Commit();
        selectAll();
        return;
    }
    if (Event->key() == Qt::Key_Escape && isModified()) {
        ShowValue();
        return;
    }
    QLineEdit::keyPressEvent(Event);
}

// ------------------------------------------------------------------ TDBMemo

TDBMemo::TDBMemo(TDataSource& Source, const std::string& Field, QWidget* Parent)
    : QPlainTextEdit(Parent), FLink(Source, Field) {
    setTabChangesFocus(true);
    FLink.Follow(this, [this] { ShowValue(); });
    ShowValue();
}

void TDBMemo::ShowValue() {
    if (FLink.Committing()) {
        return;
    }
    const QString T = FLink.Text();
    if (toPlainText() != T) {
        setPlainText(T);
    }
    document()->setModified(false);
}

bool TDBMemo::Commit() {
    if (!document()->isModified() || FLink.Committing() || isReadOnly()) {
        return true;
    }
    const bool Ok = FLink.Write(toPlainText(), this);
    ShowValue();
    return Ok;
}

void TDBMemo::focusOutEvent(QFocusEvent* Event) {
    QPlainTextEdit::focusOutEvent(Event);
    if (Event->reason() != Qt::PopupFocusReason) {
        Commit();
    }
}

// ------------------------------------------------------------------ TDBText

TDBText::TDBText(TDataSource& Source, const std::string& Field, QWidget* Parent)
    : QLabel(Parent), FLink(Source, Field) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setAlignment(IsNumericField(FLink.FindField()) ? (Qt::AlignRight | Qt::AlignVCenter)
                                                   : (Qt::AlignLeft | Qt::AlignVCenter));
    connect(&Source, &TDataSource::DataChanged, this, &TDBText::ShowValue);
    connect(&Source, &TDataSource::StateChanged, this, &TDBText::ShowValue);
    connect(&Source, &TDataSource::RowsChanged, this, &TDBText::ShowValue);
    connect(&Source, &TDataSource::FieldChanged, this, &TDBText::ShowValue);
    ShowValue();
}

void TDBText::ShowValue() { setText(FLink.Text()); }

// ------------------------------------------------------------------ TDBCheckBox

TDBCheckBox::TDBCheckBox(TDataSource& Source, const std::string& Field, const QString& Caption, QWidget* Parent)
    : QCheckBox(Caption, Parent), FLink(Source, Field) {
    FLink.SetCaption(Caption);
    FLink.Follow(this, [this] { ShowValue(); });
    connect(this, &QCheckBox::clicked, this, [this](bool On) {
        if (!FShowing) {
            FLink.Source().WriteValue(FLink.Field(), TValue(int64_t{On ? 1 : 0}), FLink.Caption(), this);
            ShowValue();
        }
    });
    ShowValue();
}

void TDBCheckBox::ShowValue() {
    TField* F = FLink.FindField();
    const TDataset& D = FLink.Source().Dataset();
    FShowing = true;
    setChecked(F != nullptr && !(D.IsEmpty() && D.State() == TDatasetState::Browse) && F->AsBoolean());
    FShowing = false;
}

// ------------------------------------------------------------------ TDBLookupComboBox

TDBLookupComboBox::TDBLookupComboBox(TDataSource& Source, const std::string& Field, TDataSource& List,
                                     std::string KeyField, std::string ListField, QWidget* Parent)
    : QComboBox(Parent), FLink(Source, Field), FList(List), FKeyField(std::move(KeyField)),
      FListField(std::move(ListField)) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    FLink.Follow(this, [this] { ShowValue(); });
    connect(&FList, &TDataSource::RowsChanged, this, &TDBLookupComboBox::ReloadList);
    connect(this, qOverload<int>(&QComboBox::activated), this, &TDBLookupComboBox::Picked);
    ReloadList();
}

void TDBLookupComboBox::ReloadList() {
    TDataset& L = FList.Dataset();
    FShowing = true;
    clear();
    FKeys.clear();
    if (L.Active()) {
        const TField* K = L.FindField(FKeyField);
        const TField* T = L.FindField(FListField);
        if (K != nullptr && T != nullptr) {
            for (int R = 1; R <= L.RecordCount(); ++R) {
                FKeys.push_back(L.RowValue(R, K->Index()));
                addItem(FormatValue(L.RowValue(R, T->Index()), {}));
            }
        }
    }
    FShowing = false;
    ShowValue();
}

void TDBLookupComboBox::ShowValue() {
    TField* F = FLink.FindField();
    int Index = -1;
    if (F != nullptr && !(FLink.Source().Dataset().IsEmpty() &&
                          FLink.Source().Dataset().State() == TDatasetState::Browse)) {
        const TValue V = F->Value();
        const bool Text = std::holds_alternative<std::string>(V);
        for (size_t I = 0; I < FKeys.size(); ++I) {
            const TValue& K = FKeys[I];
            const bool Match = Text && std::holds_alternative<std::string>(K)
                                   ? SameText(std::get<std::string>(K), std::get<std::string>(V))
                                   : SameStoredValue(K, V);
            if (Match) {
                Index = static_cast<int>(I);
                break;
            }
        }
    }
    FShowing = true;
    setCurrentIndex(Index);
    FShowing = false;
}

void TDBLookupComboBox::Picked(int Index) {
    if (FShowing || Index < 0 || Index >= static_cast<int>(FKeys.size())) {
        return;
    }
    const bool Ok = FLink.Source().WriteValue(FLink.Field(), FKeys[static_cast<size_t>(Index)], FLink.Caption(), this);
    ShowValue();
    if (Ok) {
        emit CloseUp();
    }
}

void CommitFocusedInput() {
    QWidget* W = QApplication::focusWidget();
    if (auto* E = qobject_cast<TDBEdit*>(W)) {
        E->Commit();
    } else if (auto* M = qobject_cast<TDBMemo*>(W)) {
        M->Commit();
    }
}
