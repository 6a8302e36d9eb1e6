#include "report/ReportTexts.h"

namespace bvreport {

QStringList VentTypeItems() {
    return {QStringLiteral("Simple"), QStringLiteral("P50 - Aeric infiltration"),
            QStringLiteral("N50 - Volumetric infiltration")};
}

QStringList ShieldingItems() {
    return {QStringLiteral("Utsatt läge"), QStringLiteral("Normalt läge"), QStringLiteral("Skyddat läge")};
}

QStringList FacadesItems() { return {QStringLiteral("Mer än en fasad"), QStringLiteral("En fasad")}; }

QStringList GroundTypeItems() {
    return {
        QStringLiteral("ISO Platta på mark utan kantisolering"),
        QStringLiteral("ISO Platta på mark med lågdensitetsgrund"),
        QStringLiteral("ISO Platta på mark med vertikal kantisolering"),
        QStringLiteral("ISO Platta på mark med horisontel kantisolering"),
        QStringLiteral("ISO Torpargrund"),
        QStringLiteral("ISO Uppvärmd källare"),
        QStringLiteral("ALBA Platta på mark"),
        QStringLiteral("ALBA Kryprumsgrund"),
        QStringLiteral("Finland 1"),
        QStringLiteral("Finland 2"),
        QStringLiteral("Finland 3"),
        QStringLiteral("Finland 4"),
    };
}

} // namespace bvreport
