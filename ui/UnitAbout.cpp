#include "ui/UnitAbout.h"

#include "ui/Icons.h"
#include "ui/UnitMainLayout.h"
#include "ui/help/HelpContexts.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

using namespace bvui;

namespace {
// A label that reacts to a click like a link.
class TLinkLabel : public QLabel {
public:
    std::function<void()> OnClick;
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override {
        QLabel::mouseReleaseEvent(Event);
        if (OnClick && !text().isEmpty()) {
            OnClick();
        }
    }
};
} // namespace

TFormAbout::TFormAbout(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setProperty(bvhelp::kContextProperty, bvhelp::About);
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    auto* Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("PageControlAbout"));

    auto* Program = new QWidget;
    Program->setObjectName(QStringLiteral("TabSheetProgram"));
    auto* PL = new QGridLayout(Program);
    auto* Logo = new QLabel(Program);
    Logo->setPixmap(Icon("braskvalla").pixmap(64, 64));
    auto* Title = MakeLabel(Program, "LabelTitle", QStringLiteral("Braskvalla"));
    QFont Big = Title->font();
    Big.setBold(true);
    Big.setPointSizeF(Big.pointSizeF() * 2.0);
    Title->setFont(Big);
    auto* VersionCaption = MakeLabel(Program, "LabelProgramVersion", QStringLiteral("Programversion"));
    auto* Version = MakeLabel(Program, "LabelVersion", QStringLiteral("Version %1").arg(QStringLiteral(BV_VERSION)));
    auto* Text = new QTextEdit(Program);
    Text->setObjectName(QStringLiteral("RichEdit2"));
    Text->setReadOnly(true);
    Text->setPlainText(QStringLiteral("Energy calculations conforming to\nEN 832\nISO 13370\nISO 13786\nISO 13789\nISO 6946"));
    PL->addWidget(Logo, 0, 0, 3, 1, Qt::AlignTop);
    PL->addWidget(Title, 0, 1);
    PL->addWidget(VersionCaption, 1, 1);
    PL->addWidget(Version, 2, 1);
    PL->addWidget(Text, 3, 0, 1, 2);
    PL->setColumnStretch(1, 1);
    Tabs->addTab(Program, QStringLiteral("Program"));

    auto* Maker = new QWidget;
    Maker->setObjectName(QStringLiteral("TabSheetDeveloper"));
    auto* ML = new QVBoxLayout(Maker);
    auto* MakerLogo = new QLabel(Maker);
    MakerLogo->setObjectName(QStringLiteral("ImageLogo"));
    MakerLogo->setPixmap(Icon("braskvalla").pixmap(48, 48));
    ML->addWidget(MakerLogo);
    const struct {
        const char* Name;
        const char* Text;
    } Lines[] = {
        {"LabelCompanyNamn", "Kallbacka Teknik"},
        {"LabelAdress1", "Energiberäkning för byggnader"},
        {"Labeladress2", ""},
        {"LabelPhone", ""},
        {"LabelURL", ""},
        {"LabelMailHeading", ""},
        {"LabelMailAdress", ""},
        {"LabelDvvHeading", "Utveckling"},
        {"LabelDeveloper", "Braskvallas utvecklare"},
    };
    for (const auto& L : Lines) {
        QLabel* Label = nullptr;
        const QString Name = QString::fromLatin1(L.Name);
        if (Name == QLatin1String("LabelURL") || Name == QLatin1String("LabelMailAdress")) {
            auto* Link = new TLinkLabel(QString::fromUtf8(L.Text), Maker);
            Link->setCursor(Qt::PointingHandCursor);
            QPalette P = Link->palette();
            P.setColor(QPalette::WindowText, P.color(QPalette::Link));
            Link->setPalette(P);
            Link->OnClick = Name == QLatin1String("LabelURL") ? std::function<void()>([this] { LabelURLClick(); })
                                                               : std::function<void()>([this] { LabelMailAdressClick(); });
            Label = Link;
        } else {
            Label = new QLabel(QString::fromUtf8(L.Text), Maker);
        }
        Label->setObjectName(Name);
        if (Name == QLatin1String("LabelCompanyNamn")) {
            QFont F = Label->font();
            F.setBold(true);
            Label->setFont(F);
        }
        ML->addWidget(Label);
    }
    ML->addStretch(1);
    FURL = Maker->findChild<QLabel*>(QStringLiteral("LabelURL"));
    FMail = Maker->findChild<QLabel*>(QStringLiteral("LabelMailAdress"));
    Tabs->addTab(Maker, QStringLiteral("Developer"));

    auto* Close = new QPushButton(QStringLiteral("Close"), this);
    Close->setObjectName(QStringLiteral("ButtonClose"));
    Close->setDefault(true);
    connect(Close, &QPushButton::clicked, this, &TFormAbout::ButtonCloseClick);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Close);
    auto* Main = new QVBoxLayout(this);
    Main->addWidget(Tabs);
    Main->addLayout(Buttons);
    setFixedSize(420, 360);
    RefreshContacts();
}

void TFormAbout::RefreshContacts() {
    for (QLabel* L : findChildren<QLabel*>()) {
        if (L->parentWidget() != nullptr && L->parentWidget()->objectName() == QLatin1String("TabSheetDeveloper") &&
            L->pixmap().isNull()) {
            L->setVisible(!L->text().isEmpty());
        }
    }
}

void TFormAbout::LabelURLClick() {
    QString U = FURL->text().trimmed();
    if (U.isEmpty()) {
        return;
    }
    if (!U.contains(QLatin1String("://"))) {
        U.prepend(QStringLiteral("https://"));
    }
    QDesktopServices::openUrl(QUrl(U));
}

void TFormAbout::LabelMailAdressClick() {
    const QString M = FMail->text().trimmed();
    if (!M.isEmpty()) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + M));
    }
}

void TFormAbout::ButtonCloseClick() { accept(); }
