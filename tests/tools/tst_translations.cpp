// The translation files against the code: the extraction tools/update-translations.sh makes
// from the sources, run into copies of the committed .ts files, must leave them as they are
// (no text of the code missing, none that left it), and every text must have a finished
// translation in every language.
#include "testpaths.h"
#include "tsfile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Key = QPair<QString, QString>; // context, source text

QSet<Key> keys(const TsFile &file)
{
    QSet<Key> result;
    for (const TsFile::Message &message : file.messages())
        result.insert({message.context, message.source});
    return result;
}

// "  Context: text" lines, sorted, for the report of a failure.
QStringList listed(const QList<Key> &texts)
{
    QStringList lines;
    for (const Key &key : texts)
        lines << QStringLiteral("    %1: \"%2\"").arg(key.first, key.second);
    lines.sort();
    return lines;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_copies;
    QStringList m_names; // Vistrel_<code>.ts
    QString m_extractionErrors;
    bool m_extracted = false;

    QString committed(const QString &name) const
    {
        return TestPaths::sourceDir() + QStringLiteral("/translations/") + name;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_copies.isValid());
        m_names = QDir(TestPaths::sourceDir() + QStringLiteral("/translations"))
                          .entryList({QStringLiteral("Vistrel_*.ts")}, QDir::Files, QDir::Name);
        // One file per row of the language table.
        QCOMPARE(m_names.size(), 13);
        QStringList copies;
        for (const QString &name : m_names) {
            const QString copy = m_copies.filePath(name);
            QVERIFY(QFile::copy(committed(name), copy));
            QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner));
            copies << copy;
        }
        QProcess update;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LUPDATE"), TestPaths::lupdate());
        update.setProcessEnvironment(env);
        update.start(TestPaths::sourceDir() + QStringLiteral("/tools/update-translations.sh"),
                     copies);
        QVERIFY(update.waitForFinished(300000));
        QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
                 update.readAllStandardError().constData());
        m_extractionErrors = QString::fromUtf8(update.readAllStandardError()).trimmed();
        m_extracted = true;
    }

    // lupdate warns about texts it cannot extract right, for example tr() in a class without
    // Q_OBJECT, whose texts would land in the wrong context.
    void extraction_warnsAboutNothing()
    {
        QVERIFY(m_extracted);
        QVERIFY2(m_extractionErrors.isEmpty(), qPrintable(m_extractionErrors));
    }

    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : m_names)
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, name);
        QVERIFY(m_extracted);
        TsFile before;
        TsFile after;
        QString error;
        QVERIFY2(before.load(committed(name), &error), qPrintable(error));
        QVERIFY2(after.load(m_copies.filePath(name), &error), qPrintable(error));
        QVERIFY(!after.messages().isEmpty());
        // The extraction keeps each file's language.
        QCOMPARE(after.language(), before.language());

        const QSet<Key> inFile = keys(before);
        const QSet<Key> inCode = keys(after);
        QList<Key> obsolete;
        for (const TsFile::Message &message : before.messages()) {
            const bool gone = message.type == QLatin1String("vanished")
                    || message.type == QLatin1String("obsolete");
            if (gone || !inCode.contains({message.context, message.source}))
                obsolete << Key(message.context, message.source);
        }
        QList<Key> unfinished;
        for (const TsFile::Message &message : after.messages()) {
            if (!message.isFinished())
                unfinished << Key(message.context, message.source);
        }
        QList<Key> added = (inCode - inFile).values();

        QStringList report;
        if (!added.isEmpty()) {
            report << QStringLiteral("%1 text(s) of the code are not in the file "
                                     "(run tools/update-translations.sh):")
                              .arg(added.size())
                   << listed(added);
        }
        if (!obsolete.isEmpty()) {
            report << QStringLiteral("%1 text(s) of the file left the code "
                                     "(run tools/update-translations.sh):")
                              .arg(obsolete.size())
                   << listed(obsolete);
        }
        if (!unfinished.isEmpty() && unfinished.size() == after.messages().size()) {
            report << QStringLiteral("none of the %1 texts has a finished translation (%2)")
                              .arg(unfinished.size())
                              .arg(after.language());
        } else if (!unfinished.isEmpty()) {
            report << QStringLiteral("%1 of %2 text(s) have no finished translation (%3):")
                              .arg(unfinished.size())
                              .arg(after.messages().size())
                              .arg(after.language())
                   << listed(unfinished);
        }
        // The whole list, line by line: a failure message would be cut short.
        for (const QString &line : qAsConst(report))
            qInfo().noquote() << line;
        QVERIFY2(report.isEmpty(),
                 qPrintable(QStringLiteral("%1: %2 new, %3 gone, %4 untranslated text(s), "
                                           "listed above")
                                    .arg(name)
                                    .arg(added.size())
                                    .arg(obsolete.size())
                                    .arg(unfinished.size())));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
