#include "commands/authentique_window.h"

#include "commands/command_resources.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

namespace ombre {
namespace {

constexpr int kWidth = 307;
constexpr int kHeight = 287;
constexpr int kLabelLeft = 95;
constexpr int kLabelWidth = kWidth - kLabelLeft - 12;

// Arial 8 points at 96 dots per inch, fixed in pixels so that it does not follow the screen.
QFont labelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, int top, const QString &text, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(kLabelLeft, top, kLabelWidth, 15);
    label->setFont(labelFont());
    label->setTextFormat(Qt::PlainText); // names come from files: never read as markup
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// The picture with the captions of its card; the last one, which says what LAuthentic holds, is
// drawn here in the picture's own style (Arial 11 pixels, grey, its right edge at x = 88).
QPixmap backgroundPicture(const QString &authenticCaption)
{
    ensureCommandResources();
    QPixmap picture(kWidth, kHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QSvgRenderer(QStringLiteral(":/commands/authentique.svg")).render(&painter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    painter.setFont(font);
    painter.setPen(QColor(0x4a, 0x4a, 0x4a));
    painter.drawText(88 - painter.fontMetrics().horizontalAdvance(authenticCaption), 186, authenticCaption);
    return picture;
}

} // namespace

TAuthentique::TAuthentique(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Authentique"));
    setWindowTitle(QStringLiteral("Authentification"));
    setFixedSize(kWidth, kHeight);

    // The labels are created before the picture, as in the window's design; the picture is then
    // lowered beneath them.
    LType = makeLabel(this, "LType", 155, QStringLiteral("Type"), Qt::black);
    LVersion = makeLabel(this, "LVersion", 135, QStringLiteral("Version"), Qt::black);
    LAlgo = makeLabel(this, "LAlgo", 115, QStringLiteral("Algo"), Qt::black);
    LFichier = makeLabel(this, "LFichier", 95, QStringLiteral("Fichier"), Qt::black);
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(0, 0, kWidth, kHeight);
    Image->setPixmap(backgroundPicture(QStringLiteral("Crypté par :")));
    Image->lower();
    LAuthentic = makeLabel(this, "LAuthentic", 175, QStringLiteral("Inconnue"), QColor(0x80, 0x00, 0x00));

    BtnOk = new QPushButton(QStringLiteral("Ok"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setGeometry(15, 250, 65, 20);
    BtnOk->setFont(labelFont());
    BtnOk->setAutoDefault(false);
    BtnOk->setCursor(Qt::PointingHandCursor);
    BtnOk->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; background-color: #008080; border: 1px solid #004d4d; }"
        "QPushButton:hover { background-color: #009999; }"
        "QPushButton:pressed { background-color: #006666; }"
        "QPushButton:focus { border: 1px dotted white; }"));

    // Takes Enter, so that Enter does not close the window.
    BtnNul = new QPushButton(this);
    BtnNul->setObjectName(QStringLiteral("BtnNul"));
    BtnNul->setGeometry(10, 245, 0, 0);
    BtnNul->setDefault(true);
    BtnNul->setFocusPolicy(Qt::NoFocus);

    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TAuthentique::setAuthenticCaption(const QString &caption)
{
    Image->setPixmap(backgroundPicture(caption));
}

void TAuthentique::setLabelText(QLabel *label, const QString &text)
{
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideMiddle, label->width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

void TAuthentique::keyPressEvent(QKeyEvent *event)
{
    // Only the Ok button closes the window: Escape does nothing, Enter presses BtnNul.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAuthentique::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = (parentWidget() ? parentWidget()->screen() : this->screen()))
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace ombre
