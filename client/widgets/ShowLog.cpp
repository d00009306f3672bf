#include "widgets/ShowLog.h"

#include "ui_ShowLog.h"

#include <QEvent>
#include <QScrollBar>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

// Log lines carry whatever the tunnel program printed; QTextBrowser::append would take a
// line that looks like markup ("<b>", "&amp;") as rich text, so the text goes in through
// a cursor as plain characters. Like append, the view keeps following the end while the
// user has not scrolled away from it.
void appendParagraph(QTextBrowser* browser, const QString& text)
{
    QScrollBar* bar = browser->verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();

    QTextCursor cursor(browser->document());
    cursor.movePosition(QTextCursor::End);
    if (!browser->document()->isEmpty()) {
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    cursor.insertText(text, QTextCharFormat());

    if (following) {
        bar->setValue(bar->maximum());
    }
}

} // namespace

ShowLog::ShowLog(QWidget* parent) : QDialog(parent), ui(new Ui::ShowLog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint & ~Qt::WindowContextHelpButtonHint);
}

ShowLog::~ShowLog()
{
    delete ui;
}

void ShowLog::appendText(const QString& text)
{
    appendParagraph(ui->textBrowser, text);
}

void ShowLog::clear()
{
    ui->textBrowser->clear();
}

QString ShowLog::text() const
{
    return ui->textBrowser->toPlainText();
}

// The connector's lines read "time stamp,flags,message"; only the message is shown.
void ShowLog::onUpdateLog(QString line)
{
    QStringList parts = line.split(QLatin1Char(','));
    if (parts.size() > 2) {
        parts.erase(parts.begin(), parts.begin() + 2);
    }
    QString message = parts.join(QString());
    message.remove(QLatin1Char('\r'));
    message.remove(QLatin1Char('\n'));
    appendParagraph(ui->textBrowser, message);
}

void ShowLog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Connection Details"));
    }
    QDialog::changeEvent(event);
}
