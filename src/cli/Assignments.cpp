#include "Assignments.h"

#include "CliUtil.h"

namespace Cli {

namespace {

// The name is what stands before the first '='; the value keeps every character after it.
bool Split(const QString& text, QString& name, QString& value) {
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    name = text.left(eq).trimmed();
    value = text.mid(eq + 1);
    return !name.isEmpty() && !name.contains(QLatin1Char(' '));
}

} // namespace

QList<TAssignment> CommandLineAssignments(const QStringList& args, const QString& usage) {
    QList<TAssignment> list;
    for (const QString& arg : args) {
        TAssignment a;
        if (!Split(arg, a.Name, a.Value))
            throw TUsageError{usage};
        list.append(a);
    }
    return list;
}

QList<TAssignment> TextAssignments(const QString& path, const QByteArray& text) {
    QList<TAssignment> list;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString bare = line.trimmed();
        if (bare.isEmpty() || bare.startsWith(QLatin1Char('#')))
            continue;
        TAssignment a;
        a.Origin = QStringLiteral("%1, строка %2").arg(path).arg(i + 1);
        if (!Split(line, a.Name, a.Value))
            throw TUsageError{WithOrigin(a, QStringLiteral("ожидается ИМЯ=ЗНАЧЕНИЕ"))};
        list.append(a);
    }
    return list;
}

QString WithOrigin(const TAssignment& assignment, const QString& text) {
    return assignment.Origin.isEmpty() ? text : assignment.Origin + QStringLiteral(": ") + text;
}

} // namespace Cli
