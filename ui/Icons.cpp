#include "ui/Icons.h"

#include <QFile>
#include <QHash>

void InitGuiResources() {
    static const bool Done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(Done);
}

QIcon Icon(const char* Name) {
    InitGuiResources();
    static QHash<QString, QIcon> Cache;
    const QString Key = QString::fromLatin1(Name);
    auto It = Cache.find(Key);
    if (It == Cache.end()) {
        const QString Path = QStringLiteral(":/icons/%1.svg").arg(Key);
        It = Cache.insert(Key, QFile::exists(Path) ? QIcon(Path) : QIcon());
    }
    return *It;
}
