#include "integrations/spelling/speller_dialog.h"

#include "integrations/spelling/misspelling_box.h"
#include "integrations/spelling/spell_checker.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ombre {

TSpellerDialog::TSpellerDialog(TSpellChecker &checker, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_checker(checker)
{
    setObjectName(QStringLiteral("SpellerDialog"));
    setModal(false);
    setFixedSize(419, 255);

    InfoMsg = new QLabel(this);
    InfoMsg->setObjectName(QStringLiteral("InfoMsg"));
    Misspelling = new TMisspellingBox(this);
    Misspelling->setFixedHeight(52);
    InfoMsg->setBuddy(Misspelling);
    SuggestLabel = new QLabel(QStringLiteral("S&uggestions"), this);
    SuggestLabel->setObjectName(QStringLiteral("SuggestLabel"));
    Variants = new QListWidget(this);
    Variants->setObjectName(QStringLiteral("Variants"));
    SuggestLabel->setBuddy(Variants);

    auto button = [this](const char *name, const char *caption) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    ChangeButton = button("ChangeButton", "Re&mplacer");
    ChangeButton->setDefault(true);
    ChangeAllButton = button("ChangeAllButton", "Rem&placer tout");
    SkipButton = button("SkipButton", "&Ignorer");
    StartButton = button("StartButton", "Re&prendre");
    StartButton->hide();
    SkipAllButton = button("SkipAllButton", "Ignor&er tout");
    AddButton = button("AddButton", "A&jouter");
    DelButton = button("DelButton", "&Effacer");
    CancelEdit = button("CancelEdit", "&Rétablir");
    CancelButton = button("CancelButton", "&Annuler");
    OptionsButton = button("OptionsButton", "&Options...");
    OptionsButton->setEnabled(false);

    auto *left = new QVBoxLayout;
    left->setSpacing(3);
    left->addWidget(InfoMsg);
    left->addWidget(Misspelling);
    left->addSpacing(4);
    left->addWidget(SuggestLabel);
    left->addWidget(Variants, 1);
    auto *right = new QVBoxLayout;
    right->setSpacing(2);
    for (QPushButton *b : {ChangeButton, ChangeAllButton, SkipButton, StartButton, SkipAllButton, AddButton, DelButton,
                           CancelEdit, CancelButton, OptionsButton})
        right->addWidget(b);
    right->addStretch(1);
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->addLayout(left, 1);
    columns->addLayout(right);

    connect(ChangeButton, &QPushButton::clicked, this, &TSpellerDialog::changeClicked);
    connect(Variants, &QListWidget::itemDoubleClicked, this, &TSpellerDialog::changeClicked);
    connect(ChangeAllButton, &QPushButton::clicked, this, [this] { m_checker.changeAll(chosenSuggestion()); });
    connect(SkipButton, &QPushButton::clicked, this, [this] { m_checker.skip(); });
    connect(StartButton, &QPushButton::clicked, this, [this] { m_checker.resume(); });
    connect(SkipAllButton, &QPushButton::clicked, this, [this] { m_checker.skipAll(); });
    connect(AddButton, &QPushButton::clicked, this, [this] { m_checker.addWord(); });
    connect(DelButton, &QPushButton::clicked, this, [this] { m_checker.deleteError(); });
    connect(CancelEdit, &QPushButton::clicked, this, [this] {
        Misspelling->restoreWord();
        applyButtons(m_shown);
    });
    connect(CancelButton, &QPushButton::clicked, this, [this] { m_checker.cancel(); });
    connect(Misspelling, &TMisspellingBox::wordEdited, this, &TSpellerDialog::wordEdited);
}

void TSpellerDialog::showError(const ErrorPresentation &shown, const QString &line, qsizetype wordStart,
                               qsizetype wordLength)
{
    m_shown = shown;
    StartButton->hide();
    SkipButton->show();
    InfoMsg->setText(shown.label);
    Misspelling->setEnabled(true);
    Misspelling->fill(line, wordStart, wordLength, m_checker.MisspellColor, shown.retype);
    Variants->clear();
    Variants->addItems(shown.suggestions);
    if (Variants->count() > 0)
        Variants->setCurrentRow(0);
    InfoMsg->setEnabled(true);
    CancelButton->setEnabled(true);
    applyButtons(shown);
    if (!isVisible()) {
        if (!m_centred && parentWidget()) {
            const QRect frame = parentWidget()->window()->geometry();
            move(frame.center() - rect().center());
            m_centred = true;
        }
        show();
        raise();
        activateWindow();
    }
    if (shown.focusOnSkip)
        SkipButton->setFocus();
    else if (ChangeButton->isEnabled())
        ChangeButton->setFocus();
    else
        SkipButton->setFocus();
}

void TSpellerDialog::keepClear(const QRect &area)
{
    const QRect frame = frameGeometry();
    if (!frame.intersects(area) || !screen())
        return;
    const QRect room = screen()->availableGeometry();
    constexpr int Gap = 8;
    for (const int top : {area.bottom() + Gap, area.top() - Gap - frame.height()}) {
        if (room.contains(QRect(QPoint(frame.x(), top), frame.size()))) {
            move(frame.x(), top);
            return;
        }
    }
}

void TSpellerDialog::applyButtons(const ErrorPresentation &shown)
{
    ChangeButton->setEnabled(shown.change);
    ChangeAllButton->setEnabled(shown.changeAll);
    SkipButton->setEnabled(shown.skip);
    SkipAllButton->setEnabled(shown.skipAll);
    AddButton->setEnabled(shown.add);
    DelButton->setEnabled(shown.del);
    CancelEdit->setEnabled(false);
    Variants->setEnabled(true);
    SuggestLabel->setEnabled(!shown.suggestions.isEmpty());
}

void TSpellerDialog::wordEdited()
{
    CancelEdit->setEnabled(true);
    ChangeButton->setEnabled(true);
    for (QWidget *off : std::initializer_list<QWidget *>{ChangeAllButton, SkipAllButton, AddButton, DelButton, Variants})
        off->setEnabled(false);
}

QString TSpellerDialog::chosenSuggestion() const
{
    const QListWidgetItem *item = Variants->currentItem();
    return item ? item->text() : QString();
}

void TSpellerDialog::changeClicked()
{
    if (!ChangeButton->isEnabled())
        return;
    m_checker.change(Misspelling->edited() ? Misspelling->typedWord() : chosenSuggestion());
}

void TSpellerDialog::pause()
{
    for (QWidget *control : findChildren<QWidget *>())
        control->setEnabled(false);
    Misspelling->empty();
    SkipButton->hide();
    StartButton->show();
    StartButton->setEnabled(true);
    // Closing stays possible.
    CancelButton->setEnabled(true);
}

bool TSpellerDialog::isPaused() const
{
    return !StartButton->isHidden();
}

void TSpellerDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        m_wasActive = true;
    else if (m_wasActive && isVisible() && !isPaused())
        pause();
}

void TSpellerDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_checker.cancel();
}

void TSpellerDialog::reject()
{
    m_checker.cancel();
}

} // namespace ombre
