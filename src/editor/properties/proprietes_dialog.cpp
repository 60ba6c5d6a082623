#include "editor/properties/proprietes_dialog.h"

#include "editor/document_stream.h"
#include "editor/wait_cursor.h"
#include "platform/qt_secret.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace ombre {
namespace {

const QColor GroupCaptionColor(0x00, 0x00, 0x80);
const QString ByteUnit = QStringLiteral(" octet");
const QString CharacterUnit = QStringLiteral(" caractère");
const QString WordUnit = QStringLiteral(" mot");

// A long file name is shortened in its middle, whole in the tool tip, so that the dialog keeps
// within the screen.
constexpr int kNameWidth = 320;

// The bytes Save would write. They are the plaintext, so they are wiped once measured.
qint64 streamedSize(const PropertiesSource &source)
{
    PlainTextEncoding encoding = source.encoding;
    const SecretByteArray bytes(StreamOut(*source.editor.document(), source.plainText, &encoding));
    return bytes.value.size();
}

// One group box of lines "label : value", the labels of every group in one column width so that
// the colons line up from group to group.
class LineGroup {
public:
    LineGroup(QWidget *parent, QLayout &into, const QString &caption, int labelWidth)
        : m_box(new QGroupBox(caption, parent)), m_grid(new QGridLayout(m_box))
    {
        QPalette captionPalette = m_box->palette();
        captionPalette.setColor(QPalette::WindowText, GroupCaptionColor);
        m_box->setPalette(captionPalette);
        m_grid->setColumnMinimumWidth(0, labelWidth);
        m_grid->setColumnStretch(2, 1);
        into.addWidget(m_box);
    }

    QLabel *addLine(const QString &label, const char *valueName)
    {
        const int row = m_lines++;
        m_grid->addWidget(blackLabel(label), row, 0);
        m_grid->addWidget(blackLabel(QStringLiteral(":")), row, 1);
        QLabel *value = blackLabel(QString());
        value->setObjectName(QLatin1String(valueName));
        m_grid->addWidget(value, row, 2);
        return value;
    }

private:
    QLabel *blackLabel(const QString &text) const
    {
        auto *label = new QLabel(text, m_box);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        return label;
    }

    QGroupBox *m_box;
    QGridLayout *m_grid;
    int m_lines = 0;
};

void setCounts(QLabel &characters, QLabel &words, QStringView text, const QString &symbols)
{
    characters.setText(withUnit(CountCharacters(text), CharacterUnit));
    words.setText(withUnit(CountWords(text, symbols), WordUnit));
}

} // namespace

QString withUnit(qint64 count, const QString &unit)
{
    QString text = QString::number(count) + unit;
    if (count > 1)
        text += QLatin1Char('s');
    return text;
}

TProprietes::TProprietes(QWidget *parent, const PropertiesSource &source, const QString &symbols)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint)
{
    const WaitCursor wait;
    setObjectName(QStringLiteral("Proprietes"));
    setWindowTitle(QStringLiteral("Propriétés"));

    const QString nameLabel = QStringLiteral("Nom du document");
    const QString sizeLabel = QStringLiteral("Taille du document");
    const QString containerLabel = QStringLiteral("Taille du conteneur");
    const QString charactersLabel = QStringLiteral("Nombre de caractères");
    const QString wordsLabel = QStringLiteral("Nombre de mots trouvés");
    int labelWidth = 0;
    for (const QString &label : {nameLabel, sizeLabel, containerLabel, charactersLabel, wordsLabel})
        labelWidth = std::max(labelWidth, fontMetrics().horizontalAdvance(label));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    LineGroup file(this, *layout, QStringLiteral(" Fichier "), labelWidth);
    Nom = file.addLine(nameLabel, "Nom");
    Taille = file.addLine(sizeLabel, "Taille");
    const QFileInfo container(source.containerPath);
    if (!source.containerPath.isEmpty() && container.isFile())
        TailleConteneur = file.addLine(containerLabel, "TailleConteneur");

    LineGroup document(this, *layout, QStringLiteral(" Document "), labelWidth);
    CaraTotal = document.addLine(charactersLabel, "CaraTotal");
    MotTotal = document.addLine(wordsLabel, "MotTotal");

    LineGroup selection(this, *layout, QStringLiteral(" Texte sélectionné "), labelWidth);
    CaraSelect = selection.addLine(charactersLabel, "CaraSelect");
    MotSelect = selection.addLine(wordsLabel, "MotSelect");

    BtnOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);

    const QString shownName = Nom->fontMetrics().elidedText(source.name, Qt::ElideMiddle, kNameWidth);
    Nom->setText(shownName);
    if (shownName != source.name)
        Nom->setToolTip(source.name);
    Taille->setText(withUnit(streamedSize(source), ByteUnit));
    if (TailleConteneur)
        TailleConteneur->setText(withUnit(container.size(), ByteUnit));
    // The plaintext, wiped once counted. Its characters stand at the document's positions, so
    // the selection is a view of it rather than another copy.
    const SecretString whole(source.editor.document()->toRawText());
    setCounts(*CaraTotal, *MotTotal, whole.value, symbols);
    const QTextCursor cursor = source.editor.textCursor();
    const QStringView selected =
        QStringView(whole.value).sliced(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    setCounts(*CaraSelect, *MotSelect, selected, symbols);

    adjustSize();
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace ombre
