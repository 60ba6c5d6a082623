#include "settings/settings_dialog.h"

#include "settings/formulas.h"
#include "settings/options.h"
#include "settings/owner_name_prompt.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ombre {
namespace {

constexpr int PageCount = 6;

// Tabs of equal width that together span the pages, whatever the length of their titles.
class EqualTabBar final : public QTabBar {
public:
    using QTabBar::QTabBar;
    void setSpan(int span)
    {
        span_ = span;
        setIconSize(iconSize()); // makes the bar lay its tabs out again
        updateGeometry();
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (span_ > 0 && count() > 0)
            size.setWidth(std::max(size.width(), span_ / count()));
        return size;
    }

private:
    int span_ = 0;
};

class EqualTabWidget final : public QTabWidget {
public:
    explicit EqualTabWidget(QWidget *parent) : QTabWidget(parent), bar_(new EqualTabBar(this))
    {
        setTabBar(bar_);
        setUsesScrollButtons(false);
    }
    // A few pixels short of the full width: styles overlap and indent their tabs slightly.
    void spanTabs() { bar_->setSpan(width() - 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 6); }

private:
    EqualTabBar *bar_;
};

template <typename W>
W *named(W *widget, const char *objectName, const QString &hint = QString())
{
    widget->setObjectName(QLatin1String(objectName));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QGroupBox *group(const QString &title, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    new QVBoxLayout(box);
    return box;
}

QWidget *page(std::initializer_list<QGroupBox *> groups)
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    for (QGroupBox *box : groups)
        layout->addWidget(box);
    layout->addStretch();
    return widget;
}

QCheckBox *check(QGroupBox *box, const char *objectName, const QString &caption, const QString &hint)
{
    auto *checkBox = named(new QCheckBox(caption, box), objectName, hint);
    box->layout()->addWidget(checkBox);
    return checkBox;
}

// The memo keeps "\n" line ends; a value written elsewhere may hold "\r\n".
QString withUnixLineEnds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

TParametres::TParametres(const TProgramOptions &options, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Parametres"));
    setWindowTitle(QStringLiteral("Paramètres"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);

    Onglets = named(new EqualTabWidget(this), "Onglets");
    Onglets->addTab(buildOptionsPage(), QStringLiteral("Options"));
    Onglets->addTab(buildFontsPage(), QStringLiteral("Polices"));
    Onglets->addTab(buildTextsPage(), QStringLiteral("Textes"));
    Onglets->addTab(buildMiscPage(), QStringLiteral("Divers"));
    Onglets->addTab(buildFormulasPage(), QStringLiteral("Formules"));
    Onglets->addTab(buildSignaturePage(), QStringLiteral("Signature"));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Onglets, 1);
    layout->addWidget(buildButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    plainTextFont_ = {options.PlainTextFont.font, options.PlainTextFont.color};
    loadFrom(options);
}

QWidget *TParametres::buildOptionsPage()
{
    QGroupBox *start = group(QStringLiteral(" Démarrage "), nullptr);
    CheckSplash = check(start, "CheckSplash", QStringLiteral("&Toujours afficher le logo du programme au démarrage"),
                        QStringLiteral("Affiche ou désactive l'affichage du logo de démarrage"));
    CheckBureau = check(start, "CheckBureau", QStringLiteral("&Restaurer tous les documents précédemment ouverts"),
                        QStringLiteral("Active ou désactive la restauration de tous les documents précédemment ouverts"));
    QGroupBox *decrypt = group(QStringLiteral(" Décryptage "), nullptr);
    CheckPassword = check(decrypt, "CheckPassword", QStringLiteral("&Masquer les caractères des mots de passe saisis"),
                          QStringLiteral("Masque ou affiche les caractères des mots de passe lors de la saisie"));
    CheckAuthentic = check(decrypt, "CheckAuthentic", QStringLiteral("A&fficher l'authentification des documents décryptés"),
                           QStringLiteral("Affiche ou désactive l'affichage de l'authentification des documents décryptés"));
    QGroupBox *format = group(QStringLiteral(" Format "), nullptr);
    RadioCompatible =
        named(new QRadioButton(FormatCompatibleCaption, format), "RadioCompatible", FormatCompatibleHint);
    RadioAge = named(new QRadioButton(FormatAgeCaption, format), "RadioAge", FormatAgeHint);
    format->layout()->addWidget(RadioCompatible);
    format->layout()->addWidget(RadioAge);
    return page({start, decrypt, format});
}

QWidget *TParametres::buildFontsPage()
{
    QGroupBox *rich = group(QStringLiteral(" Texte enrichi "), nullptr);
    auto *row = new QHBoxLayout;
    Exemple = named(new QLabel(QStringLiteral("Exemple"), rich), "Exemple",
                    QStringLiteral("Montre un exemple de texte d'après la police choisie"));
    Exemple->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Exemple->setAlignment(Qt::AlignCenter);
    Exemple->setAutoFillBackground(true);
    Exemple->setMinimumSize(160, 44);
    BtnPolice = named(new QPushButton(QStringLiteral("&Police"), rich), "BtnPolice",
                      QStringLiteral("Sélectionne la fonte et les attributs de la police par défaut (nouveau document)"));
    connect(BtnPolice, &QPushButton::clicked, this, &TParametres::BtnPoliceClick);
    row->addWidget(Exemple, 1);
    row->addWidget(BtnPolice, 0, Qt::AlignVCenter);
    static_cast<QVBoxLayout *>(rich->layout())->addLayout(row);

    QGroupBox *plain = group(QStringLiteral(" Texte brut "), nullptr);
    RadioArial = named(new QRadioButton(QStringLiteral("Par défaut, utiliser une police de type proportionnel (A&rial)"), plain),
                       "RadioArial", QStringLiteral("Sélectionne une police de type proportionnel (Arial)"));
    RadioCourier = named(new QRadioButton(QStringLiteral("Par défaut, utiliser une police de type non proportionnel (&Courier)"), plain),
                         "RadioCourier", QStringLiteral("Sélectionne une police de type non proportionnel (Courier New)"));
    plain->layout()->addWidget(RadioArial);
    plain->layout()->addWidget(RadioCourier);
    return page({rich, plain});
}

QWidget *TParametres::buildTextsPage()
{
    QGroupBox *documents = group(QStringLiteral(" Documents "), nullptr);
    CheckMDISize = check(documents, "CheckMDISize", QStringLiteral("&Toujours ouvrir les documents en taille maximum (mosaïque)"),
                         QStringLiteral("Ouvre ou non les documents en taille maximum"));
    CheckWordwrap = check(documents, "CheckWordwrap",
                          QStringLiteral("A&fficher le texte dans les limites visuelles de l'éditeur (Wordwrap)"),
                          QStringLiteral("Affiche ou non le texte dans les limites visuelles de l'éditeur (retours à la ligne automatique)"));
    QGroupBox *words = group(QStringLiteral(" Nombre de mots "), nullptr);
    auto *label = new QLabel(QStringLiteral("Indiquez les &symboles que vous désirez considérer comme lettres"), words);
    EditSymbole = named(new QLineEdit(words), "EditSymbole",
                        QStringLiteral("Liste des symboles considérés comme des lettres (voir aide)"));
    label->setBuddy(EditSymbole);
    words->layout()->addWidget(label);
    words->layout()->addWidget(EditSymbole);
    return page({documents, words});
}

QWidget *TParametres::buildMiscPage()
{
    QGroupBox *misc = group(QStringLiteral(" Divers "), nullptr);
    CheckInteractif = check(misc, "CheckInteractif",
                            QStringLiteral("&Proposer l'orthographe des mots inconnus (sélection + clic droit)"),
                            QStringLiteral("Propose ou non la correction orthographique à la place du menu contextuel"));
    CheckBackground = check(misc, "CheckBackground", QStringLiteral("Souligner les fautes pendant la frappe"),
                            QStringLiteral("Souligne en rouge les mots inconnus du dictionnaire pendant la saisie"));
    CheckReadOnly = check(misc, "CheckReadOnly", QStringLiteral("&Toujours afficher les documents décryptés en lecture seule"),
                          QStringLiteral("Affiche ou non les documents décryptés en lecture seule"));
    return page({misc});
}

QWidget *TParametres::buildFormulasPage()
{
    QGroupBox *formulas = group(QStringLiteral(" &Formules  "), nullptr);
    MemoFormule = named(new QPlainTextEdit(formulas), "MemoFormule",
                        QStringLiteral("Liste des formules personnalisées (utilisez <> pour caler le curseur après insertion)"));
    MemoFormule->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoFormule->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoFormule->setTabChangesFocus(true);
    formulas->layout()->addWidget(MemoFormule);
    return page({formulas});
}

QWidget *TParametres::buildSignaturePage()
{
    QGroupBox *signature = group(QStringLiteral(" &Signature "), nullptr);
    MemoSignature = named(new QPlainTextEdit(signature), "MemoSignature",
                          QStringLiteral("Signature manuelle personnalisée (plusieurs lignes autorisées)"));
    MemoSignature->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoSignature->setTabChangesFocus(true);
    MemoSignature->setFixedHeight(MemoSignature->fontMetrics().lineSpacing() * 4 + 12);
    signature->layout()->addWidget(MemoSignature);

    QGroupBox *owner = group(QStringLiteral(" Authentification "), nullptr);
    auto *row = new QHBoxLayout;
    // Display only: out of the tab order, and a click hands the focus on to OK.
    EditAuthentification = named(new QLineEdit(owner), "EditAuthentification");
    EditAuthentification->setReadOnly(true);
    EditAuthentification->setFocusPolicy(Qt::ClickFocus);
    EditAuthentification->installEventFilter(this);
    BtnModifier = named(new QPushButton(QStringLiteral("&Modifier..."), owner), "BtnModifier",
                        QStringLiteral("Modifie le nom du propriétaire inscrit dans les documents cryptés"));
    connect(BtnModifier, &QPushButton::clicked, this, &TParametres::BtnModifierClick);
    row->addWidget(EditAuthentification, 1);
    row->addWidget(BtnModifier);
    static_cast<QVBoxLayout *>(owner->layout())->addLayout(row);
    return page({signature, owner});
}

QWidget *TParametres::buildButtons()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    BtnOk = named(new QPushButton(QStringLiteral("&Ok"), column), "BtnOk", QStringLiteral("Accepte tous les paramètres"));
    BtnOk->setDefault(true);
    BtnHelp = named(new QPushButton(QStringLiteral("&Aide"), column), "BtnHelp", QStringLiteral("Affiche l'aide des paramètres"));
    BtnDefaut = named(new QPushButton(QStringLiteral("Défaut"), column), "BtnDefaut",
                      QStringLiteral("Restaure tous les paramètres avec leurs valeurs par défaut (annulation possible)"));
    BtnAnnuler = named(new QPushButton(QStringLiteral("A&nnuler"), column), "BtnAnnuler",
                       QStringLiteral("Annule toutes les modifications et ferme la fenêtre"));
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnHelp, &QPushButton::clicked, this, &TParametres::helpRequested);
    connect(BtnDefaut, &QPushButton::clicked, this, &TParametres::BtnDefautClick);
    connect(BtnAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton *button : {BtnOk, BtnHelp, BtnDefaut, BtnAnnuler})
        layout->addWidget(button);
    layout->addStretch();
    return column;
}

void TParametres::loadFrom(const TProgramOptions &options)
{
    // A page index from an older or edited store may be out of range: start on the first page.
    Onglets->setCurrentIndex(options.Onglet >= 0 && options.Onglet < PageCount ? options.Onglet : 0);
    exempleFont_ = {options.RichTextFont.font, options.RichTextFont.color};
    showExemple();
    CheckSplash->setChecked(options.Splash);
    CheckBureau->setChecked(options.Desktop);
    CheckPassword->setChecked(options.Password);
    CheckAuthentic->setChecked(options.Authenticity);
    RadioAge->setChecked(options.Format == FormatAge);
    RadioCompatible->setChecked(options.Format != FormatAge);
    RadioArial->setChecked(options.Proportional);
    RadioCourier->setChecked(!options.Proportional);
    CheckMDISize->setChecked(options.MdiSize);
    CheckWordwrap->setChecked(options.Wordwrap);
    CheckInteractif->setChecked(options.Interactive);
    CheckBackground->setChecked(options.Background);
    CheckReadOnly->setChecked(options.ReadOnly);
    EditSymbole->setText(options.Symboles);
    MemoSignature->setPlainText(withUnixLineEnds(options.Signature));
    ownerName_ = options.OwnerName;
    EditAuthentification->setText(ownerName_);
    QStringList formulas;
    if (ReadFormulas(formulas))
        MemoFormule->setPlainText(formulas.join(QLatin1Char('\n')));
}

void TParametres::showExemple()
{
    Exemple->setFont(exempleFont_.font);
    QPalette palette = Exemple->palette();
    palette.setColor(QPalette::WindowText, exempleFont_.color);
    Exemple->setPalette(palette);
}

void TParametres::applyTo(TProgramOptions &options) const
{
    options.Onglet = Onglets->currentIndex();
    options.RichTextFont = {exempleFont_.font, exempleFont_.color};
    options.Splash = CheckSplash->isChecked();
    options.Authenticity = CheckAuthentic->isChecked();
    options.Desktop = CheckBureau->isChecked();
    options.Password = CheckPassword->isChecked();
    options.Format = RadioAge->isChecked() ? FormatAge : FormatCompatible;
    options.Proportional = RadioArial->isChecked();
    options.Signature = MemoSignature->toPlainText();
    options.Symboles = EditSymbole->text();
    options.MdiSize = CheckMDISize->isChecked();
    options.Wordwrap = CheckWordwrap->isChecked();
    options.Interactive = CheckInteractif->isChecked();
    options.Background = CheckBackground->isChecked();
    options.ReadOnly = CheckReadOnly->isChecked();
    StoreFormulaLines(MemoFormule->toPlainText().split(QLatin1Char('\n')));
    if (ownerName_ != options.OwnerName) {
        options.OwnerName = ownerName_;
        SaveOwnerName(ownerName_);
    }
}

void TParametres::BtnPoliceClick()
{
    if (const std::optional<FontChoice> chosen = modal().fontAndColor(this, exempleFont_, QStringLiteral("Police"))) {
        exempleFont_ = *chosen;
        showExemple();
    }
}

void TParametres::BtnDefautClick()
{
    if (showMessage(this, QMessageBox::Warning,
                    QStringLiteral("Attention, vous allez modifier et régler\r\nles options avec leurs valeurs initiales.\r\n\r\n"
                                   "Etes-vous sûr de réaliser cela ?"),
                    QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const TProgramOptions defaults;
    exempleFont_ = plainTextFont_;
    showExemple();
    CheckSplash->setChecked(defaults.Splash);
    CheckAuthentic->setChecked(defaults.Authenticity);
    CheckBureau->setChecked(defaults.Desktop);
    CheckPassword->setChecked(defaults.Password);
    RadioAge->setChecked(defaults.Format == FormatAge);
    RadioCompatible->setChecked(defaults.Format != FormatAge);
    RadioCourier->setChecked(!defaults.Proportional);
    RadioArial->setChecked(defaults.Proportional);
    EditSymbole->setText(defaults.Symboles);
    CheckMDISize->setChecked(defaults.MdiSize);
    CheckWordwrap->setChecked(defaults.Wordwrap);
    CheckInteractif->setChecked(defaults.Interactive);
    CheckBackground->setChecked(defaults.Background);
    CheckReadOnly->setChecked(defaults.ReadOnly);
    MemoSignature->clear();
    MemoFormule->setPlainText(DefaultFormulas().join(QLatin1Char('\n')));
    MemoFormule->moveCursor(QTextCursor::Start);
    showMessage(this, QMessageBox::Information,
                QStringLiteral("Les options ont été restaurées.\r\n\r\nVous pouvez utiliser le bouton Annuler pour les ignorer."));
}

void TParametres::BtnModifierClick()
{
    if (const std::optional<QString> name = AskOwnerName(this, ownerName_)) {
        ownerName_ = *name;
        EditAuthentification->setText(ownerName_);
    }
}

bool TParametres::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EditAuthentification && event->type() == QEvent::FocusIn)
        BtnOk->setFocus(Qt::OtherFocusReason);
    return QDialog::eventFilter(watched, event);
}

void TParametres::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    static_cast<EqualTabWidget *>(Onglets)->spanTabs();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

bool ShowSettingsDialog(QWidget *parent, TProgramOptions &options, const std::function<void()> &applied,
                        const std::function<void()> &help)
{
    TParametres dialog(options, parent);
    if (help)
        QObject::connect(&dialog, &TParametres::helpRequested, &dialog, help);
    if (modal().exec(dialog) != QDialog::Accepted)
        return false;
    dialog.applyTo(options);
    EnsureDefaultFormulas(options);
    if (applied)
        applied();
    return true;
}

} // namespace ombre
