#include "report/UnitReport.h"

#include "data/UnitBVDir.h"
#include "data/UnitBuildingData.h"
#include "db/FileIO.h"
#include "model/UnitConstructionObjects.h"
#include "report/ReportChart.h"
#include "report/ReportTexts.h"
#include "ui/bind/FieldFormat.h"

#include <kainjow/mustache.hpp>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <cmath>
#include <filesystem>

namespace mstch = kainjow::mustache;

QString ReportNumber(double Value, int Decimals) {
    QLocale L;
    L.setNumberOptions(QLocale::OmitGroupSeparator);
    if (std::fabs(Value) >= 1e8) {
        return L.toString(Value, 'e', Decimals);
    }
    if (std::fabs(Value) * std::pow(10.0, Decimals) < 0.5) {
        Value = 0.0;
    }
    return L.toString(Value, 'f', Decimals);
}

TBuildingReport::TBuildingReport(TDataModuleBuildingData& Data, TReportParameters& Params)
    : FData(Data), FParams(Params) {}

QString TBuildingReport::DefaultLayoutPath() {
    return QString::fromStdString(GetDataFolder()) + QStringLiteral("buildingreport.html");
}

namespace {

int IntOf(TDataset& D, const char* Column, int Otherwise) {
    const TField* F = D.FindField(Column);
    if (F == nullptr || D.IsEmpty() || F->IsNull()) {
        return Otherwise;
    }
    return F->AsInteger();
}

double NumberOf(TDataset& D, const char* Column) {
    const TField* F = D.FindField(Column);
    if (F == nullptr || D.IsEmpty() || F->IsNull()) {
        return 0.0;
    }
    return F->AsFloat();
}

QString TextOf(TDataset& D, const char* Column) {
    const TField* F = D.FindField(Column);
    if (F == nullptr || D.IsEmpty()) {
        return {};
    }
    return QString::fromStdString(F->AsString());
}

// One item per row of View (only the current row when CurrentOnly): every
// column by its name, in its display format.
mstch::data Rows(TDataset& View, bool CurrentOnly = false) {
    mstch::data List{mstch::data::type::list};
    if (!View.Active() || View.IsEmpty()) {
        return List;
    }
    const int First = CurrentOnly ? View.RecNo() : 1;
    const int Last = CurrentOnly ? View.RecNo() : View.RecordCount();
    for (int R = First; R <= Last; ++R) {
        mstch::data Item;
        for (const auto& F : View.Fields()) {
            const QString Text = FormatValue(View.RowValue(R, F->Index()), ColumnFormat(View.TableName(), F->FieldName()));
            Item.set(F->FieldName(), Text.toStdString());
        }
        List.push_back(Item);
    }
    return List;
}

// The constructions of View, each with its layers in position order.
mstch::data Constructions(TDataset& View, TDataset& AllLayers) {
    mstch::data List{mstch::data::type::list};
    if (!View.Active()) {
        return List;
    }
    const TField* Type = View.FindField("TYPE");
    const TField* ID = View.FindField("ID");
    const TField* LType = AllLayers.FindField("TYPE");
    const TField* LComp = AllLayers.FindField("COMPONENT");
    for (int R = 1; R <= View.RecordCount(); ++R) {
        mstch::data Item;
        for (const auto& F : View.Fields()) {
            const QString Text = FormatValue(View.RowValue(R, F->Index()), ColumnFormat(View.TableName(), F->FieldName()));
            Item.set(F->FieldName(), Text.toStdString());
        }
        mstch::data Layers{mstch::data::type::list};
        if (Type != nullptr && ID != nullptr && LType != nullptr && LComp != nullptr && AllLayers.Active()) {
            const std::string T = FormatValue(View.RowValue(R, Type->Index()), {}).toStdString();
            const std::string I = FormatValue(View.RowValue(R, ID->Index()), {}).toStdString();
            for (int L = 1; L <= AllLayers.RecordCount(); ++L) {
                if (SameText(FormatValue(AllLayers.RowValue(L, LType->Index()), {}).toStdString(), T) &&
                    SameText(FormatValue(AllLayers.RowValue(L, LComp->Index()), {}).toStdString(), I)) {
                    mstch::data Layer;
                    for (const auto& F : AllLayers.Fields()) {
                        const QString Text =
                            FormatValue(AllLayers.RowValue(L, F->Index()), ColumnFormat("Layers", F->FieldName()));
                        Layer.set(F->FieldName(), Text.toStdString());
                    }
                    Layers.push_back(Layer);
                }
            }
        }
        Item.set("Layers", Layers);
        // The first construction of a list can carry the section's heading,
        // so that a heading never stands alone at the foot of a page.
        if (R == 1) {
            Item.set("First", std::string("1"));
        }
        List.push_back(Item);
    }
    return List;
}

} // namespace

TReportChoices TBuildingReport::DefaultChoices(TDataModuleBuildingData& Data) {
    TDataset& B = Data.TableBuildings();
    TReportChoices C;
    C.VentType = bvreport::VentTypeItems().value(IntOf(B, "VENTTYPE", -1));
    C.Shielding = bvreport::ShieldingItems().value(IntOf(B, "SHIELDING", -1));
    C.Facades = bvreport::FacadesItems().value(IntOf(B, "FACADES", -1));
    const std::string Type = TextOf(Data.TableGrounds(), "TYPE").toStdString();
    for (int K = 0; K < kGroundTypeCount; ++K) {
        if (Type == GroundTypeKey(K)) {
            C.GroundPage = K;
            // The combo shows only the offered kinds; the others show no name.
            C.GroundType = K <= AlbaCrawlSpace ? bvreport::GroundTypeItems().value(K) : QString();
        }
    }
    return C;
}

void TBuildingReport::SetRowParameters(const TReportChoices& C) {
    TDataset& B = FData.TableBuildings();
    TReportParameters& P = FParams;
    const auto Row = [&P](const QString& Group, int N, const QString& LabelParam, const QString& Value,
                          const QString& UnitParam) {
        P.Set(QStringLiteral("%1Row%2Label").arg(Group).arg(N), LabelParam.isEmpty() ? QString() : P.Get(LabelParam));
        P.Set(QStringLiteral("%1Row%2Value").arg(Group).arg(N), Value);
        if (!(Group == QLatin1String("Ventilation") && N == 1)) {
            P.Set(QStringLiteral("%1Row%2Unit").arg(Group).arg(N), UnitParam.isEmpty() ? QString() : P.Get(UnitParam));
        }
    };
    const auto Empty = [&Row](const QString& Group, int N) { Row(Group, N, {}, {}, {}); };

    // Ventilation.
    const int VentType = IntOf(B, "VENTTYPE", 0);
    const QString V = QStringLiteral("Ventilation");
    P.Set(QStringLiteral("VentilationRow1Label"), P.Get(QStringLiteral("VentilationTypeStr")));
    P.Set(QStringLiteral("VentilationRow1Value"), C.VentType);
    if (VentType == 0) {
        Row(V, 2, QStringLiteral("AirExchangePHourStr"), ReportNumber(NumberOf(B, "AIRCHANGESPERH"), 1), {});
        Row(V, 3, QStringLiteral("AirVolumeStr"), ReportNumber(NumberOf(B, "VOLUME"), 1), QStringLiteral("M3Str"));
        for (int N = 4; N <= 7; ++N) {
            Empty(V, N);
        }
    } else {
        const int Unit = IntOf(B, "VENTUNIT", 0);
        const char* Sup = Unit == 1 ? "VSUPLSEK" : Unit == 2 ? "VSUPLAREA" : "VSUP";
        const char* Ex = Unit == 1 ? "VEXLSEK" : Unit == 2 ? "VEXLAREA" : "VEX";
        const QString UnitParam = Unit == 1   ? QStringLiteral("LsekUnitStr")
                                  : Unit == 2 ? QStringLiteral("LsekM2UnitStr")
                                              : QStringLiteral("M3PerHStr");
        Row(V, 2, QStringLiteral("VSUPStr"), ReportNumber(NumberOf(B, Sup), 2), UnitParam);
        Row(V, 3, QStringLiteral("VEXStr"), ReportNumber(NumberOf(B, Ex), 2), UnitParam);
        Row(V, 4, QStringLiteral("HeatExcFactorStr"), ReportNumber(NumberOf(B, "HEATEX"), 1),
            QStringLiteral("PercentStr"));
        Row(V, 6, QStringLiteral("WindshieldingStr"), C.Shielding, {});
        Row(V, 7, QStringLiteral("ExpFacadsStr"), C.Facades, {});
        // Row 5: the leakage, labelled with the ventilation type's own text.
        P.Set(QStringLiteral("VentilationRow5Label"), C.VentType);
        if (VentType == 1) {
            P.Set(QStringLiteral("VentilationRow5Value"), ReportNumber(NumberOf(B, "P50"), 2));
            P.Set(QStringLiteral("VentilationRow5Unit"), P.Get(QStringLiteral("P50UnitStr")));
        } else {
            P.Set(QStringLiteral("VentilationRow5Value"), ReportNumber(NumberOf(B, "N50"), 2));
            P.Set(QStringLiteral("VentilationRow5Unit"), P.Get(QStringLiteral("N50UnitStr")));
        }
    }

    // Internal gains.
    const bool Watts = IntOf(B, "INTGAINUNIT", 0) != 0;
    P.Set(QStringLiteral("IntgainUnitStr"), P.Get(Watts ? QStringLiteral("Wstr") : QStringLiteral("Wm2Str")));
    P.Set(QStringLiteral("UndefinedGainValue"), ReportNumber(NumberOf(B, Watts ? "INTPUNDEFW" : "INTPUNDEF"), 2));
    P.Set(QStringLiteral("MetabolicGainValue"),
          ReportNumber(NumberOf(B, Watts ? "INTPMETABOLICW" : "INTPMETABOLIC"), 2));
    P.Set(QStringLiteral("AppliancesGainValue"),
          ReportNumber(NumberOf(B, Watts ? "INTPAPPLIANCESW" : "INTPAPPLIANCES"), 2));
    P.Set(QStringLiteral("LightingGainValue"), ReportNumber(NumberOf(B, Watts ? "INTPLIGHTINGW" : "INTPLIGHTING"), 2));

    // Foundation.
    TDataset& G = FData.TableGrounds();
    const QString Gr = QStringLiteral("Ground");
    P.Set(QStringLiteral("GroundTypeLabel"), C.GroundType);
    Row(Gr, 1, QStringLiteral("GroundAreaStr"), ReportNumber(NumberOf(G, "AREA"), 1), QStringLiteral("M2Str"));
    Row(Gr, 2, QStringLiteral("GroundUValueStr"), ReportNumber(NumberOf(G, "UVALUE"), 5), QStringLiteral("UValueUnitStr"));
    Row(Gr, 3, QStringLiteral("GroundPerimeterStr"), ReportNumber(NumberOf(G, "PERIMETER"), 2), QStringLiteral("MStr"));
    struct TGroundRow {
        QString Label;
        QString Value;
        QString Unit;
    };
    const TGroundRow Soil{QStringLiteral("GroundSoilTypeStr"), TextOf(G, "SOILNAME"), {}};
    const TGroundRow SoilCond{QStringLiteral("GroundSoilCondStr"), ReportNumber(NumberOf(G, "GROUNDTHERMCOND"), 3),
                              QStringLiteral("CondUnitStr")};
    const auto Mm = [&G](const QString& Label, const char* Column) {
        return TGroundRow{Label, ReportNumber(NumberOf(G, Column), 0), QStringLiteral("MmStr")};
    };
    const TGroundRow WallThickness = Mm(QStringLiteral("GroundWallThicknessStr"), "WALLDEPTH");
    const TGroundRow VentArea{QStringLiteral("GroundVentArea"), ReportNumber(NumberOf(G, "VENTILATIONAREA"), 1),
                              QStringLiteral("Cm2Str")};
    const TGroundRow Shield{QStringLiteral("GroundWindShieldFactorStr"), ReportNumber(NumberOf(G, "SHIELDING"), 1),
                            QStringLiteral("PercentStr")};
    const TGroundRow Wind{QStringLiteral("GroundWindSpeedStr"), ReportNumber(NumberOf(G, "WINDSPEED"), 1),
                          QStringLiteral("WindSpeedUnitstr")};
    std::vector<TGroundRow> Rows;
    // The Finnish kinds store list positions; the report prints the dimensions they stand for.
    const auto FromList = [&G](const QString& Label, const char* Column, const QStringList& Items) {
        const int I = IntOf(G, Column, -1);
        return TGroundRow{Label, I >= 0 && I < Items.size() ? Items.at(I) : QString(), QStringLiteral("MmStr")};
    };
    const QStringList Wall9 = {"150", "200", "240", "290", "340", "380"};
    const QStringList WallOther = {"290", "380"};
    const QStringList Insu9 = {"50", "100"};
    switch (C.GroundPage) {
    case Slab:
        Rows = {WallThickness, Soil, SoilCond};
        break;
    case LowDensityWall:
        Rows = {WallThickness, Mm(QStringLiteral("GroundWallDepthUnderGroundStr"), "ISOLENGTH"), Soil, SoilCond};
        break;
    case SlabVerticalInsulation:
    case SlabHorizontalInsulation:
        Rows = {WallThickness, Mm(QStringLiteral("GroundIsoDepthUnderGroundStr"), "ISOLENGTH"),
                Mm(QStringLiteral("GroundIsoThicknessStr"), "ISOWIDTH"),
                TGroundRow{QStringLiteral("GroundIsoCondStr"), ReportNumber(NumberOf(G, "ISOCOND"), 3),
                           QStringLiteral("CondUnitStr")},
                Soil, SoilCond};
        break;
    case SuspendedFloor:
        Rows = {WallThickness, Mm(QStringLiteral("GroundWallAboveHightStr"), "WALLHEIGHT"), VentArea, Shield, Wind,
                Soil, SoilCond};
        break;
    case HeatedCellar:
        Rows = {WallThickness, Mm(QStringLiteral("GroundWallDepthUnderGroundStr"), "WALLHEIGHT"), Soil, SoilCond};
        break;
    case AlbaSlab:
        Rows = {Mm(QStringLiteral("GroundElementDepthStr"), "ISOLENGTH"), Soil, SoilCond};
        break;
    case AlbaCrawlSpace:
        Rows = {Mm(QStringLiteral("GroundWallAboveHightStr"), "WALLHEIGHT"), VentArea, Shield, Wind, Soil, SoilCond};
        break;
    case FinlandVertical1:
        Rows = {FromList(QStringLiteral("GroundWallThicknessStr"), "SPECIALVAR1", Wall9),
                FromList(QStringLiteral("GroundIsoThicknessStr"), "SPECIALVAR2", Insu9),
                Mm(QStringLiteral("GroundWallDepthUnderGroundStr"), "ISOLENGTH"), Soil, SoilCond};
        break;
    case FinlandVertical2:
        Rows = {FromList(QStringLiteral("GroundWallThicknessStr"), "SPECIALVAR1", WallOther),
                Mm(QStringLiteral("GroundWallDepthUnderGroundStr"), "ISOLENGTH"), Soil, SoilCond};
        break;
    case FinlandSuspended1:
        Rows = {FromList(QStringLiteral("GroundWallThicknessStr"), "SPECIALVAR1", WallOther),
                Mm(QStringLiteral("GroundWallAboveHightStr"), "WALLHEIGHT"), VentArea, Shield, Wind, Soil, SoilCond};
        break;
    case FinlandHeatedCellar1:
        Rows = {FromList(QStringLiteral("GroundWallThicknessStr"), "SPECIALVAR1", WallOther),
                // h1, the insulating blocks, and h2, the standard blocks, below ground.
                Mm(QStringLiteral("GroundIsoDepthUnderGroundStr"), "SPECIALVAR2"),
                Mm(QStringLiteral("GroundWallDepthUnderGroundStr"), "SPECIALVAR3"),
                Soil, SoilCond};
        break;
    default:
        break;
    }
    for (int N = 4; N <= 10; ++N) {
        const size_t I = static_cast<size_t>(N - 4);
        if (I < Rows.size()) {
            Row(Gr, N, Rows[I].Label, Rows[I].Value, Rows[I].Unit);
        } else {
            Empty(Gr, N);
        }
    }
}

std::unique_ptr<QTextDocument> TBuildingReport::Build(const QString& LayoutPath, const QDateTime& When) const {
    QFile In(LayoutPath);
    if (!In.open(QIODevice::ReadOnly)) {
        throw EBVException(("Rapportmallen " + LayoutPath + " kan inte läsas (" + In.errorString() +
                            "). Installera den med braskvalla-cli install-data eller välj en annan mall.")
                               .toStdString());
    }
    const std::string Layout = QString::fromUtf8(In.readAll()).toStdString();
    mstch::mustache Template{Layout};
    if (!Template.is_valid()) {
        throw EBVException(("Rapportmallen " + LayoutPath + " är inte en giltig mall: ").toStdString() +
                           Template.error_message());
    }
    mstch::data D;
    for (const auto& [Name, Value] : FParams.All()) {
        D.set(Name.toStdString(), Value.toStdString());
    }
    D.set("PrintDate", QLocale().toString(When.date(), QLocale::ShortFormat).toStdString());
    D.set("ProgramVersion", std::string(BV_VERSION));
    TDataModuleBuildingData& M = FData;
    TDataset& AllLayers = M.QueryAllLayersSorted();
    if (AllLayers.Active()) {
        AllLayers.Refresh();
    }
    // The building view holds every building; the report is of the current one.
    D.set("BVBuildings", Rows(M.TableBuildings(), true));
    D.set("BVMonths", Rows(M.TableMonths()));
    D.set("BVGround", Rows(M.TableGrounds()));
    D.set("BVGroundFloors", Constructions(M.TableGroundFloors(), AllLayers));
    D.set("BVGroundWalls", Constructions(M.TableGroundWalls(), AllLayers));
    D.set("BVGroundSlabs", Constructions(M.TableGroundSlabs(), AllLayers));
    D.set("BVOuterWalls", Constructions(M.TableOuterWalls(), AllLayers));
    D.set("BVRoofs", Constructions(M.TableRoofs(), AllLayers));
    D.set("BVInnerWalls", Constructions(M.TableInnerWalls(), AllLayers));
    D.set("BVInnerRoofs", Constructions(M.TableInnerRoofs(), AllLayers));
    D.set("BVWindows", Rows(M.TableWindows()));
    D.set("BVDoors", Rows(M.TableDoors()));
    D.set("BVAllLayers", Rows(AllLayers));
    const std::string Html = Template.render(D);
    if (!Template.is_valid()) {
        throw EBVException(("Rapportmallen " + LayoutPath + " kunde inte fyllas i: ").toStdString() +
                           Template.error_message());
    }

    auto Doc = std::make_unique<QTextDocument>();
    Doc->setDocumentMargin(0);
    QFont Base(QStringLiteral("DejaVu Sans"));
    Base.setPointSizeF(9);
    Doc->setDefaultFont(Base);
    // The pictures, drawn at three times the size the page shows them.
    Doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("ChartMonths")),
                     bvreport::RenderMonthlyChart(bvreport::MonthlyHeatUsage(M.TableMonths()), QSize(1920, 660), 3.0));
    int Kind = -1;
    const std::string Type = TextOf(M.TableGrounds(), "TYPE").toStdString();
    for (int K = 0; K < kGroundTypeCount; ++K) {
        if (Type == GroundTypeKey(K)) {
            Kind = K;
        }
    }
    if (Kind >= 0) {
        Doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("GroundBMP")),
                         bvreport::RenderGroundDrawing(Kind, 3.0));
    }
    Doc->setHtml(QString::fromStdString(Html));
    return Doc;
}

int TBuildingReport::Paint(QTextDocument& Doc, QPagedPaintDevice& Device, const QDateTime& When) const {
    QPainter P;
    if (!P.begin(&Device)) {
        throw EBVException("Rapporten kan inte skrivas ut: utskriften kunde inte startas.");
    }
    const double Dpi = Device.logicalDpiY();
    const double Mm = Dpi / 25.4;
    const QRectF Paper = Device.pageLayout().paintRectPixels(Device.logicalDpiX());
    // Header and footer bands of the page, the body between them.
    const double Band = 9 * Mm;
    const QRectF Body(0, Band, Paper.width(), Paper.height() - 2 * Band);
    // The document is laid out in screen units (96 per inch) and scaled.
    const double Scale = Dpi / 96.0;
    Doc.setPageSize(QSizeF(Body.width() / Scale, Body.height() / Scale));
    const int Pages = Doc.pageCount();
    const QString Building = QString::fromStdString(FData.TableBuildings().FieldByName("ID").AsString());
    QFont Small(QStringLiteral("DejaVu Sans"));
    Small.setPointSizeF(7.5);
    for (int Page = 0; Page < Pages; ++Page) {
        if (Page > 0 && !Device.newPage()) {
            throw EBVException("Rapporten kan inte skrivas ut: en ny sida kunde inte påbörjas.");
        }
        P.setFont(Small);
        P.setPen(QColor(0x40, 0x40, 0x40));
        const QRectF Head(0, 0, Paper.width(), Band - 2 * Mm);
        P.drawText(Head, Qt::AlignLeft | Qt::AlignBottom, FParams.Get(QStringLiteral("PageHeaderInfoStr")));
        P.drawText(Head, Qt::AlignHCenter | Qt::AlignBottom,
                   FParams.Get(QStringLiteral("BuildingStr")) + QStringLiteral(": ") + Building);
        P.drawText(Head, Qt::AlignRight | Qt::AlignBottom,
                   FParams.Get(QStringLiteral("PrintDateStr")) + QStringLiteral(" ") +
                       QLocale().toString(When.date(), QLocale::ShortFormat));
        P.setPen(QPen(QColor(0x80, 0x80, 0x80), 0.2 * Mm));
        P.drawLine(QPointF(0, Band - Mm), QPointF(Paper.width(), Band - Mm));
        P.drawLine(QPointF(0, Paper.height() - Band + Mm), QPointF(Paper.width(), Paper.height() - Band + Mm));
        P.setPen(QColor(0x40, 0x40, 0x40));
        P.drawText(QRectF(0, Paper.height() - Band + 2 * Mm, Paper.width(), Band - 2 * Mm),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Sida %1 av %2").arg(Page + 1).arg(Pages));
        P.save();
        P.translate(Body.topLeft());
        P.scale(Scale, Scale);
        const QRectF View(0, Page * Doc.pageSize().height(), Doc.pageSize().width(), Doc.pageSize().height());
        P.translate(0, -View.top());
        QAbstractTextDocumentLayout::PaintContext Ctx;
        Ctx.clip = View;
        P.setClipRect(View);
        Doc.documentLayout()->draw(&P, Ctx);
        P.restore();
    }
    P.end();
    return Pages;
}

void TBuildingReport::WritePdf(const QString& LayoutPath, const QString& PdfPath, const QDateTime& When) const {
    std::unique_ptr<QTextDocument> Doc = Build(LayoutPath, When);
    // The PDF is made in memory and written as every file of the program
    // is: through a temporary file, flushed to disk and renamed into place.
    QBuffer Bytes;
    Bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter Pdf(&Bytes);
        Pdf.setPageSize(QPageSize(QPageSize::A4));
        Pdf.setPageMargins(QMarginsF(18, 14, 15, 12), QPageLayout::Millimeter);
        Pdf.setResolution(300);
        Pdf.setTitle(FParams.Get(QStringLiteral("TitleStr")));
        Pdf.setCreator(QStringLiteral("Braskvalla ") + QStringLiteral(BV_VERSION));
        Paint(*Doc, Pdf, When);
    }
    const QByteArray& Data = Bytes.data();
    try {
        WriteFileAtomically(PdfPath.toStdString(), std::string_view(Data.constData(), static_cast<size_t>(Data.size())));
    } catch (const std::exception& E) {
        throw EBVException(("PDF-filen " + PdfPath + " kunde inte skrivas: ").toStdString() + E.what());
    }
}
