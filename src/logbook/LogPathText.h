// The current logbook's path as the file functions take it.
#pragma once

#include <QFile>
#include <string>

#include "shell/modLog.h"

inline std::string logFilePath() { return QFile::encodeName(modLog::LogPath).toStdString(); }
