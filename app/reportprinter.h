#pragma once

#include "report/reportlayout.h"

#include <QString>

class QWidget;

// Prints the report's two pages on a printer the user picks in the framework's print dialog
// (whose "Print to file" writes the same pages as a PDF), or, when a file is named, straight
// into that PDF file without the dialog. The printer is set to full-page mode at the layout's
// 100 dots per inch.
//
// Threads: GUI thread.
class ReportPrinter
{
public:
    enum Result { Printed = 0, Cancelled = 1, Failed = -1 };

    static Result print(QWidget *parent,
                        const ReportLayout::Content &content,
                        const QString &pdfFile = QString());
};
