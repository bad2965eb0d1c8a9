// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtRichEdit.h"

#include "drawing/BgrColour.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>

namespace {

QTextCharFormat ToQt(const RunFormat& run) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QString::fromStdString(run.face)});
    f.setFontPointSize(run.heightTwips / 20.0);
    f.setForeground(QColorFromBgr(run.textColour));
    if (run.hasHighlight) f.setBackground(QColorFromBgr(run.highlightColour));
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    return f;
}

RunFormat FromQt(const QTextCharFormat& f, const QFont& fallback) {
    RunFormat run;
    const QStringList families = f.fontFamilies().toStringList();
    run.face = (families.isEmpty() ? fallback.family() : families.first()).toStdString();
    const double points = f.fontPointSize() > 0 ? f.fontPointSize() : fallback.pointSizeF();
    run.heightTwips = int(std::lround(points * 20));
    if (f.foreground().style() != Qt::NoBrush) run.textColour = BgrFromQColor(f.foreground().color());
    if (f.background().style() != Qt::NoBrush) {
        run.hasHighlight = true;
        run.highlightColour = BgrFromQColor(f.background().color());
    }
    run.bold = f.fontWeight() >= QFont::DemiBold;
    run.italic = f.fontItalic();
    run.underline = f.fontUnderline();
    return run;
}

// Inside a paragraph the widget writes a line break as U+2028; the document as '\v'.
std::string RunText(const QString& text) {
    QString t;
    t.reserve(text.size());
    for (QChar ch : text) {
        if (ch == QChar::LineSeparator)
            t += QChar('\v');
        else if (ch != QChar::ObjectReplacementCharacter)
            t += ch;
    }
    return t.toStdString();
}

QString WidgetText(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QChar('\v'), QChar(QChar::LineSeparator));
    return t;
}

Qt::Alignment ToQt(ParagraphAlignment a) {
    switch (a) {
        case ParagraphAlignment::kCentre: return Qt::AlignHCenter;
        case ParagraphAlignment::kRight: return Qt::AlignRight;
        case ParagraphAlignment::kJustify: return Qt::AlignJustify;
        default: return Qt::AlignLeft;
    }
}

ParagraphAlignment FromQt(Qt::Alignment a) {
    if (a & Qt::AlignHCenter) return ParagraphAlignment::kCentre;
    if (a & Qt::AlignRight) return ParagraphAlignment::kRight;
    if (a & Qt::AlignJustify) return ParagraphAlignment::kJustify;
    return ParagraphAlignment::kLeft;
}

}  // namespace

QtRichEdit::QtRichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The program keeps its own undo text; the widget's own undo of typing is
    // only switched on where no program command owns Ctrl+Z.
    setUndoRedoEnabled(false);
    // The windows offer their own Cut/Copy/Paste menu; the editor's standard
    // one would show as well.
    setContextMenuPolicy(Qt::PreventContextMenu);
    document()->setDocumentMargin(10);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_showing) m_edited = true;
    });
    m_ownCore.SetView(this);
    ShowDocument();
}

QtRichEdit::~QtRichEdit() {
    // What was typed last stays in the text that outlives the widget.
    if (m_core != &m_ownCore) {
        TakeUserEdits();
        m_core->SetView(nullptr);
    }
    m_ownCore.SetView(nullptr);
}

void QtRichEdit::ShowText(DocumentRichEdit& text) {
    if (&text == m_core) return;
    TakeUserEdits();
    if (m_core != &m_ownCore) m_core->SetView(nullptr);
    // A document has one view: another widget showing it lets it go.
    if (RichEditView* other = text.View()) other->TextGone();
    m_core = &text;
    text.SetView(this);
    ShowDocument();
}

void QtRichEdit::TextGone() {
    m_core = &m_ownCore;
    ShowDocument();
}

void QtRichEdit::ShowChange(Change change) {
    switch (change) {
        case Change::kText: ShowDocument(); break;
        case Change::kSelection: ShowSelection(); break;
        case Change::kScroll: verticalScrollBar()->setValue(verticalScrollBar()->minimum()); break;
    }
}

void QtRichEdit::TakeUserEdits() const {
    if (m_edited) {
        std::vector<Paragraph> paragraphs;
        const QFont fallback = document()->defaultFont();
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            Paragraph paragraph;
            paragraph.alignment = FromQt(block.blockFormat().alignment());
            paragraph.markFormat = FromQt(block.charFormat(), fallback);
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid()) continue;
                TextRun run{RunText(fragment.text()), FromQt(fragment.charFormat(), fallback)};
                if (!run.text.empty()) paragraph.runs.push_back(std::move(run));
            }
            // Text typed at the end of a paragraph takes the format of its last run.
            if (!paragraph.runs.empty()) paragraph.markFormat = paragraph.runs.back().format;
            paragraphs.push_back(std::move(paragraph));
        }
        m_core->Document().SetParagraphs(std::move(paragraphs));
        m_edited = false;
    }
    const QTextCursor cursor = textCursor();
    m_core->Document().SetSelection(CharacterIndex(cursor.selectionStart()), CharacterIndex(cursor.selectionEnd()));
}

void QtRichEdit::ShowDocument() {
    m_showing = true;
    QTextDocument* doc = document();
    // What the program puts in is not typing: it starts a fresh undo history.
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor cursor(doc);
    bool first = true;
    for (const Paragraph& paragraph : m_core->Document().Paragraphs()) {
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(ToQt(paragraph.alignment));
        const QTextCharFormat mark = ToQt(paragraph.markFormat);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, mark);
        }
        for (const TextRun& run : paragraph.runs) cursor.insertText(WidgetText(run.text), ToQt(run.format));
        cursor.setCharFormat(mark);
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColorFromBgr(m_core->BackgroundColour()));
    setPalette(pal);
    viewport()->setPalette(pal);
    ShowSelection();
    doc->setUndoRedoEnabled(m_typingUndo);
    m_edited = false;
    m_showing = false;
}

void QtRichEdit::SetTypingUndo(bool on) {
    m_typingUndo = on;
    document()->setUndoRedoEnabled(on);
}

int QtRichEdit::QtPosition(int characterIndex) const {
    const QString raw = document()->toRawText();
    int pos = 0;
    for (int n = 0; n < characterIndex && pos < raw.size(); ++n)
        pos += (raw[pos].isHighSurrogate() && pos + 1 < raw.size()) ? 2 : 1;
    return std::min<int>(pos, document()->characterCount() - 1);
}

int QtRichEdit::CharacterIndex(int qtPosition) const {
    const QString raw = document()->toRawText();
    int n = 0;
    for (int pos = 0; pos < qtPosition && pos < raw.size(); ++n)
        pos += (raw[pos].isHighSurrogate() && pos + 1 < raw.size()) ? 2 : 1;
    return n;
}

void QtRichEdit::ShowSelection() {
    const RichDocument& d = m_core->Document();
    QTextCursor cursor = textCursor();
    cursor.setPosition(QtPosition(d.SelectionStart()));
    cursor.setPosition(QtPosition(d.SelectionEnd()), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// The port is the document's: it takes the user's edits and shows its changes here.
bool QtRichEdit::StreamRtfIn(std::string_view rtf) { return m_core->StreamRtfIn(rtf); }
std::string QtRichEdit::StreamRtfOut() const { return m_core->StreamRtfOut(); }
int QtRichEdit::TextLength() const { return m_core->TextLength(); }
void QtRichEdit::SetSelection(int start, int end) { m_core->SetSelection(start, end); }
void QtRichEdit::SelectAll() { m_core->SelectAll(); }
void QtRichEdit::CollapseToStart() { m_core->CollapseToStart(); }
CharFormat QtRichEdit::SelectionCharFormat() const { return m_core->SelectionCharFormat(); }
void QtRichEdit::SetSelectionCharFormat(const CharFormat& format) { m_core->SetSelectionCharFormat(format); }
void QtRichEdit::SetDefaultCharFormat(const CharFormat& format) { m_core->SetDefaultCharFormat(format); }
void QtRichEdit::SetBackgroundColour(std::uint32_t colour) { m_core->SetBackgroundColour(colour); }
std::uint32_t QtRichEdit::BackgroundColour() const { return m_core->BackgroundColour(); }
void QtRichEdit::ScrollToFirstLine() { m_core->ScrollToFirstLine(); }

void QtRichEdit::SetTabStopsTwips(const std::vector<int>& twips) {
    m_tabStopsTwips = twips;
    const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    QList<QTextOption::Tab> tabs;
    for (int t : twips) tabs.append(QTextOption::Tab(t * dpi / 1440.0, QTextOption::LeftTab));
    QTextOption option = document()->defaultTextOption();
    option.setTabs(tabs);
    document()->setDefaultTextOption(option);
}

const RichDocument& QtRichEdit::Document() const {
    TakeUserEdits();
    return m_core->Document();
}

bool QtRichEdit::TakeFocusFromRightClick() {
    const bool was = m_focusFromRightClick;
    m_focusFromRightClick = false;
    return was;
}

void QtRichEdit::focusInEvent(QFocusEvent* event) {
    m_focusFromRightClick = event->reason() == Qt::MouseFocusReason && (QApplication::mouseButtons() & Qt::RightButton);
    QTextEdit::focusInEvent(event);
}

bool QtRichEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_reservedKeys.contains(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return false;
        }
    }
    return QTextEdit::event(event);
}
