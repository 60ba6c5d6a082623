// Printing: the print dialog, printing at once, the preview and the page set-up, all on the
// session's printer and through printDocument.

#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/printing/document_printing.h"
#include "platform/modal.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextEdit>

namespace ombre {
namespace {

const QString NoPrinter = QStringLiteral(
    "Aucune imprimante n'est installée.\r\n\r\nInstallez-en une dans les paramètres du système, puis recommencez.");
const QString PrintFailed = QStringLiteral(
    "L'impression n'a pas pu se faire.\r\n\r\nVérifiez que l'imprimante est prête, puis recommencez.");

// The margins of a printer whose page set-up the user has not changed.
constexpr qreal kDefaultMarginMm = 20;

// `previous`: the page set-up to keep, if any.
std::unique_ptr<QPrinter> madePrinter(const QPrinter *previous)
{
    auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (previous)
        made->setPageLayout(previous->pageLayout());
    else
        made->setPageMargins(QMarginsF(kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm, kDefaultMarginMm),
                             QPageLayout::Millimeter);
    return made;
}

// The page set-up widgets show the layout's own unit.
void inMillimetres(QPrinter &target)
{
    QPageLayout layout = target.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    target.setPageLayout(layout);
}

// The print dialog offering the whole document only: no page range, current page, selection or
// printing to a file. Qt's own dialog keeps its page range choices (pages from/to, a list of
// pages, odd or even pages) whatever its options say: their group is hidden once it is shown.
class WholeDocumentPrintDialog final : public QPrintDialog {
public:
    WholeDocumentPrintDialog(QPrinter &target, QWidget *parent) : QPrintDialog(&target, parent)
    {
        setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    }

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (QWidget *range = findChild<QWidget *>(QStringLiteral("gbPrintRange")); range && visible)
            range->hide();
    }
};

} // namespace

QPrinter &TMainForm::printer()
{
    if (!Printer)
        Printer = madePrinter(nullptr);
    return *Printer;
}

QPrinter *TMainForm::readyPrinter(bool quiet)
{
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    // Made while no printer was installed and one is now: print on it, with the same page set-up.
    if (printerMissing(printer(), installed) && !installed.isEmpty())
        Printer = madePrinter(Printer.get());
    if (printerMissing(*Printer, installed)) {
        if (!quiet)
            showMessage(this, QMessageBox::Critical, NoPrinter);
        return nullptr;
    }
    return Printer.get();
}

void TMainForm::printOn(QPrinter &target)
{
    target.setDocName(QString()); // the job's title is empty
    if (!printDocument(*ActiveChild->RichEdit->document(), target))
        showMessage(this, QMessageBox::Critical, PrintFailed);
}

bool TMainForm::printWithDialog(QPrinter &target)
{
    inMillimetres(target);
    WholeDocumentPrintDialog dialog(target, this);
    if (modal().exec(dialog) != QDialog::Accepted || dialog.printRange() != QAbstractPrintDialog::AllPages)
        return false;
    printOn(target);
    return true;
}

void TMainForm::setUpPage(QPrinter &target)
{
    inMillimetres(target);
    QPageSetupDialog dialog(&target, this);
    modal().exec(dialog); // once accepted, the dialog has set the printer's page layout
}

// The preview's own print and page set-up buttons would open Qt's dialogs with every option and
// past the modal seam: they run the frame's instead. They are found by their captions, which
// come from Qt's own translations.
void TMainForm::routePreviewButtons(QPrintPreviewDialog &dialog, QPrinter &target)
{
    auto *view = dialog.findChild<QPrintPreviewWidget *>();
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    const QString pageSetup = QCoreApplication::translate("QPrintPreviewDialog", "Page setup");
    for (QAction *button : dialog.findChildren<QAction *>()) {
        if (button->text() == print) {
            disconnect(button, &QAction::triggered, &dialog, nullptr);
            connect(button, &QAction::triggered, &dialog, [this, &dialog, &target] {
                if (printerMissing(target, QPrinterInfo::availablePrinterNames()))
                    showMessage(this, QMessageBox::Critical, NoPrinter);
                else if (printWithDialog(target))
                    dialog.accept();
            });
        } else if (button->text() == pageSetup && view) {
            disconnect(button, &QAction::triggered, &dialog, nullptr);
            connect(button, &QAction::triggered, &dialog, [this, view, &target] {
                setUpPage(target);
                view->updatePreview();
            });
        }
    }
}

void TMainForm::FilePrintItemClick()
{
    if (!commandEditor())
        return;
    if (QPrinter *target = readyPrinter())
        printWithDialog(*target);
}

void TMainForm::BtnPrintClick()
{
    if (!commandEditor())
        return;
    if (QPrinter *target = readyPrinter())
        printOn(*target);
}

void TMainForm::ApercuItemClick()
{
    if (!commandEditor())
        return;
    // A preview needs no printer: without one, only its print button says so.
    QPrinter *target = readyPrinter(/*quiet=*/true);
    if (!target)
        target = &printer();
    const QTextDocument *document = ActiveChild->RichEdit->document();
    QPrintPreviewDialog dialog(target, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [document](QPrinter *shown) { printDocument(*document, *shown); });
    routePreviewButtons(dialog, *target);
    modal().exec(dialog);
}

void TMainForm::FileConfigItemClick()
{
    if (Updating)
        return;
    if (QPrinter *target = readyPrinter())
        setUpPage(*target);
}

} // namespace ombre
