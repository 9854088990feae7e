#include "cli/HeadlessFormat.h"
#include "MsgBoxFormatRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Run = MsgBoxFormatRun;

// A form as VB6 saves it: Windows-1252, CR LF, the designer's part on top.
const QByteArray kForm = "VERSION 5.00\r\n"
                         "Begin VB.Form frmPr\xfc"
                         "fen\r\n"
                         "   Caption = \"MsgBox\"\r\n"
                         "End\r\n"
                         "Attribute VB_Name = \"frmPr\xfc"
                         "fen\"\r\n"
                         "Private Sub cmdOK_Click()\r\n"
                         "    MsgBox \"Bitte pr\xfc"
                         "fen Sie den Pfad.\", vbExclamation\r\n"
                         "End Sub\r\n";
const QByteArray kFormLaidOut = "VERSION 5.00\r\n"
                                "Begin VB.Form frmPr\xfc"
                                "fen\r\n"
                                "   Caption = \"MsgBox\"\r\n"
                                "End\r\n"
                                "Attribute VB_Name = \"frmPr\xfc"
                                "fen\"\r\n"
                                "Private Sub cmdOK_Click()\r\n"
                                "    MsgBox _\r\n"
                                "        \"Bitte pr\xfc"
                                "fen Sie den Pfad.\" _\r\n"
                                "        , vbExclamation\r\n"
                                "End Sub\r\n";
const QByteArray kInvalid = "Sub a()\n    x = 1\n    MsgBox \"Kaputt\" & , vbOK\nEnd Sub\n";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_SourceFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void inPlaceDoesWhatItCanAndNamesTheRest();
    void checkListsPlacesAsCompilersDo();
    void oneFileGoesToStandardOutput();
    void pipedCodeKeepsItsEncoding_data();
    void pipedCodeKeepsItsEncoding();
    void fileNameTellsTheDialect_data();
    void fileNameTellsTheDialect();
    void inPlaceKeepsThePermissions_data();
    void inPlaceKeepsThePermissions();
    void folderIsWalkedForItsSourceFiles();

private:
    std::unique_ptr<QTemporaryDir> m_project;
    QString path(const QString &name) const { return m_project->filePath(name); }
};

void tst_SourceFiles::init()
{
    m_project = std::make_unique<QTemporaryDir>();
    QVERIFY(m_project->isValid());
}

// The form is replaced; the module with nothing to change is not written;
// the binary file and the invalid call are named and left as they were.
void tst_SourceFiles::inPlaceDoesWhatItCanAndNamesTheRest()
{
    writeFile(path(u"frmPrüfen.frm"_s), kForm);
    writeFile(path(u"modFertig.bas"_s), kFormLaidOut.sliced(kFormLaidOut.indexOf("Private")));
    writeFile(path(u"frmPrüfen.frx"_s), QByteArray("lt\0\0\x01", 5));
    writeFile(path(u"modKaputt.bas"_s), kInvalid);
    const QDateTime longAgo = QDateTime::currentDateTimeUtc().addDays(-100);
    QFile unchanged(path(u"modFertig.bas"_s));
    QVERIFY(unchanged.open(QIODevice::ReadWrite));
    QVERIFY(unchanged.setFileTime(longAgo, QFileDevice::FileModificationTime));
    unchanged.close();

    const Run run = msgboxFormat(
        { u"--reformat"_s, u"-i"_s, path(u"frmPrüfen.frm"_s), path(u"modFertig.bas"_s),
            path(u"frmPrüfen.frx"_s), path(u"modKaputt.bas"_s), path(u"fehlt.bas"_s) });

    QCOMPARE(run.exitCode, int(cli::TextRefused));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(readFile(path(u"frmPrüfen.frm"_s)), kFormLaidOut);
    QCOMPARE(QFileInfo(path(u"modFertig.bas"_s)).lastModified().toUTC(), longAgo);
    QCOMPARE(readFile(path(u"frmPrüfen.frx"_s)), QByteArray("lt\0\0\x01", 5));
    QCOMPARE(readFile(path(u"modKaputt.bas"_s)), kInvalid);
    const QString err = QString::fromUtf8(run.err);
    QVERIFY2(err.contains(path(u"modKaputt.bas:3:23: "_s)), run.err.constData());
    QVERIFY2(err.contains(path(u"frmPrüfen.frx: it is not text"_s)), run.err.constData());
    QVERIFY2(err.contains(path(u"fehlt.bas: cannot be read"_s)), run.err.constData());
    QCOMPARE(err.count(u'\n'), 3);
    QCOMPARE(QDir(m_project->path()).entryList(QDir::Files).size(), 4);
}

void tst_SourceFiles::checkListsPlacesAsCompilersDo()
{
    writeFile(path(u"a.frm"_s), kForm);
    writeFile(path(u"b.bas"_s), kInvalid);
    writeFile(path(u"c.bas"_s), kFormLaidOut);

    const Run found
        = msgboxFormat({ u"--check"_s, path(u"a.frm"_s), path(u"b.bas"_s), path(u"c.bas"_s) });

    QCOMPARE(found.exitCode, int(cli::TextRefused));
    const QStringList lines = QString::fromUtf8(found.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(path(u"a.frm:7:5: "_s)), qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith(path(u"b.bas:3:23: "_s)), qPrintable(lines[1]));
    QCOMPARE(readFile(path(u"a.frm"_s)), kForm);

    const Run clean = msgboxFormat({ u"--check"_s, path(u"c.bas"_s) });
    QCOMPARE(clean.exitCode, int(cli::Done));
    QVERIFY(clean.out.isEmpty() && clean.err.isEmpty());
}

void tst_SourceFiles::oneFileGoesToStandardOutput()
{
    writeFile(path(u"a.frm"_s), kForm);

    const Run run = msgboxFormat({ u"--reformat"_s, path(u"a.frm"_s) });

    QCOMPARE(run.exitCode, int(cli::Done));
    QCOMPARE(run.out, kFormLaidOut);
    QCOMPARE(readFile(path(u"a.frm"_s)), kForm);
}

void tst_SourceFiles::fileNameTellsTheDialect_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("written");

    const QByteArray vb6
        = "MsgBox _\r\n    \"a\" _\r\n    , vbYesNo, HelpFile:=\"h.chm\", Context:=1\r\n";
    QTest::newRow(".bas: vb6") << u"a.bas"_s << QStringList() << vb6;
    QTest::newRow(".vbs: vbscript, which names no arguments")
        << u"a.vbs"_s << QStringList()
        << QByteArray("MsgBox _\r\n    \"a\" _\r\n    , vbYesNo, , \"h.chm\", 1\r\n");
    QTest::newRow("--dialect over the name")
        << u"a.vbs"_s << QStringList { u"--dialect=twinbasic"_s } << vb6;
}

// Where --dialect does not say it, the file's name tells the dialect.
void tst_SourceFiles::fileNameTellsTheDialect()
{
    QFETCH(QString, file);
    QFETCH(QStringList, arguments);
    writeFile(path(file), "MsgBox \"a\", vbYesNo, , \"h.chm\", 1\r\n");

    const Run run = msgboxFormat(QStringList { u"--reformat"_s, path(file) } + arguments);

    QCOMPARE(run.exitCode, int(cli::Done));
    QTEST(run.out, "written");
}

void tst_SourceFiles::pipedCodeKeepsItsEncoding_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("written");

    const QByteArray call = "    MsgBox \"Bitte pr\xfc"
                            "fen.\"\n";
    const QByteArray laidOut = "    MsgBox _\n"
                               "        \"Bitte pr\xfc"
                               "fen.\"\n";
    // The code is read as a file is: its line breaks and its other lines stay.
    QTest::newRow("Windows-1252, LF") << QStringList { u"--reformat"_s } << call << laidOut;
    QTest::newRow("UTF-8 with its mark, no final break")
        << QStringList { u"--reformat"_s } << QByteArray("\xEF\xBB\xBFMsgBox \"\xC3\xBC\"")
        << QByteArray("\xEF\xBB\xBFMsgBox _\r\n    \"\xC3\xBC\"");
    QTest::newRow("--line, LF") << QStringList { u"--reformat"_s, u"--line=2"_s }
                                << QByteArray("x = 1\n") + call + "y = 2\n"
                                << QByteArray("x = 1\n    MsgBox _\n        \"Bitte pr\xfc"
                                              "fen.\"\ny = 2\n");
}

void tst_SourceFiles::pipedCodeKeepsItsEncoding()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);

    const Run run = msgboxFormat(arguments, input);

    QCOMPARE(run.exitCode, int(cli::Done));
    QTEST(run.out, "written");
}

void tst_SourceFiles::inPlaceKeepsThePermissions_data()
{
    QTest::addColumn<QFileDevice::Permissions>("permissions");

    using P = QFileDevice;
    QTest::newRow("0444, read-only") << (P::ReadOwner | P::ReadGroup | P::ReadOther);
    QTest::newRow("0640") << (P::ReadOwner | P::WriteOwner | P::ReadGroup);
    QTest::newRow("0755") << (P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadGroup
        | P::ExeGroup | P::ReadOther | P::ExeOther);
}

// A file the user may write is replaced and keeps its permissions; one kept
// read-only stays so.
void tst_SourceFiles::inPlaceKeepsThePermissions()
{
    QFETCH(QFileDevice::Permissions, permissions);
    const QString file = path(u"a.frm"_s);
    writeFile(file, kForm);
    QVERIFY(QFile::setPermissions(file, permissions));
    const bool writable = QFileInfo(file).isWritable();
    const auto fileBits = ~QFileDevice::Permissions(
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    // Windows keeps a read-only mark, not these bits.
    if ((QFile::permissions(file) & fileBits) != permissions)
        QSKIP("the file system keeps no such permissions");

    const Run run = msgboxFormat({ u"--reformat"_s, u"-i"_s, file });

    QCOMPARE(run.exitCode, int(writable ? cli::Done : cli::TextRefused));
    QCOMPARE(readFile(file), writable ? kFormLaidOut : kForm);
    QCOMPARE(QFile::permissions(file) & fileBits, permissions);
}

// The VB source files of the folder and its folders by their kinds, in the
// order of their paths; other files, hidden folders and the names given
// after it as they are.
void tst_SourceFiles::folderIsWalkedForItsSourceFiles()
{
    const QByteArray call = "MsgBox \"a\", vbYesNo\r\n";
    const QByteArray laidOut = "MsgBox _\r\n    \"a\" _\r\n    , vbYesNo\r\n";
    const QStringList walked { u"src/Z.cls"_s, u"src/a.bas"_s, u"src/a/b.frm"_s, u"src/a/c/d.VBS"_s,
        u"src/e.twin"_s, u"src/f.vb"_s };
    const QStringList left { u"src/notes.txt"_s, u"src/.git/x.bas"_s, u"src/a/g.frx"_s };
    for (const QString &file : walked + left) {
        QVERIFY(QDir(m_project->path()).mkpath(QFileInfo(file).path()));
        writeFile(path(file), call);
    }

    const Run check = msgboxFormat({ u"--check"_s, path(u"src/"_s) });

    QCOMPARE(check.exitCode, int(cli::TextRefused));
    QStringList listed;
    for (const QString &line : QString::fromUtf8(check.out).split(u'\n', Qt::SkipEmptyParts))
        listed << line.sliced(m_project->path().size() + 1).section(u':', 0, 0); // C: on Windows
    QCOMPARE(listed, walked);

    const Run reformat = msgboxFormat({ u"--reformat"_s, u"-i"_s, path(u"src"_s) });
    QCOMPARE(reformat.exitCode, int(cli::Done));
    for (const QString &file : walked)
        QVERIFY2(readFile(path(file)) != call, qPrintable(file));
    for (const QString &file : left)
        QCOMPARE(readFile(path(file)), call);
    QCOMPARE(readFile(path(u"src/a.bas"_s)), laidOut);
}

QTEST_GUILESS_MAIN(tst_SourceFiles)
#include "tst_SourceFiles.moc"
