#include "resources/ClientResources.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QImage>
#include <QSvgRenderer>
#include <QtTest>

// Every picture the screens name is compiled in and readable, and the flags rendered at
// build time cover the package's codes under upper-case names, with the placeholder.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initClientResources(); }

    void everyPictureLoads()
    {
        int pictures = 0;
        QDirIterator it(":/", QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.startsWith(":/resources/flags/") || it.fileInfo().isDir()) {
                continue;
            }
            if (path.endsWith(".svg")) {
                QVERIFY2(QSvgRenderer(path).isValid(), qPrintable(path));
                ++pictures;
            } else if (path.endsWith(".png") || path.endsWith(".ico")) {
                QVERIFY2(!QImage(path).isNull(), qPrintable(path));
                ++pictures;
            }
        }
        QVERIFY(pictures >= 30);
    }

    void flagsAreSquareAndUpperCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("country") << "DE";
        QTest::newRow("region") << "GB-ENG";
        QTest::newRow("union") << "EU";
        QTest::newRow("placeholder") << "placeholder";
    }

    void flagsAreSquareAndUpperCase()
    {
        QFETCH(QString, name);
        const QImage flag(":/resources/flags/" + name + ".png");
        QCOMPARE(flag.size(), QSize(24, 24));
        // Painted, not a transparent hole.
        QVERIFY(qAlpha(flag.pixel(12, 12)) > 0);
        QVERIFY(!QFile::exists(":/resources/flags/" + name.toLower() + ".png") || name == "placeholder");
    }

    void everyCodeOfThePackageIsRendered()
    {
        const QStringList flags = QDir(":/resources/flags").entryList(QDir::Files);
        QVERIFY2(flags.size() > 250, qPrintable(QString::number(flags.size())));
    }
};

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    TestResources test;
    return QTest::qExec(&test, argc, argv);
}

#include "ResourcesTest.moc"
