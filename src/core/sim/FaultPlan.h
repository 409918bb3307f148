#pragma once

#include <QByteArray>
#include <QList>

// Faults the simulator injects. Each counter covers that many of the coming requests or
// replies and counts down as it is used.
struct TFaultPlan {
    int BadChecksum = 0;    // replies whose checksum is off by one
    int Busy = 0;           // requests answered with status 0xFF and not carried out
    int Silence = 0;        // requests left unanswered and not carried out
    int ZeroHeader = 0;     // replies with the header bytes 00 00 00
    int OverlongLength = 0; // replies whose length byte promises more than is sent
    int ShortReply = 0;     // Identify and ReadBlock replies one data byte short
    int AnswerAfter = 0;    // the first K requests since the start go unanswered
    int DroppedChunk = 0;   // WriteChunk requests acknowledged but not stored
    // A link lost in the middle of a write: once this many EndSectionWrite requests were
    // carried out, every later request is answered busy.
    int BusyAfterSections = 0;
    QList<QByteArray> RawReplies; // sent instead of the next replies, byte for byte
};
