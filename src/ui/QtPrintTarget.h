// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "mainform/MainCommands.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QSizeF>
#include <QString>

#include <memory>

class QTextDocument;
class QTextEdit;

// Prints the text of a QTextEdit on the default printer (or, given a file
// name, into a PDF file), one page per call.
class QtPrintTarget : public PrintTarget {
public:
    explicit QtPrintTarget(const QTextEdit& text, const QString& pdfFile = QString());
    ~QtPrintTarget() override;

    bool Begin(const std::string& documentName) override;
    int PrintPage(int start) override;
    void End() override;

    int PagesPrinted() const { return m_pages; }

private:
    const QTextEdit& m_text;
    QString m_pdfFile;
    std::unique_ptr<QPagedPaintDevice> m_printer;
    std::unique_ptr<QTextDocument> m_document;
    QPainter m_painter;
    QSizeF m_page;
    int m_pages = 0;
};
