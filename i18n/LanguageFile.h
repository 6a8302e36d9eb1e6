// Language files: the display name on line 1, then one text per line, text n
// on line n + 2. Read as UTF-8 (with or without a byte-order mark); a file
// that is not valid UTF-8 is an older 8-bit file and read as Windows-1252.
// Lines end in CR LF or a lone LF.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One installed language.
class TLanguage {
public:
    TLanguage() = default;
    TLanguage(QString Name, QStringList Texts) : FName(std::move(Name)), FTexts(std::move(Texts)) {}

    const QString& Name() const { return FName; }
    const QStringList& Texts() const { return FTexts; }
    // The file the language was read from (empty when built in memory).
    QString Path;

    // The two-letter code of the language the name stands for ("sv" for
    // "Svenska", "en" for "English", ...), empty when it is not known; the
    // help pages and Qt's own texts follow it.
    QString Code() const;

private:
    QString FName;
    QStringList FTexts;
};

namespace bvi18n {

// The texts of a language file's bytes: the name line first, then the
// texts, exactly as they stand.
QStringList DecodeLanguageLines(const QByteArray& Bytes);

// Reads a language file. False, with the reason in Error, when it cannot be
// read; an empty file is a language with an empty name and no texts.
bool ReadLanguageFile(const QString& Path, TLanguage& Language, QString& Error);

// Writes the language's name and texts, one per line with CR LF, as UTF-8,
// through a temporary file renamed into place. Throws EFileError.
void WriteLanguageFile(const QString& Path, const TLanguage& Language);

// The full paths of the files matching the pattern's file-name part
// ("*.llf") in the pattern's folder and, at any depth, its subfolders: each
// folder's files before its subfolders are searched.
QStringList FindFile(const QString& Pattern);

} // namespace bvi18n
