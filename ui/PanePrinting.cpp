#include "PanePrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <memory>
#include <stdexcept>

int PrintDocument(const QTextDocument& document, QPrinter& printer, const QString& jobTitle, double marginMm)
{
    if (document.isEmpty()) {
        return 0;
    }
    printer.setDocName(jobTitle);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);

    // Laid out on the printer itself, one page the size of the printable area, without the
    // margin and page numbers QTextDocument::print would add to an unpaginated document.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    copy->setPageSize(page.size());
    const int pages = copy->pageCount();

    QPainter painter;
    if (!painter.begin(&printer)) {
        throw std::runtime_error("The printer could not be started");
    }
    for (int i = 0; i < pages; ++i) {
        if (i > 0) {
            printer.newPage();
        }
        painter.save();
        const QRectF clip(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -clip.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}
