#include "reportprinter.h"

#include "windowlog.h"

#include <QDebug>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

ReportPrinter::Result ReportPrinter::print(QWidget *parent,
                                           const ReportLayout::Content &content,
                                           const QString &pdfFile)
{
    QPrinter printer(QPrinter::ScreenResolution);
    if (pdfFile.isEmpty()) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
        dialog.setPrintRange(QAbstractPrintDialog::AllPages);
        printer.setFromTo(1, 1);
        if (dialog.exec() != QDialog::Accepted)
            return Cancelled;
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
    printer.setDocName(ReportLayout::title());
    printer.setCreator(ReportLayout::creator(content));
    printer.setFullPage(true);
    printer.setResolution(ReportLayout::Resolution);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    qCDebug(lcWindow).noquote() << "paper rect " << paper.width() << "x" << paper.height()
                                << "in pixels";
    QPainter painter;
    if (!painter.begin(&printer)) {
        qWarning().noquote() << "can't begin printing";
        return Failed;
    }
    ReportLayout::draw(painter, printer, content);
    return painter.end() ? Printed : Failed;
}
