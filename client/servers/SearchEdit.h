#pragma once

#include <QLineEdit>
#include <QString>

class QToolButton;

// The picker's search field: a line edit with a clear button that shows only while
// there is text to clear.
class SearchEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchEdit(QWidget* parent = nullptr);

    QToolButton* clearButton() const { return closeButton; }

public slots:
    void updateCloseButton(QString text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QToolButton* closeButton;
};
