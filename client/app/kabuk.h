#pragma once
// The shell's "open" and starting programs, each through one replaceable
// function so that tests see what would have been opened or started.

#include <QString>
#include <QStringList>

#include <functional>

// Starts a program detached from this one; false when it could not start.
bool ProgramBaslat(const QString &program, const QStringList &arguments);
// Opens a file or an address with the user's default application.
bool KabuktaAc(const QString &fileOrAddress);

void SetProgramBaslatHook(std::function<bool(const QString &, const QStringList &)> hook);
void SetKabuktaAcHook(std::function<bool(const QString &)> hook);
