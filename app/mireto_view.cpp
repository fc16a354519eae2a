#include "app/mireto_view.h"

#include "app/find_replace_dlg.h"
#include "widgets/template_list.h"

#include <QApplication>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTextBlock>
#include <QTextDocument>

namespace mireto {

namespace {

QTextDocument::FindFlags findFlags(bool down, bool matchCase) {
    QTextDocument::FindFlags flags;
    if (!down)
        flags |= QTextDocument::FindBackward;
    if (matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    return flags;
}

bool sameText(const QString& a, const QString& b, bool matchCase) {
    return a.compare(b, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

} // namespace

CMiretoView::CMiretoView(PlatformServices services, QWidget* parent)
    : QPlainTextEdit(parent), m_services(std::move(services)), m_session(listNameRules()) {
    // Long lines wrap at the window's edge; there is no sideways scrolling.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_replacingText)
            emit conversionInputsChanged(InputChange::Typing);
    });
}

CMiretoView::~CMiretoView() = default;

QString CMiretoView::GetEditorText() const {
    // The raw text keeps no-break spaces, which the plain-text form turns into spaces.
    // Between lines the raw text has U+2029; a U+2028 in it is a character of the text
    // (pasted, or from a file), shown as a break but saved as itself.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void CMiretoView::SetEditorText(const QString& text) {
    m_replacingText = true;
    setPlainText(text);
    m_replacingText = false;
    announceChange();
}

void CMiretoView::OnFormatFont() {
    QFontDialog dialog(m_font, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The choice lasts for this run only; every start begins again from the default.
    m_font = dialog.selectedFont();
    setFont(m_font);
}

void CMiretoView::keyPressEvent(QKeyEvent* event) {
    // A plain-text document has one kind of line break: Shift+Enter makes it too, not
    // the line separator Qt would put in.
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool CMiretoView::canInsertFromMimeData(const QMimeData* source) const {
    if (source->hasUrls()) {
        for (const QUrl& url : source->urls()) {
            if (url.isLocalFile())
                return false;
        }
    }
    return QPlainTextEdit::canInsertFromMimeData(source);
}

void CMiretoView::OnEditClear() {
    textCursor().removeSelectedText();
}

void CMiretoView::OnEditFind() {
    showFindReplace(false);
}

void CMiretoView::OnEditReplace() {
    showFindReplace(true);
}

void CMiretoView::showFindReplace(bool replace) {
    if (!m_findDialog) {
        m_findDialog = new CFindReplaceDlg(this);
        connect(m_findDialog, &CFindReplaceDlg::findNextRequested, this, [this] {
            if (!FindText(m_findDialog->findWhat(), m_findDialog->searchDown(),
                          m_findDialog->matchCase()))
                QApplication::beep();
        });
        connect(m_findDialog, &CFindReplaceDlg::replaceRequested, this, [this] {
            if (!ReplaceSelection(m_findDialog->findWhat(), m_findDialog->replaceWith(),
                                  m_findDialog->matchCase()))
                QApplication::beep();
        });
        connect(m_findDialog, &CFindReplaceDlg::replaceAllRequested, this, [this] {
            if (ReplaceAll(m_findDialog->findWhat(), m_findDialog->replaceWith(),
                           m_findDialog->matchCase()) == 0)
                QApplication::beep();
        });
    }
    // A selection within one line is what the user most likely wants to find.
    const QString selected = textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_findDialog->setFindWhat(selected);
    m_findDialog->setReplaceMode(replace);
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

bool CMiretoView::FindText(const QString& what, bool down, bool matchCase) {
    if (what.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = findFlags(down, matchCase);
    if (find(what, flags))
        return true;
    // Wrap around: go on from the other end of the text.
    const QTextCursor before = textCursor();
    QTextCursor restart(document());
    restart.movePosition(down ? QTextCursor::Start : QTextCursor::End);
    setTextCursor(restart);
    if (find(what, flags))
        return true;
    setTextCursor(before);
    return false;
}

bool CMiretoView::ReplaceSelection(const QString& what, const QString& with, bool matchCase) {
    QTextCursor cursor = textCursor();
    if (!what.isEmpty() && sameText(cursor.selectedText(), what, matchCase)) {
        cursor.insertText(with);
        setTextCursor(cursor);
    }
    return FindText(what, true, matchCase);
}

int CMiretoView::ReplaceAll(const QString& what, const QString& with, bool matchCase) {
    if (what.isEmpty())
        return 0;
    const QTextDocument::FindFlags flags = findFlags(true, matchCase);
    QTextCursor edit(document());
    edit.beginEditBlock();
    int count = 0;
    QTextCursor found = document()->find(what, 0, flags);
    while (!found.isNull()) {
        found.insertText(with);
        ++count;
        found = document()->find(what, found, flags);
    }
    edit.endEditBlock();
    return count;
}

void CMiretoView::OnFilePrint() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted)
        print(&m_printer);
}

void CMiretoView::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { print(printer); });
    preview.exec();
}

void CMiretoView::OnFilePrintSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

} // namespace mireto
