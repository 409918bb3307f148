// mktool's help, version, man page and bash completion, all made from its command table,
// and the rule that nothing but mktool's own words reaches stdout and stderr.
#include "CliUtil.h"
#include "CommandTable.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct TRun {
    int Status = -1;
    QString Out;
    QString Err;
};

TRun Mktool(const QStringList& args,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MKTOOL_PATH), args);
    if (!p.waitForFinished(60000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The completion's branch of one command: from "    NAME)" to its ";;".
QString CompletionBranch(const QString& script, const QString& name) {
    const qsizetype from = script.indexOf(QStringLiteral("\n    %1)\n").arg(name));
    if (from < 0)
        return {};
    const qsizetype to = script.indexOf(QStringLiteral("\n        ;;\n"), from);
    return script.mid(from, to - from);
}

void AddCommandRows() {
    QTest::addColumn<QString>("command");
    for (const Cli::TCommandInfo& command : Cli::CommandTable())
        QTest::newRow(qPrintable(command.Name)) << command.Name;
}

} // namespace

class TestMktoolHelp : public QObject {
    Q_OBJECT
private slots:
    void everyCommandAnswersHelp_data() { AddCommandRows(); }
    void everyCommandAnswersHelp() {
        QFETCH(QString, command);
        const Cli::TCommandInfo& info = *Cli::FindCommand(command);
        const TRun asked = Mktool({command, QStringLiteral("--help")});
        QCOMPARE(asked.Status, 0);
        QCOMPARE(asked.Err, QString());
        QVERIFY(asked.Out.startsWith(QStringLiteral("Использование: mktool %1 ").arg(command)));
        for (const Cli::TOption& option : info.Options)
            QVERIFY2(QRegularExpression(
                         QStringLiteral("\n  %1[ \n]").arg(QRegularExpression::escape(option.Name)))
                         .match(asked.Out)
                         .hasMatch(),
                     qPrintable(option.Name));
        for (const auto& [code, meaning] : info.ExitCodes)
            QVERIFY(asked.Out.contains(QStringLiteral("  %1  %2\n").arg(code).arg(meaning)));
        // The same text however it is asked for, even after other arguments.
        QCOMPARE(Mktool({QStringLiteral("help"), command}).Out, asked.Out);
        QCOMPARE(Mktool({command, QStringLiteral("x.rvset"), QStringLiteral("-h")}).Out, asked.Out);
    }

    void overviewNamesEveryCommand_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("onStdout");
        QTest::newRow("help") << QStringList{"help"} << 0 << true;
        QTest::newRow("--help") << QStringList{"--help"} << 0 << true;
        QTest::newRow("nothing") << QStringList{} << 2 << false;
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << false;
        QTest::newRow("help on an unknown command")
            << QStringList{"help", "frobnicate"} << 2 << false;
    }
    void overviewNamesEveryCommand() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(bool, onStdout);
        const TRun r = Mktool(args);
        QCOMPARE(r.Status, status);
        const QString& text = onStdout ? r.Out : r.Err;
        QCOMPARE((onStdout ? r.Err : r.Out), QString());
        for (const Cli::TCommandInfo& command : Cli::CommandTable())
            QVERIFY2(text.contains(QStringLiteral("\n  %1 ").arg(command.Name)),
                     qPrintable(command.Name));
    }

    void versionIsPrinted() {
        const TRun r = Mktool({QStringLiteral("--version")});
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Err, QString());
        QCOMPARE(r.Out,
                 QStringLiteral("mktool (Params32), версия %1\n").arg(QStringLiteral(MK_VERSION)));
    }

    // The parser reads the same table: each listed option is taken, anything else refused.
    void parserTakesExactlyTheTablesOptions_data() { AddCommandRows(); }
    void parserTakesExactlyTheTablesOptions() {
        QFETCH(QString, command);
        for (const Cli::TOption& option : Cli::FindCommand(command)->Options) {
            const QStringList args = option.IsSwitch()
                                         ? QStringList{option.Name}
                                         : QStringList{option.Name, QStringLiteral("7")};
            const Cli::TArgs parsed(args, command);
            QVERIFY(parsed.Has(option.Name));
            QVERIFY(parsed.Positional().isEmpty());
        }
        QVERIFY_THROWS_EXCEPTION(Cli::TUsageError,
                                 Cli::TArgs({QStringLiteral("--no-such-option")}, command));
        const Cli::TOption* valued = nullptr;
        for (const Cli::TOption& option : Cli::FindCommand(command)->Options)
            if (!option.IsSwitch())
                valued = &option;
        if (valued)
            QVERIFY_THROWS_EXCEPTION(Cli::TUsageError, Cli::TArgs({valued->Name}, command));
    }

    void manPageCoversTheTable_data() { AddCommandRows(); }
    void manPageCoversTheTable() {
        QFETCH(QString, command);
        const QString page = FileText(QStringLiteral(MKTOOL_MAN));
        QVERIFY(page.startsWith(QStringLiteral(".TH MKTOOL 1 ")));
        const qsizetype section = page.indexOf(QStringLiteral("\n.SS \"%1\"\n").arg(command));
        QVERIFY(section >= 0);
        const qsizetype next = page.indexOf(QStringLiteral("\n.SS "), section + 1);
        const QString text = page.mid(section, next < 0 ? -1 : next - section);
        for (const Cli::TOption& option : Cli::FindCommand(command)->Options) {
            QString roff = option.Name;
            roff.replace(QLatin1Char('-'), QStringLiteral("\\-"));
            QVERIFY2(text.contains(QStringLiteral("\n.B %1").arg(roff)), qPrintable(option.Name));
        }
    }

    void completionCoversTheTable_data() { AddCommandRows(); }
    void completionCoversTheTable() {
        QFETCH(QString, command);
        const QString script = FileText(QStringLiteral(MKTOOL_COMPLETION));
        QVERIFY(script.contains(QStringLiteral("complete -F _mktool mktool\n")));
        const QRegularExpression commands(
            QStringLiteral("compgen -W \"([^\"]*) help --help --version\""));
        QVERIFY(commands.match(script).captured(1).split(' ').contains(command));
        const QString branch = CompletionBranch(script, command);
        QVERIFY(!branch.isEmpty());
        const QRegularExpression words(QStringLiteral("compgen -W \"([^\"]*)\""));
        const QStringList offered = words.match(branch).captured(1).split(' ');
        for (const Cli::TOption& option : Cli::FindCommand(command)->Options) {
            QVERIFY2(offered.contains(option.Name), qPrintable(option.Name));
            if (option.TakesFile())
                QVERIFY2(branch.contains(QStringLiteral("%1) _mktool_files").arg(option.Name)),
                         qPrintable(option.Name));
        }
        for (const QString& extension : Cli::FindCommand(command)->FileExtensions)
            QVERIFY(branch.contains(QStringLiteral("_mktool_files '")) &&
                    branch.contains(extension));
    }

    // Under cron, ssh or a container XDG_RUNTIME_DIR is unset; the toolkit must not say so.
    void toolkitStaysQuietWithoutARuntimeFolder() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const TRun r = Mktool({"catalog", "--settings-version", "0x0302", "--variant", "1"}, env);
        QCOMPARE(r.Status, 0);
        QCOMPARE(r.Err, QString());
        QVERIFY(!r.Out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMktoolHelp)
#include "tst_mktool_help.moc"
