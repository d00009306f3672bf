#include "widgets/MessageBoxes.h"
#include "widgets/RotateWidget.h"
#include "widgets/ShowLog.h"
#include "widgets/SystemTray.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTest>
#include <QTranslator>

namespace {

// Marks the texts of the windows' own contexts with the context; the shared button
// texts (context "QObject") come out in German, as a real translation would.
class ContextTranslator : public QTranslator
{
public:
    ContextTranslator() { QCoreApplication::installTranslator(this); }
    ~ContextTranslator() override { QCoreApplication::removeTranslator(this); }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        const QString name = QString::fromLatin1(context);
        const QStringList english{"Ok", "Cancel", "No", "Yes"}, german{"OK", "Abbrechen", "Nein", "Ja"};
        if (name == QLatin1String("QObject")) {
            return german.value(english.indexOf(QLatin1String(source)));
        }
        return QStringList({"SystemTray", "ShowLog"}).contains(name) ? name + '/' + source : QString();
    }
};

// The menu as the user reads it: "--" for a separator, "-" before a disabled action.
QStringList menuTexts(const SystemTray& tray)
{
    QStringList texts;
    for (const QAction* action : tray.menu()->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : (action->isEnabled() ? "" : "-") + action->text());
    }
    return texts;
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT
private slots:
    void trayMenuSignalsAndClicks()
    {
        SystemTray tray;
        QCOMPARE(tray.icon()->contextMenu(), tray.menu());
        QCOMPARE(menuTexts(tray),
                 QStringList({"Quarnel", "--", "Connect ", "-Reconnect", "-Disconnect", "--", "Quit"}));
        QStringList fired;
        connect(&tray, &SystemTray::clickShow, this, [&] { fired << "show"; });
        connect(&tray, &SystemTray::clickConnect, this, [&] { fired << "connect"; });
        connect(&tray, &SystemTray::clickReconnect, this, [&] { fired << "reconnect"; });
        connect(&tray, &SystemTray::clickDisconnect, this, [&] { fired << "disconnect"; });
        connect(&tray, &SystemTray::clickExit, this, [&] { fired << "exit"; });
        tray.setActionsEnabled(true);
        for (QAction* action : tray.menu()->actions()) {
            action->trigger();
        }
        QCOMPARE(fired, QStringList({"show", "connect", "reconnect", "disconnect", "exit"}));
        // Only a single click opens the window; the context menu and a double click do not.
        fired.clear();
        for (auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick,
                            QSystemTrayIcon::Trigger}) {
            emit tray.icon()->activated(reason);
        }
        QCOMPARE(fired, QStringList({"show"}));
    }

    void trayStates_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("actions");
        QTest::newRow("connected") << 2 << "-Connected to Oslo|Reconnect|Disconnect";
        QTest::newRow("connecting") << 1 << "-Connecting to Oslo|-Reconnect|-Disconnect";
        QTest::newRow("disconnected") << 0 << "Connect Oslo|-Reconnect|-Disconnect";
        QTest::newRow("idle, signing in") << 0 << "-Connect Oslo|-Reconnect|-Disconnect";
    }

    void trayStates()
    {
        QFETCH(int, state);
        QFETCH(QString, actions);
        SystemTray tray;
        tray.setServerName(QStringLiteral("Oslo"));
        tray.setConnected(true);
        if (state == 1) {
            tray.setConnecting();
        } else if (state == 0) {
            tray.setDisconnected(false);
        }
        if (QString::fromLatin1(QTest::currentDataTag()).contains(',')) {
            tray.setActionsEnabled(false);
        }
        QCOMPARE(tray.currentState(), state);
        QCOMPARE(menuTexts(tray).mid(2, 3).join('|'), actions);

        // A language change must not alter what the menu says about the connection.
        ContextTranslator translator;
        tray.retranslate();
        QCOMPARE(menuTexts(tray).mid(2, 3).join('|'),
                 actions.replace(QRegularExpression("(^|\\|)(-?)"), "\\1\\2SystemTray/"));
    }

    void logLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* line, const char* shown) {
            QTest::newRow(name) << QString::fromUtf8(line) << QString::fromUtf8(shown);
        };
        row("stamp, flags, message", "1700000000,I,TCP connection established", "TCP connection established");
        row("two parts run together", "first,second", "firstsecond");
        row("commas in the message", "1700000000,,peer info: a, b,c", "peer info: a bc");
        row("line ends", "1700000000,W,\r\nwarn\r\n", "warn");
        row("markup is text", "1,I,<b>bold</b> &amp; <a href=x>y</a>", "<b>bold</b> &amp; <a href=x>y</a>");
    }

    void logLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, shown);
        ShowLog log;
        log.onUpdateLog(line);
        log.onUpdateLog(QStringLiteral("t,f,next"));
        QCOMPARE(log.text(), shown + "\nnext");
    }

    void logWindow()
    {
        ShowLog log;
        const QString json = QStringLiteral("{\n  \"log\": {\"level\": \"<warn>\"}\n}");
        log.appendText(json);
        log.appendText(QStringLiteral("<b>tail</b>"));
        QCOMPARE(log.text(), json + "\n<b>tail</b>");
        log.clear();
        QCOMPARE(log.text(), QString());
        ContextTranslator translator;
        QTRY_COMPARE(log.windowTitle(), QStringLiteral("ShowLog/Connection Details"));
    }

    void spinner()
    {
        QWidget frame;
        frame.setGeometry(30, 40, 160, 80);
        QPushButton button(&frame);
        button.setGeometry(20, 10, 80, 40);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        RotateWidget spinner(QStringLiteral(":/no/such/picture.png"), &frame);
        QVERIFY(spinner.isVisible() && spinner.geometry() == QRect(0, 0, 160, 80));
        QList<int> angles;
        for (int step = 0; step < 181; ++step) {
            spinner.rotate_disc();
            angles << spinner.currentAngle();
        }
        QCOMPARE(angles.mid(0, 2) + angles.mid(177), QList<int>({2, 4, 356, 358, 0, 2}));
        QTRY_VERIFY(spinner.currentAngle() != 2);
        // The button under the spinner still gets the click that cancels the attempt.
        QSignalSpy clicks(&button, &QPushButton::clicked);
        QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, QPoint(60, 30));
        QCOMPARE(clicks.count(), 1);
    }

    void messageBoxes_data()
    {
        QTest::addColumn<QString>("look");
        QTest::newRow("question") << "Quarnel|Download it?|*Nein,Ja|32x32|150";
        QTest::newRow("information") << "Quarnel|Download it?|*OK|0x0|150";
        QTest::newRow("warning") << "Quarnel|Download it?|*OK|32x32|150";
    }

    // The runner stands in for exec, so nothing blocks. The look: title, text, buttons ("*"
    // the default), icon, the width of the spacer that must be the last row across the box.
    void messageBoxes()
    {
        const QString kind = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(QString, look);
        ContextTranslator translator;
        QStringList seen;
        setMessageBoxRunner([&](QMessageBox& box) {
            QStringList buttons;
            for (QAbstractButton* button : box.buttons()) {
                buttons << (button == box.defaultButton() ? "*" : "") + button->text();
            }
            buttons.sort();
            auto* grid = qobject_cast<QGridLayout*>(box.layout());
            int row = 0, column = 0, rowSpan = 0, span = 0;
            grid->getItemPosition(grid->count() - 1, &row, &column, &rowSpan, &span);
            const bool across = row == grid->rowCount() - 1 && column == 0 && span == grid->columnCount();
            const QSpacerItem* spacer = grid->itemAt(grid->count() - 1)->spacerItem();
            const QSize icon = box.iconPixmap().size();
            seen << box.windowTitle() << box.text() << buttons.join(',')
                 << QStringLiteral("%1x%2").arg(icon.width()).arg(icon.height())
                 << QString::number(across && spacer ? spacer->sizeHint().width() : -1);
            return int(QMessageBox::Yes);
        });
        int pressed = 0;
        if (kind == "question") {
            pressed =
                showQuestion(nullptr, "Quarnel", "Download it?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        } else {
            (kind == "warning" ? showWarning : showInformation)(nullptr, "Quarnel", "Download it?");
        }
        setMessageBoxRunner({});
        QCOMPARE(seen.join('|'), look);
        QCOMPARE(pressed, kind == "question" ? int(QMessageBox::Yes) : 0);
    }
};

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
