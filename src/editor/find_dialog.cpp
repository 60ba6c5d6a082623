// The find and replace dialogs' widgets and layout.

#include "editor/find_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <utility>

namespace ombre {
namespace {

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit *makeField(QWidget *parent, const char *name)
{
    auto *field = named(new QLineEdit(parent), name);
    field->setMinimumWidth(220);
    return field;
}

QLabel *makeLabel(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFindDialog::TFindDialog(Kind kind, QWidget *parent) : QDialog(parent)
{
    const bool replace = kind == Kind::Replace;
    setObjectName(replace ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setWindowTitle(replace ? QStringLiteral("Remplacer") : QStringLiteral("Rechercher"));
    setModal(false);

    m_editFind = makeField(this, "EditFind");
    auto *fields = new QGridLayout;
    fields->addWidget(makeLabel(QStringLiteral("&Rechercher :"), m_editFind, this), 0, 0);
    fields->addWidget(m_editFind, 0, 1);
    if (replace) {
        m_editReplace = makeField(this, "EditReplace");
        fields->addWidget(makeLabel(QStringLiteral("Rem&placer par :"), m_editReplace, this), 1, 0);
        fields->addWidget(m_editReplace, 1, 1);
    }

    m_checkWholeWord = named(new QCheckBox(QStringLiteral("&Mot entier uniquement"), this), "CheckWholeWord");
    m_checkMatchCase = named(new QCheckBox(QStringLiteral("Respecter la &casse"), this), "CheckMatchCase");
    auto *checks = new QVBoxLayout;
    checks->addStretch();
    checks->addWidget(m_checkWholeWord);
    checks->addWidget(m_checkMatchCase);
    auto *options = new QHBoxLayout;
    options->addLayout(checks);
    if (!replace) {
        auto *direction = named(new QGroupBox(QStringLiteral("Direction"), this), "GroupDirection");
        m_radioUp = named(new QRadioButton(QStringLiteral("&Haut"), direction), "RadioUp");
        m_radioDown = named(new QRadioButton(QStringLiteral("&Bas"), direction), "RadioDown");
        m_radioDown->setChecked(true);
        auto *radios = new QHBoxLayout(direction);
        radios->addWidget(m_radioUp);
        radios->addWidget(m_radioDown);
        options->addSpacing(12);
        options->addWidget(direction);
    }
    options->addStretch();

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();

    auto *buttons = new QVBoxLayout;
    const auto addButton = [&](const QString &caption, const char *name) {
        auto *button = named(new QPushButton(caption, this), name);
        buttons->addWidget(button);
        return button;
    };
    m_btnFindNext = addButton(QStringLiteral("&Suivant"), "BtnFindNext");
    m_btnFindNext->setDefault(true);
    if (replace) {
        m_btnReplace = addButton(QStringLiteral("&Remplacer"), "BtnReplace");
        m_btnReplaceAll = addButton(QStringLiteral("Remplacer &tout"), "BtnReplaceAll");
    }
    QPushButton *cancel = addButton(QStringLiteral("Annuler"), "BtnCancel");
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // Like the standard dialogs, the form keeps the size of its contents.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_editFind, &QLineEdit::textChanged, this, [this] {
        updateButtons();
        emit queryChanged();
    });
    for (QCheckBox *check : {m_checkWholeWord, m_checkMatchCase})
        connect(check, &QCheckBox::toggled, this, &TFindDialog::queryChanged);
    if (m_radioDown)
        connect(m_radioDown, &QRadioButton::toggled, this, &TFindDialog::queryChanged);
    connect(m_btnFindNext, &QPushButton::clicked, this, &TFindDialog::findNextClicked);
    // Find again works from the dialog as from the document.
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, m_btnFindNext, &QPushButton::click);
    if (replace) {
        connect(m_btnReplace, &QPushButton::clicked, this, &TFindDialog::replaceClicked);
        connect(m_btnReplaceAll, &QPushButton::clicked, this, &TFindDialog::replaceAllClicked);
    }
    // Cancel and Escape only hide the dialog: it keeps its texts for the next opening.
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

FindQuery TFindDialog::query() const
{
    FindQuery query;
    query.text = m_editFind->text();
    query.matchCase = m_checkMatchCase->isChecked();
    query.wholeWord = m_checkWholeWord->isChecked();
    query.down = !m_radioDown || m_radioDown->isChecked();
    return query;
}

void TFindDialog::setQuery(const FindQuery &query)
{
    {
        // One change, told once: the fields below would each tell a half-set query.
        const QSignalBlocker blocker(this);
        m_editFind->setText(query.text);
        m_checkMatchCase->setChecked(query.matchCase);
        m_checkWholeWord->setChecked(query.wholeWord);
        if (m_radioDown)
            (query.down ? m_radioDown : m_radioUp)->setChecked(true);
    }
    updateButtons();
}

QString TFindDialog::replacement() const
{
    return m_editReplace ? m_editReplace->text() : QString();
}

void TFindDialog::setWritable(bool writable)
{
    m_writable = writable;
    updateButtons();
}

void TFindDialog::focusFindText()
{
    m_editFind->setFocus(Qt::OtherFocusReason);
    m_editFind->selectAll();
    // The window system activates the dialog later, and the focus handling that comes with it
    // may drop the selection: the field is selected again then.
    m_selectOnActivation = true;
}

void TFindDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // The user may have gone to another document meanwhile: the owner checks it again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (std::exchange(m_selectOnActivation, false) && focusWidget() == m_editFind)
            m_editFind->selectAll();
        emit activated();
    }
}

void TFindDialog::updateButtons()
{
    const bool text = !m_editFind->text().isEmpty();
    m_btnFindNext->setEnabled(text);
    if (m_btnReplace) {
        m_btnReplace->setEnabled(text && m_writable);
        m_btnReplaceAll->setEnabled(text && m_writable);
    }
}

} // namespace ombre
