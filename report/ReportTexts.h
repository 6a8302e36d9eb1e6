// The built-in texts of the lists whose selected text the report prints:
// the main window's lists start with them, and a report made without the
// main window (the command-line tool) uses them.
#pragma once

#include <QStringList>

namespace bvreport {

// Ventilation types 0..2 (Buildings.VENTTYPE).
QStringList VentTypeItems();
// Wind shielding classes 0..2 (Buildings.SHIELDING).
QStringList ShieldingItems();
// Exposed facades 0..1 (Buildings.FACADES).
QStringList FacadesItems();
// The names of the twelve foundation kinds, in their order.
QStringList GroundTypeItems();

} // namespace bvreport
