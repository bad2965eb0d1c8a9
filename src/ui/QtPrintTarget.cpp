// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrintTarget.h"

#include "modules/devices/PaintDeviceLoader.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

QtPrintTarget::QtPrintTarget(const QTextEdit& text, const QString& pdfFile) : m_text(text), m_pdfFile(pdfFile) {}

QtPrintTarget::~QtPrintTarget() {
    if (m_painter.isActive()) m_painter.end();
}

bool QtPrintTarget::Begin(const std::string& documentName) {
    std::string problem;
    m_printer = NewPrinter(m_pdfFile, QString::fromStdString(documentName), problem);
    // The caller names a missing printer; a broken installation is told here.
    if (!problem.empty()) qWarning("tarvex4: cannot print: %s", problem.c_str());
    if (!m_printer) return false;
    if (!m_painter.begin(m_printer.get())) return false;
    // The page is the printable area in whole inches.
    const QRect area = m_printer->pageLayout().paintRectPixels(m_printer->logicalDpiX());
    const int dpiX = m_printer->logicalDpiX(), dpiY = m_printer->logicalDpiY();
    m_page = QSizeF((area.width() / dpiX) * dpiX, (area.height() / dpiY) * dpiY);
    m_document.reset(m_text.document()->clone());
    m_document->documentLayout()->setPaintDevice(m_printer.get());
    m_document->setDocumentMargin(0);
    m_document->setPageSize(m_page);
    return true;
}

int QtPrintTarget::PrintPage(int start) {
    if (!m_painter.isActive() || m_page.height() <= 0) return start;
    QAbstractTextDocumentLayout* layout = m_document->documentLayout();
    // The page that holds character `start`.
    const QTextBlock block = m_document->findBlock(start);
    if (!block.isValid()) return start;
    const QRectF blockRect = layout->blockBoundingRect(block);
    const QTextLine line = block.layout()->lineForTextPosition(start - block.position());
    const double y = blockRect.top() + (line.isValid() ? line.y() : 0);
    const int page = int(y / m_page.height());
    if (m_pages > 0) m_printer->newPage();
    m_painter.save();
    m_painter.translate(0, -page * m_page.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * m_page.height(), m_page.width(), m_page.height());
    m_painter.setClipRect(context.clip);
    layout->draw(&m_painter, context);
    m_painter.restore();
    ++m_pages;
    // One past the last character on this page: the first on the next.
    const int next = layout->hitTest(QPointF(0, (page + 1) * m_page.height()), Qt::FuzzyHit);
    const int end = m_document->characterCount() - 1;
    if (page + 1 >= m_document->pageCount() || next <= start) return std::max(end, start);
    return next;
}

void QtPrintTarget::End() {
    if (m_painter.isActive()) m_painter.end();
    m_document.reset();
}
