#include "integrations/startup/about_box.h"

#include "integrations/startup/author_links.h"
#include "integrations/startup/help_window.h"
#include "integrations/startup/moon_animation.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

namespace ombre {
namespace {

constexpr int kWidth = 236;
constexpr int kHeight = 280;
constexpr int kMargin = 12;
constexpr int kInner = kWidth - 2 * kMargin;

QPixmap drawing(const QString &name, QSize size, qreal scale)
{
    QPixmap pixmap(size * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer(QStringLiteral(":/pictures/%1.svg").arg(name)).render(&painter, QRectF(QPointF(), QSizeF(size)));
    return pixmap;
}

QLabel *rightAligned(const QString &text, int top, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(kMargin, top, kInner, 18);
    return label;
}

// A link the user clicks; its text and address come out of their scrambled form here.
QLabel *link(const QString &text, const QUrl &address, const QString &hint, int top, TAPropos *box)
{
    auto *label = new QLabel(box);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(address.toString(QUrl::FullyEncoded).toHtmlEscaped(), text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(hint);
    label->setCursor(Qt::PointingHandCursor);
    label->setGeometry(kMargin, top, kInner, 18);
    QObject::connect(label, &QLabel::linkActivated, box,
                     [box](const QString &href) { OpenAddress(box->parentWidget() ? box->parentWidget() : box, QUrl(href)); });
    return label;
}

} // namespace

TAPropos::TAPropos(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("APropos"));
    setWindowTitle(QStringLiteral("A propos de..."));
    setFixedSize(kWidth, kHeight);
    const qreal scale = devicePixelRatioF();

    ProgramIcon = new QLabel(this);
    ProgramIcon->setPixmap(QIcon(QStringLiteral(":/pictures/ombrelunaire.svg")).pixmap(QSize(32, 32), scale));
    ProgramIcon->setGeometry(kMargin, 16, 32, 32);
    Logo = new QLabel(this);
    Logo->setPixmap(drawing(QStringLiteral("about-logo"), QSize(172, 40), scale));
    Logo->setGeometry(kMargin + 40, 12, 172, 40);

    Version = rightAligned(QStringLiteral("Version 1.0 BETA 03"), 60, this);
    Edition = rightAligned(QStringLiteral("Édition française pour Linux"), 78, this);

    Animation = new TMoonAnimation(this);
    Animation->move((kWidth - Animation->width()) / 2, 102);
    Animation->setToolTip(QStringLiteral("La lune veille sur vos secrets"));

    MailLink = link(AuthorMailText(), AuthorMailAddress(),
                    QStringLiteral("Cliquer pour écrire un message électronique à l'auteur"), 142, this);
    WebLink = link(AuthorWebText(), AuthorWebAddress(),
                   QStringLiteral("Cliquer pour vous connecter au site Web de l'auteur"), 162, this);

    auto *band = new QFrame(this);
    band->setFrameShape(QFrame::Box);
    band->setFrameShadow(QFrame::Sunken);
    band->setGeometry(kMargin, 186, kInner, 40);
    Algorithm = new QLabel(QStringLiteral("Algorithme de codage Pukall Cipher 1"), band);
    Algorithm->setAlignment(Qt::AlignCenter);
    // The band is narrower than the line in most desktop fonts: it breaks in two there.
    Algorithm->setWordWrap(true);
    Algorithm->setGeometry(4, 2, kInner - 8, 36);

    BtnOk = new QPushButton(QStringLiteral("Ok"), this);
    BtnOk->setToolTip(QStringLiteral("Ferme la fenêtre"));
    BtnOk->setDefault(true);
    BtnOk->setGeometry((kWidth - 75) / 2, kHeight - kMargin - 27, 75, 27);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
}

} // namespace ombre
