#include "sim/FrameLog.h"

QString TFrameLogEntry::Text() const {
    QString line = QStringLiteral("%1 %2 %3")
                       .arg(TimeMs, 10, 'f', 3)
                       .arg(IsRequest ? QLatin1Char('>') : QLatin1Char('<'))
                       .arg(QString::fromLatin1(Bytes.toHex(' ').toUpper()));
    if (!Note.isEmpty())
        line += QStringLiteral("  (") + Note + QLatin1Char(')');
    return line;
}

void TFrameLog::Add(TFrameLogEntry entry) {
    std::function<void(const QString&)> sink;
    {
        std::lock_guard lock(Guard);
        Items.append(entry);
        sink = Sink;
    }
    if (sink)
        sink(entry.Text());
}

QList<TFrameLogEntry> TFrameLog::Entries() const {
    std::lock_guard lock(Guard);
    return Items;
}

QList<TFrameLogEntry> TFrameLog::Requests() const {
    std::lock_guard lock(Guard);
    QList<TFrameLogEntry> requests;
    for (const TFrameLogEntry& entry : Items)
        if (entry.IsRequest)
            requests.append(entry);
    return requests;
}

QString TFrameLog::Text() const {
    QStringList lines;
    for (const TFrameLogEntry& entry : Entries())
        lines << entry.Text();
    return lines.join(QLatin1Char('\n'));
}

void TFrameLog::Clear() {
    std::lock_guard lock(Guard);
    Items.clear();
}

void TFrameLog::SetSink(std::function<void(const QString&)> sink) {
    std::lock_guard lock(Guard);
    Sink = std::move(sink);
}
