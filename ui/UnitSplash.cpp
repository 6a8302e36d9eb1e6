#include "ui/UnitSplash.h"

#include "ui/Icons.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// A bold condensed display face: DejaVu Sans Condensed on Linux, with
// Impact and the narrow sans faces of other systems after it.
QFont DisplayFont(int PixelSize, bool Bold) {
    QFont F;
    F.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Impact"), QStringLiteral("Arial Narrow"),
                   QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Sans Serif")});
    F.setStretch(QFont::Condensed);
    F.setPixelSize(PixelSize);
    F.setBold(Bold);
    return F;
}
} // namespace

TFormSplash::TFormSplash(QWidget* Parent)
    : QWidget(Parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormSplash"));
    setAutoFillBackground(true);
    QPalette P = palette();
    P.setColor(QPalette::Window, Qt::white);
    P.setColor(QPalette::WindowText, QColor(0x2f, 0x3e, 0x4e));
    setPalette(P);
    auto* Picture = new QLabel(this);
    Picture->setPixmap(Icon("braskvalla").pixmap(36, 36));
    auto* Title = new QLabel(QStringLiteral("Braskvalla %1").arg(QStringLiteral(BV_VERSION)), this);
    Title->setObjectName(QStringLiteral("LabelTitle"));
    Title->setFont(DisplayFont(40, true));
    auto* Sub = new QLabel(QStringLiteral("Energy calculation software"), this);
    Sub->setObjectName(QStringLiteral("LabelSubTitle"));
    Sub->setFont(DisplayFont(19, false));
    auto* Texts = new QVBoxLayout;
    Texts->setSpacing(0);
    Texts->addWidget(Title);
    Texts->addWidget(Sub);
    auto* L = new QHBoxLayout(this);
    L->setContentsMargins(6, 2, 6, 2);
    L->setSpacing(6);
    L->addWidget(Picture);
    L->addLayout(Texts, 1);
    setFixedSize(353, 81);
}

void TFormSplash::ShowNow() {
    if (const QScreen* S = QGuiApplication::primaryScreen()) {
        move(S->availableGeometry().center() - rect().center());
    }
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
