// The building report: the layout (a Mustache template of Qt rich text in
// the data folder) filled with the report's text parameters, the current
// building's rows and two pictures, laid out on pages with a header and
// page numbers, for a printer, a PDF file or any paged device.
#pragma once

#include "report/ReportParameters.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;
class TDataModuleBuildingData;

// What the main window shows of the building where the report prints it:
// the selected texts of its lists and the active foundation page.
struct TReportChoices {
    QString VentType;
    QString Shielding;
    QString Facades;
    QString GroundType;
    int GroundPage = -1;
};

// A number as the report's rows print it: fixed-point with Decimals
// decimals, exponent notation beyond eight digits before the decimal point,
// the locale's decimal separator.
QString ReportNumber(double Value, int Decimals);

class TBuildingReport {
public:
    TBuildingReport(TDataModuleBuildingData& Data, TReportParameters& Params);

    // The choices from the building's row with the built-in list texts (for
    // a report made without the main window).
    static TReportChoices DefaultChoices(TDataModuleBuildingData& Data);
    // The layout in the data folder.
    static QString DefaultLayoutPath();

    // The ventilation, internal-gain and foundation rows of the current
    // building. Every row the building does not fill is emptied.
    void SetRowParameters(const TReportChoices& Choices);

    // The layout at LayoutPath filled for the current building. Raises
    // EBVException naming the path when the layout cannot be read or is not
    // a valid template.
    std::unique_ptr<QTextDocument> Build(const QString& LayoutPath, const QDateTime& When) const;

    // Lays Doc out on the pages of Device, each with the header (program,
    // building, print date) and its page number. Returns the page count.
    int Paint(QTextDocument& Doc, QPagedPaintDevice& Device, const QDateTime& When) const;

    // The whole report as a PDF file, written under a temporary name and
    // renamed into place. Raises EBVException on a failure.
    void WritePdf(const QString& LayoutPath, const QString& PdfPath, const QDateTime& When) const;

private:
    TDataModuleBuildingData& FData;
    TReportParameters& FParams;
};
