// The frame's commands: one action per command, one setup function per menu and for the tool
// bars, and the wiring of every action to its handler.

#include "editor/editing/color_menu.h"
#include "editor/main_form.h"
#include "editor/pictures.h"
#include "editor/tool_button_hint.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

namespace ombre {
namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QIcon colorSwatch(const QColor &color)
{
    // The checked colour carries a frame of its own: next to an icon, the style's check mark is
    // hard to see.
    QIcon icon;
    for (const bool checked : {false, true}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        if (checked) {
            p.setPen(QPen(QColor(0x2f, 0x5f, 0x9f), 2));
            p.drawRect(1, 1, 14, 14);
        }
        p.setPen(QColor(0x3d, 0x46, 0x54));
        p.setBrush(color);
        p.drawRect(3, 3, 9, 9);
        p.end();
        icon.addPixmap(pixmap, QIcon::Normal, checked ? QIcon::On : QIcon::Off);
    }
    return icon;
}

} // namespace

QAction *TMainForm::makeAction(const QString &name, const QString &caption, const QString &hint, int picture,
                               const QKeySequence &shortcut)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    a->setStatusTip(hint);
    if (picture >= 0)
        a->setIcon(MenuPicture(picture));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

QAction *TMainForm::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void TMainForm::createFileMenu()
{
    FileMenu = menuBar()->addMenu(text("&Fichier"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    FileNewItem = makeAction("FileNewItem", text("&Nouveau"), text("Créer un nouveau fichier"), 0, QKeySequence(Qt::CTRL | Qt::Key_N));
    FileOpenItem = makeAction("FileOpenItem", text("&Ouvrir..."), text("Ouvrir un fichier existant"), 1, QKeySequence(Qt::CTRL | Qt::Key_O));
    FileCloseItem = makeAction("FileCloseItem", text("&Fermer"), text("Fermer le document en cours"));
    FileCloseAllItem = makeAction("FileCloseAllItem", text("&Tout fermer"), text("Fermer tous les documents"));
    FileSaveItem = makeAction("FileSaveItem", text("&Enregistrer"), text("Enregistrer le document en cours"), 2, QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAsItem = makeAction("FileSaveAsItem", text("Enregistrer &sous..."), text("Enregistrer le document en cours sous un autre nom"));
    FilePrintItem = makeAction("FilePrintItem", text("&Imprimer..."), text("Imprimer le document en cours"), 3, QKeySequence(Qt::CTRL | Qt::Key_P));
    ApercuItem = makeAction("ApercuItem", text("Aperçu avant impression"), text("Afficher le document tel qu'il sera imprimé"));
    ApercuItem->setIcon(ToolBarPicture(ToolPicture::PrintPreview));
    FileConfigItem = makeAction("FileConfigItem", text("&Configurer..."), text("Configurer la mise en page"));
    ProprietesItem = makeAction("ProprietesItem", text("&Propriétés"), text("Afficher les propriétés du document en cours"));
    Word97Item = makeAction("Word97Item", text("&Traitement de texte"),
                            text("Envoyer le document en cours vers le traitement de texte"), 23);
    RaccourciItem = makeAction("RaccourciItem", text("&Raccourci du bureau"),
                               text("Envoyer le document en cours vers un raccourci du bureau"), 31);
    FileExitItem = makeAction("FileExitItem", text("&Quitter"), text("Quitter le programme"));

    FileMenu->addActions({FileNewItem, FileOpenItem, FileCloseItem, FileCloseAllItem});
    FileMenu->addSeparator();
    FileMenu->addActions({FileSaveItem, FileSaveAsItem});
    FileMenu->addSeparator();
    FileMenu->addActions({FilePrintItem, ApercuItem, FileConfigItem});
    FileMenu->addSeparator();
    FileMenu->addAction(ProprietesItem);
    QMenu *send = FileMenu->addMenu(text("Envo&yer vers"));
    EnvoyerItem = send->menuAction();
    EnvoyerItem->setObjectName(QStringLiteral("EnvoyerItem"));
    EnvoyerItem->setStatusTip(text("Envoyer le document en cours vers..."));
    send->addActions({Word97Item, RaccourciItem});
    FileMenu->addSeparator();
    FileMenu->addAction(FileExitItem);
}

void TMainForm::createEditMenu()
{
    EditMenu = menuBar()->addMenu(text("&Edition"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    UndoItem = makeAction("UndoItem", text("&Annuler"), text("Annuler la dernière opération"), 19, QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The editor's undo has many levels: what was undone can be done again.
    RedoItem = makeAction("RedoItem", text("&Rétablir"), text("Rétablir la dernière opération annulée"));
    RedoItem->setIcon(ToolBarPicture(ToolPicture::Redo));
    RedoItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    CutItem = makeAction("CutItem", text("&Couper"), text("Couper vers le Presse-papiers"), 4, QKeySequence(Qt::CTRL | Qt::Key_X));
    CopyItem = makeAction("CopyItem", text("Co&pier"), text("Copier vers le Presse-papiers"), 5, QKeySequence(Qt::CTRL | Qt::Key_C));
    PasteItem = makeAction("PasteItem", text("C&oller"), text("Coller depuis le Presse-papiers"), 6, QKeySequence(Qt::CTRL | Qt::Key_V));
    SelectionnerItem = makeAction("SelectionnerItem", text("Sélectio&nner tout"), text("Sélectionner tout le texte du document"), -2,
                                  QKeySequence(Qt::CTRL | Qt::Key_A));
    RechercherItem = makeAction("RechercherItem", text("Rec&hercher..."), text("Rechercher du texte dans le document en cours"), 7,
                                QKeySequence(Qt::CTRL | Qt::Key_F));
    RechercherNextItem = makeAction("RechercherNextItem", text("Che&rcher encore"), text("Rechercher l'occurrence suivante"), -2,
                                    QKeySequence(Qt::Key_F3));
    RemplacerItem = makeAction("RemplacerItem", text("R&emplacer..."), text("Rechercher et remplcaer dans le document en cours"), 27,
                               QKeySequence(Qt::CTRL | Qt::Key_H));
    MajusculesItem = makeAction("MajusculesItem", text("&Majuscules"), text("Convertir la sélection en majuscules"), 28);
    MinusculesItem = makeAction("MinusculesItem", text("M&inuscules"), text("Convertir la sélection en minuscules"), 29);

    EditMenu->addActions({UndoItem, RedoItem});
    EditMenu->addSeparator();
    EditMenu->addActions({CutItem, CopyItem, PasteItem});
    EditMenu->addSeparator();
    EditMenu->addAction(SelectionnerItem);
    EditMenu->addSeparator();
    EditMenu->addActions({RechercherItem, RechercherNextItem, RemplacerItem});
    EditMenu->addSeparator();
    EditMenu->addActions({MajusculesItem, MinusculesItem});
}

void TMainForm::createViewMenu()
{
    ViewMenu = menuBar()->addMenu(text("&Affichage"));
    ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
    QMenu *bars = ViewMenu->addMenu(text("&Barres d'outils"));
    BarresItem = bars->menuAction();
    BarresItem->setObjectName(QStringLiteral("BarresItem"));
    BarresItem->setStatusTip(text("Afficher ou masquer les barres d'outils"));
    BStandardItem = makeAction("BStandardItem", text("&Standard"), text("Afficher ou masquer la barre d'outils Standard"));
    BOptionsItem = makeAction("BOptionsItem", text("&Options"), text("Afficher ou masquer la barre d'outils Options"));
    BAttributsItem = makeAction("BAttributsItem", text("&Mise en forme"), text("Afficher ou masquer la barre d'outils Mise en forme"));
    RegleItem = makeAction("RegleItem", text("Rè&gle"), text("Afficher ou masquer la règle du document"));
    StatusBarItem = makeAction("StatusBarItem", text("B&arre d'état"), text("Afficher ou masquer la barre d'état"));
    for (QAction *a : {BStandardItem, BOptionsItem, BAttributsItem, RegleItem, StatusBarItem}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    bars->addActions({BStandardItem, BOptionsItem, BAttributsItem});
    ViewMenu->addActions({RegleItem, StatusBarItem});
}

void TMainForm::createInsertMenu()
{
    InsertMenu = menuBar()->addMenu(text("&Insertion"));
    InsertMenu->setObjectName(QStringLiteral("InsertMenu"));
    QMenu *dates = InsertMenu->addMenu(MenuPicture(8), text("&Date et heure"));
    DateItem = dates->menuAction();
    DateItem->setObjectName(QStringLiteral("DateItem"));
    DateItem->setStatusTip(text("Insérer une date ou une heure"));
    auto *dateGroup = new QActionGroup(this);
    for (int i = 0; i < static_cast<int>(M.size()); ++i) {
        QAction *item = nullptr;
        if (i == 4 || i == 7) {
            item = dates->addSeparator();
        } else {
            const char *hint = i < 4 ? "Insérer la date selon ce format"
                             : i < 7 ? "Insérer l'heure selon ce format"
                                     : "Insérer la date et l'heure selon ce format";
            item = makeAction(QStringLiteral("M%1").arg(i), QString(), text(hint));
            item->setCheckable(true);
            dateGroup->addAction(item);
            dates->addAction(item);
        }
        item->setObjectName(QStringLiteral("M%1").arg(i));
        M[static_cast<std::size_t>(i)] = item;
    }
    QMenu *formulas = InsertMenu->addMenu(MenuPicture(22), text("&Formules auto."));
    FormulesItem = formulas->menuAction();
    FormulesItem->setObjectName(QStringLiteral("FormulesItem"));
    FormulesItem->setStatusTip(text("Insérer une formule de politesse"));
    SignatureItem = makeAction("SignatureItem", text("&Signature"), text("Insérer la signature"), 9);
    InsertMenu->addAction(SignatureItem);
    BtnDate = makeAction("BtnDate", text("Date"), QString(), 8);
    BtnFormule = makeAction("BtnFormule", text("Formule"), QString(), 22);
}

void TMainForm::createFormatMenu()
{
    FormatMenu = menuBar()->addMenu(text("Forma&t"));
    FormatMenu->setObjectName(QStringLiteral("FormatMenu"));
    PolicesItem = makeAction("PolicesItem", text("&Polices..."), text("Choisir une police de caractères"), 10);
    FormatMenu->addAction(PolicesItem);
    FormatMenu->addSeparator();

    QMenu *align = FormatMenu->addMenu(MenuPicture(11), text("&Aligner"));
    AlignerItem = align->menuAction();
    AlignerItem->setObjectName(QStringLiteral("AlignerItem"));
    AlignerItem->setStatusTip(text("Aligner un paragraphe"));
    GaucheItem = makeAction("GaucheItem", text("&Gauche"), text("Aligner le paragraphe à gauche"));
    CentreItem = makeAction("CentreItem", text("&Centre"), text("Aligner le paragraphe au centre"));
    DroiteItem = makeAction("DroiteItem", text("&Droite"), text("Aligner le paragraphe à droite"));
    GaucheItem->setIcon(ToolBarPicture(ToolPicture::AlignLeft));
    CentreItem->setIcon(ToolBarPicture(ToolPicture::AlignCenter));
    DroiteItem->setIcon(ToolBarPicture(ToolPicture::AlignRight));
    AlignmentGroup = new QActionGroup(this);
    for (QAction *a : {GaucheItem, CentreItem, DroiteItem}) {
        a->setCheckable(true);
        AlignmentGroup->addAction(a);
    }
    GaucheItem->setChecked(true);
    align->addActions({GaucheItem, CentreItem, DroiteItem});

    PucesItem = makeAction("PucesItem", text("P&uces"), text("Insérer une puce"), 12);
    PucesItem->setCheckable(true);
    ReduireItem = makeAction("ReduireItem", text("Ré&duire le retrait"), text("Réduire le retrait du paragraphe"), 13);
    AugmenterItem = makeAction("AugmenterItem", text("Augmenter retra&it"), text("Augmenter le retrait du paragraphe"), 14);
    FormatMenu->addActions({PucesItem, ReduireItem, AugmenterItem});
    FormatMenu->addSeparator();
    WordwrapItem = makeAction("WordwrapItem", text("&Retour à la ligne"),
                              text("Afficher ou non le texte dans les limites visuelles de l'éditeur (Wordwrap)"));
    WordwrapItem->setCheckable(true);
    WordwrapItem->setChecked(true);
    FormatMenu->addAction(WordwrapItem);
    FormatMenu->addSeparator();
    EnrichiItem = makeAction("EnrichiItem", text("Texte enric&hi"), text("Afficher le document en texte enrichi (mise en forme)"));
    BrutItem = makeAction("BrutItem", text("&Texte brut"), text("Convertir le document en texte brut (sans mise en forme)"));
    auto *modeGroup = new QActionGroup(this);
    for (QAction *a : {EnrichiItem, BrutItem}) {
        a->setCheckable(true);
        modeGroup->addAction(a);
    }
    FormatMenu->addActions({EnrichiItem, BrutItem});

    // Tool-bar commands of the formatting bar.
    BtnFont = makeAction("BtnFont", text("Polices"), QString(), 10);
    BtnBold = makeAction("BtnBold", text("Gras"), QString());
    BtnItalic = makeAction("BtnItalic", text("Italique"), QString());
    BtnUnderline = makeAction("BtnUnderline", text("Souligné"), QString());
    BtnBullet = makeAction("BtnBullet", text("Puces"), QString(), 12);
    BtnBold->setIcon(ToolBarPicture(ToolPicture::Bold));
    BtnItalic->setIcon(ToolBarPicture(ToolPicture::Italic));
    BtnUnderline->setIcon(ToolBarPicture(ToolPicture::Underline));
    for (QAction *a : {BtnBold, BtnItalic, BtnUnderline, BtnBullet})
        a->setCheckable(true);
    BtnColor = makeAction("BtnColor", text("Couleurs"), QString());
    BtnColor->setIcon(ToolBarPicture(ToolPicture::Color));

    PopupColor = new QMenu(this);
    PopupColor->setObjectName(QStringLiteral("PopupColor"));
    auto *colorGroup = new QActionGroup(this);
    int index = 0;
    for (const MenuColor &c : MenuColors()) {
        QAction *item = PopupColor->addAction(colorSwatch(QColor(c.rgb)), text(c.caption));
        item->setObjectName(ColorItemName(index++));
        item->setCheckable(true);
        colorGroup->addAction(item);
        connect(item, &QAction::triggered, this, &TMainForm::C00Click);
    }
    PopupColor->addSeparator();
    QAction *other = PopupColor->addAction(text("Autres..."));
    other->setObjectName(OtherColorItemName);
    other->setCheckable(true);
    colorGroup->addAction(other);
    connect(other, &QAction::triggered, this, &TMainForm::BtnColorClick);
    BtnColor->setMenu(PopupColor);
}

void TMainForm::createToolsMenu()
{
    ToolsMenu = menuBar()->addMenu(text("&Outils"));
    ToolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
    OrthographeItem = makeAction("OrthographeItem", text("Or&thographe..."), text("Vérifier l'orthographe"), 18, QKeySequence(Qt::Key_F7));
    ToolsMenu->addAction(OrthographeItem);
    QMenu *dictionaries = ToolsMenu->addMenu(text("Di&ctionnaires"));
    DictionnairesItem = dictionaries->menuAction();
    DictionnairesItem->setObjectName(QStringLiteral("DictionnairesItem"));
    DictionnairesItem->setStatusTip(text("Sélectionner un dictionnaire de langue"));
    ToolsMenu->addSeparator();
    CrypterItem = makeAction("CrypterItem", text("Crypter le te&xte..."), text("Crypter le document en cours"), 15);
    FileCrypterItem = makeAction("FileCrypterItem", text("Crypter un &fichier..."), text("Crypter un fichier existant"));
    DecrypterItem = makeAction("DecrypterItem", text("&Décrypter..."), text("Décrypter un document ou un fichier existant"), 16);
    AuthentifierItem = makeAction("AuthentifierItem", text("&Authentifier..."),
                                  text("Authentifier un document ou un fichier existant"), 30);
    ToolsMenu->addActions({CrypterItem, FileCrypterItem, DecrypterItem, AuthentifierItem});
    ToolsMenu->addSeparator();
    OptionsItem = makeAction("OptionsItem", text("&Paramètres..."), text("Régler les paramètres du programme"));
    ToolsMenu->addAction(OptionsItem);
}

void TMainForm::createWindowMenu()
{
    WindowMenu = menuBar()->addMenu(text("Fe&nêtre"));
    WindowMenu->setObjectName(QStringLiteral("WindowMenu"));
    WindowCascadeItem = makeAction("WindowCascadeItem", text("&Cascade"), text("Disposer les fenêtres en cascade"), 24);
    WindowTileItem = makeAction("WindowTileItem", text("&Mosaïque"), text("Disposer les fenêtres en mosaïque"), 25);
    WindowArrangeItem = makeAction("WindowArrangeItem", text("&Réorganiser les icônes"),
                                   text("Réorganiser les icônes des fenêtres réduites"));
    WindowMinimizeItem = makeAction("WindowMinimizeItem", text("&Tout réduire"), text("Réduire toutes les fenêtres"), 26);
    WindowMenu->addActions({WindowCascadeItem, WindowTileItem, WindowArrangeItem, WindowMinimizeItem});
    connect(WindowMenu, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);
}

void TMainForm::createHelpMenu()
{
    HelpMenu = menuBar()->addMenu(text("Ai&de"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    HelpIndexItem = makeAction("HelpIndexItem", text("&Index"), text("Afficher l'aide du programme"), 17, QKeySequence(Qt::Key_F1));
    HelpChercheItem = makeAction("HelpChercheItem", text("&Recherche..."), text("Rechercher dans l'aide du programme"));
    HelpWebItem = makeAction("HelpWebItem", text("&Site Web de l'auteur"), text("Visiter le site Internet de l'auteur"), 21);
    HelpAboutItem = makeAction("HelpAboutItem", text("&A propos de..."), text("Afficher des informations sur le programme"));
    HelpMenu->addActions({HelpIndexItem, HelpChercheItem});
    HelpMenu->addSeparator();
    HelpMenu->addAction(HelpWebItem);
    HelpMenu->addSeparator();
    HelpMenu->addAction(HelpAboutItem);
    BtnPrint = makeAction("BtnPrint", text("Imprimer"), QString(), 3);
}

void TMainForm::nameToolButton(QToolBar *bar, QAction *action, const QString &name)
{
    if (QWidget *button = bar->widgetForAction(action))
        button->setObjectName(name);
}

void TMainForm::createToolBars()
{
    auto makeBar = [this](const char *name, const char *caption) {
        auto *bar = new QToolBar(text(caption), this);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        return bar;
    };
    // Tool tips are the short hints, whose status-bar part is empty; a shared command keeps its
    // menu hint for the status bar.
    auto add = [this](QToolBar *bar, QAction *action, const char *button, const char *tip) {
        bar->addAction(action);
        action->setToolTip(text(tip));
        nameToolButton(bar, action, QLatin1String(button));
        if (QWidget *widget = bar->widgetForAction(action))
            ShowEmptyStatusTip(*widget);
    };

    Standard = makeBar("Standard", "Standard");
    add(Standard, FileNewItem, "BtnNew", "Nouveau");
    add(Standard, FileOpenItem, "BtnOpen", "Ouvrir");
    add(Standard, FileSaveItem, "BtnSave", "Enregistrer");
    add(Standard, BtnPrint, "BtnPrint", "Imprimer");
    Standard->addSeparator();
    add(Standard, RechercherItem, "BtnFind", "Rechercher");
    Standard->addSeparator();
    add(Standard, CutItem, "BtnCut", "Couper");
    add(Standard, CopyItem, "BtnCopy", "Copier");
    add(Standard, PasteItem, "BtnPaste", "Coller");
    Standard->addSeparator();
    add(Standard, UndoItem, "BtnUndo", "Annuler");

    Attributs = makeBar("Attributs", "Mise en forme");
    ComboFont = new QComboBox(Attributs);
    ComboFont->setObjectName(QStringLiteral("ComboFont"));
    ComboFont->setToolTip(text("Polices"));
    ComboFont->setMaxVisibleItems(10);
    ComboFont->setMinimumContentsLength(16);
    ComboFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboSize = new QComboBox(Attributs);
    ComboSize->setObjectName(QStringLiteral("ComboSize"));
    ComboSize->setToolTip(text("Taille"));
    ComboSize->setEditable(true);
    ComboSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size = 6; size <= 40; size += 2)
        ComboSize->addItem(QString::number(size));
    ComboSize->setMinimumContentsLength(3);
    ComboSize->setEditText(QStringLiteral("12"));
    // The boxes look like edit fields when enabled and like the bar when not.
    for (QComboBox *box : {ComboFont, ComboSize}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Button));
        box->setPalette(palette);
    }
    ComboFontAction = Attributs->addWidget(ComboFont);
    ComboSizeAction = Attributs->addWidget(ComboSize);
    add(Attributs, BtnFont, "BtnFont", "Polices");
    Attributs->addSeparator();
    add(Attributs, BtnBold, "BtnBold", "Gras");
    add(Attributs, BtnItalic, "BtnItalic", "Italique");
    add(Attributs, BtnUnderline, "BtnUnderline", "Souligné");
    add(Attributs, BtnColor, "BtnColor", "Couleurs");
    if (auto *color = qobject_cast<QToolButton *>(Attributs->widgetForAction(BtnColor)))
        color->setPopupMode(QToolButton::MenuButtonPopup);
    Attributs->addSeparator();
    add(Attributs, BtnBullet, "BtnBullet", "Puces");
    Attributs->addSeparator();
    add(Attributs, ReduireItem, "BtnIdentde", "Réduire retrait");
    add(Attributs, AugmenterItem, "BtnIdentin", "Augmenter retrait");
    Attributs->addSeparator();
    add(Attributs, GaucheItem, "BtnLeft", "Aligner à gauche");
    add(Attributs, CentreItem, "BtnCenter", "Centré");
    add(Attributs, DroiteItem, "BtnRight", "Aligner à droite");

    Options = makeBar("Options", "Options");
    add(Options, OrthographeItem, "BtnOrthographe", "Orthographe");
    Options->addSeparator();
    add(Options, BtnDate, "BtnDate", "Date");
    add(Options, BtnFormule, "BtnFormule", "Formule");
    add(Options, SignatureItem, "BtnSignature", "Signature");
    Options->addSeparator();
    add(Options, AuthentifierItem, "BtnAuthentic", "Authentifier");
    Options->addSeparator();
    add(Options, CrypterItem, "BtnCrypter", "Crypter le texte");
    add(Options, DecrypterItem, "BtnDecrypter", "Décrypter");
    Options->addSeparator();
    add(Options, HelpWebItem, "BtnWeb", "Web de l'auteur");
    add(Options, HelpIndexItem, "BtnHelp", "Aide");

    // Standard and Options share the first row, the formatting bar has the second.
    addToolBar(Qt::TopToolBarArea, Standard);
    addToolBar(Qt::TopToolBarArea, Options);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, Attributs);
}

void TMainForm::connectHandlers()
{
    const struct {
        QAction *action;
        void (TMainForm::*handler)();
    } handlers[] = {
        {FileNewItem, &TMainForm::FileNewItemClick},
        {FileOpenItem, &TMainForm::FileOpenItemClick},
        {FileCloseItem, &TMainForm::FileCloseItemClick},
        {FileCloseAllItem, &TMainForm::FileCloseAllItemClick},
        {FileSaveItem, &TMainForm::FileSaveItemClick},
        {FileSaveAsItem, &TMainForm::FileSaveAsItemClick},
        {FilePrintItem, &TMainForm::FilePrintItemClick},
        {ApercuItem, &TMainForm::ApercuItemClick},
        {BtnPrint, &TMainForm::BtnPrintClick},
        {FileConfigItem, &TMainForm::FileConfigItemClick},
        {ProprietesItem, &TMainForm::ProprietesItemClick},
        {Word97Item, &TMainForm::Word97ItemClick},
        {RaccourciItem, &TMainForm::RaccourciItemClick},
        {FileExitItem, &TMainForm::FileExitItemClick},
        {UndoItem, &TMainForm::UndoItemClick},
        {RedoItem, &TMainForm::RedoItemClick},
        {CutItem, &TMainForm::CutItemClick},
        {CopyItem, &TMainForm::CopyItemClick},
        {PasteItem, &TMainForm::PasteItemClick},
        {SelectionnerItem, &TMainForm::SelectionnerItemClick},
        {RechercherItem, &TMainForm::RechercherItemClick},
        {RechercherNextItem, &TMainForm::RechercherNextItemClick},
        {RemplacerItem, &TMainForm::RemplacerItemClick},
        {MajusculesItem, &TMainForm::MajusculesItemClick},
        {MinusculesItem, &TMainForm::MinusculesItemClick},
        {BStandardItem, &TMainForm::BStandardItemClick},
        {BOptionsItem, &TMainForm::BOptionsItemClick},
        {BAttributsItem, &TMainForm::BAttributsItemClick},
        {RegleItem, &TMainForm::RegleItemClick},
        {StatusBarItem, &TMainForm::StatusBarItemClick},
        {BtnDate, &TMainForm::BtnDateClick},
        {BtnFormule, &TMainForm::BtnFormuleClick},
        {SignatureItem, &TMainForm::SignatureItemClick},
        {PolicesItem, &TMainForm::PolicesItemClick},
        {BtnFont, &TMainForm::PolicesItemClick},
        {GaucheItem, &TMainForm::BtnLeftClick},
        {CentreItem, &TMainForm::BtnCenterClick},
        {DroiteItem, &TMainForm::BtnRightClick},
        {PucesItem, &TMainForm::PucesItemClick},
        {BtnBullet, &TMainForm::BtnBulletClick},
        {ReduireItem, &TMainForm::BtnIdentdeClick},
        {AugmenterItem, &TMainForm::BtnIdentinClick},
        {WordwrapItem, &TMainForm::WordwrapItemClick},
        {EnrichiItem, &TMainForm::EnrichiItemClick},
        {BrutItem, &TMainForm::BrutItemClick},
        {BtnBold, &TMainForm::BtnBoldClick},
        {BtnItalic, &TMainForm::BtnItalicClick},
        {BtnUnderline, &TMainForm::BtnUnderlineClick},
        {BtnColor, &TMainForm::BtnColorClick},
        {OrthographeItem, &TMainForm::OrthographeItemClick},
        {CrypterItem, &TMainForm::BtnCrypterClick},
        {FileCrypterItem, &TMainForm::FileCrypterItemClick},
        {DecrypterItem, &TMainForm::BtnDecrypterClick},
        {AuthentifierItem, &TMainForm::AuthentifierItemClick},
        {OptionsItem, &TMainForm::OptionsItemClick},
        {WindowCascadeItem, &TMainForm::WindowCascadeItemClick},
        {WindowTileItem, &TMainForm::WindowTileItemClick},
        {WindowArrangeItem, &TMainForm::WindowArrangeItemClick},
        {WindowMinimizeItem, &TMainForm::WindowMinimizeItemClick},
        {HelpIndexItem, &TMainForm::HelpIndexItemClick},
        {HelpChercheItem, &TMainForm::HelpChercheItemClick},
        {HelpWebItem, &TMainForm::HelpWebItemClick},
        {HelpAboutItem, &TMainForm::HelpAboutItemClick},
    };
    for (const auto &h : handlers)
        connect(h.action, &QAction::triggered, this, h.handler);
    for (QAction *item : M)
        if (!item->isSeparator())
            connect(item, &QAction::triggered, this, &TMainForm::M0Click);
    connect(DateItem->menu(), &QMenu::aboutToShow, this, &TMainForm::DateItemClick);
    connect(PopupColor, &QMenu::aboutToShow, this, &TMainForm::PopupColorPopup);
    connect(ComboFont, &QComboBox::currentIndexChanged, this, &TMainForm::ComboFontChange);
    connect(ComboSize, &QComboBox::editTextChanged, this, &TMainForm::ComboSizeChange);
}

} // namespace ombre
