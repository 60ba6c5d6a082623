// The three tool bars: their visibility items, the font box, the pairing of the font button with
// the boxes, and their layout kept under the ToolBars key.

#include "editor/font_list.h"
#include "editor/main_form.h"
#include "platform/registry.h"
#include "settings/options.h"

#include <QComboBox>
#include <QStatusBar>
#include <QToolBar>
#include <map>

namespace ombre {
namespace {

// Version of the layout record below.
constexpr int LayoutRevision = 1;

QString dockName(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::TopToolBarArea: return QStringLiteral("Top");
    case Qt::BottomToolBarArea: return QStringLiteral("Bottom");
    case Qt::LeftToolBarArea: return QStringLiteral("Left");
    case Qt::RightToolBarArea: return QStringLiteral("Right");
    default: return QString();
    }
}

bool horizontalArea(Qt::ToolBarArea area)
{
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

} // namespace

void TMainForm::FillFontList()
{
    ComboFont->setItemDelegate(new FontListDelegate(ComboFont));
    FillFontBox(*ComboFont);
}

void TMainForm::PairFontControls()
{
    // The orientation is what the bar has just taken; its dock may not be updated yet.
    const bool sideways = !Attributs->isFloating() && Attributs->orientation() == Qt::Vertical;
    BtnFont->setVisible(sideways);
    ComboFontAction->setVisible(!sideways);
    ComboSizeAction->setVisible(!sideways);
}

void TMainForm::SyncToolBarItems()
{
    BStandardItem->setChecked(Standard->isVisibleTo(this));
    BOptionsItem->setChecked(Options->isVisibleTo(this));
    BAttributsItem->setChecked(Attributs->isVisibleTo(this));
}

void TMainForm::BStandardItemClick()
{
    Standard->setVisible(!Standard->isVisibleTo(this));
    BStandardItem->setChecked(Standard->isVisibleTo(this));
}

void TMainForm::BOptionsItemClick()
{
    Options->setVisible(!Options->isVisibleTo(this));
    BOptionsItem->setChecked(Options->isVisibleTo(this));
}

void TMainForm::BAttributsItemClick()
{
    Attributs->setVisible(!Attributs->isVisibleTo(this));
    BAttributsItem->setChecked(Attributs->isVisibleTo(this));
}

void TMainForm::StatusBarItemClick()
{
    statusBar()->setVisible(!statusBar()->isVisibleTo(this));
    StatusBarItem->setChecked(statusBar()->isVisibleTo(this));
}

// Per tool bar, under ToolBars\<name>: Rev, Visible, DockedTo (empty when floating), DockRow and
// DockPos (row within its dock and offset along it), FloatLeft and FloatTop. The frame's own
// layout state ("Layout") lets the bars come back exactly, floating ones included.
void TMainForm::SaveToolBars() const
{
    RegWriteBatch batch;
    const QList<QToolBar *> bars{Standard, Options, Attributs};
    // Rows of a dock are told apart by the bars' offset across the dock.
    std::map<Qt::ToolBarArea, std::map<int, int>> rows;
    for (QToolBar *bar : bars)
        if (!bar->isFloating()) {
            const Qt::ToolBarArea area = toolBarArea(bar);
            rows[area][horizontalArea(area) ? bar->y() : bar->x()] = 0;
        }
    for (auto &[area, offsets] : rows) {
        int row = 0;
        for (auto &[offset, index] : offsets)
            index = row++;
    }
    for (QToolBar *bar : bars) {
        const QString key = ToolBarsKey + QLatin1Char('\\') + bar->objectName();
        const Qt::ToolBarArea area = toolBarArea(bar);
        const bool floating = bar->isFloating();
        const bool horizontal = horizontalArea(area);
        RegWriteInt(key, QStringLiteral("Rev"), LayoutRevision);
        RegWriteBool(key, QStringLiteral("Visible"), bar->isVisibleTo(this));
        RegWriteStr(key, QStringLiteral("DockedTo"), floating ? QString() : dockName(area));
        RegWriteInt(key, QStringLiteral("DockRow"), floating ? 0 : rows[area][horizontal ? bar->y() : bar->x()]);
        RegWriteInt(key, QStringLiteral("DockPos"), floating ? 0 : (horizontal ? bar->x() : bar->y()));
        RegWriteInt(key, QStringLiteral("FloatLeft"), floating ? bar->x() : 0);
        RegWriteInt(key, QStringLiteral("FloatTop"), floating ? bar->y() : 0);
    }
    RegWriteStr(ToolBarsKey, QStringLiteral("Layout"), QString::fromLatin1(saveState(LayoutRevision).toBase64()));
}

void TMainForm::RestoreToolBars()
{
    const QByteArray layout =
        QByteArray::fromBase64(RegReadStr(ToolBarsKey, QStringLiteral("Layout"), QString()).toLatin1());
    if (!layout.isEmpty())
        restoreState(layout, LayoutRevision);
    SyncToolBarItems();
    PairFontControls();
}

} // namespace ombre
