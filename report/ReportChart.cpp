#include "report/ReportChart.h"

#include "db/Dataset.h"
#include "ui/Icons.h"
#include "ui/bind/FieldFormat.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFile>
#include <QGraphicsScene>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>
#include <QValueAxis>

#include <cmath>

namespace bvreport {

TMonthlyValues MonthlyHeatUsage(const TDataset& Months) {
    TMonthlyValues R;
    if (!Months.Active()) {
        return R;
    }
    TDataset& M = const_cast<TDataset&>(Months);
    const TField* Month = M.FindField("MONTH");
    const TField* Heat = M.FindField("HEATUSAGE");
    for (int Row = 1; Month != nullptr && Heat != nullptr && Row <= M.RecordCount(); ++Row) {
        R.Labels << FormatValue(M.RowValue(Row, Month->Index()), {});
        const TValue& V = M.RowValue(Row, Heat->Index());
        double D = 0;
        if (const auto* X = std::get_if<double>(&V)) {
            D = *X;
        } else if (const auto* I = std::get_if<int64_t>(&V)) {
            D = static_cast<double>(*I);
        }
        R.Values << D;
    }
    return R;
}

void FillMonthlyChart(QBarSeries* Series, QBarCategoryAxis* X, QValueAxis* Y, const TMonthlyValues& Values) {
    double Top = 0;
    for (const double V : Values.Values) {
        Top = std::max(Top, V);
    }
    auto* Set = new QBarSet(QStringLiteral("MonthlyHeatUsage"));
    Set->append(Values.Values);
    QLinearGradient Fill(0, 0, 0, 1);
    Fill.setCoordinateMode(QGradient::ObjectBoundingMode);
    Fill.setColorAt(0.0, QColor(86, 140, 214));
    Fill.setColorAt(1.0, QColor(20, 52, 120));
    Set->setBrush(Fill);
    Set->setPen(QPen(QColor(20, 52, 120), 1));
    Series->clear();
    Series->append(Set);
    X->clear();
    X->append(Values.Labels);
    // A round top of the scale, with room above the highest bar.
    double Step = 2;
    if (Top > 0) {
        const double Mag = std::pow(10.0, std::floor(std::log10(Top)));
        for (const double M : {1.0, 2.0, 2.5, 5.0, 10.0}) {
            Step = M * Mag / 2;
            if (Top / Step <= 8) {
                break;
            }
        }
    }
    // The axis lays its ticks out again at each of these calls. With dynamic
    // ticks the new range under the old interval (0..20000 under the 2 of a
    // building without results) makes thousands of tick items and blocks the
    // window for seconds; with fixed ticks it makes the fixed few.
    Y->setTickType(QValueAxis::TicksFixed);
    Y->setRange(0, Top > 0 ? std::ceil(Top * 1.05 / Step) * Step : 10);
    Y->setTickAnchor(0);
    Y->setTickInterval(Step);
    Y->setTickType(QValueAxis::TicksDynamic);
}

QImage RenderMonthlyChart(const TMonthlyValues& Values, QSize Pixels, double Scale) {
    QGraphicsScene Scene;
    auto* Chart = new QChart;
    Scene.addItem(Chart);
    Chart->legend()->hide();
    Chart->setBackgroundRoundness(0);
    Chart->setBackgroundBrush(Qt::white);
    Chart->setBackgroundPen(Qt::NoPen);
    Chart->setMargins(QMargins(4, 4, 4, 4) * Scale);
    auto* Series = new QBarSeries(Chart);
    Series->setBarWidth(0.7);
    Chart->addSeries(Series);
    auto* X = new QBarCategoryAxis(Chart);
    auto* Y = new QValueAxis(Chart);
    X->setTitleText(QStringLiteral("Månad"));
    Y->setTitleText(QStringLiteral("kWh"));
    Y->setLabelFormat(QStringLiteral("%.0f"));
    X->setGridLineVisible(false);
    QFont F;
    F.setPointSizeF(8 * Scale);
    QFont T = F;
    T.setBold(true);
    X->setLabelsFont(F);
    Y->setLabelsFont(F);
    X->setTitleFont(T);
    Y->setTitleFont(T);
    QPen Grid = Y->gridLinePen();
    Grid.setWidthF(Scale);
    Y->setGridLinePen(Grid);
    Chart->addAxis(X, Qt::AlignBottom);
    Chart->addAxis(Y, Qt::AlignLeft);
    Series->attachAxis(X);
    Series->attachAxis(Y);
    FillMonthlyChart(Series, X, Y, Values);
    for (QBarSet* Set : Series->barSets()) {
        QPen P = Set->pen();
        P.setWidthF(Scale);
        Set->setPen(P);
    }
    Chart->resize(Pixels);
    QImage Image(Pixels, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing);
    Scene.render(&Painter, QRectF(QPointF(0, 0), QSizeF(Pixels)), QRectF(QPointF(0, 0), QSizeF(Pixels)));
    return Image;
}

QImage RenderGroundDrawing(int Kind, double Scale) {
    InitGuiResources();
    QSvgRenderer Svg(QStringLiteral(":/drawings/ImageGround%1.svg").arg(Kind));
    if (!Svg.isValid()) {
        return {};
    }
    QImage Image(QSize(273, 193) * Scale, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing);
    Svg.render(&Painter);
    return Image;
}

} // namespace bvreport
