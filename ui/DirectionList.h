// The names of the five window orientations as the window editor's list
// shows them (index = Windows.DIRECTION); the main window's window grid shows
// the same names.
#pragma once

#include <QStringList>

inline QStringList& WindowDirectionItems() {
    static QStringList Items = {QStringLiteral("Norr"), QStringLiteral("Söder"), QStringLiteral("Väster"),
                                QStringLiteral("Öster"), QStringLiteral("Horisontell")};
    return Items;
}
