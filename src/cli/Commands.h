#pragma once

#include <QStringList>

// One entry per mktool command; each lives in its own Cmd<Name>.cpp.
int RunPack(const QStringList& args);
int RunUnpack(const QStringList& args);
int RunShow(const QStringList& args);
int RunCatalog(const QStringList& args);
int RunJournals(const QStringList& args);
int RunPreview(const QStringList& args);
int RunRead(const QStringList& args);
int RunWrite(const QStringList& args);
int RunSimulate(const QStringList& args);
int RunGet(const QStringList& args);
int RunDescribe(const QStringList& args);
int RunSet(const QStringList& args);
int RunDiff(const QStringList& args);
int RunCarry(const QStringList& args);
int RunSheet(const QStringList& args);
