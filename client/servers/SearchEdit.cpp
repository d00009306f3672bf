#include "servers/SearchEdit.h"

#include "resources/ClientResources.h"

#include <QEvent>
#include <QStyle>
#include <QToolButton>

SearchEdit::SearchEdit(QWidget* parent) : QLineEdit(parent), closeButton(new QToolButton(this))
{
    initClientResources();
    closeButton->setIcon(QIcon(QStringLiteral(":/resources/delete.svg")));
    closeButton->setIconSize(QSize(14, 14));
    closeButton->setCursor(Qt::PointingHandCursor);
    closeButton->setStyleSheet(QStringLiteral("QToolButton { border: none; padding:5px 6px 3px;}"));
    closeButton->setToolTip(tr("Clear"));
    closeButton->setAccessibleName(tr("Clear"));
    closeButton->hide();
    connect(closeButton, &QToolButton::clicked, this, &QLineEdit::clear);
    connect(this, &QLineEdit::textChanged, this, &SearchEdit::updateCloseButton);

    setStyleSheet(QStringLiteral("QLineEdit{padding: 0 30 0 10; border: none; border-radius:2;}QWidget:focus "
                                 "{border: none; outline: none; background-color: white;}"));
    QFont editFont = parent != nullptr ? parent->font() : font();
    editFont.setPixelSize(13);
    editFont.setCapitalization(QFont::Capitalize);
    setFont(editFont);
    setPlaceholderText(tr("Location"));
    resize(220, 25);
    move(60, 12);
}

void SearchEdit::updateCloseButton(QString text)
{
    closeButton->setVisible(!text.isEmpty());
}

void SearchEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const QSize hint = closeButton->sizeHint();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    closeButton->move(width() - frame - hint.width(), (height() - hint.height() + 1) / 2);
}

void SearchEdit::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setPlaceholderText(tr("Location"));
    }
    QLineEdit::changeEvent(event);
}
