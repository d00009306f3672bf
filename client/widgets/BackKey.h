#pragma once

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

// Escape on a page clicks its back button, as a user leaving a page expects. Only an
// Escape that no child took reaches the page, so an open drop-down closes first.
class BackOnEscape : public QObject
{
public:
    BackOnEscape(QWidget* page, QAbstractButton* back) : QObject(page), back(back) { page->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            back->isVisible() && back->isEnabled()) {
            back->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton* back;
};

inline void clickOnEscape(QWidget* page, QAbstractButton* back)
{
    new BackOnEscape(page, back);
}
