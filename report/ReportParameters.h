// The named text parameters of the report: the fixed label texts and the
// rows the print command fills. Names are compared without regard to case;
// setting a parameter to an empty text removes it.
#pragma once

#include <QString>

#include <map>

class TReportParameters {
public:
    void Set(const QString& Name, const QString& Value);
    // "" for a parameter that is not set.
    QString Get(const QString& Name) const;
    bool Has(const QString& Name) const;
    // Every parameter, by its name as first set.
    std::map<QString, QString> All() const;
    // Sets the fixed label texts (the same in every language).
    void SetLabelParameters();

private:
    std::map<QString, std::pair<QString, QString>> FValues; // upper-cased name -> (name, value)
};
