#include "ui/bind/FieldFormat.h"

#include "db/Dataset.h"

#include <QLocale>

#include <cmath>
#include <map>

namespace {

std::string Key(const std::string& Table, const std::string& Column) {
    return UpperCaseText(Table) + "." + UpperCaseText(Column);
}

// The display formats of the stored columns.
const std::map<std::string, TDisplayFormat>& Formats() {
    static const std::map<std::string, TDisplayFormat> M = {
        {"BUILDINGS.UVALUE", TDisplayFormat::UpToN(3)},
        {"BUILDINGS.CAPACITY", TDisplayFormat::Fixed0()},
        {"BUILDINGS.HEATUSAGE", TDisplayFormat::Fixed0()},
        {"BUILDINGS.HEATLOSSCOEFF", TDisplayFormat::UpToN(2)},
        {"LAYEREDCOMPONENTS.UVALUE", TDisplayFormat::FixedN(2)},
        {"LAYEREDCOMPONENTS.OUTERCAPACITY", TDisplayFormat::FixedN(2)},
        {"LAYEREDCOMPONENTS.INNERCAPACITY", TDisplayFormat::FixedN(2)},
        {"GROUNDS.GROUNDTHERMCOND", TDisplayFormat::FixedN(2)},
        {"GROUNDS.UVALUE", TDisplayFormat::FixedN(2)},
        {"GROUNDS.ISOCOND", TDisplayFormat::FixedN(2)},
        {"GROUNDS.UWALL", TDisplayFormat::FixedN(2)},
        {"MONTHS.INTGAIN", TDisplayFormat::Fixed0()},
        {"MONTHS.HEATUSAGE", TDisplayFormat::Fixed0()},
        {"MONTHS.UTILFACTOR", TDisplayFormat::Fixed0()},
        // Results the windows and the report show rounded: energies in
        // whole kWh, areas, times and shares with one decimal.
        {"BUILDINGS.SURFACEAREA", TDisplayFormat::UpToN(1)},
        {"BUILDINGS.TIMECONST", TDisplayFormat::UpToN(1)},
        {"BUILDINGS.HEATINGPERM2", TDisplayFormat::UpToN(1)},
        {"BUILDINGS.HEATINGPERSURFACE", TDisplayFormat::UpToN(1)},
        {"BUILDINGS.UTILFACTOR", TDisplayFormat::UpToN(1)},
        {"BUILDINGS.RADLOSS", TDisplayFormat::Fixed0()},
        {"BUILDINGS.VENTLOSS", TDisplayFormat::Fixed0()},
        {"BUILDINGS.VENTLOSSLEAK", TDisplayFormat::Fixed0()},
        {"BUILDINGS.VENTLOSSVENT", TDisplayFormat::Fixed0()},
        {"BUILDINGS.HEATLOSS", TDisplayFormat::Fixed0()},
        {"BUILDINGS.SOLARGAIN", TDisplayFormat::Fixed0()},
        {"BUILDINGS.INTGAIN", TDisplayFormat::Fixed0()},
        {"BUILDINGS.HEATGAIN", TDisplayFormat::Fixed0()},
        {"BUILDINGS.USEDHEATGAIN", TDisplayFormat::Fixed0()},
        {"BUILDINGS.RADLOSSCOEFF", TDisplayFormat::UpToN(2)},
        {"BUILDINGS.LEAKLOSSCOEFF", TDisplayFormat::UpToN(2)},
        {"BUILDINGS.VENTLOSSCOEFF", TDisplayFormat::UpToN(2)},
        {"MONTHS.RADLOSS", TDisplayFormat::Fixed0()},
        {"MONTHS.VENTLOSS", TDisplayFormat::Fixed0()},
        {"MONTHS.VENTLOSSLEAK", TDisplayFormat::Fixed0()},
        {"MONTHS.VENTLOSSVENT", TDisplayFormat::Fixed0()},
        {"MONTHS.HEATLOSS", TDisplayFormat::Fixed0()},
        {"MONTHS.SOLGAIN", TDisplayFormat::Fixed0()},
        {"LAYERS.RVALUE", TDisplayFormat::UpToN(3)},
        {"LAYERS.PENDEPTH", TDisplayFormat::UpToN(3)},
        {"LAYERS.RATIO", TDisplayFormat::UpToN(3)},
    };
    return M;
}

} // namespace

TDisplayFormat ColumnFormat(const std::string& Table, const std::string& Column) {
    const auto It = Formats().find(Key(Table, Column));
    return It == Formats().end() ? TDisplayFormat{} : It->second;
}

std::optional<TValueRange> ColumnRange(const std::string& Table, const std::string& Column) {
    if (Key(Table, Column) == "BUILDINGS.INTPUNDEFW") {
        return TValueRange{0, 999999};
    }
    return std::nullopt;
}

bool SameStoredValue(const TValue& A, const TValue& B) {
    const auto Num = [](const TValue& V) -> std::optional<double> {
        if (const auto* D = std::get_if<double>(&V)) {
            return *D;
        }
        if (const auto* I = std::get_if<int64_t>(&V)) {
            return static_cast<double>(*I);
        }
        return std::nullopt;
    };
    const auto NA = Num(A);
    const auto NB = Num(B);
    if (NA && NB) {
        return *NA == *NB;
    }
    return A == B;
}

QString FormatNumber(double Value, const TDisplayFormat& Format) {
    QLocale L;
    L.setNumberOptions(QLocale::OmitGroupSeparator);
    // A value that rounds to zero shows as 0, never as "-0".
    if (Format.Kind != TDisplayFormat::General &&
        std::fabs(Value) * std::pow(10.0, Format.Decimals) < 0.5) {
        Value = 0.0;
    }
    if (Value == 0.0) {
        Value = 0.0;
    }
    QString S;
    switch (Format.Kind) {
    case TDisplayFormat::General:
        S = L.toString(Value, 'f', QLocale::FloatingPointShortest);
        break;
    case TDisplayFormat::Fixed:
        S = L.toString(Value, 'f', Format.Decimals);
        break;
    case TDisplayFormat::UpTo: {
        S = L.toString(Value, 'f', Format.Decimals);
        const QString Dec = L.decimalPoint();
        if (Format.Decimals > 0 && S.contains(Dec)) {
            while (S.endsWith(QLatin1Char('0'))) {
                S.chop(1);
            }
            if (S.endsWith(Dec)) {
                S.chop(Dec.size());
            }
        }
        break;
    }
    }
    return S;
}

QString FormatValue(const TValue& Value, const TDisplayFormat& Format) {
    if (const auto* D = std::get_if<double>(&Value)) {
        return FormatNumber(*D, Format);
    }
    if (const auto* I = std::get_if<int64_t>(&Value)) {
        if (Format.Kind == TDisplayFormat::Fixed && Format.Decimals > 0) {
            return FormatNumber(static_cast<double>(*I), Format);
        }
        return QString::number(*I);
    }
    if (const auto* S = std::get_if<std::string>(&Value)) {
        return QString::fromStdString(*S);
    }
    return QString();
}

std::optional<double> ParseNumber(const QString& Text) {
    QString T = Text.trimmed();
    if (T.isEmpty()) {
        return std::nullopt;
    }
    // The locale's minus sign (U+2212 in some locales) reads as "-".
    T.replace(QChar(0x2212), QLatin1Char('-'));
    if (T.count(QLatin1Char(',')) + T.count(QLatin1Char('.')) > 1) {
        return std::nullopt;
    }
    T.replace(QLatin1Char(','), QLatin1Char('.'));
    for (const QChar C : T) {
        if (!(C.isDigit() && C.unicode() < 128) && C != QLatin1Char('.') && C != QLatin1Char('-') &&
            C != QLatin1Char('+') && C != QLatin1Char('e') && C != QLatin1Char('E')) {
            return std::nullopt;
        }
    }
    bool Ok = false;
    const double D = QLocale::c().toDouble(T, &Ok);
    if (!Ok || !std::isfinite(D)) {
        return std::nullopt;
    }
    return D;
}

TParsedInput ParseFieldInput(const TField& Field, const std::string& Table, const QString& Text) {
    TParsedInput R;
    switch (Field.DataType()) {
    case TFieldType::Integer:
    case TFieldType::Double: {
        const std::optional<double> D = ParseNumber(Text);
        if (!D) {
            R.Error = Text.trimmed().isEmpty() ? QStringLiteral("fältet måste innehålla ett tal")
                                               : QStringLiteral("\"%1\" är inte ett tal").arg(Text.trimmed());
            return R;
        }
        if (Field.DataType() == TFieldType::Integer) {
            if (*D != std::trunc(*D) || std::fabs(*D) > 2147483647.0) {
                R.Error = QStringLiteral("\"%1\" är inte ett heltal").arg(Text.trimmed());
                return R;
            }
            R.Value = static_cast<int64_t>(*D);
        } else {
            R.Value = *D;
        }
        if (const auto Range = ColumnRange(Table, Field.FieldName())) {
            if (*D < Range->Min || *D > Range->Max) {
                R.Error = QStringLiteral("värdet måste ligga mellan %1 och %2")
                              .arg(FormatNumber(Range->Min, {}), FormatNumber(Range->Max, {}));
                return R;
            }
        }
        return R;
    }
    case TFieldType::String: {
        if (Field.Size() > 0 && Text.toStdU32String().size() > static_cast<size_t>(Field.Size())) {
            R.Error = QStringLiteral("texten får högst innehålla %1 tecken").arg(Field.Size());
            return R;
        }
        R.Value = Text.toStdString();
        return R;
    }
    default:
        R.Value = Text.toStdString();
        return R;
    }
}
