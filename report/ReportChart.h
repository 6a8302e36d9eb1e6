// The monthly heating-energy chart: one look for the main window and the
// report, and the drawings of the foundation kinds as pictures.
#pragma once

#include <QImage>
#include <QList>
#include <QStringList>

class QBarCategoryAxis;
class QBarSeries;
class QValueAxis;
class TDataset;

namespace bvreport {

struct TMonthlyValues {
    QStringList Labels; // MONTH of each row
    QList<double> Values; // HEATUSAGE of each row
    bool operator==(const TMonthlyValues& O) const { return Labels == O.Labels && Values == O.Values; }
};
// The months' heating energy, read without moving the view.
TMonthlyValues MonthlyHeatUsage(const TDataset& Months);

// Puts the values into a bar series (vertical gradient bars) and scales the
// axes to round steps.
void FillMonthlyChart(QBarSeries* Series, QBarCategoryAxis* X, QValueAxis* Y, const TMonthlyValues& Values);

// The chart drawn into an image of Pixels; Scale enlarges fonts and lines for
// a print resolution (1 on the screen).
QImage RenderMonthlyChart(const TMonthlyValues& Values, QSize Pixels, double Scale);

// The drawing of foundation kind Kind (0..11), Scale times its natural size
// of 273 by 193; a null image for another kind.
QImage RenderGroundDrawing(int Kind, double Scale);

} // namespace bvreport
