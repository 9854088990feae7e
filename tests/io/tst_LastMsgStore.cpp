#include "io/LastMsgStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QByteArray separator = "###DiesIstDasTrennzeichen###"_ba;
const QByteArray bom = "\xEF\xBB\xBF"_ba;

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

#ifdef Q_OS_UNIX
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}
#endif

} // namespace

class tst_LastMsgStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    QString storePath() const { return lastMessagePath(folder.path()); }

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        QFile::remove(storePath());
    }

    void pathIsBesideTheProgram_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain folder") << u"/opt/quillon"_s << u"/opt/quillon/LastMsgText.txt"_s;
        QTest::newRow("trailing slash") << u"/opt/quillon/"_s << u"/opt/quillon/LastMsgText.txt"_s;
        QTest::newRow("root") << u"/"_s << u"/LastMsgText.txt"_s;
    }

    void pathIsBesideTheProgram()
    {
        QFETCH(QString, programFolder);
        QFETCH(QString, expected);
        QCOMPARE(lastMessagePath(programFolder), expected);
    }

    void encodesTheRecordByteForByte_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty title and text") << QString() << QString() << separator;
        QTest::newRow("lines, no break after the text")
            << u"Titelleiste"_s << u"Zeile 1\r\nZeile 2"_s
            << "Titelleiste"_ba + separator + "Zeile 1\r\nZeile 2"_ba;
        QTest::newRow("Windows-1252 letters") << u"Grüße"_s << u"Preis: 5 € – fertig"_s
                                              << "Gr\xFC\xDF"
                                                 "e"_ba
                + separator + "Preis: 5 \x80 \x96 fertig"_ba;
        QTest::newRow("outside Windows-1252: whole file UTF-8")
            << u"Größe Ω"_s << u"✓ erledigt"_s
            << bom + u"Größe Ω"_s.toUtf8() + separator + u"✓ erledigt"_s.toUtf8();
        QTest::newRow("emoji (surrogate pair)")
            << QString() << u"Gut 👍"_s << bom + separator + u"Gut 👍"_s.toUtf8();
    }

    void encodesTheRecordByteForByte()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeLastMessage({ title, message }), bytes);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("several lines") << u"Hinweis"_s << u"Erste Zeile\r\n\r\nDritte Zeile"_s;
        QTest::newRow("blanks and breaks at the ends")
            << u"  Titel  "_s << u"\r\n  eingerückt\r\n"_s;
        QTest::newRow("both empty") << QString() << QString();
        QTest::newRow("control characters") << u"a\tb"_s << QString(u"x\0y"_s);
        QTest::newRow("UTF-8 fallback") << u"Ελληνικά"_s << u"日本語\r\n👍"_s;
        // The character after the file's own mark must not be taken for it.
        QTest::newRow("title starts with U+FEFF") << u"\uFEFFTitel"_s << u"Text"_s;
        // Windows-1252 bytes that look like the UTF-8 mark.
        QTest::newRow("title starts with \"ï»¿\"") << u"ï»¿Titel"_s << u"Text"_s;
        // Windows-1252 bytes that happen to be valid UTF-8 ("ä").
        QTest::newRow("title \"Ã¤\"") << u"Ã¤"_s << u"Text"_s;
    }

    void roundTrip()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        const QByteArray bytes = encodeLastMessage({ title, message });
        const std::optional<LastMessage> loaded = decodeLastMessage(bytes);
        QVERIFY(loaded);
        QCOMPARE(loaded->title, title);
        QCOMPARE(loaded->message, message);

        // A second save of what was loaded must not change the file.
        QCOMPARE(encodeLastMessage(*loaded), bytes);
    }

    void decodesFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("separator only") << separator << true << QString() << QString();
        QTest::newRow("empty file") << QByteArray() << false << QString() << QString();
        QTest::newRow("text without separator")
            << "Titel und Text"_ba << false << QString() << QString();
        QTest::newRow("separator in other letter case")
            << "T###diesistdasTRENNZEICHEN###M"_ba << true << u"T"_s << u"M"_s;
        QTest::newRow("further pieces ignored")
            << "T"_ba + separator + "M"_ba + separator + "Rest"_ba << true << u"T"_s << u"M"_s;
        QTest::newRow("older file, Windows-1252, trailing break kept") << "Achtung "_ba + separator
                + "Gr\xFC\xDF"
                  "e\r\n\x80 10\r\n"_ba << true << u"Achtung "_s << u"Grüße\r\n€ 10\r\n"_s;
        QTest::newRow("another editor's UTF-8 without byte-order mark")
            << u"Grüße"_s.toUtf8() + separator + u"Zeile 1\r\n€ 10"_s.toUtf8() << true << u"Grüße"_s
            << u"Zeile 1\r\n€ 10"_s;
        QTest::newRow("UTF-8 with byte-order mark")
            << bom + u"Ω"_s.toUtf8() + separator + u"✓"_s.toUtf8() << true << u"Ω"_s << u"✓"_s;
        QTest::newRow("byte-order mark, no separator")
            << bom + "Text"_ba << false << QString() << QString();
        QTest::newRow("byte-order mark, broken UTF-8 read with replacements")
            << bom + "T\xFF"_ba + separator + "\xC3\x28"_ba << true << u"T\uFFFD"_s << u"\uFFFD("_s;
        QTest::newRow("older file whose title begins like a UTF-16 mark")
            << "\xFE\xFFT"_ba + separator + "M"_ba << true << u"þÿT"_s << u"M"_s;
    }

    void decodesFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QFETCH(QString, title);
        QFETCH(QString, message);
        const std::optional<LastMessage> loaded = decodeLastMessage(bytes);
        QCOMPARE(loaded.has_value(), loads);
        if (loaded) {
            QCOMPARE(loaded->title, title);
            QCOMPARE(loaded->message, message);
        }
    }

    void noFileGivesNothing() { QVERIFY(!readLastMessage(storePath())); }

    void aFolderInThePlaceOfTheFile()
    {
        QVERIFY(QDir(folder.path()).mkdir(u"LastMsgText.txt"_s));
        QVERIFY(!readLastMessage(storePath()));

        QString error;
        QVERIFY(!writeLastMessage(storePath(), { u"T"_s, u"M"_s }, error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!error.contains(QLatin1Char('\n')));
        QVERIFY(QDir(folder.path()).rmdir(u"LastMsgText.txt"_s));
    }

    void aMissingFolderFailsTheSave()
    {
        QString error;
        const QString path = lastMessagePath(folder.filePath(u"gibt-es-nicht"_s));
        QVERIFY(!writeLastMessage(path, { u"T"_s, u"M"_s }, error));
        QVERIFY(error.contains(u"LastMsgText.txt"_s));
    }

    // Where a start reads and an end writes, for a program folder that can or
    // cannot be written, with a file beside the program, in the user's data
    // folder, in both or in neither.
    void keepsTheFileWhereItCanBeWritten_data()
    {
        QTest::addColumn<bool>("programFolderWritable");
        QTest::addColumn<QString>("besideTheProgram"); // title stored there, or none
        QTest::addColumn<QString>("inTheDataFolder");
        QTest::addColumn<QString>("loadedTitle");
        QTest::newRow("writable, both: the program's wins")
            << true << u"Programm"_s << u"Daten"_s << u"Programm"_s;
        QTest::newRow("writable, only the data folder's")
            << true << QString() << u"Daten"_s << u"Daten"_s;
        QTest::newRow("read-only, neither") << false << QString() << QString() << QString();
        QTest::newRow("read-only, only the program's")
            << false << u"Programm"_s << QString() << u"Programm"_s;
        // What was saved last must come back, not the file it could not replace.
        QTest::newRow("read-only, both: the saved one wins")
            << false << u"Programm"_s << u"Daten"_s << u"Daten"_s;
    }

    void keepsTheFileWhereItCanBeWritten()
    {
        QFETCH(bool, programFolderWritable);
        QFETCH(QString, besideTheProgram);
        QFETCH(QString, inTheDataFolder);
        QFETCH(QString, loadedTitle);
        QTemporaryDir home;
        const QString dataFolder = home.filePath(u"share/MsgBox - Quillon"_s);
        QString error;
        if (!inTheDataFolder.isNull())
            QVERIFY(saveLastMessage({ dataFolder, {} }, { inTheDataFolder, u"M"_s }, error));
        if (!besideTheProgram.isNull())
            QVERIFY(writeLastMessage(storePath(), { besideTheProgram, u"M"_s }, error));
        const LastMessageFolders folders
            = lastMessageFolders(folder.path(), dataFolder, programFolderWritable);

        const std::optional<LastMessage> loaded = loadLastMessage(folders);
        QCOMPARE(loaded.has_value(), !loadedTitle.isNull());
        if (loaded)
            QCOMPARE(loaded->title, loadedTitle);

        QVERIFY(saveLastMessage(folders, { u"Neu"_s, u"M"_s }, error));
        QCOMPARE(loadLastMessage(folders).value_or(LastMessage {}).title, u"Neu"_s);
        const QString savedIn = programFolderWritable ? folder.path() : dataFolder;
        QCOMPARE(
            readLastMessage(lastMessagePath(savedIn)).value_or(LastMessage {}).title, u"Neu"_s);
    }

    void filesOverTheSizeLimitAreNotRead_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("loads");
        QTest::newRow("exactly 16 MiB") << qint64(16 * 1024 * 1024) << true;
        QTest::newRow("one byte more") << qint64(16 * 1024 * 1024 + 1) << false;
    }

    void filesOverTheSizeLimitAreNotRead()
    {
        QFETCH(qint64, size);
        QFETCH(bool, loads);
        QFile file(storePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("T"_ba + separator);
        QVERIFY(file.resize(size)); // sparse: the rest reads as NUL bytes
        file.close();
        const std::optional<LastMessage> loaded = readLastMessage(storePath());
        QCOMPARE(loaded.has_value(), loads);
        if (loaded)
            QCOMPARE(loaded->message.size(), size - 1 - separator.size());
    }

    // The program's folder is tried by making a file there, not by its
    // permission bits, which on Windows say nothing of its access rights.
    // A plain file in the place of the folder refuses on every system, for
    // root as well.
    void aFolderThatRefusesFilesSendsTheSaveToTheDataFolder()
    {
        const QTemporaryDir here;
        const QString notAFolder = here.filePath(u"Programm"_s);
        putFile(notAFolder, "kein Ordner"_ba);
        const QString dataFolder = here.filePath(u"Daten"_s);
        const LastMessageFolders guessed = lastMessageFolders(notAFolder, dataFolder);
        QCOMPARE(guessed.saveFolder, dataFolder);

        // Had the guess been wrong, the save still lands where a start reads.
        QString error;
        QVERIFY(saveLastMessage({ notAFolder, dataFolder }, { u"T"_s, u"M"_s }, error));
        QVERIFY(error.isEmpty());
        QCOMPARE(loadLastMessage({ notAFolder, dataFolder }).value_or(LastMessage {}).title, u"T"_s);
        QVERIFY(!saveLastMessage({ notAFolder, {} }, { u"T"_s, u"M"_s }, error));
        QVERIFY(!error.isEmpty());
    }

#ifdef Q_OS_UNIX
    // A write that fails half-way (here: the file size limit, as a full disk
    // would) must leave the previous record untouched and nothing beside it.
    void aFailedSaveKeepsThePreviousFile()
    {
        QString error;
        QVERIFY(writeLastMessage(storePath(), { u"Alt"_s, u"Voriger Text"_s }, error));
        const QByteArray previous = fileBytes(storePath());

        rlimit original {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &original), 0);
        rlimit small = original;
        small.rlim_cur = 4096;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved
            = writeLastMessage(storePath(), { u"Neu"_s, QString(100000, u'x') }, error);
        ::setrlimit(RLIMIT_FSIZE, &original);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(storePath()), previous);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList { u"LastMsgText.txt"_s });
    }

    // Root reads and writes regardless of permissions, so these only bite
    // when the tests run as an ordinary user.
    void anUnreadableFileGivesNothing()
    {
        if (runningAsRoot())
            QSKIP("permissions do not apply to root");
        putFile(storePath(), "T"_ba + separator + "M"_ba);
        QVERIFY(QFile::setPermissions(storePath(), QFileDevice::WriteOwner));
        QVERIFY(!readLastMessage(storePath()));
    }

    void aReadOnlyFolderFailsTheSave()
    {
        if (runningAsRoot())
            QSKIP("permissions do not apply to root");
        QTemporaryDir readOnly;
        QVERIFY(
            QFile::setPermissions(readOnly.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QString error;
        const bool saved
            = writeLastMessage(lastMessagePath(readOnly.path()), { u"T"_s, u"M"_s }, error);
        // So an installed program keeps its store in the user's data folder.
        const QString dataFolder = folder.filePath(u"data"_s);
        const QString saveFolder = lastMessageFolders(readOnly.path(), dataFolder).saveFolder;
        QFile::setPermissions(readOnly.path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(saveFolder, dataFolder);
    }
#endif
};

QTEST_GUILESS_MAIN(tst_LastMsgStore)
#include "tst_LastMsgStore.moc"
