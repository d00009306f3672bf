#pragma once

#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// The client's styled message boxes. Each builds the box, runs it modally and returns
// when it is closed; the question returns the pressed standard button.
int showQuestion(QWidget* parent, const QString& title, const QString& text, int buttons, int defaultButton);
void showInformation(QWidget* parent, const QString& title, const QString& text);
void showWarning(QWidget* parent, const QString& title, const QString& text);

// How a built box is run: QMessageBox::exec unless replaced. Tests install a runner that
// records the box and returns a button at once, so nothing blocks; an empty runner
// restores exec.
using MessageBoxRunner = std::function<int(QMessageBox& box)>;
void setMessageBoxRunner(MessageBoxRunner runner);
