#include "i18n/LanguageFile.h"

#include "db/FileIO.h"
#include "exchange/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <map>

QString TLanguage::Code() const {
    static const std::map<QString, QString> Codes = {
        {QStringLiteral("svenska"), QStringLiteral("sv")}, {QStringLiteral("swedish"), QStringLiteral("sv")},
        {QStringLiteral("english"), QStringLiteral("en")}, {QStringLiteral("engelska"), QStringLiteral("en")},
        {QStringLiteral("suomi"), QStringLiteral("fi")},   {QStringLiteral("finska"), QStringLiteral("fi")},
        {QStringLiteral("finnish"), QStringLiteral("fi")}, {QStringLiteral("deutsch"), QStringLiteral("de")},
        {QStringLiteral("norsk"), QStringLiteral("nb")},   {QStringLiteral("dansk"), QStringLiteral("da")},
    };
    const auto It = Codes.find(FName.trimmed().toLower());
    return It == Codes.end() ? QString() : It->second;
}

namespace bvi18n {

QStringList DecodeLanguageLines(const QByteArray& Bytes) {
    QByteArray Data = Bytes;
    if (Data.startsWith("\xEF\xBB\xBF")) {
        Data.remove(0, 3);
    }
    QStringDecoder Utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString Text = Utf8.decode(Data);
    if (Utf8.hasError()) {
        const std::string Converted = Cp1252ToUtf8(std::string_view(Data.constData(), size_t(Data.size())));
        Text = QString::fromUtf8(Converted.data(), qsizetype(Converted.size()));
    }
    QStringList Lines = Text.split(QLatin1Char('\n'));
    // The line end of the last line does not open another one.
    if (!Lines.isEmpty() && Lines.last().isEmpty()) {
        Lines.removeLast();
    }
    for (QString& L : Lines) {
        if (L.endsWith(QLatin1Char('\r'))) {
            L.chop(1);
        }
    }
    return Lines;
}

bool ReadLanguageFile(const QString& Path, TLanguage& Language, QString& Error) {
    QFile F(Path);
    if (!F.open(QIODevice::ReadOnly)) {
        Error = F.errorString();
        return false;
    }
    const QByteArray Bytes = F.readAll();
    if (F.error() != QFileDevice::NoError) {
        Error = F.errorString();
        return false;
    }
    QStringList Lines = DecodeLanguageLines(Bytes);
    const QString Name = Lines.isEmpty() ? QString() : Lines.takeFirst();
    Language = TLanguage(Name, Lines);
    Language.Path = Path;
    return true;
}

void WriteLanguageFile(const QString& Path, const TLanguage& Language) {
    QString Text = Language.Name() + QStringLiteral("\r\n");
    for (const QString& T : Language.Texts()) {
        Text += T;
        Text += QStringLiteral("\r\n");
    }
    const QByteArray Bytes = Text.toUtf8();
    WriteFileAtomically(Path.toStdString(), std::string_view(Bytes.constData(), size_t(Bytes.size())),
                        TWriteMode::Replace);
}

QStringList FindFile(const QString& Pattern) {
    const QFileInfo Info(Pattern);
    const QString Filter = Info.fileName();
    QStringList Found;
    std::vector<QString> Folders{Info.path()};
    QSet<QString> Seen; // a linked folder that loops back is searched once
    // Each folder's own files first, then its subfolders in turn.
    for (size_t I = 0; I < Folders.size(); ++I) {
        const QDir Dir(Folders[I]);
        const QString Canonical = QFileInfo(Folders[I]).canonicalFilePath();
        if (Canonical.isEmpty() || Seen.contains(Canonical)) {
            continue;
        }
        Seen.insert(Canonical);
        for (const QFileInfo& F : Dir.entryInfoList({Filter}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
            Found << F.absoluteFilePath();
        }
        std::vector<QString> Sub;
        for (const QFileInfo& D : Dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
            Sub.push_back(D.absoluteFilePath());
        }
        Folders.insert(Folders.begin() + std::ptrdiff_t(I) + 1, Sub.begin(), Sub.end());
    }
    return Found;
}

} // namespace bvi18n
