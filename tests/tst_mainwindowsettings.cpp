#include "capturedrop.h"
#include "filedialogs.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "recentfiles.h"
#include "screengeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <memory>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace MainWindowTestKit;

// Settings of the real window: first start defaults, values carried from one window to the
// next, where each key lives in the store, and the negated real-time dialog flag.
class TestMainWindowSettings : public QObject
{
    Q_OBJECT

    static QCheckBox* checkBox(MainWindow* window, const char* name)
    {
        return window->findChild<QCheckBox*>(QLatin1String(name));
    }
    static QAction* terminalAction(MainWindow* window)
    {
        return window->findChild<QAction*>(QStringLiteral("actionShowTerminal_"));
    }
    static QDialog* rtDialog(MainWindow* window) { return window->findChild<QDialog*>(); }
    // Sets or clears the file's immutable flag (root only; false where it cannot be had).
    static bool setImmutable(const QString& path, bool on)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        int flags = 0;
        bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            ::close(fd);
        return done;
    }

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }
    void init() { clearSettings(); }

    void firstStartUsesTheDefaults()
    {
        MainWindow window;
        QCOMPARE(window.size(), QSize(510, 680));
        QCOMPARE(window.pos(), QPoint(200, 200));
        QVERIFY(terminalAction(&window)->isChecked());
        QVERIFY(!console(&window)->isHidden());
        QVERIFY(rtDialog(&window)->isHidden());
        QVERIFY(!checkBox(&window, "FTDIOnlyCheckBox_")->isChecked());
        QVERIFY(!checkBox(&window, "checkBoxHex_")->isChecked());
        // Nothing is written before the window closes.
        QVERIFY(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).allKeys().isEmpty());

        window.close();
        QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
        QCOMPARE(settings.value("cmdFilter").toString(), QStringLiteral("VNPLAUDk"));
        QCOMPARE(settings.value("MainWindow/showRtDialog").toBool(), true);
        QCOMPARE(settings.value("FTDIOnly").toBool(), false);
        QCOMPARE(settings.value("hexDisplay").toBool(), false);
    }

    void keysLiveInTheirGroups()
    {
        MainWindow window;
        window.close();
        QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
        QStringList top = settings.childKeys();
        top.sort();
        QCOMPARE(top, (QStringList{"FTDIOnly", "cmdFilter", "hexDisplay"}));
        settings.beginGroup(QStringLiteral("MainWindow"));
        QStringList group = settings.childKeys();
        group.sort();
        QCOMPARE(group, (QStringList{"pos", "showRtDialog", "showTerminal", "size"}));
        settings.endGroup();
        settings.beginGroup(QStringLiteral("Connection"));
        group = settings.childKeys();
        group.sort();
        QCOMPARE(group, (QStringList{"lastDevice", "reconnect"}));
        settings.endGroup();
        // The real-time dialog keeps a group of its own; nothing else is stored.
        QStringList groups = settings.childGroups();
        groups.removeAll(QStringLiteral("RtDialog"));
        groups.sort();
        QCOMPARE(groups, (QStringList{"Connection", "MainWindow"}));
    }

    void valuesCarryToTheNextWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<bool>("ftdi");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("filter");

        QTest::newRow("all on") << QSize(640, 720) << QPoint(40, 60) << true << true << true
                                << "VD";
        QTest::newRow("all off") << QSize(520, 700) << QPoint(0, 0) << false << false << false
                                 << "";
        QTest::newRow("odd filter kept")
            << QSize(600, 690) << QPoint(300, 10) << true << false << true << "zkDV#";
    }
    void valuesCarryToTheNextWindow()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, pos);
        QFETCH(bool, terminal);
        QFETCH(bool, ftdi);
        QFETCH(bool, hex);
        QFETCH(QString, filter);

        {
            QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
            settings.setValue("cmdFilter", filter);
        }
        {
            MainWindow first;
            first.resize(size);
            first.move(pos);
            if (terminal != terminalAction(&first)->isChecked())
                terminalAction(&first)->trigger();
            if (ftdi)
                checkBox(&first, "FTDIOnlyCheckBox_")->click();
            if (hex)
                checkBox(&first, "checkBoxHex_")->click();
            first.close();
        }
        MainWindow second;
        QCOMPARE(second.size(), size);
        QCOMPARE(second.pos(), pos);
        QCOMPARE(terminalAction(&second)->isChecked(), terminal);
        QCOMPARE(console(&second)->isHidden(), !terminal);
        QCOMPARE(checkBox(&second, "FTDIOnlyCheckBox_")->isChecked(), ftdi);
        QCOMPARE(checkBox(&second, "checkBoxHex_")->isChecked(), hex);
        QCOMPARE(consoleLines(&second).contains("Filter only FTDI devices"), ftdi);

        // The hex flag read from the store is in force without a click.
        deliverFrame(&second, frame('D', 1, "AB"));
        if (filter.contains('D'))
            QCOMPARE(rowTexts(&second, 0).at(3),
                     hex ? QStringLiteral("41 42 00 ") : QStringLiteral("AB."));
        else
            QCOMPARE(rowCount(&second), 0);

        second.close();
        QCOMPARE(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                     .value("cmdFilter")
                     .toString(),
                 filter);
    }

    void realTimeDialogVisibilityIsRestored_data()
    {
        QTest::addColumn<int>("rtPresses");
        QTest::addColumn<bool>("closedByItself"); // closed through its own controls
        QTest::addColumn<bool>("storedFlag");
        QTest::addColumn<bool>("shownNextTime");

        QTest::newRow("never shown") << 0 << false << true << false;
        QTest::newRow("shown") << 1 << false << false << true;
        // Esc or the title bar hides it as the button does.
        QTest::newRow("shown then closed by itself") << 1 << true << true << false;
        QTest::newRow("shown and hidden") << 2 << false << true << false;
    }
    void realTimeDialogVisibilityIsRestored()
    {
        QFETCH(int, rtPresses);
        QFETCH(bool, closedByItself);
        QFETCH(bool, storedFlag);
        QFETCH(bool, shownNextTime);
        {
            MainWindow first;
            auto* rt = first.findChild<QPushButton*>(QStringLiteral("rtPushButton_"));
            for (int i = 0; i < rtPresses; ++i)
                rt->click();
            if (closedByItself) {
                rtDialog(&first)->close();
                // One press shows it again, a second hides it.
                rt->click();
                QVERIFY(!rtDialog(&first)->isHidden());
                rtDialog(&first)->close();
            }
            first.close();
        }
        QCOMPARE(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                     .value("MainWindow/showRtDialog")
                     .toBool(),
                 storedFlag);
        MainWindow second;
        QCOMPARE(!rtDialog(&second)->isHidden(), shownNextTime);
    }

    void geometryIsFittedToAScreen_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("expected");

        const QList<QRect> one{QRect(0, 0, 1600, 1200)};
        const QList<QRect> two{QRect(0, 0, 1600, 1200), QRect(1600, 200, 1280, 1024)};
        QTest::newRow("fits: unchanged")
            << QSize(640, 720) << QPoint(40, 60) << one << QRect(40, 60, 640, 720);
        QTest::newRow("huge size cut to the screen")
            << QSize(40000, 40000) << QPoint(0, 0) << one << QRect(0, 0, 1600, 1200);
        QTest::newRow("huge size at a huge position")
            << QSize(40000, 40000) << QPoint(-3000, -3000) << one << QRect(0, 0, 1600, 1200);
        QTest::newRow("off every screen: default position")
            << QSize(510, 680) << QPoint(-3000, -3000) << one << QRect(200, 200, 510, 680);
        QTest::newRow("hanging over the corner: moved back")
            << QSize(800, 600) << QPoint(1500, 1100) << one << QRect(800, 600, 800, 600);
        QTest::newRow("empty size: default size")
            << QSize(0, 0) << QPoint(10, 10) << one << QRect(10, 10, 510, 680);
        QTest::newRow("invalid size: default size")
            << QSize(-5, 300) << QPoint(10, 10) << one << QRect(10, 10, 510, 680);
        QTest::newRow("second screen kept")
            << QSize(640, 480) << QPoint(1700, 300) << two << QRect(1700, 300, 640, 480);
        QTest::newRow("mostly on the second screen: fitted to it")
            << QSize(1400, 1100) << QPoint(1500, 250) << two << QRect(1600, 200, 1280, 1024);
        QTest::newRow("below the second screen's reach: default position")
            << QSize(300, 300) << QPoint(1700, 0 - 400) << two << QRect(200, 200, 300, 300);
        QTest::newRow("no screen known: as stored")
            << QSize(640, 480) << QPoint(-10, 5) << QList<QRect>() << QRect(-10, 5, 640, 480);
    }
    void geometryIsFittedToAScreen()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, pos);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, expected);
        QCOMPARE(ScreenGeometry::fit(size, pos, screens, QSize(510, 680), QPoint(200, 200)),
                 expected);
    }

    // A window that grew or was shown goes wholly onto the screen holding most of it, on
    // laptop and desktop screens at scale factors 1 and 2 (Qt's geometry is in pixels divided
    // by the factor). The real-time dialog grows from 230 x 340 to 420 x 620 for its plot.
    void windowsStayOnTheirScreen_data()
    {
        QTest::addColumn<QSize>("screenPixels");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");

        const QSize laptop(1366, 768);
        const QSize desktop(1920, 1080);
        QTest::newRow("laptop: grown dialog moved up")
            << laptop << 1 << QRect(200, 200, 420, 620) << QRect(200, 148, 420, 620);
        QTest::newRow("laptop x2: grown dialog moved and shrunk")
            << laptop << 2 << QRect(200, 200, 420, 620) << QRect(200, 0, 420, 384);
        QTest::newRow("laptop x2: main window shrunk to the screen")
            << laptop << 2 << QRect(0, 0, 510, 680) << QRect(0, 0, 510, 384);
        QTest::newRow("laptop: past the right edge")
            << laptop << 1 << QRect(1200, 100, 420, 620) << QRect(946, 100, 420, 620);
        QTest::newRow("laptop: above and left of the screen")
            << laptop << 1 << QRect(-50, -30, 300, 300) << QRect(0, 0, 300, 300);
        QTest::newRow("desktop: grown dialog fits as it is")
            << desktop << 1 << QRect(200, 200, 420, 620) << QRect(200, 200, 420, 620);
        QTest::newRow("desktop x2: grown dialog moved up")
            << desktop << 2 << QRect(200, 200, 420, 620) << QRect(200, 0, 420, 540);
        QTest::newRow("off every screen: onto the first")
            << laptop << 1 << QRect(5000, 5000, 300, 200) << QRect(1066, 568, 300, 200);
    }
    void windowsStayOnTheirScreen()
    {
        QFETCH(QSize, screenPixels);
        QFETCH(int, scale);
        QFETCH(QRect, frame);
        QFETCH(QRect, expected);
        const QRect screen(QPoint(0, 0), screenPixels / scale);
        QCOMPARE(ScreenGeometry::keepOnScreen(frame, {screen}), expected);
    }

    // The recent captures: newest first, each once, ten at most, kept for the next start; an
    // entry that was deleted or became a FIFO or a folder is refused and removed.
    void recentFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList paths;
        for (int i = 0; i < 12; ++i) {
            paths << dir.filePath(QStringLiteral("c%1.mkcap").arg(i));
            QFile file(paths.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        {
            RecentFiles recent;
            for (const QString& path : std::as_const(paths))
                recent.add(path);
            recent.add(paths.at(5)); // again: moves to the front
            QCOMPARE(recent.files().size(), RecentFiles::kMaxEntries);
            QCOMPARE(recent.files().at(0), paths.at(5));
            QCOMPARE(recent.files().at(1), paths.at(11));
            QVERIFY(!recent.files().contains(paths.at(0)));
            QVERIFY(!recent.files().contains(paths.at(1)));
        }
        RecentFiles recent; // read back from the settings
        QCOMPARE(recent.files().size(), RecentFiles::kMaxEntries);
        QCOMPARE(recent.files().at(0), paths.at(5));

        QVERIFY(QFile::remove(paths.at(11)));
        QVERIFY(QFile::remove(paths.at(10)));
        QCOMPARE(::mkfifo(QFile::encodeName(paths.at(10)).constData(), 0600), 0);
        QVERIFY(QFile::remove(paths.at(9)));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("c9.mkcap")));
        QSignalSpy opened(&recent, &RecentFiles::openRequested);
        QSignalSpy refused(&recent, &RecentFiles::refused);
        for (int i : {11, 10, 9}) {
            QVERIFY(!recent.open(paths.at(i)));
            QVERIFY(!recent.files().contains(paths.at(i)));
            QVERIFY(refused.constLast().at(0).toString().contains(paths.at(i)));
        }
        QCOMPARE(refused.count(), 3);
        QVERIFY(recent.open(paths.at(5)));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(RecentFiles().files().size(), RecentFiles::kMaxEntries - 3);
    }

    // What a drop on the window opens: one capture, known by its suffix or its first line;
    // anything else is refused with a reason.
    void droppedFiles_data()
    {
        QTest::addColumn<QStringList>("names"); // in a fresh folder; "remote" is a web address
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("reason");

        QTest::newRow("capture") << QStringList{"a.mkcap"} << true << "";
        QTest::newRow("renamed capture") << QStringList{"capture.txt"} << true << "";
        QTest::newRow("other file") << QStringList{"notes.txt"} << false << "not a capture";
        QTest::newRow("folder") << QStringList{"dir"} << false << "folder";
        QTest::newRow("two captures") << QStringList{"a.mkcap", "b.mkcap"} << false << "2 files";
        QTest::newRow("missing") << QStringList{"gone.mkcap"} << false << "does not exist";
        QTest::newRow("fifo") << QStringList{"fifo.mkcap"} << false << "not a regular file";
        QTest::newRow("remote") << QStringList{"remote"} << false << "not a file";
        QTest::newRow("nothing") << QStringList{} << false << "Nothing";
    }
    void droppedFiles()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, opened);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto write = [&](const QString& name, const QByteArray& text) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        };
        write(QStringLiteral("a.mkcap"), "# tovrik capture 1\n");
        write(QStringLiteral("b.mkcap"), "# tovrik capture 1\n");
        write(QStringLiteral("capture.txt"), "# tovrik capture 1\n");
        write(QStringLiteral("notes.txt"), "shopping list\n");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo.mkcap")).constData(), 0600), 0);
        QList<QUrl> urls;
        for (const QString& name : names) {
            urls << (name == QLatin1String("remote")
                         ? QUrl(QStringLiteral("https://example.org/a.mkcap"))
                         : QUrl::fromLocalFile(dir.filePath(name)));
        }
        const CaptureDrop::Verdict verdict = CaptureDrop::judge(urls);
        QCOMPARE(!verdict.fileName.isEmpty(), opened);
        QCOMPARE(verdict.refusal.isEmpty(), opened);
        QVERIFY2(verdict.refusal.contains(reason), qPrintable(verdict.refusal));
    }

    // A name typed without a suffix gets the kind's one; any suffix the user typed stays.
    void savedNamesGetTheirSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("saved");
        QTest::newRow("capture") << "/tmp/flight1" << int(FileDialogs::Capture)
                                 << "/tmp/flight1.mkcap";
        QTest::newRow("csv") << "/tmp/flight1" << int(FileDialogs::Csv) << "/tmp/flight1.csv";
        QTest::newRow("trailing dot")
            << "/tmp/flight1." << int(FileDialogs::Csv) << "/tmp/flight1.csv";
        QTest::newRow("own suffix kept")
            << "/tmp/a.txt" << int(FileDialogs::Capture) << "/tmp/a.txt";
        QTest::newRow("dotted folder")
            << "/tmp/v1.2/run" << int(FileDialogs::Capture) << "/tmp/v1.2/run.mkcap";
    }
    void savedNamesGetTheirSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(int, kind);
        QFETCH(QString, saved);
        QCOMPARE(FileDialogs::withSuffix(typed, FileDialogs::Kind(kind)), saved);
    }

    // The stored geometry of both windows goes through the fit, and a value of the wrong type
    // counts as absent.
    void storedGeometryIsSafe_data()
    {
        QTest::addColumn<QVariant>("size");
        QTest::addColumn<QVariant>("pos");
        QTest::addColumn<QRect>("mainWindow"); // on the tests' 1600 x 1200 screen

        QTest::newRow("huge size, far away")
            << QVariant(QSize(40000, 40000)) << QVariant(QPoint(-3000, -3000))
            << QRect(0, 0, 1600, 1200);
        QTest::newRow("text instead of a size")
            << QVariant(QStringLiteral("big")) << QVariant(QPoint(10, 20))
            << QRect(10, 20, 510, 680);
        QTest::newRow("list instead of a position")
            << QVariant(QSize(400, 500)) << QVariant(QStringList{"1", "2"})
            << QRect(200, 200, 400, 500);
    }
    void storedGeometryIsSafe()
    {
        QFETCH(QVariant, size);
        QFETCH(QVariant, pos);
        QFETCH(QRect, mainWindow);
        {
            QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
            for (const char* group : {"MainWindow", "RtDialog"}) {
                settings.setValue(QLatin1String(group) + QLatin1String("/size"), size);
                settings.setValue(QLatin1String(group) + QLatin1String("/pos"), pos);
            }
        }
        MainWindow window;
        QCOMPARE(QRect(window.pos(), window.size()), mainWindow);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QDialog* dialog = rtDialog(&window);
        QVERIFY(screen.contains(QRect(dialog->pos(), dialog->size())));
    }

    void flagsAndFilterOfTheWrongType_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("used"); // bool for flags, string for the filter

        QTest::newRow("FTDIOnly text") << "FTDIOnly" << QVariant("xyz") << QVariant(false);
        QTest::newRow("FTDIOnly as written") << "FTDIOnly" << QVariant("true") << QVariant(true);
        QTest::newRow("FTDIOnly one") << "FTDIOnly" << QVariant(1) << QVariant(true);
        QTest::newRow("FTDIOnly two") << "FTDIOnly" << QVariant(2) << QVariant(false);
        QTest::newRow("hexDisplay list")
            << "hexDisplay" << QVariant(QStringList{"a", "b"}) << QVariant(false);
        QTest::newRow("hexDisplay upper case")
            << "hexDisplay" << QVariant("TRUE") << QVariant(true);
        QTest::newRow("showTerminal text")
            << "MainWindow/showTerminal" << QVariant("no") << QVariant(true);
        QTest::newRow("showTerminal as written")
            << "MainWindow/showTerminal" << QVariant("false") << QVariant(false);
        QTest::newRow("cmdFilter list")
            << "cmdFilter" << QVariant(QStringList{"V", "D"}) << QVariant("VNPLAUDk");
        QTest::newRow("cmdFilter number") << "cmdFilter" << QVariant(12) << QVariant("VNPLAUDk");
        QTest::newRow("cmdFilter text") << "cmdFilter" << QVariant("DV") << QVariant("DV");
    }
    void flagsAndFilterOfTheWrongType()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, used);
        QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).setValue(key, stored);
        {
            MainWindow window;
            if (key == QLatin1String("FTDIOnly"))
                QCOMPARE(checkBox(&window, "FTDIOnlyCheckBox_")->isChecked(), used.toBool());
            else if (key == QLatin1String("hexDisplay"))
                QCOMPARE(checkBox(&window, "checkBoxHex_")->isChecked(), used.toBool());
            else if (key == QLatin1String("MainWindow/showTerminal"))
                QCOMPARE(terminalAction(&window)->isChecked(), used.toBool());
            window.close();
        }
        // What was in force is what the window writes back.
        const QVariant written =
            QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).value(key);
        if (used.typeId() == QMetaType::Bool)
            QCOMPARE(written.toBool(), used.toBool());
        else
            QCOMPARE(written.toString(), used.toString());
    }

    void unusableStore_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("random bytes") << "random"
                                      << "could not be read (format error)";
        QTest::newRow("10 MB") << "large"
                               << "could not be read (format error)";
        QTest::newRow("a directory") << "dir"
                                     << "could not be read (not a regular file)";
        // Mode 0400; for root, which may write that, the file is made immutable instead.
        QTest::newRow("read-only") << "readonly"
                                   << "cannot be written (";
    }
    // A store that cannot be read or written: one console line names the file and says why,
    // the defaults are in force, and nothing the user had in the file is overwritten.
    void unusableStore()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path =
            QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).fileName();
        const auto removeStore = [&path] {
            setImmutable(path, false);
            QDir(path).removeRecursively();
            QFile::remove(path);
        };
        removeStore();
        const auto cleanup = qScopeGuard(removeStore);
        QDir().mkpath(QFileInfo(path).path());
        QByteArray bytes;
        if (kind == "dir") {
            QVERIFY(QDir().mkdir(path));
        } else {
            bytes.resize(kind == "large" ? 10'000'000 : 4096);
            for (char& c : bytes)
                c = char(QRandomGenerator::global()->bounded(256));
            if (kind == "readonly")
                bytes = "[General]\ncmdFilter=VD\nhexDisplay=true\n";
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
            file.close();
            if (kind == "readonly") {
                QVERIFY(file.setPermissions(QFile::ReadOwner));
                if (QFile(path).open(QIODevice::WriteOnly | QIODevice::Append) &&
                    !setImmutable(path, true))
                    QSKIP("the file stays writable for this user and cannot be made immutable");
            }
        }
        {
            MainWindow window;
            const QStringList problems =
                consoleLines(&window).filter(QStringLiteral("Settings file"));
            QVERIFY2(problems.size() == 1, qPrintable(consoleLines(&window).join('\n')));
            QVERIFY2(problems.constFirst().startsWith(
                         QStringLiteral("Settings file '%1' %2").arg(path, reason)),
                     qPrintable(problems.constFirst()));
            // A read-only store is read; an unreadable one gives the defaults.
            QCOMPARE(checkBox(&window, "checkBoxHex_")->isChecked(), kind == "readonly");
            QCOMPARE(window.size(), QSize(510, 680));
            checkBox(&window, "FTDIOnlyCheckBox_")->click();
            window.close();
        }
        if (kind == "dir") {
            QVERIFY(QFileInfo(path).isDir());
            return;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void hiddenConsoleKeepsCollecting()
    {
        MainWindow window;
        const int before = consoleLines(&window).size();
        terminalAction(&window)->trigger();
        QVERIFY(console(&window)->isHidden());
        deliverFrame(&window, frame('V', 1, "abc"));
        window.printConsoleError(QStringLiteral("while hidden"));
        terminalAction(&window)->trigger();
        QVERIFY(!console(&window)->isHidden());
        QCOMPARE(consoleLines(&window).last(), QStringLiteral("while hidden"));
        QCOMPARE(consoleLines(&window).size(), before + 2);
    }
};

QTEST_MAIN(TestMainWindowSettings)
#include "tst_mainwindowsettings.moc"
